#include "game/bricks/BrickInfo.h"

#include "objects/ObjectArrayProperty.h"
#include "objects/ResourceCollection.h"

IMPLEMENT_CLASS_RECORD(CBrickInfo, CObject, 1.0f)
void CBrickInfo::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CObjectArrayProperty("Particles/Break Particle Types", &CBrickInfo::m_breakParticleTypeCount,
                                                 &CBrickInfo::m_breakParticleTypes,
                                                 &CBrickInfo::m_breakParticleTypeCapacity, nullptr, 0));
}

CResourceCollection& CBrickInfo::GetCollection()
{
    static CResourceCollection s_bricks("Brick", GetStaticClassRecord());
    return s_bricks;
}
