// Sprite lists: linking, the update pass with its purge, the pairwise pixel test, the swept test
// with its contacts, deflections, pass-throughs and traps, and the segment query.
#include "SpriteTestSupport.h"

#include "game/sprites/SpriteList.h"
#include "objects/CollisionSweep.h"
#include "objects/SweepResult.h"

#include <gtest/gtest.h>

#include <random>

using namespace spritetest;

namespace {

// What the collision callbacks were called with.
struct Call
{
    CSprite* a;
    CSprite* b;
    uint32_t context;
    bool operator==(const Call&) const = default;
};
std::vector<Call> g_calls;

void Record(CSprite* a, CSprite* b, uint32_t context)
{
    g_calls.push_back({a, b, context});
}

std::vector<CSprite*> Sprites(const CSpriteList& list)
{
    std::vector<CSprite*> sprites;
    for (CSprite* s = list.GetHead(); s; s = s->GetNext())
        sprites.push_back(s);
    // The backward links agree.
    std::vector<CSprite*> backwards;
    for (CSprite* s = list.GetTail(); s; s = s->GetPrevious())
        backwards.insert(backwards.begin(), s);
    EXPECT_EQ(sprites, backwards);
    EXPECT_EQ(list.Count(), sprites.size());
    return sprites;
}

CSprite* Add(CSpriteList& list, CFloatPoint at = {}, const CPolygon2D* polygon = nullptr, CProbeAI** probe = nullptr)
{
    return AddProbed(list, at, polygon, probe);
}

TEST(SpriteList, AppendRemoveAndDelete)
{
    CallLog log;
    CSpriteList list;
    EXPECT_EQ(list.GetHead(), nullptr);
    auto* a = new CSprite;
    a->AddAI(new CProbeAI(&log, "a"));
    list.Append(a);
    EXPECT_EQ(Sprites(list), std::vector<CSprite*>{a});
    EXPECT_EQ(list.GetTail(), a);
    list.Remove(a);
    EXPECT_TRUE(Sprites(list).empty());
    list.Append(a);
    CSprite* b = Add(list);
    CSprite* c = Add(list);
    CSprite stranger;
    list.Remove(&stranger);
    list.Remove(nullptr);
    EXPECT_EQ(Sprites(list), (std::vector<CSprite*>{a, b, c}));
    list.Remove(b);
    EXPECT_EQ(Sprites(list), (std::vector<CSprite*>{a, c}));
    EXPECT_EQ(b->GetNext(), c); // its links stay as they were

    // A sprite removed from one list joins another without dragging its old neighbours along.
    CSpriteList other;
    other.Append(b);
    EXPECT_EQ(Sprites(other), std::vector<CSprite*>{b});
    EXPECT_EQ(Sprites(list), (std::vector<CSprite*>{a, c}));
    list.DeleteAll();
    EXPECT_TRUE(Sprites(list).empty());
    EXPECT_EQ(log.Count("a deleted"), 1);
}

TEST(SpriteList, DrawsSpritesAndShadowsHeadToTail)
{
    CallLog log;
    CSpriteList list;
    for (const char* name : {"a", "b"}) {
        auto* sprite = new CSprite;
        sprite->AddAI(new CProbeAI(&log, name));
        list.Append(sprite);
    }
    log.m_calls.clear();
    list.DrawShadows(nullptr); // sprites without frames draw nothing but their overlays
    list.DrawAll(nullptr);
    EXPECT_EQ(log.m_calls, (std::vector<std::string>{"a shadow overlay", "b shadow overlay", "a overlay",
                                                     "b overlay"}));
}

TEST(SpriteList, UpdatePassSurvivesSelfKillsAndUpdatesSpritesAppendedBehind)
{
    CSpriteList list;
    CProbeAI *first, *second, *third, *fourth;
    CSprite* a = Add(list, {}, nullptr, &first);
    CSprite* b = Add(list, {}, nullptr, &second);
    CSprite* c = Add(list, {}, nullptr, &third);
    CSprite* d = Add(list, {}, nullptr, &fourth);
    int thirdUpdates = 0, spawnUpdates = 0;
    second->m_onUpdate = [](CSprite* self) { self->SetFlag(CSprite::kDead, true); };
    // The third moves itself to another list; the walk still goes on to the fourth.
    CSpriteList elsewhere;
    int fourthUpdates = 0;
    fourth->m_onUpdate = [&](CSprite*) { ++fourthUpdates; };
    third->m_onUpdate = [&](CSprite* self) {
        ++thirdUpdates;
        list.Remove(self);
        elsewhere.Append(self);
    };
    // The first sprite spawns one behind the others on its first update.
    first->m_onUpdate = [&](CSprite*) {
        if (spawnUpdates == 0) {
            CProbeAI* spawned;
            Add(list, {}, nullptr, &spawned);
            spawned->m_onUpdate = [&](CSprite*) { ++spawnUpdates; };
        }
    };
    list.UpdateAll();
    EXPECT_EQ(thirdUpdates, 1);
    EXPECT_EQ(fourthUpdates, 1);
    EXPECT_EQ(spawnUpdates, 1);
    const std::vector<CSprite*> left = Sprites(list);
    ASSERT_EQ(left.size(), 3u); // the second is gone, the third elsewhere
    EXPECT_EQ(left[0], a);
    EXPECT_EQ(left[1], d);
    EXPECT_EQ(Sprites(elsewhere), std::vector<CSprite*>{c});
    (void)b;
}

TEST(SpriteList, PairwiseTestOfAListWithItselfTestsEachPairOnce)
{
    auto square = MakeSequence({MakeSquare(16, 8)});
    CSpriteList list;
    CSprite* s[4];
    for (int i = 0; i < 4; ++i) {
        s[i] = Add(list, {static_cast<float>(i * 2), 0});
        s[i]->SetSequence(square.get());
    }
    s[3]->SetPosition({100, 0}); // meets nobody
    g_calls.clear();
    EXPECT_TRUE(list.CollideWithList(&Record, 7, &list, nullptr, 0));
    EXPECT_EQ(g_calls, (std::vector<Call>{{s[0], s[1], 7}, {s[0], s[2], 7}, {s[1], s[2], 7}}));

    // Two lists: a callback that kills its sprite takes it out of the rest of the walk.
    CSpriteList others;
    CSprite* o = Add(others, {1, 1});
    o->SetSequence(square.get());
    g_calls.clear();
    auto killSelf = [](CSprite* self, CSprite*, uint32_t) {
        Record(self, nullptr, 9);
        self->SetFlag(CSprite::kDead, true);
    };
    EXPECT_TRUE(others.CollideWithList(killSelf, 0, &list, &Record, 5));
    EXPECT_EQ(g_calls, (std::vector<Call>{{o, nullptr, 9}, {s[0], o, 5}}));

    for (CSprite* sprite : s)
        sprite->SetFlag(CSprite::kDead, true);
    g_calls.clear();
    EXPECT_FALSE(list.CollideWithList(&Record, 0, &list, &Record, 0));
    EXPECT_FALSE(list.CollideWithList(&Record, 0, nullptr, &Record, 0));
    EXPECT_TRUE(g_calls.empty());
}

// A field of bricks and a ball moving through it this step.
struct Field
{
    CPolygon2D m_quad = BrickQuad();
    CPolygon2D m_ballShape = Ball();
    CSpriteList m_bricks;
    CMovingSprite* m_ball = new CMovingSprite;
    CProbeAI* m_ballAI = new CProbeAI;
    CSpriteList m_balls;

