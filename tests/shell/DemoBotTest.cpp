// The demo bot: where a ball comes down and which brick a path meets (against balls stepped by the
// test), the pointer that puts the ship there, and a seeded bot playing a real game.
#include "GameFixture.h"
#include "OwnRounds.h"

#include "app/Mouse.h"
#include "game/Playfield.h"
#include "game/bricks/BrickLayer.h"
#include "game/ship/PowerUpAI.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"
#include "shell/DemoBot.h"
#include "shell/DemoBotAim.h"
#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "foundation/R250Random.h"

#include <cmath>
#include <vector>

namespace {

// The ball stepped in small steps between the side walls (less its radius) until it reaches the
// row: the reference the folded line must match.
float StepToRow(CFloatPoint start, CFloatPoint velocity, float row, float radius)
{
    const double left = CBallAI::kFieldLeft + radius, right = CBallAI::kFieldRight - radius, dt = 1e-5;
    double x = start.m_x, y = start.m_y, vx = velocity.m_x;
    while (y < row) {
        x += vx * dt;
        y += velocity.m_y * dt;
        if (x < left) {
            x = 2.0 * left - x;
            vx = -vx;
        } else if (x > right) {
            x = 2.0 * right - x;
            vx = -vx;
        }
    }
    return static_cast<float>(x);
}

// The reference tracer: a ball stepped through the field (walls and top at the wall radius, bricks'
// outlines grown by the ball's) until it enters a brick's, from the side of the edge it crossed.
CDemoBotAim::PathHit StepToBrick(CSpriteList& bricks, CFloatPoint p, CFloatPoint d, float wall, float ball,
                                 float most, float giveUpY)
{
    const double size = std::hypot(d.m_x, d.m_y), dt = 0.02;
    double x = p.m_x, y = p.m_y, dx = d.m_x / size, dy = d.m_y / size;
    for (double length = 0.0; length < most; length += dt) {
        const double py = y;
        x += dx * dt;
        y += dy * dt;
        if (x < CBallAI::kFieldLeft + wall || x > CBallAI::kFieldRight - wall)
            dx = -dx;
        if (y < CBallAI::kFieldTop + wall)
            dy = -dy;
        if (dy > 0.0 && y >= giveUpY)
            return {};
        for (const CSprite* brick = bricks.GetHead(); brick; brick = brick->GetNext()) {
            const CFloatPoint b = brick->GetPosition();
            const auto inside = [&](double ix, double iy) {
                return ix > b.m_x - 16.0 - ball && ix < b.m_x + 15.5 + ball && iy > b.m_y - 9.0 - ball &&
                       iy < b.m_y + 8.5 + ball;
            };
            if (inside(x, y) && !brick->IsDead() && brick->IsActive()) {
                const uint32_t side = !inside(x, py) ? (dy < 0 ? CBrickAI::kFromBelow : CBrickAI::kFromAbove)
                                                     : (dx > 0 ? CBrickAI::kFromLeft : CBrickAI::kFromRight);
                return {brick, side, static_cast<float>(length), 0, {}};
            }
        }
    }
    return {};
}

} // namespace

TEST(DemoBotAim, PathMeetsTheBrickAStepwiseBallMeetsFromTheSameSide)
{
    // Random fields of grid bricks, some gone or not yet shown; paths up from the ship's row.
    CR250Random random(17);
    int hits = 0, sides[4] = {};
    for (int field = 0; field < 30; ++field) {
        CSpriteList list;
        for (int i = 0; i < 14; ++i) {
            auto* brick = new CAnimatedSprite;
            brick->SetPosition({30.0f + 32.0f * static_cast<float>(random.NextBelow(15)),
                                20.0f + 18.0f * static_cast<float>(random.NextBelow(14))});
            brick->SetFlag(CSprite::kDead, random.NextBelow(8) == 0);
            brick->SetActive(random.NextBelow(8) != 0);
            list.Append(brick);
        }
        for (int path = 0; path < 6; ++path) {
            const bool small = random.NextBelow(4) == 0;
            const CFloatPoint from{random.NextFloat(40.0f, 470.0f), 428.0f};
            const float angle = random.NextFloat(-1.3f, 1.3f);
            const CFloatPoint direction{std::sin(angle), -std::cos(angle)};
            const CDemoBotAim::PathHit hit = CDemoBotAim::TracePath(list, from, direction, small, 1400.0f, 400.0f);
            const CDemoBotAim::PathHit stepped = StepToBrick(list, from, direction, CBallAI::GetWallRadius(small),
                                                             CBallAI::GetCollisionRadius(small), 1400.0f, 400.0f);
            SCOPED_TRACE(std::to_string(field) + "/" + std::to_string(path));
            ASSERT_EQ(hit.brick, stepped.brick);
            if (!hit.brick)
                continue;
            ++hits;
            ++sides[hit.side];
            EXPECT_EQ(hit.side, stepped.side);
            EXPECT_NEAR(hit.length, stepped.length, 0.05f);
        }
        list.DeleteAll();
    }
    // Every side was met, from paths that bounced and paths that did not.
    EXPECT_GT(hits, 80);
    for (int side : sides)
        EXPECT_GT(side, 0);
}

