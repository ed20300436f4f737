// The ship's parts each tick (sway, shield spring, tilt, exhausts, gun recoils) and its electric
// arcs, with the arc's demo record.
#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "foundation/R250Random.h"
#include "game/Playfield.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/ship/ParticleGeneratorInfo.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/WorldRecordFields.h"
#include "graphics/Color.h"
#include "graphics/FrameInterface.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "sound/SoundBuffer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kSixth = 1.0f / 6.0f;
constexpr float kSwayStep = 1.0f / 240.0f;
constexpr float kShieldSpring = 0.6f;
constexpr float kBalanceReturn = 1.0f / 120.0f;
// The exhausts' sparks: from 17 pixels either side, 23 below.
constexpr float kExhaustSide = 17.0f;
constexpr float kExhaustBelow = 23.0f;
// Arcs: the shield's anchors above its position, the anchors on the body, the catcher's reach.
constexpr float kArcAbove = 16.0f;
constexpr float kBodyAnchorX = 12.0f;
constexpr float kBodyAnchorY = 10.0f;
constexpr float kCatchReachSquared = 8100.0f;
const float kArcHalfWidths[] = {13.0f, 20.0f, 16.0f, 21.0f, 33.0f};
const char* const kShieldSequences[] = {dataname::sequence::kSmallShield, dataname::sequence::kSmallShield2,
                                        dataname::sequence::kNormalShield, dataname::sequence::kLongShield,
                                        dataname::sequence::kBiggestShield};
constexpr uint32_t kBoltBits = 3;
constexpr uint32_t kMaxBolts = 5;

CColor ArcColour()
{
    CColor colour;
    colour.Set(140, 140, 255, 255);
    return colour;
}

// Drops a positive vertical offset by a sixth of a pixel (to 0 below that); the integer copy
// follows.
void SpringBack(CAnimationSlot* slot, float xFactor)
{
    CFloatPoint offset = slot->GetFloatOffset();
    if (offset.m_y > 0.0f)
        offset.m_y = offset.m_y < kSixth ? 0.0f : offset.m_y - kSixth;
    offset.m_x *= xFactor;
    slot->SetFloatOffset(offset);
    slot->SetOffset(CIntPoint{static_cast<int32_t>(std::lround(offset.m_x)), static_cast<int32_t>(std::lround(offset.m_y))});
}

void Bolt(CFrameInterface* target, const CFloatPoint& a, const CFloatPoint& b, float perpendicular, float length,
          const CColor& colour)
{
    const float r = static_cast<float>(g_generalRandom.NextBelow(5) + 5);
    if (r > length) {
        target->DrawAntialiasedLine(a.m_x, a.m_y, b.m_x, b.m_y, colour);
        return;
    }
    const float k = static_cast<float>(g_generalRandom.NextBelow(static_cast<uint32_t>(std::lround(length))));
    const float push = length * 0.5f - k;
    const CFloatPoint m{(a.m_x + b.m_x) * 0.5f + std::cos(perpendicular) * push,
                        (a.m_y + b.m_y) * 0.5f + std::sin(perpendicular) * push};
    Bolt(target, a, m, perpendicular, length * 0.5f, colour);
    Bolt(target, m, b, perpendicular, length * 0.5f, colour);
}

void DrawArcBolts(CFrameInterface* target, const CFloatPoint& from, const CFloatPoint& to, const CColor& colour,
                  uint32_t bolts)
{
    const float dx = to.m_x - from.m_x, dy = to.m_y - from.m_y;
    float perpendicular = std::atan2(dy, dx) + kPi / 2.0f;
    if (perpendicular < 0.0f)
        perpendicular += 2.0f * kPi;
    if (perpendicular >= 2.0f * kPi)
        perpendicular -= 2.0f * kPi;
    const float length = std::sqrt(dx * dx + dy * dy);
    for (uint32_t i = 0; i < bolts; ++i)
        Bolt(target, from, to, perpendicular, length, colour);
}

