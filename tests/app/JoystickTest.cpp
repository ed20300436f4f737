// The joystick over plug-in devices of the headless backend: axes and dead zones, the hat, the
// record of released inputs, the rest rule, names.
#include "AppTestSupport.h"
#include "app/Joystick.h"

#include <cmath>
#include <string>

namespace {

using platform::JoystickCaps;
using platform::JoystickState;

class Joystick : public AppFixture
{
protected:
    platform::HeadlessJoysticks& Devices() { return platform::GetHeadlessBackend().GetHeadlessJoysticks(); }

    // A pad with X and Y on 0..65535 and buttons, and optionally Z and R.
    int Plug(const char* name = "  Test Pad  ", bool withZR = false)
    {
        JoystickCaps caps;
        caps.name = name;
        for (int axis = 0; axis < (withZR ? 4 : 2); ++axis)
            caps.axisMax[axis] = 65535;
        caps.buttonCount = 12;
        caps.hasPov = true;
        return Devices().AddDevice(caps);
    }

    // The raw axis value that reads as v (-1 to 1) on a 0..65535 axis.
    static uint32_t Axis(double v) { return static_cast<uint32_t>(std::lround((v + 1.0) * 65535.0 / 2.0)); }

    void Set(int id, double x, double y, uint32_t buttons = 0, uint32_t pov = platform::kPovCentered)
    {
        JoystickState state;
        state.axes[0] = Axis(x);
        state.axes[1] = Axis(y);
        state.buttons = buttons;
        state.pov = pov;
        Devices().SetState(id, state);
    }
};

TEST_F(Joystick, WithoutADeviceNothingIsRead)
{
    CJoystick joystick(0);
    EXPECT_FALSE(joystick.IsPresent());
    EXPECT_EQ(joystick.Poll(), 0u);
    EXPECT_STREQ(joystick.GetName().CStr(), "No Joystick");
    EXPECT_EQ(GetJoystickCount(), 0);
    EXPECT_FALSE(IsJoystickPresent(0));
    CSharedString name("old");
    EXPECT_FALSE(TryGetJoystickName(0, name));
    EXPECT_EQ(QueryJoystickOemName(0, name), 166);
}

TEST_F(Joystick, NameIsTrimmedAndAnEmptyOneIsUnknown)
{
    Plug();
    Plug("   ");
    CJoystick first(0);
    EXPECT_TRUE(first.IsPresent());
    EXPECT_STREQ(first.GetName().CStr(), "Test Pad");
    CJoystick second(1);
    EXPECT_STREQ(second.GetName().CStr(), "Unknown Joystick");
    EXPECT_EQ(GetJoystickCount(), 2);
    EXPECT_TRUE(IsJoystickPresent(1));
    CSharedString name;
    EXPECT_TRUE(TryGetJoystickName(0, name));
    EXPECT_STREQ(name.CStr(), "  Test Pad  ");
    CJoystick third(2);
    EXPECT_FALSE(third.IsPresent());
}

TEST_F(Joystick, DeadZoneScalesWhatLiesBeyondIt)
{
    const int id = Plug();
    CJoystick joystick(static_cast<unsigned>(id));
    Set(id, 0.6, 0.1);
    uint32_t bits = joystick.Poll();
    EXPECT_NEAR(joystick.GetX(), 0.5f, 1e-4f);
    EXPECT_EQ(joystick.GetY(), 0.0f);
    EXPECT_EQ(bits, 0u);   // the stick's first reading only sets its rest position
    Set(id, -1.0, 0.3);
    bits = joystick.Poll();
    EXPECT_NEAR(joystick.GetX(), -1.0f, 1e-4f);
    EXPECT_NEAR(joystick.GetY(), 0.125f, 1e-3f);
    EXPECT_EQ(bits, CJoystick::kStickLeft | CJoystick::kStickDown);
    joystick.SetDeadZones(0.5f, 0.0f);
    Set(id, 0.75, -0.25);
    joystick.Poll();
    EXPECT_NEAR(joystick.GetX(), 0.5f, 1e-3f);
    EXPECT_NEAR(joystick.GetY(), -0.25f, 1e-3f);
}

TEST_F(Joystick, AbsentThirdAxisAndRudderReadZero)
{
    const int id = Plug();
    CJoystick joystick(static_cast<unsigned>(id));
    Set(id, 0.0, 0.0);
    joystick.Poll();
    EXPECT_EQ(joystick.GetZ(), 0.0f);
    EXPECT_EQ(joystick.GetR(), 0.0f);
    EXPECT_FALSE(std::isnan(joystick.GetZ()));

    const int full = Plug("Full", true);
    CJoystick four(static_cast<unsigned>(full));
    JoystickState state;
    state.axes[2] = 65535;
    state.axes[3] = 0;
    Devices().SetState(full, state);
    four.Poll();
    EXPECT_FLOAT_EQ(four.GetZ(), 1.0f);
    EXPECT_FLOAT_EQ(four.GetR(), 0.0f);
}

TEST_F(Joystick, HatDirections)
{
    const int id = Plug();
    CJoystick joystick(static_cast<unsigned>(id));
    joystick.Poll();   // everything seen released once
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0, CJoystick::kHatUp},
        {4500, CJoystick::kHatUp | CJoystick::kHatRight},
        {9000, CJoystick::kHatRight},
        {13500, CJoystick::kHatRight | CJoystick::kHatDown},
        {18000, CJoystick::kHatDown},
        {22500, CJoystick::kHatDown | CJoystick::kHatLeft},
        {27000, CJoystick::kHatLeft},
        {31500, CJoystick::kHatLeft | CJoystick::kHatUp},
        {35999, CJoystick::kHatUp},
        {platform::kPovCentered, 0},
    };
    for (auto [pov, expected] : cases) {
        Set(id, 0.0, 0.0, 0, pov);
        EXPECT_EQ(joystick.Poll(), expected) << "pov " << pov;
    }
}

