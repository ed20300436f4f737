#pragma once
// The main menu's toy: balls bouncing in a pen drawn into the menu picture (an outer wall shaped
// like a letter with a block inside). The mouse touching the outer wall pushes every ball away
// from that edge; herding all of them into the pen's right leg rewards the player with five
// seconds of drift and half as many balls again, up to 300.
//
// The rule a caller must know: one set exists for the process (GetMenuBalls); Reset starts it
// afresh, Update and Draw run once per step and frame while the menu shows. The random draws come
// from the generator given, which is the general one in the game.
#include "objects/Point.h"
#include "objects/Polygon2D.h"

#include <cstdint>

class CFrameInterface;
class CR250Random;
class CSequence;

class CMenuBalls
{
public:
    static constexpr uint32_t kMaxBalls = 300;
    static constexpr uint32_t kStartCount = 8;
    static constexpr float kRewardSeconds = 5.0f;
    static constexpr float kMouseRadius = 20.0f;
    static constexpr float kPushStrength = 5.0f;
    // The herding rectangle; right and bottom exclusive.
    static constexpr int32_t kHerdLeft = 198;
    static constexpr int32_t kHerdTop = 266;
    static constexpr int32_t kHerdRight = 274;
    static constexpr int32_t kHerdBottom = 411;

    struct Ball
    {
        CFloatPoint m_position;
        CFloatPoint m_velocity; // pixels per second
        float m_phase = 0.0f;   // 0..1 through the ball's sequence
    };

    // The two walls; the ball's outline waits for SetBallRadius.
    CMenuBalls();

    // A twelve-cornered outline of the radius, wound as the sweeps expect.
    void SetBallRadius(float radius);
    // Eight balls in use; all 300 slots get a random place in the pen's left leg, speed, direction
    // and phase.
    void Reset(CR250Random& random);
    // One step: the push from the mouse's edge or the reward, every ball swept against both walls,
    // then the reward for a herd. phaseStep is the sequence's frame rate x seconds / frame count.
    void Update(float seconds, const CFloatPoint& mouse, float phaseStep, CR250Random& random);
    // The balls in use at their integer positions in the sequence's frame of their phase, and the
    // pushed edge while pushing. Nothing without a sequence or frames.
    void Draw(CFrameInterface* target, CSequence* sequence) const;

    uint32_t GetCount() const { return m_count; }
    Ball& GetBall(uint32_t i) { return m_balls[i]; }
    const Ball& GetBall(uint32_t i) const { return m_balls[i]; }
    bool IsPushing() const { return m_pushing; }
    const CFloatPoint& GetPush() const { return m_push; }
    float GetRewardTime() const { return m_rewardTime; }
    const CPolygon2D& GetOuterWall() const { return m_outer; }
    const CPolygon2D& GetInnerWall() const { return m_inner; }
    // Whether the integer position lies in the herding rectangle.
    static bool IsHerded(const CFloatPoint& position);

private:
    // Sets the push from the mouse's edge, then from the reward.
    void ChoosePush(const CFloatPoint& mouse);
    void MoveBall(Ball& ball, float seconds, CR250Random& random);

    Ball m_balls[kMaxBalls];
    uint32_t m_count = kStartCount;
    bool m_pushing = false;
    CFloatPoint m_push;
    CFloatPoint m_edgeStart;
    CFloatPoint m_edgeEnd;
    float m_rewardTime = 0.0f;
    CPolygon2D m_outer;
    CPolygon2D m_inner;
    CPolygon2D m_ball;
};

CMenuBalls& GetMenuBalls();
