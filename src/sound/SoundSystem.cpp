#include "sound/SoundSystem.h"

#include "sound/DirectSoundSystem.h"
#include "sound/SoundBuffer.h"

namespace {
CSoundSystem* s_replacement = nullptr;
} // namespace

CSoundSystem* CSoundSystem::GetInstance()
{
    if (s_replacement)
        return s_replacement;
    // Never destroyed: the window's shut-down may still reach it during exit.
    static CSoundSystem* s_instance = new CDirectSoundSystem;
    return s_instance;
}

CSoundSystem* CSoundSystem::SetInstance(CSoundSystem* system)
{
    CSoundSystem* previous = GetInstance();
    s_replacement = system;
    return previous;
}

bool CSoundSystem::DestroyBuffer(CSoundBuffer* buffer)
{
    if (!buffer)
        return false;
    const bool released = buffer->Release();
    delete buffer;
    return released;
}

int CSoundSystem::GetEffectiveVolume(int volume) const
{
    // In floats and truncated toward zero: scale 0.5 plays a sound of volume 0 at -1666.
    const float raw = static_cast<float>(volume - kSilentVolume) * m_effectsScale + static_cast<float>(kSilentVolume);
    return static_cast<int>(raw);
}

bool CSoundSystem::RefusesSounds() const
{
    return m_muted || m_masterVolume < kOffVolume;
}

void CSoundSystem::StopAllSounds()
{
    while (CSoundBuffer* head = m_playing) {
        head->Stop();
        // Stop unlinks the buffer; should it not have, the loop must still end.
        if (m_playing == head)
            RemovePlaying(head);
    }
}

void CSoundSystem::AddPlaying(CSoundBuffer* buffer)
{
    if (!buffer)
        return;
    RemovePlaying(buffer);
    buffer->m_nextPlaying = m_playing;
    m_playing = buffer;
}

bool CSoundSystem::RemovePlaying(CSoundBuffer* buffer)
{
    for (CSoundBuffer** link = &m_playing; *link; link = &(*link)->m_nextPlaying) {
        if (*link == buffer) {
            *link = buffer->m_nextPlaying;
            buffer->m_nextPlaying = nullptr;
            return true;
        }
    }
    return false;
}

void CSoundSystem::ClearPlayingList()
{
    while (CSoundBuffer* head = m_playing) {
        m_playing = head->m_nextPlaying;
        head->m_nextPlaying = nullptr;
    }
}

bool CSoundSystem::IsInPlayingList(const CSoundBuffer* buffer) const
{
    for (const CSoundBuffer* entry = m_playing; entry; entry = entry->m_nextPlaying)
        if (entry == buffer)
            return true;
    return false;
}

uint32_t CSoundSystem::CountVoices()
{
    uint32_t count = 0;
    for (CSoundBuffer** link = &m_playing; *link;) {
        CSoundBuffer* buffer = *link;
        if (buffer->IsPlaying()) {
            ++count;
            link = &buffer->m_nextPlaying;
        } else {
            *link = buffer->m_nextPlaying;
            buffer->m_nextPlaying = nullptr;
        }
    }
    return count;
}
