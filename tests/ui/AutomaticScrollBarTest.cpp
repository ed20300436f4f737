// The automatic scroll bars as real scroll bars: their places, ranges and positions,
// the window scrolled by them, the scroll position kept inside shrinking content, and resizes that
// settle after a bounded exchange between a bar and its window.
#include "UiTestSupport.h"
#include "ui/JScrollBar.h"
#include "ui/ScrollBarHook.h"

#include <random>

namespace {

using namespace uitest;

// Real bars that count the SetRect calls they get.
class CountingBar : public CJScrollBar
{
public:
    CountingBar(CJWindow* owner, bool vertical, int* count) : CJScrollBar(owner, vertical), m_count(count) {}
    void SetRect(const CIntRect& rect) override
    {
        ++*m_count;
        CJScrollBar::SetRect(rect);
    }

private:
    int* m_count;
};

class CountingBars : public CScrollBarHook
{
public:
    CJWindow* CreateScrollBar(CJWindow* owner, bool vertical) override
    {
        auto* bar = new CountingBar(owner, vertical, &setRects);
        bar->SetScrolledWindow(owner);
        return bar;
    }
    void SetScrollBarRange(CJWindow* bar, int32_t maximum, int32_t position) override
    {
        CJScrollBar::GetAutomaticBarMaker().SetScrollBarRange(bar, maximum, position);
    }
    int setRects = 0;
};

class AutomaticBars : public ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        CJWindow::SetScrollBarHook(&CJScrollBar::GetAutomaticBarMaker());
    }
    static CJScrollBar* Vertical(const CJWindow& window)
    {
        return window.GetScrollState() ? dynamic_cast<CJScrollBar*>(window.GetScrollState()->m_verticalBar) : nullptr;
    }
    static CJScrollBar* Horizontal(const CJWindow& window)
    {
        return window.GetScrollState() ? dynamic_cast<CJScrollBar*>(window.GetScrollState()->m_horizontalBar)
                                       : nullptr;
    }
};

TEST_F(AutomaticBars, BarsScrollTheWindowAndFollowItsScroll)
{
    CJWindow window(nullptr, "Window");
    window.SetRect({0, 0, 200, 100});
    window.EnableScrollBars(true);
    window.SetContentSize(1000, 500);
    CJScrollBar* vertical = Vertical(window);
    CJScrollBar* horizontal = Horizontal(window);
    ASSERT_TRUE(vertical && horizontal);
    EXPECT_EQ(vertical->GetRect(), (CIntRect{185, 0, 200, 85}));
    EXPECT_FLOAT_EQ(vertical->GetMaximum(), 500 - 85);
    EXPECT_FLOAT_EQ(horizontal->GetMaximum(), 1000 - 185);

    // The player's wheel on the window reaches the vertical bar, which scrolls the window.
    EXPECT_TRUE(window.OnMouseWheel(-1, {50, 50}));
    EXPECT_EQ(window.GetScrollY(), 12);
    // The bar stays glued to the window's edge at the new scroll offset.
    EXPECT_EQ(vertical->GetRect(), (CIntRect{185, 12, 200, 97}));
    EXPECT_EQ(vertical->GetScreenRect(), (CIntRect{185, 0, 200, 85}));

    // A press after the thumb pages down; scrolled from elsewhere, the bar follows quietly.
    EXPECT_TRUE(vertical->OnMouseDown(0, {190, 50}));
    vertical->OnMouseUp(0, {190, 50});
    EXPECT_EQ(window.GetScrollY(), 22);
    window.SetScrollPosition(400, 300);
    EXPECT_FLOAT_EQ(vertical->GetBarPosition(), 300);
    EXPECT_FLOAT_EQ(horizontal->GetBarPosition(), 400);

    // Moved by hand, a bar goes back to the edge.
    vertical->SetRect({0, 0, 15, 40});
    EXPECT_EQ(vertical->GetScreenRect(), (CIntRect{185, 0, 200, 85}));
}

TEST_F(AutomaticBars, TheScrollPositionStaysInsideShrinkingContent)
{
    CJWindow window(nullptr, "Window");
    window.SetRect({0, 0, 200, 100});
    window.EnableScrollBars(true);
    window.SetContentSize(185, 1000);
    ASSERT_NE(Vertical(window), nullptr);
    window.SetScrollY(5000);
    EXPECT_EQ(window.GetScrollY(), 900);
    for (int32_t height : {600, 300, 150, 101}) {
        window.SetContentSize(185, height);
        window.Update(0.0f);
        EXPECT_EQ(window.GetScrollY(), height - 100) << height;
        ASSERT_NE(Vertical(window), nullptr);
        EXPECT_FLOAT_EQ(Vertical(window)->GetMaximum(), height - 100);
        EXPECT_FLOAT_EQ(Vertical(window)->GetBarPosition(), height - 100);
    }
    window.SetContentSize(185, 80);
    window.Update(0.0f);
    EXPECT_EQ(Vertical(window), nullptr);
    EXPECT_EQ(window.GetScrollY(), 0);
}

TEST_F(AutomaticBars, EveryResizeSettlesAfterFewBarMoves)
{
    CountingBars bars;
    CJWindow::SetScrollBarHook(&bars);
    CJWindow parent(nullptr, "Parent");
    parent.SetRect({0, 0, 800, 600});
    auto* window = new CJWindow(&parent, "Window");
    window->SetRect({10, 10, 300, 200});
    parent.AddChild(window, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    window->EnableScrollBars(true);
    window->SetContentSize(600, 700);
    std::mt19937 random(38);
    std::uniform_int_distribution<int32_t> size(1, 700);
    for (int i = 0; i < 100; ++i) {
        window->SetScrollPosition(size(random), size(random));
        bars.setRects = 0;
        window->SetSize(size(random), size(random));
        window->Update(0.0f);
        // Each bar is placed by the window and moved with its children, at most twice over when the
        // scroll position had to come back inside the content; an exchange that did not end would
        // never get here or count far more.
        EXPECT_LE(bars.setRects, 12) << "resize " << i;
        // However it ended, the bars lie on the window's edges and show its scroll.
        const int32_t w = window->GetWidth(), h = window->GetHeight();
        if (CJScrollBar* v = Vertical(*window)) {
            EXPECT_EQ(v->GetScreenRect().m_right, window->GetScreenRect().m_right) << "resize " << i;
            EXPECT_EQ(v->GetHeight(), h - (Horizontal(*window) ? 15 : 0)) << "resize " << i;
            EXPECT_FLOAT_EQ(v->GetBarPosition(), window->GetScrollY()) << "resize " << i;
        }
        if (CJScrollBar* b = Horizontal(*window)) {
            EXPECT_EQ(b->GetScreenRect().m_bottom, window->GetScreenRect().m_bottom) << "resize " << i;
            EXPECT_EQ(b->GetWidth(), w - (Vertical(*window) ? 15 : 0)) << "resize " << i;
            EXPECT_FLOAT_EQ(b->GetBarPosition(), window->GetScrollX()) << "resize " << i;
        }
    }
}

} // namespace
