// The operations of the statistics: profiles, recording, ranks, checkpoints, difficulty names.
#include "StatsTestHelpers.h"
#include "foundation/LocalizedString.h"
#include "shell/stats/DifficultyNames.h"

#include <vector>

using statstest::NewGame;
using statstest::NewPlayer;
using statstest::Exists;
using statstest::Read;
using statstest::WorkFolder;

namespace {

std::vector<std::string> Names(const CStats& stats)
{
    std::vector<std::string> names;
    for (uint32_t i = 0; i < stats.GetPlayerCount(); ++i)
        names.push_back(stats.GetPlayer(i)->GetName().CStr());
    return names;
}

// A loaded statistics object (no file: the guest alone) whose saves go into the test's folder.
struct Fixture
{
    WorkFolder folder;
    CStats stats;
    Fixture() { stats.Load(); }
};

// What the playfield does with the statistics when a game ends: nothing for 0 points; otherwise
// the ending round and time, the recording, both ranks, the archive for an honest game that
// ranks well enough, and one save.
struct Verdict
{
    uint32_t rank = 0;
    uint32_t personalRank = 0;
    CGameStats* archived = nullptr;
};

Verdict EndGame(CStats& stats, uint32_t round, uint64_t now)
{
    Verdict verdict;
    CGameStats& game = stats.GetCurrentGame();
    if (game.GetPointsScored() == 0)
        return verdict;
    game.SetEndingRound(round);
    game.SetEndTime(now);
    stats.RecordFinishedGame();
    verdict.rank = stats.CountHigherScores(game.GetPointsScored(), game.GetDifficulty()) + 1;
    verdict.personalRank =
        stats.GetCurrentPlayer()->CountHigherScores(game.GetPointsScored(), game.GetDifficulty()) + 1;
    if (!game.GetUsedCheat() && (verdict.rank <= 50 || verdict.personalRank <= 25))
        verdict.archived = stats.ArchiveCurrentGame();
    EXPECT_TRUE(stats.Save());
    return verdict;
}

void StartGame(CStats& stats, uint32_t points, uint32_t difficulty, bool cheated)
{
    stats.ResetCurrentGame();
    CGameStats& game = stats.GetCurrentGame();
    game.SetPointsScored(points);
    game.SetDifficulty(difficulty);
    game.SetStartingRound(4);
    game.SetBricksDestroyed(points / 10);
    game.SetBallsLost(points / 100);
    game.SetSecondsPlayed(static_cast<float>(points) / 4.0f);
    game.SetUsedCheat(cheated);
}

} // namespace

TEST(Stats, NoFileGivesTheGuestAlone)
{
    Fixture f;
    EXPECT_EQ(Names(f.stats), std::vector<std::string>{"Anonymous Guest"});
    EXPECT_EQ(f.stats.GetCurrentPlayerIndex(), 0u);
    EXPECT_EQ(f.stats.GetLaunchesSinceVersionCheck(), 3u);
    const CPlayerStats* guest = f.stats.GetCurrentPlayer();
    EXPECT_EQ(guest->GetShipStyle(), 1u);
    EXPECT_EQ(guest->GetLastDifficulty(), 1u);
    EXPECT_EQ(guest->GetSuspendedGame(), nullptr);
    // Reading creates no file and keeps nothing.
    EXPECT_FALSE(Exists(f.folder, "Stats.dat"));
    EXPECT_FALSE(Exists(f.folder, "Stats.dat.bad"));
}

TEST(Stats, ProfilesAreAddedBeforeTheLastAndBecomeCurrent)
{
    Fixture f;
    f.stats.AddPlayer(NewPlayer("New"));
    EXPECT_EQ(Names(f.stats), (std::vector<std::string>{"New", "Anonymous Guest"}));
    EXPECT_EQ(f.stats.GetCurrentPlayerIndex(), 0u);
    f.stats.AddPlayer(NewPlayer("Newer"));
    EXPECT_EQ(Names(f.stats), (std::vector<std::string>{"New", "Newer", "Anonymous Guest"}));
    EXPECT_EQ(f.stats.GetCurrentPlayerIndex(), 1u);
    f.stats.AddPlayer(nullptr);
    EXPECT_EQ(f.stats.GetPlayerCount(), 3u);

    CStats empty;
    empty.AddPlayer(NewPlayer("First"));
    EXPECT_EQ(Names(empty), std::vector<std::string>{"First"});
    EXPECT_EQ(empty.GetCurrentPlayerIndex(), 0u);
}

