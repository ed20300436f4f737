#pragma once
// The sound settings of the per-installation settings file: master volume and mute, effects
// scale and mute, mixing channels, stereo, music volume and mute. LoadSoundOptions applies them
// once at start-up; the Sound Options dialog shows them, applies each change and writes it back
// through the helpers below.
//
// The rule a caller must know: the keys keep their historic spelling ("Voume"), since settings
// files already hold them; volumes are hundredths of a decibel, -3333 silent.
#include <cstdint>

constexpr const char* kMasterVolumeKey = "Master Voume";
constexpr const char* kMasterMuteKey = "Master Mute";
constexpr const char* kEffectsVolumeKey = "SFx Voume";
constexpr const char* kEffectsMuteKey = "SFx Mute";
constexpr const char* kMixingChannelsKey = "Sounds Mixing Channels";
constexpr const char* kStereoKey = "Stereo Sounds";
constexpr const char* kMusicVolumeKey = "Music Volume";
constexpr const char* kMusicMuteKey = "Music Mute";

constexpr int kDefaultMasterVolume = 0;
constexpr float kDefaultEffectsScale = 1.0f;
constexpr float kLowestEffectsScale = 0.5f;
constexpr uint32_t kBestMixingChannels = 32;
constexpr uint32_t kFasterMixingChannels = 5;
constexpr int kDefaultMusicVolume = -800;
// Positions of the volume sliders: 0 .. 3333.
constexpr int kVolumeSliderPositions = 3334;

// Applies the sound settings to the sound system and the application's music volume; called once
// at start-up, after the sound system's Init. An effects scale outside 0.5 .. 1.0 (or not a
// number) and a channel count other than 32 or 5 are corrected and written back.
void LoadSoundOptions();

// The settings file's values in the application's section; the reader answers the default for
// a missing key, the writers whether the value was stored.
int ReadSoundSetting(const char* key, int defaultValue);
float ReadSoundSettingFloat(const char* key, float defaultValue);
bool WriteSoundSetting(const char* key, int value);
bool WriteSoundSettingFloat(const char* key, float value);

// Master and music sliders: position = volume + 3333.
int VolumeToSliderPosition(int volume);
int SliderPositionToVolume(int position);
// The effects slider covers 0.5 .. 1.0: position = truncate((scale - 0.5) x 6666), scale =
// position x (1/6666 as a 32-bit float) + 0.5.
int EffectsScaleToSliderPosition(float scale);
float SliderPositionToEffectsScale(int position);
