// The list box's input: tree and navigation keys, type-ahead search, mouse, wheel and cell tips.
#include "ui/JListBox.h"

#include "graphics/Font.h"
#include "objects/DataNames.h"
#include "objects/ItemList.h"
#include "platform/Time.h"
#include "sound/SoundList.h"
#include "ui/JHeader.h"
#include "ui/WindowWatch.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

enum : int32_t
{
    kKeyHome = 5,
    kKeyUp = 6,
    kKeyPageUp = 7,
    kKeyBackspace = 8,
    kKeyDown = 10,
    kKeyLeft = 11,
    kKeyRight = 12,
    kKeyEnd = 14,
    kKeyPageDown = 15,
};

constexpr const char* kErrorSound = dataname::sound::kPlayerError;

// The offset of needle in text ignoring case (prefix only when asked), -1 when absent.
int32_t FindNoCase(const char* text, const std::string& needle, bool prefixOnly)
{
    const size_t length = std::strlen(text);
    if (needle.size() > length)
        return -1;
    const size_t last = prefixOnly ? 0 : length - needle.size();
    for (size_t at = 0; at <= last; ++at) {
        size_t i = 0;
        while (i < needle.size() && std::tolower(static_cast<unsigned char>(text[at + i])) ==
                                        std::tolower(static_cast<unsigned char>(needle[i])))
            ++i;
        if (i == needle.size())
            return static_cast<int32_t>(at);
    }
    return -1;
}

} // namespace

bool CJListBox::OnKey(int32_t key)
{
    if (CJWindow::OnKey(key))
        return true;
    if (m_tree && !m_flat && HandleTreeKey(key))
        return true;
    if (HandleNavigationKey(key))
        return true;
    return HandleTypeAhead(key);
}

bool CJListBox::HandleTreeKey(int32_t key)
{
    const int32_t selected = m_selected;
    switch (key) {
    case kKeyLeft:
        if (selected < 0)
            return true;
        if (m_rows[selected].open) {
            Collapse(static_cast<uint32_t>(selected));
        } else if (m_rows[selected].depth > 0) {
            const uint32_t parent = m_rows[selected].parentId;
            if (!RevealAndSelect(parent, false))
                SelectRow(-1, false);
        }
        return true;
    case kKeyRight:
    case '+':
        if (selected >= 0)
            Expand(static_cast<uint32_t>(selected));
        return true;
    case '-':
        if (selected >= 0)
            Collapse(static_cast<uint32_t>(selected));
        return true;
    case '*':
        // Rows revealed on the way are visited too, so the whole tree opens.
        for (uint32_t row = 0; row < m_rows.size(); ++row)
            Expand(row);
        return true;
    case '/':
        for (uint32_t row = GetRowCount(); row-- > 0;)
            Collapse(row);
        return true;
    default:
        return false;
    }
}

int32_t CJListBox::NextSelectable(int32_t from, int32_t step) const
{
    for (int32_t row = from; row >= 0 && static_cast<size_t>(row) < m_rows.size(); row += step)
        if (IsRowSelectable(row))
            return row;
    return -1;
}

bool CJListBox::HandleNavigationKey(int32_t key)
{
    const int32_t count = static_cast<int32_t>(GetRowCount());
    const int32_t page = static_cast<int32_t>(m_visibleRows);
    int32_t row;
    switch (key) {
    case kKeyHome:
        row = NextSelectable(0, 1);
        break;
    case kKeyEnd:
        row = NextSelectable(count - 1, -1);
        break;
    case kKeyUp:
        if (m_selected == 0)
            return true;
        row = m_selected < 0 ? NextSelectable(0, 1) : NextSelectable(m_selected - 1, -1);
        break;
    case kKeyDown:
        row = m_selected < 0 ? NextSelectable(0, 1) : NextSelectable(m_selected + 1, 1);
        break;
    case kKeyPageUp:
        row = m_selected - page < 0 ? NextSelectable(0, 1) : NextSelectable(m_selected - page, 1);
        break;
    case kKeyPageDown:
        row = m_selected + page >= count ? NextSelectable(count - 1, -1) : NextSelectable(m_selected + page, -1);
        break;
    default:
        return false;
    }
    ClearTypedText();
    if (row >= 0)
        SelectRow(row, false);
    return true;
}

bool CJListBox::HandleTypeAhead(int32_t key)
{
    const uint32_t now = platform::GetTickCount();
    const bool fresh = static_cast<uint32_t>(now - m_lastKeyTime) <= kTypeAheadMilliseconds;
    if (key == '/' && !m_tree && m_selected >= 0) {
        const char* text = GetSelectedText();
        const char* slash = std::strchr(text + std::min(m_typed.size(), std::strlen(text)), '/');
        if (FindNoCase(text, m_typed, true) == 0 && slash) {
            m_typed.assign(text, std::min<size_t>(static_cast<size_t>(slash - text) + 1, kTypeAheadCapacity));
            m_lastKeyTime = now;
            return true;
        }
    }
    if (key != kKeyBackspace && (key < 32 || key > 126)) {
        ClearTypedText();
        return false;
    }
    if (!fresh)
        ClearTypedText();
    if (key == kKeyBackspace) {
        if (m_typed.empty())
            return false;
        m_typed.pop_back();
    } else if (m_typed.size() < kTypeAheadCapacity) {
        m_typed += static_cast<char>(key);
    }
    m_lastKeyTime = now;
    if (m_typed.empty())
        return true;
    if (!SearchTyped() && m_errorSound) {
        if (key != kKeyBackspace)
            m_typed.pop_back();
        CSoundList::GetInstance().PlaySound(kErrorSound);
    }
    return true;
}

