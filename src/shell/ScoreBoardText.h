#pragma once
// The texts of the score board beside the field: the score with thousands separators, the round
// time, the shown ball speed and the scrolling round title. Pure functions, so the board's
// drawing only places them.
#include "foundation/SharedString.h"
#include "graphics/IntRect.h"

#include <cstdint>

// The score times the display factor, a comma every three digits from the right ("1,234,567").
CSharedString FormatScore(uint32_t score, uint32_t factor);
// Seconds as minutes, seconds and hundredths: "%d:%02d:%02d" (negative time shows as 0:00:00).
CSharedString FormatRoundTime(float seconds);
// The shown speed of a ball speed in pixels per second (x 0.24509804, truncated).
int32_t ToShownSpeed(float speed);
// "Round s-r: name   " (set and round counted from 1, three blanks at the end); an empty name
// shows noName instead. The words are passed in so that they can be localised.
CSharedString MakeRoundTitle(const char* roundWord, const char* noName, uint32_t set, uint32_t round,
                             const char* name);

// The scrolling round title's band at the top of the score board's well (524, 144)-(630, 302):
// clear of the well's rounded edges and above the "Time" label (drawn at kScoreBoardTimeLabelY),
// which a title drawn lower ran into with the data set's fonts.
constexpr int32_t kScoreBoardTimeLabelY = 177;
constexpr int32_t kRoundTitleY = 150;
constexpr CIntRect kRoundTitleClip{527, 147, 627, 171};

// The title's scroll offset: it starts at -99, so the text enters from the right, and grows by one
// pixel a step; past one copy's width it loses that width (the text is stored twice, so the wrap
// has no seam), and becomes 0 when still past it.
class CRoundTitleScroll
{
public:
    static constexpr int32_t kStartOffset = -99;

    void Reset(int32_t width)
    {
        m_width = width;
        m_offset = kStartOffset;
    }
    void Step()
    {
        if (++m_offset > m_width) {
            m_offset -= m_width;
            if (m_offset > m_width)
                m_offset = 0;
        }
    }
    int32_t GetOffset() const { return m_offset; }
    int32_t GetWidth() const { return m_width; }

private:
    int32_t m_width = 0;
    int32_t m_offset = kStartOffset;
};
