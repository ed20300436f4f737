// Tab controls: the tab layout against a reference sum, overlapping tabs that end at the edge,
// switching by click and by Ctrl+Tab through the real key path with its sound, the pages' area
// with and without the strip, and controls without pages.
#include "InputTestSupport.h"
#include "ui/JTabControl.h"

namespace {

using namespace uitest;

class TabControl : public ScreenInputTest
{
protected:
    // A control at (100, 50) with pages of the names.
    CJTabControl* Make(int32_t width, std::initializer_list<const char*> names)
    {
        auto* tabs = Open(new CJTabControl(nullptr), {100, 50, 100 + width, 250});
        for (const char* name : names)
            tabs->AddPage(new CJWindow(nullptr, name));
        tabs->SetRect({100, 50, 100 + width, 250});
        return tabs;
    }
    // The test font's row spacing is 4: tabs are the title and 10 pixels wide, the strip 20 high.
    int32_t TabWidth(const char* title) const { return m_font->GetTextWidth(title) + 2 * 4 + 2; }
    void Click(int32_t x, int32_t y)
    {
        Step({MoveTo(x, y), kPress});
        Step({kRelease});
    }
    void CtrlTab(bool shift)
    {
        Step({Key(EventType::KeyDown, kCtrlKey)});
        if (shift)
            Step({Key(EventType::KeyDown, kShiftKey)});
        Step({Key(EventType::KeyDown, kTabKey), Key(EventType::KeyUp, kTabKey)});
        if (shift)
            Step({Key(EventType::KeyUp, kShiftKey)});
        Step({Key(EventType::KeyUp, kCtrlKey)});
    }
    static std::string Shown(const CJTabControl& tabs)
    {
        std::string shown;
        for (uint32_t i = 0; i < tabs.GetPageCount(); ++i)
            if (tabs.GetPage(i)->IsVisible())
                shown += tabs.GetPage(i)->GetText();
        return shown;
    }
};

TEST_F(TabControl, TabsLieSideBySideAndShareAnyExcess)
{
    const char* names[] = {"ABCDE", "SOS", "BOOKS"};
    const int32_t widths[] = {TabWidth(names[0]), TabWidth(names[1]), TabWidth(names[2])};
    const int32_t total = widths[0] + widths[1] + widths[2];
    for (int32_t width : {total + 40, total, total - 1, total - 31, 40}) {
        SCOPED_TRACE(width);
        CJTabControl* tabs = Make(width, {names[0], names[1], names[2]});
        EXPECT_EQ(tabs->GetStripHeight(), 20);
        const int32_t excess = std::max(total - width, 0);
        EXPECT_EQ(tabs->GetTabOverlap(), static_cast<uint32_t>(excess / 2));
        ASSERT_EQ(tabs->GetTabRects().size(), 3u);
        int32_t left = 0;
        for (int32_t i = 0; i < 3; ++i) {
            const int32_t shift = excess * i / 2;
            EXPECT_EQ(tabs->GetTabRects()[i], (CIntRect{left - shift, 0, left + widths[i] - shift, 20})) << i;
            left += widths[i];
        }
        if (excess) {
            EXPECT_EQ(tabs->GetTabRects()[2].m_right, width);
        }
        // Every page fills the control under the strip.
        EXPECT_EQ(tabs->GetPage(1)->GetRect(), (CIntRect{0, 20, width, 200}));
        tabs->Close();
    }
}

TEST_F(TabControl, ClicksAndCtrlTabSwitchPagesWithASound)
{
    SoundRecorder sounds({"UI/Button Switch.wav"});
    CJTabControl* tabs = Make(300, {"ABC", "DEF", "SKY"});
    EXPECT_EQ(tabs->GetCurrentPage(), 2u);
    EXPECT_EQ(Shown(*tabs), "SKY");

    // A click on the current tab is taken and silent.
    const CIntRect third = tabs->GetTabRects()[2];
    Click(100 + third.m_left + 3, 55);
    EXPECT_EQ(sounds.Played(), Log{});
    EXPECT_EQ(tabs->GetCurrentPage(), 2u);
    // A quiet selection plays nothing, nor does one past the end.
    tabs->SelectPage(1, true);
    tabs->SelectPage(7, false);
    EXPECT_EQ(Shown(*tabs), "DEF");
    EXPECT_EQ(sounds.Played(), Log{});
    tabs->SelectPage(2, true);

    // Ctrl+Tab wraps to the first page, Ctrl+Shift+Tab back to the last.
    tabs->SetFocus(true);
    CtrlTab(false);
    EXPECT_EQ(tabs->GetCurrentPage(), 0u);
    EXPECT_EQ(Shown(*tabs), "ABC");
    EXPECT_EQ(sounds.Played(), Log{"UI/Button Switch.wav"});
    CtrlTab(true);
    EXPECT_EQ(Shown(*tabs), "SKY");
    CtrlTab(false);
    CtrlTab(false);
    EXPECT_EQ(Shown(*tabs), "DEF");

    // A click on another tab switches; below the strip the press goes to the page.
    const CIntRect first = tabs->GetTabRects()[0];
    Click(100 + first.m_left + 3, 55);
    EXPECT_EQ(Shown(*tabs), "ABC");
    Click(100 + third.m_left + 3, 80);
    EXPECT_EQ(Shown(*tabs), "ABC");

    // A plain Tab is not the control's.
    EXPECT_FALSE(tabs->OnKey(9));
}

TEST_F(TabControl, AHiddenStripGivesThePagesTheWholeControl)
{
    CJTabControl* tabs = Make(200, {"ABC", "DEF"});
    tabs->SetShowTabs(false);
    EXPECT_EQ(tabs->GetStripHeight(), 0);
    EXPECT_TRUE(tabs->GetTabRects().empty());
    EXPECT_EQ(tabs->GetPage(0)->GetRect(), (CIntRect{0, 0, 200, 200}));
    EXPECT_EQ(tabs->GetPage(1)->GetRect(), (CIntRect{0, 0, 200, 200}));
    Click(105, 55);  // where a tab was
    EXPECT_EQ(tabs->GetCurrentPage(), 1u);
    tabs->SetShowTabs(true);
    EXPECT_EQ(tabs->GetPage(0)->GetRect(), (CIntRect{0, 20, 200, 200}));
}

TEST_F(TabControl, ControlsWithoutPagesOrWithDeletedPagesDrawAndTakeInput)
{
    CJTabControl* tabs = Make(200, {});
    EXPECT_EQ(tabs->AddPage(nullptr), -1);
    tabs->SetFocus(true);
    EXPECT_FALSE(tabs->OnKey(9));
    Click(105, 55);
    m_screen->DrawScreen();

    CJTabControl* other = Make(200, {"ABC", "DEF", "SKY"});
    delete other->GetPage(2);
    m_screen->DrawScreen();
    EXPECT_EQ(other->GetPageCount(), 2u);
    EXPECT_EQ(other->GetTabRects().size(), 2u);
    EXPECT_EQ(other->GetCurrentPage(), 1u);
    EXPECT_EQ(other->FindPageByName("ABC"), other->GetPage(0));
    EXPECT_EQ(other->FindPageByName("SKY"), nullptr);
    other->SelectPage(0, true);
    EXPECT_EQ(Shown(*other), "ABC");
}

} // namespace