void DrawElecticityFromStream(CReplayStream& stream)
{
    CColor colour;
    colour.SetFromPixel565(static_cast<uint16_t>(stream.ReadBits(16)));
    const uint32_t bolts = stream.ReadBits(kBoltBits) + 1;
    const CFloatPoint from = worldrecord::ReadPosition(stream);
    const CFloatPoint to = worldrecord::ReadPosition(stream);
    if (CFrameInterface* target = worldrecord::GetReplayTarget())
        DrawArcBolts(target, from, to, colour, bolts);
}

CReplayCallback s_drawElectricity(&DrawElecticityFromStream, "CShipAI::DrawElecticityFromStream", 3);

} // namespace

void DrawElectricArc(CFrameInterface* target, const CFloatPoint& from, const CFloatPoint& to, const CColor& colour,
                     uint32_t bolts)
{
    bolts = std::clamp(bolts, 1u, kMaxBolts);
    if (CReplayStream* stream = worldrecord::GetRecordingStream()) {
        stream->BeginRecord(&s_drawElectricity, CReplayStream::kDrawRecord);
        stream->WriteBits(colour.GetPixel16(), 16);
        stream->WriteBits(bolts - 1, kBoltBits);
        worldrecord::WritePosition(*stream, from);
        worldrecord::WritePosition(*stream, to);
    }
    if (target)
        DrawArcBolts(target, from, to, colour, bolts);
}

void CShipAI::AnimateParts(CAnimatedSprite* ship)
{
    CAnimationSlot* body = ship->GetSlot(kBodySlot);
    if (!m_controls) {
        // A four-second sway.
        m_swayPhase += kSwayStep;
        if (body)
            body->SetPhase((std::sin(2.0f * kPi * m_swayPhase) + 1.0f) * 0.5f);
        return;
    }
    if (CAnimationSlot* shield = ship->GetSlot(kShieldSlot))
        SpringBack(shield, kShieldSpring);
    m_thrustBalance = m_thrustBalance > 0.5f ? std::max(0.5f, m_thrustBalance - kBalanceReturn)
                                             : std::min(0.5f, m_thrustBalance + kBalanceReturn);
    UpdateExhausts(ship);
    if (body)
        body->SetPhase(1.0f - m_thrustBalance);
    if (CAnimationSlot* shield = ship->GetSlot(kShieldSlot)) {
        shield->SetSequence(CSequenceCollection::GetInstance().FindSequence(kShieldSequences[m_shieldSize]));
        shield->AdvanceLooping();
    }
}

void CShipAI::UpdateExhausts(CAnimatedSprite* ship)
{
    const CFloatPoint position = ship->GetPosition();
    if (!m_exhaustLastXKnown) {
        m_exhaustLastX = position.m_x;
        m_exhaustLastXKnown = true;
    }
    const float dx = position.m_x - m_exhaustLastX;
    m_exhaustLastX = position.m_x;
    CPlayfield* playfield = GetPlayfield();
    CParticleGeneratorInfo* thruster =
        CParticleGeneratorCollection::GetInstance().FindGenerator(dataname::generator::kShipThruster);
    CAnimationSlot* left = ship->GetSlot(kThrustLeftSlot);
    if (left && left->IsVisible()) {
        if (left->AdvanceOnce())
            left->SetFlag(CAnimationSlot::kVisible, false);
        const float m = std::max(dx, 0.0f);
        if (playfield)
            playfield->SpawnSparks(CFloatPoint{position.m_x - kExhaustSide + m * 0.5f, position.m_y + kExhaustBelow},
                                   CPlayfield::kBoxShape, m, 3.0f, kPi, thruster, nullptr, &playfield->GetLowEffects());
    }
    CAnimationSlot* right = ship->GetSlot(kThrustRightSlot);
    if (right && right->IsVisible()) {
        if (right->AdvanceOnce())
            right->SetFlag(CAnimationSlot::kVisible, false);
        const float n = std::min(dx, 0.0f);
        if (playfield) {
            // The burst grows with the speed to the left for this call only.
            const uint32_t count = thruster ? thruster->m_particleCount : 0;
            if (thruster)
                thruster->m_particleCount =
                    static_cast<uint32_t>(std::lround((1.0f + (-n * 0.06f) * 3.0f) * static_cast<float>(count)));
            playfield->SpawnSparks(CFloatPoint{position.m_x + kExhaustSide + n * 0.5f, position.m_y + kExhaustBelow},
                                   CPlayfield::kBoxShape, -n, 3.0f, 0.0f, thruster, nullptr, &playfield->GetLowEffects());
            if (thruster)
                thruster->m_particleCount = count;
        }
    }
}

