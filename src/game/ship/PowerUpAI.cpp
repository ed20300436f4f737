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
    {"Power Ups/Slow", &g_slow},
    {"Power Ups/Expand", &g_expand},
    {"Power Ups/Catcher", &g_catcher},
    {"Power Ups/Fire Ball", &g_fireBall},
    {"Power Ups/Multiply 3", &g_multiply3},
    {"Power Ups/Multiply 8", &g_multiply8},
    {"Power Ups/Gun", &g_gun},
    {"Power Ups/Big Gun", &g_bigGun},
    {"Power Ups/Extra Ball", &g_extraBall},
    {"Power Ups/Rail Ball", &g_railBall},
    {"Power Ups/Normal Ball", &g_normalBall},
    {"Power Ups/Small Ball", &g_smallBall},
    {"Power Ups/Shrink", &g_shrink},
    {"Power Ups/Fast", &g_fast},
    {"Power Ups/Bomb", &g_bomb},
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
        m_fallingSound = CSoundList::GetInstance().CreateSoundInstance("Bomb Dropped.wav");
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
        PlaySoundRecorded("Rail Ball.wav");
    if (m_kind == kSmallBall)
        PlaySoundRecorded("Small Ball.wav");
    if (m_kind >= kSlow && m_kind <= kFast) {
        Show(kKinds[m_kind].m_displayName->CStr(), kLarge, kMessageSeconds);
        AddLines(g_powerUp.CStr(), kSmall);
        if (CPlayfield* playfield = GetPlayfield())
            playfield->AddPoints(kPoints);
    }
    ApplyEffect(ship);
    StartForceFeedback(m_kind == kExpandPaddle || m_kind == kShrinkPaddle ? "Paddel Size Change PowerUp"
                       : m_kind == kBomb                                  ? "Bomb Explodes"
                                                                          : "PowerUp");
}

void CPowerUpAI::ApplyEffect(CSprite* ship)
{
    CShipAI* shipAI = ship ? FindSpriteAI<CShipAI>(ship) : nullptr;
    CPlayfield* playfield = GetPlayfield();
    switch (m_kind) {
    case kSlow:
    case kFast:
        PlaySoundRecorded(m_kind == kSlow ? "Slow.wav" : "Fast.wav");
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
        PlaySoundRecorded("Power Ups/Catcher.wav");
        if (shipAI)
            shipAI->EnableCatch();
        break;
    case kFireBall:
        PlaySoundRecorded("Fire Ball.wav");
        ForEachBall(true, [](CSprite* ball, CBallAI* ai) { ai->MakeFireBall(ball); });
        break;
    case kRailBall:
        ForEachBall(true, [](CSprite* ball, CBallAI* ai) { ai->MakeRailBall(ball); });
        break;
    case kNormalBall:
        PlaySoundRecorded("Normal Ball.wav");
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
            PlaySoundRecorded("Score.wav");
            break;
        }
        PlaySoundRecorded(m_kind == kMultiply3 ? "Multiply 3.wav" : "Multiply 8.wav");
        firstAI->SplitBall(first, m_kind == kMultiply3 ? 3 : 8);
        break;
    }
    case kGun:
    case kBigGun:
        if (shipAI)
            shipAI->SetGunType(m_kind == kGun ? 1 : 2, true);
        break;
    case kExtraBall:
        PlaySoundRecorded("Extra Ball.wav");
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
    PlaySoundRecorded("Ship Explode.wav");
    if (!ship)
        return;
    SpawnBurst(ship, 50.0f, 90.0f, "Ship Explode");
    if (CPlayfield* playfield = GetPlayfield())
        playfield->SpawnEffectAtSprite(ship, CSequenceCollection::GetInstance().FindSequence("ShipExplode"));
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
    PlaySoundRecorded("Bomb Explode.wav");
    SpawnBurst(powerUp, 10.0f, 40.0f, "Bomb Explode");
}
