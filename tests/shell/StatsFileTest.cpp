// The statistics file: its bytes, both readable forms, byte-stable saves, read-only files, failed
// writes, and damaged files, which must never stop the program nor be lost.
#include "StatsTestHelpers.h"
#include "foundation/FileTimes.h"
#include "platform/Time.h"

#include <csignal>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using statstest::NewGame;
using statstest::NewPlayer;
using statstest::TextOf;
using statstest::WithCrLf;
using statstest::Exists;
using statstest::Read;
using statstest::WorkFolder;

namespace {

// Every class and every kind of property of the file: two profiles, one with an archived game,
// a suspended game and checkpoints.
void FillSample(CStats& stats)
{
    stats.LoadFromBytes(nullptr, 0);
    CPlayerStats* player = NewPlayer("Ann");
    player->SetShipStyle(2);
    player->SetLastRoundSet(1);
    CGameStats* game = NewGame(1500, 2);
    game->SetStartTime(UnixTimeToFileTime(1000000000, 0));
    game->SetSecondsPlayed(61.5f);
    player->AppendGame(game);
    auto* suspended = new CSuspendedGameStats;
    suspended->SetPropertiesToDefaults();
    suspended->SetEndingRound(12);
    suspended->SetBallsLeft(3);
    suspended->SetUsedCheat(true);
    player->SetSuspendedGame(suspended);
    player->SetCheckPointReached(1, 1);
    player->GetCareerTotals().SetPointsScored(1500);
    stats.AddPlayer(player);
    stats.SetLaunchesSinceVersionCheck(10);
    stats.GetCurrentGame().SetPointsScored(1500);
}

std::string Sample()
{
    CStats stats;
    FillSample(stats);
    return TextOf(stats);
}

// Written by hand from the file's documented property orders.
const char* const kGameLabels[] = {"Starting Round Number", "Ending Round Number", "Bricks Destroyed",
                                   "Balls Lost", "Points Scored", "Seconds Played", "Start Time", "End Time",
                                   "Level Of Difficulty", "Used Cheat", "Games Finished"};

// The lines of a game record at the depth; values not given are 0.
std::string GameLines(int depth, std::map<std::string, std::string> values = {})
{
    std::string out;
    for (const char* label : kGameLabels)
        out += std::string(depth, '\t') + label + "=" + (values.count(label) ? values[label] : "0") + "\n";
    return out;
}

std::string Block(int depth, const std::string& body)
{
    const std::string tabs(depth, '\t');
    return tabs + "{\n" + body + tabs + "}\n";
}

std::string ExpectedSampleText()
{
    const std::string ann =
        "\t\t\tName=Ann\n\t\t\tShip Style=2\n\t\t\tLast Selected Difficulty=1\n\t\t\tLast Selected Round Set=1\n"
        "\t\t\tLast Selected Check Point=0\n"
        "\t\t\tSuspended Game=CSuspendedGameStats\n" +
        Block(3, GameLines(4, {{"Ending Round Number", "12"}, {"Used Cheat", "1"}}) + "\t\t\t\tBalls Left=3\n") +
        "\t\t\tCareer Totals=CGameStats\n" + Block(3, GameLines(4, {{"Points Scored", "1500"}})) +
        "\t\t\tCareer Best=CGameStats\n" + Block(3, GameLines(4)) +
        "\t\t\tAll Games Played=Array\n" +
        Block(3, "\t\t\t\tItem Count=1\n\t\t\t\tGame Stats=CGameStats\n" +
                     Block(4, GameLines(5, {{"Points Scored", "1500"},
                                            {"Seconds Played", "61.5"},
                                            {"Start Time", "126444736000000000"},
                                            {"Level Of Difficulty", "2"}}))) +
        "\t\t\tCheck Points Reached=Array\n" +
        Block(3, "\t\t\t\tItem Count=2\n\t\t\t\tNum Check Points=0\n\t\t\t\tNum Check Points=2\n");
    const std::string guest =
        "\t\t\tName=Anonymous Guest\n\t\t\tShip Style=1\n\t\t\tLast Selected Difficulty=1\n"
        "\t\t\tLast Selected Round Set=0\n\t\t\tLast Selected Check Point=0\n"
        "\t\t\tSuspended Game=\n"
        "\t\t\tCareer Totals=CGameStats\n" + Block(3, GameLines(4)) +
        "\t\t\tCareer Best=CGameStats\n" + Block(3, GameLines(4)) +
        "\t\t\tAll Games Played=Array\n" + Block(3, "\t\t\t\tItem Count=0\n") +
        "\t\t\tCheck Points Reached=Array\n" + Block(3, "\t\t\t\tItem Count=0\n");
    const std::string stats =
        "\tPlayers=Array\n" +
        Block(1, "\t\tItem Count=2\n\t\tPlayer=CPlayerStats\n" + Block(2, ann) + "\t\tPlayer=CPlayerStats\n" +
                     Block(2, guest)) +
        "\tCurrent Player=0\n\tProgram Launches Since Version Check=10\n"
        "\tAll Players Totals=CGameStats\n" + Block(1, GameLines(2)) +
        "\tAll Players Best=CGameStats\n" + Block(1, GameLines(2)) +
        "\tCurrent Game=CGameStats\n" + Block(1, GameLines(2, {{"Points Scored", "1500"}}));
    return WithCrLf("CStats\n" + Block(0, stats));
}

uint32_t U32At(const std::string& bytes, size_t at)
{
    return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8 |
           static_cast<uint8_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
}

} // namespace

