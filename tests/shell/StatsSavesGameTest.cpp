// The game's statistics saves: a failed save is told once a run of failures over what its step
// opened (at the close by the system's box) and keeps the old file, as do statistics the read would
// refuse; a game killed during its saves loses nothing it told.
#include "GameFixture.h"
#include "StatsTestHelpers.h"
#include "foundation/ConfigFile.h"
#include "game/Playfield.h"
#include "objects/ArrayProperty.h"
#include "shell/MainMenuWindow.h"
#include "shell/PauseMenu.h"
#include "shell/dialogs/PlayerDialog.h"
#include "ui/JButton.h"
#include "ui/ScreenWindow.h"
#include "ui/UiKeys.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <span>
#include <sys/mman.h>
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
        Stats().SetLaunchesSinceVersionCheck(10); // no reminder over the menu
        BackToMenu();
    }
    void Run(int steps = 1)
    {
        for (int i = 0; i < steps; ++i)
            m_game->Update(kStep); // nothing here needs the picture
    }
    CScreenWindow* Screen() const { return m_game->GetScreenWindow(); }
    CStats& Stats() const { return *m_game->GetStats(); }
    std::string FrontCaption() const { return Screen()->GetFrontChild() ? Screen()->GetFrontChild()->GetText() : ""; }
    // The front window's message, unwrapped.
    std::string MessageText() const
    {
        CJWindow* w = Screen()->GetFrontChild()->GetFrontChild();
        while (w && !dynamic_cast<CJLabel*>(w))
            w = w->GetNextSibling();
        std::string text = w ? w->GetText() : "";
        std::replace(text.begin(), text.end(), '\n', ' ');
        return text;
    }
    void StartGame(uint32_t score)
    {
        CMainMenuWindow::CloseOpen();
        m_game->StartNewGame(1, 0);
        Run(2);
        m_game->SetScore(score);
    }
    bool FinishGame(uint32_t score)
    {
        StartGame(score);
        m_game->GetPlayfield()->EndGame(0);
        for (int step = 0; step < 10 && FrontCaption() != "Statistics"; ++step)
            Run();
        return FrontCaption() == "Statistics";
    }
    void Resume()
    {
        CMainMenuWindow::CloseOpen();
        m_game->ResumeGame();
    }
    // A new profile, or the one given.
    void SaveProfile(const std::string& name, CPlayerStats* profile = nullptr)
    {
        auto* editor = new CPlayerDialog(Screen(), "Player", &Stats(), profile);
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
        Run();
    }
};

TEST_F(StatsSaves, EachFailedSaveIsToldOnceOverWhatItsStepOpenedAndKeepsTheOldFile)
{
    const auto nothing = [] {};
    const auto suspend = [] { CPauseMenu::Open()->SuspendGame(); };
    const auto game = [this] { StartGame(321); };
    const auto profile = [this] { SaveProfile("Ann"); };
    const auto suspended = [this] {
        StartGame(321);
        m_game->GetPlayfield()->SuspendGame();
        BackToMenu();
    };
    const struct
    {
        const char* lost;
        std::function<void()> before; // with room on the disk
        std::function<void()> save;   // on a full disk
        const char* under;            // the window the notice stands over; null: the game then closes
    } cases[] = {
        {"Your finished game was not saved.", nothing, [this] { FinishGame(500); }, "Statistics"},
        {"The suspended game was not saved.", game, suspend, "Game Suspended"},
        {"The resumed game was not saved.", suspended, [this] { Resume(); }, ""},
        {"The new player profile was not saved.", nothing, profile, "Select Player"},
        // The suspend at the close fails, then the last save: one box.
        {"The suspended game was not saved.", game, [this] { m_game->OnClosing(); }, nullptr},
        // Failed in the last step, not shown yet.
        {"The new player profile was not saved.", nothing, profile, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lost << (c.under ? "" : " (closing)"));
        Restart();
        c.before();
        ASSERT_TRUE(Stats().Save());
        const std::string old = statstest::Read(m_folder, "Stats.dat");
        platform::GetHeadlessBackend().ClearMessageBoxes();
        {
            statstest::FileSizeLimit full(64);
            c.save();
            if (c.under) {
                Run();
            } else {
                delete m_game;
                m_game = nullptr;
            }
        }
        EXPECT_EQ(statstest::Read(m_folder, "Stats.dat"), old);
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
        Run();
        EXPECT_EQ(FrontCaption(), c.under);
    }
}

