// What the player hears: the game's own songs and sounds, mixed by the headless device while the
// game runs its menu and a game played by the demo bot, at the default volumes. The sum never
// reaches full scale and the limiter never has to act: the data set's levels leave the mix its
// headroom, also with the music turned full up.
#include "GameFixture.h"

#include "foundation/R250Random.h"
#include "game/Playfield.h"
#include "platform/headless/HeadlessMixer.h"
#include "shell/DemoBot.h"
#include "shell/MainMenuWindow.h"
#include "sound/MusicMixer.h"
#include "sound/MusicPlayer.h"

#include <algorithm>
#include <cstdlib>

#ifdef VANTOREL_DATA_DIR
namespace {

struct Loudness
{
    int peak = 0;
    size_t atFullScale = 0;
    double offset = 0;   // the mean, of full scale
};

Loudness Measure(const std::vector<int16_t>& samples)
{
    Loudness result;
    int64_t sum = 0;
    for (int16_t s : samples) {
        result.peak = std::max(result.peak, std::abs(static_cast<int>(s)));
        result.atFullScale += s == 32767 || s == -32768;
        sum += s;
    }
    if (!samples.empty())
        result.offset = static_cast<double>(sum) / static_cast<double>(samples.size()) / 32768.0;
    return result;
}

class MixHeadroom : public GameFixture
{
protected:
    void PrepareData(const std::filesystem::path&) override
    {
        // The songs are refilled by the update, so that the virtual clock paces them.
        testsupport::WriteFileBytes(m_folder.Path() / "Vantorel.CFG", "[Options]\r\nUse Threaded Stream=0\r\n");
        Device().Reset();
        // The same songs in the same order, the same balls in the menu: every run hears the same.
        g_gameRandom.Seed(3);
        g_generalRandom.Seed(4);
    }
    static platform::HeadlessMixer& Device() { return platform::GetHeadlessBackend().GetHeadlessMixer(); }
    // One update step and draw, and what the sound card takes meanwhile: 1024 frames (46 ms) at a
    // time, so that the sounds started in between begin together, in step, as they do there.
    void StepHearing(int steps, CDemoBot* bot = nullptr)
    {
        for (int i = 0; i < steps; ++i) {
            if (bot)
                bot->Step(*m_game->GetPlayfield());
            Step();
            m_pending += 1000.0 / 60.0;
            while (m_pending >= 46.0) {
                Device().Advance(46);
                m_pending -= 46.0;
            }
        }
    }
    Loudness Hear(int steps, CDemoBot* bot = nullptr)
    {
        // Both songs' streams follow the virtual clock, not a timer of their own.
        EXPECT_FALSE(m_game->GetMusicPlayer()->IsThreaded());
        EXPECT_FALSE(m_game->GetMusicMixer()->GetStream().IsThreaded());
        Device().StartCapture();
        StepHearing(steps, bot);
        Device().StopCapture();
        const std::vector<int16_t> samples = Device().TakeCaptured();
        EXPECT_GT(samples.size(), static_cast<size_t>(steps) * 700) << "the device mixed";
        return Measure(samples);
    }

    double m_pending = 0;
};

} // namespace

TEST_F(MixHeadroom, TheMenuAndAMinuteOfPlayStayUnderFullScale)
{
    ASSERT_TRUE(Device().IsDeviceOpen());
    if (!m_game->IsInMenu())
        m_game->GoToMainMenu();
    const Loudness menu = Hear(20 * 60);
    EXPECT_EQ(menu.atFullScale, 0u);
    EXPECT_LT(menu.peak, 32767 * 8 / 10);
    EXPECT_GT(menu.peak, 32767 / 8) << "the music and the balls are heard";
    EXPECT_LT(std::abs(menu.offset), 0.001);
    EXPECT_EQ(Device().GetLimitedFrameCount(), 0u) << "the menu needs no limiting";

    // Three games, each a minute long: sounds pile up now and then (many bricks burst at once,
    // the round's fanfare over the serve), and the limiter may then act for a moment.
    CMainMenuWindow::CloseOpen();
    uint64_t frames = 0;
    for (uint32_t seed : {5u, 17u, 29u}) {
        SCOPED_TRACE(seed);
        g_gameRandom.Seed(seed);
        g_generalRandom.Seed(seed + 1);
        m_game->StartNewGame(1, 0);
        CDemoBot bot(seed);
        const Loudness play = Hear(60 * 60, &bot);
        EXPECT_EQ(play.atFullScale, 0u);
        EXPECT_LE(play.peak, platform::PeakLimiter::kCeiling);
        EXPECT_GT(play.peak, 32767 / 8);
        EXPECT_LT(std::abs(play.offset), 0.001);
        frames += 60 * 22050;
    }
    // Headroom: the limiter's moments add up to well under a hundredth of the play.
    EXPECT_LT(Device().GetLimitedFrameCount(), frames / 100);
}

// Music and effects both at full volume: the two songs and the balls still fit, and should they
// not, the limiter holds them at its ceiling.
TEST_F(MixHeadroom, MusicTurnedFullUpStaysUnderFullScale)
{
    if (!m_game->IsInMenu())
        m_game->GoToMainMenu();
    m_game->SetMusicVolume(0);
    m_game->ApplyMusicVolume();
    const Loudness menu = Hear(20 * 60);
    EXPECT_EQ(menu.atFullScale, 0u);
    EXPECT_LE(menu.peak, platform::PeakLimiter::kCeiling);
    EXPECT_GT(menu.peak, 32767 / 3);
}
#endif
