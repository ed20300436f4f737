// The mouse cursor and the fonts as the program finds them in the built data set: loaded through
// the program's own lists on a 16-bit display and drawn with their own blend mode, they must look
// as the tool drew them. The reference composes the drawn pictures here, in floating point.
#include "FontPainter.h"
#include "MountedDataSet.h"
#include "MouseCursor.h"
#include "StagingFolder.h"
#include "blit/BlitTypeList.h"
#include "blit/Blitter.h"
#include "foundation/OpenFlags.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/Frame.h"
#include "graphics/ScreenMode.h"
#include "graphics/SequenceCollection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {

namespace fs = std::filesystem;

constexpr int kBackground = 128;

// A 16-bit page filled with mid grey, on which shadows and light edges both show.
void GreyPage(CFrame& page, int width, int height)
{
    page.Create(static_cast<uint32_t>(width), static_cast<uint32_t>(height), 16);
    CColor grey;
    grey.ConstructRgba(kBackground, kBackground, kBackground, 255);
    page.FillWithColor(grey);
}

// A 5-6-5 pixel's channels on the 8-bit scale.
void Unpack565(uint32_t v, double out[3])
{
    out[0] = ((v >> 11) & 31) * 255.0 / 31;
    out[1] = ((v >> 5) & 63) * 255.0 / 63;
    out[2] = (v & 31) * 255.0 / 31;
}

// What the page should show: the page as it was, with the pictures laid over it by their
// straight alpha.
class Expected
{
public:
    explicit Expected(const CFrame& page)
        : m_width(page.GetWidth()), m_pixels(static_cast<size_t>(m_width) * page.GetHeight() * 3)
    {
        for (int y = 0; y < page.GetHeight(); ++y)
            for (int x = 0; x < m_width; ++x)
                Unpack565(page.GetRawPixel(x, y), At(x, y));
    }

    void Lay(const CImage& picture, int left, int top)
    {
        for (int y = 0; y < picture.GetHeight(); ++y)
            for (int x = 0; x < picture.GetWidth(); ++x) {
                const Rgba p = picture.GetPixel(x, y);
                double* out = At(left + x, top + y);
                const double a = p.a / 255.0;
                out[0] += (p.r - out[0]) * a;
                out[1] += (p.g - out[1]) * a;
                out[2] += (p.b - out[2]) * a;
            }
    }

    // The largest and the mean difference of a channel, on the 8-bit scale, from the 5-6-5 page.
    void Compare(const CFrame& page, int& worst, double& mean) const
    {
        worst = 0;
        double total = 0;
        for (int y = 0; y < page.GetHeight(); ++y)
            for (int x = 0; x < page.GetWidth(); ++x) {
                double shown[3];
                Unpack565(page.GetRawPixel(x, y), shown);
                for (int c = 0; c < 3; ++c) {
                    const double difference = std::fabs(shown[c] - At(x, y)[c]);
                    worst = std::max(worst, static_cast<int>(std::lround(difference)));
                    total += difference;
                }
            }
        mean = total / (page.GetWidth() * page.GetHeight() * 3.0);
    }

private:
    double* At(int x, int y) { return &m_pixels[(static_cast<size_t>(y) * m_width + x) * 3]; }
    const double* At(int x, int y) const { return &m_pixels[(static_cast<size_t>(y) * m_width + x) * 3]; }

    int m_width;
    std::vector<double> m_pixels;
};

// A step of the 5-6-5 grid is 8.2 for red and blue: the conversion and the blend's 5-bit weights
// each lose up to one, and alpha under 6 or over 250 is dropped or made opaque.
constexpr int kWorst = 20;
constexpr double kMean = 2.0;

class LoadedDataSet : public MountedDataSet
{
protected:
    void SetUp() override
    {
        MountedDataSet::SetUp();
        m_savedDepth = GetDisplayBitsPerPixel();
        SetDisplayBitsPerPixel(16);
    }
    void TearDown() override
    {
        CFontCollection::GetInstance().FreeEntries();
        CSequenceCollection::GetInstance().FreeEntries();
        SetDisplayBitsPerPixel(m_savedDepth);
    }

    int32_t m_savedDepth = 0;
};

TEST_F(LoadedDataSet, TheCursorDrawsAsDrawnWithItsHotSpotAtThePointer)
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    sequences.SetUpAtStartUp();
    CSequence* cursor = sequences.FindSequence("MouseCursor");
    ASSERT_NE(cursor, nullptr);
    ASSERT_EQ(cursor->GetFrameCount(), 1u);
    CFrame* frame = cursor->GetFrame(0);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetBitsPerPixel(), 16u);
    EXPECT_NE(frame->GetFormatFlags() & kFrameRunLengthMask, 0u);
    ASSERT_NE(cursor->GetBlitter(), nullptr);
    EXPECT_STREQ(CBlitter::GetRegistry().GetItemName(cursor->GetBlitTypeIndex()), "Transparent Mask");

    const CImage drawn = PaintMouseCursor();
    EXPECT_EQ(frame->GetLeft(), -drawn.GetHotSpotX());
    EXPECT_EQ(frame->GetTop(), -drawn.GetHotSpotY());

    // The pointer at (10, 7): the picture's hot spot lands there.
    const int pointerX = 10, pointerY = 7;
    CFrame page;
    GreyPage(page, drawn.GetWidth() + 20, drawn.GetHeight() + 14);
    Expected expected(page);
    cursor->GetBlitter()->SetOpacity(1.0f);
    ASSERT_TRUE(page.DrawFrameAt(frame, pointerX, pointerY, cursor->GetBlitter()));
    expected.Lay(drawn, pointerX - drawn.GetHotSpotX(), pointerY - drawn.GetHotSpotY());
    int worst;
    double mean;
    expected.Compare(page, worst, mean);
    EXPECT_LE(worst, kWorst);
    EXPECT_LT(mean, kMean);
}

