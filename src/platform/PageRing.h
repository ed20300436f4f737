#pragma once
// The pages of a display in ordinary memory: a ring of back buffer count + 1 pages of one size,
// depth and pitch, the back page (drawn next) and the page last shown. Both display backends keep
// their pages in one.
//
// It also keeps, per page and in cells of 32 x 32 pixels, where the page may differ from the picture
// on the screen, so that a present converts only that: drawing (a lock, a fill) adds to the back
// page's record. Showing a page compares cell by cell: a cell that holds what the screen already
// shows is not shown again, and every other page's record of a shown cell becomes whether that
// page's pixels there differ from the shown page's.
#include "platform/DamageGrid.h"
#include "platform/Display.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class PageRing
{
public:
    // Black pages; false (and no pages) for a depth or size the display cannot have.
    bool Create(const DisplayMode& mode, int backBufferCount);
    void Release();

    bool HasPages() const { return !m_pages.empty(); }
    const DisplayMode& GetMode() const { return m_mode; }
    int GetPitch() const { return m_pitch; }
    int GetBackBufferCount() const { return HasPages() ? static_cast<int>(m_pages.size()) - 1 : 0; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    int GetBackIndex() const { return m_back; }
    // The page on screen; -1 before the first present.
    int GetFrontIndex() const { return m_front; }
    uint8_t* GetPage(int index);
    const uint8_t* GetPage(int index) const;
    size_t GetPageSize() const { return static_cast<size_t>(m_pitch) * static_cast<size_t>(m_mode.height); }

    bool Lock(uint8_t*& pixels, int& pitchBytes);
    // A lock whose locker reported nothing counts as drawing on the whole back page.
    void Unlock();
    bool IsLocked() const { return m_locked; }
    // Display::MarkChanged.
    void MarkChanged(const PageRect& rect);
    // Every page differs from the screen everywhere (the screen lost its picture or its colours).
    void MarkAllChanged();
    // Appends where the page differs from the screen and clears that record: the caller puts those
    // rectangles of the page on the screen (and calls Show when it shows the back page).
    void TakeChangesToShow(int index, std::vector<PageRect>& out);

    // Every page turns black and stays lost until Restore.
    void Lose();
    bool IsLost() const { return m_lost; }
    void Restore() { m_lost = false; }

    bool Fill(int left, int top, int right, int bottom, uint32_t value);

    // The back page becomes the page on screen; with back buffers the next page of the ring
    // becomes the back page.
    void Show();

private:
    // Whether the two pages hold the same pixels in the rectangle.
    bool SamePixels(int a, int b, const PageRect& rect) const;

    DisplayMode m_mode;
    int m_pitch = 0;
    int m_back = 0;
    int m_front = -1;
    bool m_locked = false;
    bool m_lost = false;
    bool m_reported = false;
    // The screen shows exactly the front page: a present left it so, and no palette change, loss
    // or new ring since made every page differ from it.
    bool m_screenShowsFront = false;
    std::vector<std::vector<uint8_t>> m_pages;
    std::vector<DamageGrid> m_changes;
    DamageGrid m_toShow;
    std::vector<uint8_t> m_fillRow;
};

} // namespace platform
