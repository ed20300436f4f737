// The screen window: mouse auto-repeat on the clock (also across the tick count's wrap), repeat
// targets deleted while held, double clicks and keep, the clipboard keys, suspended input, the
// tooltip and a change of display mode.
#include "../graphics/GoldenImage.h"
#include "../graphics/SequenceTestSupport.h"
#include "InputTestSupport.h"
#include "foundation/Win32Services.h"

namespace {

using namespace uitest;

class ScreenWindow : public ScreenInputTest
{
};

// The clock starts at a usual uptime, or 47 ms before the 32-bit tick count wraps.
class MouseRepeat : public ScreenInputTest, public ::testing::WithParamInterface<uint64_t>
{
};

TEST_P(MouseRepeat, TheFirstComesAfterTheDelayThenOnePerIntervalOnlyOverTheTarget)
{
    platform::EnableVirtualClock(GetParam() * kMillisecond);
    InputProbe* arrow = Probe("Arrow", {100, 100, 120, 120}, "down up");
    uint32_t pressedAt = 0;
    std::vector<uint32_t> repeats;
    arrow->action = [&](InputProbe* self, const std::string& event) {
        if (event == "down 0") {
            pressedAt = platform::GetTickCount();
            self->SetMouseRepeat(100, 50);
            self->SetMouseRepeat(500, 500);  // the target already: ignored
        } else if (event == "repeat 0") {
            repeats.push_back(platform::GetTickCount() - pressedAt);
        }
        return false;
    };
    Step({MoveTo(110, 110)});
    Step({kPress}, 10);
    std::string repeating;
    for (int t = 10; t <= 500; t += 10) {
        if (t == 300)
            Step({MoveTo(300, 300)}, 10);  // off the arrow until 360
        else if (t == 360)
            Step({MoveTo(110, 110)}, 10);
        else
            Step({}, 10);
        if (t == 100 || t == 110)
            repeating += arrow->IsMouseRepeating() ? "yes " : "no ";
    }
    Step({kRelease});
    Step({}, 200);
    EXPECT_EQ(repeats, (std::vector<uint32_t>{110, 170, 230, 290, 410, 470}));
    EXPECT_EQ(repeating, "no yes ");

    // Off the target from the start: no repeat, but the first one is due all the same.
    repeats.clear();
    Step({kPress});
    Step({MoveTo(300, 300)}, 90);
    EXPECT_FALSE(m_screen->IsMouseRepeating());
    Step({}, 20);
    EXPECT_TRUE(m_screen->IsMouseRepeating());
    EXPECT_TRUE(repeats.empty());
    Step({kRelease});
}

INSTANTIATE_TEST_SUITE_P(Clocks, MouseRepeat,
                         ::testing::Values(uint64_t{1000000}, (uint64_t{1} << 32) - 47));

TEST_F(ScreenWindow, ARepeatTargetDeletedWhileHeldIsForgotten)
{
    for (const bool byItself : {true, false}) {
        SCOPED_TRACE(byItself ? "deleted in its own repeat" : "deleted by another");
        InputProbe* arrow = Probe("Arrow", {100, 100, 120, 120}, "down up");
        int repeats = 0;
        arrow->action = [&](InputProbe* self, const std::string& event) {
            if (event == "down 0")
                self->SetMouseRepeat(20, 20);
            if (event == "repeat 0" && ++repeats == 1 && byItself) {
                delete self;
                return true;
            }
            return false;
        };
        Step({MoveTo(110, 110), kPress});
        Step({}, 30);
        ASSERT_EQ(repeats, 1);
        if (!byItself)
            delete arrow;
        for (int i = 0; i < 5; ++i)
            Step({}, 30);
        EXPECT_EQ(repeats, 1);
        EXPECT_EQ(m_screen->GetFrontChild(), nullptr);
        Step({kRelease});
    }
}

TEST_F(ScreenWindow, ADoubleClickTakenWithoutKeepSwallowsThePress)
{
    const struct
    {
        bool taken;
        bool keep;
        Log second;   // the second press
        Log release;  // when the button comes up
    } cases[] = {
        {true, false, {"Target: double 0"}, {}},
        {true, true, {"Target: double 0", "Target: down 0"}, {"Target: up 0"}},
        // Nothing takes it: a plain press, held until the button comes up.
        {false, false, {"Target: double 0", "Target: down 0"}, {"Target: up 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.taken ? "taken" : "not taken") + (c.keep ? " with keep" : ""));
        InputProbe* target = Probe("Target", {0, 0, 100, 100}, c.taken ? "double down up" : "down up");
        target->keepPress = c.keep;
        Step({MoveTo(10, 10), kPress});
        Step({kRelease});
        TakeLog();
        Step({kSecondPress});
        EXPECT_EQ(TakeLog(), c.second);
        Step();
        Step();
        EXPECT_EQ(TakeLog(), Log{});  // no release while the button is down
        Step({kRelease});
        EXPECT_EQ(TakeLog(), c.release);
        delete target;
    }
}

// Keeps a text and does the clipboard operations on it.
class Editor : public CJWindow
{
public:
    Editor() : CJWindow(nullptr, "HELLO") {}
    bool Cut(int32_t flag) override { return Copy(flag) && Delete(flag) && (done = "cut", true); }
    bool Copy(int32_t) override { return CopyTextToClipboard(GetText(), std::strlen(GetText())) && (done = "copy", true); }
    bool Paste(int32_t) override
    {
        SetText(PasteTextFromClipboard());
        done = "paste";
        return true;
    }
    bool Delete(int32_t) override
    {
        SetText("");
        done = "delete";
        return true;
    }
    std::string done;
};

TEST_F(ScreenWindow, TheEditKeysReachTheClipboardOperations)
{
    const struct
    {
        int modifier;
        int key;
        unsigned char character;  // 0: the key's own code
        const char* done;
        const char* text;
        const char* clipboard;
    } cases[] = {
        {kShiftKey, kDeleteKey, 0, "cut", "", "HELLO"},  {0, kDeleteKey, 0, "delete", "", "PASTED"},
        {kCtrlKey, kInsertKey, 0, "copy", "HELLO", "HELLO"}, {kShiftKey, kInsertKey, 0, "paste", "PASTED", "PASTED"},
        {0, kInsertKey, 0, "", "HELLO", "PASTED"},        {kCtrlKey, 46, 3, "copy", "HELLO", "HELLO"},
        {kCtrlKey, 32, 4, "copy", "HELLO", "HELLO"},      {kCtrlKey, 47, 22, "paste", "PASTED", "PASTED"},
        {kCtrlKey, 45, 24, "cut", "", "HELLO"},
    };
    auto* editor = Open(new Editor, {0, 0, 100, 20});
    platform::HeadlessBackend& backend = platform::GetHeadlessBackend();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + " with " + std::to_string(c.modifier));
        editor->SetText("HELLO");
        editor->done.clear();
        backend.SetClipboardUtf8("PASTED");
        if (c.modifier)
            Stroke(c.key, c.character, {c.modifier});
        else
            Stroke(c.key, c.character);
        EXPECT_EQ(editor->done, c.done);
        EXPECT_STREQ(editor->GetText(), c.text);
        EXPECT_EQ(backend.GetClipboardUtf8(), std::optional<std::string>(c.clipboard));
    }
}

TEST_F(ScreenWindow, WhileInputIsSuspendedWindowsStillUpdateAndDraw)
{
    InputProbe* window = Probe("Window", {0, 0, 640, 480}, "down up key");
    window->logUpdates = true;
    m_screen->SuspendInput();
    EXPECT_FALSE(g_mouse.IsCursorVisible());
    Step({MoveTo(10, 10), kPress});
    Stroke(kSKey, 's');
    m_screen->DrawScreen();
    EXPECT_EQ(TakeLog(), (Log{"Window: update", "Window: update", "Window: draw"}));
    // Keys typed meanwhile are forgotten; the held button is no new press.
    m_screen->ResumeInput();
    EXPECT_TRUE(g_mouse.IsCursorVisible());
    window->logUpdates = false;
    Step();
    EXPECT_EQ(TakeLog(), Log{});
    Step({kRelease});
    EXPECT_EQ(TakeLog(), (Log{"Window: up 0"}));
    // A key that suspends input leaves the keys after it to whoever waits for them.
    window->action = [&](InputProbe*, const std::string& event) {
        if (event == "key 97")
            m_screen->SuspendInput();
        return false;
    };
    Step({Event::Char('a'), Event::Char('b')});
    EXPECT_EQ(g_keyboard.ReadChar(), 'b');
}

TEST_F(ScreenWindow, TheTooltipIsKeptOnePixelInsideTheScreen)
{
    m_target.Create(120, 60, 16);
    for (uint32_t i = 0; i < 120 * 60; ++i)
        frametest::WritePixel(m_target, i % 120, i / 120, 0x2104);
    m_screen->DrawScreen();
    InputProbe* owner = Probe("Owner", {0, 0, 10, 10});
    owner->SetBackgroundColor(20, 40, 90);
    CColor outline;
    outline.ConstructRgba(250, 200, 40, 255);
    owner->SetHighlightColor(outline);
    owner->ShowTooltipUnderlined(1, "SAVE\nOK", 110, 50);
    const int32_t width = m_font->GetTextWidth("SAVE");
    // The text rect; the box around it ends one pixel inside, its outline on the last pixels.
    EXPECT_EQ(m_screen->GetTooltipRect(), (CIntRect{118 - width, 38, 118, 58}));
    m_screen->DrawScreen();
    golden::ExpectMatchesGolden(*To24(m_target), "Tooltip16");
}

TEST_F(ScreenWindow, TheTooltipGoesBelowThePointerAndHidesWherePointingShowsNone)
{
    InputProbe* owner = Probe("Owner", {0, 0, 50, 50});
    Step({MoveTo(30, 10)});
    owner->ShowTooltip("OK", -1, -1);  // the system arrow: 20 pixels high
    EXPECT_EQ(m_screen->GetTooltipRect().m_top, 30);
    EXPECT_EQ(m_screen->GetTooltipRect().m_left, 30);
    CSequence cursor;
    cursor.AddFrame(seqtest::SolidFrame(12, 32, 16, 0xFFFF));
    g_mouse.SetCursorSequence(&cursor);
    owner->ShowTooltip("OK", 200, 200);  // the text shown already: nothing moves
    EXPECT_EQ(m_screen->GetTooltipRect().m_top, 30);
    owner->ShowTooltip("", 0, 0);
    EXPECT_FALSE(m_screen->HasTooltip());
    owner->ShowTooltip("OK", -1, -1);
    EXPECT_EQ(m_screen->GetTooltipRect().m_top, 42);
    // An underline index past the text underlines nothing (the box keeps the text's height).
    owner->ShowTooltipUnderlined(7, "YES", 0, 0);
    EXPECT_EQ(m_screen->GetTooltipRect().m_bottom, m_font->GetLineHeight());
    // A pointer coming to rest where no window shows one hides it.
    Step({MoveTo(300, 300)});
    EXPECT_FALSE(m_screen->HasTooltip());
    g_mouse.SetCursorSequence(nullptr);
}

TEST_F(ScreenWindow, ADisplayModeChangeResizesTheRootAtTheNextDraw)
{
    InputProbe* full = Probe("Full", {0, 0, 640, 480});
    m_target.Create(800, 600, 16);
    EXPECT_EQ(m_screen->GetWidth(), 640);
    m_screen->DrawScreen();
    EXPECT_EQ(m_screen->GetRect(), (CIntRect{0, 0, 800, 600}));
    EXPECT_EQ(full->GetVisibleRect(), (CIntRect{0, 0, 640, 480}));
    // Only the height changes.
    m_target.Create(800, 400, 16);
    m_screen->DrawScreen();
    EXPECT_EQ(m_screen->GetRect(), (CIntRect{0, 0, 800, 400}));
    EXPECT_EQ(full->GetVisibleRect(), (CIntRect{0, 0, 640, 400}));
}

} // namespace
