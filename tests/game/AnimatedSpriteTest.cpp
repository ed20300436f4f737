// Animation slots (the frame that follows the phase, one-shot and looping advances, fixed frames)
// and animated sprites (drawing, bounds, parts and collisions slot by slot).
#include "SpriteTestSupport.h"

#include "../graphics/FrameTestSupport.h"
#include "foundation/MathTables.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

using namespace spritetest;

namespace {

std::unique_ptr<CSequence> MakeAnimation(uint32_t frames, float rate)
{
    auto sequence = MakeEmptySequence(frames);
    sequence->SetFramesPerSecond(rate);
    return sequence;
}

TEST(AnimationSlot, TheFrameFollowsThePhase)
{
    auto ten = MakeAnimation(10, 15.0f);
    CAnimationSlot slot(ten.get());
    EXPECT_EQ(slot.GetFrameIndex(), 0u);
    EXPECT_EQ(slot.GetPhase(), 0.0f);
    EXPECT_EQ(slot.GetFlags(), CAnimationSlot::kVisible | CAnimationSlot::kCollidable);
    const std::pair<float, uint32_t> cases[] = {{0.95f, 9}, {0.949f, 9}, {0.5f, 5}, {0.0f, 0}, {0.0999f, 0},
                                                {0.1f, 1},  {1.0f, 9},   {1.5f, 9}, {-0.3f, 0}};
    for (const auto& [phase, frame] : cases) {
        slot.SetPhase(phase);
        EXPECT_EQ(slot.GetFrameIndex(), frame) << phase;
    }

    // A fixed frame is shown until a sequence is set, which starts it again at phase 0.
    slot.SetFixedFrame(7);
    EXPECT_EQ(slot.GetPhase(), CAnimationSlot::kFixedFramePhase);
    EXPECT_EQ(slot.GetFrameIndex(), 7u);
    auto four = MakeAnimation(4, 60.0f);
    slot.SetSequence(four.get());
    EXPECT_EQ(slot.GetPhase(), 0.0f);
    EXPECT_EQ(slot.GetFrameIndex(), 0u);
}

TEST(AnimationSlot, AdvancesOnceToTheLastFrameOrLoops)
{
    // Four frames at 60 frames per second: a quarter of the animation per step.
    auto four = MakeAnimation(4, 60.0f);
    CAnimationSlot once(four.get());
    for (uint32_t step = 1; step <= 3; ++step) {
        EXPECT_FALSE(once.AdvanceOnce()) << step;
        EXPECT_FLOAT_EQ(once.GetPhase(), 0.25f * static_cast<float>(step));
        EXPECT_EQ(once.GetFrameIndex(), step);
    }
    EXPECT_TRUE(once.AdvanceOnce());
    EXPECT_EQ(once.GetFrameIndex(), 3u);
    EXPECT_EQ(once.GetPhase(), 1.0f);
    EXPECT_TRUE(once.AdvanceOnce());
    EXPECT_EQ(once.GetPhase(), 1.0f);

    CAnimationSlot loop(four.get());
    loop.SetPhase(0.9f);
    loop.AdvanceLooping();
    EXPECT_NEAR(loop.GetPhase(), 0.15f, 1e-6f);
    EXPECT_EQ(loop.GetFrameIndex(), 0u);
    // Exactly 1 stays and shows the last frame.
    loop.SetPhase(0.75f);
    loop.AdvanceLooping();
    EXPECT_EQ(loop.GetPhase(), 1.0f);
    EXPECT_EQ(loop.GetFrameIndex(), 3u);
    // Several whole turns at once, as repeated subtraction would leave them.
    loop.SetPhase(3.25f);
    loop.AdvanceLooping();
    EXPECT_FLOAT_EQ(loop.GetPhase(), 0.5f);
    EXPECT_EQ(loop.GetFrameIndex(), 2u);
}

// A 16-bit target of 24 x 14 pixels of the background value.
constexpr uint32_t kBackground = 0x7BEF;
constexpr uint32_t kHull = 0x1111;
constexpr uint32_t kGun = 0x2222;
constexpr uint32_t kHidden = 0x3333;

std::unique_ptr<CFrame> MakeTarget()
{
    return std::unique_ptr<CFrame>(MakeFrame(16, std::vector<std::string>(14, std::string(24, '#')), 0, 0, kBackground));
}

// The pixels of the target that differ from the background, by position.
std::map<std::pair<int, int>, uint32_t> Drawn(const CFrame& target)
{
    std::map<std::pair<int, int>, uint32_t> drawn;
    for (int y = 0; y < target.GetHeight(); ++y)
        for (int x = 0; x < target.GetWidth(); ++x)
            if (const uint32_t value = target.GetRawPixel(x, y); value != kBackground)
                drawn[{x, y}] = value;
    return drawn;
}

// Fills the expected map with a block of the value.
void Block(std::map<std::pair<int, int>, uint32_t>& map, int left, int top, int width, int height, uint32_t value)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            map[{x, y}] = value;
}

