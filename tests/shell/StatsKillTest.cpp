// The running game killed (SIGKILL) at any moment of its saves loses nothing it had told the
// player was kept: a finished game's entry in the history, a suspended game, a resume, a profile.
// Each child is a fork of a game object at the main menu that reads the file as a restart would,
// then goes through the save paths, telling the parent on a pipe which step it begins and which
// it finished; the parent kills it during a step of each kind in turn and reads the file afresh.
#include "GameFixture.h"
#include "StatsTestHelpers.h"
#include "foundation/ConfigFile.h"
#include "game/Playfield.h"
#include "shell/MainMenuWindow.h"
#include "shell/PauseMenu.h"
#include "shell/dialogs/PlayerDialog.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "shell/stats/Stats.h"
#include "ui/JButton.h"
#include "ui/ScreenWindow.h"
#include "ui/controls/JEditField.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <poll.h>
#include <random>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifdef VANTOREL_DATA_DIR
namespace {

// One line of a child: "B <op> <value>" as it begins a step, "C" once the step's save succeeded.
// Ops: P (a new profile, value = its number), G (a finished game, value = its score), S (a suspended
// game, value = its score), R (the resume of that game).
struct ChildStep
{
    char op = 0;
    uint32_t value = 0;
    bool confirmed = false;
};

class StatsKill : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        // A fork copies only the calling thread: the music's refill timer must not run.
        WriteConfigInt(g_configFile.GetPath(), "Options", "Use Threaded Stream", 0);
        delete m_game;
        m_game = new CGame(nullptr);
        m_game->MarkConstructed();
        m_game->Init(nullptr);
        m_game->GoToMainMenu();
        Run(1);
        // No reminder of the version check over the menu in the children.
        Stats().SetLaunchesSinceVersionCheck(10);
        ASSERT_TRUE(Stats().Save());
    }
    static int ThreadCount()
    {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("Threads:", 0) == 0)
                return std::stoi(line.substr(8));
        return -1;
    }
    // Update steps alone: nothing here needs the picture.
    void Run(int steps)
    {
        for (int i = 0; i < steps; ++i)
            m_game->Update(kStep);
    }
    CScreenWindow* Screen() const { return m_game->GetScreenWindow(); }
    CStats& Stats() const { return *m_game->GetStats(); }
    void StartGame(uint32_t score)
    {
        CMainMenuWindow::CloseOpen();
        m_game->StartNewGame(1, 0);
        Run(2);
        m_game->SetScore(score);
    }
    // Ends the game and steps to its statistics dialog.
    bool FinishGame(uint32_t score)
    {
        StartGame(score);
        m_game->GetPlayfield()->EndGame(0);
        for (int step = 0; step < 10; ++step) {
            Run(1);
            if (dynamic_cast<CStatisticsDialog*>(Screen()->GetFrontChild()))
                return true;
        }
        return false;
    }
    // Every window closed, the main menu open again.
    void BackToMenu()
    {
        while (CJWindow* front = Screen()->GetFrontChild())
            delete front;
        m_game->ClearMode();
        m_game->GoToMainMenu();
        Run(1);
    }
    void NewProfile(uint32_t number)
    {
        auto* editor = new CPlayerDialog(Screen(), "New Player", &Stats(), nullptr);
        Screen()->OpenModalWindow(editor, kPlaceCentred);
        editor->GetNameField()->SetText(("K" + std::to_string(number)).c_str());
        editor->GetSaveButton()->Activate();
    }
    // The child's steps, forever: a new profile, then a finished game, a suspended one, a finished
    // one (the suspended game stays) and the resume, in turn. Values grow, so that every game
    // ranks first and is kept.
    [[noreturn]] void RunChild(int out, uint32_t child)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        Stats().Load();
        auto say = [out](const std::string& line) {
            if (::write(out, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
                ::_exit(3);
        };
        uint32_t value = child * 100000;
        for (uint32_t i = 0; std::chrono::steady_clock::now() < until; ++i) {
            const char op = i == 0 ? 'P' : "GSGR"[(i - 1) % 4];
            value += 10;
            say(std::string("B ") + op + " " + std::to_string(op == 'P' ? child : value) + "\n");
            if (op == 'P') {
                NewProfile(child);
            } else if (op == 'G') {
                if (!FinishGame(value))
                    ::_exit(4);
            } else if (op == 'S') {
                StartGame(value);
                CPauseMenu::Open()->SuspendGame();
            } else {
                CMainMenuWindow::CloseOpen();
                m_game->ResumeGame();
            }
            if (m_game->GetSaveFailureNotices().WasTold(Stats().GetFileName().CStr()))
                ::_exit(5);
            say("C\n");
            BackToMenu();
        }
        ::_exit(0);
    }
    // Forks a child running the function, waits until what it told matches the pattern (at most
    // 20 s), lets it run the delay and kills it; answers the steps it told of.
    std::vector<ChildStep> KillChild(const std::function<void(int)>& child, const std::string& waitFor,
                                     std::chrono::microseconds delay)
    {
        int pipeFds[2];
        EXPECT_EQ(::pipe(pipeFds), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(pipeFds[0]);
            child(pipeFds[1]);
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        std::string told;
        char chunk[256];
        pollfd in{pipeFds[0], POLLIN, 0};
        const std::regex pattern(waitFor);
        while (!std::regex_search(told, pattern) && ::poll(&in, 1, 20000) == 1) {
            const ssize_t n = ::read(pipeFds[0], chunk, sizeof chunk);
            if (n <= 0)
                break;
            told.append(chunk, static_cast<size_t>(n));
        }
        EXPECT_TRUE(std::regex_search(told, pattern)) << "the child never told " << waitFor;
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
        int status = 0;
        EXPECT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended by itself, status " << status;
        for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;)
            told.append(chunk, static_cast<size_t>(n));
        ::close(pipeFds[0]);
        std::vector<ChildStep> steps;
        std::istringstream lines(told);
        std::string word;
        while (lines >> word) {
            if (word == "C" && !steps.empty()) {
                steps.back().confirmed = true;
            } else if (word == "B") {
                ChildStep step;
                lines >> step.op >> step.value;
                steps.push_back(step);
            }
        }
        return steps;
    }
    static const CPlayerStats* FindProfile(const CStats& stats, uint32_t number)
    {
        const std::string name = "K" + std::to_string(number);
        for (uint32_t i = 0; i < stats.GetPlayerCount(); ++i)
            if (name == stats.GetPlayer(i)->GetName().CStr())
                return stats.GetPlayer(i);
        return nullptr;
    }
    static bool HasKeptGame(const CStats& stats, uint32_t points)
    {
        for (uint32_t i = 0; i < stats.GetPlayerCount(); ++i)
            for (uint32_t g = 0; g < stats.GetPlayer(i)->GetGameCount(); ++g)
                if (stats.GetPlayer(i)->GetGame(g)->GetPointsScored() == points)
                    return true;
        return false;
    }
};

