#include "sound/DirectSoundBuffer.h"

#include "platform/Mixer.h"
#include "sound/DirectSoundSystem.h"
#include "sound/WaveSource.h"

#include <memory>

CDirectSoundBuffer::~CDirectSoundBuffer()
{
    // A buffer deleted without DestroyBuffer must not stay in the playing list.
    CDirectSoundBuffer::Release();
}

void CDirectSoundBuffer::Reset()
{
    CSoundBuffer::Reset();
    m_voice.reset();
}

bool CDirectSoundBuffer::Duplicate(CSoundBuffer& source)
{
    auto* original = dynamic_cast<CDirectSoundBuffer*>(&source);
    if (!original || !CSoundBuffer::Duplicate(source))
        return false;
    platform::Mixer* mixer = CDirectSoundSystem::GetDeviceMixer();
    if (!mixer || !original->m_voice)
        return false;
    m_voice = mixer->DuplicateBuffer(original->m_voice);
    if (!m_voice)
        return false;
    SetVolume(CSoundSystem::GetInstance()->GetEffectiveVolume(m_volume));
    m_voice->SetPan(0);
    m_voice->SetFrequency(static_cast<uint32_t>(m_frequency));
    return true;
}

bool CDirectSoundBuffer::Play(bool allowOverlap)
{
    if (!CSoundBuffer::Play(allowOverlap))
        return false;
    if (!m_voice) {
        // Nothing decoded: nothing plays, and nothing counts as a voice.
        CSoundSystem::GetInstance()->RemovePlaying(this);
        return false;
    }
    m_voice->SetPosition(0);
    m_voice->Play(IsLooping());
    return true;
}

bool CDirectSoundBuffer::SetVolume(int raw)
{
    EnsureLoaded();
    if (!m_voice)
        return false;
    m_voice->SetVolume(raw);
    return true;
}

bool CDirectSoundBuffer::SetFrequency(int hz)
{
    CSoundBuffer::SetFrequency(hz);
    if (!m_voice)
        return false;
    if (hz >= kMinFrequency && hz <= kMaxFrequency) {
        m_voice->SetFrequency(static_cast<uint32_t>(hz));
        m_frequency = hz;
    }
    return true;
}

bool CDirectSoundBuffer::SetPan(int pan)
{
    if (!CSoundBuffer::SetPan(pan) || !m_voice)
        return false;
    m_voice->SetPan(pan);
    return true;
}

bool CDirectSoundBuffer::Stop()
{
    if (!CSoundBuffer::Stop())
        return false;
    m_voice->Stop();
    return true;
}

bool CDirectSoundBuffer::Release()
{
    CSoundBuffer::Release();
    m_voice.reset();
    return true;
}

bool CDirectSoundBuffer::IsPlaying() const
{
    return m_voice && m_voice->IsPlaying();
}

bool CDirectSoundBuffer::LoadFromFile(const char* fileName, uint32_t openFlags)
{
    platform::Mixer* mixer = CDirectSoundSystem::GetDeviceMixer();
    if (!mixer)
        return false;
    m_voice.reset();
    std::unique_ptr<CWaveSource> source(OpenWaveSource(fileName, openFlags));
    if (!source)
        return false;
    WaveFormat wave;
    source->GetWaveFormat(wave);
    const platform::PcmFormat format{wave.channels, wave.bitsPerSample, static_cast<int>(wave.samplesPerSecond)};
    const uint32_t size = source->GetPCMLength();
    // A voice that cannot be made at once is tried once more.
    m_voice = mixer->CreateBuffer(format, size);
    if (!m_voice)
        m_voice = mixer->CreateBuffer(format, size);
    if (!m_voice)
        return false;
    m_size = size;
    m_flags = (m_flags & ~(kFlagStereo | kFlag16Bit)) | (wave.channels > 1 ? kFlagStereo : 0) |
              (wave.bitsPerSample == 16 ? kFlag16Bit : 0);
    uint8_t* bytes = nullptr;
    uint32_t count = 0;
    if (!m_voice->Lock(0, m_voice->GetSize(), &bytes, &count, nullptr, nullptr)) {
        m_voice.reset();
        return false;
    }
    source->Read(bytes, count);
    m_voice->Unlock();
    m_voice->SetFrequency(wave.samplesPerSecond);
    m_voice->SetVolume(0);
    m_voice->SetPan(0);
    m_frequency = m_naturalFrequency = static_cast<int>(wave.samplesPerSecond);
    m_pan = 0;
    return true;
}
