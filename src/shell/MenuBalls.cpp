#include "shell/MenuBalls.h"

#include "foundation/R250Random.h"
#include "graphics/Color.h"
#include "graphics/Frame.h"
#include "graphics/FrameInterface.h"
#include "graphics/Sequence.h"
#include "objects/CollisionSweep.h"
#include "objects/DataNames.h"
#include "objects/SweepResult.h"
#include "sound/SoundList.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDegree = kPi / 180.0f;
// The reward's drift: up and to the left.
constexpr float kRewardAngle = -3.9269910f;
constexpr float kRewardGrowth = 1.5f;
constexpr uint32_t kTurnChance = 7;
constexpr uint32_t kTurnDraw = 2;
constexpr float kTurnDegrees = 15.0f;
constexpr const char* kBounceSound = dataname::sound::kMenuBallBounce;
constexpr const char* kRewardSound = dataname::sound::kCompletedGame;

// The pen's outer wall, wound so that its normals face the balls inside, and the block inside it.
constexpr CFloatPoint kOuterWall[] = {{49, 414},  {130, 414}, {130, 260}, {197, 260}, {197, 414}, {275, 414},
                                      {275, 275}, {213, 232}, {275, 190}, {275, 100}, {214, 51},  {49, 51}};
constexpr CFloatPoint kInnerWall[] = {{130, 197}, {130, 107}, {196, 107}, {196, 197}};
constexpr int kBallCorners = 12;

template <size_t N>
void BuildWall(CPolygon2D& polygon, const CFloatPoint (&points)[N])
{
    polygon.Clear();
    for (const CFloatPoint& point : points)
        polygon.InsertPoint(point.m_x, point.m_y, ~0u);
    polygon.Close();
}

void PlaySound(const char* name)
{
    CSoundList::GetInstance().PlaySound(name);
}

} // namespace

CMenuBalls& GetMenuBalls()
{
    static CMenuBalls s_balls;
    return s_balls;
}

CMenuBalls::CMenuBalls()
{
    BuildWall(m_outer, kOuterWall);
    BuildWall(m_inner, kInnerWall);
}

void CMenuBalls::SetBallRadius(float radius)
{
    m_ball.Clear();
    // Angles growing with y down run clockwise on screen.
    for (int i = 0; i < kBallCorners; ++i) {
        const float angle = static_cast<float>(i) * 30.0f * kDegree;
        m_ball.InsertPoint(radius * std::cos(angle), radius * std::sin(angle), ~0u);
    }
    m_ball.Close();
}

void CMenuBalls::Reset(CR250Random& random)
{
    m_count = kStartCount;
    for (Ball& ball : m_balls) {
        ball.m_position = {random.NextFloat(58.0f, 122.0f), random.NextFloat(60.0f, 406.0f)};
        const float speed = random.NextFloat(150.0f, 190.0f);
        const float angle = random.NextFloat(0.0f, 2.0f * kPi);
        ball.m_velocity = {speed * std::cos(angle), speed * std::sin(angle)};
        ball.m_phase = random.NextFloat(0.0f, 1.0f);
    }
}

bool CMenuBalls::IsHerded(const CFloatPoint& position)
{
    const auto x = static_cast<int32_t>(position.m_x);
    const auto y = static_cast<int32_t>(position.m_y);
    return x >= kHerdLeft && x < kHerdRight && y >= kHerdTop && y < kHerdBottom;
}

void CMenuBalls::ChoosePush(const CFloatPoint& mouse)
{
    m_pushing = false;
    m_push = {};
    const int32_t edge = m_outer.FindNearestEdgeHit(mouse, kMouseRadius, nullptr);
    if (edge >= 0) {
        const CPolygonEdge& e = m_outer.GetEdges()[edge];
        m_edgeStart = m_outer.GetPoint(static_cast<uint32_t>(edge));
        m_edgeEnd = m_outer.GetPoint(static_cast<uint32_t>(edge) + 1);
        m_pushing = true;
        m_push = {-e.m_normalX * kPushStrength, -e.m_normalY * kPushStrength};
    }
    if (m_rewardTime > 0.0f) {
        m_pushing = true;
        m_push = {kPushStrength * std::cos(kRewardAngle), -kPushStrength * std::sin(kRewardAngle)};
    }
}

