// The swept test through the grid of a list's sprites against the same test walking the whole
// list: on random fields of bricks on their grid, with many balls, sprites skipped for every
// reason, pass-throughs, and callbacks that move, kill and add bricks in the middle of a pass, the
// two find the same contacts in the same order and leave every ball in the same place.
#include "SpriteTestSupport.h"

#include "game/sprites/SpriteList.h"
#include "game/sprites/SweepGrid.h"
#include "objects/CollisionSweep.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>

using namespace spritetest;

namespace {

// One run's record: every callback as (ball number, brick number, context), and every ball's
// position and velocity after each step, as bits.
struct Trace
{
    std::vector<std::array<uint32_t, 3>> calls;
    std::vector<uint32_t> balls;
    bool operator==(const Trace&) const = default;
};

uint32_t Bits(float v)
{
    uint32_t b;
    std::memcpy(&b, &v, 4);
    return b;
}

struct World;
World* g_world = nullptr;

struct World
{
    CPolygon2D brickShape = BrickQuad();
    CPolygon2D ballShape = Ball();
    CPolygon2D wideShape = MakePolygon({{-70, -5}, {70, -5}, {70, 5}, {-70, 5}});
    CSpriteList bricks;
    CSpriteList balls;
    std::map<CSprite*, uint32_t> numbers;
    std::mt19937 actions;
    Trace trace;