// Every code the program sets: letters, digits, Windows-1252 letters and signs, the window
// toolkit's symbols, and codes the fonts hold as blanks.
const char kSample[] = "Vantorel 0123456789 gjpqy \xC4\xE9\xDF\x80\xA9 \x18\x1C\x1D\x1E\x1F\x81!";

TEST_F(LoadedDataSet, EveryFontMeasuresAndDrawsItsTextAsItsGlyphsWereDrawn)
{
    CFontCollection& fonts = CFontCollection::GetInstance();
    fonts.SetUpAtStartUp();
    for (const FontRecipe& recipe : GetFontRecipes()) {
        SCOPED_TRACE(recipe.name);
        FontImages drawn;
        std::string error;
        ASSERT_TRUE(PaintFont(recipe, contenttest::FontFolder(), drawn, error)) << error;
        CFont* font = fonts.FindFont(recipe.name);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->GetFirstCode(), drawn.firstCode);
        EXPECT_EQ(font->GetLastCode(), drawn.lastCode);
        EXPECT_EQ(font->IsFixedWidth(), drawn.fixedWidth);
        const int height = drawn.glyphs.front().GetHeight();
        EXPECT_EQ(font->GetLineHeight(), height);
        EXPECT_EQ(font->GetHeight(), height);
        for (int code = drawn.firstCode; code <= drawn.lastCode; ++code)
            ASSERT_EQ(font->GetCharWidth(static_cast<uint32_t>(code)), drawn.GetGlyph(code).GetWidth()) << code;

        // The text set glyph after glyph from the pen; a code outside the font is glyph 0.
        int width = 0;
        std::vector<std::pair<const CImage*, int>> placed;
        for (const char* c = kSample; *c; ++c) {
            const int code = static_cast<unsigned char>(*c);
            const CImage& glyph = drawn.GetGlyph(code >= drawn.firstCode ? code : drawn.firstCode);
            placed.emplace_back(&glyph, width);
            width += glyph.GetWidth();
        }
        EXPECT_EQ(font->GetTextWidth(kSample), width);
        const int penX = 3, penY = 2;
        CFrame page;
        GreyPage(page, width + 6, height + 4);
        Expected expected(page);
        font->GetBlitter()->SetOpacity(1.0f);
        font->DrawText(&page, penX, penY, kSample);
        for (const auto& [glyph, x] : placed)
            expected.Lay(*glyph, penX + x, penY);
        int worst;
        double mean;
        expected.Compare(page, worst, mean);
        EXPECT_LE(worst, kWorst);
        EXPECT_LT(mean, kMean);
    }
}

TEST(StagingFolder, FilesJoinTheArchiveOfTheirFirstFolderInNameOrderAndTheFolderGoes)
{
    const std::string oldBase = GetBaseFolder();
    fs::path staged;
    CContentSet set;
    std::string error;
    {
        CStagingFolder staging;
        ASSERT_TRUE(staging.IsReady());
        staged = staging.GetPath();
        EXPECT_EQ(fs::path(GetBaseFolder()), staged);
        for (const char* name : {"Fonts/-B/B.tga", "Cache/Resources/X.Sequence", "Fonts/-A/Properties.txt"}) {
            fs::create_directories((staged / name).parent_path());
            std::ofstream(staged / name) << name;
        }
        ASSERT_TRUE(staging.AddFilesTo(set, error)) << error;
        // A file outside any folder has no archive to go to.
        std::ofstream(staged / "Loose.txt") << "loose";
        CContentSet other;
        EXPECT_FALSE(staging.AddFilesTo(other, error));
        EXPECT_NE(error.find("Loose.txt"), std::string::npos) << error;
    }
    EXPECT_EQ(GetBaseFolder(), oldBase);
    EXPECT_FALSE(fs::exists(staged));

    testsupport::TempDir out;
    ASSERT_TRUE(set.WriteTo(out.Path(), error)) << error;
    auto fonts = ziptest::OpenArchive(out / "Fonts.zip");
    auto cache = ziptest::OpenArchive(out / "Cache.zip");
    ASSERT_NE(fonts, nullptr);
    ASSERT_NE(cache, nullptr);
    ASSERT_EQ(fonts->GetEntryCount(), 2u);
    EXPECT_STREQ(fonts->GetEntry(0).GetStoredName(), "-A/Properties.txt");
    EXPECT_STREQ(fonts->GetEntry(1).GetStoredName(), "-B/B.tga");
    EXPECT_EQ(ziptest::ReadEntry(*fonts, "-B/B.tga"), "Fonts/-B/B.tga");
    EXPECT_EQ(ziptest::ReadEntry(*cache, "Resources/X.Sequence"), "Cache/Resources/X.Sequence");
}

} // namespace
