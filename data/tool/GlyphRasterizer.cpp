#include "GlyphRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

struct CGlyphRasterizer::Face
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Face()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

namespace {

constexpr FT_Int32 kLoadFlags = FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT;

int WholePixels(FT_Pos units26Dot6)
{
    return static_cast<int>((units26Dot6 + 32) >> 6);
}

} // namespace

CGlyphRasterizer::CGlyphRasterizer(const std::string& fontFile, int pixelSize) : m_face(std::make_unique<Face>())
{
    if (FT_Init_FreeType(&m_face->library) != 0) {
        m_error = "FreeType did not start";
        m_face.reset();
        return;
    }
    if (FT_New_Face(m_face->library, fontFile.c_str(), 0, &m_face->face) != 0) {
        m_error = "cannot open the font " + fontFile;
        m_face.reset();
        return;
    }
    if (FT_Set_Pixel_Sizes(m_face->face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        m_error = "the font " + fontFile + " has no size " + std::to_string(pixelSize);
        m_face.reset();
    }
}

CGlyphRasterizer::~CGlyphRasterizer() = default;

bool CGlyphRasterizer::IsOpen() const
{
    return m_face != nullptr;
}

int CGlyphRasterizer::GetAscent() const
{
    return m_face ? WholePixels(m_face->face->size->metrics.ascender) : 0;
}

int CGlyphRasterizer::GetDescent() const
{
    return m_face ? WholePixels(-m_face->face->size->metrics.descender) : 0;
}

bool CGlyphRasterizer::HasGlyph(char32_t codePoint) const
{
    return m_face && FT_Get_Char_Index(m_face->face, codePoint) != 0;
}

bool CGlyphRasterizer::IsFixedWidth() const
{
    return m_face && FT_IS_FIXED_WIDTH(m_face->face);
}

GlyphShape CGlyphRasterizer::RenderGlyph(char32_t codePoint) const
{
    GlyphShape shape;
    if (!m_face)
        return shape;
    const char32_t shown = HasGlyph(codePoint) ? codePoint : U' ';
    FT_Face face = m_face->face;
    if (FT_Load_Char(face, shown, kLoadFlags) != 0)
        return shape;
    const FT_GlyphSlot slot = face->glyph;
    shape.advance = WholePixels(slot->advance.x);
    if (shown != codePoint)
        return shape;
    const FT_Bitmap& bitmap = slot->bitmap;
    shape.left = slot->bitmap_left;
    shape.top = slot->bitmap_top;
    shape.mask = CCoverageMask(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));
    for (unsigned row = 0; row < bitmap.rows; ++row)
        for (unsigned column = 0; column < bitmap.width; ++column)
            shape.mask.Set(static_cast<int>(column), static_cast<int>(row),
                           bitmap.buffer[static_cast<ptrdiff_t>(row) * bitmap.pitch + column]);
    return shape;
}

CCoverageMask CGlyphRasterizer::RenderLine(const std::u32string& text) const
{
    if (!m_face)
        return {};
    std::vector<GlyphShape> glyphs;
    std::vector<int> pens;
    int pen = 0;
    int right = 0;
    FT_UInt previous = 0;
    for (char32_t c : text) {
        const FT_UInt index = FT_Get_Char_Index(m_face->face, c);
        FT_Vector kerning{0, 0};
        if (previous && index && FT_HAS_KERNING(m_face->face))
            FT_Get_Kerning(m_face->face, previous, index, FT_KERNING_DEFAULT, &kerning);
        pen += WholePixels(kerning.x);
        previous = index;
        glyphs.push_back(RenderGlyph(c));
        pens.push_back(pen);
        right = std::max(right, pen + glyphs.back().left + glyphs.back().mask.GetWidth());
        pen += glyphs.back().advance;
    }
    const int ascent = GetAscent();
    CCoverageMask line(std::max(right, pen), ascent + GetDescent());
    for (size_t i = 0; i < glyphs.size(); ++i)
        line.AddMask(glyphs[i].mask, pens[i] + glyphs[i].left, ascent - glyphs[i].top);
    return line;
}
