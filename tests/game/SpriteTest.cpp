// Sprites: the update step (lifetime, motion with damping, rounding, frozen and inactive sprites),
// drawing and shadows, the box and pixel tests, the sweep set-up and the state check.
#include "SpriteTestSupport.h"

#include "../graphics/FrameTestSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/MathTables.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "game/sprites/AnimateOnceAI.h"
#include "game/sprites/SpriteList.h"
#include "game/sprites/StateCheck.h"
#include "objects/CollisionSweep.h"
#include "objects/SweepResult.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

using namespace spritetest;

namespace {

TEST(Sprite, LifetimeOfThreeRunsThreeStepsAndDiesInTheFourthWithoutItsBehaviours)
{
    CallLog log;
    CSprite sprite;
    EXPECT_EQ(sprite.GetFlags(), 3u);
    EXPECT_FLOAT_EQ(sprite.GetDamping(), 0.95f);
    sprite.AddAI(new CProbeAI(&log));
    CSpriteList list;
    sprite.SetLifetime(nullptr, 3);
    sprite.SetVelocity({1, 0});
    sprite.SetDamping(1.0f);
    for (int step = 1; step <= 3; ++step) {
        sprite.Update();
        EXPECT_FALSE(sprite.IsDead()) << step;
    }
    EXPECT_EQ(log.Count("probe update"), 3);
    sprite.Update();
    EXPECT_TRUE(sprite.IsDead());
    EXPECT_EQ(log.Count("probe update"), 3);
    EXPECT_FLOAT_EQ(sprite.GetPosition().m_x, 3.0f); // no motion in the step it died

    // Given a list, the sprite joins it.
    auto* listed = new CSprite;
    listed->SetLifetime(&list, 5);
    EXPECT_EQ(list.GetHead(), listed);
    EXPECT_EQ(listed->GetLifetime(), 5u);
}

TEST(Sprite, AccelerationBeforeDampingAndTheDampedVelocityMovesAtOnce)
{
    CSprite sprite;
    sprite.SetVelocity({10, 0});
    sprite.Update();
    EXPECT_FLOAT_EQ(sprite.GetPosition().m_x, 9.5f);
    sprite.Update();
    EXPECT_FLOAT_EQ(sprite.GetPosition().m_x - 9.5f, 9.025f);

    CSprite accelerated;
    accelerated.SetAcceleration({0, 2});
    accelerated.SetDamping(0.5f);
    accelerated.Update();
    EXPECT_FLOAT_EQ(accelerated.GetVelocity().m_y, 1.0f); // (0 + 2) x 0.5, not 0 x 0.5 + 2
    EXPECT_FLOAT_EQ(accelerated.GetPosition().m_y, 1.0f);
}

TEST(Sprite, IntegerPositionRoundsHalvesToEven)
{
    const struct
    {
        CFloatPoint position;
        CIntPoint rounded;
    } cases[] = {
        {{10.5f, -2.5f}, {10, -2}}, {{11.5f, -3.5f}, {12, -4}}, {{0.49999997f, -0.5f}, {0, 0}},
        {{2.5000002f, 1e10f}, {3, INT32_MAX}}, {{-1e10f, 7.0f}, {INT32_MIN, 7}}, {{NAN, 1.5f}, {0, 2}},
    };
    for (const auto& c : cases) {
        CSprite sprite;
        sprite.SetDamping(1.0f);
        sprite.SetVelocity(c.position);
        sprite.Update();
        EXPECT_EQ(sprite.GetIntPosition(), c.rounded) << c.position.m_x << ", " << c.position.m_y;
    }
}

TEST(Sprite, FrozenSpritesRunTheirBehavioursButDoNotMoveAndInactiveOnesDoNothing)
{
    CallLog log;
    CSprite frozen;
    frozen.AddAI(new CProbeAI(&log, "frozen"));
    frozen.SetFlag(CSprite::kFrozen, true);
    frozen.SetVelocity({3, 4});
    frozen.SetAcceleration({1, 1});
    frozen.Update();
    EXPECT_EQ(frozen.GetPosition(), (CFloatPoint{0, 0}));
    EXPECT_EQ(frozen.GetVelocity(), (CFloatPoint{3, 4}));

    CSprite inactive;
    inactive.AddAI(new CProbeAI(&log, "inactive"));
    inactive.SetActive(false);
    inactive.SetLifetime(nullptr, 1);
    inactive.SetVelocity({3, 4});
    for (int i = 0; i < 3; ++i)
        inactive.Update();
    EXPECT_EQ(inactive.GetPosition(), (CFloatPoint{0, 0}));
    EXPECT_EQ(inactive.GetAge(), 0u);
    EXPECT_FALSE(inactive.IsDead());
    EXPECT_EQ(log.m_calls, (std::vector<std::string>{"frozen attach", "frozen update", "inactive attach"}));
}

TEST(Sprite, BehavioursJoinAtTheEndOfTheChainAndGoWithTheSprite)
{
    CallLog log;
    {
        CSprite sprite;
        auto* first = new CProbeAI(&log, "first");
        auto* second = new CProbeAI(&log, "second");
        sprite.AddAI(first);
        sprite.AddAI(second);
        sprite.AddAI(nullptr);
        EXPECT_EQ(sprite.GetBehaviours(), first);
        EXPECT_EQ(first->GetNext(), second);
        EXPECT_EQ(second->m_sprite, &sprite);
        sprite.Update();
    }
    EXPECT_EQ(log.m_calls, (std::vector<std::string>{"first attach", "second attach", "first update",
                                                     "second update", "first deleted", "second deleted"}));
}

TEST(Sprite, SequenceGivesTheAngleStepAndTheFramesAndTheTablesGiveTheAcceleration)
{
    auto four = MakeEmptySequence(4);
    auto none = MakeSequence({});
    CSprite sprite;
    sprite.SetSequence(four.get());
    EXPECT_FLOAT_EQ(sprite.GetAngleStep(), std::numbers::pi_v<float> / 2);
    sprite.SetFrameIndex(3);
    EXPECT_EQ(sprite.GetPartFrame(0), four->GetFrame(3));
    EXPECT_EQ(sprite.GetPartFrame(1), nullptr);
    sprite.SetFrameIndex(4);
    EXPECT_EQ(sprite.GetCurrentFrame(), nullptr);
    sprite.SetSequence(none.get());
    EXPECT_EQ(sprite.GetAngleStep(), 0.0f);

    InitMathTables();
    sprite.SetAccelerationFromAngle(std::numbers::pi_v<float> / 2, 2.0f);
    EXPECT_NEAR(sprite.GetAcceleration().m_x, 0.0f, 0.01f);
    EXPECT_NEAR(sprite.GetAcceleration().m_y, 2.0f, 0.01f);
}

// A 16-bit target frame of 12 x 10 pixels filled with a background value.
constexpr uint32_t kBackground = 0x0841;

std::unique_ptr<CFrame> MakeTarget(uint32_t background = kBackground)
{
    return std::unique_ptr<CFrame>(MakeFrame(16, std::vector<std::string>(10, std::string(12, '#')), 0, 0, background));
}

TEST(Sprite, DrawsItsFrameWithTheHotSpotAtTheIntegerPosition)
{
    // A 3 x 2 frame with a hole, hot spot at its middle column.
    auto sequence = MakeSequence({MakeFrame(16, {"#.#", "###"}, 1, 0, 0xF800)});
    CallLog log;
    CSprite sprite;
    sprite.SetSequence(sequence.get());
    sprite.AddAI(new CProbeAI(&log));
    sprite.SetPosition({5.5f, 3.4f}); // drawn at (6, 3)
    auto target = MakeTarget();
    sprite.Draw(target.get());
    for (uint32_t y = 0; y < 10; ++y)
        for (uint32_t x = 0; x < 12; ++x) {
            const bool ink = (y == 3 && (x == 5 || x == 7)) || (y == 4 && x >= 5 && x <= 7);
            EXPECT_EQ(frametest::ReadPixel(*target, x, y), ink ? 0xF800u : kBackground) << x << ", " << y;
        }
    EXPECT_EQ(log.Count("probe overlay"), 1);

    // Past the last frame nothing is drawn but the overlay still is; inactive, neither.
    auto clean = MakeTarget();
    sprite.SetFrameIndex(1);
    sprite.Draw(clean.get());
    EXPECT_EQ(log.Count("probe overlay"), 2);
    sprite.SetFrameIndex(0);
    sprite.SetActive(false);
    sprite.Draw(clean.get());
    sprite.DrawShadow(clean.get());
    EXPECT_EQ(log.Count("probe overlay"), 2);
    EXPECT_EQ(log.Count("probe shadow overlay"), 0);
    EXPECT_EQ(frametest::Snapshot(*clean), frametest::Snapshot(*MakeTarget()));
}

TEST(Sprite, ShadowFallsAtTheShadowOffsetThroughTheShadowBlitter)
{
    CFrame plain;
    plain.Create(2, 2, 16);
    frametest::FillPattern(plain);
    auto* runLength = new CFrame;
    frametest::MakeRunLengthCopy(*runLength, plain, kFrameRunLengthAlpha);
    auto sequence = MakeSequence({runLength});
    CallLog log;
    CSprite sprite;
    sprite.SetSequence(sequence.get());
    sprite.AddAI(new CProbeAI(&log));
    sprite.SetPosition({1, 1});
    const CIntPoint saved = CSprite::GetShadowOffset();
    CSprite::SetShadowOffset({3, 2});
    const uint32_t white = 0xFFFF;
    auto target = MakeTarget(white);
    sprite.DrawShadow(target.get());
    CSprite::SetShadowOffset(saved);
    for (uint32_t y = 0; y < 10; ++y)
        for (uint32_t x = 0; x < 12; ++x) {
            const bool shaded = x >= 4 && x <= 5 && y >= 3 && y <= 4;
            const uint32_t pixel = frametest::ReadPixel(*target, x, y);
            if (shaded)
                EXPECT_LT(pixel & 0x1F, 0x1Fu) << x << ", " << y; // darker, toward black
            else
                EXPECT_EQ(pixel, white) << x << ", " << y;
        }
    EXPECT_EQ(log.Count("probe shadow overlay"), 1);
    EXPECT_EQ(log.Count("probe overlay"), 0);
}

TEST(Sprite, BoxTestMeetsTheBrickSizedBoxInclusively)
{
    const struct
    {
        CFloatPoint at;
        bool overlaps;
    } cases[] = {
        {{24, 0}, true},   {{24.01f, 0}, false}, {{-24, 0}, true},  {{-24.01f, 0}, false},
        {{0, 17}, true},   {{0, 17.01f}, false}, {{0, -17}, true},  {{0, -17.01f}, false},
        {{24, 17}, true},  {{10, 5}, true},
    };
    for (const auto& c : cases) {
        CSprite brick, ball;
        brick.SetPosition({100, 50});
        ball.SetPosition({100 + c.at.m_x, 50 + c.at.m_y});
        EXPECT_EQ(ball.OverlapsBox(&brick), c.overlaps) << c.at.m_x << ", " << c.at.m_y;
    }
    CSprite brick, ball;
    EXPECT_TRUE(ball.OverlapsBox(&brick));
    for (uint32_t flag : {CSprite::kSolid, CSprite::kActive}) {
        brick.SetFlag(flag, false);
        EXPECT_FALSE(ball.OverlapsBox(&brick));
        EXPECT_FALSE(brick.OverlapsBox(&ball));
        brick.SetFlag(flag, true);
    }
    ball.SetFlag(CSprite::kDead, true);
    EXPECT_FALSE(ball.OverlapsBox(&brick));
    EXPECT_FALSE(ball.OverlapsBox(nullptr));
    ball.SetPosition({3, 4});
    EXPECT_FLOAT_EQ(ball.DistanceSquared(brick), 25.0f);
}

// Two sprites showing the frames at integer positions.
struct PixelPair
{
    std::unique_ptr<CSequence> m_first, m_second;
    CSprite m_a, m_b;

