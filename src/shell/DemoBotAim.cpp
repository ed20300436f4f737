#include "shell/DemoBotAim.h"

#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickType.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The brick's outline about its position.
constexpr float kBrickLeft = -16.0f, kBrickRight = 15.5f, kBrickTop = -9.0f, kBrickBottom = 8.5f;
constexpr uint32_t kMostBounces = 6;
constexpr float kNever = std::numeric_limits<float>::max();

// Where along the ray (from p, direction d) it enters the box, and through which side of the
// brick; kNever when it misses or starts inside.
float EnterBox(CFloatPoint p, CFloatPoint d, float left, float top, float right, float bottom, uint32_t& side)
{
    float enter = 0.0f, leave = kNever;
    bool vertical = false;
    const float starts[2] = {p.m_x, p.m_y}, steps[2] = {d.m_x, d.m_y};
    const float lows[2] = {left, top}, highs[2] = {right, bottom};
    for (int axis = 0; axis < 2; ++axis) {
        if (steps[axis] == 0.0f) {
            if (starts[axis] < lows[axis] || starts[axis] > highs[axis])
                return kNever;
            continue;
        }
        float near = (lows[axis] - starts[axis]) / steps[axis], far = (highs[axis] - starts[axis]) / steps[axis];
        if (near > far)
            std::swap(near, far);
        if (near > enter) {
            enter = near;
            vertical = axis == 1;
        }
        leave = std::min(leave, far);
    }
    if (enter <= 0.0f || enter > leave)
        return kNever;
    if (vertical)
        side = d.m_y < 0.0f ? CBrickAI::kFromBelow : CBrickAI::kFromAbove;
    else
        side = d.m_x > 0.0f ? CBrickAI::kFromLeft : CBrickAI::kFromRight;
    return enter;
}

} // namespace

CDemoBotAim::PathHit CDemoBotAim::TracePath(CSpriteList& bricks, CFloatPoint from, CFloatPoint direction, bool small,
                                            float maxLength, float giveUpY)
{
    PathHit hit;
    const float size = std::sqrt(direction.m_x * direction.m_x + direction.m_y * direction.m_y);
    if (size <= 0.0f)
        return hit;
    CFloatPoint d{direction.m_x / size, direction.m_y / size};
    const float wall = CBallAI::GetWallRadius(small);
    const float ball = CBallAI::GetCollisionRadius(small);
    const float left = CBallAI::kFieldLeft + wall, right = CBallAI::kFieldRight - wall, top = CBallAI::kFieldTop + wall;
    CFloatPoint p = from;
    for (uint32_t bounce = 0; bounce <= kMostBounces && hit.length < maxLength; ++bounce) {
        // The nearest brick on this leg.
        float nearest = kNever;
        for (const CSprite* brick = bricks.GetHead(); brick; brick = brick->GetNext()) {
            if (brick->IsDead() || !brick->IsActive())
                continue;
            const CFloatPoint at = brick->GetPosition();
            uint32_t side = 0;
            const float t = EnterBox(p, d, at.m_x + kBrickLeft - ball, at.m_y + kBrickTop - ball,
                                     at.m_x + kBrickRight + ball, at.m_y + kBrickBottom + ball, side);
            if (t < nearest) {
                nearest = t;
                hit.brick = brick;
                hit.side = side;
            }
        }
        // Where the leg ends: a wall, or the row the path gives up at on its way down.
        float leg = kNever;
        bool sideWall = false;
        if (d.m_x < 0.0f)
            leg = (left - p.m_x) / d.m_x, sideWall = true;
        else if (d.m_x > 0.0f)
            leg = (right - p.m_x) / d.m_x, sideWall = true;
        if (d.m_y < 0.0f && (top - p.m_y) / d.m_y < leg)
            leg = (top - p.m_y) / d.m_y, sideWall = false;
        const bool down = d.m_y > 0.0f && (giveUpY - p.m_y) / d.m_y <= leg;
        if (down)
            leg = (giveUpY - p.m_y) / d.m_y;
        leg = std::max(leg, 0.0f);
        if (hit.brick && nearest <= leg) {
            hit.length += nearest;
            hit.bounces = bounce;
            hit.end = {p.m_x + d.m_x * nearest, p.m_y + d.m_y * nearest};
            return hit;
        }
        hit.brick = nullptr;
        hit.length += leg;
        p = {p.m_x + d.m_x * leg, p.m_y + d.m_y * leg};
        hit.end = p;
        hit.bounces = bounce;
        if (down)
            return hit;
        if (sideWall)
            d.m_x = -d.m_x;
        else
            d.m_y = -d.m_y;
    }
    hit.brick = nullptr;
    return hit;
}

int CDemoBotAim::RateHit(const PathHit& hit)
{
    CBrickAI* brick = hit.brick ? CBrickAI::Of(const_cast<CSprite*>(hit.brick)) : nullptr;
    if (!brick || !brick->IsNeeded())
        return 0;
    switch (brick->GetBrickType()) {
    case kBrickIndestructibleTop:
    case kBrick3HitBottom:
        return hit.side == CBrickAI::kFromBelow ? 3 : 1;
    case kBrickIndestructibleBottom:
    case kBrick3HitTop:
        return hit.side == CBrickAI::kFromAbove ? 3 : 1;
    case kBrickOffOn:
    case kBrickOnOff:
        return brick->IsOn() ? 2 : 3;
    case kBrickTrappedBall:
        return 0;
    default:
        return 3;
    }
}

float CDemoBotAim::Score(const PathHit& hit)
{
    const int rating = RateHit(hit);
    if (rating == 0)
        return 0.0f;
    return static_cast<float>(rating) * 1000.0f - hit.length * 0.2f - static_cast<float>(hit.bounces) * 100.0f;
}