void CShipAI::UpdateGunParts(CAnimatedSprite* ship)
{
    if (!ship || !HasGuns())
        return;
    const CAnimationSlot* body = ship->GetSlot(kBodySlot);
    for (uint32_t i = kRecoilLeftSlot; i <= kGunSlot; ++i)
        if (CAnimationSlot* slot = ship->GetSlot(i)) {
            if (body)
                slot->SetPhase(body->GetPhase());
            if (i != kGunSlot)
                SpringBack(slot, 1.0f);
        }
}

void CShipAI::DrawOverlay(CSprite* ship, CFrameInterface* target)
{
    DrawCatcherArcs(ship, target);
    const CFloatPoint position = ship->GetPosition();
    const CFloatPoint shield = GetShieldOffset(ship);
    const float halfWidth = kArcHalfWidths[std::min(m_shieldSize, kBiggestShield)];
    for (float side : {-1.0f, 1.0f})
        DrawElectricArc(target, CFloatPoint{position.m_x + kBodyAnchorX * side, position.m_y - kBodyAnchorY},
                        CFloatPoint{position.m_x + shield.m_x + side * halfWidth, position.m_y + shield.m_y - kArcAbove},
                        ArcColour(), 1);
}

void CShipAI::StopSounds()
{
    for (CSoundBuffer* sound : {m_catchSound, m_holdSound})
        if (sound && sound->IsStillPlaying())
            sound->Stop();
}

void CShipAI::DrawCatcherArcs(const CSprite* ship, CFrameInterface* target)
{
    if (!m_canCatch) {
        StopSounds();
        return;
    }
    const CFloatPoint position = ship->GetPosition();
    const CFloatPoint shield{position.m_x + GetShieldOffset(ship).m_x, position.m_y + GetShieldOffset(ship).m_y};
    const float halfWidth = kArcHalfWidths[std::min(m_shieldSize, kBiggestShield)];
    const CFloatPoint a{shield.m_x + halfWidth, shield.m_y - kArcAbove};
    const CFloatPoint b{shield.m_x - halfWidth, shield.m_y - kArcAbove};
    bool near = false;
    CPlayfield* playfield = GetPlayfield();
    for (CSprite* ball = playfield ? playfield->GetBalls().GetHead() : nullptr; ball; ball = ball->GetNext()) {
        const float dx = ball->GetPosition().m_x - position.m_x, dy = ball->GetPosition().m_y - position.m_y;
        if (dx * dx + dy * dy >= kCatchReachSquared)
            continue;
        near = true;
        DrawElectricArc(target, a, ball->GetPosition(), ArcColour(), 2);
        DrawElectricArc(target, b, ball->GetPosition(), ArcColour(), 2);
    }
    CSoundBuffer* quiet = near ? m_catchSound : m_holdSound;
    CSoundBuffer* loud = near ? m_holdSound : m_catchSound;
    if (quiet && quiet->IsStillPlaying())
        quiet->Stop();
    if (loud && !loud->IsStillPlaying())
        loud->Play(false);
    if (!near)
        DrawElectricArc(target, a, b, ArcColour(), 4);
}
