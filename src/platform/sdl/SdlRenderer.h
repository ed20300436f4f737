#pragma once
// The main window's renderer, chosen by what the machine has (RendererChoice.h): SDL's accelerated
// renderer on a GPU; SDL's software renderer, with the window surface kept off GL, where the GL
// found rasterises on the processor or where no accelerated renderer can be made.
struct SDL_Renderer;
struct SDL_Window;

namespace platform::sdl {

// Null when no renderer at all can be made for the window.
SDL_Renderer* CreateWindowRenderer(SDL_Window* window);

} // namespace platform::sdl
