// Sprite behaviours: the chain's questions, playing a sequence once at whole, fractional and
// negative rates, and the count of live effect behaviours.
#include "SpriteTestSupport.h"

#include "game/sprites/AnimateOnceAI.h"
#include "game/sprites/EffectSpriteAI.h"
#include "game/sprites/SpriteList.h"

#include <gtest/gtest.h>

using namespace spritetest;

namespace {

// The frame index after each step until the sprite dies (at most 20 steps), then "dead".
std::vector<std::string> Play(CSprite& sprite)
{
    std::vector<std::string> shown;
    for (int step = 0; step < 20 && !sprite.IsDead(); ++step) {
        sprite.Update();
        shown.push_back(sprite.IsDead() ? "dead" : std::to_string(sprite.GetFrameIndex()));
    }
    return shown;
}

TEST(AnimateOnce, PlaysTheSequenceOnceAndDiesShowingFrameZero)
{
    using Frames = std::vector<std::string>;
    const struct
    {
        float rate;
        float startTime;
        Frames shown;
        uint32_t startFrame = 0;
    } cases[] = {
        {1.0f, 0.0f, {"1", "2", "3", "dead"}},
        {1.0f, 0.0f, {"3", "dead"}, 2},                             // a whole step counts frames, not time
        {0.5f, 0.0f, {"0", "1", "1", "2", "2", "3", "3", "dead"}, 2}, // any other rate follows the time
        {0.5f, 0.0f, {"0", "1", "1", "2", "2", "3", "3", "dead"}},  // times 0.5, 1.0, 1.5, ...
        {2.0f, 0.0f, {"2", "dead"}},
        {0.75f, 0.0f, {"0", "1", "2", "3", "3", "dead"}},           // 0.75, 1.5, 2.25, 3.0, 3.75, 4.5
        {-0.5f, 1.0f, {"0", "0", "dead"}},                          // backwards: 0.5, 0.0, -0.5
        {-1.0f, 2.0f, {"1", "0", "dead"}},                          // a whole step backwards is not whole
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        auto sequence = MakeEmptySequence(4);
        CSprite sprite;
        sprite.SetSequence(sequence.get());
        sprite.SetAnimationTime(c.startTime);
        sprite.SetFrameIndex(c.startFrame);
        sprite.AddAI(new CAnimateOnceAI(c.rate));
        EXPECT_EQ(Play(sprite), c.shown);
        EXPECT_EQ(sprite.GetFrameIndex(), 0u);
        EXPECT_EQ(sprite.GetAnimationTime(), 0.0f);
    }
}

TEST(AnimateOnce, WithoutFramesNothingAnimatesButTheNextBehaviourStillRuns)
{
    CallLog log;
    auto empty = MakeSequence({});
    for (CSequence* sequence : {empty.get(), static_cast<CSequence*>(nullptr)}) {
        CSprite sprite;
        sprite.SetSequence(sequence);
        sprite.AddAI(new CAnimateOnceAI(1.0f));
        sprite.AddAI(new CProbeAI(&log));
        sprite.Update();
        sprite.Update();
        EXPECT_FALSE(sprite.IsDead());
        EXPECT_EQ(sprite.GetFrameIndex(), 0u);
    }
    EXPECT_EQ(log.Count("probe update"), 4);
}

TEST(EffectSprite, CountsTheLiveEffectBehaviours)
{
    const uint32_t before = CEffectSpriteAI::GetLiveCount();
    {
        CSpriteList list;
        CSprite* sprites[3];
        for (CSprite*& sprite : sprites) {
            sprite = new CSprite;
            sprite->AddAI(new CEffectSpriteAI(1.0f));
            list.Append(sprite);
        }
        EXPECT_EQ(CEffectSpriteAI::GetLiveCount(), before + 3);
        list.Remove(sprites[1]);
        delete sprites[1];
        EXPECT_EQ(CEffectSpriteAI::GetLiveCount(), before + 2);
        // An effect that has played out is deleted by its list.
        auto sequence = MakeEmptySequence(1);
        sprites[0]->SetSequence(sequence.get());
        list.UpdateAll();
        EXPECT_EQ(list.Count(), 1u);
        EXPECT_EQ(CEffectSpriteAI::GetLiveCount(), before + 1);
    }
    EXPECT_EQ(CEffectSpriteAI::GetLiveCount(), before);
}

TEST(SpriteBehaviour, ChainQuestionsGoOnUntilABehaviourAnswers)
{
    CPolygon2D quad = BrickQuad();
    CSprite sprite, other;
    auto* first = new CProbeAI;
    auto* second = new CProbeAI;
    sprite.AddAI(first);
    sprite.AddAI(second);
    EXPECT_FALSE(sprite.PassesThrough(&other, nullptr));
    EXPECT_EQ(sprite.GetCollisionPolygon(), nullptr);
    second->m_passes = [](CSprite*) { return true; };
    second->m_polygon = &quad;
    EXPECT_TRUE(sprite.PassesThrough(&other, nullptr));
    EXPECT_EQ(sprite.GetCollisionPolygon(), &quad);
    CSprite bare;
    EXPECT_EQ(bare.GetCollisionPolygon(), nullptr);

    EXPECT_STREQ(CSpriteAI::GetStaticClassRecord()->GetName(), "CSpriteAI");
}

} // namespace
