#pragma once
// A brick type file ("<name>.Brick"): the type that decides what a hit does, the looks (primary,
// after the first and second damage, destroyed), the sounds, the points, the break particles and
// the collision outline. Bricks of a round point to their CBrickInfo; layouts name brick types by
// their index in the collection.
//
// The rule a caller must know: sequence, sound and generator references are indices into their
// lists, where 0 is the "!None" entry and means none; the Get... helpers answer null for it.
#include "game/bricks/BrickType.h"
#include "game/ship/ParticleType.h"
#include "objects/Object.h"
#include "objects/Polygon2D.h"

#include <cstdint>

class CBrickInfoCollection;
class CParticleGeneratorInfo;
class CSequence;

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

    // The collection of brick types, by whose indices layouts and demo records name them.
    static CBrickInfoCollection& GetCollection();
    // The outline of every brick type without its own: (-16, -9), (15.5, -9), (15.5, 8.5),
    // (-16, 8.5), clockwise on screen.
    static const CPolygon2D& GetDefaultPolygon();

    uint32_t GetBrickType() const { return m_brickType; }
    bool IsNeeded() const { return IsNeededBrickType(m_brickType); }
    // The loaded sequence of a sequence reference; null for none or one that cannot be loaded.
    static CSequence* GetSequence(uint32_t index);
    CSequence* GetPrimarySequence() const { return GetSequence(m_primarySequence); }
    // The particle generator of the break particles; null for none.
    CParticleGeneratorInfo* GetBreakParticleGenerator() const;

    uint32_t m_brickType;          // "Brick Type"
    uint32_t m_primarySequence;    // "Primary Sequence"
    uint32_t m_sequence2;          // "Sequence 2": the look after the first damage
    uint32_t m_sequence3;          // "Sequence 3": the look after the second damage
    uint32_t m_destroyedSequence;  // "Destroyed Seq": the effect left behind
    uint32_t m_destroyedSound;     // "Destroyed Sound"
    uint32_t m_indestructibleSound; // "Indestructible Sound"
    uint32_t m_damagedSound;       // "Damaged Sound"
    int32_t m_scoreValue;          // "Score Value"
    uint32_t m_breakParticleGenerator; // "Particles/Break Particle Gen"
    uint32_t m_breakParticleTypeCount;
    CParticleType* m_breakParticleTypes; // "Particles/Break Particle Types"
    uint32_t m_breakParticleTypeCapacity;
    CPolygon2D m_polygon; // "Collision Polygon"
};
