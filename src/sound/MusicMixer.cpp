#include "sound/MusicMixer.h"

#include "objects/EmbeddedObjectProperty.h"
#include "objects/UIntProperty.h"
#include "sound/MusicList.h"
#include "sound/MusicVolume.h"
#include "sound/SoundStream.h"
#include "sound/SoundSystem.h"

IMPLEMENT_CLASS_RECORD(CMusicMixer, CObject, 2.0f)

void CMusicMixer::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CEmbeddedObjectProperty("Mixer Data", &CMusicMixer::m_data, 1));
    record->AddProperty(new CUIntProperty("Debug/Cur Song Index", &CMusicMixer::m_currentLevel, 1, 2));
    record->AddProperty(new CUIntProperty("Debug/Qued Song Index", &CMusicMixer::m_queuedLevel, 1, 2));
}

CMusicMixer::CMusicMixer() : m_stream(std::make_unique<CSoundStream>())
{
    InitOwnProperties();
    m_elapsed = m_data.GetSwitchSeconds();
}

CMusicMixer::~CMusicMixer()
{
    DestroyOwnProperties();
}

void CMusicMixer::SetMixLevelSong(int level, uint32_t song)
{
    if (level < 0 || level >= CMusicMixerData::kLevelCount || m_data.GetSong(level) == song)
        return;
    m_data.SetSong(level, song);
    m_changed = true;
}

void CMusicMixer::SetMixerData(const CMusicMixerData& data)
{
    for (int level = 0; level < CMusicMixerData::kLevelCount; ++level)
        SetMixLevelSong(level, data.GetSong(level));
    m_data.SetSwitchSeconds(data.GetSwitchSeconds());
}

void CMusicMixer::SelectMixLevel(int level)
{
    CMusicList& list = CMusicList::GetInstance();
    if (list.GetCount() == 0)
        return;
    const float switchSeconds = m_data.GetSwitchSeconds();
    if (m_elapsed < switchSeconds) {
        m_queuedLevel = static_cast<uint32_t>(level);
        return;
    }
    const uint32_t song = m_data.GetSong(level);
    m_stream->SetVolume(GetMusicVolume());
    if (m_stream->IsMuted()) {
        m_currentLevel = m_queuedLevel = static_cast<uint32_t>(level);
        return;
    }
    if (!m_stream->IsPlaying()) {
        Restart(song, level);
        return;
    }
    if (m_data.GetSong(static_cast<int>(m_currentLevel)) != song || m_changed) {
        if (m_stream->QueueNext(list.GetPathAt(song), 1.0f, m_changed)) {
            m_changed = false;
            m_elapsed = 0.0f;
            m_currentLevel = m_queuedLevel = static_cast<uint32_t>(level);
        } else {
            // Mixes of other formats, or a file that will not open: a plain switch instead.
            m_stream->Stop();
            Restart(song, level);
        }
        return;
    }
    m_currentLevel = m_queuedLevel = static_cast<uint32_t>(level);
}

void CMusicMixer::Update(float seconds)
{
    if (CMusicList::GetInstance().GetCount() == 0)
        return;
    const float switchSeconds = m_data.GetSwitchSeconds();
    const float previous = m_elapsed;
    m_elapsed += seconds;
    if (previous >= switchSeconds) {
        if (m_queuedLevel != m_currentLevel)
            SelectMixLevel(static_cast<int>(m_queuedLevel));
    } else {
        m_stream->SetCrossfadeWeight(1.0f - previous / switchSeconds);
        if (m_elapsed >= switchSeconds)
            m_stream->CompleteCrossfade();
    }
    if (!m_stream->IsPlaying()) {
        m_elapsed = switchSeconds;
        SelectMixLevel(static_cast<int>(m_currentLevel));
    }
    if (m_stream->GetVolume() != GetMusicVolume())
        m_stream->SetVolume(GetMusicVolume());
}

int CMusicMixer::GetMusicVolume() const
{
    const CMusicVolumeHolder* music = CMusicVolumeHolder::GetInstalled();
    return music ? music->GetMusicVolume() : CSoundSystem::kSilentVolume;
}

void CMusicMixer::Restart(uint32_t song, int level)
{
    m_stream->Play(CMusicList::GetInstance().GetPathAt(song), 0, true);
    // What plays now is the changed data, from its beginning: nothing is left to switch to.
    m_changed = false;
    m_elapsed = m_data.GetSwitchSeconds();
    m_currentLevel = m_queuedLevel = static_cast<uint32_t>(level);
}
