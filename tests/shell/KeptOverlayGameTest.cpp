// The running game at every display depth, driven by real input: the menu with the pointer over
// its buttons, the player editor over the menu's rolling balls, the player and new-game dialogs,
// a round, the pause menu over the round and back to the menu. Every frame, with the windows and the pointer kept over the picture, equals
// the frame drawn with them drawn in full, and the display shows it; the pause menu and the
// pointer at rest are not drawn again in full.
#include "GameFixture.h"

#include "foundation/R250Random.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/ScreenFrame.h"
#include "shell/DeveloperScript.h"
#include "ui/ScreenWindow.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

constexpr uint32_t kSteps = 1200;
// The round's title fades out under the pause menu first.
constexpr uint32_t kPauseFrom = 720, kPauseRestFrom = 1030, kPauseRestTo = 1090;

// The player editor opens over the menu's balls, which roll under it.
const char* const kScript = "100 mouse 320 240\n"
                            "130 mouse 100 400\n"
                            "160 key Return\n"
                            "280 click \"New Player\"\n"
                            "300 mouse 300 250\n"
                            "320 text \"Zed\"\n"
                            "330 mouse 420 330\n"
                            "350 key Escape\n"
                            "380 mouse 300 200\n"
                            "430 key Return\n"
                            "460 mouse 400 300\n"
                            "490 key Return\n"
                            "620 key Space\n"
                            "640 key Space\n"
                            "720 key Escape\n"
                            "760 mouse 330 300\n"
                            "800 mouse 335 250\n"
                            "1100 click \"&Abort Game\"\n";

struct Frames
{
    std::vector<uint64_t> pictures;   // a hash of the back buffer after each step
    std::vector<uint64_t> drawn;      // the overlay area drawn again
    uint64_t overlayArea = 0;         // the pause menu's whole overlay, drawn in full
};

class KeptOverlayGame : public GameAtDepth
{
protected:

    static uint64_t Hash(const CFrame& frame)
    {
        uint64_t hash = 1469598103934665603ull;
        const uint32_t bytes = frame.GetBytesPerPixel();
        for (uint32_t y = 0; y < frame.GetHeight(); ++y) {
            const uint8_t* row = frame.GetPixels() + static_cast<size_t>(frame.GetRowOffsets()[y]) * bytes;
            for (size_t i = 0; i < static_cast<size_t>(frame.GetWidth()) * bytes; ++i)
                hash = (hash ^ row[i]) * 1099511628211ull;
        }
        return hash;
    }
    // The display shows the back buffer, but for its corner marker (when no fade changes it).
    void ExpectShown(uint32_t step)
    {
        const CDirtyRectFrame* back = m_game->GetBackBuffer();
        const CScreenFrame* display = m_game->GetDisplay();
        if (display->GetFadeLevel() != 1.0f || display->GetBrightness() != 1.0f)
            return;
        const platform::MemoryDisplay& device = platform::GetHeadlessBackend().GetMemoryDisplay();
        const std::vector<uint8_t>& shown = device.GetShownPixels();
        const uint32_t bytes = back->GetBytesPerPixel();
        const int pitch = device.GetPitch();
        for (uint32_t y = 0; y < back->GetHeight(); ++y) {
            const uint8_t* row = back->GetPixels() + static_cast<size_t>(back->GetRowOffsets()[y]) * bytes;
            const uint8_t* on = shown.data() + static_cast<size_t>(y) * static_cast<size_t>(pitch);
            const size_t skip = y == 0 ? bytes : 0;
            ASSERT_EQ(std::memcmp(row + skip, on + skip, back->GetWidth() * bytes - skip), 0)
                << "step " << step << ", row " << y;
        }
    }
    Frames Play(bool kept)
    {
        CDirtyRectFrame::SetOverlaysKept(kept);
        CDeveloperScript script;
        std::string error;
        EXPECT_TRUE(script.Parse(kScript, "", error)) << error;
        Frames run;
        // Both runs alike: the same random numbers from the menu on.
        g_gameRandom.Seed(7);
        g_generalRandom.Seed(8);
        m_game->GoToMainMenu();
        for (uint32_t step = 1; step <= kSteps; ++step) {
            script.RunStep(step, m_game->GetScreenWindow(), m_game->GetBackBuffer());
            Step();
            run.pictures.push_back(Hash(*m_game->GetBackBuffer()));
            run.drawn.push_back(m_game->GetBackBuffer()->GetOverlayDrawnArea());
            ExpectShown(step);
            if (testing::Test::HasFatalFailure())
                break;
        }
        CDirtyRectFrame::SetOverlaysKept(true);
        return run;
    }
};

TEST_P(KeptOverlayGame, EveryFrameEqualsTheFrameWithTheWindowsDrawnInFull)
{
    const Frames full = Play(false);
    ASSERT_FALSE(HasFatalFailure());
    // A second game from the start in a fresh folder, the same input.
    TearDown();
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path()))
        std::filesystem::remove_all(entry.path());
    SetUp();
    const Frames kept = Play(true);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(kept.pictures.size(), full.pictures.size());
    for (size_t i = 0; i < full.pictures.size(); ++i)
        ASSERT_EQ(kept.pictures[i], full.pictures[i]) << "step " << i + 1;

    // The pause menu at rest over the round: drawn again only where the round moved under it.
    uint64_t first = 0, most = 0;
    for (uint32_t step = kPauseFrom + 1; step < kPauseRestFrom; ++step)
        first = std::max(first, kept.drawn[step - 1]);
    for (uint32_t step = kPauseRestFrom; step < kPauseRestTo; ++step)
        most = std::max(most, kept.drawn[step - 1]);
    EXPECT_GT(first, 0u);
    EXPECT_LT(most * 4, first) << "the pause menu at rest";
}

INSTANTIATE_TEST_SUITE_P(Depths, KeptOverlayGame, testing::Values(8, 16, 24, 32));

} // namespace
#endif
