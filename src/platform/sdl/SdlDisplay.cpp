#include "platform/sdl/SdlDisplay.h"

#include "platform/sdl/SdlBackend.h"
#include "platform/sdl/SdlBackendImpl.h"
#include "platform/PageScaler.h"

#include <SDL.h>
#include <algorithm>

namespace platform::sdl {

SdlDisplay::SdlDisplay(SdlBackend& backend) : m_backend(backend) {}

SdlDisplay::~SdlDisplay()
{
    ReleaseTexture();
}

void SdlDisplay::ReleaseTexture()
{
    if (m_texture)
        SDL_DestroyTexture(m_texture);
    m_texture = nullptr;
    m_hasPicture = false;
    m_barsCleared = false;
}

bool SdlDisplay::Open()
{
    if (!m_backend.EnsureWindow())
        return false;
    m_open = true;
    return true;
}

void SdlDisplay::Close()
{
    ReleasePages();
    if (m_open && m_backend.GetWindow())
        SDL_SetWindowFullscreen(m_backend.GetWindow(), 0);
    m_open = false;
    m_fullScreen = false;
}

bool SdlDisplay::SetFullScreen(bool fullScreen)
{
    SDL_Window* window = m_backend.GetWindow();
    if (!m_open || !window)
        return false;
    m_fullScreen = fullScreen;
    if (fullScreen) {
        // Covering the desktop first makes the window full size also where no window manager
        // carries out the full-screen request (a bare X server).
        SDL_DisplayMode desktop;
        if (SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &desktop) == 0) {
            SDL_SetWindowPosition(window, 0, 0);
            SDL_SetWindowSize(window, desktop.w, desktop.h);
        }
    }
    // No real mode switch: the desktop's own mode, the page scaled into it.
    return SDL_SetWindowFullscreen(window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

std::vector<DisplayMode> SdlDisplay::GetModes(int bitsPerPixel)
{
    // Every depth is converted and every size scaled, so both sizes are there at every depth.
    if (!m_open || BytesPerPixel(bitsPerPixel) == 0)
        return {};
    return {{640, 480, bitsPerPixel}, {800, 600, bitsPerPixel}};
}

bool SdlDisplay::SetMode(const DisplayMode& mode)
{
    auto modes = GetModes(mode.bitsPerPixel);
    return m_fullScreen && std::find(modes.begin(), modes.end(), mode) != modes.end();
}

bool SdlDisplay::MakeTexture()
{
    const DisplayMode& mode = m_ring.GetMode();
    SDL_Renderer* renderer = m_backend.GetRenderer();
    if (!renderer)
        return false;
    // Pages whose bytes a texture format reads as they are skip the conversion and, at 16 bits,
    // upload half the bytes. SDL's software renderer scales only 8-8-8 textures quickly, so there
    // 16-bit pages are converted when uploaded (what changed) rather than when drawn (the window).
    SDL_RendererInfo info{};
    const bool software = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
    const uint32_t own = mode.bitsPerPixel == 16 && !software ? SDL_PIXELFORMAT_RGB565
                         : mode.bitsPerPixel == 32           ? SDL_PIXELFORMAT_RGB888
                                                             : SDL_PIXELFORMAT_UNKNOWN;
    m_sameLayout = false;
    if (own != SDL_PIXELFORMAT_UNKNOWN) {
        m_texture = SDL_CreateTexture(renderer, own, SDL_TEXTUREACCESS_STREAMING, mode.width, mode.height);
        m_sameLayout = m_texture != nullptr;
    }
    if (!m_texture)
        m_texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, mode.width,
                                      mode.height);
    if (!m_texture)
        return false;
    SDL_SetTextureBlendMode(m_texture, SDL_BLENDMODE_NONE);
    return true;
}

bool SdlDisplay::CreatePages(const DisplayMode& mode, int backBufferCount, bool)
{
    ReleasePages();
    if (!m_open || (m_fullScreen ? backBufferCount < 1 : backBufferCount != 0))
        return false;
    if (!m_ring.Create(mode, backBufferCount))
        return false;
    SDL_Window* window = m_backend.GetWindow();
    if (!m_fullScreen) {
        SDL_SetWindowResizable(window, SDL_TRUE);
        SDL_SetWindowSize(window, mode.width, mode.height);
    }
    // The renderer keeps its logical size either way: SDL maps the pointer to page pixels by it.
    SDL_RenderSetLogicalSize(m_backend.GetRenderer(), mode.width, mode.height);
    m_intoWindow = CanDrawIntoWindow();
    if (m_intoWindow) {
        m_picture.assign(static_cast<size_t>(mode.width) * static_cast<size_t>(mode.height), 0xFF000000u);
    } else if (!MakeTexture()) {
        m_ring.Release();
        return false;
    }
    for (int i = 0; i < 256; ++i) {
        const uint8_t v = static_cast<uint8_t>(i);
        m_palette[static_cast<size_t>(i)] = {v, v, v, 0};
    }
    m_table = MakePaletteTable32(m_palette);
    return true;
}

bool SdlDisplay::CanDrawIntoWindow() const
{
    SDL_Renderer* renderer = m_backend.GetRenderer();
    SDL_Window* window = m_backend.GetWindow();
    SDL_RendererInfo info{};
    if (!renderer || !window || SDL_GetRendererInfo(renderer, &info) != 0 || !(info.flags & SDL_RENDERER_SOFTWARE))
        return false;
    const SDL_Surface* surface = SDL_GetWindowSurface(window);
    return surface && (surface->format->format == SDL_PIXELFORMAT_RGB888 ||
                       surface->format->format == SDL_PIXELFORMAT_ARGB8888);
}

bool SdlDisplay::DrawIntoWindow(const std::vector<PageRect>* rects)
{
    SDL_Window* window = m_backend.GetWindow();
    SDL_Renderer* renderer = m_backend.GetRenderer();
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface || !renderer || (surface->format->format != SDL_PIXELFORMAT_RGB888 &&
                                  surface->format->format != SDL_PIXELFORMAT_ARGB8888))
        return false;
    // The page's place in the window, as the renderer's logical size letterboxes it.
    const DisplayMode& mode = m_ring.GetMode();
    int left, top, right, bottom;
    SDL_RenderLogicalToWindow(renderer, 0.0f, 0.0f, &left, &top);
    SDL_RenderLogicalToWindow(renderer, static_cast<float>(mode.width), static_cast<float>(mode.height), &right,
                              &bottom);
    const PagePlacement placement{left, top, right - left, bottom - top};
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
        return false;
    const PageRect whole{0, 0, mode.width, mode.height};
    if (!rects)
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    m_windowRects.clear();
    m_scaler.Prepare(mode.width, mode.height, placement, surface->w, surface->h);
    for (const PageRect& rect : rects ? *rects : std::vector<PageRect>{whole}) {
        m_scaler.Scale(m_picture.data(), rect, static_cast<uint8_t*>(surface->pixels), surface->pitch);
        const PixelRect to = m_scaler.ClippedWindowRectOf(rect);
        if (to.right > to.left)
            m_windowRects.push_back({to.left, to.top, to.right - to.left, to.bottom - to.top});
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    if (!rects)
        return SDL_UpdateWindowSurface(window) == 0;
    return m_windowRects.empty() ||
           SDL_UpdateWindowSurfaceRects(window, m_windowRects.data(), static_cast<int>(m_windowRects.size())) == 0;
}

void SdlDisplay::ReleasePages()
{
    ReleaseTexture();
    m_intoWindow = false;
    m_picture.clear();
    m_ring.Release();
}

bool SdlDisplay::Fill(int left, int top, int right, int bottom, uint32_t value)
{
    return m_ring.Fill(left, top, right, bottom, value);
}

bool SdlDisplay::Upload(const uint8_t* page, const std::vector<PageRect>& rects)
{
    const DisplayMode& mode = m_ring.GetMode();
    const int pitch = m_ring.GetPitch();
    if (m_intoWindow && page) {
        bool converted = false;
        for (const PageRect& rect : rects) {
            uint32_t* at = m_picture.data() + static_cast<size_t>(rect.top) * static_cast<size_t>(mode.width) +
                           static_cast<size_t>(rect.left);
            converted |= ConvertRect(page, pitch, mode, GetGreenMask(), m_table, rect, at, mode.width * 4);
        }
        return converted;
    }
    if (!m_texture || !page)
        return false;
    const size_t bytes = static_cast<size_t>(BytesPerPixel(mode.bitsPerPixel));
    bool uploaded = false;
    for (const PageRect& rect : rects) {
        const SDL_Rect area{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
        if (m_sameLayout) {
            const uint8_t* first = page + static_cast<size_t>(rect.top) * static_cast<size_t>(pitch) +
                                   static_cast<size_t>(rect.left) * bytes;
            uploaded |= SDL_UpdateTexture(m_texture, &area, first, pitch) == 0;
            continue;
        }
        void* pixels = nullptr;
        int texturePitch = 0;
        if (SDL_LockTexture(m_texture, &area, &pixels, &texturePitch) != 0)
            continue;
        uploaded |= ConvertRect(page, pitch, mode, GetGreenMask(), m_table, rect, pixels, texturePitch);
        SDL_UnlockTexture(m_texture);
    }
    return uploaded;
}

bool SdlDisplay::UploadAll(const uint8_t* page)
{
    const DisplayMode& mode = m_ring.GetMode();
    m_hasPicture = Upload(page, {{0, 0, mode.width, mode.height}});
    return m_hasPicture;
}

void SdlDisplay::Represent()
{
    if (m_intoWindow && m_hasPicture && DrawIntoWindow(nullptr))
        return;
    SDL_Renderer* renderer = m_backend.GetRenderer();
    if (!renderer)
        return;
    // The bars beside a letterboxed picture: an accelerated renderer's page holds nothing certain
    // after a present, a software one's keeps them black until the window changes.
    SDL_RendererInfo info{};
    const bool software = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
    if (!software || !m_barsCleared) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        m_barsCleared = true;
    }
    if (m_texture && m_hasPicture)
        SDL_RenderCopy(renderer, m_texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

bool SdlDisplay::Present()
{
    if (!m_ring.HasPages() || m_ring.IsLocked())
        return false;
    if (!m_intoWindow && !m_texture && !MakeTexture())
        return false;
    const int back = m_ring.GetBackIndex();
    m_rects.clear();
    m_ring.TakeChangesToShow(back, m_rects);
    const bool changed = Upload(m_ring.GetPage(back), m_rects);
    m_ring.Show();
    // The window already shows this picture when nothing of it changed.
    const bool first = !m_hasPicture;
    m_hasPicture |= changed;
    if (changed && m_intoWindow && !first && DrawIntoWindow(&m_rects))
        return true;
    if (changed || !m_hasPicture)
        Represent();
    return true;
}

void SdlDisplay::RecreateTexture()
{
    // Drawn into the window itself, there is no texture to lose: the picture goes again.
    if (m_intoWindow) {
        Represent();
        return;
    }
    // The old texture died with the renderer's device; it is not destroyed again.
    m_texture = nullptr;
    m_hasPicture = false;
    if (!m_ring.HasPages() || !MakeTexture())
        return;
    // The texture holds nothing now: every page differs from it.
    m_ring.MarkAllChanged();
    UploadAll(m_ring.GetPage(m_ring.GetFrontIndex()));
    Represent();
}

void SdlDisplay::SetPalette(int first, int count, const PaletteEntry* entries)
{
    if (!entries || first < 0 || count <= 0 || first >= 256)
        return;
    count = std::min(count, 256 - first);
    std::copy(entries, entries + count, m_palette.begin() + first);
    m_table = MakePaletteTable32(m_palette);
    // The picture on screen takes the new colours now, not at the next present.
    if (m_ring.GetMode().bitsPerPixel != 8)
        return;
    m_ring.MarkAllChanged();
    if (m_ring.GetFrontIndex() >= 0 && UploadAll(m_ring.GetPage(m_ring.GetFrontIndex()))) {
        // Every other page still differs from the screen.
        m_rects.clear();
        m_ring.TakeChangesToShow(m_ring.GetFrontIndex(), m_rects);
        Represent();
    }
}

void SdlDisplay::GetSystemPaletteEntries(int first, int count, PaletteEntry* entries)
{
    ReadSystemPaletteEntries(m_palette, first, count, entries);
}

} // namespace platform::sdl
