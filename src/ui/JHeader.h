#pragma once
// The column header of a list: a row of titled columns whose right edges can be dragged to resize
// them, and whose titles choose the list's sort column and direction by a click (a click on the
// sort column reverses it). With a total width the last column stretches or shrinks so that the
// columns keep that width.
//
// The rule a caller must know: the parent hears code 1 while a column is resized and code 0 after
// a click changed the sort; the callbacks run after those notifications. Column indices past the
// end answer 0 or false.
#include "foundation/SharedString.h"
#include "ui/JWindow.h"

#include <memory>
#include <vector>

class CCallback;
class CFrame;

struct CHeaderColumn
{
    int32_t x = 0;  // from the header's left
    int32_t width = 0;
    float widthFraction = 0.0f;  // of the header's width when the column was added
    CSharedString title;
    CFont* font = nullptr;
    std::unique_ptr<CFrame> image;  // shown instead of the title when set
    bool resizable = true;
    bool fixedDigits = false;  // every digit as wide as "8"
    int32_t justification = 0;  // 0 left, 1 centred, 2 right
    uint32_t alphabetic = 0;    // 0: the column sorts by number
    uint32_t descending = 0;
};

class CJHeader : public CJWindow
{
public:
    static constexpr int32_t kEdgeReach = 4;  // pixels either side of an edge that grab it

    explicit CJHeader(CJWindow* parent);
    ~CJHeader() override;

    void Draw(COffsetClippedProxyFrame* frame) override;
    // Near a resizable column's right edge: the resize cursor.
    CSequence* GetCursor(const CIntPoint& point) const override;
    // A left drag from an edge resizes that column (never below 1 pixel); from a title it presses
    // the column.
    bool OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor) override;
    // Releasing over the pressed column makes it the sort column.
    bool OnMouseUp(int32_t button, const CIntPoint& point) override;

    // A null font is the window's font.
    void AddColumn(int32_t width, CFont* font, int32_t justification, uint32_t alphabetic, uint32_t descending,
                   const char* title);
    int32_t GetColumnWidth(uint32_t index) const;
    bool HasFixedDigits(uint32_t index) const;
    bool IsNumeric(uint32_t index) const;
    bool IsDescending(uint32_t index) const;
    // Places the columns side by side; with a total width the last one ends there.
    void LayOutColumns();
    // The header takes the callback and deletes the former one (null: none).
    void SetSortCallback(CCallback* callback);
    void SetResizeCallback(CCallback* callback);

    // 0: the columns keep their own widths.
    void SetTotalWidth(uint32_t width);
    // While locked, columns can be neither resized nor pressed.
    void SetLocked(bool locked) { m_locked = locked; }
    void SetColumnWidth(uint32_t index, int32_t width);
    void SetColumnResizable(uint32_t index, bool resizable);
    void SetColumnFixedDigits(uint32_t index, bool fixedDigits);
    // The header takes the image (null: the title shows again).
    void SetColumnImage(uint32_t index, CFrame* image);
    uint32_t GetColumnCount() const { return static_cast<uint32_t>(m_columns.size()); }
    const CHeaderColumn* GetColumn(uint32_t index) const;
    uint32_t GetSortColumn() const { return m_sortColumn; }
    // The column the list sorts by before any click; an index past the end is ignored.
    void SetSortColumn(uint32_t index)
    {
        if (index < m_columns.size())
            m_sortColumn = index;
    }
    const CColor& GetSeparatorColor() const { return m_separatorColor; }

private:
    // The resizable column whose right edge is within reach of x (header coordinates), or -1.
    int32_t FindEdge(int32_t x) const;
    // The column under x, or -1.
    int32_t FindColumn(int32_t x) const;
    int32_t ToLocalX(int32_t screenX) const;
    void DrawColumn(COffsetClippedProxyFrame* frame, const CHeaderColumn& column);

    std::vector<std::unique_ptr<CHeaderColumn>> m_columns;
    CColor m_separatorColor;
    int32_t m_resizing = -1;
    uint32_t m_totalWidth = 0;
    uint32_t m_textInset = 3;
    uint32_t m_sortColumn = 0;
    bool m_stillOver = false;
    bool m_pressPending = false;
    bool m_locked = false;
    int32_t m_pressed = -1;
    std::unique_ptr<CCallback> m_sortCallback;
    std::unique_ptr<CCallback> m_resizeCallback;
};
