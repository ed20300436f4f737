#include "sound/SegmentedSong.h"

#include "objects/ArrayProperty.h"
#include "objects/FixedListChoiceProperty.h"
#include "sound/SoundList.h"

IMPLEMENT_CLASS_RECORD(CSegmentedSong, CObject, 1.0f)

void CSegmentedSong::AddProperties(CClassRecord* record)
{
    CSoundList* sounds = &CSoundList::GetInstance();
    record->AddProperty(new CArrayProperty("Intro", &CSegmentedSong::m_introCount, &CSegmentedSong::m_intro,
                                           &CSegmentedSong::m_introCapacity, false,
                                           new CFixedListChoiceProperty("Segment", 0, sounds, 1, nullptr, nullptr),
                                           nullptr, 1));
    record->AddProperty(new CArrayProperty("Transition", &CSegmentedSong::m_transitionCount,
                                           &CSegmentedSong::m_transition, &CSegmentedSong::m_transitionCapacity, false,
                                           new CFixedListChoiceProperty("Segment", 0, sounds, 1, nullptr, nullptr),
                                           nullptr, 1));
}

CSegmentedSong::CSegmentedSong()
{
    InitOwnProperties();
}

CSegmentedSong::~CSegmentedSong()
{
    DestroyOwnProperties();
}
