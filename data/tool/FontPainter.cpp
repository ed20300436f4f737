#include "FontPainter.h"

#include "GlyphRasterizer.h"
#include "platform/Charset.h"

#include <algorithm>
#include <cmath>

namespace {

// The window toolkit draws these codes of its font as symbols.
enum : int
{
    kCloseSymbol = 24,
    kUpArrow = 28,
    kDownArrow = 29,
    kRightArrow = 30,
    kLeftArrow = 31,
};

using Points = std::vector<std::pair<double, double>>;

// Where glyphs go in their pictures, the same for every glyph of the font.
struct Cell
{
    int topPad = 0;     // rows above the face's ascent
    int height = 0;
    int baseline = 0;
    int capTop = 0;     // the row where capitals begin: the gradient runs from here to the baseline
    int xHeight = 0;
};

// A symbol of the window font: a polygon (or two) around the middle of the lower-case letters.
std::vector<Points> SymbolShape(int code, double centerX, double centerY, double size)
{
    const double h = size / 2;
    switch (code) {
    case kUpArrow:
        return {{{centerX, centerY - h}, {centerX + h, centerY + h * 0.6}, {centerX - h, centerY + h * 0.6}}};
    case kDownArrow:
        return {{{centerX - h, centerY - h * 0.6}, {centerX + h, centerY - h * 0.6}, {centerX, centerY + h}}};
    case kRightArrow:
        return {{{centerX - h * 0.6, centerY - h}, {centerX + h, centerY}, {centerX - h * 0.6, centerY + h}}};
    case kLeftArrow:
        return {{{centerX + h * 0.6, centerY - h}, {centerX + h * 0.6, centerY + h}, {centerX - h, centerY}}};
    case kCloseSymbol: {
        // Two bars crossing at the centre, each a quarter of the size thick.
        const double t = std::max(0.75, size / 8);
        return {{{centerX - h - t, centerY - h + t}, {centerX - h + t, centerY - h - t}, {centerX + h + t, centerY + h - t},
                 {centerX + h - t, centerY + h + t}},
                {{centerX + h - t, centerY - h - t}, {centerX + h + t, centerY - h + t}, {centerX - h + t, centerY + h + t},
                 {centerX - h - t, centerY + h - t}}};
    }
    default:
        return {};
    }
}

CImage PaintShape(const CCoverageMask& mask, const LetterStyle& style, const Cell& cell)
{
    CImage picture(mask.GetWidth(), mask.GetHeight());
    PaintLettering(picture, mask, 0, 0, style, cell.capTop, cell.baseline);
    return picture;
}

} // namespace

bool PaintFont(const FontRecipe& recipe, const std::string& fontFolder, FontImages& font, std::string& error)
{
    const CGlyphRasterizer face(fontFolder + "/" + recipe.faceFile, recipe.pixelSize);
    if (!face.IsOpen()) {
        error = face.GetError();
        return false;
    }
    const LetterStyle& style = recipe.style;
    const int outline = style.outlineWidth;
    const int shadowReach = style.shadow.a != 0 ? 2 * style.shadowBlur : 0;
    const int rightReach = outline + (style.shadow.a != 0 ? style.shadowX : 0);

    Cell cell;
    cell.topPad = outline + std::max(0, shadowReach - (style.shadow.a != 0 ? style.shadowY : 0));
    cell.baseline = cell.topPad + face.GetAscent();
    cell.height = cell.baseline + face.GetDescent() + outline + (style.shadow.a != 0 ? style.shadowY + shadowReach : 0);
    cell.capTop = cell.baseline - face.RenderGlyph(U'H').top;
    cell.xHeight = face.RenderGlyph(U'x').top;

    font.name = recipe.name;
    font.firstCode = recipe.firstCode;
    font.lastCode = recipe.lastCode;
    font.fixedWidth = face.IsFixedWidth();
    font.baseline = cell.baseline;
    font.glyphs.clear();
    const int fixedAdvance = outline + face.RenderGlyph(U'0').advance + rightReach;

    for (int code = recipe.firstCode; code <= recipe.lastCode; ++code) {
        if (code < 32) {
            // Below the blank only the window font's symbols: as wide as a digit.
            CCoverageMask mask(fixedAdvance, cell.height);
            const double size = cell.xHeight * 1.1;
            for (const Points& points : SymbolShape(code, fixedAdvance / 2.0, cell.baseline - cell.xHeight / 2.0, size))
                mask.AddPolygon(points);
            font.glyphs.push_back(PaintShape(mask, style, cell));
            continue;
        }
        const GlyphShape shape = face.RenderGlyph(platform::Cp1252ToCodePoint(static_cast<unsigned char>(code)));
        // Every glyph advances by the face's advance plus the room of the outline and the
        // shadow's offset, so that digits of a proportional face still line up in tables; a glyph
        // whose ink sticks out of its advance gets the room it needs.
        const int pen = outline + std::max(0, -shape.left);
        int width = pen + shape.advance + rightReach;
        if (font.fixedWidth)
            width = fixedAdvance;
        else
            width = std::max(width, pen + shape.left + shape.mask.GetWidth() + rightReach);
        CCoverageMask mask(width, cell.height);
        mask.AddMask(shape.mask, pen + shape.left, cell.baseline - shape.top);
        font.glyphs.push_back(PaintShape(mask, style, cell));
    }
    return true;
}
