// Bitmap fonts: glyphs cut from strips (made here pixel by pixel, and by ImageMagick), the glyph
// rules of measuring and drawing, justification, line breaking and wrapped layouts, the strip
// writer, the font list, and the TrueType settings file.
#include "LoadTestSupport.h"
#include "SequenceTestSupport.h"
#include "graphics/FontCollection.h"
#include "graphics/SequenceCollection.h"
#include "graphics/UnicodeTrueTypeFontInfo.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace frametest;
using namespace loadtest;
using namespace seqtest;

namespace {

constexpr uint32_t kGuide = 0xFFFF00FFu;
constexpr uint32_t kWhite16 = 0xFFFF;

// A proportional strip of glyphs of the given widths, glyph i's pixels 0xFF000000 | (i + 1) << 8 |
// column, on rows = glyph rows + 1 (the guide row), with guides for the top line and line base.
void ProportionalStrip(CFrame& strip, const std::vector<uint32_t>& widths, uint32_t glyphRows, uint32_t topLine,
                       uint32_t lineBase)
{
    uint32_t width = 2;
    for (uint32_t w : widths)
        width += w;
    strip.Create(width, glyphRows + 1, 32);
    uint32_t x = 1;
    for (size_t i = 0; i < widths.size(); ++i) {
        if (i > 0)
            WritePixel(strip, x, glyphRows, kGuide);
        for (uint32_t c = 0; c < widths[i]; ++c)
            for (uint32_t y = 0; y < glyphRows; ++y)
                WritePixel(strip, x + c, y, 0xFF000000u | static_cast<uint32_t>(i + 1) << 8 | c);
        x += widths[i];
    }
    WritePixel(strip, x, glyphRows, kGuide);
    WritePixel(strip, 0, topLine, kGuide);
    WritePixel(strip, 0, lineBase, kGuide);
}

// Every glyph one pixel wide (the blank too), so widths count characters.
void UnitFont(CFont& font, uint32_t height = 10)
{
    MakeBlockFont(font, 32, 126, 16, height, [](int32_t) { return 1u; }, [](int32_t) { return kWhite16; });
}

// The columns of row y of a 16-bit frame that hold something.
std::vector<int32_t> InkedColumns(const CFrame& frame, uint32_t y)
{
    std::vector<int32_t> columns;
    for (uint32_t x = 0; x < frame.GetWidth(); ++x)
        if (ReadPixel(frame, x, y) != 0)
            columns.push_back(static_cast<int32_t>(x));
    return columns;
}

void WriteFontProperties(const std::string& folder, const std::string& lines)
{
    std::filesystem::create_directories(folder);
    testsupport::WriteFileBytes(folder + "/Properties.txt", "CFont\r\n{\r\n" + lines + "}\r\n");
}

} // namespace

TEST(Font, ProportionalStripGivesWidthsTopLineAndLineBase)
{
    CFrame strip;
    ProportionalStrip(strip, {3, 5, 1, 4}, 11, 2, 9);
    CFont font;
    font.SetPropertiesToDefaults();
    font.SetCodeRange('A', 'F');   // two codes more than the strip holds
    font.BuildGlyphsFromStrip(strip, nullptr);
    ASSERT_EQ(font.GetFrameCount(), 6u);
    const uint32_t widths[] = {3, 5, 1, 4};
    for (uint32_t i = 0; i < 4; ++i) {
        const CFrame* glyph = font.GetFrame(i);
        EXPECT_EQ(glyph->GetWidth(), widths[i]) << i;
        EXPECT_EQ(glyph->GetHeight(), 11u);
        EXPECT_EQ(glyph->GetLeft(), 0);
        EXPECT_EQ(glyph->GetTop(), -2);
        // The guide's column is the glyph's first column.
        EXPECT_EQ(ReadPixel(*glyph, 0, 0), 0xFF000000u | (i + 1) << 8);
        EXPECT_EQ(ReadPixel(*glyph, widths[i] - 1, 10), 0xFF000000u | (i + 1) << 8 | (widths[i] - 1));
    }
    // Past the strip: empty glyphs a cell (strip width / codes) wide.
    EXPECT_EQ(font.GetFrame(4)->GetWidth(), 15u / 6);
    EXPECT_EQ(ReadPixel(*font.GetFrame(5), 0, 0), 0u);
    EXPECT_EQ(font.GetLineBase(), 9);
    EXPECT_EQ(font.GetLineHeight(), 7);
    EXPECT_EQ(font.GetTextWidth("ABCD"), 13);
    EXPECT_EQ(font.GetHeight(), 11);

    // Without guides in the first column: top line 0, line base at the guide row.
    CFrame plain;
    ProportionalStrip(plain, {2, 2}, 6, 0, 0);
    WritePixel(plain, 0, 0, 0);
    font.SetCodeRange('A', 'B');
    font.BuildGlyphsFromStrip(plain, nullptr);
    EXPECT_EQ(font.GetLineBase(), 6);
    EXPECT_EQ(font.GetFrame(0)->GetTop(), 0);
}

