#pragma once
// The main window's renderer, chosen by what the machine has (RendererChoice.h): SDL's accelerated
// renderer on a GPU; SDL's software renderer, with the window surface kept off GL, where the GL
// found rasterises on the processor or where no accelerated renderer can be made.
struct SDL_Renderer;
struct SDL_Window;

namespace platform::sdl {

enum class RendererPlan
{
    Software,    // SDL's software renderer
    Accelerated, // SDL's accelerated renderer, the software one when it cannot be made
    AnyDriver,   // whatever SDL makes first (the user named a driver or asked for a GPU)
};

// Decides from the environment and, for the automatic choice, a probe in a process of its own.
// Must run before SDL's video starts in this process: the probe starts it in the child.
RendererPlan PlanWindowRenderer();

// Null when no renderer at all can be made for the window.
SDL_Renderer* CreateWindowRenderer(SDL_Window* window, RendererPlan plan);

} // namespace platform::sdl
