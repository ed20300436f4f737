// Placement codes with their default and given offsets, growth of parents and runs of buttons.
#include "UiTestSupport.h"
#include "app/Mouse.h"

using uitest::Dump;

namespace {

// A parent with a caption and a side inset, and margins that differ, so every default shows.
class TitledParent : public CJWindow
{
public:
    TitledParent() : CJWindow(nullptr, "P")
    {
        m_outerMargin = 6;
        m_spacing = 10;
        SetRect({0, 0, 200, 100});
    }
    int32_t GetCaptionHeight() const override { return 12; }
    int32_t GetSideInset() const override { return 3; }
    void GrowToFitChild(CJWindow* child, int32_t margin) override
    {
        ++grows;
        CJWindow::GrowToFitChild(child, margin);
    }
    int grows = 0;
};

CJWindow* AddSized(CJWindow& parent, const char* name, const CIntRect& rect)
{
    auto* window = new CJWindow(&parent, name);
    window->SetRect(rect);
    parent.AddChild(window, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    return window;
}

class WindowPlacement : public uitest::ToolkitTest
{
};

} // namespace

TEST_F(WindowPlacement, EveryCodeWithItsDefaultAndGivenOffsets)
{
    // W is 40 x 20; the relative window R (also the previous sibling) is (20, 30, 70, 60); the
    // parent is 200 x 100 with caption 12, side 3, margin 6, spacing 10; W's font unit is 2.
    const struct
    {
        int32_t code;
        int32_t x, y;
        uint32_t flags;
        CIntRect expected;
    } cases[] = {
        {1, kDefaultOffset, kDefaultOffset, 0, {9, 18, 49, 38}},
        {2, kDefaultOffset, kDefaultOffset, 0, {154, 18, 194, 38}},
        {3, kDefaultOffset, kDefaultOffset, 0, {154, 6, 194, 26}},
        {4, kDefaultOffset, kDefaultOffset, 0, {154, 74, 194, 94}},
        {5, kDefaultOffset, kDefaultOffset, 0, {13, 22, 53, 42}},
        {6, kDefaultOffset, kDefaultOffset, 0, {80, 40, 120, 60}},
        {7, kDefaultOffset, kDefaultOffset, 0, {20, 70, 60, 90}},
        {8, kDefaultOffset, kDefaultOffset, 0, {20, 70, 60, 90}},
        {9, kDefaultOffset, kDefaultOffset, 0, {30, 70, 70, 90}},
        {10, kDefaultOffset, kDefaultOffset, 0, {30, 70, 70, 90}},
        {11, kDefaultOffset, kDefaultOffset, 0, {80, 70, 120, 90}},
        {12, kDefaultOffset, kDefaultOffset, 0, {80, 70, 120, 90}},
        {13, kDefaultOffset, kDefaultOffset, 0, {80, 30, 120, 50}},
        {14, kDefaultOffset, kDefaultOffset, 0, {80, 30, 120, 50}},
        {15, kDefaultOffset, kDefaultOffset, 0, {80, 35, 120, 55}},
        {16, kDefaultOffset, kDefaultOffset, 0, {80, 35, 120, 55}},
        {17, kDefaultOffset, kDefaultOffset, 0, {80, 40, 120, 60}},
        {18, kDefaultOffset, kDefaultOffset, 0, {80, 40, 120, 60}},
        {19, kDefaultOffset, kDefaultOffset, 0, {200, 0, 240, 100}},
        {20, kDefaultOffset, kDefaultOffset, 0, {-30, 30, 10, 50}},
        {21, kDefaultOffset, kDefaultOffset, 0, {-30, 30, 10, 50}},
        {23, kDefaultOffset, kDefaultOffset, 0, {6, 74, 46, 94}},
        {24, kDefaultOffset, kDefaultOffset, 0, {0, 0, 40, 20}},  // no rect set
        // Given offsets are font units, or pixels with flag 2; a missing y takes dx.
        {1, 2, 3, 0, {7, 18, 47, 38}},
        {1, 2, 3, kPlacePixelOffsets, {5, 15, 45, 35}},
        {1, 5, kDefaultOffset, 0, {13, 22, 53, 42}},
        {7, 4, 1, 0, {20, 62, 60, 82}},  // dx ignored
        {17, 1, 9, 0, {72, 40, 112, 60}},  // dy ignored
        {4, 0, 0, 0, {160, 80, 200, 100}},
    };
    for (const auto& c : cases) {
        TitledParent parent;
        CJWindow* relative = AddSized(parent, "R", {20, 30, 70, 60});
        auto* window = new CJWindow(&parent, "W");
        window->SetRect({0, 0, 40, 20});
        parent.AddChild(window, c.code, relative, c.x, c.y, c.flags | kPlaceNoGrow);
        EXPECT_EQ(window->GetRect(), c.expected) << "code " << c.code << " x " << c.x << " y " << c.y;
        EXPECT_EQ(parent.GetRect(), (CIntRect{0, 0, 200, 100})) << c.code;
    }
}

TEST_F(WindowPlacement, CodesWithoutTheirWindowKeepTheRect)
{
    // Code 8 as the first child is code 1; the other codes that need a window set no rect.
    TitledParent parent;
    auto* first = new CJWindow(&parent, "first");
    first->SetRect({0, 0, 40, 20});
    parent.AddChild(first, kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    EXPECT_EQ(first->GetRect(), (CIntRect{9, 18, 49, 38}));
    for (int32_t code : {7, 9, 10, 12, 14, 21}) {
        TitledParent other;
        auto* window = new CJWindow(&other, "W");
        window->SetRect({1, 2, 41, 22});
        other.AddChildOnTop(window, code, nullptr, kDefaultOffset, kDefaultOffset, 0);
        EXPECT_EQ(window->GetRect(), (CIntRect{1, 2, 41, 22})) << code;
    }
    // Without a parent nothing is placed.
    CJWindow alone(nullptr, "alone");
    alone.SetRect({5, 5, 15, 15});
    alone.Place(kPlaceCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    EXPECT_EQ(alone.GetRect(), (CIntRect{5, 5, 15, 15}));
}

TEST_F(WindowPlacement, ACentredDialogTallerThanTheAreaEndsOnItsBottom)
{
    TitledParent parent;
    auto* dialog = new CJWindow(&parent, "dialog");
    dialog->SetRect({0, 0, 41, 151});
    parent.AddChildOnTop(dialog, kPlaceCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    EXPECT_EQ(dialog->GetRect(), (CIntRect{79, -51, 120, 100}));
    // Centred in the visible part of a parent that is partly off its own parent.
    CJWindow screen(nullptr, "screen");
    screen.SetRect({0, 0, 100, 100});
    auto* panel = AddSized(screen, "panel", {50, 0, 250, 100});
    auto* inner = new CJWindow(panel, "inner");
    inner->SetRect({0, 0, 20, 20});
    panel->AddChildOnTop(inner, kPlaceCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    EXPECT_EQ(inner->GetRect(), (CIntRect{15, 40, 35, 60}));
}

TEST_F(WindowPlacement, AtThePointerNearTheCornerItOpensUpAndLeft)
{
    CJWindow screen(nullptr, "screen");
    screen.SetRect({0, 0, 400, 300});
    const struct
    {
        CIntRect parent;
        int pointerX, pointerY;
        CIntRect expected;
        int warpedX, warpedY;
    } cases[] = {
        {{0, 0, 400, 300}, 120, 40, {120, 41, 220, 101}, 120, 40},    // room below and right
        {{0, 0, 400, 300}, 380, 290, {280, 231, 380, 291}, 380, 290},  // flipped both ways
        {{0, 0, 400, 300}, 60, 280, {60, 221, 160, 281}, 60, 280},     // flipped up only
        {{0, 0, 120, 300}, 60, 10, {20, 11, 120, 71}, 20, 10},         // pulled into the parent
        {{0, 0, 400, 50}, 30, 20, {30, 0, 130, 60}, 30, -1},           // pulled up, then to 0
    };
    for (const auto& c : cases) {
        auto* parent = AddSized(screen, "parent", c.parent);
        g_mouse.SetPositionFromInput(c.pointerX, c.pointerY);
        auto* popup = new CJWindow(parent, "popup");
        popup->SetRect({0, 0, 100, 60});
        parent->AddChildOnTop(popup, kPlaceAtPointer, nullptr, kDefaultOffset, kDefaultOffset, 0);
        EXPECT_EQ(popup->GetRect(), c.expected) << c.pointerX << "," << c.pointerY;
        EXPECT_EQ(g_mouse.GetX(), c.warpedX) << c.pointerX << "," << c.pointerY;
        EXPECT_EQ(g_mouse.GetY(), c.warpedY) << c.pointerX << "," << c.pointerY;
        delete parent;
    }
}

TEST_F(WindowPlacement, GrowthTravelsUpOnlyWhenNeeded)
{
    TitledParent outer;
    auto* inner = new CJWindow(&outer, "inner");
    inner->SetRect({10, 10, 60, 40});
    outer.AddChild(inner, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    outer.grows = 0;
    auto* small = new CJWindow(inner, "small");
    small->SetRect({0, 0, 10, 10});
    inner->AddChild(small, kPlaceNone, nullptr, 0, 0, 0);
    EXPECT_EQ(inner->GetRect(), (CIntRect{10, 10, 60, 40}));
    EXPECT_EQ(outer.grows, 0);
    // Margin in font units (2 pixels each), or none.
    inner->GrowToFitChild(small, 30);
    EXPECT_EQ(inner->GetRect(), (CIntRect{10, 10, 80, 80}));
    EXPECT_EQ(outer.grows, 1);
    // The outer parent grows with its own margin (6): 80 + 6 < 200 keeps its width, 80 + 6 < 100.
    EXPECT_EQ(outer.GetRect(), (CIntRect{0, 0, 200, 100}));
    small->SetRect({0, 0, 300, 10});
    inner->GrowToFitChild(small, 0);
    EXPECT_EQ(Dump(&outer), "P(0,0,316,100)[inner(10,10,310,80)[small(0,0,300,10)]]");
}

TEST_F(WindowPlacement, RunsOfButtons)
{
    TitledParent parent;
    CJWindow* a = AddSized(parent, "a", {10, 0, 30, 10});
    AddSized(parent, "b", {35, 0, 45, 10});
    CJWindow* c = AddSized(parent, "c", {50, 0, 60, 10});
    EXPECT_EQ(a->GetRunWidth(c), 50);
    a->StretchRun(c, 100);
    EXPECT_EQ(Dump(&parent), "P(0,0,200,100)[a(10,0,46,10) b(51,0,77,10) c(82,0,110,10)]");
    EXPECT_EQ(a->GetRunWidth(c), 100);
    a->StretchRun(c, 100);  // nothing left to spread
    a->StretchRun(c, 60);
    EXPECT_EQ(a->GetRunWidth(c), 100);

    for (int32_t alignment : {0, 1, 2}) {
        TitledParent row;
        CJWindow* first = AddSized(row, "x", {0, 0, 20, 10});
        AddSized(row, "y", {100, 0, 140, 12});
        CJWindow* last = AddSized(row, "z", {200, 0, 230, 14});
        first->MatchRunWidths(last, alignment);
        const int32_t left = alignment == 0 ? 0 : alignment == 1 ? -10 : -20;
        EXPECT_EQ(Dump(&row), "P(0,0,200,100)[x(" + std::to_string(left) + ",0," + std::to_string(left + 40) +
                                  ",10) y(100,0,140,12) z(200,0,240,14)]")
            << alignment;
    }

    for (int32_t offset : {0, 20}) {
        TitledParent dialog;
        CJWindow* ok = AddSized(dialog, "ok", {0, 0, 30, 14});
        AddSized(dialog, "cancel", {0, 0, 50, 16});
        CJWindow* help = AddSized(dialog, "help", {0, 0, 40, 14});
        CJWindow::LayOutButtonRow(ok, help, offset);
        const int32_t left = offset == 0 ? 15 : 25;
        EXPECT_EQ(Dump(&dialog), "P(0,0,200,100)[ok(" + std::to_string(left) + ",80," + std::to_string(left + 50) +
                                     ",94) cancel(" + std::to_string(left + 60) + ",80," + std::to_string(left + 110) +
                                     ",96) help(" + std::to_string(left + 120) + ",80," + std::to_string(left + 170) +
                                     ",94)]")
            << offset;
    }
}

TEST_F(WindowPlacement, IsRectTakenSearchesTheWholeSubtree)
{
    CJWindow root(nullptr, "root");
    root.SetRect({0, 0, 300, 300});
    CJWindow* panel = AddSized(root, "panel", {10, 10, 110, 110});
    CJWindow* deep = AddSized(*panel, "deep", {5, 5, 25, 25});
    EXPECT_TRUE(root.IsRectTaken({15, 15, 35, 35}, nullptr));
    EXPECT_FALSE(root.IsRectTaken({15, 15, 35, 35}, deep));
    EXPECT_FALSE(root.IsRectTaken({5, 5, 25, 25}, nullptr));  // screen rects, not own rects
    EXPECT_TRUE(root.IsRectTaken({10, 10, 110, 110}, deep));
    EXPECT_FALSE(root.IsRectTaken({10, 10, 110, 110}, panel));
}
