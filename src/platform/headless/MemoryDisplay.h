#pragma once
// The headless display: the pages are a ring in memory; a present copies the page it shows into
// the shown picture, which a test reads, and moves the virtual clock on by one present step. Test
// hooks make the device refuse what a real one may refuse (the device, a mode, a flip chain, the
// hand-over to system windows), lose its pages, and report a 5-5-5 layout.
#include "platform/Display.h"
#include "platform/PageRing.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace platform {

class MemoryDisplay : public Display
{
public:
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
    bool Lock(uint8_t*& pixels, int& pitchBytes) override;
    void Unlock() override { m_ring.Unlock(); }
    void MarkChanged(const PageRect& rect) override { m_ring.MarkChanged(rect); }
    bool IsLocked() const override { return m_ring.IsLocked(); }
    bool IsLost() const override { return m_ring.IsLost(); }
    bool Restore() override;
    bool Fill(int left, int top, int right, int bottom, uint32_t value) override;
    bool Present() override;
    bool FlipToSystemSurface() override;
    void SetPalette(int first, int count, const PaletteEntry* entries) override;
    void GetSystemPaletteEntries(int first, int count, PaletteEntry* entries) override;
    uint32_t GetGreenMask() const override { return m_greenMask; }
    void SetDataDepth(int bitsPerPixel) override { m_dataDepth = bitsPerPixel; }
    int GetDataDepth() const override { return m_dataDepth; }

    // Test hooks: what the display shows.
    const std::vector<uint8_t>& GetShownPixels() const { return m_shown; }
    // The colour shown at (x, y) as 0xRRGGBB, read as the screen would (palette, 16-bit layout).
    uint32_t GetShownColor(int x, int y) const;
    const std::array<PaletteEntry, 256>& GetPalette() const { return m_palette; }
    int GetPresentCount() const { return m_presentCount; }
    // The rectangles the last present copied to the screen.
    const std::vector<PageRect>& GetLastShownRects() const { return m_lastShownRects; }
    // Palette changes that reached the screen.
    int GetPaletteChangeCount() const { return m_paletteChanges; }
    bool IsFullScreen() const { return m_fullScreen; }
    const DisplayMode& GetScreenMode() const { return m_screenMode; }
    PageRing& GetRing() { return m_ring; }
    // Calls that change the device (open, close, cooperation, mode, pages).
    int GetDeviceCallCount() const { return m_deviceCalls; }

    // Test hooks: what the device offers and refuses.
    // The sizes GetModes offers (default: 640 x 480 and 800 x 600) and the depths (8, 16, 24, 32).
    void SetAvailableSizes(std::vector<std::pair<int, int>> sizes) { m_sizes = std::move(sizes); }
    void SetAvailableDepths(std::vector<int> depths) { m_depths = std::move(depths); }
    void SetOpenRefused(bool refused) { m_openRefused = refused; }
    void SetModeRefused(bool refused) { m_modeRefused = refused; }
    // The longest flip chain the device makes (default 2) and whether it has video memory.
    void SetMaxBackBuffers(int count) { m_maxBackBuffers = count; }
    void SetVideoMemoryAvailable(bool available) { m_videoMemory = available; }
    void LosePages() { m_ring.Lose(); }
    void SetRestoreRefused(bool refused) { m_restoreRefused = refused; }
    void SetFlipToSystemRefused(bool refused) { m_flipToSystemRefused = refused; }
    void SetGreenMask(uint32_t mask) { m_greenMask = mask; }
    // Back to a fresh device with the default offers.
    void Reset();

private:
    bool m_open = false;
    bool m_fullScreen = false;
    DisplayMode m_screenMode;
    PageRing m_ring;
    std::vector<uint8_t> m_shown;
    std::vector<PageRect> m_lastShownRects;
    DisplayMode m_shownMode;
    int m_shownPitch = 0;
    std::array<PaletteEntry, 256> m_palette{};
    int m_presentCount = 0;
    int m_paletteChanges = 0;
    int m_deviceCalls = 0;
    int m_dataDepth = 0;

    std::vector<std::pair<int, int>> m_sizes{{640, 480}, {800, 600}};
    std::vector<int> m_depths{8, 16, 24, 32};
    bool m_openRefused = false;
    bool m_modeRefused = false;
    int m_maxBackBuffers = 2;
    bool m_videoMemory = true;
    bool m_restoreRefused = false;
    bool m_flipToSystemRefused = false;
    uint32_t m_greenMask = kGreenMask565;
};

} // namespace platform
