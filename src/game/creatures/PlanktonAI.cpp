#include "game/creatures/PlanktonAI.h"

#include "foundation/R250Random.h"
#include "game/creatures/CreatureSlot.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"
#include "graphics/SequenceCollection.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"

namespace {

constexpr int kRightEdge = 501;
constexpr int kBottomEdge = 480;

float RandomCoordinate(int edge)
{
    return static_cast<float>(g_gameRandom.NextInRange(0, edge));
}

} // namespace

IMPLEMENT_CLASS_RECORD(CPlanktonAI, CSpriteAI, 1.0f)
void CPlanktonAI::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CFixedListChoiceProperty("Sequence", &CPlanktonAI::m_sequenceIndex,
                                                     &CSequenceCollection::GetInstance(), 0, nullptr));
    record->AddProperty(
        CFloatProperty::ConstructWithUnits("Min Speed", "Pixels Per Second", &CPlanktonAI::m_minSpeed, 0, 0.0f));
    record->AddProperty(
        CFloatProperty::ConstructWithUnits("Max Speed", "Pixels Per Second", &CPlanktonAI::m_maxSpeed, 0, 5.0f));
}

CPlanktonAI::CPlanktonAI() : CSpriteAI(1, 1)
{
    InitOwnProperties();
    SetPropertiesToDefaults();
}

CPlanktonAI::~CPlanktonAI()
{
    DestroyOwnProperties();
}

void CPlanktonAI::OnAttach(CSprite* sprite)
{
    sprite->SetDamping(1.0f);
    const float low = m_minSpeed * creature::kSecondsPerStep;
    const float high = m_maxSpeed * creature::kSecondsPerStep;
    const float vy = g_gameRandom.NextFloat(low, high);
    const float vx = g_gameRandom.NextFloat(low, high);
    sprite->SetVelocity({vx, vy});
    const float x = RandomCoordinate(kRightEdge);
    const float y = RandomCoordinate(kBottomEdge);
    sprite->SetPosition({x, y});
    creature::StartLooping(sprite, creature::GetSequenceOfEntry(m_sequenceIndex));
}

void CPlanktonAI::Update(CSprite* sprite, uint32_t)
{
    creature::AdvanceLooping(sprite);
    if (sprite->GetPosition().m_x > kRightEdge) {
        const float y = RandomCoordinate(kBottomEdge);
        sprite->SetPosition({0.0f, y});
    }
    if (sprite->GetPosition().m_y > kBottomEdge) {
        const float x = RandomCoordinate(kRightEdge);
        sprite->SetPosition({x, 0.0f});
    }
}

void CPlanktonAI::SyncState()
{
    CStateCheck::SyncFloat(m_minSpeed);
    CStateCheck::SyncFloat(m_maxSpeed);
    SyncNext();
}