TEST(DemoBot, PredictsWhereTheBallComesDownThroughTheWalls)
{
    const struct
    {
        CFloatPoint position, velocity;
        float radius;
    } cases[] = {
        {{256, 100}, {0, 300}, 11},      // straight down
        {{256, 100}, {120, 300}, 11},    // no wall on the way
        {{400, 100}, {400, 300}, 11},    // off the right wall once
        {{60, 50}, {-500, 200}, 11},     // off the left wall, then the right
        {{300, 20}, {1500, 150}, 3},     // a small ball, many times across
        {{470, 380}, {700, 90}, 11},     // close to the row
    };
    for (const auto& c : cases)
        EXPECT_NEAR(CDemoBot::PredictLanding(c.position, c.velocity, 428.0f, c.radius),
                    StepToRow(c.position, c.velocity, 428.0f, c.radius), 0.5f)
            << c.position.m_x << "," << c.position.m_y << " moving " << c.velocity.m_x << "," << c.velocity.m_y;
    // A ball going up, or already past the row, is met where it is.
    EXPECT_EQ(CDemoBot::PredictLanding({200, 300}, {100, -300}, 428.0f, 11.0f), 200.0f);
    EXPECT_EQ(CDemoBot::PredictLanding({200, 440}, {100, 300}, 428.0f, 11.0f), 200.0f);
}

#ifdef VANTOREL_DATA_DIR
// Rounds of the test's own: rows of bricks high up, a full grid, one brick.
class DemoBotGame : public GameFixture
{
protected:
    void PrepareData(const std::filesystem::path&) override
    {
        ownrounds::WriteLayout("Rows", ownrounds::LayoutText("Rows", {"Bricks/Normal", "Bricks/Power Up"},
                                                             {"", "", "..1121111211.", "..1111111111."}));
        std::vector<std::string> grid(12, "111111111111111");
        grid[0] = grid[1] = "";
        ownrounds::WriteLayout("Grid", ownrounds::LayoutText("Grid", {"Bricks/Normal"}, grid));
        ownrounds::WriteLayout("One", ownrounds::LayoutText("One", {"Bricks/Normal"}, {"", "", "", "", ".........1"}));
        ownrounds::WriteRoundSet("0 Bot", {"Rounds/Rows", "Rounds/Grid", "Rounds/One"});
    }
    // The steps the bot waits while the machine lays the bricks.
    int LetTheMachineLay(CDemoBot& bot)
    {
        CPlayfield& playfield = *m_game->GetPlayfield();
        int steps = 0;
        for (; steps < 60 * 60 && playfield.IsLayingBricks(); ++steps) {
            bot.Step(playfield);
            Step();
        }
        return steps;
    }
};

TEST_F(DemoBotGame, ShipKeepsMeetingTheBall)
{
    m_game->StartNewGame(1, 0);
    CPlayfield& playfield = *m_game->GetPlayfield();
    CDemoBot bot(5);
    // The play is counted once the bricks are laid.
    ASSERT_LT(LetTheMachineLay(bot), 600);
    int returns = 0;
    int previousPointer = bot.GetPointerX();
    bool wasFalling = false;
    for (int step = 0; step < 60 * 30; ++step) {
        bot.Step(playfield);
        // A hand's pace: the pointer never jumps.
        EXPECT_LE(std::abs(bot.GetPointerX() - previousPointer), CDemoBot::kPointerStep);
        previousPointer = bot.GetPointerX();
        Step();
        const CSprite* ball = playfield.GetBalls().GetHead();
        if (!ball)
            continue;
        const bool falling = ball->GetVelocity().m_y > 0.0f;
        // Sent back up from low on the field: the ship met it.
        if (wasFalling && !falling && ball->GetPosition().m_y > 380.0f)
            ++returns;
        wasFalling = falling;
    }
    EXPECT_GE(returns, 5);
    EXPECT_FALSE(playfield.IsGameOver());
}

