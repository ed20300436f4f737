#pragma once
// A list of rows over a tree model: a flat list, or a tree with icons, connector lines and rows
// that open and close. Rows may hold tab-separated columns laid out by an attached header, which
// also picks the sort column. One row is selected at a time (mouse, keys, type-ahead); the view
// scrolls smoothly and shows its own vertical scroll bar when the rows do not fit.
//
// The rule a caller must know: the model (or the named list) is never owned and must outlive the
// list box or be replaced first; after the model changes, SetItemSource again. The parent hears
// code 1 when the selection changes (not when quiet) and code 0 on a double click.
#include "objects/ItemListTreeAdapter.h"
#include "ui/JWindow.h"
#include "ui/WindowWatch.h"

#include <cstdint>
#include <string>
#include <vector>

class CItemList;
class CJHeader;
class CJScrollBar;

class CJListBox : public CJWindow
{
public:
    // A custom comparison: column, the two cell texts, the model and the two ids; <0, 0 or >0.
    using CompareFunction = int (*)(int32_t column, const char* a, const char* b, const CTreeModel* model,
                                    uint32_t idA, uint32_t idB);

    static constexpr size_t kTypeAheadCapacity = 240;
    static constexpr uint32_t kTypeAheadMilliseconds = 1000;

    struct Row
    {
        uint32_t id = 0;
        bool open = false;
        bool hasChildren = false;
        uint32_t depth = 0;
        uint32_t parentId = 0;
        // Bit d: the ancestor line at depth d ends at this row.
        uint32_t lastChildMask = 0;
    };

    // The list is shown through the list box's own adapter (null: empty). widthUnits limits the
    // width in font units; sortMode 1 sorts rows as they are inserted and when the header asks.
    CJListBox(CJWindow* parent, CItemList* list, uint32_t widthUnits, uint32_t sortMode);
    CJListBox(CJWindow* parent, CTreeModel* source, uint32_t widthUnits, uint32_t sortMode);
    ~CJListBox() override;

