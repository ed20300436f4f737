#include "game/ship/ParticleType.h"

#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/UIntProperty.h"

IMPLEMENT_CLASS_RECORD(CParticleType, CObject, 1.0f)
void CParticleType::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CFixedListChoiceProperty("Particle Type", &CParticleType::m_sequence,
                                                     &CSequenceCollection::GetInstance(), 0, nullptr));
    record->AddProperty(new CUIntProperty("Weight", &CParticleType::m_weight, 0, 10u));
    record->AddProperty(new CUIntProperty("", &CParticleType::m_reserved, 0, 0u));
}

CSequence* CParticleType::GetSequence() const
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    if (m_sequence == 0 || m_sequence >= sequences.GetCount())
        return nullptr;
    return dynamic_cast<CSequence*>(sequences.GetItem(m_sequence));
}