TEST(Stats, RemovalKeepsTheCurrentProfileWhereItCan)
{
    struct Case
    {
        uint32_t current;
        uint32_t removed;
        bool removes;
        std::vector<std::string> names;
        uint32_t currentAfter;
    };
    const Case cases[] = {
        {2, 0, true, {"B", "Anonymous Guest"}, 1},
        {1, 1, true, {"A", "Anonymous Guest"}, 0},
        {0, 1, true, {"A", "Anonymous Guest"}, 0},
        {2, 2, true, {"A", "B"}, 0},
        // An index past the end deletes nothing and moves nothing.
        {2, 3, false, {"A", "B", "Anonymous Guest"}, 2},
        {1, 0xFFFFFFFFu, false, {"A", "B", "Anonymous Guest"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "current " << c.current << " removed " << c.removed);
        Fixture f;
        f.stats.AddPlayer(NewPlayer("A"));
        f.stats.AddPlayer(NewPlayer("B"));
        f.stats.GetPlayer(0)->AppendGame(NewGame(10, 1));
        f.stats.GetPlayer(0)->SetSuspendedGame(new CSuspendedGameStats);
        f.stats.SetCurrentPlayer(c.current);
        EXPECT_EQ(f.stats.RemovePlayer(c.removed), c.removes);
        EXPECT_EQ(Names(f.stats), c.names);
        EXPECT_EQ(f.stats.GetCurrentPlayerIndex(), c.currentAfter);
    }
}

TEST(Stats, PlayersOutsideTheListAreNull)
{
    Fixture f;
    EXPECT_EQ(f.stats.GetPlayer(1), nullptr);
    f.stats.SetCurrentPlayer(5);
    EXPECT_EQ(f.stats.GetCurrentPlayer(), nullptr);
    // Recording without a current player still counts for all players and archives nothing.
    StartGame(f.stats, 700, 1, false);
    f.stats.RecordFinishedGame();
    EXPECT_EQ(f.stats.GetAllPlayersTotals().GetPointsScored(), 700u);
    EXPECT_EQ(f.stats.ArchiveCurrentGame(), nullptr);
}

TEST(Stats, FinishedGamesFoldIntoTotalsAndBests)
{
    Fixture f;
    StartGame(f.stats, 500, 2, false);
    f.stats.GetCurrentGame().SetBallsLost(1);
    EndGame(f.stats, 9, 111);
    StartGame(f.stats, 300, 1, false);
    f.stats.GetCurrentGame().SetBallsLost(6);
    EndGame(f.stats, 12, 222);

    const CPlayerStats& player = *f.stats.GetCurrentPlayer();
    for (const CGameStats* best : {&player.GetCareerBest(), &f.stats.GetAllPlayersBest()}) {
        EXPECT_EQ(best->GetPointsScored(), 500u);
        EXPECT_EQ(best->GetGamesFinished(), 2u);
        EXPECT_EQ(best->GetStartingRound(), 0u);
        EXPECT_EQ(best->GetEndingRound(), 12u);
        EXPECT_EQ(best->GetBricksDestroyed(), 50u);
        EXPECT_EQ(best->GetBallsLost(), 6u); // the most balls lost, like every other counter
        EXPECT_EQ(best->GetDifficulty(), 2u);
        EXPECT_FLOAT_EQ(best->GetSecondsPlayed(), 125.0f);
        EXPECT_EQ(best->GetEndTime(), 0u);
    }
    for (const CGameStats* totals : {&player.GetCareerTotals(), &f.stats.GetAllPlayersTotals()}) {
        EXPECT_EQ(totals->GetPointsScored(), 800u);
        EXPECT_EQ(totals->GetGamesFinished(), 2u);
        EXPECT_EQ(totals->GetDifficulty(), 0u);
        EXPECT_EQ(totals->GetStartingRound(), 0u);
        EXPECT_EQ(totals->GetEndingRound(), 12u);
        EXPECT_EQ(totals->GetBricksDestroyed(), 80u);
        EXPECT_EQ(totals->GetBallsLost(), 7u);
        EXPECT_FLOAT_EQ(totals->GetSecondsPlayed(), 200.0f);
        EXPECT_EQ(totals->GetStartTime(), 0u);
    }
    // The game over saves.
    CStats reread;
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.GetAllPlayersTotals().GetPointsScored(), 800u);
    EXPECT_EQ(reread.GetCurrentGame().GetGamesFinished(), 1u);
}

TEST(Stats, EqualScoresShareARankAtOneDifficulty)
{
    Fixture f;
    f.stats.AddPlayer(NewPlayer("Other"));
    CPlayerStats* other = f.stats.GetPlayer(0);
    CPlayerStats* guest = f.stats.GetPlayer(1);
    other->AppendGame(NewGame(1500, 2));
    other->AppendGame(NewGame(1000, 2));
    other->AppendGame(NewGame(9000, 1)); // another difficulty does not compete
    guest->AppendGame(NewGame(1001, 2));
    guest->AppendGame(NewGame(999, 2));
    f.stats.SetCurrentPlayer(1);

    StartGame(f.stats, 1000, 2, false);
    Verdict verdict = EndGame(f.stats, 3, 1);
    EXPECT_EQ(verdict.rank, 3u);
    EXPECT_EQ(verdict.personalRank, 2u);
    ASSERT_NE(verdict.archived, nullptr);
    EXPECT_EQ(guest->GetGameCount(), 3u);
    EXPECT_EQ(guest->GetGame(2), verdict.archived);
    EXPECT_EQ(verdict.archived->GetPointsScored(), 1000u);
    EXPECT_EQ(verdict.archived->GetGamesFinished(), 1u);
    EXPECT_NE(verdict.archived, &f.stats.GetCurrentGame());
    EXPECT_EQ(f.stats.CountHigherScores(0, 2), 5u);
    EXPECT_EQ(f.stats.CountHigherScores(9000, 1), 0u);
}

