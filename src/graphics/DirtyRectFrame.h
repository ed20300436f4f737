#pragma once
// The game's back buffer: a frame in memory of the display's size and depth that remembers, in
// grids of 32 x 32 cells, what changed. At the start of a frame only the cells drawn in the last
// frame are restored (from a background frame or colour); at its end only changed cells are copied
// to the display. The display shows several pages in turn, so the buffer keeps a pair of grids per
// page: cells changed since that page was last shown, and cells copied to it then.
//
// Per drawn frame: Clear (restore), drawing, PresentDirtyCells onto the display, the display's
// Present, NextPage. Whenever the buffer is (re)built: Create, SetPageCount (back buffer count
// + 1), MarkAllDirty.
#include "graphics/Color.h"
#include "graphics/DirtyCellGrid.h"
#include "graphics/Frame.h"

#include <cstdint>
#include <vector>

class CDirtyRectFrame : public CFrame
{
public:
    // Blit modes.
    static constexpr uint32_t kBlitAndMark = 0;
    static constexpr uint32_t kBlitWithoutMarking = 1;
    static constexpr uint32_t kBlitInsideDirtyCells = 2;

    CDirtyRectFrame();
    ~CDirtyRectFrame() override;

    // Drawing marks what it covers in the current page's pending grid and in the restore grid.
    void ClearRect(const CIntRect& rect) override;
    void FillRect(const CIntRect& rect, const CColor& color) override;
    void ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table) override;
    void FillWithColor(const CColor& color) override;
    void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color) override;
    void DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color) override;
    void SetPixel(int32_t x, int32_t y, const CColor& color) override;
    // Restores the cells drawn since the last restore (RestoreDirtyCells); the rest is kept.
    void Clear() override;
    // The bounds override when one is set (within the frame), else the frame's bounds.
    void GetBounds(CIntRect& out) const override;
    bool BlitUnclipped(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                       CBlitter* blitter) override;
    // Marks the rectangle in every page's pending grid and in the restore grid.
    virtual void InvalidateRect(const CIntRect& rect);

    // Pixels of that size and depth; every grid resized, every pending grid and the restore grid
    // all dirty.
    void Create(uint32_t width, uint32_t height, uint32_t depth);
    // n pages (at least 1), current page 0, every grid clean.
    void SetPageCount(uint32_t count);
    void SetBackgroundColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    // Not owned. Everything becomes dirty.
    void SetBackgroundFrame(CFrameInterface* frame);
    void AddDirtyRect(const CIntRect& rect) { InvalidateRect(rect); }
    void MarkAllDirty();
    // Not owned: the caller keeps the rectangle alive (and may move it) while it is set. Null
    // removes the override.
    void SetBoundsOverride(const CIntRect* bounds);
    void SetBlitMode(uint32_t mode) { m_blitMode = mode; }
    uint32_t GetBlitMode() const { return m_blitMode; }

    // Copies the current page's pending and shown cells onto the display frame with the blitter.
    void PresentDirtyCells(CFrameInterface* target, CBlitter* blitter);
    void NextPage();

    void RestoreDirtyCells();
    // Draws the source only inside cells that the restore grid has dirty (pixel coordinates).
    bool BlitWithinDirtyCells(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                              CBlitter* blitter);

    uint32_t GetCurrentPage() const { return m_currentPage; }
    uint32_t GetPageCount() const { return m_pageCount; }
    const CDirtyCellGrid& GetPendingGrid(uint32_t page) const { return m_pendingGrids[page]; }
    const CDirtyCellGrid& GetShownGrid(uint32_t page) const { return m_shownGrids[page]; }
    const CDirtyCellGrid& GetRestoreGrid() const { return m_restoreGrid; }

private:
    void Mark(const CIntRect& rect);
    void MarkEverything();
    void ResizeGrids();
    // The frame's own extent, whatever the override says.
    CIntRect GetFrameRect() const;

    CColor m_backgroundColor;
    CFrameInterface* m_backgroundFrame = nullptr;
    uint32_t m_currentPage = 0;
    uint32_t m_pageCount = 0;
    std::vector<CDirtyCellGrid> m_pendingGrids;
    std::vector<CDirtyCellGrid> m_shownGrids;
    CDirtyCellGrid m_restoreGrid;
    CDirtyCellGrid m_workGrid;
    const CIntRect* m_boundsOverride = nullptr;
    uint32_t m_blitMode = kBlitAndMark;
};
