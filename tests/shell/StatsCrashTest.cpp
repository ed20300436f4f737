// A process killed at any moment of a save leaves a statistics file that loads, whole, to one of
// the states it saved.
#include "StatsTestHelpers.h"

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>

using statstest::NewGame;
using statstest::NewPlayer;
using statstest::TextOf;
using statstest::Exists;
using statstest::Read;
using statstest::WorkFolder;

namespace {

// State k: a number of profiles, archived games and points that all depend on k, so that states
// differ in size and content and a loaded file tells which state it holds.
void MakeState(CStats& stats, uint32_t k)
{
    stats.SetPropertiesToDefaults();
    for (uint32_t i = 0; i <= k % 7; ++i) {
        CPlayerStats* player = NewPlayer(("Player " + std::to_string(k) + "-" + std::to_string(i)).c_str());
        for (uint32_t g = 0; g < (k + i) % 4; ++g)
            player->AppendGame(NewGame(k * 10 + g, g % 4));
        player->SetCheckPointReached(k % 5, i);
        stats.AddPlayer(player);
    }
    stats.GetCurrentGame().SetPointsScored(k);
}

} // namespace

TEST(StatsCrash, KilledSavesLeaveAStateThatWasSaved)
{
    WorkFolder folder;
    CStats stats;
    stats.Load();
    MakeState(stats, 0);
    ASSERT_TRUE(stats.Save());

    std::mt19937 random(41);
    constexpr uint32_t kStatesPerChild = 1000000;
    int newStates = 0;
    for (uint32_t round = 1; round <= 50; ++round) {
        const uint32_t first = round * kStatesPerChild;
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Bounded, in case the parent dies before it can kill the child.
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            for (uint32_t k = first; std::chrono::steady_clock::now() < until; ++k) {
                MakeState(stats, k);
                (void)stats.Save(); // the parent judges by the file alone
            }
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(random() % 30000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(child, ::waitpid(child, &status, 0));

        CStats loaded;
        ASSERT_TRUE(loaded.Load()) << "round " << round;
        const uint32_t k = loaded.GetCurrentGame().GetPointsScored();
        EXPECT_TRUE(k == 0 || (k >= kStatesPerChild && k < first + kStatesPerChild)) << k;
        if (k >= first)
            ++newStates;
        CStats expected;
        MakeState(expected, k);
        EXPECT_EQ(TextOf(loaded), TextOf(expected)) << "round " << round;
        EXPECT_FALSE(Exists(folder, "Stats.dat.bad"));
    }
    // Most children got to finish a save before they died, so the kills fell among saves.
    EXPECT_GT(newStates, 25);
}