TEST_F(StatsSaves, FailureAfterASuccessfulSaveIsToldAgain)
{
    // Saves of a finished game (g) and of the player dialog (d); capitals fail on a full disk.
    const std::pair<std::string, int> cases[] = {{"GG", 1}, {"GdG", 2}, {"DgD", 2}};
    for (const auto& [steps, told] : cases) {
        SCOPED_TRACE(steps);
        Restart();
        int notices = 0;
        for (char step : steps) {
            {
                std::optional<statstest::FileSizeLimit> full;
                if (std::isupper(step))
                    full.emplace(64);
                std::tolower(step) == 'd' ? SaveProfile("Ann") : void(FinishGame(500));
            }
            for (Run(); FrontCaption() == "Statistics Not Saved"; Run(), ++notices)
                Screen()->OnKey(uikey::kEnter);
            BackToMenu();
        }
        EXPECT_EQ(notices, told);
    }
}

TEST_F(StatsSaves, StatisticsPastABoundOfTheReadAreRefusedAndTold)
{
    // Each on the first profile ("Other"), not the one the dialog saves.
    const std::function<void(CPlayerStats&)> pastBounds[] = {
        [this](CPlayerStats&) {
            while (Stats().GetPlayerCount() <= CStats::kMaxPlayers)
                Stats().AddPlayer(statstest::NewPlayer("P"));
        },
        [this](CPlayerStats& other) { // the bound is the whole file's
            for (uint32_t i = 0; i < CStats::kMaxArchivedGames; ++i)
                other.AppendGame(statstest::NewGame(i, 1));
            Stats().GetPlayer(1)->AppendGame(statstest::NewGame(1, 1));
        },
        [](CPlayerStats& other) {
            static_cast<const CArrayProperty*>(other.GetClassRecord()->FindProperty("Check Points Reached"))
                ->Resize(&other, CStats::kMaxCheckPointEntries + 1);
        },
        [](CPlayerStats& other) { other.SetName(std::string(CStats::kMaxFileBytes, 'n').c_str()); },
    };
    for (size_t i = 0; i < std::size(pastBounds); ++i) {
        SCOPED_TRACE(i);
        Restart();
        Stats().AddPlayer(statstest::NewPlayer("Other"));
        ASSERT_TRUE(Stats().Save());
        const std::string old = statstest::Read(m_folder, "Stats.dat");
        pastBounds[i](*Stats().GetPlayer(0));
        SaveProfile("Guest", Stats().GetPlayer(Stats().GetPlayerCount() - 1));
        Run();
        ASSERT_EQ(FrontCaption(), "Statistics Not Saved");
        EXPECT_EQ(MessageText(), "The changes to the player profile were not saved." + kTooLarge);
        EXPECT_EQ(statstest::Read(m_folder, "Stats.dat"), old);
        Stats().LoadFromBytes(nullptr, 0); // nothing this large for the game's close to save
    }
}

// A child forked at the main menu reads the file as a restart would, then makes its profile
// "K<child>" (P) and goes round a finished game (G), a suspended one (S), a finished one and the
// resume (R), every game ranking first; it tells each step as it begins and once it is saved.
struct ChildStep
{
    char op = 0;
    uint32_t value = 0;
    std::atomic<bool> saved{false};
};
struct Told
{
    std::atomic<uint32_t> count{0};
    ChildStep steps[5000];
};

