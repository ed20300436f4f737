#include "game/creatures/FishAI.h"

#include "foundation/R250Random.h"
#include "game/creatures/CreatureSlot.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"
#include "graphics/SequenceCollection.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"

namespace {

// Where a fish counts as gone and where it may first appear.
constexpr float kLeftEdge = -100.0f;
constexpr float kRightEdge = 740.0f;
// A left-swimmer comes in from 480 less the lead, a right-swimmer from 0 less it.
constexpr float kLeftSwimmerBase = 480.0f;

} // namespace

IMPLEMENT_CLASS_RECORD(CFishAI, CSpriteAI, 1.0f)
void CFishAI::AddProperties(CClassRecord* record)
{
    CSequenceCollection* sequences = &CSequenceCollection::GetInstance();
    record->AddProperty(new CFixedListChoiceProperty("Left Sequence", &CFishAI::m_leftSequenceIndex, sequences, 0, nullptr));
    record->AddProperty(
        new CFixedListChoiceProperty("Right Sequence", &CFishAI::m_rightSequenceIndex, sequences, 0, nullptr));
    record->AddProperty(
        CFloatProperty::ConstructWithUnits("Minimum Speed", "Pixels Per Second", &CFishAI::m_minimumSpeed, 0, 30.0f));
    record->AddProperty(
        CFloatProperty::ConstructWithUnits("Maximum Speed", "Pixels Per Second", &CFishAI::m_maximumSpeed, 0, 50.0f));
}

CFishAI::CFishAI() : CSpriteAI(1, 1)
{
    InitOwnProperties();
    SetPropertiesToDefaults();
}

CFishAI::~CFishAI()
{
    DestroyOwnProperties();
}

void CFishAI::OnAttach(CSprite* sprite)
{
    sprite->SetDamping(1.0f);
    m_leftSequence = creature::GetSequenceOfEntry(m_leftSequenceIndex);
    m_rightSequence = creature::GetSequenceOfEntry(m_rightSequenceIndex);
    creature::StartLooping(sprite, m_rightSequence);
    Respawn(sprite, true);
}

void CFishAI::Respawn(CSprite* sprite, bool initial)
{
    const float lead = g_generalRandom.NextFloat(-160.0f, -30.0f);
    const float y = g_generalRandom.NextFloat(40.0f, 480.0f);
    const bool left = g_generalRandom.NextBelow(10) >= 5;
    const float direction = left ? -1.0f : 1.0f;
    if (CAnimationSlot* slot = creature::GetFirstSlot(sprite, nullptr))
        slot->SetSequence(left ? m_leftSequence : m_rightSequence);
    const float x = initial ? g_generalRandom.NextFloat(kLeftEdge, kRightEdge)
                            : direction * lead + (left ? kLeftSwimmerBase : 0.0f);
    sprite->SetPosition({x, y});
    const float speed = g_generalRandom.NextFloat(m_minimumSpeed, m_maximumSpeed) * creature::kSecondsPerStep;
    sprite->SetVelocity({speed * direction, 0.0f});
}

void CFishAI::Update(CSprite* sprite, uint32_t)
{
    creature::AdvanceLooping(sprite);
    const float x = sprite->GetPosition().m_x;
    if (x > kRightEdge || x < kLeftEdge)
        Respawn(sprite, false);
}

void CFishAI::SyncState()
{
    CStateCheck::SyncFloat(m_minimumSpeed);
    CStateCheck::SyncFloat(m_maximumSpeed);
    SyncNext();
}
