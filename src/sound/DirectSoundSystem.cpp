#include "sound/DirectSoundSystem.h"

#include "platform/Backend.h"
#include "sound/DirectSoundBuffer.h"

#include <new>

platform::Mixer* CDirectSoundSystem::GetDeviceMixer()
{
    auto* system = dynamic_cast<CDirectSoundSystem*>(CSoundSystem::GetInstance());
    return system ? system->GetMixer() : nullptr;
}

CDirectSoundSystem::~CDirectSoundSystem()
{
    Shutdown();
}

bool CDirectSoundSystem::Init()
{
    // The buffers of an earlier run of the device are not ours to count any more.
    ClearPlayingList();
    if (m_mixer)
        return true;
    platform::Mixer& mixer = platform::GetMixer();
    if (!mixer.OpenDevice(m_stereo ? 2 : 1))
        return false;
    m_mixer = &mixer;
    // The program starts at the volume the device had.
    SaveSystemVolume();
    m_masterVolume = m_savedSystemVolume;
    return true;
}

void CDirectSoundSystem::Shutdown()
{
    if (!m_mixer)
        return;
    StopAllSounds();
    m_mixer->CloseDevice();
    m_mixer = nullptr;
}

CSoundBuffer* CDirectSoundSystem::CreateBuffer()
{
    auto* buffer = new (std::nothrow) CDirectSoundBuffer;
    if (buffer)
        buffer->Reset();
    return buffer;
}

bool CDirectSoundSystem::SaveSystemVolume()
{
    if (!m_mixer)
        return false;
    m_savedSystemVolume = m_mixer->GetMasterVolume();
    m_mixer->SetAudible(true);
    return true;
}

bool CDirectSoundSystem::SetStereo(bool stereo)
{
    m_stereo = stereo;
    if (!m_mixer)
        return false;
    if (m_mixer->OpenDevice(stereo ? 2 : 1))
        return true;
    // The other layout may still open where this one does not; failing both, there is no device.
    if (m_mixer->OpenDevice(stereo ? 1 : 2))
        return true;
    StopAllSounds();
    m_mixer = nullptr;
    return false;
}

bool CDirectSoundSystem::SetMasterVolume(int volume)
{
    m_masterVolume = volume;
    if (volume < kOffVolume)
        StopAllSounds();
    if (!m_mixer)
        return false;
    m_mixer->SetMasterVolume(volume);
    return true;
}

bool CDirectSoundSystem::SetMute(bool muted)
{
    m_muted = muted;
    if (!m_mixer)
        return false;
    m_mixer->SetMasterVolume(muted ? kSilentVolume : m_masterVolume);
    return true;
}

bool CDirectSoundSystem::ApplyVolume()
{
    if (m_muted) {
        SetMute(true);
        return false;
    }
    if (m_mixer)
        m_mixer->SetMasterVolume(m_masterVolume);
    return true;
}

bool CDirectSoundSystem::RestoreSystemVolume()
{
    if (!m_mixer)
        return false;
    m_mixer->SetMasterVolume(m_savedSystemVolume);
    // Behind another program the game is not heard; its sounds go on playing meanwhile.
    m_mixer->SetAudible(false);
    return true;
}
