// Effect sprites and bursts of sparks: how many sparks a burst makes while effects crowd the
// screen, how the kinds share a burst by weight, the shapes they start in and the directions they
// fly at, and the brick type's own particles.
#include "WorldTestSupport.h"

#include "game/sprites/EffectSpriteAI.h"

#include <cmath>
#include <numbers>

using namespace worldtest;

namespace {

using Sparks = WorldFixture;

std::vector<const CSprite*> SpritesOf(const CSpriteList& list)
{
    std::vector<const CSprite*> sprites;
    for (const CSprite* s = list.GetHead(); s; s = s->GetNext())
        sprites.push_back(s);
    return sprites;
}

float Speed(const CSprite& sprite)
{
    return std::hypot(sprite.GetVelocity().m_x, sprite.GetVelocity().m_y);
}

TEST(SparkCount, ThinsLinearlyFromFiveHundredLiveEffectsAndStopsAboveAThousand)
{
    const struct
    {
        uint32_t count, live, expected;
    } cases[] = {{20, 0, 20}, {20, 500, 20}, {20, 600, 16}, {20, 750, 10}, {20, 999, 0},
                 {20, 1000, 0}, {20, 1001, 0}, {20, 100000, 0}, {7, 501, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(CPlayfield::ThinSparkCount(c.count, c.live), c.expected) << c.count << " at " << c.live;
}

TEST_F(Sparks, SixHundredLiveEffectsThinTwentySparksToSixteen)
{
    CParticleGeneratorInfo* burst = Generator("Burst");
    ASSERT_NE(burst, nullptr);
    burst->m_particleCount = 20;
    std::vector<std::unique_ptr<CEffectSpriteAI>> crowd;
    for (int i = 0; i < 600; ++i)
        crowd.push_back(std::make_unique<CEffectSpriteAI>(1.0f));
    ASSERT_EQ(CEffectSpriteAI::GetLiveCount(), 600u);
    m_playfield.SpawnSparks({100, 100}, CPlayfield::kBoxShape, 4, 4, 0, burst, nullptr, nullptr);
    EXPECT_EQ(m_playfield.GetForeground().Count(), 16u);
    burst->m_particleCount = 12;
}

TEST_F(Sparks, KindsShareTheBurstByWeightInTheirOrder)
{
    // Spark 30 and Flash 10 over 12 sparks: spark i takes the first kind whose share reaches i/12.
    m_playfield.SpawnSparks({100, 100}, CPlayfield::kBoxShape, 4, 4, 0, Generator("Burst"), nullptr, nullptr);
    std::vector<const CSequence*> kinds;
    for (const CSprite* s : SpritesOf(m_playfield.GetForeground()))
        kinds.push_back(s->GetSequence());
    std::vector<const CSequence*> expected(9, Sequence("Spark"));
    expected.insert(expected.end(), 3, Sequence("Flash"));
    EXPECT_EQ(kinds, expected);
    m_playfield.GetForeground().DeleteAll();

    // A brick type's own particles take the place of the generator's.
    m_playfield.SpawnSparks({100, 100}, CPlayfield::kBoxShape, 4, 4, 0, Generator("Burst"), Brick("Rock"), nullptr);
    kinds.clear();
    for (const CSprite* s : SpritesOf(m_playfield.GetForeground()))
        kinds.push_back(s->GetSequence());
    EXPECT_EQ(kinds, std::vector<const CSequence*>(12, Sequence("Flash")));
}

TEST_F(Sparks, NothingSpawnsWithoutAGeneratorKindsOrWeight)
{
    m_playfield.SpawnSparks({100, 100}, CPlayfield::kBoxShape, 4, 4, 0, nullptr, nullptr, nullptr);
    m_playfield.SpawnSparks({100, 100}, CPlayfield::kBoxShape, 4, 4, 0, Generator("!None"), nullptr, nullptr);
    CParticleGeneratorInfo weightless;
    ASSERT_TRUE(ReadObjectText(weightless, GeneratorText(6, 30.0f, 6.2831853f, {{"Spark", 0}, {"Flash", 0}})));
    m_playfield.SpawnSparks({100, 100}, CPlayfield::kBoxShape, 4, 4, 0, &weightless, nullptr, nullptr);
    EXPECT_EQ(m_playfield.GetForeground().Count(), 0u);
}

TEST_F(Sparks, ShapesSpeedsAndDirections)
{
    const CFloatPoint centre{300, 200};
    // All round, in the disc: within the radius, flying straight out from the centre.
    m_playfield.SpawnSparks(centre, CPlayfield::kDiscShape, 10, 0, 0, Generator("Burst"), nullptr, nullptr);
    for (const CSprite* s : SpritesOf(m_playfield.GetForeground())) {
        const float dx = s->GetPosition().m_x - centre.m_x, dy = s->GetPosition().m_y - centre.m_y;
        const float distance = std::hypot(dx, dy);
        EXPECT_LE(distance, 10.0f);
        EXPECT_GE(Speed(*s), 1.5f * 0.999f);
        EXPECT_LT(Speed(*s), 2.5f);
        if (distance > 0.5f) {
            EXPECT_NEAR((dx * s->GetVelocity().m_x + dy * s->GetVelocity().m_y) / (distance * Speed(*s)), 1.0f, 1e-4f);
        }
    }
    m_playfield.GetForeground().DeleteAll();

    // A cone of pi/2 about 1.5 radians, in the box: each within the box, each direction within
    // the cone (table trigonometry to a hundredth).
    m_playfield.SpawnSparks(centre, CPlayfield::kBoxShape, 20, 5, 1.5f, Generator("Effects/Cone"), nullptr, nullptr);
    float lowest = 10, highest = -10;
    for (const CSprite* s : SpritesOf(m_playfield.GetForeground())) {
        EXPECT_LE(std::abs(s->GetPosition().m_x - centre.m_x), 20.0f);
        EXPECT_LE(std::abs(s->GetPosition().m_y - centre.m_y), 5.0f);
        const float angle = std::atan2(s->GetVelocity().m_y, s->GetVelocity().m_x);
        lowest = std::min(lowest, angle);
        highest = std::max(highest, angle);
    }
    EXPECT_GE(lowest, 1.5f - std::numbers::pi_v<float> / 4 - 0.01f);
    EXPECT_LE(highest, 1.5f + std::numbers::pi_v<float> / 4 + 0.01f);
    // The cone is used, not only its middle.
    EXPECT_GT(highest - lowest, 0.5f);
}

} // namespace
