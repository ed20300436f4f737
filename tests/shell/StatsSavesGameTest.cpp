// The statistics saves of the running game. A save that fails is told once, over whatever its
// step opened (at the close through the system's box), naming what was not kept, the file and
// the reason, and the old file stays. A game killed (SIGKILL) at any moment of its saves loses
// nothing it had told the player was kept.
#include "GameFixture.h"
#include "StatsTestHelpers.h"
#include "foundation/ConfigFile.h"
#include "game/Playfield.h"
#include "shell/MainMenuWindow.h"
#include "shell/PauseMenu.h"
#include "shell/dialogs/PlayerDialog.h"
#include "ui/JButton.h"
#include "ui/ScreenWindow.h"
#include "ui/UiKeys.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <poll.h>
#include <random>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <thread>

#ifdef VANTOREL_DATA_DIR
namespace {

const std::string kTooLarge = "  The file \"Stats.dat\" could not be written: File too large.";

class StatsSaves : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        // A fork copies only the calling thread: the music's refill timer must not run.
        WriteConfigInt(g_configFile.GetPath(), "Options", "Use Threaded Stream", 0);
        Restart();
    }
    // A fresh game object, as a new run of the program makes it, at the main menu.
    void Restart()
    {
        delete m_game;
        m_game = new CGame(nullptr);
        m_game->MarkConstructed();
        m_game->Init(nullptr);
        m_game->GetStats()->SetLaunchesSinceVersionCheck(10); // no reminder over the menu
        BackToMenu();
    }
    // Update steps alone: nothing here needs the picture.
    void Run(int steps)
    {
        for (int i = 0; i < steps; ++i)
            m_game->Update(kStep);
    }
    CScreenWindow* Screen() const { return m_game->GetScreenWindow(); }
    CStats& Stats() const { return *m_game->GetStats(); }
    // The front window's caption (a dialog of the game may stand there without being modal).
    std::string FrontCaption() const { return Screen()->GetFrontChild() ? Screen()->GetFrontChild()->GetText() : ""; }
    std::string MessageText() const
    {
        for (CJWindow* w = Screen()->GetFrontChild()->GetFrontChild(); w; w = w->GetNextSibling())
            if (dynamic_cast<CJLabel*>(w)) {
                std::string text = w->GetText();
                std::replace(text.begin(), text.end(), '\n', ' '); // wrapped at the window's width
                return text;
            }
        return "";
    }
    void StartGame(uint32_t score)
    {
        CMainMenuWindow::CloseOpen();
        m_game->StartNewGame(1, 0);
        Run(2);
        m_game->SetScore(score);
    }
    // Ends the game and steps until the front window has the caption.
    bool FinishGameTo(uint32_t score, const char* caption)
    {
        StartGame(score);
        m_game->GetPlayfield()->EndGame(0);
        for (int step = 0; step < 10 && FrontCaption() != caption; ++step)
            Run(1);
        return FrontCaption() == caption;
    }
    void SaveProfile(CPlayerStats* existing, const std::string& name)
    {
        auto* editor = new CPlayerDialog(Screen(), "Player", &Stats(), existing);
        Screen()->OpenModalWindow(editor, kPlaceCentred);
        editor->GetNameField()->SetText(name.c_str());
        editor->GetSaveButton()->Activate();
    }
    void BackToMenu()
    {
        while (CJWindow* front = Screen()->GetFrontChild())
            delete front;
        m_game->ClearMode();
        m_game->GoToMainMenu();
        Run(1);
    }
};

