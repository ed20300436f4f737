// The drop-down box: the size and place of the open list, choosing, restoring and closing it by
// keys and mouse, and the list closing safely while the root rearranges its children.
#include "InputTestSupport.h"
#include "ListBoxTestSupport.h"
#include "ui/JButton.h"
#include "ui/JDropDownBox.h"
#include "ui/JDropDownList.h"
#include "objects/ValueNameList.h"

#include <string>

using namespace uitest;

namespace {

class DropDownTest : public ScreenInputTest
{
protected:
    // A dialog at the top of the screen holding one box at (x, y).
    CJDropDownBox* MakeBox(CTreeModel* model, int32_t x = 20, int32_t y = 40)
    {
        m_dialog = Open(new ProbeWindow("Dialog", &m_log), {0, 0, 640, 480});
        auto* box = new CJDropDownBox(m_dialog, model, 30);
        m_dialog->AddChild(box, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        box->SetRect({x, y, x + 120, y + box->GetHeight()});
        m_screen->ActivateChild(m_dialog);
        return box;
    }
    // The notifications and deletions logged since the last call.
    Log Commands() { return CommandsIn(TakeLog()); }
    // The children of the screen, front to back.
    int ScreenChildren() const
    {
        int count = 0;
        for (CJWindow* child = m_screen->GetFrontChild(); child; child = child->GetNextSibling())
            ++count;
        return count;
    }

    ProbeWindow* m_dialog = nullptr;
};

TestTree FlatTree(int count)
{
    TestTree tree;
    for (int i = 0; i < count; ++i)
        tree.Add("ITEM" + std::to_string(i));
    return tree;
}

} // namespace

TEST_F(DropDownTest, TheOpenListShowsAtMostFourteenRowsAndRoomForFoldersInATree)
{
    TestTree flat30 = FlatTree(30), flat3 = FlatTree(3), tree3;
    for (int i = 0; i < 3; ++i)
        tree3.Add("LEAF", tree3.Add("FOLDER" + std::to_string(i)));
    const struct
    {
        TestTree* model;
        uint32_t rows;
        uint32_t visible;
    } cases[] = {{&flat30, 14, 14}, {&flat3, 3, 3}, {&tree3, 13, 3}};
    for (const auto& c : cases) {
        CJDropDownBox* box = MakeBox(c.model);
        box->OpenDropDown();
        ASSERT_TRUE(box->IsOpen());
        CJDropDownList* list = box->GetDropDownList();
        EXPECT_EQ(list->GetMaxVisibleRows(), c.rows);
        EXPECT_EQ(list->GetVisibleRows(), c.visible);
        EXPECT_EQ(list->GetHeight(), list->GetRowHeight() * static_cast<int32_t>(c.rows) + 2 * 2 + 2);
        EXPECT_EQ(list->GetScrollBar() != nullptr, c.visible < list->GetRowCount());
        EXPECT_EQ(m_screen->GetModalWindow(), list);
        m_dialog->Close();
        Step();
        EXPECT_EQ(ScreenChildren(), 0);
    }
}

TEST_F(DropDownTest, TheListOpensBelowTheBoxOrAboveItNearTheBottom)
{
    TestTree model = FlatTree(30);
    for (int32_t y : {40, 430}) {
        CJDropDownBox* box = MakeBox(&model, 20, y);
        box->OpenDropDown();
        const CIntRect& list = box->GetDropDownList()->GetScreenRect();
        const CIntRect& shown = box->GetScreenRect();
        EXPECT_EQ(list.m_left, shown.m_left);
        if (y == 40)
            EXPECT_EQ(list.m_top, shown.m_bottom);
        else
            EXPECT_EQ(list.m_bottom, shown.m_top);
        m_dialog->Close();
        Step();
    }
    // On a screen with room on neither side the list stays whole on the screen.
    m_target.Create(320, 200, 16);
    m_screen = std::make_unique<CScreenWindow>(&m_target, nullptr);
    CJDropDownBox* box = MakeBox(&model, 20, 60);
    box->OpenDropDown();
    const CIntRect& list = box->GetDropDownList()->GetScreenRect();
    EXPECT_GT(list.GetHeight(), 140);
    EXPECT_EQ(list.m_bottom, 200);
    EXPECT_GE(list.m_top, 0);
}

TEST_F(DropDownTest, KeysOpenTheListAndEscapeRestoresTheItem)
{
    TestTree model = FlatTree(30);
    const struct
    {
        int32_t key;
        const char* shown;  // after the key, with ITEM5 selected before
    } keys[] = {{kF4, "ITEM5"}, {kDown, "ITEM6"}, {kUp, "ITEM4"}};
    for (const auto& k : keys) {
        CJDropDownBox* box = MakeBox(&model);
        box->SelectItemById(5, true);
        TakeLog();
        EXPECT_TRUE(m_screen->OnKey(k.key));
        ASSERT_TRUE(box->IsOpen()) << k.key;
        EXPECT_STREQ(box->GetSelectedText(), k.shown);
        // The selection sits in the middle of the open list.
        CJDropDownList* list = box->GetDropDownList();
        EXPECT_EQ(list->GetScrollPosition(), 0);
        m_screen->OnKey(kDown);
        m_screen->OnKey(kDown);
        EXPECT_EQ(box->GetSelectedId(), static_cast<uint32_t>(list->GetSelectedId()));
        m_screen->OnKey(kEscape);
        EXPECT_FALSE(box->IsOpen());
        EXPECT_STREQ(box->GetSelectedText(), "ITEM5");
        Step();
        EXPECT_EQ(ScreenChildren(), 1);
        m_dialog->Close();
    }
}

TEST_F(DropDownTest, TheBoxsTextIsItsShownLists)
{
    TestTree model = FlatTree(3);
    CJDropDownBox* box = MakeBox(&model);
    box->SetText("Resolution");
    EXPECT_STREQ(box->GetShownList()->GetText(), "Resolution");
    box->GetShownList()->SetText("Depth");
    EXPECT_STREQ(box->GetText(), "Depth");
}

TEST_F(DropDownTest, EnterConfirmsTheMovedSelection)
{
    TestTree model = FlatTree(10);
    CJDropDownBox* box = MakeBox(&model);
    box->SelectItemById(2, true);
    TakeLog();
    m_screen->OnKey(kF4);
    m_screen->OnKey(kDown);
    m_screen->OnKey(kEnter);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_STREQ(box->GetSelectedText(), "ITEM3");
    EXPECT_EQ(Commands(), (Log{"Dialog: command 1 from ~CJListBox", "Dialog: command 0 from ~CJListBox"}));
    // Enter while closed chooses only when asked to.
    EXPECT_FALSE(m_screen->OnKey(kEnter) && !Commands().empty());
    box->SetEnterChooses(true);
    m_screen->OnKey(kEnter);
    EXPECT_EQ(Commands(), (Log{"Dialog: command 0 from ~CJListBox"}));
}

TEST_F(DropDownTest, APressOutsideClosesWithoutAChangeAndAClickOnARowChooses)
{
    TestTree model = FlatTree(10);
    CJDropDownBox* box = MakeBox(&model);
    box->SelectItemById(1, true);
    TakeLog();
    // The arrow button opens the list.
    const CIntRect arrow = box->GetArrowButton()->GetScreenRect();
    Step({MoveTo(arrow.m_left + 2, arrow.m_top + 2), kPress});
    Step({kRelease});
    ASSERT_TRUE(box->IsOpen());
    Step({MoveTo(600, 400), kPress});
    Step({kRelease});
    EXPECT_FALSE(box->IsOpen());
    EXPECT_STREQ(box->GetSelectedText(), "ITEM1");
    EXPECT_EQ(Commands(), Log{});
    // A click on the fourth row chooses it.
    box->OpenDropDown();
    const CIntRect list = box->GetDropDownList()->GetScreenRect();
    Step({MoveTo(list.m_left + 10, list.m_top + 2 + 3 * 10 + 4), kPress});
    Step({kRelease});
    EXPECT_FALSE(box->IsOpen());
    EXPECT_STREQ(box->GetSelectedText(), "ITEM3");
    EXPECT_EQ(Commands(), (Log{"Dialog: command 1 from ~CJListBox", "Dialog: command 0 from ~CJListBox"}));
}

TEST_F(DropDownTest, AModalWindowOpenedOverTheListClosesItSafely)
{
    TestTree model = FlatTree(30);
    CJDropDownBox* box = MakeBox(&model);
    box->OpenDropDown();
    ASSERT_TRUE(box->IsOpen());
    auto* message = new ProbeWindow("Message", &m_log);
    message->SetRect({200, 200, 300, 260});
    m_screen->OpenModalWindow(message, kPlaceCentred);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(m_screen->GetModalWindow(), message);
    for (int i = 0; i < 3; ++i) {
        Step();
        m_screen->DrawScreen();
    }
    EXPECT_EQ(ScreenChildren(), 2);
    message->Close();
    m_dialog->Close();
    Step();
    EXPECT_EQ(ScreenChildren(), 0);
}

TEST_F(DropDownTest, DeletingABoxWhoseListIsOpenClosesTheList)
{
    TestTree model = FlatTree(30);
    CJDropDownBox* box = MakeBox(&model);
    box->OpenDropDown();
    CJDropDownList* list = box->GetDropDownList();
    m_dialog->Close();
    EXPECT_EQ(list->GetOwner(), nullptr);
    EXPECT_EQ(m_screen->GetModalWindow(), nullptr);
    Step();
    m_screen->DrawScreen();
    EXPECT_EQ(ScreenChildren(), 0);
}

TEST_F(DropDownTest, TheScreenGoingWhileTheListIsOpenLeavesNothingBehind)
{
    TestTree model = FlatTree(30);
    for (bool boxFirst : {false, true}) {
        CJDropDownBox* box = MakeBox(&model);
        box->OpenDropDown();
        ASSERT_TRUE(box->IsOpen());
        // The screen deletes its children front to back: the list first, or the dialog first
        // once it is brought to the front.
        if (boxFirst)
            m_screen->ActivateChild(m_dialog);
        m_screen.reset();
        m_screen = std::make_unique<CScreenWindow>(&m_target, nullptr);
    }
}

TEST_F(DropDownTest, ABoxOverAListOfNamesChoosesByIndex)
{
    CValueNameList names;
    for (const char* name : {"EASY", "NORMAL", "HARD"})
        names.Add(name, 0);
    m_dialog = Open(new ProbeWindow("Dialog", &m_log), {0, 0, 640, 480});
    auto* box = new CJDropDownBox(m_dialog, &names, 30);
    m_dialog->AddChild(box, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    box->SelectItemById(0, true);
    m_screen->OnKey(kF4);
    ASSERT_TRUE(box->IsOpen());
    EXPECT_EQ(box->GetDropDownList()->GetVisibleRows(), 3u);
    m_screen->OnKey(kDown);
    m_screen->OnKey(kDown);
    m_screen->OnKey(kEnter);
    EXPECT_EQ(box->GetSelectedId(), 2u);
    EXPECT_STREQ(box->GetSelectedText(), "HARD");
}
