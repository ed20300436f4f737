#include "shell/DemoBot.h"

#include "game/Playfield.h"
#include "game/bricks/BallAI.h"
#include "game/ship/PowerUpAI.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"
#include "platform/Events.h"
#include "shell/DemoBotAim.h"

#include <algorithm>
#include <cmath>

namespace {

// The row on which the ball's centre meets the ship lies this far above the ship's centre (the
// bot's reckoning; the game's CBallAI::kShipTop is the height below which the ship's side is met);
// a ball this far below that row is lost.
constexpr float kMeetAboveShip = 12.0f;
constexpr float kPastShip = 10.0f;
// How far off the ship's centre the bot meets a ball when no spot sends it anywhere better.
constexpr float kMaxOffset = 22.0f;
// Steps between clicks that fire the guns.
constexpr uint32_t kClickEvery = 50;
constexpr uint32_t kClickJitter = 40;
constexpr int kWindowWidth = 640;
// The pointer's reach.
constexpr int kPointerLeft = 0;
constexpr int kPointerRight = kWindowWidth - 1;
// The ship's pace at the pointer's.
constexpr float kShipStep = CDemoBot::kPointerStep * CShipAI::kTravel / kWindowWidth;
// How far from the shield's centre the bot lets a ball meet it, by shield size: the spots it aims
// with, a few pixels inside the shield's ends (the ball meets the bar up to its radius past them),
// and the spacing of the spots tried.
constexpr float kSpotReach[] = {16.0f, 23.0f, 20.0f, 25.0f, 36.0f};
constexpr float kSpotSpacing = 2.0f;
// The ship is in place this many steps before the ball comes, so that its shield has settled and
// the ball meets its top, not its side.
constexpr float kSettleSteps = 8.0f;
// Steps to spare a detour to a capsule must leave.
constexpr float kDetourSlack = 12.0f;
// Paths are followed this far, and until they come back down past this row.
constexpr float kPathReach = 1400.0f;
constexpr float kGiveUpY = 400.0f;
// Launch places tried across the ship's travel, and how near the ship must be to launch.
constexpr float kLaunchSpacing = 6.0f;
constexpr float kLaunchSlack = 1.5f;
// A held ball is launched after this long whatever the aim; not before the ship has had a moment.
constexpr uint32_t kMostHoldSteps = 150;
constexpr uint32_t kLeastHoldSteps = 12;
// A bomb that passes the ship's height (from this far above its centre to this far below) within
// this many steps is about to arrive; the ship keeps this far from it.
constexpr float kBombAbove = -30.0f, kBombBelow = 20.0f;
constexpr float kBombWarningSteps = 40.0f;
constexpr float kBombClearance = 48.0f;
// More steps than any wait: no ball to be met, no limit to the ship's travel.
constexpr float kForever = 1e9f;
// Moving the ship is a small cost against a better aim.
constexpr float kMovingCost = 0.5f;
// A strike on the next bounce is worth less than one on this; looked for every few steps.
constexpr float kLookAheadWorth = 0.5f;
constexpr uint32_t kLookAheadEvery = 6;

float ShieldReach(const CSprite& ship)
{
    const CShipAI* shipAI = FindSpriteAI<CShipAI>(&ship);
    const uint32_t size = shipAI ? std::min(shipAI->GetShieldSize(), CShipAI::kBiggestShield) : CShipAI::kNormalShield;
    return kSpotReach[size];
}

bool IsSmall(const CSprite& ball)
{
    const CBallAI* ballAI = FindSpriteAI<CBallAI>(&ball);
    return ballAI && ballAI->IsSmall();
}

// Whether the ship, now at shipX, can be at x within the travel and its reach.
bool CanBeAt(float x, float shipX, float travel)
{
    return std::fabs(x - shipX) <= travel && x >= CShipAI::kLeftmostX && x <= CShipAI::kLeftmostX + CShipAI::kTravel;
}

} // namespace

CDemoBot::CDemoBot(uint32_t seed) : m_random(seed)
{
    m_nextClick = kClickEvery + m_random.NextBelow(kClickJitter);
}

float CDemoBot::PredictLanding(const CFloatPoint& position, const CFloatPoint& velocity, float lineY, float radius)
{
    if (velocity.m_y <= 0.0f || position.m_y >= lineY)
        return position.m_x;
    const float left = CBallAI::kFieldLeft + radius, right = CBallAI::kFieldRight - radius;
    const float width = right - left;
    if (width <= 0.0f)
        return position.m_x;
    // Unfold the walls: the path is a straight line over mirrored copies of the field.
    const float travelled = position.m_x - left + velocity.m_x * (lineY - position.m_y) / velocity.m_y;
    float folded = std::fmod(travelled, 2.0f * width);
    if (folded < 0.0f)
        folded += 2.0f * width;
    return left + (folded <= width ? folded : 2.0f * width - folded);
}

