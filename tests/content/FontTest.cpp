// The glyphs of the bitmap fonts: every code the program draws has its picture, the pictures
// line up as text, and the window font carries the toolkit's symbols.
#include "ContentTestSupport.h"
#include "FontPainter.h"
#include "GlyphRasterizer.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// How many of n pixels from (x0, y0) in steps of (dx, dy) are mostly opaque.
int InkCount(const CImage& glyph, int x0, int y0, int dx, int dy, int n)
{
    int count = 0;
    for (int i = 0; i < n; ++i)
        if (glyph.GetPixel(x0 + i * dx, y0 + i * dy).a > 128)
            ++count;
    return count;
}

int TotalInk(const CImage& glyph)
{
    int count = 0;
    for (int y = 0; y < glyph.GetHeight(); ++y)
        count += InkCount(glyph, 0, y, 1, 0, glyph.GetWidth());
    return count;
}

const std::map<std::string, FontImages>& Fonts()
{
    static const std::map<std::string, FontImages> fonts = [] {
        std::map<std::string, FontImages> painted;
        for (const FontRecipe& recipe : GetFontRecipes()) {
            std::string error;
            FontImages font;
            EXPECT_TRUE(PaintFont(recipe, contenttest::FontFolder(), font, error)) << error;
            painted[recipe.name] = std::move(font);
        }
        return painted;
    }();
    return fonts;
}

TEST(Fonts, TheStartUpsFontsHoldEveryCodeTheyDraw)
{
    // The window font starts at the toolkit's symbols; the others at the blank; all go to the
    // end of Windows-1252.
    const std::map<std::string, int> firstCodes = {
        {"Small Blue", 32},  {"Devuduvozo", 32},  {"OCR Monospaced Numbers", 20},
        {"Big White", 32},   {"Yellow Header", 32}, {"Numbers Blue", 32},
    };
    std::map<std::string, FontRecipe> recipes;
    for (const FontRecipe& recipe : GetFontRecipes())
        recipes.emplace(recipe.name, recipe);
    ASSERT_EQ(Fonts().size(), firstCodes.size());
    for (const auto& [name, first] : firstCodes) {
        ASSERT_EQ(Fonts().count(name), 1u) << name;
        const FontImages& font = Fonts().at(name);
        EXPECT_EQ(font.firstCode, first) << name;
        EXPECT_EQ(font.lastCode, 255) << name;
        ASSERT_EQ(font.glyphs.size(), static_cast<size_t>(256 - first)) << name;
        const int height = font.glyphs.front().GetHeight();
        for (int code = first; code <= 255; ++code) {
            const CImage& glyph = font.GetGlyph(code);
            EXPECT_EQ(glyph.GetHeight(), height) << name << " " << code;
            EXPECT_GT(glyph.GetWidth(), 0) << name << " " << code;
        }
        // The blank is empty; letters, digits and the euro sign (Windows-1252's 0x80) have ink;
        // 0x81, which the code page leaves out, is a blank.
        EXPECT_EQ(TotalInk(font.GetGlyph(' ')), 0) << name;
        EXPECT_EQ(TotalInk(font.GetGlyph(0x81)), 0) << name;
        for (int code : {int('A'), int('g'), int('0'), int('9'), 0x80, 0xC4, 0xE9})
            EXPECT_GT(TotalInk(font.GetGlyph(code)), 3) << name << " " << code;
        // Capitals sit on the baseline (with the outline and shadow below them); descenders
        // reach further down.
        const int below = GetStyleMargin(recipes.at(name).style) + 1;
        const CImage& capital = font.GetGlyph('H');
        EXPECT_GT(InkCount(capital, 0, font.baseline - 1, 1, 0, capital.GetWidth()), 0) << name;
        EXPECT_EQ(InkCount(capital, 0, font.baseline + below, 1, 0, capital.GetWidth()), 0) << name;
        const CImage& descender = font.GetGlyph('g');
        EXPECT_GT(InkCount(descender, 0, font.baseline + below, 1, 0, descender.GetWidth()), 0) << name;
    }
}

TEST(Fonts, MonospacedFontsAdvanceAlikeAndTheOthersByTheirFaces)
{
    for (const auto& [name, font] : Fonts()) {
        const bool mono = name == "OCR Monospaced Numbers" || name == "Numbers Blue";
        EXPECT_EQ(font.fixedWidth, mono) << name;
        const int digit = font.GetGlyph('0').GetWidth();
        if (mono) {
            for (const CImage& glyph : font.glyphs)
                EXPECT_EQ(glyph.GetWidth(), digit) << name;
            continue;
        }
        // In a proportional face "W" is wider than "i", and all digits are alike (tables line up).
        EXPECT_GT(font.GetGlyph('W').GetWidth(), font.GetGlyph('i').GetWidth()) << name;
        for (int code = '1'; code <= '9'; ++code)
            EXPECT_EQ(font.GetGlyph(code).GetWidth(), digit) << name;
    }
}

TEST(Fonts, TheWindowFontDrawsTheToolkitsSymbols)
{
    const FontImages& font = Fonts().at("OCR Monospaced Numbers");
    for (int code : {20, 21, 22, 23, 25, 26, 27})
        EXPECT_EQ(TotalInk(font.GetGlyph(code)), 0) << code;
    EXPECT_GT(TotalInk(font.GetGlyph(24)), 10); // the close cross

    // Each arrow is wide at its base and narrow at its point: compare the ink of its first and
    // last inked row (up, down) or column (right, left).
    const struct
    {
        int code;
        bool rows;
        bool widerAtEnd;
    } arrows[] = {{28, true, true}, {29, true, false}, {30, false, false}, {31, false, true}};
    for (const auto& arrow : arrows) {
        const CImage& glyph = font.GetGlyph(arrow.code);
        const int lines = arrow.rows ? glyph.GetHeight() : glyph.GetWidth();
        std::vector<int> ink;
        for (int i = 0; i < lines; ++i) {
            const int count = arrow.rows ? InkCount(glyph, 0, i, 1, 0, glyph.GetWidth())
                                         : InkCount(glyph, i, 0, 0, 1, glyph.GetHeight());
            if (count > 0)
                ink.push_back(count);
        }
        ASSERT_GE(ink.size(), 3u) << arrow.code;
        EXPECT_EQ(ink.back() > ink.front(), arrow.widerAtEnd) << arrow.code;
    }
}

TEST(GlyphRasterizer, ALineIsAsWideAsItsGlyphsAndAMissingFaceIsReported)
{
    const CGlyphRasterizer face(std::string(contenttest::FontFolder()) + "/DejaVuSansMono.ttf", 20);
    ASSERT_TRUE(face.IsOpen()) << face.GetError();
    const int advance = face.RenderGlyph(U'M').advance;
    EXPECT_GT(advance, 8);
    EXPECT_EQ(face.RenderLine(U"MMMM").GetWidth(), 4 * advance);
    EXPECT_EQ(face.RenderLine(U"M").GetHeight(), face.GetAscent() + face.GetDescent());
    // A code point the face lacks gives a blank of the blank's width.
    const GlyphShape missing = face.RenderGlyph(U'\U0001F600');
    EXPECT_EQ(missing.mask.GetWidth(), 0);
    EXPECT_EQ(missing.advance, face.RenderGlyph(U' ').advance);

    const CGlyphRasterizer none("/nonexistent/face.ttf", 20);
    EXPECT_FALSE(none.IsOpen());
    EXPECT_NE(none.GetError().find("/nonexistent/face.ttf"), std::string::npos);
    EXPECT_EQ(none.RenderLine(U"x").GetWidth(), 0);
}

} // namespace
