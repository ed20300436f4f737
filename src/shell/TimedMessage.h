#pragma once
// One block of text shown over the screen for a limited time: word-wrapped to an area, centred
// horizontally on a half-transparent box, fading out during its last half second. Showing a new
// text replaces the current one. The owner sets the font and the area, calls Update once per game
// step and Draw once per frame; the font is not owned and must outlive the message.
#include "foundation/SharedString.h"
#include "graphics/Color.h"
#include "graphics/IntRect.h"

#include <cstdint>

class CFont;
class CFrameInterface;

class CTimedMessage
{
public:
    // Show's display time that stands for the default of four seconds.
    static constexpr float kDefaultTime = -1.0f;
    // Show's vertical centre that stands for the middle of the area.
    static constexpr uint32_t kCentreOfArea = 0xFFFFFFFFu;
    // Pixels between lines, and the margin of the box around the text.
    static constexpr int32_t kLineSpacing = 2;
    static constexpr int32_t kBoxMargin = 5;

    // No font, nothing shown, an empty area; the box is black at alpha 128.
    CTimedMessage();
    ~CTimedMessage();
    CTimedMessage(const CTimedMessage&) = delete;
    CTimedMessage& operator=(const CTimedMessage&) = delete;

    void SetFont(CFont* font) { m_font = font; }
    // The area the text is wrapped to and centred in. An area of zero width is replaced by the
    // frame's rectangle at the next draw; texts shown before that are wrapped to zero width.
    void SetArea(const CIntRect& area) { m_area = area; }
    const CIntRect& GetArea() const { return m_area; }

    // Shows the text for the given seconds (kDefaultTime: four), its box centred vertically on
    // centreY pixels below the area's top (taken as signed; kCentreOfArea: the area's middle).
    // Without a font nothing can be measured, and the message is hidden instead.
    void Show(const char* text, float seconds = kDefaultTime, uint32_t centreY = kCentreOfArea);
    // Counts the time down; at 0 (or when it is not a number) the message is hidden.
    void Update(float seconds);
    // Hides the message.
    void Clear();
    // Draws the box and the text; nothing without a font, without a frame or when hidden.
    void Draw(CFrameInterface* frame);

    bool IsShown() const { return m_timeLeft > 0.0f; }
    float GetTimeLeft() const { return m_timeLeft; }
    // The wrapped text being shown.
    const CSharedString& GetText() const { return m_text; }
    // The rectangle of the wrapped text, without the box's margin.
    const CIntRect& GetTextBox() const { return m_textBox; }

private:
    CFont* m_font = nullptr;
    CSharedString m_text;
    float m_timeLeft = 0.0f;
    CIntRect m_area;
    CIntRect m_textBox;
    CColor m_boxColor;
};