TEST(Font, FixedWidthStripIsCutIntoEqualCells)
{
    CFrame strip;
    strip.Create(950, 14, 32);
    FillPattern(strip);
    CFont font;
    font.SetPropertiesToDefaults();
    font.SetFixedWidth(true);
    font.SetCodeRange(32, 126);
    font.BuildGlyphsFromStrip(strip, nullptr);
    ASSERT_EQ(font.GetFrameCount(), 95u);
    for (uint32_t i = 0; i < 95; ++i) {
        EXPECT_EQ(font.GetFrame(i)->GetWidth(), 10u);
        EXPECT_EQ(font.GetFrame(i)->GetHeight(), 14u);
    }
    EXPECT_EQ(ReadPixel(*font.GetFrame(7), 3, 13), ReadPixel(strip, 73, 13));
    EXPECT_EQ(font.GetLineBase(), 14);
    EXPECT_EQ(font.GetLineHeight(), 14);

    // A last code below the first: no glyphs at all, and nothing divides by the count.
    font.SetCodeRange(100, 50);
    font.BuildGlyphsFromStrip(strip, nullptr);
    EXPECT_EQ(font.GetFrameCount(), 0u);
    EXPECT_EQ(font.GetTextWidth("abc"), 0);
}

TEST(Font, GlyphRulesOfMeasuring)
{
    CFont font;
    // Codes 32 to 90 only (no lower case); glyph of code c is c - 30 wide.
    MakeBlockFont(font, 32, 90, 16, 12, [](int32_t c) { return static_cast<uint32_t>(c - 30); },
                  [](int32_t) { return kWhite16; });
    const struct
    {
        uint32_t code;
        int32_t width;
    } cases[] = {{'A', 35}, {' ', 2}, {'Z', 60}, {'~', 2}, {255, 2}, {25, 2}, {20, 2}, {19, 0}, {'\n', 0},
                 // Lower case measures with the upper-case glyphs, as it is drawn.
                 {'a', 35}, {'z', 60}};
    for (const auto& c : cases)
        EXPECT_EQ(font.GetCharWidth(c.code), c.width) << c.code;
    EXPECT_EQ(font.GetTextWidth("abc"), font.GetTextWidth("ABC"));
    EXPECT_EQ(font.GetTextWidth("ABC", 2), 35 + 36);
    EXPECT_EQ(font.GetTextWidth(u"ab"), 4);   // wide text is never upper-cased: glyph 0 twice
    EXPECT_EQ(font.GetTextBlockWidth("AB\nZZZZ\n"), 240);
    EXPECT_EQ(font.GetTextBlockHeight("one\ntwo", 4), 28);
    EXPECT_EQ(font.GetTextBlockHeight(CSharedString("a\nb\nc"), 0), 36);

    // A missing glyph measures 0.
    CFont gappy;
    MakeBlockFont(gappy, 'A', 'B', 16, 4, [](int32_t) { return 3u; }, [](int32_t) { return kWhite16; });
    gappy.AddFrame(nullptr);
    gappy.SetCodeRange('A', 'C');
    EXPECT_EQ(gappy.GetCharWidth('C'), 0);
    EXPECT_EQ(gappy.GetTextWidth("ACB"), 6);
}