TEST_F(Joystick, ButtonHeldAtOpenCountsOnlyAfterItsRelease)
{
    const int id = Plug();
    Set(id, 0.0, 0.0, 0x1 | (1u << 30));
    CJoystick joystick(static_cast<unsigned>(id));
    EXPECT_EQ(joystick.Poll(), 0u);
    EXPECT_EQ(joystick.Poll(), 0u);
    // Button 2 was seen released at the first reading: it counts at once.
    Set(id, 0.0, 0.0, 0x3);
    EXPECT_EQ(joystick.Poll(), 0x2u);
    Set(id, 0.0, 0.0, 0);
    EXPECT_EQ(joystick.Poll(), 0u);
    Set(id, 0.0, 0.0, 0x3);
    EXPECT_EQ(joystick.Poll(), 0x3u);   // only the low 24 bits are buttons
}

TEST_F(Joystick, ReopeningTheSameDeviceKeepsAHeldButton)
{
    const int id = Plug();
    CJoystick joystick(static_cast<unsigned>(id));
    Set(id, 0.0, 0.0, 0);
    joystick.Poll();
    Set(id, 0.0, 0.0, 0x1);
    EXPECT_EQ(joystick.Poll(), 0x1u);
    // The two-second controller check reopens the device while the button is held.
    ASSERT_TRUE(joystick.Open(static_cast<unsigned>(id)));
    EXPECT_EQ(joystick.Poll(), 0x1u);

    // Another device at the same index starts afresh.
    Devices().RemoveDevice(id);
    const int other = Plug("Other Pad");
    ASSERT_EQ(other, id);
    Set(other, 0.0, 0.0, 0x1);
    ASSERT_TRUE(joystick.Open(static_cast<unsigned>(other)));
    EXPECT_STREQ(joystick.GetName().CStr(), "Other Pad");
    EXPECT_EQ(joystick.Poll(), 0u);

    // Unplugged: not present, nothing read.
    Devices().RemoveAll();
    EXPECT_FALSE(joystick.Open(static_cast<unsigned>(other)));
    EXPECT_STREQ(joystick.GetName().CStr(), "No Joystick");
    EXPECT_EQ(joystick.Poll(), 0u);
}

TEST_F(Joystick, StickLeftAloneForThirtySecondsReadsCentred)
{
    const int id = Plug();
    CJoystick joystick(static_cast<unsigned>(id));
    Set(id, 0.8, 0.0);
    joystick.Poll();
    platform::AdvanceVirtualClock(1000000);   // 1 ms
    // Right after opening the stick reads centred until it moves a long way.
    joystick.Poll();
    EXPECT_EQ(joystick.GetX(), 0.0f);
    Set(id, -0.8, 0.0);
    EXPECT_EQ(joystick.Poll(), CJoystick::kStickLeft);
    EXPECT_NEAR(joystick.GetX(), -0.75f, 1e-3f);
    // Small moves do not count as use.
    platform::AdvanceVirtualClock(29000ull * 1000000);
    Set(id, -0.6, 0.0);
    joystick.Poll();
    EXPECT_NEAR(joystick.GetX(), -0.5f, 1e-3f);
    platform::AdvanceVirtualClock(1001ull * 1000000);
    EXPECT_EQ(joystick.Poll(), 0u);
    EXPECT_EQ(joystick.GetX(), 0.0f);
    // A large move wakes it again.
    Set(id, 0.0, 0.9);
    EXPECT_EQ(joystick.Poll(), CJoystick::kStickDown);
}

TEST_F(Joystick, BitNamesAndTexts)
{
    Plug();
    CJoystick joystick(0);
    CSharedString text;
    joystick.GetBitsText((1u << 0) | (1u << 28), text);
    EXPECT_STREQ(text.CStr(), "Joy Button 1+Left");
    joystick.GetBitsText(0, text);
    EXPECT_STREQ(text.CStr(), "");
    joystick.GetBitsText((1u << 23) | CJoystick::kHatLeft | CJoystick::kHatRight | CJoystick::kHatUp |
                             CJoystick::kHatDown | CJoystick::kStickRight | CJoystick::kStickUp |
                             CJoystick::kStickDown,
                         text);
    EXPECT_STREQ(text.CStr(), "Joy Button 24+Hat Left+Hat Right+Hat Up+Hat Down+Right+Up+Down");
    joystick.GetButtonName(8, text);
    EXPECT_STREQ(text.CStr(), "Button 9");
}

} // namespace
