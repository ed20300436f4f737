// Reads arbitrary bytes as "Stats.dat" through the game: a game object over the project's data
// set (its round sets replaced by two sets of a layout of the target's own) loads its statistics
// from the bytes, resumes the current player's suspended game from them as "Resume Game" does,
// plays and draws a few steps and goes back to the main menu. A resumed game is in a round that
// exists, at the difficulty and with the lives and score the file held (the lives never below
// zero nor above a million), and its snapshot is gone; without one a new game starts.
//
// The seed corpus is made by the statistics writer: run the corpus runner with
// VANTOREL_WRITE_SEEDS naming the folder (fuzz/corpus/fuzz_suspended_game) and it writes the seeds
// there first.
#include "FuzzSupport.h"
#include "WorldFiles.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "foundation/Win32Services.h"
#include "game/Playfield.h"
#include "game/rounds/RoundSetCollection.h"
#include "platform/Time.h"
#include "platform/Window.h"
#include "shell/Game.h"
#include "shell/stats/Stats.h"
#include "shell/stats/SuspendedGameStats.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void Check(bool condition, const char* what = "")
{
    if (!condition) {
        std::fprintf(stderr, "resumed game check failed: %s\n", what);
        std::abort();
    }
}

constexpr int kSets = 2;
constexpr int kRoundsPerSet = 10;

void LinkFiles(const fs::path& from, const fs::path& to)
{
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from))
        if (entry.is_directory())
            LinkFiles(entry.path(), to / entry.path().filename());
        else
            fs::create_symlink(entry.path(), to / entry.path().filename());
}

// A layout of one row of the data set's first brick types, and round sets of it.
void WriteRounds()
{
    std::string layout = "CBrickLayout\r\n{\r\n\tBrick Palette=Array\r\n\t{\r\n\t\tItem Count=2\r\n"
                         "\t\tBrick Type=!None\r\n\t\tBrick Type=Bricks/Normal\r\n\t}\r\n\tLayout=CFrame(16,22,8)\r\n\t{\r\n";
    for (int row = 0; row < 22; ++row)
        layout += row == 2 ? "\t\t00000101010101010101010101000000\r\n" : "\t\t" + std::string(32, '0') + "\r\n";
    worldfiles::WriteText("Data/Resources/Fuzz Row.Vantorel", layout + "\t}\r\n}\r\n");
    std::vector<CSharedString> names;
    for (int s = 0; s < kSets; ++s) {
        std::string text = "CRoundSet\r\n{\r\n\tRound List=Array\r\n\t{\r\n\t\tItem Count=" +
                           std::to_string(kRoundsPerSet) + "\r\n";
        for (int r = 0; r < kRoundsPerSet; ++r)
            text += "\t\tRound=Fuzz Row\r\n";
        text += "\t}\r\n}\r\n";
        const std::string name = "Set" + std::to_string(s);
        worldfiles::WriteText("Sets/" + name + ".RoundSet", text);
        names.emplace_back(name.c_str());
    }
    CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    sets.SetFolder("Sets");
    sets.SetEntries(names);
}

CGame& FuzzedGame()
{
    static CGame* s_game = [] {
        fuzzsupport::EnterWorkFolder();
        LinkFiles(VANTOREL_DATA_DIR, "Data");
        worldfiles::WriteText("Data/Resources/Fuzz Row.Vantorel", "");
        platform::CreateMainWindow("Vantorel");
        platform::EnableVirtualClock();
        SetCommandLine("");
        SetMainWindowState(true, false);
        auto* game = new CGame(nullptr);
        game->MarkConstructed();
        game->Init(nullptr);
        WriteRounds();
        Check(CPlayfield::GetTotalRoundCount() == kSets * kRoundsPerSet);
        game->GoToMainMenu();
        return game;
    }();
    return *s_game;
}

void Step(CGame& game, int steps)
{
    for (int i = 0; i < steps; ++i) {
        PumpWindowMessages();
        game.Update(1.0f / 60.0f);
        game.Draw();
    }
}

// A statistics file whose current player left a game: the game's own save.
void WriteSeed(const std::string& folder, const char* name, uint32_t round, uint32_t difficulty, uint32_t balls,
               uint32_t points, float seconds)
{
    CStats stats;
    stats.Load("Seed.dat");
    auto* snapshot = new CSuspendedGameStats;
    snapshot->SetPropertiesToDefaults();
    snapshot->SetStartingRound(round > 3 ? round - 3 : 0);
    snapshot->SetEndingRound(round);
    snapshot->SetDifficulty(difficulty);
    snapshot->SetBallsLeft(balls);
    snapshot->SetPointsScored(points);
    snapshot->SetSecondsPlayed(seconds);
    stats.GetCurrentPlayer()->SetSuspendedGame(snapshot);
    Check(stats.Save());
    fs::copy_file("Seed.dat", folder + "/" + name, fs::copy_options::overwrite_existing);
    fs::remove("Seed.dat");
}

void WriteSeeds(const std::string& folder)
{
    WriteSeed(folder, "round12-easy.dat", 12, 0, 3, 4321, 95.5f);
    WriteSeed(folder, "gone-round.dat", 4000, 2, 1, 10, 1.0f);
    WriteSeed(folder, "odd-values.dat", 7, 9, 4000000000u, 4294967295u, -1.0f);
    CStats none;
    none.Load("Seed.dat");
    Check(none.Save());
    fs::copy_file("Seed.dat", folder + "/no-snapshot.dat", fs::copy_options::overwrite_existing);
    fs::remove("Seed.dat");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::PrepareOnce(&WriteSeeds);
    CGame& game = FuzzedGame();
    if (size > (1u << 20))
        return 0;
    fuzzsupport::WriteInput(CStats::kFileName, data, size);
    fs::remove(std::string(CStats::kFileName) + CStats::kDamagedSuffix);
    fuzzsupport::FatalScope fatal;
    try {
        CStats& stats = *game.GetStats();
        stats.Load();
        const CSuspendedGameStats* snapshot = stats.GetCurrentPlayer()->GetSuspendedGame();
        const bool suspended = snapshot != nullptr;
        const uint32_t difficulty = suspended ? snapshot->GetDifficulty() : 0;
        const uint32_t points = suspended ? snapshot->GetPointsScored() : 0;
        const uint32_t balls = suspended ? snapshot->GetBallsLeft() : 0;
        game.ResumeGame();
        CPlayfield& field = *game.GetPlayfield();
        Check(game.GetMode() == CGame::kModePlaying, "playing");
        Check(field.GetRound() < CPlayfield::GetTotalRoundCount(), "a round that exists");
        Check(field.GetLives() >= 0, "lives not below zero");
        if (suspended) {
            Check(game.GetDifficulty() == difficulty && game.GetScore() == points, "difficulty and score kept");
            // A million lives at the most: more is damage.
            const auto lives = static_cast<uint32_t>(field.GetLives());
            Check(lives == balls || (balls > 1000000 && lives == 1000000), "lives kept");
            Check(stats.GetCurrentPlayer()->GetSuspendedGame() == nullptr, "snapshot gone");
        }
        Step(game, 8);
        game.GoToMainMenu();
        Step(game, 1);
    } catch (const fuzzsupport::FatalEnd&) {
        std::abort(); // no statistics file ends the program
    }
    return 0;
}