TEST(Font, JustificationAndFixedCharacter)
{
    CFont font;
    // Glyph 'X' is 9 wide, the others 3; all are solid.
    MakeBlockFont(font, 32, 126, 16, 2, [](int32_t c) { return c == 'X' ? 9u : 3u; }, [](int32_t) { return kWhite16; });
    const struct
    {
        const char* text;
        int32_t justification;
        uint32_t fixed;
        int32_t first, last;
    } cases[] = {
        {"AB", kJustifyLeft, 0, 100, 105},
        {"AB", kJustifyRight, 0, 94, 99},
        {"ABC", kJustifyCentre, 0, 96, 104},   // 9 wide: starts at 100 - 4
        {"AB", kJustifyLeft, 'X', 103, 14 + 100},   // 3 wide glyphs centred in 9-wide cells
        {"AB", kJustifyCentre, 'X', 94, 105},
        {"AB", kJustifyRight, 'X', 85, 96},
    };
    for (const auto& c : cases) {
        CFrame target;
        target.Create(200, 4, 16);
        font.DrawText(&target, 100, 1, c.text, c.justification, c.fixed);
        const std::vector<int32_t> inked = InkedColumns(target, 1);
        ASSERT_FALSE(inked.empty()) << c.text << " " << c.justification;
        EXPECT_EQ(inked.front(), c.first) << c.text << " " << c.justification << " " << c.fixed;
        EXPECT_EQ(inked.back(), c.last) << c.text << " " << c.justification << " " << c.fixed;
        EXPECT_TRUE(InkedColumns(target, 0).empty());
    }

    // Centred text of width 101 starts 50 to the left.
    CFont wide;
    MakeBlockFont(wide, 'A', 'B', 16, 1, [](int32_t c) { return c == 'A' ? 100u : 1u; }, [](int32_t) { return kWhite16; });
    CFrame target;
    target.Create(300, 1, 16);
    wide.DrawText(&target, 150, 0, "AB", kJustifyCentre);
    EXPECT_EQ(InkedColumns(target, 0).front(), 100);
    // Nothing for an empty text or a font without glyphs.
    CFrame untouched;
    untouched.Create(10, 2, 16);
    wide.DrawText(&untouched, 0, 0, "");
    CFont empty;
    empty.SetPropertiesToDefaults();
    empty.DrawText(&untouched, 0, 0, "AB");
    EXPECT_TRUE(InkedColumns(untouched, 0).empty());

    // Lines one line height plus the spacing apart; numbers in base 10.
    CFont unit;
    UnitFont(unit, 3);
    CFrame lines;
    lines.Create(20, 20, 16);
    EXPECT_EQ(unit.DrawMultilineText(&lines, 2, 1, "ab\n\nabc", kJustifyLeft, 2), 3);
    EXPECT_EQ(InkedColumns(lines, 1), (std::vector<int32_t>{2, 3}));
    EXPECT_TRUE(InkedColumns(lines, 6).empty());
    EXPECT_EQ(InkedColumns(lines, 11), (std::vector<int32_t>{2, 3, 4}));
    unit.DrawNumber(&lines, 10, 16, -42, kJustifyRight);
    EXPECT_EQ(InkedColumns(lines, 16), (std::vector<int32_t>{7, 8, 9}));
}

TEST(Font, FindLineBreak)
{
    CFont font;
    UnitFont(font);
    const struct
    {
        const char* text;
        int32_t width;
        bool breakWords;
        int32_t count;
        const char* line;
    } cases[] = {
        {"hello world", 20, false, 11, "hello world"},
        {"hello world", 12, false, 11, "hello world"},
        {"hello world", 11, false, 6, "hello "},   // a word reaching the width is left out
        {"hello\nworld", 20, false, 6, "hello\n"},  // "\n" ends the line and belongs to it
        {"\nabc", 5, false, 1, "\n"},
        {"ab\ncd", 3, false, 3, "ab\n"},            // the line end does not count to the width
        {"abcdefgh", 4, false, 0, ""},
        {"abcdefgh", 4, true, 3, "abc"},
        {"ab cdefgh", 4, true, 3, "ab "},           // whole words first
        {"   abc", 3, false, 2, "  "},              // each blank is a word
        {"", 10, true, 0, ""},
        {"ab", 1, true, 0, ""},
        {"ab", -5, true, 0, ""},
    };
    for (const auto& c : cases) {
        CSharedString line("<");
        EXPECT_EQ(font.FindLineBreak(c.text, c.width, &line, c.breakWords), c.count) << c.text << " " << c.width;
        EXPECT_STREQ(line.CStr(), (std::string("<") + c.line).c_str()) << c.text << " " << c.width;
    }
}

