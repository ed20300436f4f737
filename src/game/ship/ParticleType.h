#pragma once
// One kind of particle of a particle generator (or of a brick type's break particles): the
// animated sequence its sparks show and its weight, the share of a burst it takes.
#include "objects/Object.h"

#include <cstdint>

class CSequence;

class CParticleType : public CObject
{
    DECLARE_CLASS_RECORD(CParticleType)
    CParticleType()
    {
        InitOwnProperties();
        SetPropertiesToDefaults();
    }
    ~CParticleType() override { DestroyOwnProperties(); }

    // The loaded sequence of the sequence list's entry; null for entry 0 ("!None"), an index past
    // the list, or a sequence that cannot be loaded.
    CSequence* GetSequence() const;

    uint32_t m_sequence; // "Particle Type": an index into the sequence list
    uint32_t m_weight;   // "Weight"
    uint32_t m_reserved; // no label
};