int CDemoBot::PointerXForShip(float x)
{
    const float pointer = (x - CShipAI::kLeftmostX) / CShipAI::kTravel * static_cast<float>(kWindowWidth);
    return std::clamp(static_cast<int>(std::lround(pointer)), kPointerLeft, kPointerRight);
}

bool CDemoBot::IsWorthCatching(uint32_t kind)
{
    return kind != CPowerUpAI::kBomb && kind != CPowerUpAI::kShrinkPaddle && kind != CPowerUpAI::kFast &&
           kind != CPowerUpAI::kSmallBall;
}

float CDemoBot::BestStrike(CPlayfield& playfield, float landing, float lineY, bool small, float reach, float shipX,
                           float travel, float& bestSpot)
{
    float bestScore = 0.0f;
    for (float spot = -reach; spot <= reach; spot += kSpotSpacing) {
        // The ball meets the shield `spot` pixels right of its centre: the ship lies left of it.
        const float x = landing - spot;
        if (!CanBeAt(x, shipX, travel))
            continue;
        const CDemoBotAim::PathHit hit =
            CDemoBotAim::TracePath(playfield.GetBricks(), {landing, lineY}, CBallAI::GetShipBounceDirection(spot),
                                   small, kPathReach, kGiveUpY);
        const float score = CDemoBotAim::Score(hit) - std::fabs(x - shipX) * kMovingCost;
        if (score > bestScore) {
            bestScore = score;
            bestSpot = spot;
        }
    }
    return bestScore;
}

float CDemoBot::ChooseOffset(CPlayfield& playfield, const CSprite& ship, const CSprite& ball, float landing,
                             float steps)
{
    const float reach = ShieldReach(ship);
    const float lineY = ship.GetPosition().m_y - kMeetAboveShip;
    const float shipX = ship.GetPosition().m_x;
    const float travel = kShipStep * std::max(steps - kSettleSteps, 0.0f);
    const bool small = IsSmall(ball);
    float spot = 0.0f;
    if (BestStrike(playfield, landing, lineY, small, reach, shipX, travel, spot) > 0.0f)
        return -spot;
    // No spot strikes a brick worth it: one whose ball comes back where the next bounce can, now
    // and then (the look ahead is long).
    if (m_steps < m_nextLookAhead)
        return m_offset;
    m_nextLookAhead = m_steps + kLookAheadEvery;
    float best = std::clamp(m_randomOffset, -reach, reach), bestScore = 0.0f;
    for (float first = -reach; first <= reach; first += kSpotSpacing * 2.0f) {
        const float x = landing - first;
        if (!CanBeAt(x, shipX, travel))
            continue;
        const CDemoBotAim::PathHit back = CDemoBotAim::TracePath(
            playfield.GetBricks(), {landing, lineY}, CBallAI::GetShipBounceDirection(first), small, kPathReach, lineY);
        if (back.brick || back.end.m_y < lineY - 1.0f)
            continue;
        const float score =
            BestStrike(playfield, back.end.m_x, lineY, small, reach, back.end.m_x, kForever, spot) * kLookAheadWorth -
            std::fabs(x - shipX) * kMovingCost;
        if (score > bestScore) {
            bestScore = score;
            best = -first;
        }
    }
    return best;
}

float CDemoBot::ChooseLaunchX(CPlayfield& playfield, const CSprite& ship, const CSprite& ball)
{
    const CFloatPoint direction = CBallAI::GetShipBounceDirection(ball.GetPosition().m_x - CShipAI::GetShieldX(&ship));
    const bool small = IsSmall(ball);
    const float shipX = ship.GetPosition().m_x;
    float best = shipX, bestScore = 0.0f;
    for (float x = CShipAI::kLeftmostX; x <= CShipAI::kLeftmostX + CShipAI::kTravel; x += kLaunchSpacing) {
        const CFloatPoint from{ball.GetPosition().m_x + x - shipX, ball.GetPosition().m_y};
        const CDemoBotAim::PathHit hit =
            CDemoBotAim::TracePath(playfield.GetBricks(), from, direction, small, kPathReach, kGiveUpY);
        const float score = CDemoBotAim::Score(hit) - std::fabs(x - shipX) * kMovingCost;
        if (score > bestScore) {
            bestScore = score;
            best = x;
        }
    }
    return best;
}

