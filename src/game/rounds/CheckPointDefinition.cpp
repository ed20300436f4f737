#include "game/rounds/CheckPointDefinition.h"

#include "graphics/SequenceCollection.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/UIntProperty.h"
#include "objects/UnitConverter.h"

namespace {

// Rounds are counted from 0 and shown from 1.
class COneBasedRoundConverter final : public CUnitConverter<uint32_t>
{
public:
    uint32_t ToDisplay(uint32_t value) const override { return value + 1; }
    uint32_t FromDisplay(uint32_t value) const override { return value == 0 ? 0 : value - 1; }
};

const COneBasedRoundConverter s_oneBased;

} // namespace

IMPLEMENT_CLASS_RECORD(CCheckPointDefinition, CObject, 1.0f)
void CCheckPointDefinition::AddProperties(CClassRecord* record)
{
    auto* round = CUIntProperty::ConstructWithUnits("Round Number", "", &CCheckPointDefinition::m_roundNumber, 0, 0u,
                                                    nullptr, 0, kMaxRoundNumber);
    round->SetConverter(&s_oneBased);
    record->AddProperty(round);
    record->AddProperty(new CFixedListChoiceProperty("Image", &CCheckPointDefinition::m_image,
                                                     &CSequenceCollection::GetInstance(), 0, nullptr));
}

CCheckPointDefinition::CCheckPointDefinition()
{
    InitOwnProperties();
    SetPropertiesToDefaults();
}

CCheckPointDefinition::~CCheckPointDefinition()
{
    DestroyOwnProperties();
}
