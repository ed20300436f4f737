#include "shell/CreatePlayerControls.h"

#include "app/PlayerControls.h"
#include "foundation/LocalizedString.h"
#include "foundation/TextUtilities.h"

#include <cstdint>

namespace {

// The control sets keep these names rather than copies, so they live as long as the program.
CLocalizedString s_shoot("Shoot");
CLocalizedString s_timeout("Timeout");
CLocalizedString s_general("General");

constexpr uint32_t kRepeatPeriod = 250;
constexpr uint32_t kMinimumGap = 0;

// Key numbers.
constexpr int kSpace = 57;
constexpr int kPause = 69;
constexpr int kKeypad5 = 76;
constexpr int kLeftCtrl = 29;

struct DefaultBinding
{
    int key;
    uint32_t joystickMask;
    uint32_t mouseMask;
};

// Shoot and Timeout of each player: only the first has the mouse and a pause binding.
constexpr DefaultBinding kDefaults[kGamePlayerCount][kGameActionCount] = {
    {{kSpace, 1, 1}, {kPause, 256, 2}},
    {{kKeypad5, 1, 0}, {0, 0, 0}},
    {{kLeftCtrl, 1, 0}, {0, 0, 0}},
};

// The joystick buttons of Shoot and Timeout on joysticks whose buttons lie elsewhere.
struct JoystickModel
{
    const char* name;
    bool keepsDefaults;
    uint32_t shootMask;
    uint32_t timeoutMask;
};

constexpr JoystickModel kModels[] = {
    {"Microsoft Sidewinder 3D Pro", false, 1, 64},
    {"Microsoft Sidewinder Game Pad", false, 128, 256},
    {"INTERACT PC ProgramPad", false, 16, 0},
    {"Logitech WingMan Warrior", false, 1, 4},
    {"Spacetec SpaceOrb 360", true, 0, 0},
};
constexpr JoystickModel kOtherJoystick = {nullptr, false, 1, 0};

const JoystickModel& FindModel(const char* name)
{
    for (const JoystickModel& model : kModels)
        if (CompareTextNoCase(model.name, name) == 0)
            return model;
    return kOtherJoystick;
}

} // namespace

CPlayerControls* CreatePlayerControls(int player)
{
    if (player < 0 || player >= kGamePlayerCount)
        return nullptr;
    auto* controls = new CPlayerControls(true, player, -1, kGameActionCount);
    controls->DefineAction(kActionShoot, s_general.CStr(), s_shoot.CStr(), CPlayerControls::kOncePerPress,
                           kRepeatPeriod, kMinimumGap, 0);
    controls->DefineAction(kActionTimeout, s_general.CStr(), s_timeout.CStr(), CPlayerControls::kOncePerPress,
                           kRepeatPeriod, kMinimumGap, 0);

    for (int action = 0; action < kGameActionCount; ++action) {
        const DefaultBinding& binding = kDefaults[player][action];
        controls->SetBinding(action, binding.key, 0, binding.joystickMask, binding.mouseMask);
    }
    // Without a joystick the defaults stand: the table speaks of joysticks only.
    if (controls->GetJoystick()) {
        const JoystickModel& model = FindModel(controls->GetDeviceName());
        if (!model.keepsDefaults) {
            controls->SetJoystickButtons(kActionShoot, model.shootMask);
            controls->SetJoystickButtons(kActionTimeout, model.timeoutMask);
        }
    }

    controls->SaveUndoCopy();
    controls->LoadBindings(nullptr);
    return controls;
}