TEST(Stats, ZeroPointAndCheatedGamesAreNotArchived)
{
    struct Case
    {
        uint32_t points;
        bool cheated;
        uint32_t gamesAfter;
        bool archived;
        bool cheatInTotals;
    };
    const Case cases[] = {
        {0, false, 0, false, false},
        {0, true, 0, false, false},
        {400, true, 1, false, true},
        {400, false, 1, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << " points, cheated " << c.cheated);
        Fixture f;
        StartGame(f.stats, c.points, 0, c.cheated);
        Verdict verdict = EndGame(f.stats, 2, 5);
        const CPlayerStats& player = *f.stats.GetCurrentPlayer();
        EXPECT_EQ(player.GetCareerTotals().GetGamesFinished(), c.gamesAfter);
        EXPECT_EQ(f.stats.GetAllPlayersBest().GetGamesFinished(), c.gamesAfter);
        EXPECT_EQ(player.GetCareerTotals().GetUsedCheat(), c.cheatInTotals);
        EXPECT_EQ(f.stats.GetAllPlayersBest().GetUsedCheat(), c.cheatInTotals);
        EXPECT_EQ(verdict.archived != nullptr, c.archived);
        EXPECT_EQ(player.GetGameCount(), c.archived ? 1u : 0u);
        // A game with no points leaves even the file alone.
        EXPECT_EQ(Exists(f.folder, "Stats.dat"), c.points != 0);
    }
}

TEST(Stats, CheckPointsCountPerRoundSet)
{
    CPlayerStats player;
    player.SetPropertiesToDefaults();
    EXPECT_FALSE(player.HasReachedCheckPoint(0, 0));
    player.SetCheckPointReached(3, 1);
    ASSERT_EQ(player.GetCheckPointSetCount(), 4u);
    const uint32_t expected[] = {0, 0, 0, 2};
    for (uint32_t set = 0; set < 4; ++set)
        EXPECT_EQ(player.GetCheckPointsReached(set), expected[set]) << set;
    EXPECT_TRUE(player.HasReachedCheckPoint(3, 1));
    EXPECT_TRUE(player.HasReachedCheckPoint(3, 0));
    EXPECT_FALSE(player.HasReachedCheckPoint(3, 2));
    EXPECT_FALSE(player.HasReachedCheckPoint(2, 0));
    EXPECT_FALSE(player.HasReachedCheckPoint(4, 0));
    // Storing is unconditional: a lower checkpoint replaces a higher one.
    player.SetCheckPointReached(3, 0);
    EXPECT_EQ(player.GetCheckPointsReached(3), 1u);
    player.SetCheckPointReached(1, 4);
    EXPECT_EQ(player.GetCheckPointSetCount(), 4u);
    EXPECT_EQ(player.GetCheckPointsReached(1), 5u);
    // A set index no round set can have stores nothing, rather than wrapping or growing without end.
    player.SetCheckPointReached(0xFFFFFFFFu, 0);
    player.SetCheckPointReached(CPlayerStats::kMaxRoundSets, 0);
    EXPECT_EQ(player.GetCheckPointSetCount(), 4u);
}

TEST(Stats, DisplayedNamesFollowTheTranslation)
{
    const char* const names[] = {"Easy", "Normal", "Hard", "Insane"};
    for (uint32_t level = 0; level < 4; ++level) {
        EXPECT_STREQ(GetDifficultyName(level).CStr(), names[level]);
        EXPECT_EQ(ParseDifficultyName(names[level]), level);
    }
    EXPECT_STREQ(GetDifficultyName(4).CStr(), "Normal");
    EXPECT_STREQ(GetDifficultyName(0xFFFFFFFFu).CStr(), "Normal");
    EXPECT_EQ(ParseDifficultyName("hard"), 1u);
    EXPECT_EQ(ParseDifficultyName("Insane "), 1u);
    EXPECT_EQ(ParseDifficultyName(""), 1u);
    EXPECT_EQ(ParseDifficultyName(nullptr), 1u);

    // The names and the guest's name are the current translations.
    CLocalizationTable& table = CLocalizationTable::GetInstance();
    table.AddPair(CSharedString("Hard"), CSharedString("Schwer"));
    table.AddPair(CSharedString("Anonymous Guest"), CSharedString("Gast"));
    table.TranslateRegisteredTexts();
    const uint32_t translated = ParseDifficultyName("Schwer");
    const uint32_t english = ParseDifficultyName("Hard");
    CStats stats;
    stats.LoadFromBytes(nullptr, 0);
    const std::string guest = stats.GetPlayer(0)->GetName().CStr();
    table.RemoveAllPairs();
    table.AddPair(CSharedString("Schwer"), CSharedString("Hard"));
    table.AddPair(CSharedString("Gast"), CSharedString("Anonymous Guest"));
    table.TranslateRegisteredTexts();
    table.RemoveAllPairs();
    EXPECT_EQ(translated, 2u);
    EXPECT_EQ(english, 1u);
    EXPECT_EQ(guest, "Gast");
}
