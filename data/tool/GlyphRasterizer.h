#pragma once
// Glyphs of a TrueType face rendered by FreeType into coverage masks, at a size in pixels.
// Hinting is FreeType's own light auto-hinter, so that small text stays sharp on the 640 x 480
// screen, and the results depend only on the font file and FreeType's version.
//
// The rule a caller must know: check IsOpen after construction; every other operation on a
// face that did not open answers empty results.
#include "CoverageMask.h"

#include <memory>
#include <string>

struct GlyphShape
{
    CCoverageMask mask;   // the glyph's ink, tightly cropped
    int left = 0;         // ink's left edge relative to the pen position
    int top = 0;          // ink's top edge above the baseline
    int advance = 0;      // how far the pen moves, in whole pixels
};

class CGlyphRasterizer
{
public:
    // Opens the face file at the pixel size (the height of the em square).
    CGlyphRasterizer(const std::string& fontFile, int pixelSize);
    ~CGlyphRasterizer();
    CGlyphRasterizer(const CGlyphRasterizer&) = delete;
    CGlyphRasterizer& operator=(const CGlyphRasterizer&) = delete;

    bool IsOpen() const;
    // The error FreeType gave when the face did not open.
    const std::string& GetError() const { return m_error; }

    // Whole pixels above and below the baseline that the face's letters reach.
    int GetAscent() const;
    int GetDescent() const;
    // Whether the face has a glyph of its own for the Unicode code point.
    bool HasGlyph(char32_t codePoint) const;
    // Whether every glyph of the face advances alike.
    bool IsFixedWidth() const;
    // The glyph of the code point; an empty shape with the advance of a blank for a code point
    // the face lacks.
    GlyphShape RenderGlyph(char32_t codePoint) const;
    // A line of text with kerning, baseline at row GetAscent() of a mask of the text's width.
    CCoverageMask RenderLine(const std::u32string& text) const;

private:
    struct Face;
    std::unique_ptr<Face> m_face;
    std::string m_error;
};
