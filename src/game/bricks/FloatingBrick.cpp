#include "game/bricks/FloatingBrick.h"

#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/ship/PowerUpKind.h"
#include "objects/BoolProperty.h"
#include "objects/EnumTable.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"
#include "objects/UIntProperty.h"
#include "objects/UnitConverter.h"

#include <cmath>

namespace {

CBrickInfo* GetBrick(uint32_t index)
{
    return index ? CBrickInfoCollection::GetInstance().GetBrickInfo(index) : nullptr;
}

} // namespace

IMPLEMENT_CLASS_RECORD(CFloatingBrick, CObject, 1.0f)
void CFloatingBrick::AddProperties(CClassRecord* record)
{
    CItemList* bricks = &CBrickInfoCollection::GetInstance();
    record->AddProperty(new CFloatProperty("Position X", &CFloatingBrick::m_positionX, 0, 0.0f));
    record->AddProperty(new CFloatProperty("Position Y", &CFloatingBrick::m_positionY, 0, 0.0f));
    record->AddProperty(new CFixedListChoiceProperty("Force Power-up", &CFloatingBrick::m_forcePowerUp,
                                                     &GetPowerUpKindTable(), 0, nullptr));
    record->AddProperty(new CFloatProperty("Movement/Speed", &CFloatingBrick::m_speed, 0, 0.0f));
    record->AddProperty(new CFloatProperty("Movement/Range 1", &CFloatingBrick::m_range1, 0, 0.0f));
    record->AddProperty(new CFloatProperty("Movement/Range 2", &CFloatingBrick::m_range2, 0, 0.0f));
    auto* direction =
        CFloatProperty::ConstructWithUnits("Movement/Direction", "Deg", &CFloatingBrick::m_direction, 0, 0.0f);
    direction->SetConverter(&g_degreesConverter);
    record->AddProperty(direction);
    record->AddProperty(new CBoolProperty("Movement/Can Move Through Other Bricks",
                                          &CFloatingBrick::m_canMoveThroughOtherBricks, 0, true));
    record->AddProperty(new CUIntProperty("Palette Index", &CFloatingBrick::m_paletteIndex, 0, 1u));
    record->AddProperty(
        new CFixedListChoiceProperty("Changing/Brick To Change From", &CFloatingBrick::m_changeFrom, bricks, 0, nullptr));
    record->AddProperty(
        new CFixedListChoiceProperty("Changing/Brick To Change To", &CFloatingBrick::m_changeTo, bricks, 0, nullptr));
    record->AddProperty(
        new CFixedListChoiceProperty("Changing/Brick To Look Like", &CFloatingBrick::m_lookLike, bricks, 0, nullptr));
}

void CFloatingBrick::GetPathEnds(CFloatPoint& first, CFloatPoint& second) const
{
    const CFloatPoint centre = GetPosition();
    const float c = std::cos(m_direction);
    const float s = std::sin(m_direction);
    first = {centre.m_x - m_range1 * c, centre.m_y - m_range1 * s};
    second = {centre.m_x + m_range2 * c, centre.m_y + m_range2 * s};
}

CBrickInfo* CFloatingBrick::GetChangeFrom() const
{
    return GetBrick(m_changeFrom);
}

CBrickInfo* CFloatingBrick::GetChangeTo() const
{
    return GetBrick(m_changeTo);
}

CBrickInfo* CFloatingBrick::GetLookLike() const
{
    return GetBrick(m_lookLike);
}