TEST_F(DemoBotGame, GoesForACapsuleWhileTheBallRisesButLetsABombFall)
{
    m_game->StartNewGame(1, 0);
    CPlayfield& field = *m_game->GetPlayfield();
    // The capsule comes down before the rising ball: the ship fetches it and is back in time.
    auto* ball = new CSprite;
    ball->SetPosition({450.0f, 300.0f});
    ball->SetVelocity({0.0f, -5.0f});
    field.GetBalls().Append(ball);
    CSprite brick;
    brick.SetPosition({150.0f, 300.0f});
    for (const auto& [kind, target] : {std::pair{CPowerUpAI::kSlow, 150.0f}, std::pair{CPowerUpAI::kBomb, 450.0f}}) {
        field.GetPowerUps().DeleteAll();
        field.SpawnPowerUp(&brick, kind);
        CDemoBot bot(5);
        bot.Step(field);
        EXPECT_NEAR(bot.GetTargetX(), target, 25.0f) << kind;
    }
}

TEST_F(DemoBotGame, LetsTheMachineLayEveryBrickBeforeItClicks)
{
    // A full grid takes long enough to lay for several of the bot's clicks.
    m_game->StartNewGame(1, 1);
    CPlayfield& playfield = *m_game->GetPlayfield();
    CDemoBot bot(5);
    const int steps = LetTheMachineLay(bot);
    // Laid to the end by the machine: it went home with every brick placed.
    EXPECT_GT(steps, 200);
    EXPECT_LT(steps, 60 * 60);
    EXPECT_EQ(playfield.GetBrickLayer().GetPlacedCount(), playfield.GetBricks().Count());
    // Then the bot serves.
    for (int i = 0; i < 120 && playfield.GetBalls().GetHead()->GetVelocity().m_y == 0.0f; ++i) {
        bot.Step(playfield);
        Step();
    }
    EXPECT_NE(playfield.GetBalls().GetHead()->GetVelocity().m_y, 0.0f);
}
TEST_F(DemoBotGame, TheFirstTouchSendsTheBallAtTheBrick)
{
    // The one brick cleared at the first touch: by the aimed serve, and by a ball dropped mid-field.
    for (const bool dropped : {false, true}) {
        SCOPED_TRACE(dropped ? "dropped" : "served");
        m_game->StartNewGame(1, 2);
        CPlayfield& playfield = *m_game->GetPlayfield();
        CDemoBot bot(5);
        ASSERT_LT(LetTheMachineLay(bot), 600);
        CSprite* ball = playfield.GetBalls().GetHead();
        ASSERT_NE(ball, nullptr);
        if (dropped) {
            CSprite* ship = playfield.GetShip().GetHead();
            FindSpriteAI<CShipAI>(ship)->ReleaseBall(ship);
            ball->SetPosition({250.0f, 250.0f});
            ball->SetVelocity({0.0f, 5.4f});
        }
        int touches = 0;
        bool wasFalling = !dropped;
        for (int step = 0; step < 60 * 30 && !playfield.IsRoundComplete(); ++step) {
            bot.Step(playfield);
            Step();
            ball = playfield.GetBalls().GetHead();
            const bool falling = ball && ball->GetVelocity().m_y > 0.0f;
            // Sent up from the ship's row: a touch.
            if (ball && wasFalling && ball->GetVelocity().m_y < 0.0f && ball->GetPosition().m_y > 380.0f)
                ++touches;
            wasFalling = falling || (ball && ball->GetVelocity().m_y == 0.0f);
        }
        EXPECT_TRUE(playfield.IsRoundComplete());
        EXPECT_EQ(touches, 1);
    }
}
#endif
