#include "shell/TimedMessage.h"

#include "blit/Blitter.h"
#include "graphics/Font.h"
#include "graphics/FrameInterface.h"

#include <algorithm>

namespace {

constexpr float kDefaultSeconds = 4.0f;
constexpr float kFadeSeconds = 0.5f;
constexpr uint8_t kBoxAlpha = 128;
// Box positions come from data (a caption's vertical centre); far beyond any screen they are held
// here, so that the box's edges and margins stay within 32 bits.
constexpr int64_t kFarthest = 1 << 28;

int32_t Held(int64_t value)
{
    return static_cast<int32_t>(std::clamp(value, -kFarthest, kFarthest));
}

} // namespace

CTimedMessage::CTimedMessage()
{
    m_boxColor.ConstructRgba(0, 0, 0, kBoxAlpha);
}

CTimedMessage::~CTimedMessage() = default;

void CTimedMessage::Show(const char* text, float seconds, uint32_t centreY)
{
    if (!m_font) {
        Clear();
        return;
    }
    m_timeLeft = seconds == kDefaultTime ? kDefaultSeconds : seconds;

    const int64_t areaWidth = static_cast<int64_t>(m_area.m_right) - m_area.m_left;
    const CSharedString wrapped = m_font->WrapText(text ? text : "", Held(areaWidth));
    // Every wrapped line ends in a line break; the last one would count as one line more.
    const int length = wrapped.GetLength();
    if (length > 0 && wrapped.GetCharAt(length - 1) == '\n')
        m_text.AssignLeft(wrapped, length - 1);
    else
        m_text = wrapped;
    const int32_t height = m_font->GetTextBlockHeight(m_text, kLineSpacing);
    const int32_t width = m_font->GetTextBlockWidth(m_text);

    int64_t centre = static_cast<int32_t>(centreY);
    if (centreY == kCentreOfArea)
        centre = static_cast<uint32_t>(m_area.m_bottom - static_cast<int64_t>(m_area.m_top)) / 2;
    m_textBox.m_top = Held(m_area.m_top - height / 2 + centre);
    m_textBox.m_bottom = m_textBox.m_top + height;
    // A text wider than the area (a word longer than its width) overhangs both sides equally.
    m_textBox.m_left = Held(m_area.m_left + (areaWidth - width) / 2);
    m_textBox.m_right = m_textBox.m_left + width;
}

void CTimedMessage::Update(float seconds)
{
    m_timeLeft -= seconds;
    if (!(m_timeLeft > 0.0f))
        Clear();
}

void CTimedMessage::Clear()
{
    m_timeLeft = 0.0f;
    m_text.Clear();
}

void CTimedMessage::Draw(CFrameInterface* frame)
{
    if (!m_font || !frame || !IsShown())
        return;
    if (m_area.m_right == m_area.m_left)
        frame->GetBounds(m_area);

    CBlitter* blitter = m_font->GetBlitter();
    float factor = 1.0f;
    if (m_timeLeft < kFadeSeconds) {
        factor = m_timeLeft / kFadeSeconds;
        if (blitter)
            blitter->SetOpacity(factor);
    }
    const int alpha = std::clamp(static_cast<int>(m_boxColor.GetAlpha() * factor), 0, 255);
    CColor box = m_boxColor;
    box.Set(m_boxColor.GetRed(), m_boxColor.GetGreen(), m_boxColor.GetBlue(), alpha);
    frame->FillRectCoords(m_textBox.m_left - kBoxMargin, m_textBox.m_top - kBoxMargin, m_textBox.m_right + kBoxMargin,
                          m_textBox.m_bottom + kBoxMargin, box);

    const int32_t centreX = (m_textBox.m_right - m_textBox.m_left) / 2 + m_textBox.m_left;
    m_font->DrawMultilineText(frame, centreX, m_textBox.m_top, m_text.CStr(), kJustifyCentre, kLineSpacing);
    if (blitter)
        blitter->SetOpacity(1.0f);
}
