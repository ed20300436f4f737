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

constexpr uint32_t kWidth = 120;
constexpr uint32_t kHeight = 40;
constexpr uint32_t kBlocksFont = 1; // "Alpha" sorts first

// The expected picture: glyph blocks painted from the font's geometry, without the font code.
class Reference
{
public:
    Reference() : m_pixels(kWidth * kHeight, 0) {}

    static int32_t TextWidth(const std::string& text)
    {
        int32_t width = 0;
        for (char c : text)
            width += GlyphWidth(c);
        return width;
    }
    void Line(int32_t x, int32_t y, const std::string& text, bool other = false)
    {
        for (char c : text) {
            for (int32_t row = y; row < y + static_cast<int32_t>(kGlyphHeight); ++row)
                for (int32_t column = x; column < x + GlyphWidth(c); ++column)
                    if (c != ' ' && row >= 0 && column >= 0 && row < int32_t(kHeight) && column < int32_t(kWidth))
                        m_pixels[row * kWidth + column] = GlyphValue16(c, other);
            x += GlyphWidth(c);
        }
    }
    void ExpectDrawn(const CFrame& frame) const
    {
        size_t differing = 0;
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x)
                if (frametest::ReadPixel(frame, x, y) != m_pixels[y * kWidth + x] && differing++ == 0)
                    ADD_FAILURE() << "first difference at (" << x << ", " << y << "): drawn "
                                  << frametest::ReadPixel(frame, x, y) << ", expected " << m_pixels[y * kWidth + x];
        EXPECT_EQ(differing, 0u);
    }

private:
    std::vector<uint32_t> m_pixels;
};

struct OverlaySpec
{
    std::string m_text;
    int32_t m_x, m_y;
    uint32_t m_width, m_spacing, m_justification;
};

class FrameOverlay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SaveBlockFont("Alpha", true);
        SaveBlockFont("Blocks");
        CFontCollection::GetInstance().SetUpAtStartUp();
        ASSERT_EQ(CFontCollection::GetInstance().GetCount(), 2u);
        m_target.Create(kWidth, kHeight, 16);
        m_target.FillWithByte(0);
    }
    void TearDown() override
    {
        CFrameOverlayOptionsCollection::GetInstance().FreeEntries();
        CFontCollection::GetInstance().FreeEntries();
    }

    static void Add(CFrameOverlayOptions& options, const OverlaySpec& spec)
    {
        CFrameOverlayTextOverlay overlay;
        overlay.SetPropertiesToDefaults();
        overlay.m_font = kBlocksFont;
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

TEST(FrameOverlayDefaults, ANewOverlayAndItsPropertiesInOrder)
{
    CFrameOverlayTextOverlay overlay;
    overlay.SetPropertiesToDefaults();
    EXPECT_EQ(overlay.m_wrappingWidth, 128u);
    EXPECT_EQ(overlay.m_lineSpacing, 2u);
    EXPECT_EQ(overlay.m_hotSpot, (CIntPoint{0, 0}));
    EXPECT_EQ(overlay.m_font, 0u);
    EXPECT_EQ(CFrameOverlayTextOverlay::GetJustifications().GetValue(overlay.m_justification), kJustifyLeft);
    EXPECT_STREQ(overlay.m_text.GetDisplayText().CStr(), "* Some cool message to put in the slideshow!");

    // The labels and text forms a file is written with, in the order the binary form keeps.
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"Text Font", nullptr}, {"Text HotSpot Coordinates", "0,0"}, {"Text Wrapping Width", "128"},
        {"Text String", "* Some cool message to put in the slideshow!"}, {"Pixels Between Lines", "2"},
        {"Justification", "Justify Left"},
    };
    const CClassRecord* record = overlay.GetClassRecord();
    ASSERT_EQ(record->GetPropertyCount() - record->GetInheritedCount(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const uint32_t index = record->GetInheritedCount() + static_cast<uint32_t>(i);
        EXPECT_STREQ(record->GetPropertyName(index), expected[i].first);
        if (!expected[i].second)
            continue;
        CSharedString text;
        overlay.AppendPropertyText(record->GetProperty(index), text, false);
        EXPECT_STREQ(text.CStr(), expected[i].second) << expected[i].first;
    }
    EXPECT_STREQ(CFrameOverlayOptions::GetStaticClassRecord()->GetPropertyName(
                     CFrameOverlayOptions::GetStaticClassRecord()->GetInheritedCount()),
                 "Text Overlays");
}

