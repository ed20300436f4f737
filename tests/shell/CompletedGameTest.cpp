// The end of the last round through the game object at every display depth: the completed-game
// picture with its texts filled from the player's name, the game's difficulty and the score stays
// for its thirty seconds, then the game goes on to its verdict and draws the whole screen again.
#include "GameFixture.h"

#include "foundation/SharedString.h"
#include "foundation/TextSubstitutionList.h"
#include "game/Playfield.h"
#include "game/bricks/BrickAI.h"
#include "game/sprites/Sprite.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameOverlayOptions.h"
#include "graphics/FrameOverlayOptionsCollection.h"
#include "platform/KeyTable.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "shell/stats/DifficultyNames.h"
#include "ui/ScreenWindow.h"

#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

constexpr uint32_t kHard = 2;
constexpr int kEnterKey = 28;
// The rows of the picture that its texts are set in.
constexpr int kTextTop = 286;
constexpr int kTextBottom = 452;

class CompletedGame : public GameFixture, public ::testing::WithParamInterface<uint32_t>
{
protected:
    std::string GameCommandLine() const override { return "/ScreenBitDepth " + std::to_string(GetParam()); }
    CTimedPictureScreen* MakePictureScreen() override { return new CTimedPictureScreen; }

    // The colours the display shows in the rows of the picture's texts.
    static std::vector<uint32_t> ShownTexts()
    {
        const platform::MemoryDisplay& display = platform::GetHeadlessBackend().GetMemoryDisplay();
        std::vector<uint32_t> colours;
        for (int y = kTextTop; y < kTextBottom; ++y)
            for (int x = 0; x < 640; ++x)
                colours.push_back(display.GetShownColor(x, y));
        return colours;
    }
    // The picture shown on a picture screen of its own, with the substitutions (none: the texts
    // as the data writes them).
    static std::vector<uint32_t> ShownWith(const CTextSubstitutionList* substitutions)
    {
        auto* picture = static_cast<CFrame*>(CFrameCollection::GetInstance().GetByName("Completed Game"));
        auto* overlays =
            dynamic_cast<CFrameOverlayOptions*>(CFrameOverlayOptionsCollection::GetInstance().GetByName("Completed Game"));
        CTimedPictureScreen screen;
        screen.Show(picture, true, overlays, substitutions);
        screen.ReleasePicture();
        return ShownTexts();
    }
    static void PressEnter()
    {
        const int virtualKey = platform::VirtualKeyOfKeyNumber(kEnterKey, true);
        platform::GetHeadlessBackend().QueueEvent(platform::Event::Key(platform::EventType::KeyDown, kEnterKey, virtualKey));
        platform::GetHeadlessBackend().QueueEvent(platform::Event::Char('\r'));
        platform::GetHeadlessBackend().QueueEvent(platform::Event::Key(platform::EventType::KeyUp, kEnterKey, virtualKey));
    }
};

} // namespace

TEST_P(CompletedGame, TheLastRoundShowsThePlayersNameDifficultyAndScoreForThirtySeconds)
{
    CPlayfield* field = m_game->GetPlayfield();
    m_game->StartNewGame(kHard, CPlayfield::GetTotalRoundCount() - 1);
    Step(2);
    ASSERT_TRUE(field->IsLayingBricks());
    PressEnter();
    Step(2);
    ASSERT_FALSE(field->IsLayingBricks());

    // Every brick the round needs goes, as a fire ball takes them.
    for (CSprite* brick = field->GetBricks().GetHead(); brick; brick = brick->GetNext())
        if (CBrickAI* ai = CBrickAI::Of(brick); ai && ai->IsNeeded() && !brick->IsDead())
            ai->Destroy(brick, false, 49.0f);

    // Steps until the round's tally completes the game; that step holds the picture screen.
    uint32_t took = 0;
    for (int step = 0; step < 1200 && !field->IsGameOver(); ++step) {
        PumpWindowMessages();
        const uint32_t before = platform::GetTickCount();
        m_game->Update(kStep);
        took = platform::GetTickCount() - before;
        if (!field->IsGameOver())
            m_game->Draw();
    }
    ASSERT_TRUE(field->IsGameOver());
    EXPECT_GE(took, 30000u);
    EXPECT_LT(took, 32000u);

    const std::vector<uint32_t> shown = ShownTexts();
    CSharedString score;
    score.FormatWithCommas(static_cast<int>(m_game->GetScore()));
    ASSERT_GT(m_game->GetScore(), 1000u);
    CTextSubstitutionList substitutions;
    substitutions.AddSubstitution("%name", m_game->GetPlayerName());
    substitutions.AddSubstitution("%difficulty", GetDifficultyName(kHard).CStr());
    substitutions.AddSubstitution("%score", score);
    EXPECT_TRUE(shown == ShownWith(&substitutions));
    EXPECT_FALSE(shown == ShownWith(nullptr)) << "the texts' macros were left as they are";

    // The game goes on to its verdict over a screen drawn anew.
    Step(3);
    EXPECT_NE(dynamic_cast<CStatisticsDialog*>(m_game->GetScreenWindow()->GetFrontChild()), nullptr);
    EXPECT_FALSE(ShownTexts() == shown);
}

INSTANTIATE_TEST_SUITE_P(Depths, CompletedGame, ::testing::Values(8u, 16u, 24u, 32u),
                         [](const ::testing::TestParamInfo<uint32_t>& info) {
                             return std::to_string(info.param) + "Bits";
                         });
#endif