TEST(Font, WrapText)
{
    CFont font;
    UnitFont(font);
    const struct
    {
        const char* text;
        int32_t width;
        const char* wrapped;
    } cases[] = {
        {"the quick brown fox", 10, "the\nquick\nbrown fox\n"},
        {"abcdefghijkl", 5, "abcd\nefgh\nijkl\n"},
        {"  a  b", 3, "a\nb\n"},
        {"a\n\nb", 10, "a\n\nb\n"},
        {"one two   \nthree", 20, "one two\nthree\n"},
        {"", 10, ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(font.WrapText(c.text, c.width).CStr(), c.wrapped) << c.text;
}

TEST(Font, WrappedLayoutMeasuresAndDraws)
{
    CFont font;
    UnitFont(font, 2);
    CWrappedTextLayout layout;
    layout.m_width = 10;
    layout.m_spacing = 3;
    layout.m_firstLeftMargin = 2;    // first line: 8 available
    layout.m_leftMargin = 1;         // later lines: 9 available
    // "aaa bb " (7) stays below 8; then "cccc dd" (7) below 9.
    const char* text = "aaa bb cccc dd";
    const struct
    {
        int32_t justification;
        int32_t width;     // the farthest right end
        int32_t firstAt;   // where the first line's ink starts
    } cases[] = {{kJustifyLeft, 2 + 6, 2}, {kJustifyCentre, 2 + (8 + 6) / 2, 2 + 8 / 2 - 3}, {kJustifyRight, 10, 4}};
    for (const auto& c : cases) {
        layout.m_justification = c.justification;
        EXPECT_EQ(font.GetWrappedTextHeight(text, layout), 2 * 2 + 3);
        EXPECT_EQ(font.GetWrappedTextWidth(text, layout), c.width) << c.justification;
        CFrame target;
        target.Create(20, 10, 16);
        EXPECT_EQ(font.DrawWrappedText(&target, 0, 1, text, layout), 7);
        EXPECT_EQ(InkedColumns(target, 1).front(), c.firstAt) << c.justification;
        EXPECT_EQ(InkedColumns(target, 1).size(), 6u);
        EXPECT_EQ(InkedColumns(target, 6).size(), 7u);   // the second line: 2 + 3 lower
    }

    // A word wider than a box too narrow to break in still gets a line: the layout always ends.
    layout = CWrappedTextLayout();
    layout.m_width = 3;
    layout.m_minimumBreakWidth = 5;
    EXPECT_EQ(font.GetWrappedTextHeight("abcdefgh ij", layout), 2 * 2);
    EXPECT_EQ(font.GetWrappedTextWidth("abcdefgh ij", layout), 8);
    EXPECT_EQ(font.GetWrappedTextHeight("", layout), 0);
}

TEST(Font, GlyphStripWrittenAndReadBack)
{
    WorkFolder folder;
    CFrame strip;
    ProportionalStrip(strip, {3, 5, 1, 4}, 11, 2, 9);
    CFont font;
    font.SetPropertiesToDefaults();
    font.SetLoadFlags(0);
    font.SetCodeRange('A', 'D');
    font.BuildGlyphsFromStrip(strip, nullptr);
    ASSERT_TRUE(font.SaveGlyphStrip("Fonts", "Menus/Title"));
    ASSERT_TRUE(std::filesystem::exists("Fonts/Menus/-Title/Title.tga"));
    ASSERT_TRUE(std::filesystem::exists("Fonts/Menus/-Title/Properties.txt"));

    // Read back through a stage list without a conversion, which keeps 32 bits as they are.
    CFont read;
    read.ReadProperties("Fonts", "Menus/Title");
    CFrameLoadStage keep;
    ASSERT_TRUE(read.LoadGlyphStrip("Fonts", "Menus/Title", &keep));
    EXPECT_EQ(read.GetFirstCode(), 'A');
    EXPECT_EQ(read.GetLastCode(), 'D');
    ASSERT_EQ(read.GetFrameCount(), 4u);
    EXPECT_EQ(read.GetLineHeight(), font.GetLineHeight());
    EXPECT_EQ(read.GetLineBase(), font.GetLineBase());
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(read.GetFrame(i)->GetTop(), -2);
        EXPECT_EQ(Snapshot(*read.GetFrame(i)), Snapshot(*font.GetFrame(i))) << i;
    }

    // A fixed-width font comes back in cells of its widest glyph.
    CFont fixed;
    fixed.SetPropertiesToDefaults();
    fixed.SetLoadFlags(CFont::kFixedWidth);
    fixed.SetCodeRange('0', '2');
    for (uint32_t i = 0; i < 3; ++i)
        fixed.AddFrame(SolidFrame(6, 8, 32, 0xFF000000u | (i + 1)));
    fixed.SetLineBase(8);
    ASSERT_TRUE(fixed.SaveGlyphStrip("Fonts", "Digits"));
    CFont digits;
    digits.ReadProperties("Fonts", "Digits");
    EXPECT_TRUE(digits.IsFixedWidth());
    ASSERT_TRUE(digits.LoadGlyphStrip("Fonts", "Digits", &keep));
    ASSERT_EQ(digits.GetFrameCount(), 3u);
    EXPECT_EQ(ReadPixel(*digits.GetFrame(2), 5, 7), 0xFF000003u);
    EXPECT_EQ(digits.GetLineHeight(), 8);

    // A glyph after the first with no width cannot be marked in a proportional strip.
    font.AddFrame(nullptr);
    font.SetCodeRange('A', 'E');
    EXPECT_FALSE(font.SaveGlyphStrip("Fonts", "Gap"));
    EXPECT_FALSE(std::filesystem::exists("Fonts/-Gap"));
}

TEST(Font, StripWrittenByImageMagickLoadsThroughTheFontList)
{
    const std::string convert = ImageMagickTool("convert");
    if (convert.empty())
        GTEST_SKIP() << "ImageMagick is not installed";
    WorkFolder folder;
    DisplayDepth depth(16);
    CFrame strip;
    ProportionalStrip(strip, {2, 6, 3}, 9, 1, 7);
    std::filesystem::create_directories("Fonts/-Hud");
    testsupport::WriteFileBytes("strip.pam", MakePam(strip.GetWidth(), strip.GetHeight(), Snapshot(strip)));
    // ImageMagick marks its rows' order only when told to; run-length packets as a painter would.
    ASSERT_EQ(testsupport::RunCommand(convert + " strip.pam -orient TopLeft -compress RLE Fonts/-Hud/Hud.tga"), 0);
    WriteFontProperties("Fonts/-Hud", "\tFirst ASCII=48\r\n\tLast ASCII=50\r\n\tCenter Hot Spot=0\r\n\tCrop Clor 0=0\r\n");

    CFontCollection fonts;
    fonts.SetUpAtStartUp();
    ASSERT_EQ(fonts.GetCount(), 1u);
    CFont* font = fonts.FindFont("hud");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetTextWidth("012"), 11);
    EXPECT_EQ(font->GetLineHeight(), 6);
    // Run-length encoded and converted for the display by the font's own stages.
    EXPECT_EQ(font->GetFrame(1)->GetFormatFlags() & kFrameDepthMask, kFrameDepth16);
    EXPECT_NE(font->GetFrame(1)->GetFormatFlags() & kFrameRunLengthMask, 0u);

    // Loaded once: the second request answers the same font though its strip has gone.
    std::filesystem::remove("Fonts/-Hud/Hud.tga");
    EXPECT_EQ(fonts.FindFont("Hud"), font);
    CSharedString path;
    ASSERT_TRUE(fonts.GetObjectFilePath(font, path));
    EXPECT_STREQ(path.CStr(), "Fonts/-Hud/Properties.txt");
    EXPECT_EQ(fonts.FindFont("Missing"), nullptr);
}

