// Force feedback over the headless devices: nothing without a device or project, the project's
// effects by name with the device suffixes, start and stop rules, the player's device, enabling,
// and effect handles.
#include "AppTestSupport.h"
#include "app/ForceFeedback.h"
#include "app/ForceFeedbackEffect.h"
#include "app/PlayerControls.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using platform::HapticDevice;
using platform::HapticKind;

// Each effect has a duration of its own, by which the tests tell the device's effects apart.
const char* const kProject = "CForceFeedbackProject\r\n{\r\n"
                             "\tEffects=Array\r\n\t{\r\n"
                             "\t\tArray Item=CForceFeedbackEffectInfo\r\n\t\t{\r\n"
                             "\t\t\tName=No Effect\r\n\t\t\tStrength=0\r\n\t\t\tDuration=1\r\n\t\t}\r\n"
                             "\t\tArray Item=CForceFeedbackEffectInfo\r\n\t\t{\r\n"
                             "\t\t\tName=Bounce\r\n\t\t\tKind=Sine\r\n\t\t\tStrength=0.6\r\n\t\t\tDuration=22\r\n\t\t}\r\n"
                             "\t\tArray Item=CForceFeedbackEffectInfo\r\n\t\t{\r\n"
                             "\t\t\tName=Launch Ball Mouse\r\n\t\t\tKind=Rumble\r\n\t\t\tDuration=11\r\n\t\t}\r\n"
                             "\t\tArray Item=CForceFeedbackEffectInfo\r\n\t\t{\r\n"
                             "\t\t\tName=launch ball joystick\r\n\t\t\tStrength=7\r\n\t\t\tDuration=33\r\n\t\t}\r\n"
                             "\t}\r\n}\r\n";

class ForceFeedback : public AppFixture
{
protected:
    platform::HeadlessForceFeedback& Devices() { return platform::GetHeadlessBackend().GetHeadlessForceFeedback(); }

    // The device's effect made with that duration (the last one made), or null.
    const platform::HeadlessForceFeedback::EffectRecord* Effect(HapticDevice device, uint32_t duration)
    {
        const platform::HeadlessForceFeedback::EffectRecord* found = nullptr;
        for (const auto& record : Devices().GetEffects(device))
            if (record.effect.durationMs == duration)
                found = &record;
        return found;
    }
    int EffectIndex(HapticDevice device, uint32_t duration)
    {
        const auto& effects = Devices().GetEffects(device);
        for (size_t i = effects.size(); i-- > 0;)
            if (effects[i].effect.durationMs == duration)
                return static_cast<int>(i);
        return -1;
    }
    bool Playing(HapticDevice device, uint32_t duration)
    {
        const auto* record = Effect(device, duration);
        return record && record->playing;
    }
    void WriteProject(const std::string& text = kProject) { testsupport::WriteFileBytes("ForceFeedback.ifr", text); }
};

constexpr uint32_t kBoth = CForceFeedback::kMouse | CForceFeedback::kJoystick;

} // namespace

TEST_F(ForceFeedback, WithoutADeviceOrAProjectEverythingIsRefused)
{
    WriteProject();
    struct Case
    {
        bool mouse;
        std::string project;
    };
    const Case cases[] = {
        {false, kProject},                       // no device
        {true, ""},                              // no project file
        {true, "CSomethingElse\r\n{\r\n}\r\n"},  // not a project
    };
    for (const Case& c : cases) {
        Devices().Reset();
        if (c.mouse)
            Devices().PlugDevice(HapticDevice::Mouse);
        std::filesystem::remove("ForceFeedback.ifr");
        if (!c.project.empty())
            WriteProject(c.project);
        CForceFeedback feedback(Devices());
        EXPECT_FALSE(feedback.IsAvailable());
        EXPECT_FALSE(feedback.StartEffect("Bounce", nullptr, kBoth));
        EXPECT_FALSE(feedback.IsEffectPlaying("Bounce", nullptr, kBoth));
        EXPECT_FALSE(feedback.StopEffect("Bounce", nullptr, kBoth));
        EXPECT_FALSE(feedback.HasDevice(nullptr, kBoth | CForceFeedback::kPlayerDevice));
        std::unique_ptr<CForceFeedbackEffect> handle(feedback.CreateEffectHandle("Bounce"));
        EXPECT_FALSE(handle->Start(nullptr, kBoth));
        EXPECT_FALSE(handle->IsPlaying(nullptr, kBoth));
        EXPECT_FALSE(Devices().IsOpen(HapticDevice::Mouse)) << "a device is let go when it cannot be used";
        EXPECT_TRUE(Devices().GetEffects(HapticDevice::Mouse).empty());
    }
}

