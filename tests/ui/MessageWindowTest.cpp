// Message windows and the close button: the 500-pixel wrapping limit, the row of buttons, closing
// after a button's action, Enter and Escape, and the caption's close button.
#include "InputTestSupport.h"
#include "ui/Callback.h"
#include "ui/JButton.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

#include <string>

namespace {

using namespace uitest;

class MessageWindow : public ScreenInputTest
{
protected:
    static const CJLabel* FindLabel(const CJWindow* window)
    {
        for (const CJWindow* child = window->GetFrontChild(); child; child = child->GetNextSibling())
            if (auto* label = dynamic_cast<const CJLabel*>(child))
                return label;
        return nullptr;
    }
};

// Records whether its window still existed when it ran.
class WatchingAction : public CCallback
{
public:
    WatchingAction(CJWindow* window, std::string* log) : m_watch(window), m_log(log) {}
    void Invoke() override { *m_log += m_watch.IsAlive() ? "ran while open;" : "ran after close;"; }

private:
    CWindowWatch m_watch;
    std::string* m_log;
};

TEST_F(MessageWindow, OnlyTextsWiderThan500PixelsAreWrapped)
{
    // Test font: letters 8 px, blanks 2 px; 62 letters and 2 blanks are 500 px.
    const std::string line = std::string(21, 'A') + " " + std::string(21, 'B') + " " + std::string(20, 'C');
    ASSERT_EQ(m_font->GetTextWidth(line.c_str()), 500);
    struct Case
    {
        std::string text, shown;
    };
    const Case cases[] = {
        {line, line},
        {"short\n" + line, "short\n" + line},
        // 502 pixels: broken between words into lines no wider than 500, no empty line after.
        {line + "D", std::string(21, 'A') + " " + std::string(21, 'B') + "\n" + std::string(20, 'C') + "D"},
    };
    for (const Case& c : cases) {
        CJMessageWindow message("Note", c.text.c_str(), nullptr);
        const CJLabel* label = FindLabel(&message);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->GetText(), c.shown);
        EXPECT_TRUE(message.IsModal());
    }
}

TEST_F(MessageWindow, AddedButtonsFormOneCentredRowOfEqualWidths)
{
    CJMessageWindow* message = m_screen->ShowMessageText("Note", "ABC");
    ASSERT_EQ(m_screen->GetFrontChild(), message);
    EXPECT_TRUE(m_screen->HasModalWindow());
    CJButton* ok = message->GetOkButton();
    EXPECT_EQ(ok->GetShortcutKey(), 13);
    CJButton* cancel = message->AddButton("CANCEL", nullptr);
    CJButton* keep = message->AddButton("K", nullptr);
    const int32_t width = message->GetWidth();
    for (CJButton* button : {ok, cancel, keep}) {
        EXPECT_EQ(button->GetWidth(), cancel->GetWidth());
        EXPECT_EQ(button->GetRect().m_top, ok->GetRect().m_top);
    }
    EXPECT_LT(ok->GetRect().m_right, cancel->GetRect().m_left);
    EXPECT_LT(cancel->GetRect().m_right, keep->GetRect().m_left);
    EXPECT_LE(std::abs(ok->GetRect().m_left - (width - keep->GetRect().m_right)), 1);
    EXPECT_GE(ok->GetRect().m_top, FindLabel(message)->GetRect().m_bottom);
}

TEST_F(MessageWindow, AnyButtonClosesTheWindowAfterItsAction)
{
    for (const int which : {0, 1}) {
        std::string log;
        CSharedString retry("Retry");
        auto* message = new CJMessageWindow(nullptr, CSharedString("Note"), CSharedString("ABC"), m_screen.get(), nullptr,
                                            nullptr);
        CWindowWatch watch(message);
        message->GetOkButton()->SetAction(new WatchingAction(message, &log));
        CJButton* other = message->AddButton(retry, new WatchingAction(message, &log));
        (which == 0 ? message->GetOkButton() : other)->Activate();
        EXPECT_EQ(log, "ran while open;");
        EXPECT_FALSE(watch.IsAlive());
        EXPECT_EQ(m_screen->GetFrontChild(), nullptr);
    }
}

TEST_F(MessageWindow, EnterRunsTheOkButtonEscapeOnlyCloses)
{
    struct Case
    {
        int key;
        const char* log;
    };
    for (const Case& c : {Case{13, "ran while open;"}, Case{27, ""}}) {
        std::string log;
        CJMessageWindow* message = m_screen->ShowMessageText("Note", "ABC");
        message->GetOkButton()->SetAction(new WatchingAction(message, &log));
        CWindowWatch watch(message);
        EXPECT_TRUE(m_screen->OnKey(c.key));
        EXPECT_EQ(log, c.log);
        EXPECT_FALSE(watch.IsAlive());
    }
}

TEST_F(MessageWindow, TheCloseButtonIsMadeOnceAndClosesItsWindow)
{
    auto* window = Open(new CJTitledWindow(nullptr, "ABCDE"), {100, 100, 300, 200});
    window->AddCloseButton();
    CJButton* close = window->GetCloseButton();
    window->AddCloseButton();
    int buttons = 0;
    for (CJWindow* child = window->GetFrontChild(); child; child = child->GetNextSibling())
        buttons += dynamic_cast<CJButton*>(child) != nullptr;
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(close->GetWidth(), 20);
    EXPECT_EQ(close->GetHeight(), 20);
    EXPECT_FALSE(close->IsTabStop());
    EXPECT_STREQ(close->GetToolTip(), "Close");
    // Top-right over the caption, two pixels in; it stays there when the window is resized.
    EXPECT_EQ(close->GetRect().m_right, window->GetWidth() - 2);
    EXPECT_EQ(close->GetRect().m_top, 2);
    window->SetSize(300, 100);
    EXPECT_EQ(close->GetRect().m_right, 300 - 2);

    CWindowWatch watch(window);
    const CIntRect& r = close->GetScreenRect();
    Step({MoveTo(r.m_left + 5, r.m_top + 5), kPress});
    Step({kRelease});
    EXPECT_FALSE(watch.IsAlive());
}

// A window behind keeps any tooltip when hovered, so only the closing window can hide it.
TEST_F(MessageWindow, ClosingATitledOrMessageWindowHidesTheTooltip)
{
    Probe("Back", {0, 0, 640, 480}, "hover");
    auto* window = Open(new CJTitledWindow(nullptr, "ABCDE"), {100, 100, 300, 200});
    window->AddCloseButton();
    const CIntRect r = window->GetCloseButton()->GetScreenRect();
    Step({MoveTo(r.m_left + 5, r.m_top + 5)});
    ASSERT_TRUE(m_screen->HasTooltip());  // the close button's "Close"
    CWindowWatch watch(window);
    Step({kPress, kRelease});
    ASSERT_FALSE(watch.IsAlive());
    EXPECT_FALSE(m_screen->HasTooltip());

    CJMessageWindow* message = m_screen->ShowMessageText("Note", "ABC");
    m_screen->ShowTooltip(message, -1, "Tip", 10, 10);
    Stroke(28, 13);  // Enter
    EXPECT_EQ(m_screen->GetModalWindow(), nullptr);
    EXPECT_FALSE(m_screen->HasTooltip());
}

} // namespace
