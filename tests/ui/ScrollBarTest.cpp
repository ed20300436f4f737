// Scroll bars: the thumb's size and place over the range (empty and degenerate ranges included),
// arrows, track, wheel and thumb drags with their notifications, the press repeating on the virtual
// clock, the scrolled window following, and the cut a bar makes in a rect.
#include "InputTestSupport.h"
#include "ui/JScrollBar.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace uitest;

class ScrollBar : public ToolkitTest
{
protected:
    // A bar of the default size in a parent that logs its notifications.
    CJScrollBar* Make(bool vertical = true)
    {
        m_parent = std::make_unique<ProbeWindow>("Parent", &m_log);
        m_parent->SetRect({0, 0, 500, 500});
        auto* bar = new CJScrollBar(m_parent.get(), vertical);
        m_parent->AddChild(bar, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
        m_log.clear();
        return bar;
    }
    size_t Notifications() const
    {
        return std::count(m_log.begin(), m_log.end(), "Parent: command 1 from ~CJScrollBar");
    }
    static int32_t Length(const CIntRect& r, bool vertical) { return vertical ? r.GetHeight() : r.GetWidth(); }

    std::vector<std::string> m_log;
    std::unique_ptr<ProbeWindow> m_parent;
};

TEST_F(ScrollBar, TheThumbShowsTheShareOfTheRangeInView)
{
    struct Case
    {
        float minimum, maximum, position;
        int32_t length, start;  // along the axis, in bar coordinates
    };
    // The track is 385 pixels long from 15; the thumb is 385 x 385 / (range + 385), at least 4.
    const Case cases[] = {
        {0, 1000, 0, 107, 15},        {0, 1000, 500, 107, 15 + 139}, {-500, 500, 0, 107, 15 + 139},
        {0, 385, 0, 192, 15},         {0, 100000, 0, 4, 15},          {0, 0, 0, 385, 15},
        {7, 7, 7, 385, 15},           {0, 0.5f, 0.25f, 384, 15}, {3, 1, 2, 385, 15},
    };
    for (bool vertical : {true, false})
        for (const Case& c : cases) {
            CJScrollBar* bar = Make(vertical);
            bar->SetRange(c.minimum, c.maximum);
            bar->SetBarPosition(c.position, true);
            const CIntRect& thumb = bar->GetThumbRect();
            EXPECT_EQ(Length(thumb, vertical), c.length) << c.maximum << " at " << c.position;
            EXPECT_EQ(vertical ? thumb.m_top : thumb.m_left, c.start) << c.maximum << " at " << c.position;
            EXPECT_EQ(vertical ? thumb.m_left : thumb.m_top, 0);
            EXPECT_EQ(vertical ? thumb.m_right : thumb.m_bottom, 15);
            EXPECT_GE(bar->GetPixelsPerUnit(), 0.0f);
        }
    // At the end of the range the thumb ends at the track's end (within the float rounding).
    CJScrollBar* bar = Make();
    bar->SetBarPosition(1000, true);
    EXPECT_NEAR(bar->GetThumbRect().m_bottom, 400, 1);
}

TEST_F(ScrollBar, AutoHideHidesRangesBelowOne)
{
    CJScrollBar* bar = Make();
    bar->SetAutoHide(true);
    for (auto [maximum, shown] : {std::pair{0.0f, false}, {0.99f, false}, {1.0f, true}, {1000.0f, true}}) {
        bar->SetRange(0, maximum);
        EXPECT_EQ(bar->IsVisible(), shown) << maximum;
    }
    bar->SetRange(0, 0);
    EXPECT_EQ(Length(bar->GetThumbRect(), true), 385);
    EXPECT_EQ(bar->GetPixelsPerUnit(), 0.0f);
}

TEST_F(ScrollBar, PressesWheelAndDragsMoveThePositionInsideTheRange)
{
    CJScrollBar* bar = Make();
    auto pressAt = [&](int32_t y) {
        EXPECT_TRUE(bar->OnMouseDown(0, {7, y}));
        bar->OnMouseUp(0, {7, y});
    };
    struct Press
    {
        float start;
        int32_t y;
        float expected;
        bool notified;
    };
    // Arrows step a line, the track a page; at the ends nothing moves and nothing is sent.
    for (const Press& p : {Press{500, 5, 499, true}, Press{500, 410, 501, true}, Press{1000, 410, 1000, false},
                           Press{0, 5, 0, false}, Press{0, 350, 10, true}, Press{1000, 50, 990, true},
                           Press{995, 30, 985, true}, Press{5, 380, 15, true}, Press{500, 160, 500, false}}) {
        bar->SetBarPosition(p.start, true);
        const CIntRect thumb = bar->GetThumbRect();
        const size_t before = Notifications();
        pressAt(p.y);
        EXPECT_FLOAT_EQ(bar->GetBarPosition(), p.expected) << p.start << " at " << p.y << " thumb " << thumb.m_top;
        EXPECT_EQ(Notifications() - before, p.notified ? 1u : 0u) << p.start << " at " << p.y;
        EXPECT_EQ(bar->GetPressedPart(), CJScrollBar::kPartNone);
    }
    EXPECT_TRUE(bar->OnMouseDown(1, {7, 410}));  // the right button is taken and does nothing
    EXPECT_FLOAT_EQ(bar->GetBarPosition(), 500);

    // A wheel notch moves twelve lines, against the turn.
    bar->SetLineStep(2);
    bar->OnMouseWheel(1, {7, 100});
    EXPECT_FLOAT_EQ(bar->GetBarPosition(), 476);
    bar->OnMouseWheel(-3, {7, 100});
    EXPECT_FLOAT_EQ(bar->GetBarPosition(), 548);

    // The thumb follows the pointer by the pixels per unit while it is held.
    CSequence* cursor = nullptr;
    bar->SetBarPosition(100, true);
    const int32_t thumbMiddle = (bar->GetThumbRect().m_top + bar->GetThumbRect().m_bottom) / 2;
    ASSERT_TRUE(bar->OnMouseDown(0, {7, thumbMiddle}));
    EXPECT_EQ(bar->GetPressedPart(), CJScrollBar::kPartThumb);
    bar->OnMouseMove({7, thumbMiddle + 139}, {0, 139}, cursor);
    EXPECT_NEAR(bar->GetBarPosition(), 600, 0.01);
    bar->OnMouseMove({7, 0}, {0, -4000}, cursor);
    EXPECT_FLOAT_EQ(bar->GetBarPosition(), 0);
    bar->OnMouseUp(0, {7, 0});
    const float kept = bar->GetBarPosition();
    bar->OnMouseMove({7, 300}, {0, 300}, cursor);  // released: the thumb stays
    EXPECT_FLOAT_EQ(bar->GetBarPosition(), kept);

    // An empty range has no travel: presses and drags change nothing and send nothing.
    bar->SetRange(0, 0);
    const size_t before = Notifications();
    ASSERT_TRUE(bar->OnMouseDown(0, {7, 200}));
    EXPECT_EQ(bar->GetPressedPart(), CJScrollBar::kPartThumb);
    bar->OnMouseMove({7, 300}, {0, 100}, cursor);
    bar->OnMouseWheel(2, {7, 300});
    EXPECT_EQ(bar->GetBarPosition(), 0.0f);
    EXPECT_EQ(Notifications(), before);
}

TEST_F(ScrollBar, TheScrolledWindowFollowsThePlayersMovesOnly)
{
    CJScrollBar* bar = Make(false);
    auto* content = new CJWindow(m_parent.get(), "Content");
    content->SetRect({0, 20, 100, 120});
    m_parent->AddChild(content, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    content->SetContentSize(2000, 100);
    bar->SetScrolledWindow(content);
    bar->SetLineStep(2.4f);
    bar->OnMouseWheel(-1, {0, 0});
    EXPECT_EQ(content->GetScrollX(), 29);  // 28.8 rounded
    bar->SetBarPosition(300, true);
    EXPECT_EQ(content->GetScrollX(), 29);
    bar->SetBarPosition(300.5f, false);
    EXPECT_EQ(content->GetScrollX(), 301);
}

TEST_F(ScrollBar, ExcludingCutsTheSideWhereTheBarLies)
{
    struct Case
    {
        bool vertical;
        CIntRect rect;
        CIntPoint offset;
        bool changed;
        CIntRect expected;
    };
    // The bar sits at (100, 50) in the parent at the origin.
    for (const Case& c :
         {Case{true, {0, 0, 300, 100}, {0, 0}, true, {0, 0, 100, 100}},
          Case{true, {0, 0, 100, 100}, {0, 0}, false, {0, 0, 100, 100}},
          Case{true, {0, 0, 300, 100}, {-20, 0}, true, {0, 0, 80, 100}},
          Case{true, {0, 0, 300, 40}, {0, 0}, false, {0, 0, 300, 40}},
          Case{true, {105, 60, 300, 100}, {0, 0}, true, {105, 60, 105, 100}},
          Case{false, {0, 0, 300, 100}, {0, 0}, true, {0, 0, 300, 50}},
          Case{false, {0, 0, 300, 100}, {0, 30}, true, {0, 0, 300, 80}}}) {
        CJScrollBar* bar = Make(c.vertical);
        bar->SetPosition(100, 50);
        CIntRect rect = c.rect;
        EXPECT_EQ(bar->ExcludeFromRect(rect, c.offset), c.changed);
        EXPECT_EQ(rect, c.expected);
    }
}

class HeldScrollBar : public ScreenInputTest
{
};

TEST_F(HeldScrollBar, AHeldArrowRepeatsOnTheClockUntilReleased)
{
    auto* bar = Open(new CJScrollBar(nullptr, true), {100, 20, 115, 435});
    Step({MoveTo(107, 430)});
    Step({kPress});
    EXPECT_FLOAT_EQ(bar->GetBarPosition(), 1);
    EXPECT_EQ(bar->GetPressedPart(), CJScrollBar::kPartSecondArrow);
    for (int i = 0; i < 60; ++i)
        Step({}, 16);
    const float held = bar->GetBarPosition();
    EXPECT_GT(held, 3);
    Step({kRelease});
    EXPECT_EQ(bar->GetPressedPart(), CJScrollBar::kPartNone);
    for (int i = 0; i < 30; ++i)
        Step({}, 16);
    EXPECT_FLOAT_EQ(bar->GetBarPosition(), held);
}

TEST_F(HeldScrollBar, AHeldTrackPagesUntilTheThumbReachesOrPassesThePointer)
{
    auto* bar = Open(new CJScrollBar(nullptr, true), {100, 20, 115, 435});
    // A page moves the thumb 111 pixels, more than its length: the second page carries it past
    // the pointer (local y 235).
    bar->SetPageStep(400);
    Step({MoveTo(107, 20 + 235)});
    Step({kPress});
    EXPECT_FLOAT_EQ(bar->GetBarPosition(), 400);
    std::vector<float> positions;
    for (int i = 0; i < 120; ++i) {
        Step({}, 16);
        positions.push_back(bar->GetBarPosition());
    }
    // The thumb went past the pointer once and stayed there: never paging back.
    const CIntRect thumb = bar->GetThumbRect();
    EXPECT_FLOAT_EQ(bar->GetBarPosition(), 800);
    EXPECT_GT(thumb.m_top, 235);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(positions[60], positions.back());
    Step({kRelease});
}

} // namespace
