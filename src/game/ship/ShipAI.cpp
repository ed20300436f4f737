#include "game/ship/ShipAI.h"

#include "app/ForceFeedback.h"
#include "app/Joystick.h"
#include "app/Mouse.h"
#include "app/PlayerControls.h"
#include "game/Playfield.h"
#include "game/bricks/BallAI.h"
#include "game/ship/ShotAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/RecordedSound.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundList.h"
#include "sound/SoundSystem.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_ABSTRACT_CLASS_RECORD(CShipAI, CSpriteAI, 1.0f)

namespace {

// The action of the control set that fires (and serves).
constexpr int kFireAction = 0;
// The most pixels a caught ball is pushed up off the ship.
constexpr int kMaxPushUp = 64;
constexpr float kThrustStep = 7.0f / 120.0f;
constexpr float kRecoilKick = 3.5f;
// Force-feedback effects go to the player's device.
constexpr uint32_t kPlayerDevice = 4;
const char* const kAmbienceEffects[] = {dataname::forceeffect::kPlayfield, dataname::forceeffect::kShipRunning,
                                        dataname::forceeffect::kAmbientCatch, dataname::forceeffect::kHoldingBall};

CSequence* Find(const char* name)
{
    return CSequenceCollection::GetInstance().FindSequence(name);
}

CPlayerControls* GetPlayerZeroControls()
{
    CPlayfield* playfield = GetPlayfield();
    return playfield ? playfield->GetHost().GetPlayerControls() : nullptr;
}

// Null controls: the first player's.
void StartForceFeedback(const char* effect, const CPlayerControls* controls)
{
    if (CPlayfield* playfield = GetPlayfield())
        playfield->GetHost().StartForceFeedback(effect, controls);
}

CSoundBuffer* MakeLoopingSound(const char* name)
{
    CSoundBuffer* sound = CSoundList::GetInstance().CreateSoundInstance(name);
    if (sound)
        sound->SetLooping(true);
    return sound;
}

void DestroySound(CSoundBuffer*& sound)
{
    if (!sound)
        return;
    if (CSoundSystem* system = CSoundSystem::GetInstance())
        system->DestroyBuffer(sound);
    sound = nullptr;
}

void ShowSlot(CAnimationSlot* slot, CSequence* sequence)
{
    if (!slot)
        return;
    slot->SetSequence(sequence);
    slot->SetFlag(CAnimationSlot::kVisible, true);
}

} // namespace

uint32_t CShipAI::s_lastAmbience = 0;

void CShipAI::AddProperties(CClassRecord*)
{
}

CShipAI::CShipAI(CSprite* ship, CPlayerControls* controls, uint32_t style) : CSpriteAI(1, 1), m_controls(controls)
{
    InitOwnProperties();
    if (ship) {
        ship->SetFlag(CSprite::kFrozen, false);
        if (auto* animated = dynamic_cast<CAnimatedSprite*>(ship); animated && animated->GetSlotCount() == 0)
            FillSlots(animated, style);
    }
    m_catchSound = MakeLoopingSound(dataname::sound::kCanCatch);
    m_holdSound = MakeLoopingSound(dataname::sound::kHold);
}

CShipAI::~CShipAI()
{
    DestroySound(m_catchSound);
    DestroySound(m_holdSound);
    DestroyOwnProperties();
}

void CShipAI::FillSlots(CAnimatedSprite* ship, uint32_t style)
{
    // The ships follow "TX Ship" in the list; a style past the sixth would land on the guns.
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    const int first = sequences.FindIndexByName(dataname::sequence::kShip, 0);
    CSequence* body = nullptr;
    if (first >= 0)
        body = dynamic_cast<CSequence*>(sequences.GetItem(static_cast<uint32_t>(first) + std::min(style, kLastStyle)));
    ship->AddSlot(body);
    ship->AddSlot(Find(dataname::sequence::kNormalShield));
    const struct
    {
        const char* name;
        int32_t x, y;
    } hidden[] = {{dataname::sequence::kThrustLeft, 3, 12},
                  {dataname::sequence::kThrustRight, -3, 12},
                  {dataname::sequence::kSmallGunsRecoilLeft, 0, 0},
                  {dataname::sequence::kSmallGunsRecoilLeft, 0, 0},
                  {dataname::sequence::kSmallGuns, 0, 0}};
    for (const auto& part : hidden) {
        CAnimationSlot* slot = ship->AddSlot(Find(part.name));
        slot->SetFlags(0);
        slot->SetFloatOffset(CFloatPoint{static_cast<float>(part.x), static_cast<float>(part.y)});
        slot->SetOffset(CIntPoint{part.x, part.y});
    }
}

