#include "game/rounds/RoundSet.h"

#include "game/bricks/BrickLayoutCollection.h"
#include "game/rounds/CheckPointDefinition.h"
#include "objects/ArrayProperty.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/ObjectArrayProperty.h"

#include <algorithm>

namespace {

const CArrayProperty& RoundListProperty()
{
    return *static_cast<const CArrayProperty*>(CRoundSet::GetStaticClassRecord()->FindProperty("Round List"));
}

} // namespace

IMPLEMENT_CLASS_RECORD(CRoundSet, CObject, 1.0f)
void CRoundSet::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CArrayProperty(
        "Rounds/Round List", &CRoundSet::m_roundCount, &CRoundSet::m_rounds, &CRoundSet::m_roundCapacity, false,
        new CFixedListChoiceProperty("Round", 0, &CBrickLayoutCollection::GetInstance(), 0, nullptr, nullptr), nullptr,
        0));
    record->AddProperty(new CObjectArrayProperty("Checkpoints/Checkpoints", &CRoundSet::m_checkPointCount,
                                                 &CRoundSet::m_checkPoints, &CRoundSet::m_checkPointCapacity, nullptr,
                                                 0));
}

CRoundSet::CRoundSet()
{
    InitOwnProperties();
    SetPropertiesToDefaults();
}

CRoundSet::~CRoundSet()
{
    DestroyOwnProperties();
}

uint32_t CRoundSet::GetCheckPoint(uint32_t i) const
{
    const CCheckPointDefinition* checkPoint = GetCheckPointDefinition(i);
    return checkPoint ? checkPoint->m_roundNumber : 0;
}

CCheckPointDefinition* CRoundSet::GetCheckPointDefinition(uint32_t i) const
{
    return i < m_checkPointCount && m_checkPoints ? &m_checkPoints[i] : nullptr;
}

int CRoundSet::FindCheckPointForRound(uint32_t round) const
{
    if (m_checkPointCount == 0)
        return -1;
    int found = 0;
    for (uint32_t i = 0; i < m_checkPointCount; ++i)
        if (m_checkPoints[i].m_roundNumber <= round)
            found = static_cast<int>(i);
    return found;
}

void CRoundSet::AppendRound(uint32_t layout)
{
    RoundListProperty().Resize(this, m_roundCount + 1);
    m_rounds[m_roundCount - 1] = layout;
}

bool CRoundSet::AppendCheckPoint(uint32_t round, uint32_t image)
{
    if (m_checkPointCount == m_checkPointCapacity) {
        const uint32_t capacity = std::max(m_checkPointCount + 1, static_cast<uint32_t>(m_checkPointCapacity * 1.2));
        const CClassRecord* record = CCheckPointDefinition::GetStaticClassRecord();
        auto* grown = static_cast<CCheckPointDefinition*>(record->CreateObjectArray(capacity));
        if (!grown)
            return false;
        for (uint32_t i = 0; i < capacity; ++i)
            grown[i].SetPropertiesToDefaults();
        for (uint32_t i = 0; i < m_checkPointCount; ++i)
            grown[i].CopyPropertiesFrom(&m_checkPoints[i]);
        if (m_checkPoints)
            record->DeleteObjectArray(m_checkPoints);
        m_checkPoints = grown;
        m_checkPointCapacity = capacity;
    }
    CCheckPointDefinition& added = m_checkPoints[m_checkPointCount++];
    added.m_roundNumber = round;
    added.m_image = image;
    return true;
}
