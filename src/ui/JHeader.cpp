#include "ui/JHeader.h"

#include "blit/modes/CopyBlitter.h"
#include "graphics/Font.h"
#include "ui/Callback.h"
#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/WindowWatch.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int32_t kResizeCursor = 7;
constexpr int32_t kResizingCursor = 8;

} // namespace

CJHeader::CJHeader(CJWindow* parent) : CJWindow(parent, "~CJHeader")
{
    m_separatorColor.ConstructRgba(175, 146, 54, 255);
    const CFont* font = GetFont();
    SetSize(100, font ? font->GetHeight() : 0);
}

CJHeader::~CJHeader() = default;

const CHeaderColumn* CJHeader::GetColumn(uint32_t index) const
{
    return index < m_columns.size() ? m_columns[index].get() : nullptr;
}

void CJHeader::AddColumn(int32_t width, CFont* font, int32_t justification, uint32_t alphabetic,
                         uint32_t descending, const char* title)
{
    auto column = std::make_unique<CHeaderColumn>();
    column->x = m_columns.empty() ? 0 : ClampToInt(static_cast<int64_t>(m_columns.back()->x) + m_columns.back()->width);
    column->width = width;
    column->widthFraction = GetWidth() > 0 ? static_cast<float>(width) / static_cast<float>(GetWidth()) : 0.0f;
    column->title = CSharedString(title ? title : "");
    column->font = font ? font : GetFont();
    column->justification = justification;
    column->alphabetic = alphabetic;
    column->descending = descending;
    m_columns.push_back(std::move(column));
}

int32_t CJHeader::GetColumnWidth(uint32_t index) const
{
    const CHeaderColumn* column = GetColumn(index);
    return column ? column->width : 0;
}

bool CJHeader::HasFixedDigits(uint32_t index) const
{
    const CHeaderColumn* column = GetColumn(index);
    return column && column->fixedDigits;
}

bool CJHeader::IsNumeric(uint32_t index) const
{
    const CHeaderColumn* column = GetColumn(index);
    return column && column->alphabetic == 0;
}

bool CJHeader::IsDescending(uint32_t index) const
{
    const CHeaderColumn* column = GetColumn(index);
    return column && column->descending != 0;
}

void CJHeader::SetColumnWidth(uint32_t index, int32_t width)
{
    if (index < m_columns.size()) {
        m_columns[index]->width = std::max(width, 1);
        LayOutColumns();
    }
}

void CJHeader::SetColumnResizable(uint32_t index, bool resizable)
{
    if (index < m_columns.size())
        m_columns[index]->resizable = resizable;
}

void CJHeader::SetColumnFixedDigits(uint32_t index, bool fixedDigits)
{
    if (index < m_columns.size())
        m_columns[index]->fixedDigits = fixedDigits;
}

void CJHeader::SetColumnImage(uint32_t index, CFrame* image)
{
    std::unique_ptr<CFrame> owned(image);
    if (index < m_columns.size())
        m_columns[index]->image = std::move(owned);
}

void CJHeader::SetSortCallback(CCallback* callback)
{
    m_sortCallback.reset(callback);
}

void CJHeader::SetResizeCallback(CCallback* callback)
{
    m_resizeCallback.reset(callback);
}

void CJHeader::SetTotalWidth(uint32_t width)
{
    m_totalWidth = width;
    LayOutColumns();
}

void CJHeader::LayOutColumns()
{
    int64_t x = 0;
    for (auto& column : m_columns) {
        column->x = ClampToInt(x);
        x += column->width;
    }
    // The last column takes up whatever the others leave of the total, but keeps a pixel.
    if (m_totalWidth && !m_columns.empty()) {
        CHeaderColumn& last = *m_columns.back();
        last.width = ClampToInt(std::max<int64_t>(static_cast<int64_t>(m_totalWidth) - last.x, 1));
    }
}

int32_t CJHeader::ToLocalX(int32_t screenX) const
{
    return ClampToInt(static_cast<int64_t>(screenX) - m_screenRect.m_left + GetScrollX());
}

int32_t CJHeader::FindEdge(int32_t x) const
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const CHeaderColumn& column = *m_columns[i];
        const int64_t edge = static_cast<int64_t>(column.x) + column.width;
        if (column.resizable && x >= edge - kEdgeReach && x <= edge + kEdgeReach)
            return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t CJHeader::FindColumn(int32_t x) const
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const CHeaderColumn& column = *m_columns[i];
        if (x >= column.x && x < static_cast<int64_t>(column.x) + column.width)
            return static_cast<int32_t>(i);
    }
    return -1;
}

