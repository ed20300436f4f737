// Player control sets: combinations and their vetoes, repeat kinds and gaps on the virtual clock,
// capture, conflicting bindings, the settings file, a change of joystick and the analog direction.
#include "AppTestSupport.h"
#include "app/Joystick.h"
#include "app/PlayerControls.h"
#include "foundation/ConfigFile.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundList.h"
#include "sound/SoundSystem.h"

#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr uint64_t kMillisecond = 1000000;
constexpr int kCtrl = 29;
constexpr int kX = 45;
constexpr int kSpace = 57;

class PlayerControls : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        g_configFile.SetPath(".\\Controls.INI");
        // The error sound is a real one of the sound list, so a test hears whether it played.
        std::filesystem::create_directories(m_dir.Path() / "Sounds");
        ASSERT_EQ(Python("import wave\nw = wave.open('Sounds/Player Error.wav', 'wb')\nw.setnchannels(1)\n"
                         "w.setsampwidth(2)\nw.setframerate(22050)\nw.writeframes(b'\\x10\\x27' * 2205)\n"),
                  0);
        ASSERT_TRUE(CSoundSystem::GetInstance()->Init());
        CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
    }
    void TearDown() override
    {
        CSoundList::GetInstance().FreeEntries();
        CSoundSystem::GetInstance()->Shutdown();
        AppFixture::TearDown();
    }

    // The voices that sound: 1 when the error sound was played once.
    static uint32_t ErrorSoundVoices()
    {
        CSoundBuffer* sound = CSoundList::GetInstance().GetSound(0);
        return sound && sound->IsStillPlaying() ? CSoundSystem::GetInstance()->CountVoices() : 0;
    }

    static void Define(CPlayerControls& controls, int kind = CPlayerControls::kOncePerPress, uint32_t period = 250,
                       uint32_t gap = 0)
    {
        controls.DefineAction(0, "General", "Shoot", kind, period, gap, 0);
        controls.DefineAction(1, "General", "Timeout", kind, period, gap, 0);
    }

    // The actions firing after one poll, as a string of their numbers.
    static std::string Fire(CPlayerControls& controls, bool ignoreMouse = false)
    {
        controls.Poll(false, ignoreMouse);
        std::string fired;
        for (int i = 0; i < controls.GetActionCount(); ++i)
            if (controls.IsFiring(i))
                fired += static_cast<char>('0' + i);
        return fired;
    }

    static void Advance(uint64_t milliseconds) { platform::AdvanceVirtualClock(milliseconds * kMillisecond); }

    platform::HeadlessJoysticks& Devices() { return platform::GetHeadlessBackend().GetHeadlessJoysticks(); }

    int Plug(const char* name)
    {
        platform::JoystickCaps caps;
        caps.name = name;
        caps.axisMax[0] = caps.axisMax[1] = 65535;
        caps.buttonCount = 8;
        return Devices().AddDevice(caps);
    }

    void Buttons(int id, uint32_t buttons)
    {
        platform::JoystickState state;
        state.buttons = buttons;
        Devices().SetState(id, state);
    }

    std::string ConfigText() const { return testsupport::ReadFileBytes(m_dir.Path() / "Controls.INI"); }

    // Runs a python3 script in the test's folder; its exit status.
    int Python(const std::string& script) const
    {
        testsupport::WriteFileBytes(m_dir.Path() / "script.py", script);
        return testsupport::RunCommand("cd '" + m_dir.Path().string() + "' && python3 script.py");
    }
};

void CountChange(CPlayerControls&, void* context)
{
    ++*static_cast<int*>(context);
}

TEST_F(PlayerControls, ModifierWithTheKeyFiresOnlyTheCombination)
{
    CPlayerControls controls(false, 0, -1, 2);
    Define(controls);
    controls.SetBinding(0, kX, 0, 0, 0);
    controls.SetBinding(1, kX, kCtrl, 0, 0);
    EXPECT_EQ(controls.GetBinding(0).vetoKey, kCtrl);
    EXPECT_EQ(controls.GetBinding(1).vetoKey, 0);

    g_keyboard.OnKeyDown(kCtrl);
    g_keyboard.OnKeyDown(kX);
    EXPECT_EQ(Fire(controls), "1");
    g_keyboard.OnKeyUp(kX);
    g_keyboard.OnKeyUp(kCtrl);
    EXPECT_EQ(Fire(controls), "");
    g_keyboard.OnKeyDown(kX);
    EXPECT_EQ(Fire(controls), "0");
}

