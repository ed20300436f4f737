#include "game/bricks/BallAI.h"

#include "foundation/R250Random.h"
#include "game/Playfield.h"
#include "game/bricks/BrickAI.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/RecordedSound.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "objects/Vector2D.h"

#include <algorithm>
#include <cmath>
#include <numbers>

IMPLEMENT_ABSTRACT_CLASS_RECORD(CBallAI, CSpriteAI, 1.0f)

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kDegree = kPi / 180.0f;
constexpr float kTick = 1.0f / 60.0f;
constexpr float kRollStep = 0.005f;
constexpr float kRollSpin = 0.025f;
constexpr float kStopFactor = 0.8f;
constexpr float kStopRoll = 0.985f;
// The flat-path fix: headings this near horizontal, below this height or for this long, turn.
constexpr float kFlatAngle = 10.0f * kDegree;
constexpr float kFlatTurn = 8.0f * kDegree;
constexpr float kLowY = 354.0f;
constexpr uint32_t kFlatMilliseconds = 2000;
constexpr float kRandomTurn = 10.0f * kDegree;
// The aiming help: after this many seconds without a brick, from 2 degrees widening by 28 over
// 15 seconds, along 640 pixels of path.
constexpr float kAimAfter = 10.0f;
constexpr float kAimWidening = 15.0f;
constexpr float kAimMin = 2.0f * kDegree;
constexpr float kAimWidest = 28.0f * kDegree;
constexpr float kAimReach = 640.0f;

// A regular polygon of the radius from (radius, 0), its corners at growing angles: clockwise on
// screen, where y points down. (Corners at falling angles would wind it the other way, and the
// swept test would let the ball sink into what it meets.)
CPolygon2D MakeRegularPolygon(float radius, int corners)
{
    CPolygon2D polygon;
    for (int k = 0; k < corners; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / corners;
        polygon.InsertPoint(radius * static_cast<float>(std::cos(angle)), radius * static_cast<float>(std::sin(angle)),
                            ~0u);
    }
    polygon.Close();
    return polygon;
}

uint32_t GetDifficulty()
{
    const CPlayfield* playfield = GetPlayfield();
    return playfield ? playfield->GetDifficulty() : 0;
}

float Wrap01(float phase)
{
    return phase - std::floor(phase);
}

CFloatPoint Rotated(const CFloatPoint& v, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    return {v.m_x * c - v.m_y * s, v.m_x * s + v.m_y * c};
}

} // namespace

void CBallAI::AddProperties(CClassRecord*)
{
}

CBallAI::CBallAI(CSprite* ball, bool fire, bool rail, bool small)
    : CSpriteAI(1, 1), m_speed(GetStartSpeed(GetDifficulty()))
{
    InitOwnProperties();
    if (ball) {
        ball->SetDamping(1.0f);
        if (auto* animated = dynamic_cast<CAnimatedSprite*>(ball))
            if (animated->GetSlotCount() == 0)
                animated->AddSlot(nullptr);
        SetLookOf(ball, dataname::sequence::kBall);
    }
    if (fire)
        MakeFireBall(ball);
    if (small)
        MakeSmallBall(ball);
    if (rail)
        MakeRailBall(ball);
}

CBallAI::~CBallAI()
{
    DestroyOwnProperties();
}

float CBallAI::GetStartSpeed(uint32_t difficulty)
{
    static const float speeds[] = {200.0f / 60.0f, 325.0f / 60.0f, 410.0f / 60.0f, 520.0f / 60.0f};
    return speeds[difficulty < 4 ? difficulty : 1];
}

float CBallAI::GetSpeedUp(uint32_t difficulty)
{
    static const float speedUps[] = {0.01f, 0.0125f, 0.85f / 60.0f, 0.015f};
    return speedUps[difficulty < 4 ? difficulty : 1];
}

uint32_t CBallAI::GetRollFrame(uint32_t frameCount, float phaseX, float phaseY)
{
    // Any square count works: the grid's side is its whole root, and the index stays inside.
    uint32_t n = static_cast<uint32_t>(std::sqrt(static_cast<double>(frameCount)));
    while (n * n > frameCount)
        --n;
    const uint32_t row = std::min(n - 1, static_cast<uint32_t>((1.0f - phaseY) * static_cast<float>(n)));
    const uint32_t column = std::min(n - 1, static_cast<uint32_t>(static_cast<float>(n) * phaseX));
    return row * n + column;
}

void CBallAI::SetLookOf(CSprite* ball, const char* name)
{
    auto* animated = dynamic_cast<CAnimatedSprite*>(ball);
    CAnimationSlot* slot = animated ? animated->GetSlot(0) : nullptr;
    if (!slot)
        return;
    slot->SetSequence(CSequenceCollection::GetInstance().FindSequence(name));
}

