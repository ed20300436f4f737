// The scroll bar's range, layout and drawing.
#include "ui/JScrollBar.h"

#include "graphics/Font.h"
#include "graphics/FrameInterface.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/WindowToolkitState.h"
#include "ui/WindowWatch.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t kGlyphUp = 28;
constexpr uint8_t kGlyphDown = 29;
constexpr uint8_t kGlyphRight = 30;
constexpr uint8_t kGlyphLeft = 31;
constexpr uint8_t kGlyphBlank = 32;
constexpr int32_t kLongSide = 415;

// A float far outside the 32-bit range, or not a number, would make the conversion undefined.
int32_t TruncateToInt(float value)
{
    if (!(value > -2147483520.0f))
        return INT32_MIN;
    if (!(value < 2147483520.0f))
        return INT32_MAX;
    return static_cast<int32_t>(value);
}

} // namespace

CJScrollBar::CJScrollBar(CJWindow* parent, bool vertical) : CJWindow(parent, "~CJScrollBar"), m_vertical(vertical)
{
    // SetRect lays the parts out.
    if (vertical)
        SetSize(kThickness, kLongSide);
    else
        SetSize(kLongSide, kThickness);
}

float CJScrollBar::Clamp(float position) const
{
    if (!std::isfinite(position))
        return m_minimum;
    return std::max(m_minimum, std::min(position, m_maximum));
}

void CJScrollBar::SetRange(float minimum, float maximum)
{
    m_minimum = std::isfinite(minimum) ? minimum : 0.0f;
    m_maximum = std::isfinite(maximum) ? std::max(maximum, m_minimum) : m_minimum;
    m_position = Clamp(m_position);
    LayOutThumb();
}

void CJScrollBar::SetBarPosition(float position, bool quiet)
{
    position = Clamp(position);
    if (position == m_position)
        return;
    m_position = position;
    LayOutThumb();
    if (!quiet)
        ReportMove();
}

void CJScrollBar::SetAutoHide(bool autoHide)
{
    m_autoHide = autoHide;
    LayOutThumb();
}

void CJScrollBar::ReportMove()
{
    CWindowWatch self(this);
    NotifyParent(kCommandValueChanged);
    if (!self.IsAlive() || !m_scrolled)
        return;
    const int32_t offset = TruncateToInt(std::round(m_position));
    if (m_vertical)
        m_scrolled->SetScrollY(offset);
    else
        m_scrolled->SetScrollX(offset);
}

void CJScrollBar::LayOutParts()
{
    const int32_t width = GetWidth(), height = GetHeight();
    const int32_t side = m_vertical ? width : height;
    m_firstArrow = {0, 0, side, side};
    m_secondArrow = {width - side, height - side, width, height};
    m_track = m_vertical ? CIntRect{0, side, width, height - side} : CIntRect{side, 0, width - side, height};
    LayOutThumb();
}

void CJScrollBar::LayOutThumb()
{
    m_thumb = m_track;
    const float range = m_maximum - m_minimum;
    if (m_autoHide)
        Show(range >= 1.0f, false);
    m_pixelsPerUnit = 0.0f;
    // An empty range has nothing to scroll: the thumb is the whole track.
    if (!(range > 0.0f))
        return;
    const int32_t length = std::max(m_vertical ? m_track.GetHeight() : m_track.GetWidth(), 0);
    const float l = static_cast<float>(length);
    const int32_t thumbLength = std::max(TruncateToInt(l * l / (range + l)), kMinimumThumb);
    m_pixelsPerUnit = std::max((l - static_cast<float>(thumbLength)) / range, 0.0f);
    const int32_t start = (m_vertical ? m_track.m_top : m_track.m_left) +
                          TruncateToInt((m_position - m_minimum) * m_pixelsPerUnit);
    if (m_vertical) {
        m_thumb.m_top = start;
        m_thumb.m_bottom = ClampToInt(static_cast<int64_t>(start) + thumbLength);
    } else {
        m_thumb.m_left = start;
        m_thumb.m_right = ClampToInt(static_cast<int64_t>(start) + thumbLength);
    }
}

bool CJScrollBar::ExcludeFromRect(CIntRect& rect, const CIntPoint& offset) const
{
    CIntRect bar = m_screenRect;
    bar.Offset(offset.m_x, offset.m_y);
    const bool overlaps = bar.m_left < rect.m_right && rect.m_left < bar.m_right && bar.m_top < rect.m_bottom &&
                          rect.m_top < bar.m_bottom;
    if (!overlaps)
        return false;
    const CIntRect before = rect;
    if (m_vertical)
        rect.m_right = std::max(rect.m_left, bar.m_left);
    else
        rect.m_bottom = std::max(rect.m_top, bar.m_top);
    return !(rect == before);
}

void CJScrollBar::DrawPart(CFrameInterface* frame, CIntRect rect, bool raised, uint8_t glyph)
{
    if (!raised) {
        rect.m_left += 1;
        rect.m_top += 1;
    }
    if (!IsTransparent())
        FillWithTexture(frame, GetBackgroundTexture(), rect, m_rect.m_left + rect.m_left, m_rect.m_top + rect.m_top);
    DrawBevel(GetFont(), frame, rect, raised, 15, 0);
    DrawGlyph(frame, rect, glyph);
}

void CJScrollBar::DrawGlyph(CFrameInterface* frame, const CIntRect& rect, uint8_t glyph)
{
    const CFont* font = GetFont();
    if (!glyph || !font)
        return;
    const char text[2] = {static_cast<char>(glyph), 0};
    font->DrawText(frame, rect.m_left + rect.GetWidth() / 2, rect.m_top + 2, text, kJustifyCentre);
}

void CJScrollBar::DrawTrack(CFrameInterface* frame, CIntRect rect)
{
    if (!IsTransparent())
        FillWithTexture(frame, GetBackgroundTexture(), rect, m_rect.m_left + rect.m_left, m_rect.m_top + rect.m_top);
    DrawGlyph(frame, rect, kGlyphBlank);
    // Tinted with the dark line of a slider's groove.
    using State = CWindowToolkitState;
    State& toolkit = State::Get();
    if (frame->GetBitsPerPixel() == 8)
        frame->ApplyRemapTableToRect(rect, toolkit.GetBevelRemapTable(State::kDark));
    else
        frame->FillRect(rect, toolkit.GetBevelColor(State::kDark));
    DrawBevel(GetFont(), frame, rect, false, 15, 0);
}

void CJScrollBar::DrawFirstArrow(CFrameInterface* frame)
{
    DrawPart(frame, m_firstArrow, m_pressed != kPartFirstArrow, m_vertical ? kGlyphUp : kGlyphLeft);
}

void CJScrollBar::DrawSecondArrow(CFrameInterface* frame)
{
    DrawPart(frame, m_secondArrow, m_pressed != kPartSecondArrow, m_vertical ? kGlyphDown : kGlyphRight);
}

void CJScrollBar::DrawThumb(CFrameInterface* frame)
{
    DrawPart(frame, m_thumb, true, 0);
}

void CJScrollBar::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    DrawTrack(frame, m_track);
    DrawFirstArrow(frame);
    DrawSecondArrow(frame);
    DrawThumb(frame);
    CJWindow::Draw(frame);
}