TEST(StatsFile, TextFollowsThePropertyOrdersOfEveryClass)
{
    EXPECT_EQ(Sample(), ExpectedSampleText());
}

TEST(StatsFile, SavedFileIsOneZlibRecordThatPythonReads)
{
    WorkFolder folder;
    CStats stats;
    stats.Load();
    FillSample(stats);
    ASSERT_TRUE(stats.Save());

    const std::string bytes = Read(folder, "Stats.dat");
    ASSERT_GT(bytes.size(), 9u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(U32At(bytes, 1), bytes.size() - 9);
    EXPECT_EQ(U32At(bytes, 5), ExpectedSampleText().size());
    ASSERT_EQ(0, testsupport::RunCommand("cd '" + (folder / "") + "' && python3 -c \"import zlib;"
                                         "d=open('Stats.dat','rb').read();"
                                         "open('text','wb').write(zlib.decompress(d[9:]))\""));
    EXPECT_EQ(Read(folder, "text"), ExpectedSampleText());
}

TEST(StatsFile, BothFormsWrittenByPythonLoadToEqualObjects)
{
    WorkFolder folder;
    testsupport::WriteFileBytes(folder / "plain", ExpectedSampleText());
    // The compressed form at another level than the program's own, so the bytes differ.
    ASSERT_EQ(0, testsupport::RunCommand("cd '" + (folder / "") + "' && python3 -c \"import zlib,struct;"
                                         "t=open('plain','rb').read();c=zlib.compress(t,9);"
                                         "open('packed','wb').write(b'\\x01'+struct.pack('<II',len(c),len(t))+c)\""));
    for (const char* name : {"plain", "packed"}) {
        SCOPED_TRACE(name);
        CStats stats;
        ASSERT_TRUE(stats.Load(name));
        EXPECT_EQ(TextOf(stats), ExpectedSampleText());
        EXPECT_EQ(stats.GetCurrentPlayer()->GetName(), CSharedString("Ann"));
        EXPECT_EQ(stats.GetCurrentPlayer()->GetSuspendedGame()->GetBallsLeft(), 3u);
    }
}

TEST(StatsFile, SaveLoadSaveGivesTheSameBytes)
{
    WorkFolder folder;
    platform::FixWallClock(1234567890, 987654321);
    CStats stats;
    stats.Load();
    FillSample(stats);
    stats.GetCurrentGame().SetStartTime(GetCurrentFileTime());
    stats.GetCurrentGame().SetSecondsPlayed(1.0f / 3.0f);
    ASSERT_TRUE(stats.Save());
    const std::string first = Read(folder, "Stats.dat");
    platform::UnfixWallClock();

    CStats again;
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetCurrentGame().GetStartTime(), 128790414909876543ull);
    ASSERT_TRUE(again.Save());
    EXPECT_EQ(Read(folder, "Stats.dat"), first);
}