TEST_F(PlayerControls, ButtonCombinationWinsOverPartOfIt)
{
    const int id = Plug("Pad");
    CPlayerControls controls(false, 0, id, 2);
    EXPECT_TRUE(controls.IsJoystickEnabled());
    Define(controls);
    controls.SetBinding(0, 0, 0, 0x1, 0);
    controls.SetBinding(1, 0, 0, 0x3, 0);
    EXPECT_EQ(controls.GetBinding(0).joystickVeto, 0x2u);
    EXPECT_EQ(controls.GetBinding(1).joystickVeto, 0u);
    EXPECT_EQ(Fire(controls), "");   // the joystick's first reading
    Buttons(id, 0x3);
    EXPECT_EQ(Fire(controls), "1");
    Buttons(id, 0);
    Fire(controls);
    Buttons(id, 0x1);
    EXPECT_EQ(Fire(controls), "0");
}

TEST_F(PlayerControls, MouseButtonsAndWheel)
{
    CPlayerControls controls(true, 0, -1, 2);
    ASSERT_TRUE(controls.IsMouseEnabled());
    Define(controls);
    controls.SetBinding(0, 0, 0, 0, 1);
    controls.SetBinding(1, 0, 0, 0, CPlayerControls::kWheelUp);
    g_mouse.PressButtons(1);
    EXPECT_EQ(Fire(controls), "0");
    EXPECT_EQ(Fire(controls, true), "");   // mouse ignored
    g_mouse.ReleaseButtons(1);
    g_mouse.AddWheelDelta(60);
    EXPECT_EQ(Fire(controls), "");
    g_mouse.AddWheelDelta(60);
    EXPECT_EQ(Fire(controls), "1");
    EXPECT_EQ(Fire(controls), "");
    // A press and release between two polls still fires, once; one while the mouse was ignored (a
    // dialog had it) never fires later.
    Advance(20);
    g_mouse.PressButtons(1);
    g_mouse.ReleaseButtons(1);
    EXPECT_EQ(Fire(controls), "0");
    EXPECT_EQ(Fire(controls), "");
    g_mouse.PressButtons(1);
    g_mouse.ReleaseButtons(1);
    EXPECT_EQ(Fire(controls, true), "");
    EXPECT_EQ(Fire(controls), "");
    // Another player's set never reads the mouse.
    CPlayerControls second(true, 1, -1, 2);
    EXPECT_FALSE(second.IsMouseEnabled());
}

TEST_F(PlayerControls, RepeatKinds)
{
    CPlayerControls controls(false, 0, -1, 3);
    controls.DefineAction(0, "G", "Repeat", CPlayerControls::kRepeatWhileHeld, 100, 0, 0);
    controls.DefineAction(1, "G", "Once", CPlayerControls::kOncePerPress, 100, 0, 0);
    controls.DefineAction(2, "G", "Always", CPlayerControls::kContinuous, 100, 0, 0);
    controls.SetBinding(0, 30, 0, 0, 0);
    controls.SetBinding(1, 31, 0, 0, 0);
    controls.SetBinding(2, 32, 0, 0, 0);
    g_keyboard.OnKeyDown(30);
    g_keyboard.OnKeyDown(31);
    g_keyboard.OnKeyDown(32);
    std::vector<std::string> frames;
    for (int t = 0; t <= 260; t += 20) {
        frames.push_back(Fire(controls));
        Advance(20);
    }
    // Frames at 0, 20, ... 260 ms: a repeat once the period has passed (not at exactly 100 ms).
    const std::vector<std::string> expected = {"012", "2", "2", "2", "2", "2", "02",
                                               "2",   "2", "2", "2", "2", "02", "2"};
    EXPECT_EQ(frames, expected);
    // Released: the repeat starts over with the next press.
    g_keyboard.OnKeyUp(30);
    g_keyboard.OnKeyUp(31);
    g_keyboard.OnKeyUp(32);
    EXPECT_EQ(Fire(controls), "");
    g_keyboard.OnKeyDown(30);
    EXPECT_EQ(Fire(controls), "0");
    Advance(50);
    EXPECT_EQ(Fire(controls), "");
}

