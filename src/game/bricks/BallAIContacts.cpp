// The ball's contacts: the ship, the bricks, and the split into several balls.
#include "foundation/R250Random.h"
#include "game/Playfield.h"
#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickType.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/RecordedSound.h"
#include "objects/DataNames.h"
#include "objects/Vector2D.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kRollStep = 0.005f;
constexpr float kRollSpin = 0.025f;
// Destruction reaches of the rail ball and of the fire ball (small and not).
constexpr float kRailReach = 49.0f;
constexpr float kFireReach = 35.0f;
constexpr float kSmallFireReach = 25.0f;
// The sides a brick is hit from, and their spark angles.
constexpr uint32_t kAbove = 0, kBelow = 1, kLeft = 2, kRight = 3;
const float kSideAngles[] = {-kPi / 2.0f, kPi / 2.0f, kPi, 0.0f};
// How far a ball's bounce pushes the shield down.
constexpr float kShieldPush = 3.0f;
// A resting ball splits as if it flew straight up at Normal speed.
constexpr float kRestingSplitSpeed = 325.0f / 60.0f;

void StartForceFeedback(const char* effect)
{
    if (CPlayfield* playfield = GetPlayfield())
        playfield->GetHost().StartForceFeedback(effect, nullptr);
}

void ReturnToPreviousPosition(CSprite* ball)
{
    if (auto* animated = dynamic_cast<CAnimatedSprite*>(ball))
        ball->SetPosition(animated->GetPreviousPosition());
}

void SpawnContactSparks(CSprite* ball, int32_t radius, float angle, const char* generator)
{
    if (CPlayfield* playfield = GetPlayfield())
        playfield->SpawnSparksAtSprite(ball, radius, true, angle,
                                       CParticleGeneratorCollection::GetInstance().FindGenerator(generator));
}

} // namespace

bool CBallAI::PassesThrough(CSprite* sprite, CSprite* other, CSweepResult* hit)
{
    if (m_rail)
        if (const CBrickAI* brick = FindSpriteAI<CBrickAI>(other))
            return brick->GetBrickType() != kBrickObstacle;
    return CSpriteAI::PassesThrough(sprite, other, hit);
}

void CBallAI::OnHitShip(CSprite* ball, CSprite* ship)
{
    CPlayfield* playfield = GetPlayfield();
    if (m_loose) {
        // A freed ball joins play as a ball of its own at the speed of the balls in play.
        m_loose = false;
        auto* joined = new CAnimatedSprite;
        joined->SetPosition(ball->GetPosition());
        CFloatPoint velocity = ball->GetVelocity();
        const CBallAI* first = playfield ? FindSpriteAI<CBallAI>(playfield->GetBalls().GetHead()) : nullptr;
        if (first && first->m_speed > 0.1f) {
            CVector2D::Normalize(velocity);
            velocity = CVector2D::Scaled(velocity, first->m_speed);
        }
        joined->SetVelocity(velocity);
        joined->AddAI(new CBallAI(joined));
        if (playfield)
            playfield->GetBalls().Append(joined);
        ball->SetFlag(CSprite::kDead, true);
        return;
    }
    CFloatPoint velocity = ball->GetVelocity();
    if (velocity.m_y <= 0.0f)
        return;
    const float d = ball->GetPosition().m_x - CShipAI::GetShieldX(ship);
    if (ball->GetPosition().m_y > kShipTop) {
        const float speed = CVector2D::Length(velocity);
        const float angle = d > 0.0f ? kPi / 4.0f : 3.0f * kPi / 4.0f;
        ball->SetVelocity(CFloatPoint{speed * std::cos(angle), speed * std::sin(angle)});
    } else {
        const float theta = LaunchFromShip(ball, ship);
        ReturnToPreviousPosition(ball);
        SpawnContactSparks(ball, static_cast<int32_t>(GetRadius()), theta - kPi / 2.0f,
                           m_small ? dataname::generator::kBallHitShipSmall : dataname::generator::kBallHitShip);
        AfterBounce(ball, false);
        // The ball pushes the shield down; it springs back by itself.
        CShipAI::PushShield(ship, kShieldPush);
    }
    PlaySoundRecorded(dataname::sound::kBounce);
    namespace effects = dataname::forceeffect;
    const char* effect = m_rail ? (m_small ? effects::kSmallRailBallBounce : effects::kRailBallBounce)
                         : m_fire ? (m_small ? effects::kSmallFireBallBounce : effects::kFireBallBounce)
                                  : (m_small ? effects::kSmallBallBounce : effects::kBounce);
    StartForceFeedback(effect);
}

