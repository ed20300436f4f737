// The demo bot clears every round of the data set on "Normal" with no cheat, each within fifteen
// minutes of game time, its input going through the message pump: a test per round.
#include "GameFixture.h"

#include "game/Playfield.h"
#include "game/bricks/BrickAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"
#include "shell/DemoBot.h"

#include <string>

#ifdef VANTOREL_DATA_DIR
namespace {

constexpr uint32_t kNormal = 1;
constexpr int kFifteenMinutes = 15 * 60 * 60;

class EveryRound : public GameFixture, public testing::WithParamInterface<uint32_t>
{
protected:
    // The bricks still needed, by type, for the message of a round left unfinished.
    std::string NeededLeft()
    {
        std::string left;
        for (CSprite* brick = m_game->GetPlayfield()->GetBricks().GetHead(); brick; brick = brick->GetNext())
            if (const CBrickAI* ai = CBrickAI::Of(brick); ai && !brick->IsDead() && ai->IsNeeded())
                left += std::to_string(ai->GetBrickType()) + "@" + std::to_string(brick->GetIntPosition().m_x) + "," +
                        std::to_string(brick->GetIntPosition().m_y) + " ";
        return left;
    }
};

TEST_P(EveryRound, TheDemoBotClearsItWithinFifteenMinutes)
{
    const uint32_t round = GetParam();
    ASSERT_LT(round, CPlayfield::GetTotalRoundCount());
    m_game->StartNewGame(kNormal, round);
    CPlayfield& playfield = *m_game->GetPlayfield();
    CDemoBot bot(round + 1);
    int steps = 0;
    for (; steps < kFifteenMinutes && !playfield.IsRoundComplete() && !playfield.IsGameOver(); ++steps) {
        bot.Step(playfield);
        Step();
    }
    EXPECT_TRUE(playfield.IsRoundComplete()) << "after " << steps / 60 << " s, game over " << playfield.IsGameOver()
                                             << "; needed bricks left: " << NeededLeft();
    EXPECT_EQ(playfield.GetRound(), round);
    EXPECT_FALSE(m_game->IsCheated());
    RecordProperty("Seconds", steps / 60);
}

INSTANTIATE_TEST_SUITE_P(Rounds, EveryRound, testing::Range(0u, 20u));

} // namespace
#endif
