#include "game/ship/ParticleGeneratorCollection.h"

#include "game/ship/ParticleGeneratorInfo.h"
#include "graphics/RegisterResourceGroup.h"

namespace {

constexpr const char* kTypeName = "PGen";
constexpr const char* kFolder = "Resources";

} // namespace

CParticleGeneratorCollection::CParticleGeneratorCollection()
    : CResourceCollection(kTypeName, CParticleGeneratorInfo::GetStaticClassRecord())
{
}

CParticleGeneratorCollection::~CParticleGeneratorCollection() = default;

CParticleGeneratorCollection& CParticleGeneratorCollection::GetInstance()
{
    static CParticleGeneratorCollection s_generators;
    return s_generators;
}

void CParticleGeneratorCollection::SetUpAtStartUp()
{
    RegisterResourceGroup(*this, "Particle Generators", kFolder);
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

CObject* CParticleGeneratorCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    // Play never writes into the data, where a loose file would shadow the archive's entry.
    return ReadItemOfItemClass(folder, fileName, out);
}
