// The demo bot: where it expects a ball to come down (against a ball stepped through the walls by
// the test), the pointer that puts the ship there, and a seeded bot keeping a real game going.
#include "GameFixture.h"
#include "OwnRounds.h"

#include "app/Mouse.h"
#include "game/Playfield.h"
#include "game/bricks/BrickLayer.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"
#include "shell/DemoBot.h"

#include <cmath>

namespace {

// The ball stepped in small steps between the side walls (11 + r, 501 - r) until it reaches the
// row: the reference the folded line must match.
float StepToRow(CFloatPoint start, CFloatPoint velocity, float row, float radius)
{
    const double left = 11.0 + radius, right = 501.0 - radius, dt = 1e-5;
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

} // namespace

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

TEST(DemoBot, PointerPutsTheShipWhereItIsWanted)
{
    // The ship's centre is 30 + 452 x pointer / 640, rounded, from one side of the field to the other.
    for (float x = 30.0f; x <= 481.0f; x += 13.5f) {
        const int pointer = CDemoBot::PointerXForShip(x);
        const float ship = std::round(static_cast<float>(pointer) * 0.0015625f * CShipAI::kTravel) + CShipAI::kLeftmostX;
        EXPECT_NEAR(ship, x, 1.0f) << x;
    }
    EXPECT_EQ(CDemoBot::PointerXForShip(0.0f), 0);
    EXPECT_EQ(CDemoBot::PointerXForShip(501.0f), 639);
}

#ifdef VANTOREL_DATA_DIR
// Rounds of the test's own: a few rows of bricks high up, then a full grid.
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
    }
    void SetUp() override
    {
        GameFixture::SetUp();
        ownrounds::UseRoundSets(m_folder.Path() / "Sets", {{"Bot", {"Rounds/Rows", "Rounds/Grid"}}});
    }
    void TearDown() override
    {
        GameFixture::TearDown();
        CRoundSetCollection::GetInstance().FreeEntries();
    }
};

TEST_F(DemoBotGame, ShipKeepsMeetingTheBall)
{
    m_game->StartNewGame(1, 0);
    CPlayfield& playfield = *m_game->GetPlayfield();
    CDemoBot bot(5);
    // The bot waits for the machine to lay the bricks; the play is counted from then on.
    for (int step = 0; step < 600 && playfield.IsLayingBricks(); ++step) {
        bot.Step(playfield);
        Step();
    }
    ASSERT_FALSE(playfield.IsLayingBricks());
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

TEST_F(DemoBotGame, LetsTheMachineLayEveryBrickBeforeItClicks)
{
    // A full grid takes long enough to lay for several of the bot's clicks.
    m_game->StartNewGame(1, 1);
    CPlayfield& playfield = *m_game->GetPlayfield();
    CDemoBot bot(5);
    int steps = 0;
    for (; playfield.IsLayingBricks() && steps < 60 * 60; ++steps) {
        bot.Step(playfield);
        Step();
    }
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
#endif