// The frame as run-length rows with its colour and alpha layers, as sprites are loaded (the shadow
// blend mode draws only those), about the same hot spot.
CFrame* RunLength(CFrame* plain)
{
    auto* frame = new CFrame;
    frametest::MakeRunLengthCopy(*frame, *plain, kFrameRunLengthAlpha);
    frame->SetOrigin(plain->GetLeft(), plain->GetTop());
    delete plain;
    return frame;
}

class AnimatedSpriteScene : public testing::Test
{
protected:
    void SetUp() override
    {
        // A hull of 4 x 2 about its hot spot (1, 1), a two-frame gun of 2 x 3 (frame 1 drawn), and
        // a 3 x 3 part that is hidden.
        m_hull = MakeSequence({RunLength(MakeFrame(16, {"####", "####"}, 1, 1, kHull))});
        m_gun = MakeSequence({MakeSquare(16, 1), RunLength(MakeFrame(16, {"##", "##", "##"}, 0, 0, kGun))});
        m_hidden = MakeSequence({RunLength(MakeFrame(16, {"###", "###", "###"}, 0, 0, kHidden))});
        m_sprite.SetPosition({6, 5});
        m_sprite.AddSlot(m_hull.get());
        CAnimationSlot* gun = m_sprite.AddSlot(m_gun.get());
        gun->SetFixedFrame(1);
        gun->SetOffset({7, 2});
        CAnimationSlot* hidden = m_sprite.AddSlot(m_hidden.get());
        hidden->SetOffset({12, -3});
        hidden->SetFlag(CAnimationSlot::kVisible, false);
    }

    std::unique_ptr<CSequence> m_hull, m_gun, m_hidden;
    // Outlives the sprite, whose behaviours log their deletion.
    CallLog m_log;
    CAnimatedSprite m_sprite;
};

TEST_F(AnimatedSpriteScene, DrawsEachVisibleSlotAtItsOffset)
{
    m_sprite.AddAI(new CProbeAI(&m_log));
    auto target = MakeTarget();
    m_sprite.Draw(target.get());
    std::map<std::pair<int, int>, uint32_t> expected;
    Block(expected, 6 - 1, 5 - 1, 4, 2, kHull);
    Block(expected, 6 + 7, 5 + 2, 2, 3, kGun);
    EXPECT_EQ(Drawn(*target), expected);
    EXPECT_EQ(m_log.Count("probe overlay"), 1);
}

TEST_F(AnimatedSpriteScene, BoundsCoverTheVisibleFramesAndPartsAreTheSlots)
{
    // Hull (-1, -1)..(3, 1) and gun (0, 0)..(2, 3) about their hot spots; the hidden slot is left out.
    CIntRect bounds;
    m_sprite.GetBoundingRect(bounds);
    EXPECT_EQ(bounds, (CIntRect{-1, -1, 3, 3}));
    m_sprite.GetSlot(0)->SetFlag(CAnimationSlot::kVisible, false);
    m_sprite.GetSlot(1)->SetFlag(CAnimationSlot::kVisible, false);
    m_sprite.GetBoundingRect(bounds);
    EXPECT_EQ(bounds, CIntRect{});

    // The hidden slot is still a part.
    EXPECT_EQ(m_sprite.GetPartCount(), 3u);
    EXPECT_EQ(m_sprite.GetPartFrame(2), m_hidden->GetFrame(0));
    EXPECT_EQ(m_sprite.GetPartFrame(3), nullptr);
    EXPECT_FALSE(m_sprite.IsPartFlagSet(2, CAnimationSlot::kVisible | CAnimationSlot::kCollidable));
}

TEST_F(AnimatedSpriteScene, AnInvisibleCollidableSlotStillCollides)
{
    // Another sprite over the hidden part only: (6 + 12, 5 - 3) .. + 3.
    auto dot = MakeSequence({MakeSquare(16, 1)});
    CSprite other;
    other.SetSequence(dot.get());
    other.SetPosition({19, 3});
    EXPECT_TRUE(m_sprite.CollidesWith(&other));
    EXPECT_TRUE(other.CollidesWith(&m_sprite));
    m_sprite.GetSlot(2)->SetFlag(CAnimationSlot::kCollidable, false);
    EXPECT_FALSE(m_sprite.CollidesWith(&other));
}

} // namespace
