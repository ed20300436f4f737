// Buttons, check buttons and toggle buttons: clicks by mouse, keys and repeat as the screen window
// delivers them, radio groups, actions, hit polygons, sounds and the toggle's size and linked byte.
#include "InputTestSupport.h"
#include "objects/Polygon2D.h"
#include "ui/Callback.h"
#include "ui/JCheckButton.h"
#include "ui/JToggleButton.h"
#include "ui/controls/JDialog.h"

#include <memory>

using namespace uitest;

namespace {

constexpr int kSpaceKey = 57, kRightKey = 333, kLeftKey = 331;

// An action that logs its calls and can be told what to answer.
class LoggingAction : public CCallback
{
public:
    explicit LoggingAction(Log* log) : m_log(log) {}
    void Invoke() override { m_log->push_back("action"); }
    bool IsAvailable() override { return available; }
    bool ControlsEnabled() override { return controls; }
    bool available = true;
    bool controls = false;

private:
    Log* m_log;
};

// A dialog that logs the notifications its controls send.
class DialogProbe : public InputProbe
{
public:
    using InputProbe::InputProbe;
    void OnCommand(CJWindow* sender, int32_t code) override
    {
        Record("command " + std::to_string(code) + (sender ? " from " + std::string(sender->GetText()) : ""));
    }
};

// A button that counts the repeats it gets.
class CountingButton : public CJButton
{
public:
    using CJButton::CJButton;
    bool OnMouseRepeat(int32_t button, const CIntPoint& point) override
    {
        ++repeats;
        return CJButton::OnMouseRepeat(button, point);
    }
    int repeats = 0;
};

class Buttons : public ScreenInputTest
{
protected:
    void SetUp() override
    {
        ScreenInputTest::SetUp();
        m_dialog = Open(new DialogProbe("Dialog", &m_log), {0, 0, 400, 300});
    }
    template <class Button = CJButton>
    Button* Add(const char* text, const CIntRect& rect, CJButton* leader = nullptr)
    {
        auto* button = new Button(m_dialog, text, leader);
        button->SetRect(rect);
        m_dialog->AddChild(button, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        return button;
    }
    // The clicks the dialog was told of.
    Log Commands()
    {
        Log commands;
        for (const std::string& line : TakeLog())
            if (line.find("command") != std::string::npos || line == "action")
                commands.push_back(line);
        return commands;
    }
    // The members' checked flags and tab stops, e.g. "x+ . ." (checked with tab stop, unchecked).
    static std::string Group(std::initializer_list<CJButton*> members)
    {
        std::string text;
        for (CJButton* member : members)
            text += std::string(text.empty() ? "" : " ") + (member->IsChecked() ? "x" : ".") +
                    (member->IsTabStop() ? "+" : "");
        return text;
    }

    DialogProbe* m_dialog = nullptr;
};

} // namespace

TEST_F(Buttons, MouseClicksOnlyWithTheLeftButtonReleasedInside)
{
    CJButton* button = Add("&Go", {20, 20, 100, 44});
    const Event rightPress = Event::Mouse(EventType::MouseDown, 0, 0, platform::kMouseRight);
    const Event rightRelease = Event::Mouse(EventType::MouseUp, 0, 0, platform::kMouseRight);
    Step({MoveTo(50, 30)});
    Step({rightPress});
    EXPECT_FALSE(button->IsPressed());
    Step({rightRelease});
    EXPECT_EQ(Commands(), Log{});

    // Pressed, dragged off and released outside: no click, and the face is up again.
    Step({kPress});
    EXPECT_TRUE(button->IsPressed() && button->IsPointerInside());
    Step({MoveTo(150, 30)});
    EXPECT_TRUE(button->IsPressed());
    EXPECT_FALSE(button->IsPointerInside());
    Step({kRelease});
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(Commands(), Log{});
    EXPECT_FALSE(button->WasClicked());

    // Back over it, a press and release clicks once.
    Step({MoveTo(60, 40)});
    Step({kPress});
    Step({kRelease});
    EXPECT_EQ(Commands(), Log{"Dialog: command 0 from Go"});
    EXPECT_TRUE(button->WasClicked());
    EXPECT_FALSE(button->WasClicked());
}

// Presses and releases as the system reports them between two updates: a press and release
// that both came within one update are a click, as are both clicks of a double click.
TEST_F(Buttons, EveryPressAndReleaseIsAClickHoweverShort)
{
    int runs = 0;
    CJButton* button = Add("Go", {20, 20, 100, 44});
    button->SetAction(new CountingAction(&runs));
    Step({MoveTo(50, 30)});
    for (int i = 0; i < 100; ++i)
        Step({i % 2 ? kSecondPress : kPress, kRelease});
    EXPECT_EQ(runs, 100);
    EXPECT_FALSE(button->IsPressed());
    // The same in a dialog, which takes the second press of a double click on itself as a press.
    auto* dialog = Open(new CJDialog(nullptr, "Dialog"), {0, 0, 400, 300});
    CJButton* inDialog = new CJButton(dialog, "In", nullptr);
    inDialog->SetRect({20, 40, 100, 64});
    dialog->AddChild(inDialog, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    inDialog->SetAction(new CountingAction(&runs));
    runs = 0;
    Step({MoveTo(50, 50)});
    for (int i = 0; i < 20; ++i)
        Step({i % 2 ? kSecondPress : kPress, kRelease});
    EXPECT_EQ(runs, 20);
    dialog->Close();
    Step({MoveTo(50, 30)});

    const struct
    {
        const char* what;
        std::vector<std::vector<Event>> steps;
        int clicks;
    } cases[] = {
        {"held over two updates", {{kPress}, {kRelease}}, 1},
        {"released and pressed again within one", {{kPress}, {kRelease, kPress}, {kRelease}}, 2},
        {"two clicks within one", {{kPress, kRelease, kPress, kRelease}}, 2},
        {"a click, then a press held", {{kPress, kRelease, kPress}, {}, {kRelease}}, 2},
        {"right button", {{Event::Mouse(EventType::MouseDown, 0, 0, platform::kMouseRight),
                           Event::Mouse(EventType::MouseUp, 0, 0, platform::kMouseRight)}},
         0},
    };
    for (const auto& c : cases) {
        runs = 0;
        for (const auto& events : c.steps) {
            for (const Event& event : events)
                platform::GetHeadlessBackend().QueueEvent(event);
            Step();
        }
        EXPECT_EQ(runs, c.clicks) << c.what;
        EXPECT_FALSE(button->IsPressed()) << c.what;
    }
    TakeLog();
}

TEST_F(Buttons, AutoRepeatClicksOncePerRepeatAndNotOnRelease)
{
    auto* button = Add<CountingButton>("More", {20, 20, 100, 44});
    button->SetAutoRepeat(true);
    Step({MoveTo(50, 30), kPress});
    EXPECT_EQ(Commands(), Log{});
    for (int i = 0; i < 100; ++i)
        Step({}, 10);
    ASSERT_GE(button->repeats, 3);
    const size_t held = Commands().size();
    EXPECT_EQ(held, static_cast<size_t>(button->repeats));
    Step({kRelease});
    EXPECT_EQ(Commands(), Log{});

    // A short press without a repeat still clicks on release.
    const int repeats = button->repeats;
    Step({kPress});
    Step({kRelease});
    EXPECT_EQ(button->repeats, repeats);
    EXPECT_EQ(Commands().size(), 1u);
}

TEST_F(Buttons, KeysClickThroughSpaceActivateAndShortcuts)
{
    SoundRecorder sounds({"Player Error.wav", "UI/Button Action.wav"});
    CJButton* ok = Add("&Okay", {20, 20, 100, 44});
    CJButton* dead = Add("&Dead", {20, 60, 100, 84});
    dead->SetEnabled(false);
    m_dialog->ActivateChild(ok);
    ok->SetFocus(true);
    Stroke(kSpaceKey, ' ');
    EXPECT_EQ(Commands(), Log{"Dialog: command 0 from Okay"});

    const struct
    {
        CJButton* button;
        bool enabled;
        Log commands;
    } cases[] = {
        {ok, true, {"Dialog: command 0 from Okay"}},
        {dead, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button->GetText());
        EXPECT_EQ(c.button->Activate(), c.enabled);
        EXPECT_EQ(Commands(), c.commands);
    }
    Stroke(24, 'o', {kAltKey});  // Alt+O
    EXPECT_EQ(Commands(), Log{"Dialog: command 0 from Okay"});
    Stroke(32, 'd', {kAltKey});  // a disabled button's shortcut only sounds the error
    EXPECT_EQ(Commands(), Log{});
}

TEST_F(Buttons, ActionsRunBeforeTheParentHearsAndMayRuleTheEnabledFlag)
{
    CJButton* button = Add("Go", {20, 20, 100, 44});
    auto* action = new LoggingAction(&m_log);
    button->SetAction(action);
    button->Click();
    EXPECT_EQ(Commands(), (Log{"action", "Dialog: command 0 from Go"}));

    const struct
    {
        bool controls, available, enabledBefore, enabledAfter;
    } cases[] = {
        {false, false, true, true},  // an action that does not rule leaves the flag alone
        {true, false, true, false},
        {true, true, false, true},
    };
    for (const auto& c : cases) {
        action->controls = c.controls;
        action->available = c.available;
        button->SetEnabled(c.enabledBefore);
        Step();
        EXPECT_EQ(button->IsEnabled(), c.enabledAfter) << c.controls << c.available;
    }
    // An action that closes the dialog leaves nothing to notify.
    class Closing : public CCallback
    {
    public:
        explicit Closing(CJWindow* dialog) : m_dialog(dialog) {}
        void Invoke() override { m_dialog->Close(); }
        CJWindow* m_dialog;
    };
    button->SetAction(new Closing(m_dialog));
    button->Click();
    EXPECT_EQ(m_screen->GetFrontChild(), nullptr);
}

TEST_F(Buttons, RadioGroupsMoveCheckAndWrap)
{
    auto* easy = Add<CJCheckButton>("Easy", {20, 20, 100, 40});
    auto* normal = Add<CJCheckButton>("Normal", {20, 50, 100, 70}, easy);
    auto* hard = Add<CJCheckButton>("Hard", {20, 80, 100, 100}, normal);
    EXPECT_EQ(easy->GetNextGroupMember(), normal);
    EXPECT_EQ(hard->GetNextGroupMember(), easy);
    EXPECT_EQ(Group({easy, normal, hard}), ". . .");  // no member is a tab stop until one is checked

    hard->SetChecked(1);
    EXPECT_EQ(Group({easy, normal, hard}), ". . x+");
    normal->Click();
    EXPECT_EQ(Group({easy, normal, hard}), ". x+ .");
    EXPECT_EQ(Commands(), Log{"Dialog: command 0 from Normal"});
    // A checked member cannot be clicked off.
    normal->Click();
    EXPECT_FALSE(normal->Activate());
    EXPECT_EQ(Group({easy, normal, hard}), ". x+ .");
    EXPECT_EQ(Commands(), Log{});

    // Right from the last wraps to the first; Left goes back; each makes the member the front
    // child and checks it.
    hard->Click();
    TakeLog();
    m_dialog->ActivateChild(hard);
    hard->SetFocus(true);
    Stroke(kRightKey, 0);
    EXPECT_EQ(Group({easy, normal, hard}), "x+ . .");
    EXPECT_EQ(m_dialog->GetFrontChild(), easy);
    EXPECT_TRUE(easy->HasFocus());
    EXPECT_EQ(Commands(), Log{"Dialog: command 0 from Easy"});
    Stroke(kLeftKey, 0);
    EXPECT_EQ(Group({easy, normal, hard}), ". . x+");
    EXPECT_EQ(m_dialog->GetFrontChild(), hard);
}

TEST_F(Buttons, DeletingGroupMembersOneByOneKeepsTheCircleWhole)
{
    auto* a = Add<CJCheckButton>("A", {0, 0, 40, 20});
    auto* b = Add<CJCheckButton>("B", {0, 30, 40, 50}, a);
    auto* c = Add<CJCheckButton>("C", {0, 60, 40, 80}, b);
    delete b;
    EXPECT_EQ(a->GetNextGroupMember(), c);
    EXPECT_EQ(c->GetNextGroupMember(), a);
    a->SetChecked(1);  // walks the circle: freed memory would show under the sanitizer
    EXPECT_EQ(Group({a, c}), "x+ .");
    delete a;
    EXPECT_EQ(c->GetNextGroupMember(), nullptr);
    c->SetChecked(1);
    c->Click();  // alone, it is no radio member and can be unchecked
    EXPECT_FALSE(c->IsChecked());
}

TEST_F(Buttons, HitPolygonLimitsPresses)
{
    CJButton* button = Add("Corner", {100, 100, 200, 200});
    // The triangle of the top-left half, wound clockwise on screen.
    auto* triangle = new CPolygon2D;
    for (const auto& p : {CFloatPoint{0, 0}, CFloatPoint{100, 0}, CFloatPoint{0, 100}})
        triangle->InsertPoint(p.m_x, p.m_y, CPolygon2D::kMaxPoints);
    triangle->Close();
    button->SetHitPolygon(triangle);
    const struct
    {
        int x, y;
        bool clicks;
    } cases[] = {{110, 110, true}, {190, 190, false}, {160, 160, false}, {130, 150, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Step({MoveTo(c.x, c.y)});
        EXPECT_EQ(button->IsPointerInside(), c.clicks);
        Step({kPress});
        EXPECT_EQ(button->IsPressed(), c.clicks);
        Step({kRelease});
        EXPECT_EQ(Commands().size(), c.clicks ? 1u : 0u);
    }
}

TEST_F(Buttons, EachKindSoundsItsOwnClick)
{
    SoundRecorder sounds({"UI/Button Action.wav", "UI/Button Switch.wav"});
    const struct
    {
        std::function<CJButton*()> make;
        Log played;
    } cases[] = {
        {[&] { return Add("Push", {0, 0, 50, 20}); }, {"UI/Button Action.wav"}},
        {[&] { return Add<CJCheckButton>("Check", {0, 0, 50, 20}); }, {"UI/Button Switch.wav"}},
        {[&] { return Add<CJToggleButton>("Toggle", {0, 0, 50, 20}); }, {}},
    };
    for (const auto& c : cases) {
        CJButton* button = c.make();
        SCOPED_TRACE(button->GetText());
        button->Click();
        EXPECT_EQ(sounds.Played(), c.played);
        EXPECT_EQ(Commands().size(), 1u);
        CSoundSystem::GetInstance()->StopAllSounds();
        delete button;
    }
}

TEST_F(Buttons, PushAndRadioButtonsStartAtTheirThemeSize)
{
    // Owners often set only a width (or nothing): the height must already be there, or the button
    // draws nothing. The theme's size: text width + 2 x spacing + 2 by line height + 2 x spacing + 2.
    const CFont* font = m_font.get();
    const struct
    {
        const char* text;
        const char* measured;
        bool radio;
    } cases[] = {{"Save", "Save", false}, {"&Normal", "Normal", true}, {"", "", false}};
    for (const auto& c : cases) {
        std::unique_ptr<CJButton> button(c.radio ? new CJCheckButton(m_dialog, c.text, nullptr)
                                                 : new CJButton(m_dialog, c.text, nullptr));
        const int32_t spacing = button->GetRowSpacing();
        ASSERT_GT(spacing, 0);
        EXPECT_EQ(button->GetWidth(), font->GetTextWidth(c.measured) + 2 * spacing + 2) << c.text;
        EXPECT_EQ(button->GetHeight(), font->GetLineHeight() + 2 * spacing + 2) << c.text;
        button->SetWidth(230);
        EXPECT_EQ(button->GetHeight(), font->GetLineHeight() + 2 * spacing + 2) << c.text;
    }
}

TEST_F(Buttons, ToggleSizesToItsTextAndMirrorsItsByte)
{
    CFont* font = m_font.get();
    const int32_t box = font->GetHeight() + 2;
    const struct
    {
        const char* text;
        const char* measured;
    } cases[] = {{"", "XXX"}, {"Sound", "Sound"}, {"&Keys", "Keys"}};
    for (const auto& c : cases) {
        CJToggleButton toggle(m_dialog, c.text, nullptr);
        EXPECT_EQ(toggle.GetBoxSize(), box);
        // The box, a gap of a font unit and one pixel, and the text.
        const int32_t gap = font->GetLineHeight() / 5 + 1;
        EXPECT_EQ(toggle.GetBoxGap(), gap);
        EXPECT_EQ(toggle.GetWidth(), font->GetTextWidth(c.measured) + box + gap) << c.text;
        EXPECT_EQ(toggle.GetHeight(), std::max(font->GetLineHeight() + 2, box));
        toggle.SetText("ABCDE");
        EXPECT_EQ(toggle.GetWidth(), font->GetTextWidth("ABCDE") + box + gap);
    }

    uint8_t sound = 1;
    auto* toggle = Add<CJToggleButton>("Sound", {0, 0, 10, 10});
    toggle->SetLinkedVariable(&sound);
    EXPECT_TRUE(toggle->IsChecked());
    toggle->Click();
    EXPECT_EQ(sound, 0);
    EXPECT_FALSE(toggle->IsChecked());
    toggle->Click();
    EXPECT_EQ(sound, 1);
    EXPECT_EQ(Commands().size(), 2u);
    toggle->SetLinkedVariable(nullptr);
    toggle->Click();
    EXPECT_EQ(sound, 1);
}

TEST_F(Buttons, ImagesSizeTheButtonAndLendTheTextToTheTooltip)
{
    CFrame image;
    image.Create(30, 12, 16);
    CJButton* button = Add("&Mute", {0, 0, 10, 10});
    const int32_t spacing = button->GetRowSpacing();
    button->SetImage(&image, false);
    EXPECT_EQ(button->GetWidth(), 30 + 2 * spacing);
    EXPECT_EQ(button->GetHeight(), 12 + 2 * spacing);
    EXPECT_STREQ(button->GetToolTip(), "Mute");
    button->SetImage(&image, true);
    EXPECT_EQ(button->GetRowSpacing(), 0);
    EXPECT_EQ(button->GetWidth(), 30);
    // The pointer resting on it shows the tooltip.
    Step({MoveTo(5, 5)});
    EXPECT_TRUE(m_screen->HasTooltip());
}
