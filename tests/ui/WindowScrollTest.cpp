// Scrolling: the content size and scroll position kept in range, the visible client area, and the
// automatic scroll bars made through the hook by the size rules, placed along the edges, ranged,
// fed the wheel and removed again.
#include "InputTestSupport.h"
#include "ui/ScrollBarHook.h"

#include <map>

namespace {

using namespace uitest;

// A window with a caption band and a side inset.
class Framed : public CJWindow
{
public:
    Framed() : CJWindow(nullptr, "Framed") {}
    int32_t GetCaptionHeight() const override { return 12; }
    int32_t GetSideInset() const override { return 4; }
};

// Bars that are probes taking the wheel; the ranges given to them are kept by name.
class TestBars : public CScrollBarHook
{
public:
    explicit TestBars(std::vector<std::string>* log) : m_log(log) {}
    CJWindow* CreateScrollBar(CJWindow*, bool vertical) override
    {
        return new InputProbe(vertical ? "V" : "H", m_log, "wheel");
    }
    void SetScrollBarRange(CJWindow* bar, int32_t maximum, int32_t position) override
    {
        ranges[bar->GetText()] = {maximum, position};
    }
    std::map<std::string, std::pair<int32_t, int32_t>> ranges;

private:
    std::vector<std::string>* m_log;
};

class WindowScroll : public ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        CJWindow::SetScrollBarHook(&m_bars);
    }
    // "V H" for the bars the window has.
    static std::string Bars(const CJWindow& window)
    {
        const CJWindowScrollState* scroll = window.GetScrollState();
        std::string bars = scroll && scroll->m_verticalBar ? "V" : "";
        if (scroll && scroll->m_horizontalBar)
            bars += bars.empty() ? "H" : " H";
        return bars;
    }

    std::vector<std::string> m_log;
    TestBars m_bars{&m_log};
};

TEST_F(WindowScroll, TheScrollPositionStaysInsideTheContent)
{
    Framed window;
    window.SetRect({10, 20, 110, 100});  // 100 x 80; the client area 96 x 68
    auto* child = new CJWindow(&window, "Child");
    child->SetRect({5, 5, 15, 15});
    window.AddChild(child, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    window.SetContentSize(300, 200);
    EXPECT_EQ(window.GetContentWidth(), 300);
    window.SetScrollPosition(500, -3);
    EXPECT_EQ(window.GetScrollX(), 300 - 96);
    EXPECT_EQ(window.GetScrollY(), 0);
    window.SetScrollY(1000);
    EXPECT_EQ(window.GetScrollY(), 200 - 68);
    EXPECT_EQ(child->GetScreenRect(), (CIntRect{15 - 204, 25 - 132, 25 - 204, 35 - 132}));

    // The client area less the insets on every side, in scrolled coordinates.
    CIntRect client;
    ASSERT_TRUE(window.GetVisibleClientRect(2, 3, client));
    EXPECT_EQ(client, (CIntRect{204 + 6, 132 + 15, 204 + 98, 132 + 77}));
    EXPECT_FALSE(window.GetVisibleClientRect(60, 0, client));

    // A window without content size scrolls freely; all zero frees the scroll state.
    window.SetContentSize(-5, 0);
    window.SetScrollPosition(1000, 7);
    EXPECT_EQ(window.GetScrollX(), 1000);
    window.SetScrollPosition(0, 0);
    EXPECT_EQ(window.GetScrollState(), nullptr);
    EXPECT_EQ(child->GetScreenRect(), (CIntRect{15, 25, 25, 35}));
}

TEST_F(WindowScroll, BarsAppearWhenNeededAndTheWindowHasRoomForThem)
{
    const struct
    {
        int32_t width, height, contentWidth;
        const char* bars;
    } cases[] = {
        // Only the height does not fit: the vertical bar needs 15 < width and 45 < height.
        {16, 46, 1, "V"},     {16, 45, 1, ""},      {200, 300, 1, "V"},
        // Neither fits: each bar needs 30 and 60 pixels across and along.
        {31, 61, 1000, "V"},  {30, 61, 1000, ""},   {31, 60, 1000, ""},
        {61, 61, 1000, "V H"}, {61, 31, 1000, "H"}, {61, 30, 1000, ""},
        {100, 300, 0, "V H"},  // a content width of 0 is the own width, which the bar narrows
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + ", content width " +
                     std::to_string(c.contentWidth));
        CJWindow window(nullptr, "Window");
        window.SetRect({0, 0, c.width, c.height});
        window.EnableScrollBars(true);
        window.SetContentSize(c.contentWidth, 1000);
        EXPECT_EQ(Bars(window), c.bars);
    }
    // Without the hook the window scrolls, but no bar is made.
    CJWindow::SetScrollBarHook(nullptr);
    CJWindow window(nullptr, "Window");
    window.SetRect({0, 0, 200, 200});
    window.EnableScrollBars(true);
    window.SetContentSize(1000, 1000);
    window.SetScrollPosition(50, 60);
    EXPECT_EQ(Bars(window), "");
    EXPECT_EQ(window.GetScrollY(), 60);
}