TEST(StatsFile, LargestStatisticsTheReadAcceptsSaveAndLoadAgain)
{
    WorkFolder folder;
    CStats stats;
    stats.Load();
    while (stats.GetPlayerCount() < CStats::kMaxPlayers)
        stats.AddPlayer(NewPlayer(""));
    const uint32_t gamesEach = CStats::kMaxArchivedGames / CStats::kMaxPlayers;
    const auto nameOf = [](uint32_t i) { return std::to_string(i + 100) + std::string(1020, 'n'); };
    for (uint32_t i = 0; i < CStats::kMaxPlayers; ++i) {
        CPlayerStats* player = stats.GetPlayer(i);
        player->SetName(nameOf(i).c_str());
        for (uint32_t g = 0; g < gamesEach; ++g)
            player->AppendGame(NewGame(i * gamesEach + g, g % 4));
        for (uint32_t set = 0; set < CStats::kMaxCheckPointEntries; ++set)
            player->SetCheckPointReached(set, set % 5);
        player->SetSuspendedGame(new CSuspendedGameStats);
        player->GetSuspendedGame()->SetBallsLeft(i);
    }
    ASSERT_TRUE(stats.Save());

    CStats loaded;
    ASSERT_TRUE(loaded.Load());
    ASSERT_EQ(loaded.GetPlayerCount(), CStats::kMaxPlayers);
    uint32_t games = 0;
    for (uint32_t i = 0; i < CStats::kMaxPlayers; ++i)
        games += loaded.GetPlayer(i)->GetGameCount();
    EXPECT_EQ(games, CStats::kMaxArchivedGames);
    const CPlayerStats* sample = loaded.GetPlayer(200);
    EXPECT_EQ(std::string(sample->GetName().CStr()), nameOf(200));
    EXPECT_EQ(sample->GetCheckPointSetCount(), CStats::kMaxCheckPointEntries);
    EXPECT_EQ(sample->GetSuspendedGame()->GetBallsLeft(), 200u);
    EXPECT_EQ(sample->GetGame(77)->GetPointsScored(), 200 * gamesEach + 77);
    EXPECT_EQ(sample->GetGame(77)->GetDifficulty(), 1u);
}

TEST(StatsFile, ReadOnlyFileIsReplacedAndLeftWritable)
{
    WorkFolder folder;
    CStats stats;
    stats.Load();
    ASSERT_TRUE(stats.Save());
    ASSERT_EQ(0, ::chmod((folder / "Stats.dat").c_str(), 0444));
    stats.GetCurrentGame().SetPointsScored(50);
    stats.RecordFinishedGame();
    ASSERT_TRUE(stats.Save());
    struct stat info{};
    ASSERT_EQ(0, ::stat((folder / "Stats.dat").c_str(), &info));
    EXPECT_NE(info.st_mode & S_IWUSR, 0u);
    CStats reread;
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.GetAllPlayersTotals().GetPointsScored(), 50u);
}

