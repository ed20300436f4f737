// Frame overlays: texts drawn through fonts of the font list, compared with a picture the test
// paints block by block itself; defaults, array order, substitutions, and options read from
// "<name>.FOO" files through their list.
#include "LoadTestSupport.h"
#include "OverlayTestSupport.h"
#include "foundation/TextSubstitutionList.h"
#include "graphics/FontCollection.h"
#include "graphics/FrameOverlayOptions.h"
#include "graphics/FrameOverlayOptionsCollection.h"
#include "objects/EnumTable.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace overlaytest;

namespace {

constexpr int32_t kWidth = 120, kHeight = 40;

struct Overlay
{
    std::string m_text;
    int32_t m_x, m_y;
    uint32_t m_width, m_spacing, m_justification;
};

// A line of the expected picture, painted from the glyphs' geometry without the font code.
struct Line
{
    int32_t m_x, m_y;
    std::string m_text;
    bool m_otherFont = false;
};

int32_t TextWidth(const std::string& text)
{
    int32_t width = 0;
    for (char c : text)
        width += GlyphWidth(c);
    return width;
}

void ExpectDrawn(const CFrame& frame, const std::vector<Line>& lines)
{
    std::vector<uint32_t> expected(kWidth * kHeight, 0);
    for (const Line& line : lines)
        for (int32_t x = line.m_x; char c : line.m_text) {
            for (int32_t p = 0; c != ' ' && p < GlyphWidth(c) * int32_t(kGlyphHeight); ++p)
                if (x + p % GlyphWidth(c) < kWidth && line.m_y + p / GlyphWidth(c) < kHeight)
                    expected[(line.m_y + p / GlyphWidth(c)) * kWidth + x + p % GlyphWidth(c)] =
                        GlyphValue16(c, line.m_otherFont);
            x += GlyphWidth(c);
        }
    size_t differing = 0;
    for (int32_t i = 0; i < kWidth * kHeight; ++i)
        if (frametest::ReadPixel(frame, i % kWidth, i / kWidth) != expected[i] && differing++ == 0)
            ADD_FAILURE() << "first difference at (" << i % kWidth << ", " << i / kWidth << ")";
    EXPECT_EQ(differing, 0u);
}

class FrameOverlay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SaveBlockFont("Alpha", true); // index 0, so that choosing "Blocks" (1) is seen
        SaveBlockFont("Blocks");
        CFontCollection::GetInstance().SetUpAtStartUp();
        m_target.Create(kWidth, kHeight, 16);
        m_target.FillWithByte(0);
    }
    void TearDown() override
    {
        CFrameOverlayOptionsCollection::GetInstance().FreeEntries();
        CFontCollection::GetInstance().FreeEntries();
    }

    static void Add(CFrameOverlayOptions& options, const Overlay& spec)
    {
        CFrameOverlayTextOverlay overlay;
        overlay.SetPropertiesToDefaults();
        overlay.m_font = 1;
        overlay.m_text.SetSourceText(CSharedString(spec.m_text.c_str()));
        overlay.m_hotSpot = {spec.m_x, spec.m_y};
        overlay.m_wrappingWidth = spec.m_width;
        overlay.m_lineSpacing = spec.m_spacing;
        overlay.m_justification = spec.m_justification;
        options.AddTextOverlay(overlay);
    }

    loadtest::WorkFolder m_folder;
    loadtest::DisplayDepth m_depth{16};
    CFrame m_target;
};

} // namespace

