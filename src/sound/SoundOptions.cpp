#include "sound/SoundOptions.h"

#include "app/ApplicationBase.h"
#include "sound/SoundSystem.h"

namespace {
constexpr int kDefaultMasterVolume = 0;
constexpr float kDefaultEffectsScale = 1.0f;
constexpr uint32_t kDefaultMixingChannels = 32;
constexpr bool kDefaultStereo = true;
constexpr int kDefaultMusicVolume = -800;
} // namespace

void LoadSoundOptions()
{
    CSoundSystem* sound = CSoundSystem::GetInstance();
    sound->SetMasterVolume(kDefaultMasterVolume);
    sound->SetEffectsScale(kDefaultEffectsScale);
    sound->SetMaxVoices(kDefaultMixingChannels);
    sound->SetStereo(kDefaultStereo);
    if (g_application)
        g_application->SetMusicVolume(kDefaultMusicVolume);
}
