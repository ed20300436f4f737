#pragma once
// A brick type, as far as the sparks need it today: its own break particles, which take the place
// of a generator's particle types when a brick bursts. The rest of the brick type (behaviour
// kind, looks, sounds, score, collision shape) and the "Brick Info" collection's start-up set-up
// come with the bricks.
#include "game/ship/ParticleType.h"
#include "objects/Object.h"

#include <cstdint>

class CResourceCollection;

class CBrickInfo : public CObject
{
    DECLARE_CLASS_RECORD(CBrickInfo)
    CBrickInfo()
    {
        InitOwnProperties();
        SetPropertiesToDefaults();
    }
    // Deletes the break particle types.
    ~CBrickInfo() override { DestroyOwnProperties(); }

    // The collection of brick types ("<name>.Brick" files), by whose indices demo records name
    // them. Empty until the bricks set it up.
    static CResourceCollection& GetCollection();

    uint32_t m_breakParticleTypeCount;
    CParticleType* m_breakParticleTypes; // "Particles/Break Particle Types"
    uint32_t m_breakParticleTypeCapacity;
};