void CBallAI::Update(CSprite* ball, uint32_t arg)
{
    CPlayfield* playfield = GetPlayfield();
    const float speed = CVector2D::Length(ball->GetVelocity());
    if (!m_loose && speed * 60.0f > 1.0f) {
        m_speed = speed;
        if (playfield)
            playfield->RecordBallSpeed(speed * 60.0f);
    }
    if (playfield && playfield->IsRoundComplete()) {
        ball->SetVelocity(CVector2D::Scaled(ball->GetVelocity(), kStopFactor));
        m_rollRateX *= kStopRoll;
        m_rollRateY *= kStopRoll;
    }
    if (!m_loose && CVector2D::LengthSquared(ball->GetVelocity()) > 1.0f)
        m_timeSinceBrick += kTick;

    m_rollPhaseX = Wrap01(m_rollPhaseX + m_rollRateX);
    m_rollPhaseY = Wrap01(m_rollPhaseY + m_rollRateY);
    auto* animated = dynamic_cast<CAnimatedSprite*>(ball);
    if (CAnimationSlot* slot = animated ? animated->GetSlot(0) : nullptr) {
        const uint32_t frames = slot->GetSequence() ? slot->GetSequence()->GetFrameCount() : 0;
        if (frames > 99)
            slot->SetFixedFrame(GetRollFrame(frames, m_rollPhaseX, m_rollPhaseY));
        else if (frames > 0)
            slot->SetFixedFrame((slot->GetFrameIndex() + 1) % frames);
    }

    const float r = GetRadius();
    CFloatPoint velocity = ball->GetVelocity();
    const CFloatPoint& position = ball->GetPosition();
    if (position.m_y < kFieldTop + r && velocity.m_y < 0.0f) {
        velocity.m_y = std::fabs(velocity.m_y);
        ball->SetVelocity(velocity);
        m_rollRateY = velocity.m_x * kRollStep;
        BounceOffWall(ball, kPi / 2.0f);
    }
    if (ball->GetPosition().m_y > kLostBelow)
        ball->SetFlag(CSprite::kDead, true);
    velocity = ball->GetVelocity();
    if (ball->GetPosition().m_x < kFieldLeft + r && velocity.m_x < 0.0f) {
        velocity.m_x = std::fabs(velocity.m_x);
        ball->SetVelocity(velocity);
        m_rollRateY = velocity.m_y * -kRollStep;
        BounceOffWall(ball, 0.0f);
    }
    velocity = ball->GetVelocity();
    if (ball->GetPosition().m_x > kFieldRight - r && velocity.m_x > 0.0f) {
        velocity.m_x = -std::fabs(velocity.m_x);
        ball->SetVelocity(velocity);
        m_rollRateY = velocity.m_y * kRollStep;
        BounceOffWall(ball, kPi);
    }

    if (!m_endOfRound && (m_fire || m_rail) && playfield) {
        using namespace dataname::generator;
        const char* trail = m_fire ? (m_small ? kFireBallSmall : kFireBall) : (m_small ? kRailBallSmall : kRailBall);
        playfield->SpawnSparksAtSprite(ball, m_small ? 3 : 8, false, 0.0f,
                                       CParticleGeneratorCollection::GetInstance().FindGenerator(trail));
    }
    if (CSpriteAI* next = GetNext())
        next->Update(ball, arg);
}

void CBallAI::BounceOffWall(CSprite* ball, float sparkAngle)
{
    m_rollRateX = g_gameRandom.NextFloat(-kRollSpin, kRollSpin);
    if (auto* animated = dynamic_cast<CAnimatedSprite*>(ball))
        ball->SetPosition(animated->GetPreviousPosition());
    if (!m_loose)
        PlaySoundRecorded(dataname::sound::kBounce);
    if (CPlayfield* playfield = GetPlayfield())
        playfield->SpawnSparksAtSprite(
            ball, static_cast<int32_t>(GetRadius()), true, sparkAngle,
            CParticleGeneratorCollection::GetInstance().FindGenerator(
                m_small ? dataname::generator::kBallHitWallSmall : dataname::generator::kBallHitWall));
    AfterBounce(ball, true);
}

void CBallAI::AfterBounce(CSprite* ball, bool randomTurns)
{
    m_hasBounced = true;
    if (randomTurns) {
        if (g_gameRandom.NextBelow(10) == 0)
            ball->SetVelocity(Rotated(ball->GetVelocity(), g_gameRandom.NextFloat(-kRandomTurn, kRandomTurn)));
        ApplyFlatPathFix(ball);
    }
    if (!m_loose) {
        CFloatPoint velocity = ball->GetVelocity();
        const float length = CVector2D::Normalize(velocity);
        ball->SetVelocity(CVector2D::Scaled(velocity, length + GetSpeedUp(GetDifficulty())));
        ApplyAimingHelp(ball);
    }
}

void CBallAI::ApplyAimingHelp(CSprite* ball)
{
    if (m_timeSinceBrick <= kAimAfter)
        return;
    if (AimsAtBrick(ball, 0.0f)) {
        m_timeSinceBrick = 0.0f;
        return;
    }
    // The search widens with the time without a brick: 2 degrees at 10 s to 30 at 25 s.
    const float t = std::clamp((m_timeSinceBrick - kAimAfter) / kAimWidening, 0.0f, 1.0f);
    const float limit = kAimMin + t * kAimWidest;
    const float step = (limit - kAimMin) / 5.0f;
    for (float angle = kAimMin; angle <= limit; angle += step) {
        if (AimsAtBrick(ball, angle) || AimsAtBrick(ball, -angle)) {
            m_timeSinceBrick = 0.0f;
            return;
        }
        if (step <= 0.0f)
            break;
    }
}

