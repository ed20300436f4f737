#include "game/ship/MessageDisplay.h"

#include "blit/modes/TableBlendBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "foundation/LocalizedString.h"
#include "graphics/Font.h"

#include <cstring>

namespace {

CLocalizedString s_banner("Dev-U-Duvozo BIOS v4.31", "Dev-U-Duvozo startup message");

CMessageDisplay* s_display = nullptr;

constexpr float kFrameSeconds = 1.0f / 60.0f;

bool IsBlank(char c)
{
    return c == '\t' || c == ' ' || c == '\r' || c == '\n';
}

} // namespace

CMessageDisplay::CMessageDisplay(CFont* font0, CFont* font1, CFont* font2, int32_t left, int32_t top, int32_t width,
                                 int32_t height)
    : m_left(left), m_top(top), m_right(left + width), m_bottom(top + height), m_fonts{font0, font1, font2}
{
    AddLines(s_banner.CStr(), 1);
    m_timeLeft = kBannerSeconds;
}

CMessageDisplay::~CMessageDisplay()
{
    if (s_display == this)
        s_display = nullptr;
}

CFont* CMessageDisplay::GetKindFont(int32_t kind) const
{
    return kind == 0 ? m_fonts[0] : kind == 2 ? m_fonts[2] : m_fonts[1];
}

void CMessageDisplay::Show(const char* text, int32_t kind, float seconds, bool blink)
{
    m_blinking = blink;
    m_blinkPhase = 0.0f;
    Clear();
    AddLines(text, kind);
    m_timeLeft = seconds;
}

void CMessageDisplay::AddLines(const char* text, int32_t kind)
{
    CFont* font = GetKindFont(kind);
    if (!font || !text)
        return;
    const int32_t width = m_right - m_left;
    const uint32_t height = static_cast<uint32_t>(font->GetHeight());
    const char* at = text;
    for (;;) {
        while (IsBlank(*at))
            ++at;
        if (!*at)
            return;
        int32_t length = font->FindLineBreak(at, width, nullptr, true);
        // A character wider than the panel still moves the wrap on, so that it always ends.
        if (length <= 0)
            length = 1;
        int32_t kept = length;
        while (kept > 0 && IsBlank(at[kept - 1]))
            --kept;
        if (m_lineCount < kMaxLines && m_totalHeight + height <= static_cast<uint32_t>(m_bottom - m_top)) {
            m_lines[m_lineCount].AssignChars(at, kept);
            m_lineFonts[m_lineCount] = font;
            ++m_lineCount;
            m_totalHeight += height;
        }
        at += length;
    }
}

void CMessageDisplay::KeepAtLeast(float seconds)
{
    if (m_timeLeft < seconds)
        m_timeLeft = seconds;
}

void CMessageDisplay::Clear()
{
    m_lineCount = 0;
    m_totalHeight = 0;
}

void CMessageDisplay::Update(float elapsed)
{
    if (m_timeLeft <= 0.0f)
        return;
    m_timeLeft -= elapsed;
    if (m_timeLeft < 0.0f) {
        Clear();
        m_timeLeft = 0.0f;
    }
}

float CMessageDisplay::NextPhase() const
{
    float phase = m_blinkPhase + kFrameSeconds;
    if (phase > kBlinkPeriod)
        phase -= kBlinkPeriod;
    return phase;
}

float CMessageDisplay::GetAlpha(float phase) const
{
    float alpha = 1.0f;
    if (m_timeLeft > 0.0f && m_timeLeft <= kFadeSeconds)
        alpha = 2.0f * m_timeLeft;
    if (m_blinking) {
        if (phase > kBlinkFadeEnd)
            return 0.0f;
        if (phase > kBlinkShown)
            alpha = ((kBlinkFadeEnd - kBlinkShown) - (phase - kBlinkShown)) * 4.0f;
    }
    return alpha;
}

float CMessageDisplay::PeekNextAlpha() const
{
    return GetAlpha(m_blinking ? NextPhase() : m_blinkPhase);
}

void CMessageDisplay::Draw(CFrameInterface* target)
{
    if (m_blinking)
        m_blinkPhase = NextPhase();
    const float alpha = GetAlpha(m_blinkPhase);
    if (alpha <= 0.0f || !target)
        return;
    g_transparentMaskBlitter.SetOpacity(alpha);
    g_blackBiasBlitter.SetOpacity(alpha);
    int32_t y = m_top + (m_bottom - static_cast<int32_t>(m_totalHeight) - m_top) / 2;
    const int32_t x = (m_left + m_right) / 2;
    for (uint32_t i = 0; i < m_lineCount; ++i) {
        m_lineFonts[i]->DrawText(target, x, y, m_lines[i].CStr(), kJustifyCentre);
        y += m_lineFonts[i]->GetHeight();
    }
    g_transparentMaskBlitter.SetOpacity(1.0f);
    g_blackBiasBlitter.SetOpacity(1.0f);
}

CMessageDisplay* GetMessageDisplay()
{
    return s_display;
}

void SetMessageDisplay(CMessageDisplay* display)
{
    s_display = display;
}
