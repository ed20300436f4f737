#include "platform/PageRing.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {
constexpr int kMaxPageSide = 16384;
constexpr int kMaxBackBuffers = 2;
} // namespace

bool PageRing::Create(const DisplayMode& mode, int backBufferCount)
{
    Release();
    const int pitch = PagePitch(mode.width, mode.bitsPerPixel);
    if (pitch == 0 || mode.height <= 0 || mode.width > kMaxPageSide || mode.height > kMaxPageSide ||
        backBufferCount < 0 || backBufferCount > kMaxBackBuffers)
        return false;
    m_mode = mode;
    m_pitch = pitch;
    m_pages.assign(static_cast<size_t>(backBufferCount) + 1, std::vector<uint8_t>(GetPageSize(), 0));
    m_changes.assign(m_pages.size(), DamageGrid());
    for (DamageGrid& grid : m_changes)
        grid.Resize(mode.width, mode.height);
    MarkAllChanged();
    return true;
}

void PageRing::Release()
{
    m_mode = {};
    m_pitch = 0;
    m_back = 0;
    m_front = -1;
    m_locked = false;
    m_lost = false;
    m_reported = false;
    m_pages.clear();
    m_changes.clear();
}

uint8_t* PageRing::GetPage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(index)].data();
}

const uint8_t* PageRing::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(index)].data();
}

bool PageRing::Lock(uint8_t*& pixels, int& pitchBytes)
{
    if (!HasPages() || m_locked || m_lost)
        return false;
    m_locked = true;
    m_reported = false;
    pixels = GetPage(m_back);
    pitchBytes = m_pitch;
    return true;
}

void PageRing::Unlock()
{
    if (m_locked && !m_reported)
        m_changes[static_cast<size_t>(m_back)].AddAll();
    m_locked = false;
}

void PageRing::MarkChanged(const PageRect& rect)
{
    if (!m_locked)
        return;
    m_reported = true;
    m_changes[static_cast<size_t>(m_back)].Add(rect);
}

void PageRing::MarkAllChanged()
{
    for (DamageGrid& grid : m_changes)
        grid.AddAll();
}

void PageRing::TakeChangesToShow(int index, std::vector<PageRect>& out)
{
    if (index < 0 || index >= GetPageCount())
        return;
    DamageGrid& shown = m_changes[static_cast<size_t>(index)];
    const size_t first = out.size();
    shown.GetRects(out);
    shown.Clear();
    // The screen changes there; another page now differs from it where its pixels differ from this
    // page's. Pages that hold the same picture stop being copied again and again.
    const size_t bytes = static_cast<size_t>(BytesPerPixel(m_mode.bitsPerPixel));
    for (int other = 0; other < GetPageCount(); ++other) {
        if (other == index)
            continue;
        for (size_t i = first; i < out.size(); ++i) {
            const PageRect& rect = out[i];
            const size_t width = static_cast<size_t>(rect.right - rect.left) * bytes;
            for (int y = rect.top; y < rect.bottom; ++y) {
                const size_t at = static_cast<size_t>(y) * static_cast<size_t>(m_pitch) + rect.left * bytes;
                if (std::memcmp(GetPage(index) + at, GetPage(other) + at, width) != 0) {
                    m_changes[static_cast<size_t>(other)].Add(rect);
                    break;
                }
            }
        }
    }
}

void PageRing::Lose()
{
    for (auto& page : m_pages)
        std::fill(page.begin(), page.end(), uint8_t{0});
    m_lost = HasPages();
    MarkAllChanged();
}

bool PageRing::Fill(int left, int top, int right, int bottom, uint32_t value)
{
    if (!HasPages() || m_lost)
        return false;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_mode.width);
    bottom = std::min(bottom, m_mode.height);
    if (right <= left || bottom <= top)
        return true;
    const int bytes = BytesPerPixel(m_mode.bitsPerPixel);
    uint8_t pixel[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    // One row of the value, to compare and copy whole rows.
    m_fillRow.resize(static_cast<size_t>(right - left) * bytes);
    for (size_t at = 0; at < m_fillRow.size(); at += static_cast<size_t>(bytes))
        std::memcpy(&m_fillRow[at], pixel, static_cast<size_t>(bytes));
    // Rows that already hold the value are no change: a page filled again with the same colour
    // costs its present nothing.
    uint8_t* page = GetPage(m_back);
    int firstChanged = bottom, lastChanged = top - 1;
    for (int y = top; y < bottom; ++y) {
        uint8_t* p = page + static_cast<size_t>(y) * m_pitch + static_cast<size_t>(left) * bytes;
        if (std::memcmp(p, m_fillRow.data(), m_fillRow.size()) == 0)
            continue;
        std::memcpy(p, m_fillRow.data(), m_fillRow.size());
        firstChanged = std::min(firstChanged, y);
        lastChanged = y;
    }
    if (firstChanged <= lastChanged)
        m_changes[static_cast<size_t>(m_back)].Add({left, firstChanged, right, lastChanged + 1});
    return true;
}

void PageRing::Show()
{
    m_front = m_back;
    if (HasPages())
        m_back = (m_back + 1) % GetPageCount();
}

} // namespace platform
