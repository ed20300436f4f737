// A round of the test's own, played by the seeded demo bot through the game object at 16 and at 8
// bits, gives the same world step by step. Its bricks drop no power-ups, so no catch depends on the
// faint rims only 16-bit frames keep: what differs is a fault of the display depth.
#include "DepthRun.h"
#include "game/sprites/SpriteList.h"
#include "shell/DemoBot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

class DepthGame : public DepthRun
{
protected:
    // Four rows of plain bricks, no power-up weights but "No Power-Up".
    std::string RoundLayoutText() const override
    {
        const std::vector<std::string> rows{"", "", "..111111111111", "...1111111111", "..111111111111",
                                            "...1111111111"};
        std::string text = ownrounds::LayoutText("Depth Duel", {"Bricks/Normal"}, rows);
        return text.insert(text.find("\tLayout="), "\tUse Default Power Up Weights=0\r\n\tPower Up Weights=Array\r\n"
                                                     "\t{\r\n\t\tNo Power-Up=100\r\n\t}\r\n");
    }

    // Every sprite of every list as its words (position, velocity, flags), with the score and lives.
    std::vector<uint32_t> World()
    {
        CPlayfield& field = *m_game->GetPlayfield();
        std::vector<uint32_t> words{field.GetScore(), static_cast<uint32_t>(field.GetLives())};
        auto word = [](float value) { return std::bit_cast<uint32_t>(value); };
        for (CSpriteList* list : {&field.GetLowEffects(), &field.GetShip(), &field.GetBricks(), &field.GetBalls(),
                                  &field.GetFreedBalls(), &field.GetPowerUps(), &field.GetShots(), &field.GetForeground()}) {
            words.push_back(0xFFFFFFFFu);
            for (CSprite* sprite = list->GetHead(); sprite; sprite = sprite->GetNext())
                words.insert(words.end(), {word(sprite->GetPosition().m_x), word(sprite->GetPosition().m_y),
                                           word(sprite->GetVelocity().m_x), word(sprite->GetVelocity().m_y),
                                           sprite->GetFlags()});
        }
        return words;
    }

    // The world after each step of a minute's play from the round's start.
    std::vector<std::vector<uint32_t>> Play(uint32_t depth)
    {
        Start(depth);
        Step(60);
        std::vector<std::vector<uint32_t>> worlds;
        CMainMenuWindow* menu = CMainMenuWindow::GetOpen();
        if (!menu) {
            ADD_FAILURE() << "no main menu";
            return worlds;
        }
        StartRound(*menu);
        CDemoBot bot(5);
        for (int step = 0; step < 60 * 60; ++step) {
            bot.Step(*m_game->GetPlayfield());
            Step();
            worlds.push_back(World());
        }
        return worlds;
    }
};

} // namespace

TEST_F(DepthGame, ARoundPlaysAlikeAtEightAndSixteenBits)
{
    const auto sixteen = Play(16);
    // The round was played: bricks were broken.
    ASSERT_FALSE(sixteen.empty());
    EXPECT_GT(sixteen.back()[0], 0u);
    const auto eight = Play(8);
    ASSERT_EQ(eight.size(), sixteen.size());
    for (size_t step = 0; step < sixteen.size(); ++step) {
        const auto &a = eight[step], &b = sixteen[step];
        const auto at = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first;
        ASSERT_EQ(a, b) << "the worlds part at step " << step + 1 << ", word " << at - a.begin();
    }
}
#endif
