#pragma once
// A checkpoint of a round set: the round within the set (counted from 0, shown from 1) from which
// a player who has reached it may start a later game, and the picture that stands for it.
#include "objects/Object.h"

#include <cstdint>

class CCheckPointDefinition : public CObject
{
    DECLARE_CLASS_RECORD(CCheckPointDefinition)
    // The highest round a checkpoint may name.
    static constexpr uint32_t kMaxRoundNumber = 500;

    CCheckPointDefinition();
    ~CCheckPointDefinition() override;

    uint32_t m_roundNumber; // "Round Number": the round within the set, from 0
    uint32_t m_image;       // "Image": a sequence list entry
};