TEST(StatsFile, FailedWriteKeepsTheOldFile)
{
    WorkFolder folder;
    CStats stats;
    stats.Load();
    ASSERT_TRUE(stats.Save());
    const std::string old = Read(folder, "Stats.dat");
    // A file-size limit below the new file's size makes the write fail the way a full disk does;
    // the child alone carries the limit.
    for (int i = 0; i < 200; ++i)
        stats.AddPlayer(NewPlayer(("Player number " + std::to_string(i)).c_str()));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{static_cast<rlim_t>(old.size() + 16), static_cast<rlim_t>(old.size() + 16)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(stats.Save() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success";
    EXPECT_EQ(Read(folder, "Stats.dat"), old);
    for (const auto& entry : std::filesystem::directory_iterator(folder / ""))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST(StatsFile, EmptyFileGivesTheDefaultsAndIsNotKept)
{
    WorkFolder folder;
    testsupport::WriteFileBytes(folder / "Stats.dat", "");
    CStats stats;
    EXPECT_FALSE(stats.Load());
    EXPECT_EQ(stats.GetPlayerCount(), 1u);
    EXPECT_FALSE(Exists(folder, "Stats.dat.bad"));
}

TEST(StatsFile, PlayerPastTheListAndStrayLinesAreMended)
{
    struct Case
    {
        const char* what;
        std::string text;
        uint32_t players;
        uint32_t current;
        uint32_t shipStyle;
    };
    auto player = [](const char* name, const char* extra) {
        return std::string("\t\tPlayer=CPlayerStats\n\t\t{\n\t\t\tName=") + name + "\n" + extra + "\t\t}\n";
    };
    const Case cases[] = {
        {"current player 7 of 3",
         "CStats\n{\n\tPlayers=Array\n\t{\n\t\tItem Count=3\n" + player("A", "") + player("B", "") +
             player("C", "") + "\t}\n\tCurrent Player=7\n}\n",
         3, 2, 1},
        {"balls left beside a null suspended game",
         "CStats\n{\n\tPlayers=Array\n\t{\n\t\tItem Count=1\n" +
             player("A", "\t\t\tSuspended Game=\n\t\t\tBalls Left=3\n\t\t\tShip Style=4\n") + "\t}\n}\n",
         1, 0, 4},
        {"no players", "CStats\n{\n\tCurrent Player=5\n}\n", 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WorkFolder folder;
        testsupport::WriteFileBytes(folder / "Stats.dat", WithCrLf(c.text));
        CStats stats;
        EXPECT_TRUE(stats.Load());
        EXPECT_EQ(stats.GetPlayerCount(), c.players);
        EXPECT_EQ(stats.GetCurrentPlayerIndex(), c.current);
        EXPECT_EQ(stats.GetPlayer(0)->GetSuspendedGame(), nullptr);
        EXPECT_EQ(stats.GetPlayer(0)->GetShipStyle(), c.shipStyle);
        EXPECT_FALSE(Exists(folder, "Stats.dat.bad"));
    }
}

TEST(StatsFile, DamagedFileGivesTheDefaultsAndIsKept)
{
    const std::string head = "CStats\n{\n\tPlayers=Array\n\t{\n\t\tItem Count=1\n\t\tPlayer=";
    const std::string good = WithCrLf(head + "CPlayerStats\n\t\t{\n\t\t\tName=Kept\n\t\t}\n\t}\n}\n");
    std::string packed;
    {
        WorkFolder folder;
        testsupport::WriteFileBytes(folder / "Stats.dat", good);
        CStats stats;
        ASSERT_TRUE(stats.Load());
        ASSERT_TRUE(stats.Save());
        packed = Read(folder, "Stats.dat");
    }
    std::string flipped = packed;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x55);

    struct Case
    {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"unknown class", WithCrLf(head + "CNoSuchClass\n\t\t{\n\t\t\tName=X\n\t\t}\n\t}\n}\n")},
        {"unrelated class", WithCrLf(head + "CStats\n\t\t{\n\t\t}\n\t}\n}\n")},
        {"base class for a suspended game",
         WithCrLf(head + "CPlayerStats\n\t\t{\n\t\t\tSuspended Game=CGameStats\n\t\t\t{\n\t\t\t}\n\t\t}\n\t}\n}\n")},
        {"abstract class", WithCrLf(head + "CObject\n\t\t{\n\t\t}\n\t}\n}\n")},
        {"stray brace", WithCrLf(head + "CPlayerStats\n\t\t{\n\t\t\tName=X\n\t\t\t{\n\t\t}\n\t}\n}\n")},
        {"huge count", WithCrLf(head.substr(0, head.find("1\n")) + "4000000000\n\t\tPlayer=CPlayerStats\n\t\t{\n"
                                                                   "\t\t}\n\t}\n}\n")},
        {"null player", WithCrLf(head + "\n\t}\n}\n")},
        {"null archived game",
         WithCrLf(head + "CPlayerStats\n\t\t{\n\t\t\tAll Games Played=Array\n\t\t\t{\n\t\t\t\tItem Count=2\n"
                         "\t\t\t\tGame Stats=CGameStats\n\t\t\t\t{\n\t\t\t\t}\n\t\t\t\tGame Stats=\n\t\t\t}\n\t\t}\n\t}\n}\n")},
        {"cut text", good.substr(0, good.size() - 8)},
        {"cut record", packed.substr(0, packed.size() - 3)},
        {"record header only", packed.substr(0, 9)},
        {"flipped record byte", flipped},
        {"another class", WithCrLf("CPlayerStats\n{\n\tName=X\n}\n")},
        {"not text at all", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WorkFolder folder;
        testsupport::WriteFileBytes(folder / "Stats.dat", c.bytes);
        CStats stats;
        EXPECT_FALSE(stats.Load());
        ASSERT_EQ(stats.GetPlayerCount(), 1u);
        EXPECT_STREQ(stats.GetPlayer(0)->GetName().CStr(), "Anonymous Guest");
        EXPECT_EQ(stats.GetCurrentPlayerIndex(), 0u);
        EXPECT_EQ(stats.GetLaunchesSinceVersionCheck(), 3u);
        EXPECT_EQ(Read(folder, "Stats.dat.bad"), c.bytes);
        EXPECT_FALSE(Exists(folder, "Stats.dat"));
        // The next save starts a new file and leaves the kept one alone.
        EXPECT_TRUE(stats.Save());
        EXPECT_TRUE(Exists(folder, "Stats.dat"));
        EXPECT_EQ(Read(folder, "Stats.dat.bad"), c.bytes);
    }
}

TEST(StatsFile, FilesReadOnlyInPartAreCopiedAsideBeforeTheFirstSaveWritesOverThem)
{
    const std::string ann = "\t\tPlayer=CPlayerStats\n\t\t{\n\t\t\tName=Ann\n\t\t}\n";
    struct Case
    {
        const char* what;
        std::string text;
        const char* firstName; // of the profiles loaded
    };
    const Case cases[] = {
        {"misspelled list label", "CStats\n{\n\tPlxyers=Array\n\t{\n\t\tItem Count=1\n" + ann + "\t}\n}\n",
         "Anonymous Guest"},
        {"line without its \"=\"",
         "CStats\n{\n\tPlayers=Array\n\t{\n\t\tItem Count=1\n" + ann + "\t}\n\tCurrent Player 0\n}\n", "Ann"},
        {"misspelled label inside a profile",
         "CStats\n{\n\tPlayers=Array\n\t{\n\t\tItem Count=1\n\t\tPlayer=CPlayerStats\n\t\t{\n\t\t\tName=Ann\n"
         "\t\t\tCareer Totalz=CGameStats\n\t\t\t{\n\t\t\t\tPoints Scored=900\n\t\t\t}\n\t\t}\n\t}\n}\n",
         "Ann"},
        {"no profile at all", "CStats\n{\n\tCurrent Player=5\n}\n", "Anonymous Guest"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WorkFolder folder;
        const std::string bytes = WithCrLf(c.text);
        testsupport::WriteFileBytes(folder / "Stats.dat", bytes);
        CStats stats;
        EXPECT_TRUE(stats.Load());
        EXPECT_STREQ(stats.GetPlayer(0)->GetName().CStr(), c.firstName);
        // No room for the copy: nothing is written over the file.
        {
            statstest::FileSizeLimit full(16);
            EXPECT_FALSE(stats.Save());
        }
        EXPECT_EQ(stats.GetSaveError(), EFBIG);
        EXPECT_EQ(Read(folder, "Stats.dat"), bytes);
        EXPECT_FALSE(Exists(folder, "Stats.dat.bad"));
        ASSERT_TRUE(stats.Save());
        EXPECT_EQ(Read(folder, "Stats.dat.bad"), bytes);
        // Once kept, later saves write the file alone.
        ASSERT_TRUE(stats.Save());
        EXPECT_FALSE(Exists(folder, "Stats.dat.bad2"));
        CStats reread;
        EXPECT_TRUE(reread.Load());
        EXPECT_EQ(TextOf(reread), TextOf(stats));
    }
}

TEST(StatsFile, KeptFilesNeverReplaceOneAnother)
{
    WorkFolder folder;
    const std::string damaged[] = {std::string("\x01\x05\0\0\0\x50\0\0\0junk", 14), WithCrLf("CStats\n{\n")};
    const std::string misspelled = WithCrLf("CStats\n{\n\tPlxyers=Array\n\t{\n\t\tItem Count=0\n\t}\n}\n");
    // Someone's own file in the way, named with other letter cases.
    testsupport::WriteFileBytes(folder / "stats.DAT.BAD2", "mine");
    CStats stats;
    for (const std::string& bytes : {damaged[0], misspelled, damaged[1]}) {
        testsupport::WriteFileBytes(folder / "Stats.dat", bytes);
        EXPECT_EQ(stats.Load(), bytes == misspelled);
        ASSERT_TRUE(stats.Save());
    }
    EXPECT_EQ(Read(folder, "Stats.dat.bad"), damaged[0]);
    EXPECT_EQ(Read(folder, "stats.DAT.BAD2"), "mine");
    EXPECT_EQ(Read(folder, "Stats.dat.bad3"), misspelled);
    EXPECT_EQ(Read(folder, "Stats.dat.bad4"), damaged[1]);
}
