#include "sound/SoundOptions.h"

#include "foundation/ConfigFile.h"
#include "sound/MusicVolume.h"
#include "sound/SoundSystem.h"

namespace {

constexpr float kEffectsPositionFactor = 0.000150015f;   // 1 / 6666
constexpr float kEffectsPositionScale = 6666.0f;

// The scale brought into 0.5 .. 1.0; a value that is not a number counts as the default.
float CorrectEffectsScale(float scale)
{
    if (scale != scale)
        return kDefaultEffectsScale;
    if (scale < kLowestEffectsScale)
        return kLowestEffectsScale;
    if (scale > 1.0f)
        return 1.0f;
    return scale;
}

} // namespace

int ReadSoundSetting(const char* key, int defaultValue)
{
    return ReadConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), key, defaultValue);
}

float ReadSoundSettingFloat(const char* key, float defaultValue)
{
    return ReadConfigFloat(g_configFile.GetPath(), g_configFile.GetSection(), key, defaultValue);
}

bool WriteSoundSetting(const char* key, int value)
{
    return WriteConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), key, value);
}

bool WriteSoundSettingFloat(const char* key, float value)
{
    return WriteConfigFloat(g_configFile.GetPath(), g_configFile.GetSection(), key, value);
}

int VolumeToSliderPosition(int volume)
{
    return volume - CSoundSystem::kSilentVolume;
}

int SliderPositionToVolume(int position)
{
    return position + CSoundSystem::kSilentVolume;
}

int EffectsScaleToSliderPosition(float scale)
{
    return static_cast<int>((CorrectEffectsScale(scale) - kLowestEffectsScale) * kEffectsPositionScale);
}

float SliderPositionToEffectsScale(int position)
{
    return static_cast<float>(position) * kEffectsPositionFactor + kLowestEffectsScale;
}

void LoadSoundOptions()
{
    CSoundSystem* sound = CSoundSystem::GetInstance();
    if (ReadSoundSetting(kMasterMuteKey, 0))
        sound->SetMasterVolume(CSoundSystem::kSilentVolume);
    else
        sound->SetMasterVolume(ReadSoundSetting(kMasterVolumeKey, kDefaultMasterVolume));

    const float stored = ReadSoundSettingFloat(kEffectsVolumeKey, kDefaultEffectsScale);
    const float scale = CorrectEffectsScale(stored);
    if (!(scale == stored))
        WriteSoundSettingFloat(kEffectsVolumeKey, scale);
    sound->SetEffectsScale(ReadSoundSetting(kEffectsMuteKey, 0) ? 0.0f : scale);

    int channels = ReadSoundSetting(kMixingChannelsKey, static_cast<int>(kBestMixingChannels));
    if (channels != static_cast<int>(kBestMixingChannels) && channels != static_cast<int>(kFasterMixingChannels)) {
        channels = static_cast<int>(kBestMixingChannels);
        WriteSoundSetting(kMixingChannelsKey, channels);
    }
    sound->SetMaxVoices(static_cast<uint32_t>(channels));

    sound->SetStereo(ReadSoundSetting(kStereoKey, 1) != 0);

    if (CMusicVolumeHolder* music = CMusicVolumeHolder::GetInstalled())
        music->SetMusicVolume(ReadSoundSetting(kMusicMuteKey, 0) ? CSoundSystem::kSilentVolume
                                                                 : ReadSoundSetting(kMusicVolumeKey, kDefaultMusicVolume));
}
