#include "ui/JSlider.h"

#include "graphics/Font.h"
#include "graphics/FrameInterface.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/WindowToolkitState.h"

#include <algorithm>

namespace {

constexpr int32_t kKeyHome = 5;
constexpr int32_t kKeyLeft = 11;
constexpr int32_t kKeyRight = 12;
constexpr int32_t kKeyEnd = 14;

constexpr int32_t kCursorOverThumb = 7;
constexpr int32_t kCursorDragging = 8;
constexpr int32_t kCursorOverGroove = 2;

int32_t LineHeight(const CFont* font)
{
    return font ? font->GetLineHeight() : 0;
}

} // namespace

CJSlider::CJSlider(CJWindow* parent, uint32_t positionCount, uint32_t step)
    : CJWindow(parent, "~CJSlider"), m_count(std::max<uint32_t>(positionCount, 1))
{
    SetTabStop(true);
    SetFramed(true);
    m_step = step ? step : std::max<uint32_t>((m_count + 10) / 20, 1);
    const int32_t unit = GetFontUnit();
    const CFont* font = GetFont();
    const char* text = *GetText() ? GetText() : "XXXXXXXXXXXX";
    const int32_t textWidth = font ? font->GetTextWidth(text) : 0;
    SetSize(textWidth + 4 * unit + 2, LineHeight(font) + 4 * unit + 2);
}

int32_t CJSlider::GetThumbWidth() const
{
    return LineHeight(GetFont()) + 1;
}

int32_t CJSlider::GetEndRoom() const
{
    const int32_t room = GetFontUnit() + 1;
    return GetWidth() - GetThumbWidth() - 2 * room >= 0 ? room : 0;
}

int32_t CJSlider::GetFreeLength() const
{
    return GetWidth() - GetThumbWidth() - 2 * GetEndRoom();
}

int32_t CJSlider::GetThumbX() const
{
    const int32_t room = GetEndRoom();
    if (m_count <= 1)
        return room;
    const int64_t free = std::max(GetFreeLength(), 0);
    const int64_t last = m_count - 1;
    return ClampToInt(room + (free * m_value + last / 2) / last);
}

void CJSlider::SetValue(int32_t value, bool quiet)
{
    value = std::clamp<int32_t>(value, 0, static_cast<int32_t>(std::min<uint32_t>(m_count - 1, INT32_MAX)));
    if (value == m_value)
        return;
    m_value = value;
    if (!quiet)
        NotifyParent(kCommandValueChanged);
}

void CJSlider::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    const CFont* font = GetFont();
    const int32_t unit = GetFontUnit(), width = GetWidth(), height = GetHeight();
    DrawBevel(font, frame, {0, 2 * unit + 1, width, height - 2 * unit - 1}, false, 15, 0);

    // The groove: a dark line over a light one, the engraved line of captions.
    using State = CWindowToolkitState;
    State& toolkit = State::Get();
    const bool remap = frame->GetBitsPerPixel() == 8;
    const State::Bevel lines[2] = {State::kDark, State::kLight};
    for (int32_t i = 0; i < 2; ++i) {
        const CIntRect line{unit, height / 2 + i, width - unit + 1, height / 2 + i + 1};
        if (remap)
            frame->ApplyRemapTableToRect(line, toolkit.GetBevelRemapTable(lines[i]));
        else
            frame->FillRect(line, toolkit.GetBevelColor(lines[i]));
    }

    const int32_t x = GetThumbX();
    const CIntRect thumb{x, 0, x + GetThumbWidth(), height};
    // A disabled slider's thumb is drawn see-through, its outline over the groove: nothing to take.
    if (!IsTransparent() && IsEnabledInParent())
        FillWithTexture(frame, GetBackgroundTexture(), thumb, m_rect.m_left + thumb.m_left, m_rect.m_top);
    DrawBevel(font, frame, thumb, true, 15, 0);
    CJWindow::Draw(frame);
}

void CJSlider::DrawFocusFrame(CFrameInterface* frame, const CColor& color)
{
    if (!frame)
        return;
    const int32_t x = m_rect.m_left + GetThumbX();
    frame->DrawRectOutline({x - 1, m_rect.m_top - 1, x + GetThumbWidth() + 1, m_rect.m_bottom + 1}, color);
}

bool CJSlider::OnKey(int32_t key)
{
    if (CJWindow::OnKey(key))
        return true;
    const int64_t last = m_count - 1;
    switch (key) {
    case kKeyHome:
        SetValue(0, false);
        return true;
    case kKeyEnd:
        SetValue(ClampToInt(last), false);
        return true;
    case kKeyLeft:
        SetValue(m_value <= static_cast<int64_t>(m_step) ? 0 : ClampToInt(static_cast<int64_t>(m_value) - m_step),
                 false);
        return true;
    case kKeyRight:
        SetValue(ClampToInt(std::min<int64_t>(static_cast<int64_t>(m_value) + m_step, last)), false);
        return true;
    default:
        return false;
    }
}

bool CJSlider::OnMouseWheel(int32_t notches, const CIntPoint&)
{
    return OnKey(notches > 0 ? kKeyRight : kKeyLeft);
}

bool CJSlider::OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor)
{
    if (!(buttons & 1u))
        return CJWindow::OnMouseDrag(point, delta, buttons, cursor);
    cursor = GetCursorByIndex(kCursorDragging);
    const int64_t free = GetFreeLength();
    if (free <= 0)
        return true;
    const int64_t last = m_count - 1;
    const int64_t offset =
        static_cast<int64_t>(point.m_x) - GetThumbWidth() / 2 - GetEndRoom() - m_screenRect.m_left;
    const int64_t value = (offset * last + free / 2) / free;
    SetValue(ClampToInt(std::clamp<int64_t>(value, 0, last)), false);
    return true;
}

CSequence* CJSlider::GetCursor(const CIntPoint& point) const
{
    if (point.m_x < 0 || point.m_y < 0 || point.m_x >= GetWidth() || point.m_y >= GetHeight())
        return CJWindow::GetCursor(point);
    const int32_t x = GetThumbX();
    const bool overThumb = point.m_x >= x && point.m_x < x + GetThumbWidth();
    return GetCursorByIndex(overThumb ? kCursorOverThumb : kCursorOverGroove);
}