TEST(Font, SequenceListFindsItemFoldersAndLoadsFromTheCache)
{
    WorkFolder folder;
    DisplayDepth depth(16);
    CSequence cursor;
    cursor.SetPropertiesToDefaults();
    cursor.AddFrame(SolidFrame(4, 4, 32, 0xFFFFFFFFu, -1, -1));
    cursor.AddFrame(SolidFrame(3, 3, 32, 0xFF0000FFu));
    ASSERT_TRUE(cursor.SaveProperties("Resources", "MouseCursor"));
    ASSERT_TRUE(cursor.SaveSourceImage("Resources", "MouseCursor", CSequenceSourceOptions()));
    std::filesystem::create_directories("Resources/Ship/-Idle");
    std::filesystem::create_directories("Resources/-Skipped/-Inner");

    CSequenceCollection sequences;
    sequences.SetUpAtStartUp();
    ASSERT_EQ(sequences.GetCount(), 3u);
    EXPECT_STREQ(sequences.GetItemName(0), "MouseCursor");
    EXPECT_STREQ(sequences.GetItemName(1), "Ship/Idle");
    EXPECT_STREQ(sequences.GetItemName(2), "Skipped");
    CSequence* loaded = sequences.FindSequence("MouseCursor");
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->GetFrameCount(), 2u);
    EXPECT_EQ(loaded->GetFrame(0)->GetFormatFlags() & kFrameDepthMask, kFrameDepth16);
    EXPECT_TRUE(std::filesystem::exists("Cache/Resources/-MouseCursor.seq16"));
    EXPECT_TRUE(sequences.UnloadSequence(loaded));
    EXPECT_FALSE(sequences.IsItemLoaded(0));
    EXPECT_FALSE(sequences.UnloadSequence(&cursor));

    // Without item folders, the source images of the cache name the sequences.
    std::filesystem::remove_all("Resources");
    sequences.SetUpAtStartUp();
    ASSERT_EQ(sequences.GetCount(), 1u);
    EXPECT_STREQ(sequences.GetItemName(0), "MouseCursor");
}

