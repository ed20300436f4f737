#include "game/bricks/BrickInfo.h"

#include "game/bricks/BrickInfoCollection.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "objects/EnumTable.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/IntProperty.h"
#include "objects/ObjectArrayProperty.h"
#include "objects/PolygonProperty.h"
#include "sound/SoundList.h"

IMPLEMENT_CLASS_RECORD(CBrickInfo, CObject, 1.0f)
void CBrickInfo::AddProperties(CClassRecord* record)
{
    CItemList* sequences = &CSequenceCollection::GetInstance();
    CItemList* sounds = &CSoundList::GetInstance();
    record->AddProperty(new CFixedListChoiceProperty("Brick Type", &CBrickInfo::m_brickType, &GetBrickTypeTable(), 0,
                                                     "Normal"));
    // Index 0 is "!None" in every list, so the defaults need no name (and no list to be set up).
    record->AddProperty(new CFixedListChoiceProperty("Primary Sequence", &CBrickInfo::m_primarySequence, sequences, 0,
                                                     nullptr));
    record->AddProperty(new CFixedListChoiceProperty("Sequence 2", &CBrickInfo::m_sequence2, sequences, 0, nullptr));
    record->AddProperty(new CFixedListChoiceProperty("Sequence 3", &CBrickInfo::m_sequence3, sequences, 0, nullptr));
    record->AddProperty(new CFixedListChoiceProperty("Destroyed Seq", &CBrickInfo::m_destroyedSequence, sequences, 0,
                                                     nullptr));
    record->AddProperty(new CFixedListChoiceProperty("Destroyed Sound", &CBrickInfo::m_destroyedSound, sounds, 0,
                                                     dataname::sound::kPopBrick));
    record->AddProperty(new CFixedListChoiceProperty("Indestructible Sound", &CBrickInfo::m_indestructibleSound,
                                                     sounds, 0, nullptr));
    record->AddProperty(new CFixedListChoiceProperty("Damaged Sound", &CBrickInfo::m_damagedSound, sounds, 0,
                                                     nullptr));
    record->AddProperty(new CIntProperty("Score Value", &CBrickInfo::m_scoreValue, 0, 3));
    record->AddProperty(new CFixedListChoiceProperty("Particles/Break Particle Gen",
                                                     &CBrickInfo::m_breakParticleGenerator,
                                                     &CParticleGeneratorCollection::GetInstance(), 0, nullptr));
    record->AddProperty(new CObjectArrayProperty("Particles/Break Particle Types", &CBrickInfo::m_breakParticleTypeCount,
                                                 &CBrickInfo::m_breakParticleTypes,
                                                 &CBrickInfo::m_breakParticleTypeCapacity, nullptr, 0));
    record->AddProperty(new CPolygonProperty("Collision Polygon", &CBrickInfo::m_polygon, 0, &GetDefaultPolygon()));
}

CBrickInfoCollection& CBrickInfo::GetCollection()
{
    return CBrickInfoCollection::GetInstance();
}

const CPolygon2D& CBrickInfo::GetDefaultPolygon()
{
    static const CPolygon2D s_quad = [] {
        CPolygon2D quad;
        const float points[][2] = {{-16.0f, -9.0f}, {15.5f, -9.0f}, {15.5f, 8.5f}, {-16.0f, 8.5f}};
        for (const auto& p : points)
            quad.InsertPoint(p[0], p[1], UINT32_MAX);
        quad.Close();
        return quad;
    }();
    return s_quad;
}

CSequence* CBrickInfo::GetSequence(uint32_t index)
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    if (index == 0 || index >= sequences.GetCount())
        return nullptr;
    return dynamic_cast<CSequence*>(sequences.GetItem(index));
}

CParticleGeneratorInfo* CBrickInfo::GetBreakParticleGenerator() const
{
    return m_breakParticleGenerator ? CParticleGeneratorCollection::GetInstance().GetGenerator(
                                          static_cast<int>(m_breakParticleGenerator))
                                    : nullptr;
}