TEST(FrameOverlayDefaults, ANewOverlayWritesItsDefaultsInPropertyOrder)
{
    CFrameOverlayTextOverlay overlay;
    overlay.SetPropertiesToDefaults();
    EXPECT_EQ(overlay.m_font, 0u);
    EXPECT_EQ(CFrameOverlayTextOverlay::GetJustifications().GetValue(overlay.m_justification), kJustifyLeft);
    const char* expected[][2] = {
        {"Text Font", nullptr}, {"Text HotSpot Coordinates", "0,0"}, {"Text Wrapping Width", "128"},
        {"Text String", "* Some cool message to put in the slideshow!"}, {"Pixels Between Lines", "2"},
        {"Justification", "Justify Left"},
    };
    const CClassRecord* record = overlay.GetClassRecord();
    ASSERT_EQ(record->GetPropertyCount() - record->GetInheritedCount(), 6u);
    for (uint32_t i = 0; i < 6; ++i) {
        const uint32_t index = record->GetInheritedCount() + i;
        EXPECT_STREQ(record->GetPropertyName(index), expected[i][0]);
        CSharedString text;
        overlay.AppendPropertyText(record->GetProperty(index), text, false);
        if (expected[i][1]) {
            EXPECT_STREQ(text.CStr(), expected[i][1]) << expected[i][0];
        }
    }
}

TEST_F(FrameOverlay, DrawnTextsMatchThePaintedReference)
{
    const int32_t abcd = TextWidth("AB CD");
    struct Case
    {
        const char* m_name;
        std::vector<Overlay> m_overlays;
        bool m_substitute;
        std::vector<Line> m_expected;
    };
    const std::vector<Case> cases = {
        {"no overlays", {}, false, {}},
        {"left", {{"AB CD", 3, 5, 128, 2, 0}}, false, {{3, 5, "AB CD"}}},
        {"centred", {{"AB CD", 10, 2, 60, 2, 1}}, false, {{10 + 30 - abcd / 2, 2, "AB CD"}}},
        {"right", {{"AB CD", 10, 2, 60, 2, 2}}, false, {{10 + 60 - abcd, 2, "AB CD"}}},
        // Words with their blanks: "AB " 10, "CD " 11, "EF" 5; a box of 24 holds the first two.
        {"wrapped", {{"AB CD EF", 1, 1, 24, 3, 0}}, false, {{1, 1, "AB CD"}, {1, 1 + kGlyphHeight + 3, "EF"}}},
        // A box wider than a signed width can say is still one line, not one word a line.
        {"widest box", {{"AB CD EF", 0, 0, 0xFFFFFFFFu, 2, 0}}, false, {{0, 0, "AB CD EF"}}},
        {"second covers first", {{"AAA", 0, 0, 128, 2, 0}, {"BB", 2, 0, 128, 2, 0}}, false,
         {{0, 0, "AAA"}, {2, 0, "BB"}}},
        {"first under second", {{"BB", 2, 0, 128, 2, 0}, {"AAA", 0, 0, 128, 2, 0}}, false, {{0, 0, "AAA"}}},
        {"macro filled", {{"%score!", 0, 0, 128, 2, 0}}, true, {{0, 0, "120!"}}},
        {"macro without a list", {{"%score!", 0, 0, 128, 2, 0}}, false, {{0, 0, "%score!"}}},
    };
    CTextSubstitutionList substitutions;
    substitutions.AddSubstitution(CSharedString("%name"), CSharedString("CD"));
    substitutions.AddSubstitution(CSharedString("%score"), CSharedString("120"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m_name);
        CFrameOverlayOptions options;
        options.SetPropertiesToDefaults();
        for (const Overlay& overlay : c.m_overlays)
            Add(options, overlay);
        m_target.FillWithByte(0);
        options.DrawTextOverlays(&m_target, c.m_substitute ? &substitutions : nullptr);
        ExpectDrawn(m_target, c.m_expected);
        if (!c.m_overlays.empty()) {
            EXPECT_EQ(options.GetTextOverlay(0)->m_text.GetDisplayText(), c.m_overlays[0].m_text.c_str());
        }
    }
}