TEST_F(PlayerControls, RepeatsAndPressesGoOnWhenTheTickCountWraps)
{
    // 110 ms before the millisecond count passes 2^32 (after 49.7 days of uptime).
    platform::EnableVirtualClock(((1ull << 32) - 110) * kMillisecond);
    CPlayerControls controls(false, 0, -1, 2);
    controls.DefineAction(0, "G", "Repeat", CPlayerControls::kRepeatWhileHeld, 100, 0, 0);
    controls.DefineAction(1, "G", "Once", CPlayerControls::kOncePerPress, 0, 0, 0);
    controls.SetBinding(0, 30, 0, 0, 0);
    controls.SetBinding(1, 31, 0, 0, 0);
    g_keyboard.OnKeyDown(30);
    g_keyboard.OnKeyDown(31);
    std::vector<std::string> frames;
    for (int i = 0; i < 7; ++i) {
        frames.push_back(Fire(controls));
        Advance(20);
    }
    // The repeat due 10 ms before the wrap comes at the first frame past it, 10 ms after.
    EXPECT_EQ(frames, (std::vector<std::string>{"01", "", "", "", "", "", "0"}));
    g_keyboard.OnKeyUp(31);
    EXPECT_EQ(Fire(controls), "");
    g_keyboard.OnKeyDown(31);
    EXPECT_EQ(Fire(controls), "1");
}

TEST_F(PlayerControls, PressesCloserThanTheMinimumGapDoNotFire)
{
    CPlayerControls controls(false, 0, -1, 2);
    Define(controls, CPlayerControls::kOncePerPress, 250, 200);
    controls.SetBinding(0, kSpace, 0, 0, 0);
    // A press and release between two polls still counts, once.
    g_keyboard.OnKeyDown(kSpace);
    g_keyboard.OnKeyUp(kSpace);
    EXPECT_EQ(Fire(controls), "0");
    Advance(20);
    EXPECT_EQ(Fire(controls), "");
    Advance(20);
    g_keyboard.OnKeyDown(kSpace);
    EXPECT_EQ(Fire(controls), "");   // 40 ms after the first press
    g_keyboard.OnKeyUp(kSpace);
    Advance(20);
    Fire(controls);
    Advance(180);
    g_keyboard.OnKeyDown(kSpace);
    EXPECT_EQ(Fire(controls), "0");   // 240 ms after the first press
}

