#pragma once
// A bitmap font: a sequence whose frames are the glyphs of the codes "First ASCII" to
// "Last ASCII", drawn side by side through the font's blitter. It measures and draws single-line,
// multi-line and word-wrapped text onto any frame.
//
// Glyph rules every operation shares: codes below 20 have no glyph (width 0, not drawn); a code
// outside First..Last, or a glyph the font lacks, is glyph 0; a missing glyph measures 0. When
// Last + 1 is below 96 the font has no lower case, so narrow text is upper-cased for measuring as
// for drawing. A glyph is drawn with its hot spot at the pen position and advances the pen by its
// width, so a font's glyphs keep their left edge at the hot spot (fonts clear "Center Hot Spot"
// and "Crop Clor 0" in their properties).
//
// A font "<folder>/<name>" loads like a sequence (its depth cache while current, then its source
// image) or else from its properties and its glyph strip "<folder>/-<name>/<name>.tga" (or
// "<folder>/<name>.tga"): all glyphs side by side in one TGA, whose bottom row and first column
// are guides (see BuildGlyphsFromStrip). A source image has no place for the code range and the
// line base, so a font never rebuilds from one.
#include "foundation/SharedString.h"
#include "graphics/Color.h"
#include "graphics/Sequence.h"

#include <cstdint>

class CFrameInterface;

enum : int32_t
{
    kJustifyLeft = 0,
    kJustifyCentre = 1,
    kJustifyRight = 2,
};

// The parameters of a word-wrapped text: the box width, the gap between lines, the justification,
// the margins of the first line and of the later ones, and the least width of a line that may
// break inside a word.
struct CWrappedTextLayout
{
    int32_t m_width = 0;
    int32_t m_spacing = 0;
    int32_t m_justification = kJustifyLeft;
    int32_t m_firstLeftMargin = 0;
    int32_t m_firstRightMargin = 0;
    int32_t m_leftMargin = 0;
    int32_t m_rightMargin = 0;
    int32_t m_minimumBreakWidth = 0;

    bool operator==(const CWrappedTextLayout&) const = default;
};

class CFont : public CSequence
{
    DECLARE_CLASS_RECORD(CFont)

    // The load-flag bit "Fixed Width".
    static constexpr uint32_t kFixedWidth = 0x40;
    static constexpr uint32_t kFirstGlyphCode = 20;

    CFont();
    ~CFont() override;

    // The sequence load, else the properties and the glyph strip. With "Ignore TGA Font Data" set
    // the glyphs are dropped and one empty glyph slot is kept. False when no glyphs could be had.
    bool Load(const char* folder, const char* name, const CFrameLoadStage* stages) override;
    // Always false: see the header comment.
    bool BuildFromSource(const char* folder, const char* name, const CFrameLoadStage* stages = nullptr) override;
    // The sequence's part, after the code range and line base read with the properties are
    // brought into their ranges (a damaged cache holds any values).
    bool ReadCustomBinary(CVirtualFile& stream) override;

    // Measuring. Widths of text count at most maxCharacters characters (-1: all).
    int32_t GetCharWidth(uint32_t code) const;
    int32_t GetTextWidth(const char* text, int32_t maxCharacters = -1) const;
    int32_t GetTextWidth(const char16_t* text, int32_t maxCharacters = -1) const;
    // The widest of the text's lines.
    int32_t GetTextBlockWidth(const char* text) const;
    int32_t GetTextBlockWidth(const char16_t* text) const;
    int32_t GetTextBlockWidth(const CSharedString& text) const;
    // The line base plus the top of the first glyph there is.
    int32_t GetLineHeight() const;
    // The height of the union of the glyphs' bounds; 0 without glyphs.
    int32_t GetHeight() const;
    // lines x line height + (lines - 1) x spacing.
    int32_t GetTextBlockHeight(const char* text, int32_t spacing) const;
    int32_t GetTextBlockHeight(const CSharedString& text, int32_t spacing) const;
    int32_t GetWrappedTextHeight(const char* text, const CWrappedTextLayout& layout) const;
    // The farthest right end of a line, from the box's left edge.
    int32_t GetWrappedTextWidth(const char* text, const CWrappedTextLayout& layout) const;

    // Drawing, with the first glyph's hot spot at (x, y) for left justification. A fixed
    // character (code 20 or above) makes every glyph advance by that glyph's width, centred in it.
    void DrawText(CFrameInterface* frame, int32_t x, int32_t y, const char* text,
                  int32_t justification = kJustifyLeft, uint32_t fixedCharacter = 0) const;
    void DrawText(CFrameInterface* frame, int32_t x, int32_t y, const char16_t* text,
                  int32_t justification = kJustifyLeft, uint32_t fixedCharacter = 0) const;
    // One line per "\n", each line height + spacing below the last; returns the number of lines.
    int32_t DrawMultilineText(CFrameInterface* frame, int32_t x, int32_t y, const char* text, int32_t justification,
                              int32_t spacing) const;
    // Draws the text wrapped into the box whose top-left corner is (x, y); returns the height.
    int32_t DrawWrappedText(CFrameInterface* frame, int32_t x, int32_t y, const char* text,
                            const CWrappedTextLayout& layout) const;
    void DrawNumber(CFrameInterface* frame, int32_t x, int32_t y, int32_t value, int32_t justification) const;