    // --- Own virtual operations. ---
    virtual void DrawRows(COffsetClippedProxyFrame* frame, bool raised);
    // -1 (kNoItem) when nothing is selected.
    virtual uint32_t GetSelectedId() const;
    // Empty when nothing is selected.
    virtual const char* GetSelectedText() const;
    virtual uint32_t GetCurrentId() const { return GetSelectedId(); }
    // Opens the closed ancestors first; false when the id is not in the model.
    virtual bool SelectItemById(uint32_t id, bool quiet);
    virtual void DrawRow(CFrameInterface* frame, int32_t x, int32_t y, int32_t textX, int32_t gap, uint32_t row);
    virtual void DrawCells(CFrameInterface* frame, int32_t x, int32_t y, const char* text);
    // Empty for a row past the end or a model without text.
    virtual const char* GetRowText(uint32_t row) const;
    virtual int32_t GetRowHeight() const;
    // The extra pixels between rows (hides the window base's text spacing, which lists do not use).
    virtual int32_t GetRowSpacing() const { return m_extraRowSpacing; }
    virtual int32_t GetIndentWidth() const { return 4 * GetFontUnit(); }
    virtual void DrawLastBranch(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawJoinBranch(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawBranch(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawLine(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawSelection(CFrameInterface* frame, int32_t y);
    virtual void DrawOpenFolderIcon(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawClosedFolderIcon(CFrameInterface* frame, int32_t x, int32_t y);
    virtual void DrawFileIcon(CFrameInterface* frame, int32_t x, int32_t y);
    // The widest of the three icons; 0 when they are missing.
    virtual int32_t GetIconWidth() const;
    // A new vertical bar, not yet linked; null when none can be made.
    virtual CJScrollBar* CreateScrollBar();

    // --- Window base operations. ---
    void Draw(COffsetClippedProxyFrame* frame) override;
    bool OnDoubleClick(int32_t button, const CIntPoint& point, bool& keepPress) override;
    bool OnMouseDown(int32_t button, const CIntPoint& point) override;
    bool OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor) override;
    bool OnMouseWheel(int32_t notches, const CIntPoint& point) override;
    bool OnKey(int32_t key) override;
    void OnCommand(CJWindow* sender, int32_t code) override;
    void SetRect(const CIntRect& rect) override;
    bool OnHover(const CIntPoint& point) override;

    // --- Plain operations. ---
    // Rebuilds the rows from the model (null: empty), keeping the selected item when it is still
    // there. With withRootRow the model's root is shown as one open row.
    void SetItemSource(CTreeModel* source, bool withRootRow = false);
    // The adapter shows the list and becomes the model.
    void SetList(CItemList* list);
    CTreeModel* GetItemSource() const { return m_source; }
    // Links the header (not owned; null: none) and lets its clicks sort. Either may be deleted
    // first: the list forgets a deleted header and takes its sorting back from the header.
    void AttachHeader(CJHeader* header);
    CJHeader* GetHeader() const;
    // The header when it lays out at least two columns, else null (rows are then one text).
    CJHeader* GetColumnHeader() const;
    // -1 selects nothing; a row the model vetoes or one past the end changes nothing.
    void SelectRow(int32_t row, bool quiet);
    int32_t GetSelectedRow() const { return m_selected; }
    // -1 when the id is not shown.
    int32_t FindRowOfId(uint32_t id) const;
    void Expand(uint32_t row);
    void Collapse(uint32_t row);
    // Opens the ancestors of the id from the top down; false when it cannot be reached.
    bool ExpandToItem(uint32_t id);
    // Sorts every row (the header's callback).
    void SortAllRows();

    uint32_t GetRowCount() const { return static_cast<uint32_t>(m_rows.size()); }
    const Row& GetRow(uint32_t row) const { return m_rows[row]; }
    uint32_t GetVisibleRows() const { return m_visibleRows; }
    uint32_t GetMaxVisibleRows() const { return m_maxVisibleRows; }
    // Both counts at once, the visible one no more than the rows (the drop-down list sets them).
    void SetVisibleRowLimit(uint32_t maximum);
    int32_t GetScrollPosition() const { return m_scrollPosition; }
    int32_t GetScrollTarget() const { return m_scrollTarget; }
    // Position and target at once, clamped to the scroll range.
    void ScrollTo(int32_t position);
    int32_t GetMaxScroll() const;
    uint32_t GetWidestWidth() const { return m_widestWidth; }
    uint32_t GetWidthLimit() const { return m_widthLimit; }
    bool IsTree() const { return m_tree; }
    uint32_t GetSortMode() const { return m_sortMode; }
    void SetSortMode(uint32_t mode) { m_sortMode = mode; }
    void SetCompareFunction(CompareFunction compare) { m_compare = compare; }
    void SetFlat(bool flat, bool withoutIcons)
    {
        m_flat = flat;
        m_flatWithoutIcons = withoutIcons;
    }
    void SetBevel(bool bevel) { m_bevel = bevel; }
    void SetTooltips(bool tooltips) { m_tooltips = tooltips; }
    void SetErrorSound(bool on) { m_errorSound = on; }
    void SetExternalScrollBar(bool external) { m_externalBar = external; }
    void SetIndentOrigin(uint32_t origin) { m_indentOrigin = origin; }
    void SetJoinConnectors(bool join) { m_joinConnectors = join; }
    void SetFilesAsOpenFolders(bool open) { m_filesAsOpenFolders = open; }
    void SetExtraRowSpacing(int32_t pixels) { m_extraRowSpacing = pixels; }
    void SetLayoutEnabled(bool enabled) { m_layoutEnabled = enabled; }
    CJScrollBar* GetScrollBar() const { return m_bar; }
    const std::string& GetTypedText() const { return m_typed; }
    uint32_t GetMatchOffset() const { return m_matchOffset; }
    // The text of an id, never null.
    const char* GetItemText(uint32_t id) const;

protected:
    // One smooth step toward the target (run after each draw).
    void StepSmoothScroll();
    // Makes or deletes the bar as the rows need and sets its range and position quietly.
    void UpdateScrollBar();
    // The row under a screen point, -1 when none.
    int32_t RowAtPoint(const CIntPoint& point) const;
    // The content height the rows may fill (height less the bevel band).
    int32_t GetViewHeight() const;
    // Width of the bar when it is shown, else 0.
    int32_t GetBarWidth() const;
    void ClearTypedText() { m_typed.clear(); }

private:
    void Construct(uint32_t widthUnits, uint32_t sortMode);
    // Inserts the parent's children as rows at index, at depth; sorts them in sort mode 1.
    void FillChildren(uint32_t parentId, uint32_t depth, uint32_t index);
    // The last-child masks of every row, from the rows' order and depths.
    void RecomputeMasks();
    // Appends rows [first, end) to out with each sibling run sorted, descendants under their row.
    void SortBlock(size_t first, size_t end, std::vector<Row>& out) const;
    void RefreshVisibleRows();
    // Sorts rows [first, first + count).
    void SortRun(uint32_t first, uint32_t count);
    int CompareRows(const Row& a, const Row& b) const;
    void MeasureWidest();
    // Keys; each answers whether it took the key.
    bool HandleTreeKey(int32_t key);
    bool HandleNavigationKey(int32_t key);
    bool HandleTypeAhead(int32_t key);
    // The type-ahead search stages; false when nothing matches.
    bool SearchTyped();
    // First selectable row from (or before, backwards) the index; -1 when none.
    int32_t NextSelectable(int32_t from, int32_t step) const;
    bool IsRowSelectable(int32_t row) const;
    // Opens the ancestors and selects the id; false when it cannot be shown.
    bool RevealAndSelect(uint32_t id, bool quiet);
    void DrawConnectors(CFrameInterface* frame, uint32_t row, int32_t x, int32_t y);
    void DrawRowIcon(CFrameInterface* frame, uint32_t row, int32_t x, int32_t y);
    void DrawIcon(CFrameInterface* frame, int32_t which, int32_t x, int32_t y);
    void DrawTypedHighlight(CFrameInterface* frame, int32_t x, int32_t y, uint32_t row);
    // The icon frame of that index (0 open folder, 1 closed folder, 2 file), looked up once.
    CFrame* GetIcon(int32_t which) const;
    void DeleteScrollBar();

    std::vector<Row> m_rows;
    int32_t m_selected = -1;
    int32_t m_scrollPosition = 0;
    int32_t m_scrollTarget = 0;
    uint32_t m_visibleRows = 1;
    uint32_t m_maxVisibleRows = 1;
    uint32_t m_sortMode = 0;
    CTreeModel* m_source = nullptr;
    CItemListTreeAdapter m_adapter{nullptr};
    uint32_t m_widestWidth = 0;
    std::string m_typed;
    uint32_t m_matchOffset = 0;
    uint32_t m_lastKeyTime = 0;
    uint32_t m_widthLimit = 0;
    bool m_flat = false;
    bool m_flatWithoutIcons = false;
    bool m_layoutEnabled = false;
    bool m_tree = false;
    uint32_t m_indentOrigin = 1;
    int32_t m_textGap = 0;
    bool m_joinConnectors = false;
    bool m_filesAsOpenFolders = false;
    CompareFunction m_compare = nullptr;
    CWindowWatch m_header{nullptr};
    CJScrollBar* m_bar = nullptr;
    bool m_tooltips = true;
    bool m_bevel = true;
    bool m_externalBar = false;
    bool m_errorSound = true;
    int32_t m_extraRowSpacing = 0;
    mutable bool m_iconsLookedUp = false;
    mutable CFrame* m_icons[3] = {};
};
