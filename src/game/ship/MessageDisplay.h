#pragma once
// The text panel beside the field in which the game announces events: up to ten word-wrapped
// lines in three fonts (one per line kind), centred in their rectangle, shown for a time, faded out
// over the last half second and, when asked, blinking. The game object owns the one display and
// hands it over with SetMessageDisplay; everyone else reaches it through GetMessageDisplay.
//
// The rule a caller must know: text that does not fit (ten lines, or the rectangle's height) is
// dropped, never squeezed; a time of 0 keeps the lines until they are cleared or replaced.
#include "foundation/SharedString.h"

#include <cstdint>

class CFont;
class CFrameInterface;

class CMessageDisplay
{
public:
    static constexpr uint32_t kMaxLines = 10;
    static constexpr float kFadeSeconds = 0.5f;
    // Blinking: shown, then fading, then hidden, in seconds of drawn frames at 1/60 s each.
    static constexpr float kBlinkShown = 0.75f;
    static constexpr float kBlinkFadeEnd = 1.0f;
    static constexpr float kBlinkPeriod = 1.5f;
    static constexpr float kBannerSeconds = 4.0f;

    // Fonts of kinds 0, 1 and 2 (not owned; a missing font takes no lines). Starts with the banner
    // as a kind-1 line for 4 seconds.
    CMessageDisplay(CFont* font0, CFont* font1, CFont* font2, int32_t left, int32_t top, int32_t width,
                    int32_t height);
    // Stops being the game's display when it was.
    ~CMessageDisplay();
    CMessageDisplay(const CMessageDisplay&) = delete;
    CMessageDisplay& operator=(const CMessageDisplay&) = delete;

    // Replaces the lines with the text in the kind's font for the time (0: until cleared), blinking
    // or not.
    void Show(const char* text, int32_t kind, float seconds, bool blink);
    // Appends the text's lines in the kind's font; the time stays.
    void AddLines(const char* text, int32_t kind);
    // Raises the time left to seconds when it is lower.
    void KeepAtLeast(float seconds);
    void Clear();
    // Counts the time down; when it runs out the lines go.
    void Update(float elapsed);
    // The lines centred in the rectangle, faded and blinking as due; each call is one frame of the
    // blink.
    void Draw(CFrameInterface* target);

    uint32_t GetLineCount() const { return m_lineCount; }
    // "" past the last line.
    const char* GetLine(uint32_t i) const { return i < m_lineCount ? m_lines[i].CStr() : ""; }
    CFont* GetLineFont(uint32_t i) const { return i < m_lineCount ? m_lineFonts[i] : nullptr; }
    float GetTimeLeft() const { return m_timeLeft; }
    uint32_t GetTotalHeight() const { return m_totalHeight; }
    bool IsBlinking() const { return m_blinking; }
    // The opacity the next draw would use after advancing the blink by one frame (no drawing).
    float PeekNextAlpha() const;

private:
    CFont* GetKindFont(int32_t kind) const;
    // The opacity of the fade and of the blink phase given.
    float GetAlpha(float phase) const;
    // The blink phase after one more drawn frame.
    float NextPhase() const;

    int32_t m_left;
    int32_t m_top;
    int32_t m_right;
    int32_t m_bottom;
    CSharedString m_lines[kMaxLines];
    CFont* m_lineFonts[kMaxLines] = {};
    uint32_t m_lineCount = 0;
    CFont* m_fonts[3];
    float m_timeLeft = 0.0f;
    uint32_t m_totalHeight = 0;
    bool m_blinking = false;
    float m_blinkPhase = 0.0f;
};

// The game's message display; null while there is none.
CMessageDisplay* GetMessageDisplay();
// The owner (the game object) hands it over here, and null when it goes.
void SetMessageDisplay(CMessageDisplay* display);
