// A golden image of text: a font cut from a strip drawn here (a few capitals of 3 x 5 cells, drawn
// two pixels to the cell), its glyphs converted to 24 bits and drawn through "Normal Scale", one
// line in each justification.
#include "FrameTestSupport.h"
#include "GoldenImage.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/stages/DepthConvertStage.h"

#include <map>
#include <string>
#include <vector>

using frametest::WritePixel;

namespace {

constexpr uint32_t kScale = 2;
constexpr uint32_t kTopLine = 1;      // rows above the capitals' top
constexpr uint32_t kGlyphRows = 12;   // 1 + 5 x 2 + 1
constexpr uint32_t kGuide = 0xFFFF00FFu;
constexpr uint32_t kPaper = 0xFF28325Au;  // A, R, G, B from the top byte: a muted blue behind each glyph
constexpr uint32_t kInk = 0xFFFADC78u;    // a warm yellow

// Rows top first, '#' for ink; each glyph is one cell of paper wider than its shape.
const std::map<char, std::vector<const char*>>& Shapes()
{
    static const std::map<char, std::vector<const char*>> shapes = {
        {'C', {"###", "#..", "#..", "#..", "###"}}, {'E', {"###", "#..", "##.", "#..", "###"}},
        {'F', {"###", "#..", "##.", "#..", "#.."}}, {'G', {"###", "#..", "#.#", "#.#", "###"}},
        {'H', {"#.#", "#.#", "###", "#.#", "#.#"}}, {'I', {"#", "#", "#", "#", "#"}},
        {'L', {"#..", "#..", "#..", "#..", "###"}}, {'N', {"##.", "#.#", "#.#", "#.#", "#.#"}},
        {'R', {"##.", "#.#", "##.", "#.#", "#.#"}}, {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    };
    return shapes;
}

uint32_t ShapeWidth(char c)
{
    const auto found = Shapes().find(c);
    return found == Shapes().end() ? 1 : static_cast<uint32_t>(std::string(found->second[0]).size());
}

// The strip of the codes 32 to 90 with its guides: top line at row 1, line base at row 11.
void DrawStrip(CFrame& strip)
{
    uint32_t width = 2;
    for (int c = 32; c <= 90; ++c)
        width += (ShapeWidth(static_cast<char>(c)) + 1) * kScale;
    strip.Create(width, kGlyphRows + 1, 32);
    uint32_t x = 1;
    for (int c = 32; c <= 90; ++c) {
        const uint32_t glyphWidth = (ShapeWidth(static_cast<char>(c)) + 1) * kScale;
        if (c > 32)
            WritePixel(strip, x, kGlyphRows, kGuide);
        for (uint32_t gx = 0; gx < glyphWidth; ++gx)
            for (uint32_t gy = 0; gy < kGlyphRows; ++gy)
                WritePixel(strip, x + gx, gy, kPaper);
        const auto found = Shapes().find(static_cast<char>(c));
        for (uint32_t row = 0; found != Shapes().end() && row < 5; ++row)
            for (uint32_t column = 0; found->second[row][column]; ++column)
                if (found->second[row][column] == '#')
                    for (uint32_t p = 0; p < kScale * kScale; ++p)
                        WritePixel(strip, x + column * kScale + p % kScale, kTopLine + row * kScale + p / kScale, kInk);
        x += glyphWidth;
    }
    WritePixel(strip, x, kGlyphRows, kGuide);
    WritePixel(strip, 0, kTopLine, kGuide);
    WritePixel(strip, 0, kGlyphRows - 1, kGuide);
}

} // namespace

TEST(FontGolden, LinesInEachJustification)
{
    CFont font;
    font.SetPropertiesToDefaults();
    font.SetCodeRange(32, 90);
    ASSERT_TRUE(font.SetBlitTypeByName("Normal Scale"));
    CFrame strip;
    DrawStrip(strip);
    CFrameLoadStage stages;
    stages.InsertStage(new CDepthConvertStage(false, 24));
    font.BuildGlyphsFromStrip(strip, &stages);
    ASSERT_EQ(font.GetFrame('E' - 32)->GetBitsPerPixel(), 24u);
    EXPECT_EQ(font.GetLineHeight(), static_cast<int32_t>(kGlyphRows - 1 - kTopLine));

    CFrame target;
    target.Create(120, 50, 24);
    CColor background;
    background.ConstructRgba(16, 20, 36, 255);
    target.FillWithColor(background);
    const int32_t spacing = 4;
    const int32_t line = font.GetLineHeight() + spacing;
    font.DrawText(&target, 4, 4, "LEFT", kJustifyLeft);
    font.DrawText(&target, 60, 4 + line, "CENTRE", kJustifyCentre);
    font.DrawText(&target, 116, 4 + 2 * line, "RIGHT", kJustifyRight);
    golden::ExpectMatchesGolden(target, "FontJustification");
}
