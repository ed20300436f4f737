// The list box's drawing: bevel, selection, rows with their cells, icons and tree connectors, and
// the smooth scroll step after each draw.
#include "ui/JListBox.h"

#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "objects/ResourceCollection.h"
#include "platform/Time.h"
#include "ui/DimmedOpacities.h"
#include "ui/JHeader.h"
#include "ui/WindowWatch.h"

#include <algorithm>
#include <cstring>

namespace {

// The header's inset of cell texts from their column's edge.
constexpr int32_t kHeaderTextInset = 3;

const char* const kIconNames[3] = {"Folder Open Icon", "Folder Closed Icon", "File Icon"};

// Sets the clip to the rect (frame coordinates) within the current clip; the old clip comes back
// with the object.
class CClipWithin
{
public:
    CClipWithin(CFrameInterface* frame, const CIntRect& rect) : m_frame(dynamic_cast<COffsetClippedProxyFrame*>(frame))
    {
        if (!m_frame)
            return;
        m_saved = m_frame->GetClipRect();
        CIntRect wanted = rect;
        wanted.Offset(-m_frame->GetOffsetX(), -m_frame->GetOffsetY());
        const CIntRect clip{std::max(wanted.m_left, m_saved.m_left), std::max(wanted.m_top, m_saved.m_top),
                            std::min(wanted.m_right, m_saved.m_right), std::min(wanted.m_bottom, m_saved.m_bottom)};
        m_frame->SetTargetClipRect(clip.IsEmpty() ? CIntRect{} : clip);
    }
    ~CClipWithin()
    {
        if (m_frame)
            m_frame->SetTargetClipRect(m_saved);
    }
    CClipWithin(const CClipWithin&) = delete;
    CClipWithin& operator=(const CClipWithin&) = delete;

private:
    COffsetClippedProxyFrame* m_frame;
    CIntRect m_saved;
};

} // namespace

void CJListBox::Draw(COffsetClippedProxyFrame* frame)
{
    CWindowWatch self(this);
    DrawRows(frame, false);
    CJWindow::Draw(frame);
    if (self.IsAlive())
        StepSmoothScroll();
}

void CJListBox::StepSmoothScroll()
{
    const int32_t distance = m_scrollTarget - m_scrollPosition;
    if (!distance)
        return;
    const int32_t magnitude = distance < 0 ? -distance : distance;
    const int32_t direction = distance < 0 ? -1 : 1;
    const int32_t height = GetRowHeight();
    if (magnitude > height)
        m_scrollPosition = m_scrollTarget - direction * height;
    else if (magnitude > 4)
        m_scrollPosition += direction * 4;
    else
        m_scrollPosition = m_scrollTarget;
    UpdateScrollBar();
}

void CJListBox::DrawRows(COffsetClippedProxyFrame* frame, bool raised)
{
    const CFont* font = GetFont();
    if (!frame || !font)
        return;
    const CDimmedOpacities dimmed(!IsEnabledInParent());
    const int32_t unit = GetFontUnit();
    if (m_bevel)
        DrawBevel(font, frame, {0, 0, GetWidth(), GetHeight()}, raised, 15, 0);
    const bool tree = m_tree && !m_flat && !m_flatWithoutIcons;
    const int32_t indent = tree ? GetIndentWidth() : 0;
    const int32_t iconWidth = tree ? GetIconWidth() : 0;
    const int32_t height = GetRowHeight();
    const int32_t x = unit + 1;
    const CClipWithin clip(frame, {x, unit + 1, GetWidth() - unit - 1 - GetBarWidth(), GetHeight() - unit - 1});
    if (m_selected >= 0)
        DrawSelection(frame, unit + 1 + m_selected * height - m_scrollPosition);
    const int64_t viewBottom = static_cast<int64_t>(m_scrollPosition) + GetHeight();
    for (int64_t row = m_scrollPosition / height; row < static_cast<int64_t>(m_rows.size()) && row * height < viewBottom;
         ++row) {
        const Row& record = m_rows[static_cast<size_t>(row)];
        const int32_t y = ClampToInt(unit + 1 + row * height - m_scrollPosition);
        const int32_t indentX = static_cast<int32_t>((record.depth + m_indentOrigin) * static_cast<uint32_t>(indent));
        if (tree) {
            DrawRowIcon(frame, static_cast<uint32_t>(row), x + indentX, y);
            DrawConnectors(frame, static_cast<uint32_t>(row), x, y);
        }
        if (row == m_selected)
            DrawTypedHighlight(frame, x + indentX + iconWidth + (tree ? m_textGap : 0), y, static_cast<uint32_t>(row));
        DrawRow(frame, x, y, indentX + iconWidth, tree ? m_textGap : 0, static_cast<uint32_t>(row));
    }
}

