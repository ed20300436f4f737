#include "game/ship/PowerUpAI.h"

#include "foundation/LocalizedString.h"
#include "game/Playfield.h"
#include "game/PlayfieldTexts.h"
#include "game/bricks/BallAI.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/RecordedSound.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundList.h"
#include "sound/SoundSystem.h"

IMPLEMENT_ABSTRACT_CLASS_RECORD(CPowerUpAI, CSpriteAI, 1.0f)

namespace {

using namespace playfieldtext;

CLocalizedString g_slow("Ball Slow Down");
CLocalizedString g_expand("Shield Expander");
CLocalizedString g_catcher("Ball Catcher");
CLocalizedString g_fireBall("Fire Ball");
CLocalizedString g_multiply3("3 Way Ball Split");
CLocalizedString g_multiply8("8 Way Ball Split");
CLocalizedString g_gun("Laser Blaster Gun");
CLocalizedString g_bigGun("Viz-E-Reveduv Gun");
CLocalizedString g_extraBall("Extra Ion Sphere");
CLocalizedString g_railBall("Rail Ball");
CLocalizedString g_normalBall("Normal Ball");
CLocalizedString g_smallBall("Small Ball");
CLocalizedString g_shrink("Shield Shrinker");
CLocalizedString g_fast("Ball Speed Up");
CLocalizedString g_bomb("Bomb");
CLocalizedString g_powerUp("Power Up");
CLocalizedString g_bombDestroyed("Bomb Destroyed");

struct KindInfo
{
    const char* m_capsule;
    const CLocalizedString* m_displayName;
};

const KindInfo kKinds[CPowerUpAI::kKindCount] = {
    {"", nullptr},
    {dataname::sequence::kCapsuleSlow, &g_slow},
    {dataname::sequence::kCapsuleExpand, &g_expand},
    {dataname::sequence::kCapsuleCatcher, &g_catcher},
    {dataname::sequence::kCapsuleFireBall, &g_fireBall},
    {dataname::sequence::kCapsuleMultiply3, &g_multiply3},
    {dataname::sequence::kCapsuleMultiply8, &g_multiply8},
    {dataname::sequence::kCapsuleGun, &g_gun},
    {dataname::sequence::kCapsuleBigGun, &g_bigGun},
    {dataname::sequence::kCapsuleExtraBall, &g_extraBall},
    {dataname::sequence::kCapsuleRailBall, &g_railBall},
    {dataname::sequence::kCapsuleNormalBall, &g_normalBall},
    {dataname::sequence::kCapsuleSmallBall, &g_smallBall},
    {dataname::sequence::kCapsuleShrink, &g_shrink},
    {dataname::sequence::kCapsuleFast, &g_fast},
    {dataname::sequence::kCapsuleBomb, &g_bomb},
};

constexpr float kMessageSeconds = 4.0f;
constexpr float kSlowFactor = 0.74f;
constexpr float kFastFactor = 1.35f;

void StartForceFeedback(const char* effect)
{
    if (CPlayfield* playfield = GetPlayfield())
        playfield->GetHost().StartForceFeedback(effect, nullptr);
}

void SpawnBurst(const CSprite* at, float sizeA, float sizeB, const char* generator)
{
    if (CPlayfield* playfield = GetPlayfield())
        playfield->SpawnSparks(at->GetPosition(), CPlayfield::kDiscShape, sizeA, sizeB, 0.0f,
                               CParticleGeneratorCollection::GetInstance().FindGenerator(generator), nullptr,
                               nullptr);
}

// Each ball in play, unless the round is complete and onlyInPlay is set.
template <typename Operation>
void ForEachBall(bool onlyInPlay, Operation operation)
{
    CPlayfield* playfield = GetPlayfield();
    if (!playfield || (onlyInPlay && playfield->IsRoundComplete()))
        return;
    for (CSprite* ball = playfield->GetBalls().GetHead(); ball; ball = ball->GetNext())
        if (CBallAI* ballAI = FindSpriteAI<CBallAI>(ball))
            operation(ball, ballAI);
}

} // namespace

void CPowerUpAI::AddProperties(CClassRecord*)
{
}

const char* CPowerUpAI::GetCapsuleName(uint32_t kind)
{
    return kind < kKindCount ? kKinds[kind].m_capsule : "";
}

CPowerUpAI::CPowerUpAI(CSprite* sprite, uint32_t kind) : CSpriteAI(1, 1), m_kind(kind)
{
    InitOwnProperties();
    if (!sprite)
        return;
    sprite->SetVelocity(CFloatPoint{0.0f, kind == kBomb ? kBombFallSpeed : kFallSpeed});
    sprite->SetDamping(1.0f);
    auto* animated = dynamic_cast<CAnimatedSprite*>(sprite);
    if (animated && kind != kNone && kind < kKindCount)
        if (CSequence* capsule = CSequenceCollection::GetInstance().FindSequence(kKinds[kind].m_capsule))
            animated->AddSlot(capsule);
    if (kind == kBomb) {
        m_fallingSound = CSoundList::GetInstance().CreateSoundInstance(dataname::sound::kBombDropped);
        if (m_fallingSound)
            m_fallingSound->Play(false);
    }
}

CPowerUpAI::~CPowerUpAI()
{
    if (m_fallingSound) {
        m_fallingSound->Stop();
        if (CSoundSystem* system = CSoundSystem::GetInstance())
            system->DestroyBuffer(m_fallingSound);
    }
    DestroyOwnProperties();
}

