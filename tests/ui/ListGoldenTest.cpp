// Golden pictures of lists drawn with the project's window font: a sorted list of three columns
// under its header with its scroll bar, a tree with icons and connectors, and an open drop-down.
#include "../graphics/GoldenImage.h"
#include "InputTestSupport.h"
#include "ListBoxTestSupport.h"
#include "ListIcons.h"
#include "PaintedFont.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "objects/ResourceCollection.h"
#include "ui/JDropDownBox.h"
#include "ui/JDropDownList.h"

#include <map>

using namespace uitest;

namespace {

// The list icons as the frame list would hand them out, converted for the display.
class IconCollection : public CResourceCollection
{
public:
    IconCollection()
    {
        std::vector<CSharedString> names;
        for (const ListIcon& icon : PaintListIcons()) {
            CFrame* frame = MakeFrameFromImage(icon.image);
            CFrame::GetDefaultLoadStages()->ApplyAll(frame);
            m_frames[icon.name].reset(frame);
            names.emplace_back(icon.name);
        }
        SetEntries(names);
    }
    CObject* GetItem(uint32_t i) override
    {
        const char* name = GetItemName(i);
        const auto found = name ? m_frames.find(name) : m_frames.end();
        return found == m_frames.end() ? nullptr : found->second.get();
    }

private:
    std::map<std::string, std::unique_ptr<CFrame>> m_frames;
};

class ListPictures : public ScreenInputTest
{
protected:
    void SetUp() override
    {
        ScreenInputTest::SetUp();
        std::string error;
        m_projectFont = MakePaintedFont("OCR Monospaced Numbers", VANTOREL_FONT_DIR, error);
        ASSERT_NE(m_projectFont, nullptr) << error;
        CJWindow::SetDefaultFont(m_projectFont.get());
        m_target.Create(320, 240, 16);
        m_screen = std::make_unique<CScreenWindow>(&m_target, m_projectFont.get());
        m_page = Open(new ProbeWindow("Page", nullptr), {0, 0, 320, 240});
    }
    void TearDown() override
    {
        m_screen.reset();
        ScreenInputTest::TearDown();
    }
    void Expect(const char* golden)
    {
        for (uint32_t i = 0; i < 320 * 240; ++i)
            frametest::WritePixel(m_target, i % 320, i / 320, 0x2967);  // slate blue
        m_screen->DrawScreen();
        golden::ExpectMatchesGolden(*To24(m_target), golden);
    }

    std::unique_ptr<CFont> m_projectFont;
    ProbeWindow* m_page = nullptr;
};

} // namespace

TEST_F(ListPictures, ASortedListOfThreeColumnsUnderItsHeader)
{
    TestTree scores;
    const char* rows[] = {"ADA\t12\t48200", "BO\t9\t9150",  "CORA\t30\t1203400", "DEX\t3\t800",
                          "ELIN\t21\t310050", "FEN\t10\t10000", "GUS\t15\t99999",   "HANA\t27\t880120",
                          "IVO\t1\t50"};
    for (const char* row : rows)
        scores.Add(row);
    CJListBox* list = AddListUnderHeader(
        m_page, &scores, {10, 10, 250, 120}, 16,
        {{80, kJustifyLeft, 1, 0, "NAME"}, {50, kJustifyRight, 0, 0, "RND"}, {90, kJustifyRight, 0, 1, "SCORE"}});
    // A click on SCORE sorts by it, highest first.
    Step({MoveTo(200, 15), kPress});
    Step({MoveTo(201, 15)});
    Step({kRelease});
    ASSERT_STREQ(list->GetRowText(0), "CORA\t30\t1203400");
    list->SelectRow(2, true);
    ASSERT_NE(list->GetScrollBar(), nullptr);
    Expect("ListColumns16");
}

TEST_F(ListPictures, ATreeWithIconsAndConnectors)
{
    IconCollection icons;
    CJWindow::SetSkinResources(&icons, nullptr);
    TestTree tree;
    const uint32_t rounds = tree.Add("ROUNDS");
    const uint32_t classic = tree.Add("CLASSIC", rounds);
    tree.Add("ROUND 01", classic);
    tree.Add("ROUND 02", classic);
    tree.Add("WARP", rounds);
    const uint32_t sounds = tree.Add("SOUNDS");
    tree.Add("BALL HIT", sounds);
    tree.Add("README");
    auto* list = new CJListBox(m_page, &tree, 60, 0);
    m_page->AddChild(list, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    list->SetRect({10, 10, 200, 190});
    list->OnKey('*');
    ASSERT_EQ(list->GetRowCount(), 8u);
    EXPECT_EQ(list->GetIconWidth(), 12);
    list->SelectItemById(classic, true);
    Expect("ListTree16");
    CJWindow::SetSkinResources(nullptr, nullptr);
}

TEST_F(ListPictures, AnOpenDropDownOverThePage)
{
    TestTree rounds;
    for (int i = 1; i <= 20; ++i)
        rounds.Add("ROUND " + std::to_string(i));
    auto* box = new CJDropDownBox(m_page, &rounds, 30);
    m_page->AddChild(box, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    box->SetRect({20, 10, 160, 10 + box->GetHeight()});
    m_screen->ActivateChild(m_page);
    m_page->ActivateChild(box);
    box->SelectItemById(4, true);
    m_screen->OnKey(20);  // F4
    m_screen->OnKey(10);  // Down
    ASSERT_TRUE(box->IsOpen());
    ASSERT_STREQ(box->GetSelectedText(), "ROUND 6");
    Expect("DropDownOpen16");
}
