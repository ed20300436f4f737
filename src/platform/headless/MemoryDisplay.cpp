#include "platform/headless/MemoryDisplay.h"

#include "platform/Time.h"

#include <algorithm>

namespace platform {

std::vector<DisplayMode> MemoryDisplay::GetModes(int bitsPerPixel)
{
    std::vector<DisplayMode> modes;
    if (BytesPerPixel(bitsPerPixel) == 0)
        return modes;
    for (auto [w, h] : m_sizes)
        modes.push_back({w, h, bitsPerPixel, true});
    std::sort(modes.begin(), modes.end(), [](const DisplayMode& a, const DisplayMode& b) {
        return a.width != b.width ? a.width < b.width : a.height < b.height;
    });
    return modes;
}

bool MemoryDisplay::SetMode(const DisplayMode& mode)
{
    int bytes = BytesPerPixel(mode.bitsPerPixel);
    if (bytes == 0 || mode.width <= 0 || mode.height <= 0 || mode.width > 16384 || mode.height > 16384) {
        Reset();
        return false;
    }
    m_mode = mode;
    m_pitch = (mode.width * bytes + 3) & ~3;
    m_page.assign(static_cast<size_t>(m_pitch) * mode.height, 0);
    m_shown = m_page;
    m_locked = false;
    return true;
}

bool MemoryDisplay::Lock(uint8_t*& pixels, int& pitchBytes)
{
    if (!HasMode())
        return false;
    m_locked = true;
    pixels = m_page.data();
    pitchBytes = m_pitch;
    return true;
}

bool MemoryDisplay::Present()
{
    if (!HasMode() || m_locked)
        return false;
    m_shown = m_page;
    ++m_presentCount;
    if (IsVirtualClock())
        AdvanceVirtualClock(GetVirtualPresentStep());
    return true;
}

void MemoryDisplay::SetPalette(int first, int count, const PaletteEntry* entries)
{
    if (!entries || first < 0 || count <= 0 || first >= 256)
        return;
    count = std::min(count, 256 - first);
    std::copy(entries, entries + count, m_palette.begin() + first);
}

void MemoryDisplay::Reset()
{
    m_mode = {};
    m_pitch = 0;
    m_locked = false;
    m_presentCount = 0;
    m_page.clear();
    m_shown.clear();
    m_palette = {};
}

} // namespace platform