void CPowerUpAI::Update(CSprite* sprite, uint32_t arg)
{
    ++m_age;
    if (auto* animated = dynamic_cast<CAnimatedSprite*>(sprite))
        if (CAnimationSlot* capsule = animated->GetSlot(0))
            capsule->AdvanceLooping();
    if (sprite->GetPosition().m_y > CBallAI::kLostBelow)
        sprite->SetFlag(CSprite::kDead, true);
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CPowerUpAI::SyncState()
{
    CStateCheck::SyncWord(m_kind);
    CStateCheck::SyncWord(m_age);
    SyncNext();
}

void CPowerUpAI::OnCollect(CSprite* powerUp, CSprite* ship)
{
    powerUp->SetFlag(CSprite::kDead, true);
    // The rail and small balls' sounds come before their message.
    if (m_kind == kRailBall)
        PlaySoundRecorded(dataname::sound::kRailBall);
    if (m_kind == kSmallBall)
        PlaySoundRecorded(dataname::sound::kSmallBall);
    if (m_kind >= kSlow && m_kind <= kFast) {
        Show(kKinds[m_kind].m_displayName->CStr(), kLarge, kMessageSeconds);
        AddLines(g_powerUp.CStr(), kSmall);
        if (CPlayfield* playfield = GetPlayfield())
            playfield->AddPoints(kPoints);
    }
    ApplyEffect(ship);
    namespace effect = dataname::forceeffect;
    StartForceFeedback(m_kind == kExpandPaddle || m_kind == kShrinkPaddle ? effect::kPaddleSizeChangePowerUp
                       : m_kind == kBomb                                  ? effect::kBombExplodes
                                                                          : effect::kPowerUp);
}

void CPowerUpAI::ApplyEffect(CSprite* ship)
{
    CShipAI* shipAI = ship ? FindSpriteAI<CShipAI>(ship) : nullptr;
    CPlayfield* playfield = GetPlayfield();
    switch (m_kind) {
    case kSlow:
    case kFast:
        PlaySoundRecorded(m_kind == kSlow ? dataname::sound::kSlow : dataname::sound::kFast);
        ForEachBall(false, [this](CSprite* ball, CBallAI* ai) {
            ai->ScaleSpeed(ball, m_kind == kSlow ? kSlowFactor : kFastFactor);
        });
        break;
    case kExpandPaddle:
        if (shipAI)
            shipAI->GrowShield();
        break;
    case kShrinkPaddle:
        if (shipAI)
            shipAI->ShrinkShield();
        break;
    case kCatch:
        PlaySoundRecorded(dataname::sound::kCatcher);
        if (shipAI)
            shipAI->EnableCatch();
        break;
    case kFireBall:
        PlaySoundRecorded(dataname::sound::kFireBall);
        ForEachBall(true, [](CSprite* ball, CBallAI* ai) { ai->MakeFireBall(ball); });
        break;
    case kRailBall:
        ForEachBall(true, [](CSprite* ball, CBallAI* ai) { ai->MakeRailBall(ball); });
        break;
    case kNormalBall:
        PlaySoundRecorded(dataname::sound::kNormalBall);
        ForEachBall(true, [](CSprite* ball, CBallAI* ai) { ai->MakeNormalBall(ball); });
        break;
    case kSmallBall:
        ForEachBall(true, [](CSprite* ball, CBallAI* ai) { ai->MakeSmallBall(ball); });
        break;
    case kMultiply3:
    case kMultiply8: {
        CSprite* first = playfield ? playfield->GetBalls().GetHead() : nullptr;
        CBallAI* firstAI = first ? FindSpriteAI<CBallAI>(first) : nullptr;
        if (!firstAI) {
            PlaySoundRecorded(dataname::sound::kScore);
            break;
        }
        PlaySoundRecorded(m_kind == kMultiply3 ? dataname::sound::kMultiply3 : dataname::sound::kMultiply8);
        firstAI->SplitBall(first, m_kind == kMultiply3 ? 3 : 8);
        break;
    }
    case kGun:
    case kBigGun:
        if (shipAI)
            shipAI->SetGunType(m_kind == kGun ? 1 : 2, true);
        break;
    case kExtraBall:
        PlaySoundRecorded(dataname::sound::kExtraBall);
        if (playfield)
            playfield->SetLives(playfield->GetLives() + 1);
        break;
    case kBomb:
        ExplodeShip(ship);
        break;
    default:
        break;
    }
}

void CPowerUpAI::ExplodeShip(CSprite* ship)
{
    Show(g_bomb.CStr(), kLarge, kMessageSeconds);
    PlaySoundRecorded(dataname::sound::kShipExplode);
    if (!ship)
        return;
    SpawnBurst(ship, 50.0f, 90.0f, dataname::generator::kShipExplode);
    if (CPlayfield* playfield = GetPlayfield())
        playfield->SpawnEffectAtSprite(
            ship, CSequenceCollection::GetInstance().FindSequence(dataname::sequence::kShipExplode));
    ship->SetActive(false);
    if (CShipAI* shipAI = FindSpriteAI<CShipAI>(ship))
        shipAI->ReleaseBall(ship);
}

void CPowerUpAI::OnHitByBall(CSprite* powerUp)
{
    if (m_kind != kBomb || m_age <= kBombArmedAfter || powerUp->IsDead())
        return;
    powerUp->SetFlag(CSprite::kDead, true);
    Show(g_bombDestroyed.CStr(), kLarge, kMessageSeconds);
    if (CPlayfield* playfield = GetPlayfield())
        playfield->AddPoints(kBombPoints);
    PlaySoundRecorded(dataname::sound::kBombExplode);
    SpawnBurst(powerUp, 10.0f, 40.0f, dataname::generator::kBombExplode);
}