TEST_F(FrameOverlay, AddedOverlaysAreCopiesKeptInOrder)
{
    CFrameOverlayOptions options;
    options.SetPropertiesToDefaults();
    for (int i = 0; i < 20; ++i)
        Add(options, {std::string(1, static_cast<char>('A' + i)), i, 0, 128, 2, 0});
    // Adding one of its own overlays while the array grows copies it before it moves.
    for (uint32_t i = 0; i < 20; ++i)
        EXPECT_EQ(options.AddTextOverlay(*options.GetTextOverlay(i)), 20 + i);
    ASSERT_EQ(options.GetTextOverlayCount(), 40u);
    for (uint32_t i = 0; i < 40; ++i) {
        EXPECT_EQ(options.GetTextOverlay(i)->m_hotSpot.m_x, static_cast<int32_t>(i % 20)) << i;
        EXPECT_EQ(options.GetTextOverlay(i)->m_text.GetDisplayText(), std::string(1, char('A' + i % 20)).c_str());
    }
    // Without a frame, or without any font in the list, nothing is drawn and nothing breaks.
    options.DrawTextOverlays(nullptr, nullptr);
    CFontCollection::GetInstance().FreeEntries();
    options.DrawTextOverlays(&m_target, nullptr);
    ExpectDrawn(m_target, {});
}

TEST_F(FrameOverlay, OptionsAreReadFromTheirFilesByName)
{
    const std::string splash = R"(CFrameOverlayOptions
{
Text Overlays=Array
{
Array Count=2
Array Item=CFrameOverlayTextOverlay
{
Text Font=blocks
Text HotSpot Coordinates=10,2
Text Wrapping Width=60
Text String=AB CD
Pixels Between Lines=5
Justification=Justify Right
}
Array Item=CFrameOverlayTextOverlay
{
Text Font=Alpha
Text HotSpot Coordinates=0,20
Text String=EF
}
}
}
)";
    std::filesystem::create_directories("Resources/Menus");
    std::filesystem::create_directories("Resources/-Hidden");
    testsupport::WriteFileBytes("Resources/Splash.FOO", splash);
    testsupport::WriteFileBytes("Resources/Menus/Credits.FOO", "CFrameOverlayOptions\n{\n}\n");
    testsupport::WriteFileBytes("Resources/-Hidden/Skipped.FOO", "CFrameOverlayOptions\n{\n}\n");
    testsupport::WriteFileBytes("Resources/Other.FOO", "CFrameOverlayTextOverlay\n{\n}\n");
    testsupport::WriteFileBytes("Resources/Splash.txt", "not an item\n");

    CFrameOverlayOptionsCollection& list = CFrameOverlayOptionsCollection::GetInstance();
    list.SetUpAtStartUp();
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_STREQ(list.GetItemName(0), "Menus/Credits");
    EXPECT_STREQ(list.GetItemName(1), "Other");
    EXPECT_GE(list.GetRegistryIndex(), 0);

    auto* options = dynamic_cast<CFrameOverlayOptions*>(list.GetByName("splash"));
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(options->GetTextOverlayCount(), 2u);
    EXPECT_EQ(options->GetTextOverlay(1)->m_wrappingWidth, 128u) << "unwritten values keep their defaults";
    EXPECT_EQ(options->GetTextOverlay(1)->m_lineSpacing, 2u);
    options->DrawTextOverlays(&m_target, nullptr);
    ExpectDrawn(m_target, {{10 + 60 - TextWidth("AB CD"), 2, "AB CD"}, {0, 20, "EF", true}});

    // The file is read, not written back; the list knows which file holds the options.
    EXPECT_EQ(testsupport::ReadFileBytes("Resources/Splash.FOO"), splash);
    CSharedString path;
    ASSERT_TRUE(list.GetObjectFilePath(options, path));
    EXPECT_STREQ(path.CStr(), "Resources/Splash.FOO");
    EXPECT_NE(dynamic_cast<CFrameOverlayOptions*>(list.GetByName("Menus/Credits")), nullptr);
    // A file holding another class is no overlay options: the entry stays empty.
    EXPECT_EQ(list.GetByName("Other"), nullptr);
    EXPECT_FALSE(list.IsItemLoaded(1));
}