CFloatPoint CBallAI::GetShipBounceDirection(float offCentre)
{
    const float theta = GetShipBounceAngle(offCentre);
    return {std::sin(theta), -std::cos(theta)};
}

float CBallAI::LaunchFromShip(CSprite* ball, CSprite* ship)
{
    const float offCentre = ball->GetPosition().m_x - CShipAI::GetShieldX(ship);
    const CFloatPoint direction = GetShipBounceDirection(offCentre);
    ball->SetVelocity(CFloatPoint{m_speed * direction.m_x, m_speed * direction.m_y});
    m_rollRateY = ball->GetVelocity().m_x * -kRollStep;
    m_rollRateX = g_gameRandom.NextFloat(-kRollSpin, kRollSpin);
    return GetShipBounceAngle(offCentre);
}

void CBallAI::OnHitBrick(CSprite* ball, CSprite* brick, bool noBounce)
{
    uint32_t side = kAbove;
    if (!noBounce) {
        // Back at the previous height the ball still overlapping the brick came from the side.
        const CFloatPoint position = ball->GetPosition();
        const auto* animated = dynamic_cast<const CAnimatedSprite*>(ball);
        ball->SetPosition(CFloatPoint{position.m_x, animated ? animated->GetPreviousPosition().m_y : position.m_y});
        const bool overlaps = ball->OverlapsBox(brick);
        ball->SetPosition(position);
        if (!overlaps)
            side = ball->GetIntPosition().m_y > brick->GetIntPosition().m_y ? kBelow : kAbove;
        else
            side = ball->GetIntPosition().m_x > brick->GetIntPosition().m_x ? kRight : kLeft;
        m_rollRateY = ball->GetVelocity().m_x * kRollStep;
        m_rollRateX = g_gameRandom.NextFloat(-kRollSpin, kRollSpin);
        AfterBounce(ball, true);
    }
    if (m_loose)
        return;
    CBrickAI* brickAI = FindSpriteAI<CBrickAI>(brick);
    bool counted = false;
    if (brickAI) {
        if (m_rail)
            brickAI->Destroy(brick, false, kRailReach);
        if (m_fire && brickAI->GetBrickType() != kBrickObstacle) {
            brickAI->Destroy(brick, true, m_small ? kSmallFireReach : kFireReach);
            counted = true;
        } else {
            counted = brickAI->Hit(brick, side, m_small && !m_rail);
        }
    }
    if (!brick->IsDead())
        SpawnContactSparks(ball, static_cast<int32_t>(GetRadius()), kSideAngles[side],
                           m_small ? dataname::generator::kBallHitBrickSmall : dataname::generator::kBallHitBrick);
    if (!counted)
        return;
    // A held ball knocked against a brick (it can be carried into one) shakes the player's hand.
    CPlayfield* playfield = GetPlayfield();
    CSprite* ship = playfield ? playfield->GetShip().GetHead() : nullptr;
    if (const CShipAI* shipAI = ship ? FindSpriteAI<CShipAI>(ship) : nullptr; shipAI && shipAI->HoldsBall(ball))
        StartForceFeedback(dataname::forceeffect::kBrickHitOnPaddle);
    m_timeSinceBrick = 0.0f;
}

void CBallAI::SplitBall(CSprite* ball, uint32_t count)
{
    CPlayfield* playfield = GetPlayfield();
    if (!playfield || playfield->IsRoundComplete())
        return;
    CFloatPoint velocity = ball->GetVelocity();
    if (CVector2D::Length(velocity) < 0.1f)
        velocity = CFloatPoint{0.0f, -kRestingSplitSpeed};
    for (uint32_t k = 1; k < count; ++k) {
        const float angle = static_cast<float>(k) * (-2.0f * kPi / static_cast<float>(count));
        const float c = std::cos(angle), s = std::sin(angle);
        auto* split = new CAnimatedSprite;
        split->SetPosition(ball->GetPosition());
        split->SetVelocity(CFloatPoint{velocity.m_x * c - velocity.m_y * s, velocity.m_x * s + velocity.m_y * c});
        split->AddAI(new CBallAI(split, m_fire, m_rail, m_small));
        playfield->GetBalls().Append(split);
    }
}
