#pragma once
// A particle generator ("PGen"): the description of a burst of sparks, how many, how fast, in what
// cone of directions, and which kinds of particle in what proportions. The playfield's spark
// spawner turns it into effect sprites; generators are loaded by name from their collection.
//
// The rule a caller must know: a caller may change the particle count for one burst, but must put
// it back, since the collection hands the same object to every caller.
#include "game/ship/ParticleType.h"
#include "objects/Object.h"

#include <cstdint>

class CParticleGeneratorInfo : public CObject
{
    DECLARE_CLASS_RECORD(CParticleGeneratorInfo)
    // Below this a cone limits the directions; from it on particles fly out all round.
    static constexpr float kAllRoundCone = 6.2657323f;

    CParticleGeneratorInfo()
    {
        InitOwnProperties();
        SetPropertiesToDefaults();
    }
    // Deletes the particle types.
    ~CParticleGeneratorInfo() override { DestroyOwnProperties(); }

    // The sum of the particle types' weights, saturated at the largest unsigned value.
    uint32_t GetTotalWeight() const;

    uint32_t m_particleCount; // "Particles"
    float m_velocity;         // "Velocity", pixels per second
    float m_coneAngle;        // "Cone Angle", radians (shown in degrees)
    uint32_t m_particleTypeCount;
    CParticleType* m_particleTypes; // "Particle Types"
    uint32_t m_particleTypeCapacity;
};

// The sum of the weights of n particle types, saturated at the largest unsigned value.
uint32_t GetTotalWeight(const CParticleType* types, uint32_t count);