CSequence* CJHeader::GetCursor(const CIntPoint& point) const
{
    if (!m_locked && FindEdge(point.m_x) >= 0)
        return GetCursorByIndex(kResizeCursor);
    return CJWindow::GetCursor(point);
}

bool CJHeader::OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor)
{
    if (m_locked || !(buttons & 1u))
        return CJWindow::OnMouseDrag(point, delta, buttons, cursor);
    const int32_t x = ToLocalX(point.m_x);
    // The press starts the drag with the drag value cleared.
    if (m_dragValue == 0) {
        m_dragValue = 1;
        m_resizing = FindEdge(x);
        m_pressed = m_resizing < 0 ? FindColumn(x) : -1;
        m_pressPending = m_pressed >= 0;
        m_stillOver = m_pressPending;
        if (m_resizing >= 0)
            cursor = GetCursorByIndex(kResizingCursor);
        return m_resizing >= 0 || m_pressPending;
    }
    if (m_resizing >= 0 && static_cast<size_t>(m_resizing) < m_columns.size()) {
        CHeaderColumn& column = *m_columns[static_cast<size_t>(m_resizing)];
        column.width = ClampToInt(std::max<int64_t>(static_cast<int64_t>(column.width) + delta.m_x, 1));
        LayOutColumns();
        cursor = GetCursorByIndex(kResizingCursor);
        CWindowWatch self(this);
        NotifyParent(kCommandValueChanged);
        if (self.IsAlive() && m_resizeCallback)
            m_resizeCallback->Invoke();
        return true;
    }
    if (m_pressPending) {
        m_stillOver = FindColumn(x) == m_pressed;
        return true;
    }
    return CJWindow::OnMouseDrag(point, delta, buttons, cursor);
}

bool CJHeader::OnMouseUp(int32_t button, const CIntPoint& point)
{
    if (button == 0) {
        m_resizing = -1;
        if (m_pressPending && !m_locked) {
            m_pressPending = false;
            const int32_t pressed = std::exchange(m_pressed, -1);
            if (m_stillOver && static_cast<size_t>(pressed) < m_columns.size()) {
                const auto index = static_cast<uint32_t>(pressed);
                if (index == m_sortColumn)
                    m_columns[index]->descending = !m_columns[index]->descending;
                m_sortColumn = index;
                CWindowWatch self(this);
                NotifyParent(kCommandClicked);
                if (!self.IsAlive())
                    return true;
                if (m_sortCallback)
                    m_sortCallback->Invoke();
                if (!self.IsAlive())
                    return true;
            }
        }
    }
    return CJWindow::OnMouseUp(button, point);
}

void CJHeader::DrawColumn(COffsetClippedProxyFrame* frame, const CHeaderColumn& column)
{
    const int32_t height = GetHeight();
    const CIntRect area{column.x, 0, ClampToInt(static_cast<int64_t>(column.x) + column.width), height};
    CIntRect bounds;
    frame->GetBounds(bounds);
    const CIntRect clip{std::max(bounds.m_left, area.m_left), std::max(bounds.m_top, area.m_top),
                        std::min(bounds.m_right, area.m_right), std::min(bounds.m_bottom, area.m_bottom)};
    if (!clip.IsEmpty()) {
        const CIntRect saved = frame->GetClipRect();
        frame->SetClipRect(clip);
        if (column.image) {
            CFrame& image = *column.image;
            const int32_t w = image.GetWidth(), h = image.GetHeight();
            const int32_t left = area.m_left + (area.GetWidth() - w) / 2, top = (height - h) / 2;
            frame->Blit(&image, {0, 0, w, h}, {left, top, left + w, top + h}, &g_copyBlitter);
        } else if (column.font) {
            int32_t x = area.m_left + static_cast<int32_t>(m_textInset);
            if (column.justification == kJustifyCentre)
                x = area.m_left + area.GetWidth() / 2;
            else if (column.justification == kJustifyRight)
                x = area.m_right - static_cast<int32_t>(m_textInset);
            const int32_t y = (height - column.font->GetLineHeight()) / 2;
            column.font->DrawText(frame, x, y, column.title.CStr(), column.justification,
                                  column.fixedDigits ? '8' : 0);
        }
        frame->SetTargetClipRect(saved);
    }
    if (column.resizable)
        frame->FillRect({area.m_right - 1, 0, area.m_right, height}, m_separatorColor);
}

void CJHeader::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    for (const auto& column : m_columns)
        DrawColumn(frame, *column);
    frame->FillRect({0, GetHeight() - 1, GetWidth(), GetHeight()}, m_separatorColor);
    CJWindow::Draw(frame);
}
