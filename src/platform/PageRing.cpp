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
    m_toShow.Resize(mode.width, mode.height);
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
    m_screenShowsFront = false;
    m_pages.clear();
    m_changes.clear();
    m_toShow.Resize(0, 0);
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
    m_screenShowsFront = false;
}

bool PageRing::SamePixels(int a, int b, const PageRect& rect) const
{
    const size_t bytes = static_cast<size_t>(BytesPerPixel(m_mode.bitsPerPixel));
    const size_t width = static_cast<size_t>(rect.right - rect.left) * bytes;
    const uint8_t* first = GetPage(a);
    const uint8_t* second = GetPage(b);
    for (int y = rect.top; y < rect.bottom; ++y) {
        const size_t at = static_cast<size_t>(y) * static_cast<size_t>(m_pitch) + static_cast<size_t>(rect.left) * bytes;
        if (std::memcmp(first + at, second + at, width) != 0)
            return false;
    }
    return true;
}

void PageRing::TakeChangesToShow(int index, std::vector<PageRect>& out)
{
    if (index < 0 || index >= GetPageCount())
        return;
    DamageGrid& changes = m_changes[static_cast<size_t>(index)];
    // A cell that holds what the screen shows already needs no copy. Only a front page other than
    // this one is known to be on the screen (a single page is drawn on after it was shown).
    const bool screenKnown = m_screenShowsFront && m_front >= 0 && m_front != index && !m_lost;
    m_toShow.Clear();
    for (int row = 0; row < changes.GetRows(); ++row)
        for (int column = 0; column < changes.GetColumns(); ++column) {
            if (!changes.Cell(column, row))
                continue;
            const PageRect cell = changes.CellRect(column, row);
            if (screenKnown && SamePixels(index, m_front, cell))
                continue;
            m_toShow.SetCell(column, row, true);
            // The screen shows this page's cell now: another page differs from it exactly where
            // its own pixels do, so pages that hold the same picture stop being copied again.
            for (int other = 0; other < GetPageCount(); ++other)
                if (other != index)
                    m_changes[static_cast<size_t>(other)].SetCell(column, row, !SamePixels(index, other, cell));
        }
    changes.Clear();
    m_toShow.GetRects(out);
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
    m_screenShowsFront = HasPages();
    if (HasPages())
        m_back = (m_back + 1) % GetPageCount();
}

} // namespace platform