class StatsKill : public StatsSaves
{
protected:
    ~StatsKill() override { ::munmap(m_told, sizeof(Told)); }
    [[noreturn]] void RunChild(uint32_t child)
    {
        Stats().Load();
        for (uint32_t i = 0, value = child * 100000; i < std::size(m_told->steps); ++i, value += 10) {
            ChildStep& step = m_told->steps[i];
            step.op = i == 0 ? 'P' : "GSGR"[(i - 1) % 4];
            step.value = step.op == 'P' ? child : value;
            ++m_told->count;
            if (step.op == 'P') {
                SaveProfile(testsupport::Numbered("K", child));
            } else if (step.op == 'G' && !FinishGame(value)) {
                ::_exit(4);
            } else if (step.op == 'S') {
                StartGame(value);
                CPauseMenu::Open()->SuspendGame();
            } else if (step.op == 'R') {
                Resume();
            }
            if (m_game->GetSaveFailureNotices().WasTold(Stats().GetFileName().CStr()))
                ::_exit(5);
            step.saved = true;
            BackToMenu();
        }
        ::_exit(0);
    }
    // Forks a child, waits until it has begun (or saved) a step of the kind and kills it after the delay.
    void KillChild(uint32_t child, char op, bool saved, std::chrono::microseconds delay)
    {
        new (m_told) Told;
        const pid_t pid = ::fork();
        if (pid == 0)
            RunChild(child);
        const auto reached = [&] {
            for (uint32_t i = 0; i < m_told->count; ++i)
                if (m_told->steps[i].op == op && (!saved || m_told->steps[i].saved))
                    return true;
            return false;
        };
        for (int wait = 0; wait < 200000 && !reached(); ++wait)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
        int status = 0;
        EXPECT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended by itself, status " << status;
    }
    // What the child tells, in memory it shares with the test.
    Told* const m_told = static_cast<Told*>(
        ::mmap(nullptr, sizeof(Told), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
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
    // just after it was saved: at the statistics dialog, before the next save.
    const std::pair<char, bool> targets[] = {{'P', false}, {'G', false}, {'G', true}, {'S', false},
                                             {'S', true},  {'R', false}, {'R', true}};
    std::mt19937 random(66);
    std::vector<uint32_t> profiles, keptGames, inFlight;
    for (uint32_t child = 1; child <= 35; ++child) {
        SCOPED_TRACE(testing::Message() << "child " << child);
        const auto [op, saved] = targets[child % std::size(targets)];
        KillChild(child, op, saved, std::chrono::microseconds(random() % (saved ? 3000 : 15000)));
        const std::span<const ChildStep> steps(m_told->steps, m_told->count);
        ASSERT_FALSE(steps.empty());
        // This child's suspended game (its points, -1 for none): the last saved one, or what the
        // step in flight made.
        std::vector<int64_t> allowed{-1};
        for (const ChildStep& step : steps) {
            if (step.op == 'P' && step.saved)
                profiles.push_back(step.value);
            if (step.op == 'G')
                (step.saved ? keptGames : inFlight).push_back(step.value);
            if (step.op == 'S' || step.op == 'R') {
                const int64_t made = step.op == 'S' ? static_cast<int64_t>(step.value) : -1;
                allowed = step.saved ? std::vector<int64_t>{made} : std::vector<int64_t>{allowed.front(), made};
            }
        }
        CStats loaded;
        ASSERT_TRUE(loaded.Load());
        EXPECT_FALSE(std::filesystem::exists(m_folder / "Stats.dat.bad"));
        const auto profile = [&loaded](uint32_t number) -> const CPlayerStats* {
            for (uint32_t i = 0; i < loaded.GetPlayerCount(); ++i)
                if (loaded.GetPlayer(i)->GetName() == CSharedString(testsupport::Numbered("K", number).c_str()))
                    return loaded.GetPlayer(i);
            return nullptr;
        };
        for (uint32_t number : profiles)
            EXPECT_NE(profile(number), nullptr) << "profile K" << number;
        std::vector<uint32_t> history;
        for (uint32_t i = 0; i < loaded.GetPlayerCount(); ++i)
            for (uint32_t g = 0; g < loaded.GetPlayer(i)->GetGameCount(); ++g)
                history.push_back(loaded.GetPlayer(i)->GetGame(g)->GetPointsScored());
        for (uint32_t points : keptGames)
            EXPECT_NE(std::find(history.begin(), history.end(), points), history.end()) << "game of " << points;
        const uint32_t finished = loaded.GetAllPlayersTotals().GetGamesFinished();
        EXPECT_GE(finished, keptGames.size());
        EXPECT_LE(finished, keptGames.size() + inFlight.size());
        if (const CPlayerStats* mine = steps[0].saved ? profile(child) : nullptr) {
            const CSuspendedGameStats* kept = mine->GetSuspendedGame();
            const int64_t points = kept ? static_cast<int64_t>(kept->GetPointsScored()) : -1;
            EXPECT_NE(std::find(allowed.begin(), allowed.end(), points), allowed.end()) << "suspended game " << points;
        }
    }
}

} // namespace
#endif