    // The text with "\n" after each line that fits the width, trailing blanks dropped.
    CSharedString WrapText(const char* text, int32_t width) const;
    // How many characters of the text start a line narrower than maxWidth: whole words (each with
    // the blank or "\n" that ends it; a "\n" ends the line), or, when not even one word fits and
    // breaking inside words is allowed, single characters. The characters taken are appended to
    // lineText when given. 0 when nothing fits.
    int32_t FindLineBreak(const char* text, int32_t maxWidth, CSharedString* lineText, bool breakInsideWords) const;

    // Reads "<folder>/<name>.tga" or "<folder>/-<name>/<name>.tga" and builds the glyphs from it
    // through this font's load stages (built from the given list). False, keeping the glyphs the
    // font had, when neither file can be read and decoded.
    bool LoadGlyphStrip(const char* folder, const char* name, const CFrameLoadStage* stages);
    // Replaces the glyphs with those cut from the strip (run through the stages when given) and
    // sets the line base. Fixed width: N cells of width W / N and full height, line base H.
    // Proportional: the bottom row is the guide row, whose pixels with alpha mark where each
    // glyph after the first begins, and where the last one ends; column 0 is the guide column,
    // where a marked pixel in the upper half marks the top line t and the next marked row below
    // it the line base. Glyph 0 begins at column 1; glyphs are H - 1 rows high with their top at
    // -t. Codes past the strip's end get empty glyphs.
    void BuildGlyphsFromStrip(CFrame& strip, CFrameLoadStage* stages);
    // Writes the glyphs as the glyph strip "<folder>/-<name>/<name>.tga" (32 bits, guides as
    // BuildGlyphsFromStrip reads them) and the font's properties beside it: a font loads from the
    // two. Glyphs must be plain 32-bit, and in a proportional font every glyph but the first at
    // least one pixel wide. False, writing nothing, for a font that cannot be written so.
    bool SaveGlyphStrip(const char* folder, const char* name) const;

    int32_t GetFirstCode() const { return m_firstCode; }
    int32_t GetLastCode() const { return m_lastCode; }
    void SetCodeRange(int32_t first, int32_t last);
    int32_t GetLineBase() const { return m_lineBase; }
    void SetLineBase(int32_t lineBase) { m_lineBase = lineBase; }
    bool IsFixedWidth() const { return (m_loadFlags & kFixedWidth) != 0; }
    void SetFixedWidth(bool fixed);
    // Last - First + 1, or 0 when Last is below First.
    int32_t GetGlyphCount() const;

private:
    // The glyph a code draws with (null for none); narrow text is upper-cased first in fonts
    // without lower case.
    const CFrame* GetGlyph(uint32_t code, bool narrow) const;
    int32_t GlyphWidth(uint32_t code, bool narrow) const;
    template <class Char>
    int32_t MeasureText(const Char* text, int32_t maxCharacters) const;
    template <class Char>
    int32_t MeasureBlock(const Char* text) const;
    template <class Char>
    void DrawTextOf(CFrameInterface* frame, int32_t x, int32_t y, const Char* text, int32_t justification,
                    uint32_t fixedCharacter) const;
    // Runs through the wrapped lines, calling visit(line, lineWidth, left edge, available width).
    template <class Visit>
    int32_t ForEachWrappedLine(const char* text, const CWrappedTextLayout& layout, Visit&& visit) const;
    // Measures the wrapped text into the cache unless the cache holds it already.
    void UpdateWrappedLayout(const char* text, const CWrappedTextLayout& layout) const;

    int32_t m_lineBase = 0;
    int32_t m_firstCode = 32;
    int32_t m_lastCode = 125;
    CColor m_generatedColor;
    int32_t m_alpha = 255;
    int32_t m_pointSize = 12;
    uint8_t m_generateBold = 0;
    uint8_t m_generateAllCaps = 0;
    float m_verticalOffset = 0.0f;

    // The last wrapped layout measured.
    mutable bool m_layoutValid = false;
    mutable CSharedString m_layoutText;
    mutable CWrappedTextLayout m_layout;
    mutable int32_t m_layoutLines = 0;
    mutable int32_t m_layoutHeight = 0;
    mutable int32_t m_layoutWidth = 0;
};