void CMenuBalls::MoveBall(Ball& ball, float seconds, CR250Random& random)
{
    ball.m_velocity.m_x += m_push.m_x;
    ball.m_velocity.m_y += m_push.m_y;
    const CFloatPoint motion{ball.m_velocity.m_x * seconds, ball.m_velocity.m_y * seconds};
    CCollisionSweep sweep;
    if (!sweep.SetMotionVector(motion))
        return;
    // Pushed balls lose energy on every bounce and come to rest.
    const float bounce = m_pushing ? 0.9f : 1.0f;
    const float friction = m_pushing ? 0.1f : 0.0f;
    const float rest = m_pushing ? 1.0f : 0.0f;
    sweep.SetResponse(ball.m_velocity, bounce, rest, friction, rest);
    CSweepResult result;
    const CFloatPoint origin{};
    m_ball.SweepAgainst(result, m_outer, ball.m_position, origin, sweep);
    m_ball.SweepAgainst(result, m_inner, ball.m_position, origin, sweep);
    if (result.m_time >= 1.0f) {
        ball.m_position.m_x += motion.m_x;
        ball.m_position.m_y += motion.m_y;
        return;
    }
    PlaySound(kBounceSound);
    ball.m_velocity = sweep.Deflect(ball.m_velocity, result.m_normal);
    if (random.NextBelow(kTurnChance) == kTurnDraw) {
        const float turn = random.NextFloat(-kTurnDegrees, kTurnDegrees) * kDegree;
        const float c = std::cos(turn);
        const float s = std::sin(turn);
        const CFloatPoint v = ball.m_velocity;
        ball.m_velocity = {v.m_x * c - v.m_y * s, v.m_x * s + v.m_y * c};
    }
    ball.m_position.m_x += result.m_offset.m_x;
    ball.m_position.m_y += result.m_offset.m_y;
}

void CMenuBalls::Update(float seconds, const CFloatPoint& mouse, float phaseStep, CR250Random& random)
{
    ChoosePush(mouse);
    bool herded = true;
    for (uint32_t i = 0; i < m_count; ++i) {
        Ball& ball = m_balls[i];
        ball.m_phase += phaseStep;
        ball.m_phase -= std::floor(ball.m_phase);
        MoveBall(ball, seconds, random);
        herded = herded && IsHerded(ball.m_position);
    }
    m_rewardTime = std::max(0.0f, m_rewardTime - seconds);
    if (herded && m_rewardTime == 0.0f) {
        m_rewardTime = kRewardSeconds;
        PlaySound(kRewardSound);
        const auto grown = static_cast<uint32_t>(std::floor(static_cast<float>(m_count) * kRewardGrowth));
        if (grown <= kMaxBalls)
            m_count = grown;
    }
}

void CMenuBalls::Draw(CFrameInterface* target, CSequence* sequence) const
{
    const uint32_t frames = sequence ? sequence->GetFrameCount() : 0;
    if (!target || frames == 0)
        return;
    for (uint32_t i = 0; i < m_count; ++i) {
        const Ball& ball = m_balls[i];
        const auto frame = std::min(frames - 1, static_cast<uint32_t>(ball.m_phase * static_cast<float>(frames)));
        target->DrawFrameAt(sequence->GetFrame(frame), static_cast<int32_t>(ball.m_position.m_x),
                            static_cast<int32_t>(ball.m_position.m_y), sequence->GetBlitter());
    }
    if (m_pushing) {
        CColor grey;
        grey.ConstructRgba(128, 128, 128, 255);
        target->DrawAntialiasedLineBetween(m_edgeStart, m_edgeEnd, grey);
    }
}
