// Reads arbitrary bytes as the force-feedback project "ForceFeedback.ifr", the way the game opens
// it on finding a device: a mouse and a joystick (one that cannot tell its effects' state) are
// plugged, the project is read, and effects are started, asked after and stopped by the names the
// game plays and by the names the project holds, through names and through handles. Every effect
// handed to a device has a kind the device knows, a strength in 0..1 and a duration within its
// limit; a project that does not read leaves force feedback unavailable.
//
// The seed corpus is made by the object writer: run the corpus runner with VANTOREL_WRITE_SEEDS
// naming the folder (fuzz/corpus/fuzz_force_feedback) and it writes the seeds there first.
#include "FuzzSupport.h"
#include "app/ForceFeedback.h"
#include "app/ForceFeedbackEffect.h"
#include "app/ForceFeedbackProject.h"
#include "objects/ClassRecord.h"
#include "objects/ObjectArrayProperty.h"
#include "platform/headless/HeadlessForceFeedback.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using fuzzsupport::Check;
using platform::HapticDevice;

// Names the game plays effects by.
const char* const kGameEffects[] = {"No Effect",          "Launch Ball",     "Catch Ball",   "Paddel Size Change",
                                    "Bricks Explode",     "Playfield",       "Ship Running", "Ambiant Catch",
                                    "Holding Ball With Catch", "Brick hit by Ball on Paddel"};

void WriteSeeds(const std::string& folder)
{
    struct Effect
    {
        const char* name;
        uint32_t kind;
        float strength;
        uint32_t duration;
    };
    const Effect effects[] = {{"No Effect", 0, 0.0f, 1},      {"Launch Ball", 1, 0.5f, 60},
                              {"Catch Ball Mouse", 5, 0.8f, 120}, {"Catch Ball Joystick", 3, 1.0f, 10000},
                              {"Playfield", 2, 0.25f, 250}};
    CForceFeedbackProject project;
    project.SetPropertiesToDefaults();
    const auto* array = dynamic_cast<CObjectArrayProperty*>(project.GetClassRecord()->FindProperty("Effects"));
    Check(array != nullptr);
    for (const Effect& effect : effects) {
        const uint32_t i = project.m_effectCount;
        array->Resize(&project, i + 1);
        CForceFeedbackEffectInfo& info = project.m_effects[i];
        info.m_name.AssignText(effect.name);
        info.m_kind = effect.kind;
        info.m_strength = effect.strength;
        info.m_duration = effect.duration;
    }
    Check(project.SaveToFile("Seed.ifr", 0));
    std::ifstream in("Seed.ifr", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(folder + "/project.ifr", std::ios::binary) << text;
    std::ofstream(folder + "/cut.ifr", std::ios::binary) << text.substr(0, text.size() / 2);
    std::ofstream(folder + "/other-class.ifr", std::ios::binary) << "CSequence\r\n{\r\n}\r\n";
    std::ofstream(folder + "/out-of-range.ifr", std::ios::binary)
        << "CForceFeedbackProject\r\n{\r\n\tEffects=Array\r\n\t{\r\n\t\tArray Count=1\r\n"
           "\t\tArray Item=CForceFeedbackEffectInfo\r\n\t\t{\r\n\t\t\tName=Launch Ball\r\n\t\t\tKind=Spin\r\n"
           "\t\t\tStrength=-7e39\r\n\t\t\tDuration=4000000000\r\n\t\t}\r\n\t}\r\n}\r\n";
}

void CheckEffects(const platform::HeadlessForceFeedback& devices, HapticDevice device)
{
    for (const auto& record : devices.GetEffects(device)) {
        const platform::HapticEffect& effect = record.effect;
        Check(static_cast<int>(effect.kind) >= 0 && effect.kind <= platform::HapticKind::Rumble);
        Check(effect.strength >= 0.0f && effect.strength <= 1.0f);
        Check(effect.durationMs <= 10000);
    }
}

void Play(CForceFeedback& feedback, const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        for (uint32_t mask : {CForceFeedback::kMouse, CForceFeedback::kJoystick, CForceFeedback::kPlayerDevice})
            feedback.StartEffect(name.c_str(), nullptr, mask);
        feedback.IsEffectPlaying(name.c_str(), nullptr, CForceFeedback::kMouse | CForceFeedback::kJoystick);
        feedback.StopEffect(name.c_str(), nullptr, CForceFeedback::kMouse | CForceFeedback::kJoystick);
        CForceFeedbackEffect* handle = feedback.CreateEffectHandle(name.c_str());
        if (handle) {
            handle->Start(nullptr, CForceFeedback::kMouse | CForceFeedback::kJoystick);
            handle->IsPlaying(nullptr, CForceFeedback::kJoystick);
            delete handle;
        }
    }
    feedback.SetEnabled(false);
    feedback.StartEffect("Launch Ball", nullptr, CForceFeedback::kMouse);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::PrepareOnce(&WriteSeeds);
    if (size > (1u << 20))
        return 0;
    fuzzsupport::WriteInput(CForceFeedback::kProjectFile, data, size);
    fuzzsupport::FatalScope fatal;
    try {
        std::vector<std::string> names(std::begin(kGameEffects), std::end(kGameEffects));
        CForceFeedbackProject project;
        const bool read = project.LoadFromMemory(data, static_cast<uint32_t>(size));
        for (uint32_t i = 0; read && i < project.m_effectCount && i < 64; ++i)
            names.emplace_back(project.m_effects[i].m_name.CStr());

        platform::HeadlessForceFeedback devices;
        devices.PlugDevice(HapticDevice::Mouse);
        devices.PlugDevice(HapticDevice::Joystick, false);
        {
            CForceFeedback feedback(devices);
            Check(feedback.IsAvailable() == read);
            Play(feedback, names);
        }
        CheckEffects(devices, HapticDevice::Mouse);
        CheckEffects(devices, HapticDevice::Joystick);
    } catch (const fuzzsupport::FatalEnd&) {
        // A property text may name a class that does not exist, which is reported as fatal.
    }
    return 0;
}