TEST_F(StatsSaves, EachFailedSaveIsToldOnceOverWhatItsStepOpenedAndKeepsTheOldFile)
{
    struct Case
    {
        const char* lost;
        std::function<void()> before; // with room on the disk
        std::function<void()> save;   // on a full disk
        const char* under;            // the window the notice stands over; null: the game then closes
    };
    const Case cases[] = {
        {"Your finished game was not saved.", [] {}, [this] { FinishGameTo(500, "Statistics"); }, "Statistics"},
        {"The suspended game was not saved.", [this] { StartGame(321); }, [] { CPauseMenu::Open()->SuspendGame(); },
         "Game Suspended"},
        {"The resumed game was not saved.",
         [this] {
             StartGame(321);
             m_game->GetPlayfield()->SuspendGame();
             BackToMenu();
         },
         [this] {
             CMainMenuWindow::CloseOpen();
             m_game->ResumeGame();
         },
         ""},
        {"The new player profile was not saved.", [] {}, [this] { SaveProfile(nullptr, "Ann"); }, "Select Player"},
        // The suspend at the close fails, then the last save: one box.
        {"The suspended game was not saved.", [this] { StartGame(321); }, [this] { m_game->OnClosing(); }, nullptr},
        // Failed in the last step, not shown yet.
        {"The new player profile was not saved.", [] {}, [this] { SaveProfile(nullptr, "Ann"); }, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lost << (c.under ? "" : " (closing)"));
        Restart();
        c.before();
        ASSERT_TRUE(Stats().Save());
        const std::string old = testsupport::ReadFileBytes(m_folder / "Stats.dat");
        platform::GetHeadlessBackend().ClearMessageBoxes();
        {
            statstest::FileSizeLimit full(64);
            c.save();
            if (c.under) {
                Run(1);
            } else {
                delete m_game;
                m_game = nullptr;
            }
        }
        EXPECT_EQ(testsupport::ReadFileBytes(m_folder / "Stats.dat"), old);
        const auto boxes = platform::GetHeadlessBackend().GetMessageBoxes();
        if (!c.under) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].caption + ": " + boxes[0].text,
                      std::string("Statistics Not Saved: ") + c.lost + kTooLarge);
            continue;
        }
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(FrontCaption(), "Statistics Not Saved");
        EXPECT_EQ(MessageText(), c.lost + kTooLarge);
        Screen()->OnKey(uikey::kEnter);
        Run(1);
        EXPECT_EQ(FrontCaption(), c.under);
    }
}

// A child forked from the game at the main menu reads the file as a restart would, then forever
// makes its profile "K<child>" (P) and goes round a finished game (G), a suspended one (S), a
// finished one and the resume (R), its values growing so that every game ranks first and is
// kept. On the pipe it says "B <op> <value>" as a step begins and "C" once its save succeeded.
class StatsKill : public StatsSaves
{
protected:
    struct ChildStep
    {
        char op = 0;
        uint32_t value = 0;
        bool confirmed = false;
    };