    Field()
    {
        m_ballAI->m_polygon = &m_ballShape;
        m_ball->AddAI(m_ballAI);
        m_balls.Append(m_ball);
        g_calls.clear();
    }
    CSprite* Brick(CFloatPoint at) { return Add(m_bricks, at, &m_quad); }
    // The ball moved from `from` to `to` this step, at that velocity.
    void Move(CFloatPoint from, CFloatPoint to)
    {
        m_ball->m_origin = from;
        m_ball->SetPosition(to);
        m_ball->SetVelocity({to.m_x - from.m_x, to.m_y - from.m_y});
    }
    bool Sweep(CSweepResult* out = nullptr)
    {
        CSweepResult result;
        result.Reset();
        const bool hit = m_bricks.SweepSprite(&Record, m_ball, result);
        if (out)
            *out = result;
        return hit;
    }
};

TEST(SpriteListSweep, BallBouncesOffABrickAndIsReported)
{
    Field field;
    CSprite* brick = field.Brick({0, 0});
    // Moving 20 down from y = -30: the ball's lowest point (9 below) meets the brick's top
    // (y = -9, pushed out by 1) after 11 pixels; the other 9 are reflected upward.
    field.Move({0, -50}, {0, -30});
    CSweepResult result;
    ASSERT_TRUE(field.Sweep(&result));
    EXPECT_NEAR(field.m_ball->GetPosition().m_x, 0.0f, 1e-4f);
    EXPECT_NEAR(field.m_ball->GetPosition().m_y, -28.0f, 1e-4f);
    EXPECT_EQ(field.m_ball->GetIntPosition(), (CIntPoint{0, -28}));
    EXPECT_NEAR(field.m_ball->GetVelocity().m_y, -20.0f, 1e-4f);
    EXPECT_NEAR(result.m_time, 11.0f / 20.0f, 1e-5f);
    EXPECT_NEAR(result.m_normal.m_y, -1.0f, 1e-5f);
    EXPECT_EQ(g_calls, (std::vector<Call>{{field.m_ball, brick, 0}}));

    // Resting 0.5 above the brick and moving into it: a contact before the start of the motion,
    // reported at time 0, that turns the whole motion round.
    field.Move({0, -23.5f}, {0, -18.5f});
    g_calls.clear();
    ASSERT_TRUE(field.Sweep(&result));
    EXPECT_EQ(result.m_time, 0.0f);
    EXPECT_EQ(result.m_offset, (CFloatPoint{0, 0}));
    EXPECT_NEAR(field.m_ball->GetPosition().m_y, -23.5f, 1e-4f);
    EXPECT_NEAR(field.m_ball->GetVelocity().m_y, -5.0f, 1e-4f);

    // A ball that did not move is not swept, even inside a brick.
    field.Move({0, 0}, {0, 0});
    g_calls.clear();
    EXPECT_FALSE(field.Sweep());
    EXPECT_EQ(field.m_ball->GetPosition(), (CFloatPoint{0, 0}));
    EXPECT_TRUE(g_calls.empty());

    // Nothing in the way: the ball keeps its position and velocity.
    field.Move({0, -80}, {0, -70});
    EXPECT_FALSE(field.Sweep());
    EXPECT_EQ(field.m_ball->GetPosition(), (CFloatPoint{0, -70}));
    EXPECT_EQ(field.m_ball->GetVelocity(), (CFloatPoint{0, 10}));
}

TEST(SpriteListSweep, BallTrappedForFiveContactsStaysAtItsStart)
{
    Field field;
    field.Brick({0, -30});
    CSprite* below = field.Brick({0, 30});
    // 200 pixels of motion between two bricks 20 pixels apart bounces back and forth.
    field.Move({0, -200}, {0, 0});
    CSweepResult result;
    ASSERT_TRUE(field.Sweep(&result));
    EXPECT_EQ(field.m_ball->GetPosition(), (CFloatPoint{0, 0}));
    EXPECT_EQ(result.m_time, 0.0f);
    EXPECT_EQ(result.m_offset, (CFloatPoint{0, 0}));
    EXPECT_EQ(result.m_position, (CFloatPoint{0, 0}));
    // Five reflections leave the velocity turned round.
    EXPECT_NEAR(field.m_ball->GetVelocity().m_y, -200.0f, 1e-3f);
    EXPECT_EQ(g_calls, (std::vector<Call>{{field.m_ball, below, 0}}));
}

TEST(SpriteListSweep, PassingThroughIsReportedAndASolidContactAfterItStillResolves)
{
    Field field;
    CSprite* through = field.Brick({0, -10});
    CSprite* solid = field.Brick({0, 40});
    field.m_ballAI->m_passes = [&](CSprite* other) { return other == through; };
    // From y = -40 down 70: through the first brick, then 61 pixels to the second's top (31, less
    // the 1 pushed out), and 9 back up.
    field.Move({0, -110}, {0, -40});
    ASSERT_TRUE(field.Sweep());
    EXPECT_NEAR(field.m_ball->GetPosition().m_y, 12.0f, 1e-3f);
    EXPECT_NEAR(field.m_ball->GetVelocity().m_y, -70.0f, 1e-3f);
    EXPECT_EQ(g_calls, (std::vector<Call>{{field.m_ball, through, 1}, {field.m_ball, solid, 0}}));

    // A ball that is not solid passes through everything and reaches the end of its motion.
    field.m_ball->SetFlag(CSprite::kSolid, false);
    field.Move({0, -110}, {0, -40});
    g_calls.clear();
    EXPECT_FALSE(field.Sweep());
    EXPECT_EQ(field.m_ball->GetPosition(), (CFloatPoint{0, -40}));
    EXPECT_EQ(g_calls, (std::vector<Call>{{field.m_ball, through, 1}, {field.m_ball, solid, 1}}));
}

TEST(SpriteListSweep, OfEqualContactsTheFirstInTheListWins)
{
    Field field;
    CSprite* one = field.Brick({0, 0});
    CSprite* two = field.Brick({0, 0});
    field.Move({0, -50}, {0, -30});
    ASSERT_TRUE(field.Sweep());
    EXPECT_EQ(g_calls.back().b, one);
    field.m_bricks.Remove(one);
    field.m_bricks.Append(one); // now behind its twin
    field.Move({0, -50}, {0, -30});
    ASSERT_TRUE(field.Sweep());
    EXPECT_EQ(g_calls.back().b, two);
}

TEST(SpriteListSweep, SkippedSpritesNeverStopTheBall)
{
    Field field;
    CSprite* dead = field.Brick({0, 0});
    dead->SetFlag(CSprite::kDead, true);
    field.Brick({0, 0})->SetActive(false);
    Add(field.m_bricks, {0, 0}); // no polygon
    // The ball's own polygon where the ball is does not count; a copy of it does.
    Add(field.m_bricks, {0, -30}, &field.m_ballShape);
    field.Move({0, -50}, {0, -30});
    EXPECT_FALSE(field.Sweep());
    CPolygon2D copy = field.m_ballShape;
    Add(field.m_bricks, {0, -30}, &copy);
    EXPECT_TRUE(field.Sweep());
}

TEST(SpriteListSweep, SweepListAgainstMovesEveryLiveMover)
{
    Field field;
    field.Brick({0, 0});
    auto* inactive = new CMovingSprite;
    auto* behaviour = new CProbeAI;
    behaviour->m_polygon = &field.m_ballShape;
    inactive->AddAI(behaviour);
    inactive->m_origin = {0, -50};
    inactive->SetPosition({0, -30});
    inactive->SetActive(false);
    field.m_balls.Append(inactive);
    field.Move({0, -50}, {0, -30});
    field.m_bricks.SweepListAgainst(&Record, &field.m_balls);
    EXPECT_NEAR(field.m_ball->GetPosition().m_y, -28.0f, 1e-4f);
    EXPECT_EQ(inactive->GetPosition().m_y, -30.0f);
    EXPECT_EQ(g_calls.size(), 1u);
    field.m_bricks.SweepListAgainst(&Record, nullptr);
}

TEST(SpriteListSweep, RectanglePruningNeverHidesAContactThePolygonsFind)
{
    // Random balls near a brick, many grazing it: the list reports a contact exactly when the
    // polygon test alone finds one from the same start.
    std::mt19937 random(28);
    std::uniform_real_distribution<float> place(-45.0f, 45.0f), step(-12.0f, 12.0f), fraction(0.0f, 1.0f);
    int contacts = 0;
    for (int i = 0; i < 3000; ++i) {
        Field field;
        const CFloatPoint brickAt{fraction(random) * 4 - 2, fraction(random) * 4 - 2};
        field.Brick(brickAt);
        const CFloatPoint at{place(random), place(random) * 0.7f};
        CFloatPoint motion{step(random), step(random)};
        if (i % 3 == 0)
            motion.m_y = 0; // grazing runs along the sides
        if (motion.m_x == 0 && motion.m_y == 0)
            continue;
        field.Move({at.m_x - motion.m_x, at.m_y - motion.m_y}, at);
        CCollisionSweep sweep(CFloatPoint{}, CFloatPoint{}, 0, 1);
        field.m_ball->BeginSweep(sweep);
        CSweepResult reference;
        reference.Reset();
        const bool expected = field.m_ballShape.SweepAgainst(reference, field.m_quad, at, brickAt, sweep);
        contacts += expected;
        EXPECT_EQ(field.Sweep(), expected) << at.m_x << ", " << at.m_y << " by " << motion.m_x << ", " << motion.m_y;
    }
    EXPECT_GT(contacts, 300);
}

TEST(SpriteList, SegmentQueryFindsTheNearestCrossedPolygon)
{
    CPolygon2D quad = BrickQuad();
    CSpriteList list;
    CSprite* far = Add(list, {0, -40}, &quad);
    CSprite* near = Add(list, {0, 0}, &quad);
    CSprite* twin = Add(list, {0, 0}, &quad);
    Add(list, {100, 0}, &quad);
    Add(list, {0, 60}); // no polygon
    const CFloatPoint start{0, 100}, end{0, -540};
    float fraction = -1;
    EXPECT_EQ(list.FindNearestCrossing(start, end, &fraction), near);
    EXPECT_NEAR(fraction, (100 - 8.5f) / 640, 1e-5f);
    near->SetFlag(CSprite::kDead, true);
    EXPECT_EQ(list.FindNearestCrossing(start, end), twin);
    twin->SetActive(false);
    EXPECT_EQ(list.FindNearestCrossing(start, end, &fraction), far);
    EXPECT_NEAR(fraction, (100 - (-40 + 8.5f)) / 640, 1e-5f);
    fraction = -1;
    EXPECT_EQ(list.FindNearestCrossing({50, 100}, {50, -540}, &fraction), nullptr);
    EXPECT_EQ(fraction, -1.0f);
}

} // namespace
