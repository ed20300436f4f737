#include "shell/DemoBot.h"

#include "game/Playfield.h"
#include "game/ship/PowerUpAI.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"
#include "platform/Events.h"

#include <algorithm>
#include <cmath>

namespace {

// The side walls of the field and the ball's radius against them.
constexpr float kFieldLeft = 11.0f;
constexpr float kFieldRight = 501.0f;
constexpr float kBallRadius = 11.0f;
// The ball meets the ship this far above the ship's centre.
constexpr float kShipTop = 12.0f;
// How far off the ship's centre the bot meets a ball, at most.
constexpr float kMaxOffset = 22.0f;
// A ball this far above the ship leaves time to catch a power-up.
constexpr float kSafeHeight = 200.0f;
// Steps between clicks: a held ball waits a little before it is launched.
constexpr uint32_t kClickEvery = 50;
constexpr uint32_t kClickJitter = 40;
constexpr int kWindowWidth = 640;
// The pointer's reach.
constexpr int kPointerLeft = 0;
constexpr int kPointerRight = kWindowWidth - 1;

// A bomb blows the ship up: the bot lets it fall.
bool IsBomb(const CSprite* powerUp)
{
    const CPowerUpAI* behaviour = FindSpriteAI<CPowerUpAI>(powerUp);
    return behaviour && behaviour->GetKind() == CPowerUpAI::kBomb;
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
    const float left = kFieldLeft + radius, right = kFieldRight - radius;
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

bool CDemoBot::ChooseTarget(CPlayfield& playfield, float shipY, float& x)
{
    const CSprite* followed = nullptr;
    bool falling = false;
    for (const CSprite* ball = playfield.GetBalls().GetHead(); ball; ball = ball->GetNext()) {
        if (ball->IsDead())
            continue;
        const bool down = ball->GetVelocity().m_y > 0.0f;
        // A ball coming down goes before one going up; among alike the lower one.
        if (!followed || (down && !falling) ||
            (down == falling && ball->GetPosition().m_y > followed->GetPosition().m_y)) {
            followed = ball;
            falling = down;
        }
    }
    if (!followed)
        return false;
    // A new descent, a new spot on the ship.
    if (falling && !m_followedFalling)
        m_offset = m_random.NextFloat(-kMaxOffset, kMaxOffset);
    m_followedFalling = falling;
    const float lineY = shipY - kShipTop;
    if (!falling || lineY - followed->GetPosition().m_y > kSafeHeight) {
        // Time to spare: a power-up on its way down is worth catching.
        for (const CSprite* powerUp = playfield.GetPowerUps().GetHead(); powerUp; powerUp = powerUp->GetNext())
            if (!powerUp->IsDead() && powerUp->GetVelocity().m_y > 0.0f && powerUp->GetPosition().m_y < lineY &&
                !IsBomb(powerUp)) {
                x = PredictLanding(powerUp->GetPosition(), powerUp->GetVelocity(), lineY, 0.0f);
                return true;
            }
    }
    x = PredictLanding(followed->GetPosition(), followed->GetVelocity(), lineY, kBallRadius) + m_offset;
    return true;
}

void CDemoBot::Step(CPlayfield& playfield)
{
    ++m_steps;
    const CSprite* ship = playfield.GetShip().GetHead();
    if (ship && ChooseTarget(playfield, ship->GetPosition().m_y, m_targetX)) {
        const int goal = PointerXForShip(m_targetX);
        m_pointerX += std::clamp(goal - m_pointerX, -kPointerStep, kPointerStep);
    }
    platform::PostEvent(platform::Event::Mouse(platform::EventType::MouseMove, m_pointerX, kPointerY));
    if (m_buttonDown) {
        platform::PostEvent(
            platform::Event::Mouse(platform::EventType::MouseUp, m_pointerX, kPointerY, platform::kMouseLeft));
        m_buttonDown = false;
    } else if (m_steps >= m_nextClick && !playfield.IsLayingBricks()) {
        // A click while the machine lays the bricks would skip it: the clip shows it at work.
        platform::PostEvent(
            platform::Event::Mouse(platform::EventType::MouseDown, m_pointerX, kPointerY, platform::kMouseLeft));
        m_buttonDown = true;
        m_nextClick = m_steps + kClickEvery + m_random.NextBelow(kClickJitter);
    }
}
