#include "game/ship/ParticleGeneratorInfo.h"

#include "objects/FloatProperty.h"
#include "objects/ObjectArrayProperty.h"
#include "objects/UIntProperty.h"
#include "objects/UnitConverter.h"

#include <algorithm>
#include <numbers>

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

} // namespace

IMPLEMENT_CLASS_RECORD(CParticleGeneratorInfo, CObject, 1.0f)
void CParticleGeneratorInfo::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CUIntProperty("Particles", &CParticleGeneratorInfo::m_particleCount, 0, 4u));
    record->AddProperty(CFloatProperty::ConstructWithUnits("Velocity", "Pixels/Sec", &CParticleGeneratorInfo::m_velocity,
                                                           0, 30.0f, nullptr, 0.0f, 99999.0f));
    auto* cone = CFloatProperty::ConstructWithUnits("Cone Angle", "Deg", &CParticleGeneratorInfo::m_coneAngle, 0,
                                                    kTwoPi, nullptr, 0.0f, kTwoPi);
    cone->SetConverter(&g_degreesConverter);
    record->AddProperty(cone);
    record->AddProperty(new CObjectArrayProperty("Particle Types", &CParticleGeneratorInfo::m_particleTypeCount,
                                                 &CParticleGeneratorInfo::m_particleTypes,
                                                 &CParticleGeneratorInfo::m_particleTypeCapacity, nullptr, 0));
}

uint32_t CParticleGeneratorInfo::GetTotalWeight() const
{
    return ::GetTotalWeight(m_particleTypes, m_particleTypeCount);
}

uint32_t GetTotalWeight(const CParticleType* types, uint32_t count)
{
    uint64_t total = 0;
    for (uint32_t i = 0; types && i < count; ++i)
        total += types[i].m_weight;
    return static_cast<uint32_t>(std::min<uint64_t>(total, UINT32_MAX));
}
