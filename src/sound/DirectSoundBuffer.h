#pragma once
// A sound buffer over a voice of the platform's mixer (the name is the design's, after the device
// it was first written for). Duplicates are voices that share the PCM of their source's voice.
//
// The rule for callers: as for CSoundBuffer; made by CDirectSoundSystem::CreateBuffer.
#include "sound/SoundBuffer.h"

#include <memory>

namespace platform {
class SoundBuffer;
}

class CDirectSoundBuffer : public CSoundBuffer
{
public:
    CDirectSoundBuffer() = default;
    ~CDirectSoundBuffer() override;

    void Reset() override;
    bool Duplicate(CSoundBuffer& source) override;
    bool Play(bool allowOverlap) override;
    bool SetVolume(int raw) override;
    bool SetFrequency(int hz) override;
    bool SetPan(int pan) override;
    bool Stop() override;
    bool Release() override;
    bool IsPlaying() const override;
    bool LoadFromFile(const char* fileName, uint32_t openFlags) override;

    // The mixer's voice; null while nothing is decoded.
    const std::shared_ptr<platform::SoundBuffer>& GetVoice() const { return m_voice; }

private:
    std::shared_ptr<platform::SoundBuffer> m_voice;
};