TEST_F(FrameOverlay, DrawnTextsMatchThePaintedReference)
{
    const int32_t abcd = Reference::TextWidth("AB CD"); // 17
    struct Case
    {
        const char* m_name;
        std::vector<OverlaySpec> m_overlays;
        void (*m_paint)(Reference&, int32_t abcd);
    };
    const std::vector<Case> cases = {
        {"no overlays", {}, [](Reference&, int32_t) {}},
        {"left", {{"AB CD", 3, 5, 128, 2, 0}}, [](Reference& r, int32_t) { r.Line(3, 5, "AB CD"); }},
        {"centred", {{"AB CD", 10, 2, 60, 2, 1}}, [](Reference& r, int32_t w) { r.Line(10 + 30 - w / 2, 2, "AB CD"); }},
        {"right", {{"AB CD", 10, 2, 60, 2, 2}}, [](Reference& r, int32_t w) { r.Line(10 + 60 - w, 2, "AB CD"); }},
        // Words with their blanks: "AB " 10, "CD " 11, "EF" 5; a box of 24 holds the first two.
        {"wrapped", {{"AB CD EF", 1, 1, 24, 3, 0}},
         [](Reference& r, int32_t) {
             r.Line(1, 1, "AB CD");
             r.Line(1, 1 + kGlyphHeight + 3, "EF");
         }},
        // A box wider than a signed width can say is still one line, not one word a line.
        {"widest box", {{"AB CD EF", 0, 0, 0xFFFFFFFFu, 2, 0}}, [](Reference& r, int32_t) { r.Line(0, 0, "AB CD EF"); }},
        {"second covers first", {{"AAA", 0, 0, 128, 2, 0}, {"BB", 2, 0, 128, 2, 0}},
         [](Reference& r, int32_t) {
             r.Line(0, 0, "AAA");
             r.Line(2, 0, "BB");
         }},
        {"first under second", {{"BB", 2, 0, 128, 2, 0}, {"AAA", 0, 0, 128, 2, 0}},
         [](Reference& r, int32_t) { r.Line(0, 0, "AAA"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m_name);
        CFrameOverlayOptions options;
        options.SetPropertiesToDefaults();
        for (const OverlaySpec& spec : c.m_overlays)
            Add(options, spec);
        ASSERT_EQ(options.GetTextOverlayCount(), c.m_overlays.size());
        m_target.FillWithByte(0);
        options.DrawTextOverlays(&m_target, nullptr);
        Reference reference;
        c.m_paint(reference, abcd);
        reference.ExpectDrawn(m_target);
    }
}

TEST_F(FrameOverlay, MacrosAreFilledOnlyFromTheCallersList)
{
    CFrameOverlayOptions options;
    options.SetPropertiesToDefaults();
    Add(options, {"%score!", 0, 0, 128, 2, 0});
    CTextSubstitutionList substitutions;
    substitutions.AddSubstitution(CSharedString("%name"), CSharedString("CD"));
    substitutions.AddSubstitution(CSharedString("%score"), CSharedString("120"));

    options.DrawTextOverlays(&m_target, &substitutions);
    Reference filled;
    filled.Line(0, 0, "120!");
    filled.ExpectDrawn(m_target);
    EXPECT_STREQ(options.GetTextOverlay(0)->m_text.GetDisplayText().CStr(), "%score!") << "the overlay keeps its macro";

    m_target.FillWithByte(0);
    options.DrawTextOverlays(&m_target, nullptr);
    Reference literal;
    literal.Line(0, 0, "%score!");
    literal.ExpectDrawn(m_target);
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
        const CFrameOverlayTextOverlay* overlay = options.GetTextOverlay(i);
        EXPECT_EQ(overlay->m_hotSpot.m_x, static_cast<int32_t>(i % 20)) << i;
        EXPECT_EQ(overlay->m_text.GetDisplayText(), std::string(1, static_cast<char>('A' + i % 20)).c_str()) << i;
    }
    EXPECT_EQ(options.GetTextOverlay(40), nullptr);

    // Without a frame, or without any font in the list, nothing is drawn and nothing breaks.
    options.DrawTextOverlays(nullptr, nullptr);
    CFontCollection::GetInstance().FreeEntries();
    options.DrawTextOverlays(&m_target, nullptr);
    Reference().ExpectDrawn(m_target);
}

TEST_F(FrameOverlay, OptionsAreReadFromTheirFilesByName)
{
    const std::string splash = "CFrameOverlayOptions\r\n{\r\n"
                               "Text Overlays=Array\r\n{\r\n"
                               "Array Count=2\r\n"
                               "Array Item=CFrameOverlayTextOverlay\r\n{\r\n"
                               "Text Font=blocks\r\n"
                               "Text HotSpot Coordinates=10,2\r\n"
                               "Text Wrapping Width=60\r\n"
                               "Text String=AB CD\r\n"
                               "Pixels Between Lines=5\r\n"
                               "Justification=Justify Right\r\n"
                               "}\r\n"
                               "Array Item=CFrameOverlayTextOverlay\r\n{\r\n"
                               "Text Font=Alpha\r\n"
                               "Text HotSpot Coordinates=0,20\r\n"
                               "Text String=EF\r\n"
                               "}\r\n"
                               "}\r\n}\r\n";
    std::filesystem::create_directories("Resources/Menus");
    std::filesystem::create_directories("Resources/-Hidden");
    testsupport::WriteFileBytes("Resources/Splash.FOO", splash);
    testsupport::WriteFileBytes("Resources/Menus/Credits.FOO", "CFrameOverlayOptions\r\n{\r\n}\r\n");
    testsupport::WriteFileBytes("Resources/-Hidden/Skipped.FOO", "CFrameOverlayOptions\r\n{\r\n}\r\n");
    testsupport::WriteFileBytes("Resources/Other.FOO", "CFrameOverlayTextOverlay\r\n{\r\n}\r\n");
    testsupport::WriteFileBytes("Resources/Splash.txt", "not an item\r\n");

    CFrameOverlayOptionsCollection& list = CFrameOverlayOptionsCollection::GetInstance();
    list.SetUpAtStartUp();
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_STREQ(list.GetItemName(0), "Menus/Credits");
    EXPECT_STREQ(list.GetItemName(1), "Other");
    EXPECT_STREQ(list.GetItemName(2), "Splash");
    EXPECT_GE(list.GetRegistryIndex(), 0);

    auto* options = dynamic_cast<CFrameOverlayOptions*>(list.GetByName("splash"));
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(options->GetTextOverlayCount(), 2u);
    const CFrameOverlayTextOverlay* second = options->GetTextOverlay(1);
    EXPECT_EQ(second->m_wrappingWidth, 128u) << "unwritten values keep their defaults";
    EXPECT_EQ(second->m_lineSpacing, 2u);
    EXPECT_EQ(second->m_justification, 0u);
    options->DrawTextOverlays(&m_target, nullptr);
    Reference reference;
    reference.Line(10 + 60 - Reference::TextWidth("AB CD"), 2, "AB CD");
    reference.Line(0, 20, "EF", true);
    reference.ExpectDrawn(m_target);

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
