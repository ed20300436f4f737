#include "sound/MusicMixerData.h"

#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"
#include "sound/MusicList.h"

IMPLEMENT_CLASS_RECORD(CMusicMixerData, CObject, 1.0f)

uint32_t CMusicMixerData::* const CMusicMixerData::s_songOfLevel[kLevelCount] = {
    &CMusicMixerData::m_fullMixSong, &CMusicMixerData::m_medMixSong, &CMusicMixerData::m_ambientSong};

void CMusicMixerData::AddProperties(CClassRecord* record)
{
    // The songs are chosen from the music list by name, so a missing one finds its substitute.
    CMusicList* songs = &CMusicList::GetInstance();
    record->AddProperty(new CFloatProperty("Num Seconds To Switch", &CMusicMixerData::m_switchSeconds, 1, 5.0f));
    const char* const labels[kLevelCount] = {"Full Mix Song", "Med Mix Song", "Ambiant Song"};
    for (int level = 0; level < kLevelCount; ++level)
        record->AddProperty(new CFixedListChoiceProperty(labels[level], s_songOfLevel[level], songs, 1, nullptr));
}

CMusicMixerData::CMusicMixerData()
{
    InitOwnProperties();
}

CMusicMixerData::~CMusicMixerData()
{
    DestroyOwnProperties();
}

uint32_t CMusicMixerData::GetSong(int level) const
{
    return level >= 0 && level < kLevelCount ? this->*s_songOfLevel[level] : 0;
}

void CMusicMixerData::SetSong(int level, uint32_t song)
{
    if (level >= 0 && level < kLevelCount)
        this->*s_songOfLevel[level] = song;
}
