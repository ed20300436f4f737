// Input routing through the tree, driven by input as the system delivers it: modal windows, the
// press walk and its activation, drags and Escape, Tab and Shift+Tab, shortcuts with and without
// Alt, hover and the cursor, and windows that close themselves inside their input handling.
#include "InputTestSupport.h"

#include <algorithm>

namespace {

using namespace uitest;

class WindowInput : public ScreenInputTest
{
protected:
    // The text of the screen's focused window at every level, "A/B".
    std::string FocusPath() const
    {
        std::string path;
        for (const CJWindow* w = m_screen->GetFrontChild(); w && w->HasFocus(); w = w->GetFrontChild())
            path += (path.empty() ? "" : "/") + std::string(w->GetText());
        return path;
    }
};

TEST_F(WindowInput, AModalFrontChildTakesAllInputWhileEveryWindowUpdatesAndDraws)
{
    InputProbe* back = Probe("Back", {0, 0, 640, 480}, "down up double wheel key");
    back->SetTabStop(true);
    InputProbe* modal = Probe("Modal", {200, 200, 300, 300});
    modal->SetModal(true);
    // A press far outside the modal window, release, double click, wheel, keys and Tab.
    Step({MoveTo(20, 30), kPress});
    Step({kRelease});
    Step({kSecondPress});
    Step({kRelease});
    Step({Event::Wheel(120)});
    Stroke(kSKey, 's');
    Stroke(kTabKey, 9);
    // A press nothing takes asks the window for a drag.
    const std::string drag = "Modal: drag 20,30 by 0,0 mask 1";
    EXPECT_EQ(TakeLog(), (Log{"Modal: down 0", drag, "Modal: up 0", "Modal: double 0", "Modal: down 0", drag,
                              "Modal: up 0", "Modal: wheel 1", "Modal: key 115", "Modal: key 9"}));
    EXPECT_EQ(Order(m_screen.get()), "Modal,Back");
    back->logUpdates = modal->logUpdates = true;
    Step();
    m_screen->DrawScreen();
    EXPECT_EQ(TakeLog(), (Log{"Modal: update", "Back: update", "Back: draw", "Modal: draw"}));
}

TEST_F(WindowInput, APressActivatesTheFirstWindowItReachesAndGoesOnUntilOneTakesIt)
{
    // Front to back: 1 (elsewhere), 2 (disabled), 3 (takes nothing), 4 and 5 (take presses).
    const CIntRect here{0, 0, 200, 200};
    Probe("5", here, "down");
    Probe("4", here, "down");
    Probe("3", here);
    Probe("2", here)->SetEnabled(false);
    Probe("1", {400, 0, 500, 100});
    Step({MoveTo(50, 50), kPress});
    EXPECT_EQ(TakeLog(), (Log{"3: down 0", "3: drag 50,50 by 0,0 mask 1", "4: down 0"}));
    EXPECT_EQ(Order(m_screen.get()), "3,4,5,1,2");
    EXPECT_EQ(FocusPath(), "3");
    // The press clears keyboard navigation.
    EXPECT_FALSE(CWindowToolkitState::Get().keyboardNavigation);
}

TEST_F(WindowInput, ADragCapturesItsButtonAndEscapePutsThePointerBack)
{
    InputProbe* panel = Probe("Panel", {100, 100, 300, 300}, "drag");
    Probe("Under", {0, 0, 640, 480}, "up");
    m_screen->ActivateChild(panel);
    Step({MoveTo(120, 130), kPress});
    Step({MoveTo(170, 150)});
    // The press asks for the drag, then the pointer is looked at again where it is.
    EXPECT_EQ(TakeLog(), (Log{"Panel: down 0", "Panel: drag 120,130 by 0,0 mask 1", "Panel: drag 120,130 by 0,0 mask 1",
                              "Panel: drag 170,150 by 50,20 mask 1"}));
    Stroke(platform::kKeyEscape, 27);
    EXPECT_EQ(platform::GetHeadlessBackend().GetWarpPosition(), (std::pair<int, int>{120, 130}));
    EXPECT_EQ(g_mouse.GetPositionPoint(), (CIntPoint{120, 130}));
    EXPECT_EQ(TakeLog(), (Log{"Panel: key 27", "Panel: drag 120,130 by -50,-20 mask 1"}));
    // The capture is over: the release goes down the tree and motion is no drag.
    Step({kRelease});
    Step({MoveTo(200, 200)});
    EXPECT_EQ(TakeLog(), (Log{"Panel: up 0", "Under: up 0"}));
    // A drag ended by its release takes the release itself.
    Step({kPress});
    Step({kRelease});
    EXPECT_EQ(TakeLog(), (Log{"Panel: down 0", "Panel: drag 200,200 by 0,0 mask 1", "Panel: drag 200,200 by 0,0 mask 1",
                              "Panel: up 0"}));
}

TEST_F(WindowInput, TabAndShiftTabWalkTheTabStopsAndWrap)
{
    InputProbe* dialog = Probe("Dialog", {0, 0, 400, 300});
    for (const char* name : {"C", "B", "A"})
        Probe(name, {10, 10, 50, 30}, "", dialog)->SetTabStop(true);
    std::string path;
    Stroke(kTabKey, 9);
    path += FocusPath() + " ";
    for (int i = 0; i < 3; ++i) {
        Stroke(kTabKey, 9, {kShiftKey});
        path += FocusPath() + " ";
    }
    EXPECT_EQ(path, "Dialog/B Dialog/A Dialog/C Dialog/B ");
    EXPECT_TRUE(CWindowToolkitState::Get().keyboardNavigation);
    // With one child there is nowhere to go.
    InputProbe* single = Probe("Single", {0, 0, 10, 10});
    Probe("Only", {0, 0, 5, 5}, "", single)->SetTabStop(true);
    CWindowToolkitState::Get().keyboardNavigation = false;
    EXPECT_FALSE(single->OnKey(9));
    EXPECT_FALSE(CWindowToolkitState::Get().keyboardNavigation);
}

TEST_F(WindowInput, ShortcutsFindTheirWindowAndRejectedOnesSoundTheError)
{
    SoundRecorder sounds({"Player Error.wav", "UI/Button Action.wav"});
    InputProbe* dialog = Probe("Dialog", {0, 0, 400, 300});
    // Front to back: a label, the field it names, a disabled button, and a save button.
    for (const char* name : {"&Save", "&Go", "Field", "&Name"})
        Probe(name, {10, 10, 50, 30}, "", dialog);
    for (const char* name : {"&Save", "&Go", "Field"})
        dialog->FindChildByName(name[0] == '&' ? name + 1 : name)->SetTabStop(true);
    dialog->FindChildByName("Go")->SetEnabled(false);

    Stroke(34, 'g', {kAltKey});  // only a disabled window has it
    EXPECT_EQ(sounds.Played(), (Log{"Player Error.wav"}));
    EXPECT_EQ(TakeLog(), Log{});
    Stroke(49, 'N', {kAltKey});  // the label hands it to the field; upper case matches too
    EXPECT_EQ(TakeLog(), (Log{"Field: activate"}));
    EXPECT_EQ(FocusPath(), "Dialog/Field");
    // With Alt the shortcut comes first; without it the focused window sees the key first.
    Stroke(kSKey, 's', {kAltKey});
    EXPECT_EQ(TakeLog(), (Log{"Save: activate"}));
    auto* save = static_cast<InputProbe*>(dialog->FindChildByName("Save"));
    save->takes = "key";
    Stroke(kSKey, 's');
    EXPECT_EQ(TakeLog(), (Log{"Dialog: key 115", "Save: key 115"}));
    dialog->ActivateChild(dialog->FindChildByName("Field"));
    Stroke(kSKey, 's');
    EXPECT_EQ(TakeLog(), (Log{"Dialog: key 115", "Field: key 115", "Save: activate"}));
    // No window has it: not taken.
    EXPECT_FALSE(m_screen->HandleShortcut('q'));
}

// Alt is read as it was when the letter was typed: a quick Alt+N is over before the update that
// handles its letter.
TEST_F(WindowInput, AltLetGoWithinTheUpdateOfItsLetterStillMakesAShortcut)
{
    InputProbe* dialog = Probe("Dialog", {0, 0, 400, 300});
    Probe("Other", {10, 40, 50, 60}, "key", dialog)->SetTabStop(true);
    Probe("Field", {10, 10, 50, 30}, "", dialog)->SetTabStop(true);
    Probe("&Name", {60, 10, 100, 30}, "", dialog);
    const Event altDown = Key(EventType::KeyDown, kAltKey), altUp = Key(EventType::KeyUp, kAltKey);
    const Event nDown = Key(EventType::KeyDown, 49), nUp = Key(EventType::KeyUp, 49);
    dialog->ActivateChild(dialog->FindChildByName("Other"));
    TakeLog();

    Step({altDown, nDown, Event::Char('n'), nUp, altUp});
    EXPECT_EQ(TakeLog(), (Log{"Field: activate"}));
    EXPECT_EQ(FocusPath(), "Dialog/Field");

    // Alt let go before the letter: the letter is typed into the focused window.
    dialog->ActivateChild(dialog->FindChildByName("Other"));
    TakeLog();
    Step({altDown, altUp, nDown, Event::Char('n'), nUp});
    EXPECT_EQ(TakeLog(), (Log{"Dialog: key 110", "Other: key 110"}));
    EXPECT_EQ(FocusPath(), "Dialog/Other");
}

TEST_F(WindowInput, ThePointerHoversTheFrontWindowHitAndPicksItsCursor)
{
    CSequence arrow, beam;
    InputProbe* back = Probe("Back", {0, 0, 300, 300});
    InputProbe* front = Probe("Front", {100, 100, 200, 200});
    back->logMotion = front->logMotion = true;
    back->cursor = &arrow;
    front->cursor = &beam;
    Step({MoveTo(150, 120)});
    EXPECT_EQ(TakeLog(), (Log{"Front: hover", "Front: move"}));
    EXPECT_EQ(g_mouse.GetCursorSequence(), &beam);
    EXPECT_EQ(front->cursorAskedAt, (CIntPoint{50, 20}));
    // Off the front window, the back one is hovered; the front one still sees the motion.
    Step({MoveTo(20, 20)});
    EXPECT_EQ(TakeLog(), (Log{"Front: move", "Back: hover", "Back: move"}));
    EXPECT_EQ(g_mouse.GetCursorSequence(), &arrow);
}

// Windows that close themselves, or their dialog, from inside each kind of input; the walks must
// not touch them afterwards (AddressSanitizer checks).
TEST_F(WindowInput, WindowsMayCloseThemselvesOrTheirDialogInsideInput)
{
    const struct
    {
        const char* event;
        bool closesDialog;
    } cases[] = {{"down 0", false}, {"up 0", false}, {"double 0", false}, {"wheel 1", false}, {"key 13", false},
                 {"up 0", true},    {"key 13", true}, {"drag", false},    {"hover", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.event) + (c.closesDialog ? " closing its dialog" : ""));
        InputProbe* dialog = Probe("Dialog", {0, 0, 300, 300});
        Probe("Sibling", {0, 0, 300, 300}, "", dialog);
        InputProbe* closer = Probe("Closer", {0, 0, 300, 300}, "", dialog);
        closer->logMotion = true;
        closer->action = [&, dialog](InputProbe* self, const std::string& event) {
            if (event.rfind(c.event, 0) != 0)
                return false;
            delete (c.closesDialog ? static_cast<CJWindow*>(dialog) : self);
            return true;
        };
        closer->takes = "drag";
        Step({MoveTo(10, 10), kPress});
        Step({MoveTo(40, 40), kRelease});
        Step({kSecondPress, Event::Wheel(120)});
        Step({kRelease});
        Stroke(28, 13);
        EXPECT_TRUE(std::any_of(m_log.begin(), m_log.end(), [&](const std::string& entry) {
            return entry.rfind("Closer: " + std::string(c.event), 0) == 0;
        }));
        EXPECT_EQ(m_screen->FindChildByName("Dialog") != nullptr, !c.closesDialog);
        if (!c.closesDialog) {
            EXPECT_EQ(dialog->FindChildByName("Closer"), nullptr);
        }
        m_screen->CloseChildren();
        m_log.clear();
    }
}

} // namespace
