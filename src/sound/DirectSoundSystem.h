#pragma once
// The sound system over the platform's mixer (the name is the design's, after the device it was
// first written for). The mixer's master volume is the device volume that the program saves when
// it takes the output and restores when it gives it back; it is 0 when the device opens.
//
// The rule for callers: reach it through CSoundSystem::GetInstance; a test may make its own and
// put it in place with CSoundSystem::SetInstance.
#include "sound/SoundSystem.h"

namespace platform {
class Mixer;
}

class CDirectSoundSystem : public CSoundSystem
{
public:
    CDirectSoundSystem() = default;
    ~CDirectSoundSystem() override;

    bool Init() override;
    void Shutdown() override;
    CSoundBuffer* CreateBuffer() override;
    bool SaveSystemVolume() override;
    bool SetStereo(bool stereo) override;
    bool SetMasterVolume(int volume) override;
    bool SetMute(bool muted) override;
    bool ApplyVolume() override;
    bool RestoreSystemVolume() override;
    bool HasDevice() const override { return m_mixer != nullptr; }

    // The mixer whose device this system holds; null without a device.
    platform::Mixer* GetMixer() const { return m_mixer; }
    // The mixer of the sound system in place (CSoundSystem::GetInstance); null when that system
    // holds no device or is not one of these.
    static platform::Mixer* GetDeviceMixer();

private:
    platform::Mixer* m_mixer = nullptr;
};
