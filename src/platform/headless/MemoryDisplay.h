#pragma once
// The headless display: the page is a memory buffer; a present copies it to the shown picture,
// which a test reads, and moves the virtual clock on by one present step.
#include "platform/Display.h"

#include <array>
#include <cstdint>
#include <vector>

namespace platform {

class MemoryDisplay : public Display
{
public:
    std::vector<DisplayMode> GetModes(int bitsPerPixel) override;
    bool SetMode(const DisplayMode& mode) override;
    DisplayMode GetMode() const override { return m_mode; }
    bool HasMode() const override { return m_mode.width > 0; }
    bool Lock(uint8_t*& pixels, int& pitchBytes) override;
    void Unlock() override { m_locked = false; }
    bool IsLocked() const override { return m_locked; }
    bool Present() override;
    void SetPalette(int first, int count, const PaletteEntry* entries) override;

    // Test hooks.
    int GetPitch() const { return m_pitch; }
    const std::vector<uint8_t>& GetShownPixels() const { return m_shown; }
    const std::array<PaletteEntry, 256>& GetPalette() const { return m_palette; }
    int GetPresentCount() const { return m_presentCount; }
    // The modes GetModes offers (default: 640 x 480 and 800 x 600 at every depth).
    void SetAvailableSizes(std::vector<std::pair<int, int>> sizes) { m_sizes = std::move(sizes); }
    void Reset();

private:
    DisplayMode m_mode;
    int m_pitch = 0;
    bool m_locked = false;
    int m_presentCount = 0;
    std::vector<uint8_t> m_page;
    std::vector<uint8_t> m_shown;
    std::array<PaletteEntry, 256> m_palette{};
    std::vector<std::pair<int, int>> m_sizes{{640, 480}, {800, 600}};
};

} // namespace platform