bool CJListBox::SearchTyped()
{
    struct Stage
    {
        bool leavesOnly;
        bool prefixOnly;
    };
    static constexpr Stage kStages[] = {{true, true}, {true, false}, {false, false}};
    for (const Stage& stage : kStages) {
        for (uint32_t row = 0; row < m_rows.size(); ++row) {
            if (stage.leavesOnly && m_rows[row].hasChildren)
                continue;
            const int32_t at = FindNoCase(GetRowText(row), m_typed, stage.prefixOnly);
            if (at >= 0 && IsRowSelectable(static_cast<int32_t>(row))) {
                SelectRow(static_cast<int32_t>(row), false);
                m_matchOffset = static_cast<uint32_t>(at);
                return true;
            }
        }
    }
    // Last, the model's own list of every item, whose ancestors are then opened.
    CItemList* list = m_source ? m_source->GetSource() : nullptr;
    for (uint32_t i = 0; list && i < list->GetCount(); ++i) {
        const char* name = list->GetItemName(i);
        if (name && FindNoCase(name, m_typed, false) >= 0 && RevealAndSelect(i, false)) {
            m_matchOffset = static_cast<uint32_t>(std::max(0, FindNoCase(GetSelectedText(), m_typed, false)));
            return true;
        }
    }
    return false;
}

int32_t CJListBox::RowAtPoint(const CIntPoint& point) const
{
    if (!IsHit(point))
        return -1;
    const int64_t offset = static_cast<int64_t>(m_scrollPosition) - GetFontUnit() +
                           (point.m_y - m_screenRect.m_top) + GetScrollY();
    if (offset < 0)
        return -1;
    const int64_t row = offset / GetRowHeight();
    return row < static_cast<int64_t>(m_rows.size()) ? static_cast<int32_t>(row) : -1;
}

bool CJListBox::OnMouseDown(int32_t button, const CIntPoint& point)
{
    CWindowWatch self(this);
    const bool taken = CJWindow::OnMouseDown(button, point);
    if (!self.IsAlive() || taken)
        return taken;
    if (button != 0 || !IsHit(point))
        return false;
    const int32_t row = RowAtPoint(point);
    if (row >= 0 && (m_visibleRows > 1 || m_selected < 0))
        SelectRow(row, false);
    return true;
}

bool CJListBox::OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor)
{
    if (!(buttons & 1))
        return CJWindow::OnMouseDrag(point, delta, buttons, cursor);
    const int32_t row = RowAtPoint(point);
    if (row >= 0 && (m_visibleRows > 1 || m_selected < 0))
        SelectRow(row, false);
    return true;
}

bool CJListBox::OnDoubleClick(int32_t button, const CIntPoint& point, bool& keepPress)
{
    CWindowWatch self(this);
    if (CJWindow::OnDoubleClick(button, point, keepPress) || !self.IsAlive())
        return true;
    if (button != 0)
        return false;
    if (m_selected >= 0 && m_rows[m_selected].hasChildren) {
        if (m_rows[m_selected].open)
            Collapse(static_cast<uint32_t>(m_selected));
        else
            Expand(static_cast<uint32_t>(m_selected));
    }
    NotifyParent(kCommandClicked);
    return true;
}

bool CJListBox::OnMouseWheel(int32_t notches, const CIntPoint& point)
{
    (void)point;
    if (m_visibleRows < 2)
        return HandleNavigationKey(notches > 0 ? kKeyUp : kKeyDown);
    const int64_t target = static_cast<int64_t>(m_scrollTarget) - static_cast<int64_t>(notches) * GetRowHeight();
    m_scrollTarget = static_cast<int32_t>(std::clamp<int64_t>(target, 0, GetMaxScroll()));
    return true;
}

bool CJListBox::OnHover(const CIntPoint& point)
{
    const int32_t row = RowAtPoint(point);
    const CFont* font = GetFont();
    if (!m_tooltips || row < 0 || !font)
        return CJWindow::OnHover(point);
    const int32_t unit = GetFontUnit();
    const char* text = GetRowText(static_cast<uint32_t>(row));
    std::string cell = text;
    int32_t cellX = 0, cellWidth = GetWidth() - GetBarWidth();
    if (const CJHeader* header = GetColumnHeader()) {
        const int32_t x = point.m_x - m_screenRect.m_left - unit - 1;
        for (uint32_t column = 0; column < header->GetColumnCount(); ++column) {
            const int32_t left = header->GetColumn(column)->x, width = header->GetColumnWidth(column);
            if (x >= left && x < left + width) {
                cellX = left;
                cellWidth = width;
                std::string field = text;
                for (uint32_t skip = 0; skip < column; ++skip) {
                    const size_t tab = field.find('\t');
                    field = tab == std::string::npos ? std::string() : field.substr(tab + 1);
                }
                cell = field.substr(0, field.find('\t'));
                break;
            }
        }
    }
    if (font->GetTextWidth(cell.c_str()) <= cellWidth - (2 * unit + 2))
        return CJWindow::OnHover(point);
    const int64_t y = static_cast<int64_t>(m_screenRect.m_top) + static_cast<int64_t>(row) * GetRowHeight() + unit -
                      m_scrollPosition + 3;
    ShowTooltip(cell.c_str(), m_screenRect.m_left + unit + 1 + cellX, ClampToInt(y));
    return true;
}