TEST_F(ForceFeedback, EffectsByNameWithTheDeviceSuffixes)
{
    WriteProject();
    Devices().PlugDevice(HapticDevice::Mouse);
    Devices().PlugDevice(HapticDevice::Joystick);
    CForceFeedback feedback(Devices());
    ASSERT_TRUE(feedback.IsAvailable());
    // "No Effect" runs on both devices from the start.
    EXPECT_TRUE(Playing(HapticDevice::Mouse, 1));
    EXPECT_TRUE(Playing(HapticDevice::Joystick, 1));

    EXPECT_TRUE(feedback.StartEffect("Launch Ball", nullptr, kBoth));
    const auto* mouse = Effect(HapticDevice::Mouse, 11);
    const auto* joystick = Effect(HapticDevice::Joystick, 33);
    ASSERT_TRUE(mouse && joystick);
    EXPECT_EQ(mouse->effect.kind, HapticKind::Rumble);
    EXPECT_EQ(joystick->effect.kind, HapticKind::Constant);
    EXPECT_FLOAT_EQ(joystick->effect.strength, 1.0f); // clamped by the property
    EXPECT_TRUE(mouse->playing && joystick->playing);

    // The plain name wins over the suffixed one.
    EXPECT_TRUE(feedback.StartEffect("BOUNCE", nullptr, CForceFeedback::kMouse));
    ASSERT_NE(Effect(HapticDevice::Mouse, 22), nullptr);
    EXPECT_EQ(Effect(HapticDevice::Mouse, 22)->effect.kind, HapticKind::Sine);
    EXPECT_FALSE(Playing(HapticDevice::Joystick, 22));

    // An effect the project lacks starts nowhere.
    EXPECT_FALSE(feedback.StartEffect("Bomb Explodes", nullptr, kBoth));
}

TEST_F(ForceFeedback, StartStopAndThePlayersDevice)
{
    WriteProject();
    Devices().PlugDevice(HapticDevice::Mouse);
    Devices().PlugDevice(HapticDevice::Joystick, false); // cannot tell whether an effect plays
    CForceFeedback feedback(Devices());

    EXPECT_TRUE(feedback.StartEffect("Bounce", nullptr, CForceFeedback::kMouse));
    EXPECT_FALSE(feedback.StartEffect("Bounce", nullptr, CForceFeedback::kMouse)) << "already playing";
    EXPECT_EQ(Effect(HapticDevice::Mouse, 22)->starts, 1);
    // Once the device says it ended, it starts again.
    Devices().FinishEffect(HapticDevice::Mouse, EffectIndex(HapticDevice::Mouse, 22));
    EXPECT_FALSE(feedback.IsEffectPlaying("Bounce", nullptr, CForceFeedback::kMouse));
    EXPECT_TRUE(feedback.StartEffect("Bounce", nullptr, CForceFeedback::kMouse));
    EXPECT_EQ(Effect(HapticDevice::Mouse, 22)->starts, 2);
    EXPECT_TRUE(feedback.StopEffect("Bounce", nullptr, CForceFeedback::kMouse));
    EXPECT_FALSE(Playing(HapticDevice::Mouse, 22));
    EXPECT_FALSE(feedback.StopEffect("Bounce", nullptr, CForceFeedback::kMouse));

    // The player's device: the joystick when the set has a controller, else the mouse.
    CPlayerControls keyboardPlayer(false, 0, -1, 2);
    CPlayerControls padPlayer(false, 1, 0, 2);
    EXPECT_TRUE(feedback.StartEffect("Bounce", &padPlayer, CForceFeedback::kPlayerDevice));
    EXPECT_TRUE(Playing(HapticDevice::Joystick, 22));
    EXPECT_FALSE(Playing(HapticDevice::Mouse, 22));
    // A device that cannot tell keeps the effect playing as far as anyone knows.
    Devices().FinishEffect(HapticDevice::Joystick, EffectIndex(HapticDevice::Joystick, 22));
    EXPECT_TRUE(feedback.IsEffectPlaying("Bounce", &padPlayer, CForceFeedback::kPlayerDevice));
    EXPECT_FALSE(feedback.IsEffectPlaying("Bounce", &keyboardPlayer, CForceFeedback::kPlayerDevice));
    EXPECT_TRUE(feedback.HasDevice(&keyboardPlayer, CForceFeedback::kPlayerDevice));
    EXPECT_TRUE(feedback.HasDevice(nullptr, CForceFeedback::kJoystick));

    // Disabling stops everything; enabling restarts nothing; disabled, nothing starts.
    feedback.SetEnabled(false);
    EXPECT_FALSE(Playing(HapticDevice::Joystick, 1));
    EXPECT_FALSE(Playing(HapticDevice::Mouse, 1));
    EXPECT_FALSE(feedback.StartEffect("Launch Ball", nullptr, kBoth));
    feedback.SetEnabled(true);
    EXPECT_FALSE(Playing(HapticDevice::Mouse, 1));
    EXPECT_FALSE(feedback.IsEffectPlaying("Bounce", nullptr, kBoth));
}