    World(uint32_t seed, bool grid) : actions(seed * 31 + 5)
    {
        bricks.SetSweepGridUsed(grid);
        std::mt19937 random(seed);
        // Bricks on their 32 x 18 grid over the field, a few off it or stacked.
        for (int row = 0; row < 14; ++row)
            for (int column = 0; column < 14; ++column) {
                if (random() % 3 == 0)
                    continue;
                CFloatPoint at{43.0f + column * 32.0f, 40.0f + row * 18.0f};
                if (random() % 10 == 0)
                    at = {at.m_x + static_cast<float>(random() % 100) / 7.0f, at.m_y - static_cast<float>(random() % 50) / 3.0f};
                const int kind = static_cast<int>(random() % 20);
                CSprite* brick = AddBrick(at, kind == 0 ? nullptr : kind == 1 ? &wideShape : &brickShape);
                if (kind == 2)
                    brick->SetFlag(CSprite::kDead, true);
                if (kind == 3)
                    brick->SetActive(false);
                if (kind == 4)
                    static_cast<CProbeAI*>(brick->GetBehaviours())->m_passes = [](CSprite*) { return false; };
            }
        // A brick far away, and one exactly under another.
        AddBrick({5000.0f, -3000.0f}, &brickShape);
        AddBrick({43.0f + 32.0f * 5, 40.0f + 18.0f * 5}, &brickShape);
        for (int n = 0; n < 16; ++n) {
            auto* ball = new CMovingSprite;
            auto* ai = new CProbeAI;
            ai->m_polygon = &ballShape;
            // Some balls pass through some bricks (by number), calling back with context 1.
            if (n % 3 == 0)
                ai->m_passes = [this](CSprite* other) { return numbers[other] % 4 == 0; };
            ball->AddAI(ai);
            ball->SetPosition({30.0f + static_cast<float>(random() % 450), 30.0f + static_cast<float>(random() % 440)});
            const float speed = n % 5 == 0 ? 30.0f : 8.0f;
            ball->SetVelocity({(static_cast<float>(random() % 2001) / 1000.0f - 1.0f) * speed,
                               (static_cast<float>(random() % 2001) / 1000.0f - 1.0f) * speed});
            if (n == 7)
                ball->SetVelocity({0, 0});
            balls.Append(ball);
            numbers[ball] = n;
        }
    }
    CSprite* AddBrick(CFloatPoint at, const CPolygon2D* shape)
    {
        CSprite* sprite = AddProbed(bricks, at, shape);
        numbers[sprite] = static_cast<uint32_t>(numbers.size());
        return sprite;
    }
    // Now and then the callback kills the brick, moves another, or lays a new one.
    static void OnHit(CSprite* ball, CSprite* brick, uint32_t context)
    {
        World& w = *g_world;
        w.trace.calls.push_back({w.numbers[ball], w.numbers[brick], context});
        switch (w.actions() % 8) {
        case 0: brick->SetFlag(CSprite::kDead, true); break;
        case 1: {
            CSprite* other = w.bricks.GetHead();
            for (uint32_t k = w.actions() % 40; other && k > 0; --k)
                other = other->GetNext();
            if (other)
                other->SetPosition({other->GetPosition().m_x + 6.0f, other->GetPosition().m_y - 9.0f});
            break;
        }
        case 2:
            w.AddBrick({brick->GetPosition().m_x, brick->GetPosition().m_y + 18.0f}, &w.brickShape);
            break;
        default: break;
        }
    }
    Trace Run()
    {
        g_world = this;
        for (int step = 0; step < 40; ++step) {
            for (CSprite* b = balls.GetHead(); b; b = b->GetNext()) {
                auto* ball = static_cast<CMovingSprite*>(b);
                ball->m_origin = ball->GetPosition();
                CFloatPoint to{ball->GetPosition().m_x + ball->GetVelocity().m_x,
                               ball->GetPosition().m_y + ball->GetVelocity().m_y};
                // Balls that leave the field come back from the other side.
                if (to.m_x < 0 || to.m_x > 520 || to.m_y < 0 || to.m_y > 480)
                    to = {260.0f, 470.0f};
                ball->SetPosition(to);
            }
            bricks.SweepListAgainst(&World::OnHit, &balls);
            for (CSprite* b = balls.GetHead(); b; b = b->GetNext())
                for (float v : {b->GetPosition().m_x, b->GetPosition().m_y, b->GetVelocity().m_x, b->GetVelocity().m_y})
                    trace.balls.push_back(Bits(v));
        }
        g_world = nullptr;
        return trace;
    }
};

TEST(SweepGrid, FindsWhatWalkingTheWholeListFinds)
{
    size_t calls = 0;
    for (uint32_t seed = 1; seed <= 25; ++seed) {
        World walked(seed, false), bucketed(seed, true);
        const Trace expected = walked.Run();
        const Trace got = bucketed.Run();
        ASSERT_EQ(got.balls, expected.balls) << "seed " << seed;
        ASSERT_EQ(got.calls, expected.calls) << "seed " << seed;
        calls += expected.calls.size();
    }
    // Enough contacts, pass-throughs and list changes happened to mean something.
    EXPECT_GT(calls, 500u);
}

// The candidates are exactly a superset of what the rectangle test keeps, on random rectangles
// and sprites anywhere, edges touching included.
TEST(SweepGrid, CandidatesIncludeEverySpriteTheRectangleTestKeeps)
{
    std::mt19937 random(3);
    CPolygon2D brick = BrickQuad();
    for (int round = 0; round < 50; ++round) {
        CSpriteList list;
        for (int n = 0; n < 60; ++n) {
            AddProbed(list, {static_cast<float>(random() % 700) - 100.5f, static_cast<float>(random() % 600) - 80.25f},
                      &brick);
        }
        CSweepGrid grid;
        ASSERT_TRUE(grid.Build(list, 0));
        std::vector<CSprite*> found;
        for (int query = 0; query < 200; ++query) {
            CPolygonBounds swept;
            swept.m_left = static_cast<int32_t>(random() % 800) - 150;
            swept.m_top = static_cast<int32_t>(random() % 700) - 120;
            swept.m_right = swept.m_left + static_cast<int32_t>(random() % 60);
            swept.m_bottom = swept.m_top + static_cast<int32_t>(random() % 60);
            grid.FindCandidates(swept, found);
            size_t at = 0;
            for (CSprite* s = list.GetHead(); s; s = s->GetNext()) {
                const bool kept = CSweepGrid::MayMeet(swept, brick, s->GetPosition());
                const bool candidate = at < found.size() && found[at] == s;
                if (candidate)
                    ++at;
                ASSERT_TRUE(!kept || candidate) << round << "/" << query;
            }
            ASSERT_EQ(at, found.size()) << "candidates in list order";
        }
    }
}

} // namespace
