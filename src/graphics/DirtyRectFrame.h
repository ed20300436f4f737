#pragma once
// The game's back buffer: a frame in memory of the display's size and depth that remembers, in
// grids of 32 x 32 cells, what changed. At the start of a frame only the cells drawn in the last
// frame are restored (from a background frame or colour); at its end only changed cells are copied
// to the display. The display shows several pages in turn, so the buffer keeps a pair of grids per
// page: cells changed since that page was last shown, and cells copied to it then.
//
// What lies over the picture (the windows and the pointer) is drawn between BeginOverlay and
// EndOverlay and kept rather than restored: its calls are recorded and compared with the last
// frame's, and drawn again only where they changed and where the picture under them changed
// (OverlayDrawing.h). Drawing under a kept overlay first gives the cells it touches their picture
// back; where that picture comes out as it was the last time the overlay was drawn over it, the
// overlay's result from then is put back instead of drawing it again.
//
// Per drawn frame: Clear (restore), drawing, BeginOverlay, the overlay's drawing, EndOverlay,
// PresentDirtyCells onto the display, the display's Present, NextPage. Whenever the buffer is
// (re)built: Create, SetPageCount (back buffer count + 1), MarkAllDirty.
#include "graphics/Color.h"
#include "graphics/DirtyCellGrid.h"
#include "graphics/Frame.h"
#include "graphics/OverlayDrawing.h"

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

    // The overlay's calls are recorded from here; without kept overlays (SetOverlaysKept) they are
    // drawn straight as any other drawing.
    void BeginOverlay();
    // The overlay drawn where it changed and where the picture under it was drawn again.
    void EndOverlay();
    bool IsRecordingOverlay() const { return m_overlayOpen; }
    // Process-wide, true by default: false draws every overlay straight, every frame, as all other
    // drawing (the picture is the same; tests compare the two).
    static void SetOverlaysKept(bool kept);
    // Pixels the last EndOverlay drew (an area drawn by two calls counts twice).
    uint64_t GetOverlayDrawnArea() const { return m_overlayDrawnArea; }

    uint32_t GetCurrentPage() const { return m_currentPage; }
    uint32_t GetPageCount() const { return m_pageCount; }
    const CDirtyCellGrid& GetPendingGrid(uint32_t page) const { return m_pendingGrids[page]; }
    const CDirtyCellGrid& GetShownGrid(uint32_t page) const { return m_shownGrids[page]; }
    const CDirtyCellGrid& GetRestoreGrid() const { return m_restoreGrid; }

private:
    // Before a drawing of the picture under the overlay: cells of the rectangle that hold kept
    // overlay pixels get their picture back, to be drawn over again at EndOverlay. A blit drawn
    // only inside the cells drawn this frame touches only those (cells drawn this frame were
    // touched then, but one invalidated since may still keep overlay pixels).
    void Touch(const CIntRect& rect, bool onlyDrawnCells = false);
    // The cell's kept overlay pixels give way to the picture under them.
    void RestoreOverlayCell(int32_t column, int32_t row);
    // The background (frame or colour) into the rectangle, unmarked.
    void RestoreArea(const CIntRect& rect);
    void ResetOverlay();
    // The steps of EndOverlay (DirtyRectFrameOverlay.cpp): what must be drawn again into the
    // replay grid; the overlay's result put back where the picture under it did not change; the
    // copies of the picture under the overlay and of the result, where it was drawn again.
    void FindOverlayReplay();
    void PutBackOverlay();
    void DrawOverlayAgain();
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

    COverlayDrawing m_overlay;
    bool m_overlayOpen = false;
    // Between Clear and EndOverlay: drawing goes under the overlay (Touch).
    bool m_underOverlay = false;
    // Some cell may hold kept overlay pixels.
    bool m_overlayKept = false;
    CDirtyCellGrid m_overlayGrid;
    // What this frame gave its picture back (restored): the overlay is drawn again there, or its
    // result put back where the picture is the one it was last drawn over.
    CDirtyCellGrid m_freshGrid;
    CDirtyCellGrid m_replayGrid;
    // Cells the overlay draws on this frame.
    CDirtyCellGrid m_extentGrid;
    // Whole cells whose two copies below hold the picture under the overlay and the result.
    CDirtyCellGrid m_knownGrid;
    CFrame m_underCopy;
    CFrame m_resultCopy;
    std::vector<CIntRect> m_overlayAreas;
    std::vector<CIntRect> m_inexactAreas;
    std::vector<CIntRect> m_regions;
    uint64_t m_overlayDrawnArea = 0;
};
