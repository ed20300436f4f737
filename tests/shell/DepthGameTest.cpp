// One game at every depth: a round of the test's own, served and played by the seeded demo bot
// through the game object at 16 and at 8 bits, gives the same world step by step. The layout
// drops no power-ups and moves no bricks, so no catch or power-up asks the pixel test about the
// faint rims that only the 16-bit frames keep (8-bit frames keep alpha above 25, 16-bit ones
// above 5): what is left for the display depth to change is a fault of its own.
#include "DepthRun.h"
#include "game/sprites/SpriteList.h"
#include "shell/DemoBot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

// Four rows of plain bricks, no power-up weights but "No Power-Up".
const char kLayout[] = "CBrickLayout\r\n{\r\n\tDisplay Name=Depth Duel\r\n\tBackground Type=Space\r\n"
                       "\tBrick Palette=Array\r\n\t{\r\n\t\tItem Count=2\r\n\t\tBrick Type=!None\r\n"
                       "\t\tBrick Type=Bricks/Normal\r\n\t}\r\n\tUse Default Power Up Weights=0\r\n"
                       "\tPower Up Weights=Array\r\n\t{\r\n\t\tNo Power-Up=100\r\n\t}\r\n"
                       "\tLayout=CFrame(16,22,8)\r\n\t{\r\n"
                       "\t\t00000000000000000000000000000000\r\n\t\t00000000000000000000000000000000\r\n"
                       "\t\t00000101010101010101010101010000\r\n\t\t00000001010101010101010101000000\r\n"
                       "\t\t00000101010101010101010101010000\r\n\t\t00000001010101010101010101000000\r\n"
                       "\t}\r\n}\r\n";

class DepthGame : public DepthRun
{
protected:
    std::string RoundLayoutText() const override { return kLayout; }

    // Every sprite of every list as its words (position, velocity, flags), with the score and lives.
    std::vector<uint32_t> World()
    {
        CPlayfield& field = *m_game->GetPlayfield();
        std::vector<uint32_t> words{field.GetScore(), static_cast<uint32_t>(field.GetLives())};
        auto word = [](float value) {
            uint32_t bits;
            std::memcpy(&bits, &value, 4);
            return bits;
        };
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
        EXPECT_NE(menu, nullptr);
        if (!menu)
            return worlds;
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
    for (size_t step = 0; step < sixteen.size(); ++step)
        if (eight[step] != sixteen[step]) {
            size_t word = 0;
            while (word < eight[step].size() && word < sixteen[step].size() && eight[step][word] == sixteen[step][word])
                ++word;
            FAIL() << "the worlds part at step " << step + 1 << ", word " << word;
        }
}
#endif
