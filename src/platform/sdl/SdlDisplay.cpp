#include "platform/sdl/SdlDisplay.h"

#include "platform/sdl/SdlBackend.h"
#include "platform/sdl/SdlBackendImpl.h"

#include <SDL.h>
#include <algorithm>

namespace platform::sdl {

SdlDisplay::~SdlDisplay()
{
    ReleaseTexture();
}

void SdlDisplay::ReleaseTexture()
{
    if (m_texture)
        SDL_DestroyTexture(m_texture);
    m_texture = nullptr;
}

std::vector<DisplayMode> SdlDisplay::GetModes(int bitsPerPixel)
{
    std::vector<DisplayMode> modes;
    if (BytesPerPixel(bitsPerPixel) == 0)
        return modes;
    // Any depth is converted on present, so every size the screen offers counts.
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(0, i, &m) != 0)
            continue;
        DisplayMode mode{m.w, m.h, bitsPerPixel, true};
        if (std::find(modes.begin(), modes.end(), mode) == modes.end())
            modes.push_back(mode);
    }
    std::sort(modes.begin(), modes.end(), [](const DisplayMode& a, const DisplayMode& b) {
        return a.width != b.width ? a.width < b.width : a.height < b.height;
    });
    return modes;
}

bool SdlDisplay::SetMode(const DisplayMode& mode)
{
    ReleaseTexture();
    m_mode = {};
    m_locked = false;
    int bytes = BytesPerPixel(mode.bitsPerPixel);
    if (bytes == 0 || mode.width <= 0 || mode.height <= 0 || mode.width > 16384 || mode.height > 16384)
        return false;
    if (!m_backend.EnsureWindow())
        return false;
    SDL_Window* window = m_backend.GetWindow();
    SDL_Renderer* renderer = m_backend.GetRenderer();
    if (mode.fullScreen) {
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, mode.width, mode.height);
    }
    Uint32 format = SDL_PIXELFORMAT_ARGB8888;
    if (mode.bitsPerPixel == 16)
        format = SDL_PIXELFORMAT_RGB565;
    else if (mode.bitsPerPixel == 24)
        format = SDL_PIXELFORMAT_BGR24;
    m_texture = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, mode.width, mode.height);
    if (!m_texture)
        return false;
    SDL_RenderSetLogicalSize(renderer, mode.width, mode.height);
    m_mode = mode;
    m_pitch = (mode.width * bytes + 3) & ~3;
    m_page.assign(static_cast<size_t>(m_pitch) * mode.height, 0);
    if (mode.bitsPerPixel == 8)
        m_converted.assign(static_cast<size_t>(mode.width) * mode.height, 0);
    Present();
    return true;
}

bool SdlDisplay::Lock(uint8_t*& pixels, int& pitchBytes)
{
    if (!HasMode())
        return false;
    m_locked = true;
    pixels = m_page.data();
    pitchBytes = m_pitch;
    return true;
}

bool SdlDisplay::Present()
{
    if (!HasMode() || m_locked)
        return false;
    SDL_Renderer* renderer = m_backend.GetRenderer();
    if (m_mode.bitsPerPixel == 8) {
        for (int y = 0; y < m_mode.height; ++y) {
            const uint8_t* src = m_page.data() + static_cast<size_t>(y) * m_pitch;
            uint32_t* dst = m_converted.data() + static_cast<size_t>(y) * m_mode.width;
            for (int x = 0; x < m_mode.width; ++x)
                dst[x] = m_palette[src[x]];
        }
        SDL_UpdateTexture(m_texture, nullptr, m_converted.data(), m_mode.width * 4);
    } else {
        SDL_UpdateTexture(m_texture, nullptr, m_page.data(), m_pitch);
    }
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, m_texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    return true;
}

void SdlDisplay::SetPalette(int first, int count, const PaletteEntry* entries)
{
    if (!entries || first < 0 || count <= 0 || first >= 256)
        return;
    count = std::min(count, 256 - first);
    for (int i = 0; i < count; ++i) {
        const PaletteEntry& e = entries[i];
        m_palette[static_cast<size_t>(first + i)] =
            0xFF000000u | (static_cast<uint32_t>(e.red) << 16) | (static_cast<uint32_t>(e.green) << 8) | e.blue;
    }
}

} // namespace platform::sdl