TEST_F(PlayerControls, CaptureCtrlThenX)
{
    CPlayerControls controls(false, 0, -1, 2);
    Define(controls);
    controls.SetBinding(0, kSpace, 0, 0, 0);
    bool cancelled = true;
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_TRUE(controls.IsCapturing());
    EXPECT_EQ(controls.GetBinding(0).key, 0);
    g_keyboard.OnKeyDown(kCtrl);
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    g_keyboard.OnKeyDown(kX);
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    g_keyboard.OnKeyDown(kSpace);   // a third key while two are held is ignored
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    g_keyboard.OnKeyUp(kCtrl);
    g_keyboard.OnKeyUp(kX);
    g_keyboard.OnKeyUp(kSpace);
    EXPECT_TRUE(controls.CaptureBinding(0, cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_FALSE(controls.IsCapturing());
    EXPECT_EQ(controls.GetBinding(0).key, kX);
    EXPECT_EQ(controls.GetBinding(0).modifierKey, kCtrl);
    CSharedString text;
    controls.GetBindingText(0, text);
    EXPECT_STREQ(text.CStr(), "Left Ctrl+X");
}

TEST_F(PlayerControls, CaptureEscapeRestoresAndDeleteClears)
{
    CPlayerControls controls(false, 0, -1, 2);
    Define(controls);
    int changes = 0;
    controls.SetChangedCallback(CountChange, &changes);
    controls.SetBinding(0, kSpace, 0, 0x4, 0);
    bool cancelled = false;
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    g_keyboard.OnKeyDown(1);
    EXPECT_TRUE(controls.CaptureBinding(0, cancelled));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(controls.GetBinding(0).key, kSpace);
    EXPECT_EQ(controls.GetBinding(0).joystickMask, 0x4u);
    EXPECT_EQ(changes, 0);
    g_keyboard.OnKeyUp(1);

    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    g_keyboard.OnKeyDown(339);
    EXPECT_TRUE(controls.CaptureBinding(0, cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_FALSE(controls.GetBinding(0).HasInput());
    EXPECT_EQ(changes, 1);
}

TEST_F(PlayerControls, CaptureRefusesReservedKeys)
{
    CPlayerControls controls(false, 0, -1, 2);
    Define(controls);
    bool cancelled = false;
    controls.CaptureBinding(0, cancelled);
    g_keyboard.OnKeyDown(59);   // F1
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    EXPECT_EQ(ErrorSoundVoices(), 1u);
    EXPECT_EQ(controls.GetBinding(0).key, 0);
    g_keyboard.OnKeyUp(59);
    g_keyboard.OnKeyDown(30);
    g_keyboard.OnKeyUp(30);
    EXPECT_TRUE(controls.CaptureBinding(0, cancelled));
    EXPECT_EQ(controls.GetBinding(0).key, 30);
}

TEST_F(PlayerControls, CaptureJoystickButtonsAndTheWheel)
{
    const int id = Plug("Pad");
    CPlayerControls controls(true, 0, id, 2);
    Define(controls);
    controls.DefineAction(1, "General", "Timeout", CPlayerControls::kRepeatWhileHeld, 100, 0, 0);
    bool cancelled = false;
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    Buttons(id, 0x1);
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    Buttons(id, 0x5);
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    Buttons(id, 0);
    EXPECT_TRUE(controls.CaptureBinding(0, cancelled));
    EXPECT_EQ(controls.GetBinding(0).joystickMask, 0x5u);

    // A once-per-press action takes a wheel direction.
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    g_mouse.AddWheelDelta(-120);
    EXPECT_FALSE(controls.CaptureBinding(0, cancelled));
    EXPECT_TRUE(controls.CaptureBinding(0, cancelled));
    EXPECT_EQ(controls.GetBinding(0).mouseMask, CPlayerControls::kWheelDown);
    EXPECT_EQ(controls.GetBinding(0).joystickMask, 0x5u);
    // A repeating action refuses it with the error sound.
    EXPECT_FALSE(controls.CaptureBinding(1, cancelled));
    g_mouse.AddWheelDelta(120);
    EXPECT_FALSE(controls.CaptureBinding(1, cancelled));
    EXPECT_EQ(controls.GetBinding(1).mouseMask, 0u);
    EXPECT_EQ(ErrorSoundVoices(), 1u);
}

TEST_F(PlayerControls, BindingTheSameInputsElsewhereClearsThemThere)
{
    const int id = Plug("Pad");
    CPlayerControls controls(true, 0, id, 2);
    Define(controls);
    int changes = 0;
    controls.SetChangedCallback(CountChange, &changes);
    controls.SetBinding(0, kSpace, 0, 0x1, 0x1);
    EXPECT_EQ(changes, 0);
    controls.SetBinding(1, kSpace, 0, 0x2, 0x1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(controls.GetBinding(0).key, 0);
    EXPECT_EQ(controls.GetBinding(0).joystickMask, 0x1u);
    EXPECT_EQ(controls.GetBinding(0).mouseMask, 0u);
    // The same key with another modifier is a different input.
    controls.SetBinding(0, kSpace, kCtrl, 0x1, 0);
    EXPECT_EQ(controls.GetBinding(1).key, kSpace);
    EXPECT_EQ(changes, 1);
    // Clearing a binding that had inputs says so too.
    controls.ClearBinding(1);
    EXPECT_EQ(changes, 2);
    controls.ClearBinding(1);
    EXPECT_EQ(changes, 2);

    CSharedString text;
    controls.SetBinding(1, kX, 0, 0x1 | (1u << 28), 0x1 | CPlayerControls::kWheelUp);
    controls.GetBindingText(1, text);
    EXPECT_STREQ(text.CStr(), "X, Joy Button 1+Left, Mouse Button 1+Wheel Up");
    controls.GetBindingText(0, text);
    EXPECT_STREQ(text.CStr(), "Left Ctrl+Space, Joy Button 1");
}

TEST_F(PlayerControls, BindingsRoundTripThroughTheSettingsFile)
{
    {
        CPlayerControls controls(true, 1, -1, 2);
        EXPECT_STREQ(controls.GetDeviceName(), "NO JOYSTICK");
        EXPECT_STREQ(controls.GetSectionName().CStr(), "Player 2 NO JOYSTICK Control Configuration");
        Define(controls);
        controls.SetBinding(0, 76, 0, 0x80000001u, 0);
        controls.SetBinding(1, 45, 285, 0, 2);
        controls.SaveBindings(nullptr);
    }
    // Another program reads the file, checks it and changes one binding.
    ASSERT_EQ(Python("import configparser, sys\n"
                     "c = configparser.ConfigParser()\n"
                     "c.optionxform = str\n"
                     "c.read('Controls.INI')\n"
                     "s = c['Player 2 NO JOYSTICK Control Configuration']\n"
                     "ok = s['General Shoot'] == '76,0,-2147483647,0' and s['General Timeout'] == '45,285,0,2'\n"
                     "ok = ok and c['Options']['Player 2 Controler ID Number'] == '0'\n"
                     "s['General Timeout'] = '30,29,8,1'\n"
                     "c.write(open('Controls.INI', 'w'))\n"
                     "sys.exit(0 if ok else 1)\n"),
              0);
    CPlayerControls controls(true, 1, -1, 2);
    Define(controls);
    controls.SetBinding(0, 1, 2, 3, 4);
    controls.LoadBindings(nullptr);
    EXPECT_EQ(controls.GetBinding(0).key, 76);
    EXPECT_EQ(controls.GetBinding(0).joystickMask, 0x80000001u);
    EXPECT_EQ(controls.GetBinding(1).key, 30);
    EXPECT_EQ(controls.GetBinding(1).modifierKey, 29);
    EXPECT_EQ(controls.GetBinding(1).joystickMask, 8u);
    EXPECT_EQ(controls.GetBinding(1).mouseMask, 1u);
    // Loading refreshed the undo copy.
    controls.SetBinding(0, 0, 0, 0, 0);
    controls.RestoreUndoCopy();
    EXPECT_EQ(controls.GetBinding(0).key, 76);
}

TEST_F(PlayerControls, MissingOrBrokenEntriesKeepTheBinding)
{
    testsupport::WriteFileBytes(m_dir.Path() / "Controls.INI",
                                "[NO JOYSTICK Control Configuration]\r\nGeneral Shoot=12,oops\r\n");
    CPlayerControls controls(true, 0, -1, 2);
    Define(controls);
    controls.SetBinding(0, kSpace, 0, 1, 1);
    controls.SetBinding(1, kX, 0, 0, 2);
    controls.LoadBindings(nullptr);
    EXPECT_EQ(controls.GetBinding(0).key, kSpace);
    EXPECT_EQ(controls.GetBinding(1).key, kX);
    // The first player's keys carry no prefix.
    EXPECT_EQ(ReadConfigInt(g_configFile.GetPath(), "Options", "Controler ID Number", 7), 0);
}

TEST_F(PlayerControls, AControllerNotPluggedInIsNeverReplacedByAnotherPad)
{
    const int pad = Plug("Pad A");
    // The third player's pad (id 2) is missing; only the first player's is plugged in.
    CPlayerControls controls(true, 2, 2, 1);
    controls.DefineAction(0, "General", "Shoot", CPlayerControls::kOncePerPress, 0, 0, 0);
    controls.SetBinding(0, 0, 0, 0x1, 0);
    EXPECT_EQ(controls.GetControllerId(), 2);
    Fire(controls);
    Advance(2000);
    Buttons(pad, 0x1);
    EXPECT_EQ(Fire(controls), "");
    EXPECT_EQ(controls.GetControllerId(), 2);
    EXPECT_STREQ(controls.GetDeviceName(), "No Joystick");
}

TEST_F(PlayerControls, ChangedJoystickIsNoticedWithinTwoSeconds)
{
    Plug("Pad A");
    testsupport::WriteFileBytes(m_dir.Path() / "Controls.INI",
                                "[Options]\r\nControler ID Number=1\r\n"
                                "[Pad B Control Configuration]\r\nGeneral Timeout=30,0,64,0\r\n");
    CPlayerControls controls(true, 0, -1, 2);
    EXPECT_EQ(controls.GetControllerId(), 0);
    EXPECT_STREQ(controls.GetDeviceName(), "Pad A");
    Define(controls);
    controls.SetBinding(0, kSpace, 0, 0x1, 0);
    EXPECT_FALSE(controls.CheckControllerChange());   // the same device

    Devices().RemoveAll();
    Plug("Pad B");
    Advance(1000);
    Fire(controls);
    EXPECT_STREQ(controls.GetDeviceName(), "Pad A");
    Advance(1000);
    Fire(controls);
    EXPECT_STREQ(controls.GetDeviceName(), "Pad B");
    EXPECT_EQ(controls.GetBinding(1).key, 30);
    EXPECT_EQ(controls.GetBinding(1).joystickMask, 64u);
    // Absent from the new device's section: kept.
    EXPECT_EQ(controls.GetBinding(0).key, kSpace);
    EXPECT_EQ(controls.GetBinding(0).joystickMask, 1u);
    const std::string text = ConfigText();
    EXPECT_NE(text.find("[Pad A Control Configuration]\r\nGeneral Shoot=57,0,1,0\r\n"), std::string::npos) << text;

    // Unplugged altogether.
    Devices().RemoveAll();
    EXPECT_TRUE(controls.CheckControllerChange());
    EXPECT_STREQ(controls.GetDeviceName(), "No Joystick");
    controls.SelectController(-1);
    EXPECT_EQ(controls.GetControllerId(), -1);
    EXPECT_STREQ(controls.GetDeviceName(), "NO JOYSTICK");
    EXPECT_EQ(ReadConfigInt(g_configFile.GetPath(), "Options", "Controler ID Number", 7), 0);
}

TEST_F(PlayerControls, MouseAnalogIsLimitedToTheCircle)
{
    CPlayerControls controls(true, 0, -1, 1);
    float x = 0, y = 0;
    g_mouse.SetPositionFromInput(520, 240);
    controls.UpdateMouseAnalog(x, y);
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(y, 0.0f);
    EXPECT_EQ(platform::GetHeadlessBackend().GetWarpPosition(), std::make_pair(0, 0));

    // Farther away the pointer is pulled back to 200 pixels from the centre.
    g_mouse.SetPositionFromInput(620, 540);
    controls.Poll(true, false);
    EXPECT_NEAR(controls.GetAnalogX(), 0.70710678f, 1e-6f);
    EXPECT_NEAR(controls.GetAnalogY(), 0.70710678f, 1e-6f);
    EXPECT_EQ(g_mouse.GetX(), 461);
    EXPECT_EQ(g_mouse.GetY(), 381);
    EXPECT_EQ(platform::GetHeadlessBackend().GetWarpPosition(), std::make_pair(461, 381));

    g_mouse.SetPositionFromInput(300, 250);
    controls.Poll(true, false);
    EXPECT_NEAR(controls.GetAnalogX(), -0.1f, 1e-6f);
    EXPECT_NEAR(controls.GetAnalogY(), 0.05f, 1e-6f);
    controls.Poll(false, false);
    EXPECT_EQ(controls.GetAnalogX(), 0.0f);
}

TEST_F(PlayerControls, StickOutOfItsCentreSteersInsteadOfTheMouse)
{
    const int id = Plug("Pad");
    CPlayerControls controls(false, 1, id, 1);
    platform::JoystickState state;
    state.axes[0] = 52428;   // 0.6 raw: 0.5 after the dead zone
    Devices().SetState(id, state);
    controls.Poll(true, false);
    EXPECT_NEAR(controls.GetAnalogX(), 0.5f, 1e-3f);
    EXPECT_EQ(controls.GetAnalogY(), 0.0f);
    state.axes[0] = 32768;
    Devices().SetState(id, state);
    controls.Poll(true, false);
    EXPECT_EQ(controls.GetAnalogX(), 0.0f);
}

TEST_F(PlayerControls, DialogAndUndoCopies)
{
    CPlayerControls controls(false, 0, -1, 2);
    Define(controls);
    controls.SetBinding(0, kSpace, 0, 0, 1);
    controls.SaveDialogCopy();
    EXPECT_FALSE(controls.HasUnsavedChanges());
    controls.SetJoystickButtons(0, 0x10);
    EXPECT_EQ(controls.GetBinding(0).key, kSpace);
    EXPECT_TRUE(controls.HasUnsavedChanges());
    controls.RestoreDialogCopy();
    EXPECT_FALSE(controls.HasUnsavedChanges());
    EXPECT_EQ(controls.GetBinding(0).joystickMask, 0u);
    EXPECT_STREQ(controls.GetActionName(1), "Timeout");
    EXPECT_STREQ(controls.GetGroupName(1), "General");
    EXPECT_EQ(controls.GetActionName(2), nullptr);
}

} // namespace
