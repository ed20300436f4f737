#include "game/ship/ParticleGeneratorCollection.h"

#include "game/ship/ParticleGeneratorInfo.h"

CParticleGeneratorCollection::CParticleGeneratorCollection()
    : CGameResourceCollection("PGen", CParticleGeneratorInfo::GetStaticClassRecord(), "Particle Generators")
{
}

CParticleGeneratorCollection::~CParticleGeneratorCollection() = default;

CParticleGeneratorCollection& CParticleGeneratorCollection::GetInstance()
{
    static CParticleGeneratorCollection s_generators;
    return s_generators;
}

CParticleGeneratorInfo* CParticleGeneratorCollection::FindGenerator(const char* name)
{
    return GetGenerator(name ? FindIndexByName(name, -1) : -1);
}

CParticleGeneratorInfo* CParticleGeneratorCollection::GetGenerator(int i)
{
    if (i < 0 || static_cast<uint32_t>(i) >= GetCount())
        return nullptr;
    return dynamic_cast<CParticleGeneratorInfo*>(GetItem(static_cast<uint32_t>(i)));
}