CSprite* CShipAI::GetLiveHeldBall()
{
    CPlayfield* playfield = GetPlayfield();
    for (CSprite* ball = playfield ? playfield->GetBalls().GetHead() : nullptr; ball; ball = ball->GetNext())
        if (ball == m_heldBall && !ball->IsDead())
            return ball;
    m_heldBall = nullptr;
    return nullptr;
}

float CShipAI::ReadInput() const
{
    float t;
    if (CJoystick* joystick = m_controls->GetJoystick()) {
        joystick->SetDeadZones(0.0f, 0.0f);
        t = (joystick->GetX() + 1.0f) * 0.5f;
    } else {
        t = static_cast<float>(g_mouse.GetX()) * 0.0015625f;
    }
    return m_reversed ? 1.0f - t : t;
}

void CShipAI::Update(CSprite* sprite, uint32_t arg)
{
    auto* ship = dynamic_cast<CAnimatedSprite*>(sprite);
    UpdateGunParts(ship);
    RequestAmbience(sprite);
    sprite->SetVelocity(CFloatPoint{0.0f, 0.0f});
    if (m_controls) {
        const float x = std::round(ReadInput() * kTravel) + kLeftmostX;
        sprite->SetPosition(CFloatPoint{x, sprite->GetPosition().m_y});
        Thrust(ship, x);
        CSprite* ball = GetLiveHeldBall();
        if (ball)
            PlaceHeldBall(sprite, ball);
        m_firedLastTick = m_firedThisTick;
        m_firedThisTick = m_controls->IsFiring(kFireAction);
        if (m_firedThisTick) {
            if (ball) {
                ReleaseBall(sprite);
                StartForceFeedback(dataname::forceeffect::kLaunchBall, m_controls);
            } else if (Fire(sprite) && m_gunLevel >= 2) {
                Fire(sprite);
            }
        }
    }
    if (ship)
        AnimateParts(ship);
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CShipAI::Thrust(CAnimatedSprite* ship, float x)
{
    if (m_previousX == -1.0f)
        m_previousX = x;
    const float dx = x - m_previousX;
    if (CAnimationSlot* shield = ship ? ship->GetSlot(kShieldSlot) : nullptr) {
        CFloatPoint offset = shield->GetFloatOffset();
        offset.m_x -= dx;
        shield->SetFloatOffset(offset);
    }
    if (x != m_previousX) {
        const bool left = x < m_previousX;
        CAnimationSlot* exhaust = ship ? ship->GetSlot(left ? kThrustRightSlot : kThrustLeftSlot) : nullptr;
        if (exhaust && !exhaust->IsVisible()) {
            exhaust->SetFlag(CAnimationSlot::kVisible, true);
            exhaust->SetPhase(0.0f);
            PlaySoundRecorded(dataname::sound::kThrust);
        }
        m_thrustBalance = std::clamp(m_thrustBalance + (left ? -kThrustStep : kThrustStep), 0.0f, 1.0f);
    }
    m_previousX = x;
}

void CShipAI::SyncState()
{
    CStateCheck::SyncWord(m_heldBall ? 1u : 0u);
    CStateCheck::SyncFloat(m_thrustBalance);
    CStateCheck::SyncWord(m_shieldSize | m_gunType << 4 | m_gunLevel << 8 | (m_canCatch ? 1u << 16 : 0u));
    SyncNext();
}

void CShipAI::ResetForRound(CSprite* sprite)
{
    auto* ship = dynamic_cast<CAnimatedSprite*>(sprite);
    m_heldBall = nullptr;
    m_previousX = -1.0f;
    if (CAnimationSlot* shield = ship ? ship->GetSlot(kShieldSlot) : nullptr) {
        shield->SetFloatOffset(CFloatPoint{shield->GetFloatOffset().m_x, 0.0f});
        shield->SetOffset(CIntPoint{shield->GetOffset().m_x, 0});
    }
    m_canCatch = false;
    if (m_shieldSize != kNormalShield)
        StartForceFeedback(dataname::forceeffect::kPaddleSizeChange, nullptr);
    m_shieldSize = kNormalShield;
    RemoveGuns(ship);
    m_thrustBalance = 0.5f;
}

void CShipAI::RemoveGuns(CAnimatedSprite* ship)
{
    m_gunType = 0;
    m_gunLevel = 1;
    for (uint32_t i = kRecoilLeftSlot; ship && i <= kGunSlot; ++i)
        if (CAnimationSlot* slot = ship->GetSlot(i))
            slot->SetFlag(CAnimationSlot::kVisible, false);
}

void CShipAI::SetGunType(uint32_t type, bool withSound)
{
    if (withSound && (type == 1 || type == 2))
        PlaySoundRecorded(type == 1 ? dataname::sound::kGunDeploy : dataname::sound::kBigGun);
    if (type == m_gunType) {
        ++m_gunLevel;
        return;
    }
    CPlayfield* playfield = GetPlayfield();
    CSprite* sprite = playfield ? playfield->GetShip().GetHead() : nullptr;
    auto* ship = sprite && FindSpriteAI<CShipAI>(sprite) == this ? dynamic_cast<CAnimatedSprite*>(sprite) : nullptr;
    if (m_gunType != 0)
        RemoveGuns(ship);
    if (type == 0)
        return;
    m_gunType = type;
    m_gunLevel = 1;
    m_nextShotFromLeft = false;
    if (!ship)
        return;
    const bool big = type == 2;
    using namespace dataname::sequence;
    ShowSlot(ship->GetSlot(kRecoilLeftSlot), Find(big ? kBigGunsRecoilLeft : kSmallGunsRecoilLeft));
    ShowSlot(ship->GetSlot(kRecoilRightSlot), Find(big ? kBigGunsRecoilRight : kSmallGunsRecoilRight));
    ShowSlot(ship->GetSlot(kGunSlot), Find(big ? dataname::sequence::kBigGuns : dataname::sequence::kSmallGuns));
}

bool CShipAI::Fire(CSprite* ship)
{
    CPlayfield* playfield = GetPlayfield();
    if (!HasGuns() || !playfield)
        return false;
    const bool big = m_gunType == 2;
    const bool left = m_nextShotFromLeft;
    if (auto* animated = dynamic_cast<CAnimatedSprite*>(ship))
        if (CAnimationSlot* recoil = animated->GetSlot(left ? kRecoilLeftSlot : kRecoilRightSlot)) {
            recoil->SetFloatOffset(CFloatPoint{recoil->GetFloatOffset().m_x, kRecoilKick});
            recoil->SetOffset(CIntPoint{recoil->GetOffset().m_x, static_cast<int32_t>(std::lround(kRecoilKick))});
        }
    PlaySoundRecorded(big ? dataname::sound::kFireBigGun : dataname::sound::kFireGun);
    namespace effect = dataname::forceeffect;
    StartForceFeedback(big ? (left ? effect::kFireLeftMissile : effect::kFireRightMissile)
                           : (left ? effect::kFireLeftLaser : effect::kFireRightLaser),
                       m_controls);
    auto* shot = new CSprite;
    const CFloatPoint& position = ship->GetPosition();
    shot->SetPosition(CFloatPoint{position.m_x + (left ? -kShotSideX : kShotSideX), position.m_y - kShotAboveY});
    shot->SetSequence(Find(big ? dataname::sequence::kBigShot : dataname::sequence::kPlayerShot));
    shot->SetVelocity(CFloatPoint{0.0f, -kShotSpeed});
    shot->SetDamping(1.0f);
    shot->AddAI(new CShotAI(shot, big));
    shot->SetLifetime(&playfield->GetShots(), kShotLifetime);
    m_nextShotFromLeft = !m_nextShotFromLeft;
    return true;
}

CFloatPoint CShipAI::GetShieldOffset(const CSprite* ship)
{
    const auto* animated = dynamic_cast<const CAnimatedSprite*>(ship);
    const CAnimationSlot* shield = animated ? animated->GetSlot(kShieldSlot) : nullptr;
    return shield ? shield->GetFloatOffset() : CFloatPoint{};
}

float CShipAI::GetShieldX(const CSprite* ship)
{
    return ship->GetPosition().m_x + GetShieldOffset(ship).m_x;
}

void CShipAI::PushShield(CSprite* ship, float dy)
{
    auto* animated = dynamic_cast<CAnimatedSprite*>(ship);
    if (CAnimationSlot* shield = animated ? animated->GetSlot(kShieldSlot) : nullptr) {
        shield->SetFloatOffset(CFloatPoint{shield->GetFloatOffset().m_x, dy});
        shield->SetOffset(CIntPoint{shield->GetOffset().m_x, static_cast<int32_t>(std::lround(dy))});
    }
}

void CShipAI::PlaceHeldBall(CSprite* ship, CSprite* ball) const
{
    const CFloatPoint shield = GetShieldOffset(ship);
    ball->SetPosition(CFloatPoint{ship->GetPosition().m_x + shield.m_x + m_heldOffset.m_x,
                                  ship->GetPosition().m_y + shield.m_y + m_heldOffset.m_y});
}

void CShipAI::CatchBall(CSprite* ship, CSprite* ball, bool serve)
{
    m_heldBall = ball;
    ball->SetVelocity(CFloatPoint{0.0f, 0.0f});
    if (CBallAI* ballAI = FindSpriteAI<CBallAI>(ball))
        ballAI->ResetRoll();
    const CFloatPoint shield = GetShieldOffset(ship);
    m_heldOffset = serve ? CFloatPoint{kServeX, kServeY}
                         : CFloatPoint{ball->GetPosition().m_x - ship->GetPosition().m_x - shield.m_x,
                                       ball->GetPosition().m_y - ship->GetPosition().m_y - shield.m_y};
    PlaceHeldBall(ship, ball);
    // Up off the ship; a bounded climb, so a ball that collides everywhere cannot hang the game.
    for (int pixel = 0; pixel < kMaxPushUp && ball->CollidesWith(ship); ++pixel) {
        m_heldOffset.m_y -= 1.0f;
        PlaceHeldBall(ship, ball);
    }
}

bool CShipAI::TryCatchBall(CSprite* ship, CSprite* ball)
{
    // A press that serves or shoots must not catch the ball again at once.
    const bool fired = m_controls && (m_controls->IsFiring(kFireAction) || m_firedLastTick);
    const CBallAI* ballAI = FindSpriteAI<CBallAI>(ball);
    if (!m_canCatch || m_heldBall || fired || !ballAI || !ballAI->HasBounced() || ballAI->IsLoose())
        return false;
    CatchBall(ship, ball, false);
    if (m_catchSound)
        m_catchSound->Stop();
    CSoundList::GetInstance().PlaySound(dataname::sound::kCatch);
    StartForceFeedback(dataname::forceeffect::kCatchBall, m_controls);
    return true;
}

void CShipAI::GrowShield()
{
    if (m_shieldSize < kBiggestShield)
        ++m_shieldSize;
    PlaySoundRecorded(dataname::sound::kSnapOnLarger);
}

void CShipAI::ShrinkShield()
{
    if (m_shieldSize > 0)
        --m_shieldSize;
    PlaySoundRecorded(dataname::sound::kSnapOnSmaller);
}

void CShipAI::ReleaseBall(CSprite* ship)
{
    if (CSprite* ball = GetLiveHeldBall())
        if (CBallAI* ballAI = FindSpriteAI<CBallAI>(ball)) {
            ballAI->SetHasBounced(false);
            ballAI->LaunchFromShip(ball, ship);
        }
    m_heldBall = nullptr;
}

void CShipAI::RequestAmbience(const CSprite* ship) const
{
    CPlayfield* playfield = GetPlayfield();
    if (!playfield)
        return;
    CPlayfieldHost& host = playfield->GetHost();
    const bool running =
        ship->IsActive() && !playfield->IsGameOver() && !playfield->IsLayingBricks() && !playfield->IsRoundComplete();
    uint32_t bits = 0;
    if (running) {
        bits = kAmbienceRunning;
        if (m_canCatch)
            bits |= m_heldBall ? kAmbienceHolding : kAmbienceCatch;
    }
    host.ClearForceEffectFlags(kShipAmbience & ~bits);
    host.SetForceEffectFlags(bits);
}

void CShipAI::SetForceFeedbackAmbience(uint32_t mask)
{
    const uint32_t changed = mask ^ s_lastAmbience;
    s_lastAmbience = mask;
    CForceFeedback* feedback = CForceFeedback::GetInstance();
    if (!changed || !feedback)
        return;
    const CPlayerControls* controls = GetPlayerZeroControls();
    for (uint32_t bit = 0; bit < 4; ++bit)
        if (changed & (1u << bit)) {
            if (mask & (1u << bit))
                feedback->StartEffect(kAmbienceEffects[bit], controls, kPlayerDevice);
            else
                feedback->StopEffect(kAmbienceEffects[bit], controls, kPlayerDevice);
        }
}
