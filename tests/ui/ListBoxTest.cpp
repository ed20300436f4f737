// The list box: rows from a tree model, selection with veto, keys and type-ahead on the virtual
// clock, smooth scrolling by explicit draws, its own scroll bar, and sorting under a header.
#include "InputTestSupport.h"
#include "ListBoxTestSupport.h"
#include "ui/JHeader.h"
#include "ui/JScrollBar.h"

#include <string>

using namespace uitest;

namespace {

class ListBoxTest : public ScreenInputTest
{
protected:
    // A list in a parent that logs its notifications, at the rect.
    CJListBox* MakeList(CTreeModel* model, const CIntRect& rect = {10, 10, 200, 150}, uint32_t sortMode = 0)
    {
        m_parent = Open(new ProbeWindow("Parent", &m_log), {0, 0, 400, 400});
        auto* list = new CJListBox(m_parent, model, 40, sortMode);
        m_parent->AddChild(list, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        list->SetRect(rect);
        return list;
    }
    // The notifications and deletions logged since the last call.
    Log Commands() { return CommandsIn(TakeLog()); }
    void Wait(uint32_t milliseconds) { platform::AdvanceVirtualClock(milliseconds * kMillisecond); }

    ProbeWindow* m_parent = nullptr;
};

} // namespace

TEST_F(ListBoxTest, AnEmptyModelHasNoRowsAndNoKeySelectsOne)
{
    TestTree empty;
    for (CTreeModel* model : {static_cast<CTreeModel*>(&empty), static_cast<CTreeModel*>(nullptr)}) {
        CJListBox* list = MakeList(model);
        EXPECT_EQ(list->GetRowCount(), 0u);
        for (int32_t key : {int32_t{kHome}, int32_t{kEnd}, int32_t{kUp}, int32_t{kDown}, int32_t{kPageUp},
                            int32_t{kPageDown}, int32_t{kLeft}, int32_t{kRight}, int32_t{97}}) {
            list->OnKey(key);
            EXPECT_EQ(list->GetSelectedRow(), -1) << key;
        }
        EXPECT_EQ(list->GetSelectedId(), CTreeModel::kNoItem);
        EXPECT_STREQ(list->GetSelectedText(), "");
        m_parent->Close();
    }
    EXPECT_EQ(Commands(), (Log{"Parent: deleted", "Parent: deleted"}));
}

TEST_F(ListBoxTest, SelectingAnItemInAClosedFolderOpensTheFoldersAbove)
{
    TestTree tree;
    const uint32_t a = tree.Add("A");
    const uint32_t b = tree.Add("B", a);
    const uint32_t c = tree.Add("C", b);
    tree.Add("D", a);
    tree.Add("E");
    CJListBox* list = MakeList(&tree);
    EXPECT_EQ(RowTexts(*list), "A|E");
    EXPECT_TRUE(list->IsTree());
    EXPECT_TRUE(list->SelectItemById(c, false));
    EXPECT_EQ(RowTexts(*list), "A|B|C|D|E");
    EXPECT_EQ(list->GetSelectedRow(), 2);
    EXPECT_EQ(Commands(), (Log{"Parent: command 1 from ~CJListBox"}));
    // Depths and last-child lines: C is B's last child, B is not A's, E ends the top level.
    const struct
    {
        uint32_t depth;
        uint32_t mask;
    } expected[] = {{0, 0}, {1, 0}, {2, 4}, {1, 2}, {0, 1}};
    for (uint32_t row = 0; row < 5; ++row) {
        EXPECT_EQ(list->GetRow(row).depth, expected[row].depth) << row;
        EXPECT_EQ(list->GetRow(row).lastChildMask, expected[row].mask) << row;
    }
    // Closing A takes the selection up to A; Left on a top row that is closed selects nothing new.
    list->Collapse(0);
    EXPECT_EQ(RowTexts(*list), "A|E");
    EXPECT_EQ(list->GetSelectedId(), a);
    list->OnKey('*');
    EXPECT_EQ(RowTexts(*list), "A|B|C|D|E");
    list->SelectItemById(c, true);
    list->OnKey(kLeft);
    EXPECT_EQ(list->GetSelectedId(), b);
    list->OnKey('/');
    EXPECT_EQ(RowTexts(*list), "A|E");
    EXPECT_FALSE(list->SelectItemById(999, true));
}

TEST_F(ListBoxTest, NavigationKeysSkipRowsTheModelVetoes)
{
    TestTree tree;
    for (int i = 0; i < 10; ++i)
        tree.Add("ROW" + std::to_string(i));
    tree.vetoed = {0, 4, 9};
    CJListBox* list = MakeList(&tree, {0, 0, 100, 50});  // 50 - 6 over 10-pixel rows: 4 visible
    ASSERT_EQ(list->GetVisibleRows(), 4u);
    const struct
    {
        int32_t key;
        int32_t selected;
    } steps[] = {{kDown, 1}, {kUp, 1}, {kEnd, 8}, {kDown, 8}, {kHome, 1}, {kDown, 2}, {kDown, 3},
                 {kDown, 5}, {kUp, 3}, {kPageDown, 7}, {kPageDown, 8}, {kPageUp, 5}, {kPageUp, 1}};
    for (const auto& step : steps) {
        EXPECT_TRUE(list->OnKey(step.key));
        EXPECT_EQ(list->GetSelectedRow(), step.selected) << "after key " << step.key;
    }
    list->SelectRow(4, false);
    EXPECT_EQ(list->GetSelectedRow(), 1);
    list->SelectRow(42, false);
    EXPECT_EQ(list->GetSelectedRow(), 1);
}

TEST_F(ListBoxTest, TypeAheadSearchesWithinASecondAndStartsOverAfterIt)
{
    TestTree tree;
    const uint32_t folder = tree.Add("ABSENT");
    for (const char* name : {"ZETA", "ALPHA", "ABACUS", "ABBEY", "CAB"})
        tree.Add(name);
    tree.Add("ABYSS", folder);
    CJListBox* list = MakeList(&tree);
    list->SetErrorSound(false);
    const struct
    {
        int32_t key;
        uint32_t pauseBefore;
        const char* selected;
        const char* typed;
        uint32_t matchOffset;
    } steps[] = {
        {'a', 0, "ALPHA", "a", 0},       // leaves first: the folder ABSENT is passed over
        {'b', 400, "ABACUS", "ab", 0},   // within the second
        {'b', 999, "ABBEY", "abb", 0},
        {kBackspace, 100, "ABACUS", "ab", 0},
        {'c', 1001, "CAB", "c", 0},      // after a pause the buffer starts over
        {'a', 10, "CAB", "ca", 0},
        {'b', 10, "CAB", "cab", 0},
        {'e', 1500, "ZETA", "e", 1},     // no prefix: the first leaf that contains it
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        Wait(steps[i].pauseBefore);
        EXPECT_TRUE(list->OnKey(steps[i].key)) << i;
        EXPECT_STREQ(list->GetSelectedText(), steps[i].selected) << i;
        EXPECT_EQ(list->GetTypedText(), steps[i].typed) << i;
        EXPECT_EQ(list->GetMatchOffset(), steps[i].matchOffset) << i;
    }
    // "sen" is only in the folder's name.
    Wait(2000);
    for (char key : std::string("sen"))
        list->OnKey(key);
    EXPECT_STREQ(list->GetSelectedText(), "ABSENT");
    EXPECT_EQ(list->GetMatchOffset(), 2u);
    // Keys that are neither printable nor Backspace clear the buffer and are not taken.
    EXPECT_FALSE(list->OnKey(3));
    EXPECT_EQ(list->GetTypedText(), "");
    EXPECT_FALSE(list->OnKey(kBackspace));
}

TEST_F(ListBoxTest, TypeAheadFindsHiddenItemsThroughTheModelsListAndOpensTheirFolders)
{
    TestTree tree;
    const uint32_t folder = tree.Add("F");
    const uint32_t hidden = tree.Add("NEEDLE", folder);
    tree.Add("G");
    struct Name
    {
        char name[16];
    };
    static Name names[] = {{"F"}, {"NEEDLE"}, {"G"}, {""}};
    CNamedList every(false, sizeof(Name), 3, names, nullptr);
    tree.m_list = &every;
    CJListBox* list = MakeList(&tree);
    ASSERT_EQ(RowTexts(*list), "F|G");
    for (char key : std::string("eed"))
        list->OnKey(key);
    EXPECT_EQ(RowTexts(*list), "F|NEEDLE|G");
    EXPECT_EQ(list->GetSelectedId(), hidden);
    EXPECT_EQ(list->GetMatchOffset(), 1u);
}

TEST_F(ListBoxTest, AFailedSearchDropsTheKeyAndSoundsTheError)
{
    SoundRecorder sounds({"Player Error.wav"});
    TestTree tree;
    tree.Add("ONE");
    CJListBox* list = MakeList(&tree);
    list->OnKey('o');
    EXPECT_EQ(sounds.Played(), std::vector<std::string>{});
    list->OnKey('x');
    EXPECT_EQ(list->GetTypedText(), "o");
    EXPECT_EQ(sounds.Played(), std::vector<std::string>{"Player Error.wav"});
}

TEST_F(ListBoxTest, ABurstOfKeysStaysWithinTheTypeAheadBuffer)
{
    TestTree tree;
    tree.Add(std::string(300, 'A'));
    tree.Add("B");
    CJListBox* list = MakeList(&tree);
    for (int i = 0; i < 300; ++i) {
        Wait(5);
        EXPECT_TRUE(list->OnKey('a'));
    }
    EXPECT_EQ(list->GetTypedText().size(), CJListBox::kTypeAheadCapacity);
    EXPECT_EQ(list->GetSelectedRow(), 0);
    // Without the error sound a failed key stays; the buffer still ends at its capacity.
    list->SetErrorSound(false);
    for (int i = 0; i < 300; ++i)
        list->OnKey('q');
    EXPECT_EQ(list->GetTypedText().size(), CJListBox::kTypeAheadCapacity);
    // '/' on a path extends the buffer to the next separator, within the capacity too.
    TestTree paths;
    paths.Add("ROOT/SUB/FILE");
    CJListBox* flat = MakeList(&paths);
    flat->SelectRow(0, true);
    flat->OnKey('r');
    EXPECT_TRUE(flat->OnKey('/'));
    EXPECT_EQ(flat->GetTypedText(), "ROOT/");
    EXPECT_TRUE(flat->OnKey('/'));
    EXPECT_EQ(flat->GetTypedText(), "ROOT/SUB/");
}

TEST_F(ListBoxTest, SmoothScrollingJumpsToARowBeforeTheTargetThenStepsByFourPixels)
{
    TestTree tree;
    for (int i = 0; i < 40; ++i)
        tree.Add("ROW" + std::to_string(i));
    m_parent = Open(new ProbeWindow("Parent", &m_log), {0, 0, 400, 400});
    auto* list = new CJListBox(m_parent, &tree, 40, 0);
    list->SetExtraRowSpacing(6);  // 16-pixel rows
    m_parent->AddChild(list, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    list->SetRect({10, 10, 150, 92});  // a view of 76 pixels: 4 rows
    ASSERT_EQ(list->GetRowHeight(), 16);
    ASSERT_EQ(list->GetVisibleRows(), 4u);
    list->SelectRow(10, true);  // bottom 176, less the view: 100
    EXPECT_EQ(list->GetScrollTarget(), 100);
    EXPECT_EQ(list->GetScrollPosition(), 0);
    std::vector<int32_t> positions;
    for (int draw = 0; draw < 6; ++draw) {
        m_screen->DrawScreen();
        positions.push_back(list->GetScrollPosition());
    }
    EXPECT_EQ(positions, (std::vector<int32_t>{84, 88, 92, 96, 100, 100}));
    ASSERT_NE(list->GetScrollBar(), nullptr);
    EXPECT_FLOAT_EQ(list->GetScrollBar()->GetBarPosition(), 100.0f);
    EXPECT_FLOAT_EQ(list->GetScrollBar()->GetMaximum(), static_cast<float>((40 - 4) * 16));
    // Upwards the same way; the wheel moves the target by rows, clamped.
    list->OnMouseWheel(2, {20, 20});
    EXPECT_EQ(list->GetScrollTarget(), 68);
    list->OnMouseWheel(-100, {20, 20});
    EXPECT_EQ(list->GetScrollTarget(), 36 * 16);
    // The bar moves the view at once.
    list->GetScrollBar()->SetBarPosition(32.0f, false);
    EXPECT_EQ(list->GetScrollPosition(), 32);
    EXPECT_EQ(list->GetScrollTarget(), 32);
}

TEST_F(ListBoxTest, AListWhoseRowsFitHasNoScrollBar)
{
    TestTree tree;
    for (int i = 0; i < 3; ++i)
        tree.Add("ROW" + std::to_string(i));
    CJListBox* list = MakeList(&tree, {0, 0, 100, 100});
    EXPECT_EQ(list->GetVisibleRows(), 3u);
    EXPECT_EQ(list->GetScrollBar(), nullptr);
    for (int i = 3; i < 20; ++i)
        tree.Add("ROW" + std::to_string(i));
    list->SetItemSource(&tree);
    ASSERT_NE(list->GetScrollBar(), nullptr);
    EXPECT_EQ(list->GetScrollBar()->GetRect().m_right, 100);
    list->SetRect({0, 0, 100, 300});
    EXPECT_EQ(list->GetScrollBar(), nullptr);
}

TEST_F(ListBoxTest, MouseSelectsTheRowUnderThePointerAndADoubleClickOpensAFolder)
{
    TestTree tree;
    const uint32_t folder = tree.Add("FOLDER");
    tree.Add("INSIDE", folder);
    tree.Add("AFTER");
    CJListBox* list = MakeList(&tree, {10, 10, 200, 150});
    // Rows start one font unit down inside the list.
    Step({MoveTo(20, 10 + 2 + 10 + 3), kPress});
    Step({kRelease});
    EXPECT_EQ(list->GetSelectedText(), std::string("AFTER"));
    Step({MoveTo(20, 14), kPress});
    Step({kRelease});
    Step({kSecondPress});
    Step({kRelease});
    EXPECT_EQ(RowTexts(*list), "FOLDER|INSIDE|AFTER");
    EXPECT_EQ(Commands(), (Log{"Parent: command 1 from ~CJListBox", "Parent: command 1 from ~CJListBox",
                              "Parent: command 0 from ~CJListBox"}));
}

TEST_F(ListBoxTest, AHeaderSortsNumericColumnsByValueAndTextColumnsByText)
{
    TestTree tree;
    for (const char* row : {"10\t10\tB", "9\t9\tA", "4000000000\t4000000000\tC", " 100\t100\tD"})
        tree.Add(row);
    m_parent = Open(new ProbeWindow("Parent", &m_log), {0, 0, 400, 400});
    CJListBox* list = AddListUnderHeader(m_parent, &tree, {0, 0, 240, 120}, 14,
                                         {{80, 0, 0, 0, "NUM"}, {80, 0, 1, 0, "TEXT"}, {80, 0, 1, 0, "NAME"}});
    list->SortAllRows();
    EXPECT_EQ(RowTexts(*list), "9\t9\tA|10\t10\tB| 100\t100\tD|4000000000\t4000000000\tC");
    // Clicks on a title: the first sorts by that column in its own direction, a second reverses.
    const struct
    {
        int32_t x;
        const char* rows;
    } clicks[] = {
        {120, "10\t10\tB| 100\t100\tD|4000000000\t4000000000\tC|9\t9\tA"},
        {120, "9\t9\tA|4000000000\t4000000000\tC| 100\t100\tD|10\t10\tB"},
        {40, "9\t9\tA|10\t10\tB| 100\t100\tD|4000000000\t4000000000\tC"},
        {40, "4000000000\t4000000000\tC| 100\t100\tD|10\t10\tB|9\t9\tA"},
    };
    for (const auto& click : clicks) {
        Step({MoveTo(click.x, 5), kPress});
        Step({MoveTo(click.x + 1, 5)});
        Step({kRelease});
        EXPECT_EQ(RowTexts(*list), click.rows) << "click at " << click.x;
    }
}

TEST_F(ListBoxTest, ACutCellShowsItsWholeTextAsATooltip)
{
    TestTree tree;
    tree.Add("SHORT");
    tree.Add("A ROW MUCH TOO WIDE FOR THE LIST");
    CJListBox* list = MakeList(&tree, {10, 10, 80, 60});
    // Rows start one font unit and a pixel down: row 0 at y 13, row 1 at y 23.
    list->OnHover({20, 16});
    EXPECT_FALSE(m_screen->HasTooltip());
    EXPECT_TRUE(list->OnHover({20, 26}));
    EXPECT_TRUE(m_screen->HasTooltip());
    list->SetTooltips(false);
    m_screen->HideTooltip();
    list->OnHover({20, 26});
    EXPECT_FALSE(m_screen->HasTooltip());
}

TEST_F(ListBoxTest, AListAndItsHeaderMayBeDeletedInEitherOrder)
{
    TestTree tree;
    tree.Add("B\t2");
    tree.Add("A\t1");
    for (bool listFirst : {true, false}) {
        m_parent = Open(new ProbeWindow("Parent", &m_log), {0, 0, 400, 400});
        CJListBox* list =
            AddListUnderHeader(m_parent, &tree, {0, 0, 160, 100}, 14, {{80, 0, 1, 0, "NAME"}, {80, 0, 0, 0, "NUM"}});
        CJHeader* header = list->GetHeader();
        if (listFirst) {
            delete list;
            // The header's click no longer reaches the list.
            Step({MoveTo(100, 5), kPress});
            Step({MoveTo(101, 5)});
            Step({kRelease});
        } else {
            delete header;
            EXPECT_EQ(list->GetHeader(), nullptr);
            list->SortAllRows();
            EXPECT_EQ(RowTexts(*list), "A\t1|B\t2");
            m_screen->DrawScreen();
        }
        m_parent->Close();
    }
}