    [[noreturn]] void RunChild(int out, uint32_t child)
    {
        Stats().Load();
        auto say = [out](const std::string& line) {
            if (::write(out, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
                ::_exit(3);
        };
        for (uint32_t i = 0, value = child * 100000; i < 5000; ++i, value += 10) {
            const char op = i == 0 ? 'P' : "GSGR"[(i - 1) % 4];
            say(std::string("B ") + op + " " + std::to_string(op == 'P' ? child : value) + "\n");
            if (op == 'P') {
                SaveProfile(nullptr, "K" + std::to_string(child));
            } else if (op == 'G' && !FinishGameTo(value, "Statistics")) {
                ::_exit(4);
            } else if (op == 'S') {
                StartGame(value);
                CPauseMenu::Open()->SuspendGame();
            } else if (op == 'R') {
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
    // Forks a child, waits until what it said matches the pattern, lets it run the delay and kills
    // it; answers the steps it told of.
    std::vector<ChildStep> KillChild(uint32_t child, const std::string& waitFor, std::chrono::microseconds delay)
    {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            RunChild(fds[1], child);
        }
        ::close(fds[1]);
        std::string told;
        char chunk[256];
        pollfd in{fds[0], POLLIN, 0};
        for (ssize_t n = 1; !std::regex_search(told, std::regex(waitFor)) && n > 0 && ::poll(&in, 1, 20000) == 1;)
            if ((n = ::read(fds[0], chunk, sizeof chunk)) > 0)
                told.append(chunk, static_cast<size_t>(n));
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
        int status = 0;
        EXPECT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended by itself, status " << status;
        for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;)
            told.append(chunk, static_cast<size_t>(n));
        ::close(fds[0]);
        std::vector<ChildStep> steps;
        std::istringstream words(told);
        for (std::string word; words >> word;) {
            if (word == "C" && !steps.empty())
                steps.back().confirmed = true;
            else if (word == "B")
                words >> steps.emplace_back().op >> steps.back().value;
        }
        return steps;
    }
    // The profile "K<number>"; null when there is none.
    static const CPlayerStats* FindProfile(const CStats& stats, uint32_t number)
    {
        for (uint32_t i = 0; i < stats.GetPlayerCount(); ++i)
            if (stats.GetPlayer(i)->GetName() == CSharedString(("K" + std::to_string(number)).c_str()))
                return stats.GetPlayer(i);
        return nullptr;
    }
};

TEST_F(StatsKill, KillsAtRandomMomentsOfTheSavesLoseNothingConfirmed)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("Threads:", 0) != 0) {
    }
    ASSERT_EQ(line, "Threads:\t1");
    ASSERT_TRUE(Stats().Save());
    // Each kind of step in turn, killed within about its length (some 10 ms) after it began, or
    // just after it was confirmed: at the statistics dialog, before the next save.
    const char* const targets[] = {"B P", "B G", "B G \\d+\nC\n", "B S", "B S \\d+\nC\n", "B R", "B R \\d+\nC\n"};
    std::mt19937 random(66);
    std::vector<uint32_t> profiles, keptGames, inFlight;
    for (uint32_t child = 1; child <= 35; ++child) {
        SCOPED_TRACE(testing::Message() << "child " << child);
        const std::string target = targets[child % std::size(targets)];
        const auto delay = std::chrono::microseconds(random() % (target.size() > 3 ? 3000 : 15000));
        const std::vector<ChildStep> steps = KillChild(child, target, delay);
        ASSERT_FALSE(steps.empty());
        // This child's suspended game (its points, -1 for none): the last confirmed one, or what
        // the step in flight made.
        std::vector<int64_t> allowed{-1};
        for (const ChildStep& step : steps) {
            if (step.op == 'P' && step.confirmed)
                profiles.push_back(step.value);
            if (step.op == 'G')
                (step.confirmed ? keptGames : inFlight).push_back(step.value);
            if (step.op == 'S' || step.op == 'R') {
                const int64_t made = step.op == 'S' ? static_cast<int64_t>(step.value) : -1;
                allowed = step.confirmed ? std::vector<int64_t>{made} : std::vector<int64_t>{allowed.front(), made};
            }
        }
        CStats loaded;
        ASSERT_TRUE(loaded.Load());
        EXPECT_FALSE(std::filesystem::exists(m_folder / "Stats.dat.bad"));
        for (uint32_t number : profiles)
            EXPECT_NE(FindProfile(loaded, number), nullptr) << "profile K" << number;
        std::vector<uint32_t> history;
        for (uint32_t i = 0; i < loaded.GetPlayerCount(); ++i)
            for (uint32_t g = 0; g < loaded.GetPlayer(i)->GetGameCount(); ++g)
                history.push_back(loaded.GetPlayer(i)->GetGame(g)->GetPointsScored());
        for (uint32_t points : keptGames)
            EXPECT_NE(std::find(history.begin(), history.end(), points), history.end()) << "game of " << points;
        const uint32_t finished = loaded.GetAllPlayersTotals().GetGamesFinished();
        EXPECT_GE(finished, keptGames.size());
        EXPECT_LE(finished, keptGames.size() + inFlight.size());
        if (const CPlayerStats* mine = steps[0].confirmed ? FindProfile(loaded, child) : nullptr) {
            const CSuspendedGameStats* kept = mine->GetSuspendedGame();
            const int64_t points = kept ? static_cast<int64_t>(kept->GetPointsScored()) : -1;
            EXPECT_NE(std::find(allowed.begin(), allowed.end(), points), allowed.end()) << "suspended game " << points;
        }
    }
}

} // namespace
#endif
