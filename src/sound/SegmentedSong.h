#pragma once
// A song described as sequences of sound-list entries: an intro and a transition, each a run of
// segments. It is data only, read and written with its owner; nothing plays it.
#include "objects/Object.h"

#include <cstdint>

class CSegmentedSong : public CObject
{
    DECLARE_CLASS_RECORD(CSegmentedSong)

    CSegmentedSong();
    ~CSegmentedSong() override;

    // Sound-list indices of the segments.
    uint32_t GetIntroCount() const { return m_introCount; }
    uint32_t GetIntroSegment(uint32_t i) const { return i < m_introCount ? m_intro[i] : 0; }
    uint32_t GetTransitionCount() const { return m_transitionCount; }
    uint32_t GetTransitionSegment(uint32_t i) const { return i < m_transitionCount ? m_transition[i] : 0; }

private:
    uint32_t m_introCount = 0;
    uint32_t* m_intro = nullptr;
    uint32_t m_introCapacity = 0;
    uint32_t m_transitionCount = 0;
    uint32_t* m_transition = nullptr;
    uint32_t m_transitionCapacity = 0;
};
