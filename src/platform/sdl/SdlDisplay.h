#pragma once
// The SDL display: the pages are a ring in memory; a present puts what changed of the page it shows
// into one streaming texture and draws it letterboxed into the window (full screen
// is the desktop's full-screen window with the page scaled; SDL maps mouse positions back to page
// pixels). A present that changes nothing leaves the window as it is. The last picture is drawn
// again when the window is exposed, and a palette change shows at once.
//
// With SDL's software renderer the display draws into the window's own surface itself: it keeps
// the page as 32-bit pixels and scales only the changed rectangles into the window
// (PageScaler.h), where the renderer would scale the whole page every time. 16- and 32-bit pages go
// into a texture of their own layout (RGB565, XRGB8888) as they are; 8- and 24-bit pages are
// converted to ARGB8888 on the way.
#include "platform/Display.h"
#include "platform/PageRing.h"
#include "platform/PageConversion.h"
#include "platform/PageScaler.h"

#include <array>
#include <cstdint>
#include <vector>

struct SDL_Rect;
struct SDL_Texture;

namespace platform::sdl {

class SdlBackend;

class SdlDisplay : public Display
{
public:
    // Out of line: the members' clean-up needs SDL's rectangle, which only the source file sees.
    explicit SdlDisplay(SdlBackend& backend);
    ~SdlDisplay() override;

    bool Open() override;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    bool SetFullScreen(bool fullScreen) override;
    std::vector<DisplayMode> GetModes(int bitsPerPixel) override;
    bool SetMode(const DisplayMode& mode) override;
    bool CreatePages(const DisplayMode& mode, int backBufferCount, bool videoMemory) override;
    void ReleasePages() override;
    bool HasPages() const override { return m_ring.HasPages(); }
    DisplayMode GetPageMode() const override { return m_ring.GetMode(); }
    int GetPitch() const override { return m_ring.GetPitch(); }
    int GetBackBufferCount() const override { return m_ring.GetBackBufferCount(); }
    bool Lock(uint8_t*& pixels, int& pitchBytes) override { return m_ring.Lock(pixels, pitchBytes); }
    void Unlock() override { m_ring.Unlock(); }
    void MarkChanged(const PageRect& rect) override { m_ring.MarkChanged(rect); }
    bool IsLocked() const override { return m_ring.IsLocked(); }
    // The system never takes the pages' memory here.
    bool IsLost() const override { return false; }
    bool Restore() override { return true; }
    bool Fill(int left, int top, int right, int bottom, uint32_t value) override;
    bool Present() override;
    bool FlipToSystemSurface() override { return m_open; }
    void SetPalette(int first, int count, const PaletteEntry* entries) override;
    void GetSystemPaletteEntries(int first, int count, PaletteEntry* entries) override;
    uint32_t GetGreenMask() const override { return kGreenMask565; }
    void SetDataDepth(int bitsPerPixel) override { m_dataDepth = bitsPerPixel; }
    int GetDataDepth() const override { return m_dataDepth; }

    // Draws the last picture again (the window was exposed or resized).
    void Represent();
    // The window changed: the bars beside the picture are cleared at the next drawing.
    void ForgetBars() { m_barsCleared = false; }
    // The renderer lost its textures: makes the texture again and shows the page on screen.
    void RecreateTexture();
    // The window goes away: the texture belongs to its renderer.
    void ReleaseTexture();

private:
    bool MakeTexture();
    // The software renderer's window surface holds 8-8-8 pixels the display can write itself.
    bool CanDrawIntoWindow() const;
    // Scales the rectangles of the kept picture (null: all of it, the bars beside it black) into
    // the window and shows them; false when the window's surface cannot be had.
    bool DrawIntoWindow(const std::vector<PageRect>* rects);
    // Converts the rectangles of the page into the texture; false when nothing could be.
    bool Upload(const uint8_t* page, const std::vector<PageRect>& rects);
    // The whole page.
    bool UploadAll(const uint8_t* page);

    SdlBackend& m_backend;
    PageRing m_ring;
    bool m_open = false;
    bool m_fullScreen = false;
    int m_dataDepth = 0;
    SDL_Texture* m_texture = nullptr;
    bool m_hasPicture = false;
    // Drawing into the window's surface: the page as the window shows it, 32-bit pixels.
    bool m_intoWindow = false;
    std::vector<uint32_t> m_picture;
    PageScaler m_scaler;
    std::vector<SDL_Rect> m_windowRects;
    // The texture takes the page's bytes as they are (no conversion).
    bool m_sameLayout = false;
    bool m_barsCleared = false;
    std::array<PaletteEntry, 256> m_palette{};
    PaletteTable32 m_table{};
    std::vector<PageRect> m_rects;
};

} // namespace platform::sdl
