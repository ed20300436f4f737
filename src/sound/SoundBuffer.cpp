#include "sound/SoundBuffer.h"

#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "sound/SoundSystem.h"

bool CSoundBuffer::Load(const char* fileName, bool looping, bool deferred, uint32_t openFlags)
{
    // A copy: the name may be this buffer's own deferred name.
    const std::string name = fileName ? fileName : "";
    Stop();
    ReleaseSpares();
    Reset();
    if (deferred) {
        if (name != m_deferredName)
            DropDeferredName();
        m_deferredName = name;
        SetLooping(looping);
        return true;
    }
    if (!LoadFromFile(name.c_str(), openFlags))
        return false;
    m_flags |= kFlagLoaded;
    SetLooping(looping);
    DropDeferredName();
    m_pendingSource = nullptr;
    m_volume = 0;
    SetVolume(CSoundSystem::GetInstance()->GetEffectiveVolume(m_volume));
    return true;
}

void CSoundBuffer::EnsureLoaded()
{
    if (!m_deferredName.empty()) {
        const std::string name = m_deferredName;
        Load(name.c_str(), IsLooping(), false);
    }
    if (CSoundBuffer* source = m_pendingSource) {
        source->EnsureLoaded();
        m_pendingSource = nullptr;
        Duplicate(*source);
    }
}

void CSoundBuffer::Prepare(bool loadNow)
{
    if (loadNow) {
        EnsureLoaded();
        return;
    }
    if (m_deferredName.empty() || CStream::IsBufferName(m_deferredName.c_str()))
        return;
    CFileBuf* copy = LoadFileToMemoryStream(m_deferredName.c_str(), VF_READ);
    if (copy)
        m_deferredName = copy->MakeBufferName(m_deferredName.c_str()).CStr();
}

void CSoundBuffer::SetLooping(bool looping)
{
    if (looping)
        m_flags |= kFlagLooping;
    else
        m_flags &= ~kFlagLooping;
}

bool CSoundBuffer::IsStillPlaying()
{
    if (IsPlaying())
        return true;
    CSoundSystem::GetInstance()->RemovePlaying(this);
    return false;
}

CSoundBuffer* CSoundBuffer::GetFreeDuplicate()
{
    CSoundSystem* system = CSoundSystem::GetInstance();
    for (CSoundBuffer* buffer = this;; buffer = buffer->m_spare) {
        const uint32_t frame = system->GetFrameNumber();
        if (frame <= buffer->m_lastOverlapFrame)
            return nullptr;
        buffer->m_lastOverlapFrame = frame;
        if (!system->HasFreeVoice())
            return buffer;
        if (!buffer->IsPlaying()) {
            system->RemovePlaying(buffer);
            return buffer;
        }
        if (!buffer->m_spare) {
            // A spare that cannot be made refuses the overlap.
            CSoundBuffer* spare = system->CreateBuffer();
            if (!spare)
                return buffer;
            if (!spare->Duplicate(*buffer)) {
                system->DestroyBuffer(spare);
                return buffer;
            }
            buffer->m_spare = spare;
        }
    }
}

void CSoundBuffer::Reset()
{
    m_frequency = kDefaultFrequency;
    m_naturalFrequency = kDefaultFrequency;
    m_flags &= ~(kFlagLooping | kFlagLoaded);
    m_volume = 0;
    m_size = 0;
    m_pan = 0;
    m_lastOverlapFrame = 0;
    m_spare = nullptr;
    m_nextPlaying = nullptr;
}

bool CSoundBuffer::Duplicate(CSoundBuffer& source)
{
    if (source.IsDeferred()) {
        m_pendingSource = &source;
        return false;
    }
    Release();
    Reset();
    m_flags = source.m_flags & ~kFlagLooping;
    m_frequency = source.m_frequency;
    m_naturalFrequency = source.m_naturalFrequency;
    m_volume = source.m_volume;
    m_listIndex = source.m_listIndex;
    // The data belongs to the source; a duplicate starts centred.
    m_size = 0;
    m_pan = 0;
    return true;
}

bool CSoundBuffer::MayStart(bool allowOverlap)
{
    CSoundSystem* system = CSoundSystem::GetInstance();
    if (system->RefusesSounds() || !system->HasFreeVoice())
        return false;
    EnsureLoaded();
    if (!IsPlaying()) {
        // The frame's one start: a second request in the same frame adds no voice either.
        if (allowOverlap)
            m_lastOverlapFrame = system->GetFrameNumber();
        return true;
    }
    // Still sounding: its voice counts while a spare is looked for.
    system->AddPlaying(this);
    if (allowOverlap) {
        // The spare plays, not this buffer.
        CSoundBuffer* spare = GetFreeDuplicate();
        if (spare && spare != this)
            spare->Play(true);
        return false;
    }
    if (IsLooping())
        return false;   // a looping sound is never restarted
    // A restart takes no further voice.
    system->RemovePlaying(this);
    return true;
}

bool CSoundBuffer::Play(bool allowOverlap)
{
    CSoundSystem* system = CSoundSystem::GetInstance();
    system->RemovePlaying(this);
    if (!MayStart(allowOverlap)) {
        // A voice that goes on sounding stays counted, and stays within reach of StopAllSounds.
        if (IsPlaying())
            system->AddPlaying(this);
        return false;
    }
    EnsureLoaded();
    SetVolume(system->GetEffectiveVolume(m_volume));
    system->AddPlaying(this);
    return true;
}

bool CSoundBuffer::SetFrequency(int)
{
    EnsureLoaded();
    return true;
}

bool CSoundBuffer::SetPan(int pan)
{
    EnsureLoaded();
    if (pan == m_pan)
        return false;
    m_pan = pan;
    return true;
}

bool CSoundBuffer::Stop()
{
    const bool playing = IsPlaying();
    CSoundSystem::GetInstance()->RemovePlaying(this);
    return playing;
}

bool CSoundBuffer::Release()
{
    Stop();
    DropDeferredName();
    m_pendingSource = nullptr;
    ReleaseSpares();
    return true;
}

void CSoundBuffer::DropDeferredName()
{
    if (CStream::IsBufferName(m_deferredName.c_str()))
        CStream::DeleteByBufferName(m_deferredName.c_str());
    m_deferredName.clear();
}

void CSoundBuffer::ReleaseSpares()
{
    if (CSoundBuffer* spare = m_spare) {
        m_spare = nullptr;
        // Each spare lets go of its own spare in turn.
        CSoundSystem::GetInstance()->DestroyBuffer(spare);
    }
}