float CDemoBot::AvoidBombs(CPlayfield& playfield, const CSprite& ship, float x, float ballX, float ballSteps) const
{
    const float shipX = ship.GetPosition().m_x, shipY = ship.GetPosition().m_y;
    // Where the ship is t steps from now, heading for x at its pace.
    const auto shipAt = [&](float t) { return shipX + std::clamp(x - shipX, -kShipStep * t, kShipStep * t); };
    for (const CSprite* capsule = playfield.GetPowerUps().GetHead(); capsule; capsule = capsule->GetNext()) {
        const CPowerUpAI* powerUp = FindSpriteAI<CPowerUpAI>(capsule);
        const CFloatPoint at = capsule->GetPosition();
        const float fall = capsule->GetVelocity().m_y;
        if (capsule->IsDead() || !powerUp || powerUp->GetKind() != CPowerUpAI::kBomb || fall <= 0.0f)
            continue;
        // The steps during which the bomb passes the ship's height.
        const float arrives = std::max((shipY + kBombAbove - at.m_y) / fall, 0.0f);
        const float leaves = (shipY + kBombBelow - at.m_y) / fall;
        if (leaves < 0.0f || arrives > kBombWarningSteps)
            continue;
        const float low = at.m_x - kBombClearance, high = at.m_x + kBombClearance;
        bool meets = false;
        for (float t = arrives; t <= leaves && !meets; t += 1.0f)
            meets = shipAt(t) > low && shipAt(t) < high;
        if (!meets)
            continue;
        // Wait beside it, on the side the ship can reach before it comes, until it has passed; so
        // long as the ball is still met after.
        float aside = shipX < at.m_x ? low : high;
        if (std::fabs(aside - shipX) > kShipStep * arrives) {
            const float other = aside == low ? high : low;
            if (std::fabs(other - shipX) <= kShipStep * arrives)
                aside = other;
        }
        if (leaves + std::fabs(ballX - aside) / kShipStep < ballSteps)
            x = aside;
    }
    return x;
}

float CDemoBot::StepsToLanding(CPlayfield& playfield, const CSprite& ball, float lineY)
{
    const CFloatPoint at = ball.GetPosition(), velocity = ball.GetVelocity();
    const float speed = std::sqrt(velocity.m_x * velocity.m_x + velocity.m_y * velocity.m_y);
    if (speed < 0.1f || std::fabs(velocity.m_y) < 0.01f)
        return kForever;
    if (velocity.m_y > 0.0f)
        return (lineY - at.m_y) / velocity.m_y;
    const CDemoBotAim::PathHit hit =
        CDemoBotAim::TracePath(playfield.GetBricks(), at, velocity, IsSmall(ball), kPathReach, kGiveUpY);
    const float up = hit.brick ? hit.length : (at.m_y - CBallAI::kFieldTop) / -velocity.m_y * speed;
    const float turnY = hit.brick ? hit.brick->GetPosition().m_y : CBallAI::kFieldTop;
    return up / speed + (lineY - turnY) / std::fabs(velocity.m_y);
}