void CJListBox::DrawSelection(CFrameInterface* frame, int32_t y)
{
    const int32_t unit = GetFontUnit();
    frame->FillRect({unit + 1, y, GetWidth() - (unit + 1) - GetBarWidth(), y + GetRowHeight()}, GetSelectColor());
}

void CJListBox::DrawTypedHighlight(CFrameInterface* frame, int32_t x, int32_t y, uint32_t row)
{
    const uint32_t age = platform::GetTickCount() - m_lastKeyTime;
    const CFont* font = GetFont();
    if (m_typed.empty() || age > kTypeAheadMilliseconds || GetColumnHeader())
        return;
    const char* text = GetRowText(row);
    const size_t length = std::strlen(text);
    if (m_matchOffset >= length)
        return;
    const int32_t count = static_cast<int32_t>(std::min(m_typed.size(), length - m_matchOffset));
    const int32_t left = x + font->GetTextWidth(text, static_cast<int32_t>(m_matchOffset));
    const int32_t right = left + font->GetTextWidth(text + m_matchOffset, count);
    frame->FillRect({left, y, right, y + GetRowHeight()}, GetHighlightColor());
}

void CJListBox::DrawRow(CFrameInterface* frame, int32_t x, int32_t y, int32_t textX, int32_t gap, uint32_t row)
{
    DrawCells(frame, x + textX + gap, y, GetRowText(row));
}

void CJListBox::DrawCells(CFrameInterface* frame, int32_t x, int32_t y, const char* text)
{
    const CFont* font = GetFont();
    const int32_t unit = GetFontUnit();
    const int32_t right = GetWidth() - unit - 1 - GetBarWidth();
    const CJHeader* header = GetColumnHeader();
    if (!header) {
        const CClipWithin clip(frame, {x, y, right, y + GetRowHeight()});
        font->DrawText(frame, x, y, text);
        return;
    }
    const int32_t shift = x - (unit + 1);
    const int32_t inset = kHeaderTextInset;
    for (uint32_t column = 0; column < header->GetColumnCount() && text; ++column) {
        const char* tab = std::strchr(text, '\t');
        const std::string field(text, tab ? static_cast<size_t>(tab - text) : std::strlen(text));
        text = tab ? tab + 1 : nullptr;
        const CHeaderColumn* record = header->GetColumn(column);
        const int32_t left = record->x + shift;
        const int32_t width = header->GetColumnWidth(column);
        const CClipWithin clip(frame, {left, y, std::min(left + width, right), y + GetRowHeight()});
        const int32_t justification = record->justification;
        const int32_t at = justification == kJustifyCentre  ? left + width / 2
                           : justification == kJustifyRight ? left + width - inset
                                                            : left + inset;
        font->DrawText(frame, at, y, field.c_str(), justification, header->HasFixedDigits(column) ? '8' : 0);
    }
}

CFrame* CJListBox::GetIcon(int32_t which) const
{
    if (!m_iconsLookedUp) {
        m_iconsLookedUp = true;
        if (CResourceCollection* icons = GetListIcons())
            for (int32_t i = 0; i < 3; ++i) {
                const int index = icons->FindIndexByName(kIconNames[i], -1);
                m_icons[i] = index < 0 ? nullptr : dynamic_cast<CFrame*>(icons->GetItem(static_cast<uint32_t>(index)));
            }
    }
    return m_icons[which];
}

int32_t CJListBox::GetIconWidth() const
{
    int32_t widest = 0;
    for (int32_t i = 0; i < 3; ++i)
        if (const CFrame* icon = GetIcon(i))
            widest = std::max<int32_t>(widest, icon->GetWidth());
    return widest;
}