TEST_F(ForceFeedback, HandlesOwnTheirEntries)
{
    WriteProject();
    Devices().PlugDevice(HapticDevice::Mouse);
    auto feedback = std::make_unique<CForceFeedback>(Devices());
    std::unique_ptr<CForceFeedbackEffect> first(feedback->CreateEffectHandle("Bounce"));
    std::unique_ptr<CForceFeedbackEffect> second(feedback->CreateEffectHandle("Bounce"));
    EXPECT_TRUE(first->Start(nullptr, CForceFeedback::kMouse));
    EXPECT_TRUE(second->Start(nullptr, CForceFeedback::kMouse)) << "each handle has an entry of its own";
    EXPECT_TRUE(first->IsPlaying(nullptr, CForceFeedback::kMouse));
    // A named start does not take a handle's entry.
    EXPECT_TRUE(feedback->StartEffect("Bounce", nullptr, CForceFeedback::kMouse));
    EXPECT_TRUE(first->Stop(nullptr, CForceFeedback::kMouse));
    EXPECT_FALSE(first->IsPlaying(nullptr, CForceFeedback::kMouse));

    // Deleting a handle frees its device effect; its slot is used again.
    const uint32_t index = first->GetIndex();
    first.reset();
    const auto& effects = Devices().GetEffects(HapticDevice::Mouse);
    int alive = 0;
    for (const auto& record : effects)
        alive += record.alive ? 1 : 0;
    EXPECT_EQ(alive, 3); // "No Effect", the second handle's and the named one's
    std::unique_ptr<CForceFeedbackEffect> third(feedback->CreateEffectHandle("Launch Ball"));
    EXPECT_EQ(third->GetIndex(), index);

    // Handles outliving the service answer false and delete nothing.
    feedback.reset();
    EXPECT_TRUE(second->IsReleased());
    EXPECT_FALSE(second->Start(nullptr, CForceFeedback::kMouse));
    EXPECT_FALSE(Devices().IsOpen(HapticDevice::Mouse));
}

TEST_F(ForceFeedback, TheProjectNamesEveryEffectTheGamePlays)
{
    WriteProject(testsupport::ReadFileBytes(VANTOREL_SOURCE_DIR "/data/ForceFeedback.ifr"));
    Devices().PlugDevice(HapticDevice::Mouse);
    CForceFeedback feedback(Devices());
    ASSERT_TRUE(feedback.IsAvailable());
    EXPECT_TRUE(Playing(HapticDevice::Mouse, 1)); // "No Effect"
    for (const char* name :
         {"Bounce", "Fire Ball Bounce", "Rail Ball Bounce", "Small Ball Bounce", "Small Fire Ball Bounce",
          "Small Rail Ball Bounce", "Brick hit by Ball on Paddel", "Bricks Explode", "Playfield", "Ship Running",
          "Ambiant Catch", "Holding Ball With Catch", "Launch Ball", "Catch Ball", "Paddel Size Change",
          "Paddel Size Change PowerUp", "PowerUp", "Bomb Explodes", "Fire Left Laser", "Fire Right Laser",
          "Fire Left Missile", "Fire Right Missile"})
        EXPECT_TRUE(feedback.StartEffect(name, nullptr, CForceFeedback::kMouse)) << name;
    EXPECT_EQ(Devices().GetEffects(HapticDevice::Mouse).size(), 23u);
}