bool CDemoBot::ChooseTarget(CPlayfield& playfield, const CSprite& ship, float& x)
{
    const CShipAI* shipAI = FindSpriteAI<CShipAI>(&ship);
    const CSprite* followed = nullptr;
    const CSprite* held = nullptr;
    bool falling = false, followedLost = false;
    const float shipY = ship.GetPosition().m_y;
    const float lineY = shipY - kMeetAboveShip;
    for (const CSprite* ball = playfield.GetBalls().GetHead(); ball; ball = ball->GetNext()) {
        if (ball->IsDead())
            continue;
        if (shipAI && shipAI->HoldsBall(ball)) {
            held = ball;
            continue;
        }
        const bool down = ball->GetVelocity().m_y > 0.0f;
        // A ball past the ship's top on its way down is lost: the others come first.
        const bool lost = down && ball->GetPosition().m_y > lineY + kPastShip;
        // A ball coming down goes before one going up; among alike the lower one.
        if (!followed || (followedLost && !lost) ||
            (lost == followedLost && ((down && !falling) ||
                                      (down == falling && ball->GetPosition().m_y > followed->GetPosition().m_y)))) {
            followed = ball;
            falling = down;
            followedLost = lost;
        }
    }
    if (held != m_held)
        m_heldSteps = 0;
    m_held = held;
    if (held && !falling) {
        x = AvoidBombs(playfield, ship, ChooseLaunchX(playfield, ship, *held), held->GetPosition().m_x, kForever);
        return true;
    }
    if (!followed)
        return false;
    // A new descent, a new spot on the ship when no spot aims anywhere.
    if (falling && !m_followedFalling)
        m_randomOffset = m_random.NextFloat(-kMaxOffset, kMaxOffset);
    m_followedFalling = falling;
    const CFloatPoint at = followed->GetPosition(), velocity = followed->GetVelocity();
    const float landing = PredictLanding(at, velocity, lineY, CBallAI::kWallRadius);
    const float ballSteps = StepsToLanding(playfield, *followed, lineY);
    // Time to spare: a power-up worth having, or a ball set free, on its way down, when the ship
    // can fetch it and be back under the ball in time.
    const float shipX = ship.GetPosition().m_x;
    auto worthFetching = [&](const CSprite& capsule, float capsuleX) {
        const float capsuleSteps = (lineY - capsule.GetPosition().m_y) / capsule.GetVelocity().m_y;
        const float there = std::max(std::fabs(capsuleX - shipX) / kShipStep + kSettleSteps, capsuleSteps);
        const float back = std::fabs((falling ? landing : at.m_x) - capsuleX) / kShipStep;
        return there + back + kDetourSlack * (falling ? 1.0f : 2.0f) < ballSteps;
    };
    for (const CSprite* capsule = playfield.GetPowerUps().GetHead(); capsule; capsule = capsule->GetNext()) {
        const CPowerUpAI* powerUp = FindSpriteAI<CPowerUpAI>(capsule);
        if (capsule->IsDead() || !powerUp || !IsWorthCatching(powerUp->GetKind()) ||
            capsule->GetVelocity().m_y <= 0.0f || capsule->GetPosition().m_y >= lineY)
            continue;
        const float capsuleX = PredictLanding(capsule->GetPosition(), capsule->GetVelocity(), lineY, 0.0f);
        if (worthFetching(*capsule, capsuleX)) {
            x = AvoidBombs(playfield, ship, capsuleX, landing, ballSteps);
            return true;
        }
    }
    for (const CSprite* freed = playfield.GetFreedBalls().GetHead(); freed; freed = freed->GetNext()) {
        if (freed->IsDead() || freed->GetVelocity().m_y <= 0.0f || freed->GetPosition().m_y >= lineY)
            continue;
        const float freedX =
            PredictLanding(freed->GetPosition(), freed->GetVelocity(), lineY, CBallAI::kSmallWallRadius);
        if (worthFetching(*freed, freedX)) {
            x = AvoidBombs(playfield, ship, freedX, landing, ballSteps);
            return true;
        }
    }
    // Aim while the ship can still get there; then hold the spot chosen.
    if (falling) {
        const float steps = (lineY - at.m_y) / velocity.m_y;
        if (steps > kSettleSteps)
            m_offset = ChooseOffset(playfield, ship, *followed, landing, steps);
    }
    x = AvoidBombs(playfield, ship, landing + m_offset, landing, ballSteps);
    return true;
}

void CDemoBot::Click(bool down)
{
    platform::PostEvent(platform::Event::Mouse(down ? platform::EventType::MouseDown : platform::EventType::MouseUp,
                                               m_pointerX, kPointerY, platform::kMouseLeft));
    m_buttonDown = down;
}

void CDemoBot::Step(CPlayfield& playfield)
{
    ++m_steps;
    const CSprite* ship = playfield.GetShip().GetHead();
    if (ship && ChooseTarget(playfield, *ship, m_targetX)) {
        const int goal = PointerXForShip(m_targetX);
        m_pointerX += std::clamp(goal - m_pointerX, -kPointerStep, kPointerStep);
    }
    platform::PostEvent(platform::Event::Mouse(platform::EventType::MouseMove, m_pointerX, kPointerY));
    if (m_buttonDown) {
        Click(false);
        return;
    }
    // A click while the machine lays the bricks would skip it: the clip shows it at work.
    if (playfield.IsLayingBricks())
        return;
    if (m_held) {
        // A held ball goes once the ship is where its launch aims, or when it has waited long enough.
        ++m_heldSteps;
        const bool aimed = ship && std::fabs(ship->GetPosition().m_x - m_targetX) <= kLaunchSlack;
        if ((aimed && m_heldSteps >= kLeastHoldSteps) || m_heldSteps >= kMostHoldSteps)
            Click(true);
        return;
    }
    if (m_steps >= m_nextClick) {
        Click(true);
        m_nextClick = m_steps + kClickEvery + m_random.NextBelow(kClickJitter);
    }
}