    PixelPair(CFrame* first, CFrame* second) : m_first(MakeSequence({first})), m_second(MakeSequence({second}))
    {
        m_a.SetSequence(m_first.get());
        m_b.SetSequence(m_second.get());
    }
    bool At(CFloatPoint a, CFloatPoint b)
    {
        m_a.SetPosition(a);
        m_b.SetPosition(b);
        const bool ab = m_a.CollidesWith(&m_b), ba = m_b.CollidesWith(&m_a);
        EXPECT_EQ(ab, ba);
        return ab;
    }
};

TEST(Sprite, PixelTestCollidesOnAOnePixelOverlapAndNotWhenOnlyTouching)
{
    for (uint32_t depth : {8u, 16u, 24u, 32u}) {
        SCOPED_TRACE(depth);
        const uint32_t value = depth == 32 ? 0xFF000001u : 0x11u;
        PixelPair pair(MakeFrame(depth, {"####", "####", "####", "####"}, 0, 0, value),
                       MakeFrame(depth, {"###", "###", "###"}, 1, 1, value));
        // b's frame covers columns x - 1 .. x + 1: at x = 4 it covers column 3, a's last.
        EXPECT_TRUE(pair.At({0, 0}, {4, 2}));
        EXPECT_FALSE(pair.At({0, 0}, {5, 2})); // touching at the edge
        EXPECT_TRUE(pair.At({0, 0}, {4, 4})); // corner pixel (3, 3)
        EXPECT_FALSE(pair.At({0, 0}, {4, 5}));
        EXPECT_TRUE(pair.At({0, 0}, {-1, 2}));
        EXPECT_FALSE(pair.At({0, 0}, {-2, 2}));
        EXPECT_TRUE(pair.At({0, 0}, {4.5f, 2}));  // 4.5 rounds to 4 (ties to even)
        EXPECT_FALSE(pair.At({0, 0}, {5.5f, 2})); // 5.5 rounds to 6
        EXPECT_TRUE(pair.At({100000, -70000}, {100004, -69997}));
    }
}

TEST(Sprite, PixelTestComparesPixelsNotRectangles)
{
    // Overlapping rectangles whose set pixels never meet, then meet in one pixel.
    PixelPair pair(MakeFrame(16, {"#..", "...", "..."}), MakeFrame(16, {"...", ".##", ".##"}));
    EXPECT_FALSE(pair.At({0, 0}, {0, 0}));
    EXPECT_TRUE(pair.At({0, 0}, {-1, -1}));
    // A 32-bit pixel with colour but no alpha is not set.
    PixelPair clear(MakeFrame(32, {"##"}, 0, 0, 0x00FFFFFFu), MakeFrame(32, {"##"}, 0, 0, 0xFF000000u));
    EXPECT_FALSE(clear.At({0, 0}, {0, 0}));
    // Run-length frames: their skip runs are not set.
    CFrame plain;
    plain.Create(3, 1, 16);
    frametest::WritePixel(plain, 0, 0, 0x7777);
    frametest::WritePixel(plain, 2, 0, 0x7777);
    auto* runLength = new CFrame;
    frametest::MakeRunLengthCopy(*runLength, plain, kFrameRunLengthAlpha);
    PixelPair rle(runLength, MakeFrame(16, {"#"}));
    EXPECT_FALSE(rle.At({0, 0}, {1, 0}));
    EXPECT_TRUE(rle.At({0, 0}, {2, 0}));
    // A big frame after small ones grows the scratch frames.
    PixelPair big(MakeSquare(16, 300), MakeSquare(16, 300));
    EXPECT_TRUE(big.At({0, 0}, {299, 299}));
    EXPECT_FALSE(big.At({0, 0}, {300, 0}));
}

TEST(Sprite, PixelTestNeedsThisSpriteActiveAndBothAlive)
{
    PixelPair pair(MakeSquare(16, 4), MakeSquare(16, 4));
    EXPECT_TRUE(pair.At({0, 0}, {1, 1}));
    for (uint32_t flag : {CSprite::kSolid, CSprite::kActive, CSprite::kDead}) {
        pair.m_b.SetFlag(flag, flag == CSprite::kDead);
        EXPECT_FALSE(pair.At({0, 0}, {1, 1})) << flag;
        pair.m_b.SetFlag(flag, flag != CSprite::kDead);
    }
    EXPECT_FALSE(pair.m_b.CollidesWith(nullptr));
}

// A sprite of two parts, as the animated sprites are: a frame each, at offsets of their own, and
// only the collidable ones count.
class CTwoPartSprite : public CSprite
{
public:
    CFrame* GetPartFrame(uint32_t part) const override { return part < 2 ? m_frames[part] : nullptr; }
    uint32_t GetPartCount() const override { return 2; }
    CIntPoint GetPartOffset(uint32_t part) const override { return part < 2 ? m_offsets[part] : CIntPoint{}; }
    bool IsPartFlagSet(uint32_t part, uint32_t mask) const override
    {
        return part < 2 && (m_partFlags[part] & mask) == mask;
    }
    CFrame* m_frames[2] = {};
    CIntPoint m_offsets[2];
    uint32_t m_partFlags[2] = {3, 3};
};

TEST(Sprite, PixelTestPlacesEveryCollidablePartAtItsOffset)
{
    std::unique_ptr<CFrame> hull(MakeSquare(16, 2)), gun(MakeSquare(16, 2));
    CTwoPartSprite ship;
    ship.m_frames[0] = hull.get();
    ship.m_frames[1] = gun.get();
    ship.m_offsets[1] = {10, 0}; // the gun covers (10..11, 0..1)
    CSprite shot;
    auto sequence = MakeSequence({MakeSquare(16, 1)});
    shot.SetSequence(sequence.get());
    for (const auto& [at, hits] : std::vector<std::pair<CFloatPoint, bool>>{
             {{1, 1}, true}, {{11, 1}, true}, {{5, 0}, false}, {{12, 0}, false}}) {
        shot.SetPosition(at);
        EXPECT_EQ(shot.CollidesWith(&ship), hits) << at.m_x;
        EXPECT_EQ(ship.CollidesWith(&shot), hits) << at.m_x;
    }
    ship.m_partFlags[1] = 1; // visible, not collidable
    shot.SetPosition({11, 1});
    EXPECT_FALSE(shot.CollidesWith(&ship));
    EXPECT_FALSE(ship.CollidesWith(&shot));
    ship.m_frames[0] = nullptr;
    shot.SetPosition({1, 1});
    EXPECT_FALSE(shot.CollidesWith(&ship));
}

TEST(Sprite, SweepStartsAtTheCollisionOriginAndPassingThroughIsForNonSolidSpritesOrTheBehaviours)
{
    CMovingSprite mover;
    mover.m_origin = {1, 2};
    mover.SetPosition({4, 6});
    mover.SetVelocity({3, 4});
    CCollisionSweep sweep;
    mover.BeginSweep(sweep);
    EXPECT_EQ(sweep.GetMotion(), (CFloatPoint{3, 4}));
    EXPECT_EQ(sweep.GetVelocity(), (CFloatPoint{3, 4}));
    const float factors[] = {sweep.GetBounce(), sweep.GetNormalRest(), sweep.GetFriction(), sweep.GetTangentialRest()};
    EXPECT_EQ(std::vector<float>(factors, factors + 4), (std::vector<float>{1.0f, 0.1f, 0.0f, 0.1f}));
    CSweepResult result;
    result.m_velocity = {-3, 4};
    mover.ApplySweepVelocity(result);
    EXPECT_EQ(mover.GetVelocity(), (CFloatPoint{-3, 4}));

    CSprite plain, other;
    EXPECT_FALSE(plain.PassesThrough(&other, nullptr));
    auto* probe = new CProbeAI;
    plain.AddAI(probe);
    EXPECT_FALSE(plain.PassesThrough(&other, nullptr));
    probe->m_passes = [&](CSprite* s) { return s == &other; };
    EXPECT_TRUE(plain.PassesThrough(&other, nullptr));
    plain.SetFlag(CSprite::kSolid, false);
    EXPECT_TRUE(plain.PassesThrough(&plain, nullptr));
}

// The state check over a memory stream, closed at the end of the scope.
class StateCheckScope
{
public:
    StateCheckScope() { m_file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ); }
    ~StateCheckScope() { CStateCheck::SetStream(nullptr, CStateCheck::Mode::Write); }
    void Start(CStateCheck::Mode mode)
    {
        m_file.Seek(0);
        CStateCheck::ClearMismatch();
        CStateCheck::SetStream(&m_file, mode);
    }
    CVirtualFile m_file;
};

