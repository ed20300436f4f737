#include "platform/sdl/SdlRenderer.h"

#include "platform/RendererChoice.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>

namespace platform::sdl {

namespace {

// The renderer string of the GL context a GL renderer made current; null for other renderers.
const char* GetGlRendererName(SDL_Renderer* renderer)
{
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || std::strncmp(info.name, "opengl", 6) != 0)
        return nullptr;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    return getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
}

SDL_Renderer* CreateSoftwareRenderer(SDL_Window* window)
{
    // Without this the window surface the software renderer draws into is itself a GL texture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

} // namespace

SDL_Renderer* CreateWindowRenderer(SDL_Window* window)
{
    const RendererOverride choice = ParseRendererOverride(std::getenv("VANTOREL_RENDERER"));
    if (choice == RendererOverride::Software)
        return CreateSoftwareRenderer(window);
    // A driver named for SDL itself is the user's choice, as is an accelerated one asked for.
    const char* named = std::getenv("SDL_RENDER_DRIVER");
    if (choice == RendererOverride::Accelerated || (named && *named))
        return SDL_CreateRenderer(window, -1, 0);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer && !IsSoftwareRasterizer(GetGlRendererName(renderer)))
        return renderer;
    if (renderer)
        SDL_DestroyRenderer(renderer);
    return CreateSoftwareRenderer(window);
}

} // namespace platform::sdl