TEST_F(WindowScroll, BarsLieAlongTheEdgesTakeTheirRangeAndTheWheelAndGoWhenTheContentFits)
{
    CJWindow window(nullptr, "Window");
    window.SetRect({0, 0, 200, 100});
    auto* content = new InputProbe("Content", &m_log);
    content->SetRect({0, 0, 100, 50});
    window.AddChild(content, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    window.SetFocus(true);
    window.EnableScrollBars(true);
    window.SetContentSize(1000, 500);
    ASSERT_EQ(Bars(window), "V H");
    const CJWindowScrollState& scroll = *window.GetScrollState();
    EXPECT_EQ(scroll.m_verticalBar->GetRect(), (CIntRect{185, 0, 200, 85}));
    EXPECT_EQ(scroll.m_horizontalBar->GetRect(), (CIntRect{0, 85, 185, 100}));
    EXPECT_EQ(m_bars.ranges["V"], (std::pair<int32_t, int32_t>{500 - 85, 0}));
    EXPECT_EQ(m_bars.ranges["H"], (std::pair<int32_t, int32_t>{1000 - 185, 0}));
    EXPECT_EQ(window.GetClientWidth(), 185);

    // Scrolled, the bars move with the content so that they stay in view.
    window.SetScrollPosition(30, 40);
    EXPECT_EQ(scroll.m_verticalBar->GetRect(), (CIntRect{215, 40, 230, 125}));
    EXPECT_EQ(scroll.m_verticalBar->GetScreenRect(), (CIntRect{185, 0, 200, 85}));
    EXPECT_EQ(m_bars.ranges["V"].second, 40);
    EXPECT_EQ(m_bars.ranges["H"].second, 30);

    // The wheel goes to the content under the pointer, then to the vertical bar.
    EXPECT_TRUE(window.OnMouseWheel(-2, {20, 20}));
    EXPECT_EQ(m_log, (Log{"Content: wheel -2", "V: wheel -2"}));

    // Content that fits again: the bars go and the window scrolls back.
    window.SetContentSize(150, 80);
    window.Update(0.0f);
    EXPECT_EQ(Bars(window), "");
    EXPECT_EQ(window.GetScrollX(), 0);
    EXPECT_EQ(window.GetScrollY(), 0);
    window.SetContentSize(1000, 500);
    ASSERT_EQ(Bars(window), "V H");
    // A bar deleted by another hand is forgotten, and made again when needed.
    delete window.GetScrollState()->m_horizontalBar;
    EXPECT_EQ(Bars(window), "V");
    window.Update(0.0f);
    EXPECT_EQ(Bars(window), "V H");
    window.EnableScrollBars(false);
    EXPECT_EQ(Bars(window), "");
    EXPECT_EQ(Order(&window), "Content");
}

} // namespace