TEST(UnicodeFontInfo, DefaultsWithoutAFileAndSavedBackWithOne)
{
    WorkFolder folder;
    std::unique_ptr<CUnicodeTrueTypeFontInfo> info(CUnicodeTrueTypeFontInfo::ReadFromFile("UnicodeFontInfo.txt"));
    EXPECT_STREQ(info->m_fontFileName, "MSGOTHIC.TTC");
    EXPECT_FALSE(info->IgnoresTgaFontData());
    EXPECT_EQ(info->m_autoTrimHorizontally, 1);
    EXPECT_FALSE(std::filesystem::exists("UnicodeFontInfo.txt"));

    // Another class: the defaults, and the file stays as it was.
    const std::string other = "CFrameInfo\r\n{\r\n\tLeft=3\r\n}\r\n";
    testsupport::WriteFileBytes("UnicodeFontInfo.txt", other);
    info.reset(CUnicodeTrueTypeFontInfo::ReadFromFile("UnicodeFontInfo.txt"));
    EXPECT_STREQ(info->m_typefaceName, "MS UI Gothic");
    EXPECT_EQ(testsupport::ReadFileBytes("UnicodeFontInfo.txt"), other);

    testsupport::WriteFileBytes("UnicodeFontInfo.txt",
                                "CUnicodeTrueTypeFontInfo\r\n{\r\n\tIgnore TGA Font Data=1\r\n\tFont Scale Factor=2.5\r\n}\r\n");
    info.reset(CUnicodeTrueTypeFontInfo::ReadFromFile("UnicodeFontInfo.txt"));
    EXPECT_TRUE(info->IgnoresTgaFontData());
    EXPECT_EQ(info->m_scaleFactor, 2.5f);
    EXPECT_NE(testsupport::ReadFileBytes("UnicodeFontInfo.txt").find("Font Typeface Name=MS UI Gothic\r\n"),
              std::string::npos);
}