void CJListBox::DrawIcon(CFrameInterface* frame, int32_t which, int32_t x, int32_t y)
{
    CFrame* icon = GetIcon(which);
    if (!icon)
        return;
    const int32_t w = icon->GetWidth(), h = icon->GetHeight();
    const CIntRect to{x - w / 2, y - h / 2, x - w / 2 + w, y - h / 2 + h};
    frame->Blit(icon, {0, 0, w, h}, to, &g_transparentMaskBlitter);
}

void CJListBox::DrawOpenFolderIcon(CFrameInterface* frame, int32_t x, int32_t y)
{
    DrawIcon(frame, 0, x, y);
}

void CJListBox::DrawClosedFolderIcon(CFrameInterface* frame, int32_t x, int32_t y)
{
    DrawIcon(frame, 1, x, y);
}

void CJListBox::DrawFileIcon(CFrameInterface* frame, int32_t x, int32_t y)
{
    DrawIcon(frame, 2, x, y);
}

void CJListBox::DrawRowIcon(CFrameInterface* frame, uint32_t row, int32_t x, int32_t y)
{
    const Row& record = m_rows[row];
    const int32_t cx = x + GetIconWidth() / 2, cy = y + GetRowHeight() / 2;
    if (!record.hasChildren) {
        if (m_filesAsOpenFolders)
            DrawOpenFolderIcon(frame, cx, cy);
        else
            DrawFileIcon(frame, cx, cy);
    } else if (record.open) {
        DrawOpenFolderIcon(frame, cx, cy);
    } else {
        DrawClosedFolderIcon(frame, cx, cy);
    }
}

void CJListBox::DrawConnectors(CFrameInterface* frame, uint32_t row, int32_t x, int32_t y)
{
    const Row& record = m_rows[row];
    const int32_t indent = GetIndentWidth();
    // Level d's step lies just left of that level's indentation; without an origin step the top
    // level has none.
    for (uint32_t level = m_indentOrigin ? 0 : 1; level <= record.depth; ++level) {
        const int32_t stepX = x + static_cast<int32_t>((level + m_indentOrigin - 1) * static_cast<uint32_t>(indent));
        const bool ends = (record.lastChildMask & (1u << std::min(level, 31u))) != 0;
        if (level == record.depth) {
            const bool deeper = row > 0 && m_rows[row - 1].depth < record.depth;
            if (ends)
                DrawLastBranch(frame, stepX, y);
            else if (m_joinConnectors && deeper)
                DrawJoinBranch(frame, stepX, y);
            else
                DrawBranch(frame, stepX, y);
        } else if (!ends) {
            DrawLine(frame, stepX, y);
        }
    }
}

void CJListBox::DrawLine(CFrameInterface* frame, int32_t x, int32_t y)
{
    const int32_t middle = x + GetIndentWidth() / 2;
    frame->FillRect({middle, y, middle + 1, y + GetRowHeight()}, GetTextColor());
}

void CJListBox::DrawBranch(CFrameInterface* frame, int32_t x, int32_t y)
{
    DrawLine(frame, x, y);
    const int32_t middle = x + GetIndentWidth() / 2, rowMiddle = y + GetRowHeight() / 2;
    frame->FillRect({middle, rowMiddle, x + GetIndentWidth(), rowMiddle + 1}, GetTextColor());
}

void CJListBox::DrawLastBranch(CFrameInterface* frame, int32_t x, int32_t y)
{
    const int32_t middle = x + GetIndentWidth() / 2, rowMiddle = y + GetRowHeight() / 2;
    frame->FillRect({middle, y, middle + 1, rowMiddle + 1}, GetTextColor());
    frame->FillRect({middle, rowMiddle, x + GetIndentWidth(), rowMiddle + 1}, GetTextColor());
}

void CJListBox::DrawJoinBranch(CFrameInterface* frame, int32_t x, int32_t y)
{
    const int32_t middle = x + GetIndentWidth() / 2, rowMiddle = y + GetRowHeight() / 2;
    frame->FillRect({middle, rowMiddle, middle + 1, y + GetRowHeight()}, GetTextColor());
    frame->FillRect({middle, rowMiddle, x + GetIndentWidth(), rowMiddle + 1}, GetTextColor());
}
