#include "game/creatures/RandomDebrisAI.h"

#include "foundation/R250Random.h"
#include "game/creatures/CreatureSlot.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"
#include "graphics/SequenceCollection.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"
#include "objects/UnitConverter.h"
#include "objects/Vector2D.h"

#include <numbers>

namespace {

// Where debris is placed first, and the edges past which it wraps.
constexpr int kFieldRight = 501;
constexpr int kFieldBottom = 480;
constexpr float kRightEdge = 601.0f;
constexpr float kBottomEdge = 580.0f;
constexpr float kTopLeftEdge = -100.0f;

float RandomCoordinate(int edge)
{
    return static_cast<float>(g_gameRandom.NextInRange(0, edge));
}

CFloatProperty* AngleProperty(const char* label, float CRandomDebrisAI::*member, float defaultValue)
{
    auto* angle = CFloatProperty::ConstructWithUnits(label, "Deg", member, 0, defaultValue);
    angle->SetConverter(&g_degreesConverter);
    return angle;
}

} // namespace

IMPLEMENT_CLASS_RECORD(CRandomDebrisAI, CSpriteAI, 1.0f)
void CRandomDebrisAI::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CFixedListChoiceProperty("Sequence", &CRandomDebrisAI::m_sequenceIndex,
                                                     &CSequenceCollection::GetInstance(), 0, nullptr));
    record->AddProperty(
        CFloatProperty::ConstructWithUnits("Min Speed", "Pixels Per Second", &CRandomDebrisAI::m_minSpeed, 0, 0.0f));
    record->AddProperty(
        CFloatProperty::ConstructWithUnits("Max Speed", "Pixels Per Second", &CRandomDebrisAI::m_maxSpeed, 0, 5.0f));
    record->AddProperty(AngleProperty("Min Angle", &CRandomDebrisAI::m_minAngle, 0.0f));
    record->AddProperty(AngleProperty("Max Angle", &CRandomDebrisAI::m_maxAngle, 2.0f * std::numbers::pi_v<float>));
}

CRandomDebrisAI::CRandomDebrisAI() : CSpriteAI(1, 1)
{
    InitOwnProperties();
    SetPropertiesToDefaults();
}

CRandomDebrisAI::~CRandomDebrisAI()
{
    DestroyOwnProperties();
}

void CRandomDebrisAI::NewVelocity(CSprite* sprite) const
{
    const float speed = g_gameRandom.NextFloat(m_minSpeed * creature::kSecondsPerStep,
                                               m_maxSpeed * creature::kSecondsPerStep);
    const float angle = g_gameRandom.NextFloat(m_minAngle, m_maxAngle);
    CFloatPoint velocity{speed, 0.0f};
    CVector2D::Rotate(velocity, angle);
    sprite->SetVelocity(velocity);
}

void CRandomDebrisAI::OnAttach(CSprite* sprite)
{
    sprite->SetDamping(1.0f);
    NewVelocity(sprite);
    const float x = RandomCoordinate(kFieldRight);
    const float y = RandomCoordinate(kFieldBottom);
    sprite->SetPosition({x, y});
    creature::StartLooping(sprite, creature::GetSequenceOfEntry(m_sequenceIndex));
}

void CRandomDebrisAI::Update(CSprite* sprite, uint32_t)
{
    creature::AdvanceLooping(sprite);
    // Each wrap reads the place the one before left.
    const auto wrap = [&](bool past, bool acrossX, float to) {
        if (!past)
            return;
        const float other = RandomCoordinate(acrossX ? kFieldBottom : kFieldRight);
        sprite->SetPosition(acrossX ? CFloatPoint{to, other} : CFloatPoint{other, to});
        NewVelocity(sprite);
    };
    wrap(sprite->GetPosition().m_x > kRightEdge, true, kTopLeftEdge);
    wrap(sprite->GetPosition().m_x < kTopLeftEdge, true, kRightEdge);
    wrap(sprite->GetPosition().m_y > kBottomEdge, false, kTopLeftEdge);
    wrap(sprite->GetPosition().m_y < kTopLeftEdge, false, kBottomEdge);
}

void CRandomDebrisAI::SyncState()
{
    CStateCheck::SyncFloat(m_minSpeed);
    CStateCheck::SyncFloat(m_maxSpeed);
    CStateCheck::SyncFloat(m_minAngle);
    CStateCheck::SyncFloat(m_maxAngle);
    SyncNext();
}
