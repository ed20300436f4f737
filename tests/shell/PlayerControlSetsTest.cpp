// The game's control sets: each player's defaults, the known joysticks' buttons and the saved
// bindings over them. The settings files are written here as plain text.
#include "../foundation/FileTestHelpers.h"
#include "app/PlayerControls.h"
#include "foundation/ConfigFile.h"
#include "platform/headless/HeadlessBackend.h"
#include "shell/CreatePlayerControls.h"

#include <array>
#include <memory>

namespace {

// Key, modifier, joystick and mouse of the action.
std::array<uint32_t, 4> Inputs(const std::unique_ptr<CPlayerControls>& controls, int action)
{
    const CPlayerControls::Binding& b = controls->GetBinding(action);
    return {static_cast<uint32_t>(b.key), static_cast<uint32_t>(b.modifierKey), b.joystickMask, b.mouseMask};
}

class PlayerControlSets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_configFile.SetPath(".\\Settings.ini");
        platform::GetHeadlessBackend().GetHeadlessJoysticks().RemoveAll();
    }
    void TearDown() override
    {
        platform::GetHeadlessBackend().GetHeadlessJoysticks().RemoveAll();
        g_configFile.SetPath(m_oldSettings.c_str());
    }
    // Plugs in the joystick and selects it for the player, with further settings.
    void Select(int player, const char* joystick, const std::string& more = "")
    {
        platform::JoystickCaps caps;
        caps.name = joystick;
        platform::GetHeadlessBackend().GetHeadlessJoysticks().RemoveAll();
        platform::GetHeadlessBackend().GetHeadlessJoysticks().AddDevice(caps);
        const std::string prefix = player ? "Player " + std::to_string(player + 1) + " " : "";
        testsupport::WriteFileBytes(m_folder / "Settings.ini", "[Options]\r\n" + prefix + "Controler ID Number=1\r\n" + more);
    }
    filetest::WorkFolder m_folder;
    std::string m_oldSettings = g_configFile.GetPath();
};

TEST_F(PlayerControlSets, DefaultsWithoutSettings)
{
    // Space, Pause, keypad 5 and left Ctrl; only the first player has the mouse and a pause.
    const std::array<uint32_t, 4> expected[3][2] = {
        {{57, 0, 1, 1}, {69, 0, 256, 2}}, {{76, 0, 1, 0}, {0, 0, 0, 0}}, {{29, 0, 1, 0}, {0, 0, 0, 0}}};
    for (int player = 0; player < 3; ++player) {
        const std::unique_ptr<CPlayerControls> controls(CreatePlayerControls(player));
        for (int action : {kActionShoot, kActionTimeout}) {
            EXPECT_EQ(Inputs(controls, action), expected[player][action]) << player;
            const CPlayerControls::Binding& binding = controls->GetBinding(action);
            EXPECT_STREQ(binding.actionName, action == kActionShoot ? "Shoot" : "Timeout");
            EXPECT_STREQ(binding.groupName, "General");
            EXPECT_EQ(binding.repeatKind * 1000 + binding.repeatPeriod, 1250u);
        }
    }
    EXPECT_EQ(CreatePlayerControls(3), nullptr);
}

TEST_F(PlayerControlSets, KnownJoysticksMoveTheButtons)
{
    struct Case
    {
        const char* name;
        int player;
        uint32_t shoot, timeout;
    } cases[] = {
        {"Spacetec SpaceOrb 360", 0, 1, 256}, {"SPACETEC spaceorb 360", 1, 1, 0},
        {"Microsoft Sidewinder Game Pad", 0, 128, 256}, {"INTERACT PC ProgramPad", 0, 16, 0},
        {"Logitech WingMan Warrior", 2, 1, 4}, {"Some Other Pad", 0, 1, 0},
    };
    for (const Case& c : cases) {
        Select(c.player, c.name);
        const std::unique_ptr<CPlayerControls> controls(CreatePlayerControls(c.player));
        ASSERT_STREQ(controls->GetDeviceName(), c.name);
        EXPECT_EQ(Inputs(controls, kActionShoot)[2], c.shoot) << c.name;
        EXPECT_EQ(Inputs(controls, kActionTimeout)[2], c.timeout) << c.name;
        EXPECT_EQ(Inputs(controls, kActionTimeout)[0], c.player ? 0u : 69u) << c.name;
    }
}

TEST_F(PlayerControlSets, SavedBindingsWin)
{
    Select(2, "Logitech WingMan Warrior",
           "[NO JOYSTICK Control Configuration]\r\nGeneral Shoot=30,29,2,4\r\n"
           "[Player 2 NO JOYSTICK Control Configuration]\r\nGeneral Timeout=80,0,8,0\r\nGeneral Shoot=bad\r\n"
           "[Player 3 Logitech WingMan Warrior Control Configuration]\r\nGeneral Timeout=0,0,32,0\r\n");
    const std::unique_ptr<CPlayerControls> first(CreatePlayerControls(0)), second(CreatePlayerControls(1)),
        third(CreatePlayerControls(2));
    EXPECT_EQ(Inputs(first, kActionShoot), (std::array<uint32_t, 4>{30, 29, 2, 4}));
    EXPECT_EQ(Inputs(first, kActionTimeout), (std::array<uint32_t, 4>{69, 0, 256, 2}));
    EXPECT_EQ(Inputs(second, kActionShoot), (std::array<uint32_t, 4>{76, 0, 1, 0}));
    EXPECT_EQ(Inputs(second, kActionTimeout), (std::array<uint32_t, 4>{80, 0, 8, 0}));
    // Over the joystick's own defaults (1 and 4) too.
    EXPECT_EQ(Inputs(third, kActionTimeout), (std::array<uint32_t, 4>{0, 0, 32, 0}));
}

} // namespace