TEST(Sprite, StateCheckWritesTheWordsInOrderAndFindsADifference)
{
    auto sequence = MakeEmptySequence(4);
    CSprite sprite;
    sprite.SetSequence(sequence.get());
    sprite.SetVelocity({1.5f, -2});
    sprite.SetAcceleration({0.25f, 3});
    sprite.SetPosition({7.5f, 8});
    sprite.SetLifetime(nullptr, 9);
    sprite.AddAI(new CAnimateOnceAI(0.5f));
    CStateCheck::SyncWord(1); // nothing happens without a stream

    StateCheckScope check;
    check.Start(CStateCheck::Mode::Write);
    sprite.SyncState();
    ASSERT_EQ(check.m_file.GetSize(), 17u * 4);
    auto bits = [](float f) { return std::bit_cast<uint32_t>(f); };
    const uint32_t expected[17] = {0, 0, 0, bits(1.5f), bits(-2.0f), bits(0.25f), bits(3.0f), bits(7.5f), bits(8.0f),
                                   8, 8, bits(0.95f), bits(std::numbers::pi_v<float> / 2), 3, 9, 0, bits(0.5f)};
    check.m_file.Seek(0);
    for (uint32_t word : expected) {
        uint32_t stored = 0;
        check.m_file.ReadU32(stored);
        EXPECT_EQ(stored, word);
    }

    check.Start(CStateCheck::Mode::Compare);
    sprite.SyncState();
    EXPECT_FALSE(CStateCheck::HasMismatch());
    check.Start(CStateCheck::Mode::Compare);
    sprite.Update(); // the age and the position change
    sprite.SyncState();
    EXPECT_TRUE(CStateCheck::HasMismatch());
    // Words missing from the stream count as differences.
    check.Start(CStateCheck::Mode::Compare);
    check.m_file.Seek(check.m_file.GetSize());
    CStateCheck::SyncWord(0);
    EXPECT_TRUE(CStateCheck::HasMismatch());
}

} // namespace