bool CBallAI::AimsAtBrick(CSprite* ball, float angle)
{
    CPlayfield* playfield = GetPlayfield();
    if (!playfield)
        return false;
    CFloatPoint direction = Rotated(ball->GetVelocity(), -angle);
    if (CVector2D::Normalize(direction) <= 0.0f)
        return false;
    const CFloatPoint& start = ball->GetPosition();
    const CFloatPoint end = CVector2D::Sum(start, CVector2D::Scaled(direction, kAimReach));
    CSprite* brick = playfield->GetBricks().FindNearestCrossing(start, end);
    const CBrickAI* brickAI = brick ? FindSpriteAI<CBrickAI>(brick) : nullptr;
    if (!brickAI || !brickAI->IsNeeded())
        return false;
    if (angle != 0.0f)
        ball->SetVelocity(Rotated(ball->GetVelocity(), -angle));
    return true;
}

void CBallAI::ApplyFlatPathFix(CSprite* ball)
{
    const CFloatPoint velocity = ball->GetVelocity();
    float heading = std::atan2(velocity.m_y, velocity.m_x);
    if (heading < 0.0f)
        heading += 2.0f * kPi;
    const bool flat = heading < kFlatAngle || heading > 2.0f * kPi - kFlatAngle || std::fabs(heading - kPi) < kFlatAngle;
    if (!flat) {
        m_flatPathStart = 0;
        return;
    }
    const CPlayfield* playfield = GetPlayfield();
    const uint32_t now = playfield ? playfield->GetWorldMilliseconds() : 0;
    const bool low = ball->GetPosition().m_y > kLowY;
    if (m_flatPathStart == 0)
        m_flatPathStart = now;
    if (!low && now - m_flatPathStart <= kFlatMilliseconds)
        return;
    // Further from horizontal: upward when rising or low, else downward. Heading right, upward is
    // a turn anticlockwise (negative); heading left, clockwise.
    const bool up = velocity.m_y < 0.0f || low;
    const bool right = velocity.m_x >= 0.0f;
    ball->SetVelocity(Rotated(velocity, (up == right) ? -kFlatTurn : kFlatTurn));
}

void CBallAI::SyncState()
{
    CStateCheck::SyncFloat(m_rollPhaseX);
    CStateCheck::SyncFloat(m_rollPhaseY);
    CStateCheck::SyncFloat(m_speed);
    CStateCheck::SyncWord((m_fire ? 1u : 0u) | (m_rail ? 2u : 0u) | (m_small ? 4u : 0u) | (m_loose ? 8u : 0u));
    CStateCheck::SyncFloat(m_timeSinceBrick);
    SyncNext();
}

const CPolygon2D* CBallAI::GetCollisionPolygon(CSprite*)
{
    return m_small ? &GetSmallBallPolygon() : &GetBallPolygon();
}

const CPolygon2D& CBallAI::GetBallPolygon()
{
    static const CPolygon2D s_polygon = MakeRegularPolygon(kCollisionRadius, 12);
    return s_polygon;
}

const CPolygon2D& CBallAI::GetSmallBallPolygon()
{
    static const CPolygon2D s_polygon = MakeRegularPolygon(kSmallCollisionRadius, 8);
    return s_polygon;
}

void CBallAI::ResetRoll()
{
    m_rollPhaseX = 0.5f;
    m_rollPhaseY = 0.5f;
    m_rollRateX = 0.7f / 60.0f;
    m_rollRateY = 0.4f / 60.0f;
}

void CBallAI::MakeFireBall(CSprite* ball)
{
    if (m_fire)
        return;
    m_fire = true;
    m_rail = false;
    if (!m_small)
        SetLookOf(ball, dataname::sequence::kBallFire);
}

void CBallAI::MakeRailBall(CSprite* ball)
{
    if (m_rail)
        return;
    m_rail = true;
    m_fire = false;
    if (!m_small)
        SetLookOf(ball, dataname::sequence::kBallRail);
}

void CBallAI::MakeSmallBall(CSprite* ball)
{
    if (m_small)
        return;
    m_small = true;
    SetLookOf(ball, dataname::sequence::kSmallBall);
}

void CBallAI::MakeNormalBall(CSprite* ball)
{
    m_fire = m_rail = m_small = false;
    SetLookOf(ball, dataname::sequence::kBall);
}

void CBallAI::ScaleSpeed(CSprite* ball, float factor)
{
    ball->SetVelocity(CVector2D::Scaled(ball->GetVelocity(), factor));
    m_speed *= factor;
    if (CPlayfield* playfield = GetPlayfield())
        playfield->RecordBallSpeed(m_speed * 60.0f);
}