TEST_F(StatsKill, GameKilledAtItsStatisticsDialogKeepsItsEntry)
{
    const std::vector<ChildStep> steps = KillChild(
        [this](int out) {
            Stats().Load();
            if (!FinishGame(777))
                ::_exit(4);
            if (::write(out, "B G 777\nC\n", 10) != 10)
                ::_exit(3);
            ::pause();
        },
        "C\n", std::chrono::microseconds(0));
    ASSERT_EQ(steps.size(), 1u);
    ASSERT_TRUE(steps[0].confirmed);

    CStats restarted;
    ASSERT_TRUE(restarted.Load());
    const CPlayerStats* player = restarted.GetCurrentPlayer();
    ASSERT_EQ(player->GetGameCount(), 1u);
    EXPECT_EQ(player->GetGame(0)->GetPointsScored(), 777u);
    EXPECT_EQ(player->GetCareerTotals().GetPointsScored(), 777u);
    EXPECT_EQ(restarted.GetAllPlayersTotals().GetGamesFinished(), 1u);
}

TEST_F(StatsKill, KillsAtRandomMomentsOfTheSavesLoseNothingConfirmed)
{
    ASSERT_EQ(ThreadCount(), 1);
    std::mt19937 random(66);
    std::vector<uint32_t> keptGames;
    std::vector<uint32_t> profiles;
    uint32_t gamesInFlight = 0;
    int killsInSteps = 0;
    constexpr uint32_t kKills = 36;
    for (uint32_t child = 1; child <= kKills; ++child) {
        SCOPED_TRACE(testing::Message() << "child " << child);
        // Each kind of step in turn, killed within about its length (some 10 ms here) after it
        // began, or just after a suspend or a resume was confirmed, before the next save.
        const char* const targets[][2] = {{"B P", "15"}, {"B G", "15"}, {"B S", "15"},
                                          {"B S \\d+\nC\n", "3"}, {"B R", "15"}, {"B R \\d+\nC\n", "3"}};
        const auto& target = targets[child % std::size(targets)];
        const auto delay = std::chrono::microseconds(random() % (1000 * std::stoul(target[1])));
        const std::vector<ChildStep> steps =
            KillChild([this, child](int out) { RunChild(out, child); }, target[0], delay);
        ASSERT_FALSE(steps.empty());
        if (!steps.back().confirmed)
            ++killsInSteps;

        CStats loaded;
        ASSERT_TRUE(loaded.Load());
        EXPECT_FALSE(std::filesystem::exists(m_folder / "Stats.dat.bad"));
        // The snapshot of this child's profile (its points, or -1 for none): none, or the one of
        // the last confirmed suspend; the step in flight may or may not have reached the disk.
        std::vector<int64_t> allowed{-1};
        for (const ChildStep& step : steps) {
            if (step.op == 'P' && step.confirmed)
                profiles.push_back(step.value);
            if (step.op == 'G' && step.confirmed)
                keptGames.push_back(step.value);
            if (step.op == 'G' && !step.confirmed)
                ++gamesInFlight;
            if (step.op == 'S' || step.op == 'R') {
                const int64_t after = step.op == 'S' ? static_cast<int64_t>(step.value) : -1;
                allowed = step.confirmed ? std::vector<int64_t>{after} : std::vector<int64_t>{allowed.front(), after};
            }
        }
        for (uint32_t number : profiles)
            EXPECT_NE(FindProfile(loaded, number), nullptr) << "profile K" << number;
        for (uint32_t points : keptGames)
            EXPECT_TRUE(HasKeptGame(loaded, points)) << "game of " << points << " points";
        const uint32_t finished = loaded.GetAllPlayersTotals().GetGamesFinished();
        EXPECT_GE(finished, keptGames.size());
        EXPECT_LE(finished, keptGames.size() + gamesInFlight);
        if (const CPlayerStats* mine = steps[0].confirmed ? FindProfile(loaded, child) : nullptr) {
            const CSuspendedGameStats* kept = mine->GetSuspendedGame();
            const int64_t snapshot = kept ? static_cast<int64_t>(kept->GetPointsScored()) : -1;
            EXPECT_NE(std::find(allowed.begin(), allowed.end(), snapshot), allowed.end()) << "suspended game " << snapshot;
        }
    }
    // Most kills fell among the steps, not between them.
    EXPECT_GT(killsInSteps, static_cast<int>(kKills) / 2);
}

} // namespace
#endif
