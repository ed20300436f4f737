#pragma once
// The scrolling credits: the lines of a text file, read once, drawn moving upwards at two lines
// a second, fading in over the bottom eighth and out over the top eighth, and started again from
// the bottom once every line has left the top. A line starting with '/' is a comment; one with a
// ':' splits at its last ':' into a right-aligned and a left-aligned half meeting at the centre;
// one starting with '_' or '+' is a heading with a red or green underline; any other is centred.
//
// The rule a caller must know: the font is not owned and must outlive the text; a missing file
// gives no lines (nothing scrolls).
#include "graphics/Color.h"
#include "graphics/IntRect.h"

#include <cstdint>
#include <memory>

class CFont;
class CFrameInterface;

class CCreditsText
{
public:
    static constexpr uint32_t kSlots = 1000;
    static constexpr uint32_t kSlotBytes = 256;
    static constexpr uint32_t kMaxLines = 999;

    // Reads the file through the virtual file system; the scroll starts now.
    CCreditsText(const char* fileName, CFont* font);
    ~CCreditsText();
    CCreditsText(const CCreditsText&) = delete;
    CCreditsText& operator=(const CCreditsText&) = delete;

    // The scroll position at this moment into the frame, within the rectangle's height.
    void Draw(CFrameInterface* frame, const CIntRect& rect);

    uint32_t GetLineCount() const { return m_count; }
    // "" for an index at or past the count.
    const char* GetLine(uint32_t index) const;
    int32_t GetLineHeight() const { return m_lineHeight; }
    uint32_t GetStartTick() const { return m_startTick; }
    // The opacity of a line whose top is at y in a frame of height h.
    static float LineOpacity(int32_t y, int32_t h);
    // A heading's underline ('_' red, '+' green) at the line's opacity: blended through its alpha,
    // or on 8-bit frames, which do not blend, opaque and darkened by the opacity instead.
    static CColor UnderlineColor(char kind, float opacity, bool eightBit);

private:
    void ReadFile(const char* fileName);
    void StoreLine(const char* text, size_t length);
    void DrawLine(CFrameInterface* frame, const char* line, int32_t centreX, int32_t y, float opacity);

    uint32_t m_startTick;
    CFont* m_font;
    int32_t m_lineHeight;
    float m_speed;
    uint32_t m_count = 0;
    std::unique_ptr<char[]> m_lines;
};
