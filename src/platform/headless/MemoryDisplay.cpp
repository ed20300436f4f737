#include "platform/headless/MemoryDisplay.h"

#include "platform/Time.h"

#include <algorithm>
#include <cstring>

namespace platform {

bool MemoryDisplay::Open()
{
    ++m_deviceCalls;
    if (m_openRefused)
        return false;
    m_open = true;
    return true;
}

void MemoryDisplay::Close()
{
    ++m_deviceCalls;
    ReleasePages();
    m_open = false;
    m_fullScreen = false;
    m_screenMode = {};
}

bool MemoryDisplay::SetFullScreen(bool fullScreen)
{
    ++m_deviceCalls;
    if (!m_open)
        return false;
    m_fullScreen = fullScreen;
    return true;
}

std::vector<DisplayMode> MemoryDisplay::GetModes(int bitsPerPixel)
{
    std::vector<DisplayMode> modes;
    if (!m_open || BytesPerPixel(bitsPerPixel) == 0 ||
        std::find(m_depths.begin(), m_depths.end(), bitsPerPixel) == m_depths.end())
        return modes;
    for (auto [w, h] : m_sizes)
        modes.push_back({w, h, bitsPerPixel});
    std::sort(modes.begin(), modes.end(), [](const DisplayMode& a, const DisplayMode& b) {
        return a.width != b.width ? a.width < b.width : a.height < b.height;
    });
    return modes;
}

bool MemoryDisplay::SetMode(const DisplayMode& mode)
{
    ++m_deviceCalls;
    if (!m_open || !m_fullScreen || m_modeRefused)
        return false;
    auto modes = GetModes(mode.bitsPerPixel);
    if (std::find(modes.begin(), modes.end(), mode) == modes.end())
        return false;
    m_screenMode = mode;
    return true;
}

bool MemoryDisplay::CreatePages(const DisplayMode& mode, int backBufferCount, bool videoMemory)
{
    ++m_deviceCalls;
    if (!m_open || (m_fullScreen ? backBufferCount < 1 : backBufferCount != 0))
        return false;
    if (backBufferCount > m_maxBackBuffers || (videoMemory && !m_videoMemory))
        return false;
    if (!m_ring.Create(mode, backBufferCount))
        return false;
    for (int i = 0; i < 256; ++i) {
        const uint8_t v = static_cast<uint8_t>(i);
        m_palette[static_cast<size_t>(i)] = {v, v, v, 0};
    }
    m_shown.assign(m_ring.GetPageSize(), 0);
    m_shownMode = mode;
    m_shownPitch = m_ring.GetPitch();
    return true;
}

void MemoryDisplay::ReleasePages()
{
    ++m_deviceCalls;
    m_ring.Release();
}

bool MemoryDisplay::Lock(uint8_t*& pixels, int& pitchBytes)
{
    return m_ring.Lock(pixels, pitchBytes);
}

bool MemoryDisplay::Restore()
{
    if (m_restoreRefused)
        return false;
    m_ring.Restore();
    return true;
}

bool MemoryDisplay::Fill(int left, int top, int right, int bottom, uint32_t value)
{
    return m_ring.Fill(left, top, right, bottom, value);
}

bool MemoryDisplay::Present()
{
    if (!m_ring.HasPages() || m_ring.IsLocked() || m_ring.IsLost())
        return false;
    const int back = m_ring.GetBackIndex();
    const uint8_t* page = m_ring.GetPage(back);
    m_lastShownRects.clear();
    m_ring.TakeChangesToShow(back, m_lastShownRects);
    const size_t bytes = static_cast<size_t>(BytesPerPixel(m_ring.GetMode().bitsPerPixel));
    for (const PageRect& rect : m_lastShownRects)
        for (int y = rect.top; y < rect.bottom; ++y) {
            const size_t at = static_cast<size_t>(y) * static_cast<size_t>(m_ring.GetPitch()) + rect.left * bytes;
            std::memcpy(m_shown.data() + at, page + at, static_cast<size_t>(rect.right - rect.left) * bytes);
        }
    m_ring.Show();
    ++m_presentCount;
    if (IsVirtualClock())
        AdvanceVirtualClock(GetVirtualPresentStep());
    return true;
}

bool MemoryDisplay::FlipToSystemSurface()
{
    return m_open && !m_flipToSystemRefused;
}

void MemoryDisplay::SetPalette(int first, int count, const PaletteEntry* entries)
{
    if (!entries || first < 0 || count <= 0 || first >= 256)
        return;
    count = std::min(count, 256 - first);
    std::copy(entries, entries + count, m_palette.begin() + first);
    if (m_ring.HasPages() && m_ring.GetMode().bitsPerPixel == 8)
        ++m_paletteChanges;
}

void MemoryDisplay::GetSystemPaletteEntries(int first, int count, PaletteEntry* entries)
{
    ReadSystemPaletteEntries(m_palette, first, count, entries);
}

uint32_t MemoryDisplay::GetShownColor(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_shownMode.width || y >= m_shownMode.height || m_shown.empty())
        return 0;
    const int bytes = BytesPerPixel(m_shownMode.bitsPerPixel);
    const uint8_t* p = m_shown.data() + static_cast<size_t>(y) * m_shownPitch + static_cast<size_t>(x) * bytes;
    // Channels widened by repeating their top bits, as a screen turns 5 or 6 bits into 8.
    auto widen = [](uint32_t v, int bits) { return (v << (8 - bits)) | (v >> (2 * bits - 8)); };
    uint32_t r = 0, g = 0, b = 0;
    switch (bytes) {
    case 1: {
        const PaletteEntry& e = m_palette[p[0]];
        r = e.red, g = e.green, b = e.blue;
        break;
    }
    case 2: {
        const uint32_t v = p[0] | (p[1] << 8);
        if (m_greenMask == kGreenMask555) {
            r = widen((v >> 10) & 31, 5), g = widen((v >> 5) & 31, 5), b = widen(v & 31, 5);
        } else {
            r = widen((v >> 11) & 31, 5), g = widen((v >> 5) & 63, 6), b = widen(v & 31, 5);
        }
        break;
    }
    default:
        b = p[0], g = p[1], r = p[2];
        break;
    }
    return (r << 16) | (g << 8) | b;
}

void MemoryDisplay::Reset()
{
    *this = MemoryDisplay();
}

} // namespace platform
