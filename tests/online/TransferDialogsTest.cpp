// The wait dialog over a transfer the test steers, and the version-check window against a loopback
// server: success runs the completion once, every failure (a cancel, Escape, a server error, a
// body that is no module database) tells the player and closes, and row buttons open addresses.
#include "../foundation/FileTestHelpers.h"
#include "../ui/InputTestSupport.h"
#include "LoopbackHttpServer.h"
#include "foundation/VersionText.h"
#include "online/DownloadableModuleList.h"
#include "online/InternetTransfer.h"
#include "online/ModuleInfoCollection.h"
#include "online/VersionCheckWindow.h"
#include "online/WebSpinner.h"
#include "ui/Callback.h"
#include "ui/JButton.h"
#include "ui/WindowWatch.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

#include <algorithm>
#include <chrono>
#include <tuple>
#include <thread>

using namespace uitest;

namespace {

constexpr int kEscapeKey = 1;

// A transfer that runs until the test says it is over.
class SteeredTransfer : public CInternetTransfer
{
public:
    bool IsIdle() override
    {
        ++polls;
        return idle;
    }
    bool Succeeded() override { return succeeded; }
    void Cancel() override
    {
        ++cancels;
        idle = true;
        succeeded = false;
    }

    bool idle = false;
    bool succeeded = false;
    int polls = 0;
    int cancels = 0;
};

void CollectLabelsAt(CJWindow* window, std::vector<std::tuple<int32_t, int32_t, std::string>>& found)
{
    for (CJWindow* child = window->GetFrontChild(); child; child = child->GetNextSibling()) {
        if (dynamic_cast<CJLabel*>(child))
            found.emplace_back(child->GetRect().m_top, child->GetRect().m_left, child->GetText());
        CollectLabelsAt(child, found);
    }
}

// The texts of the labels in a window, in reading order (rows from the top, left to right).
void CollectLabels(CJWindow* window, std::vector<std::string>& texts)
{
    std::vector<std::tuple<int32_t, int32_t, std::string>> found;
    CollectLabelsAt(window, found);
    std::sort(found.begin(), found.end());
    for (const auto& entry : found)
        texts.push_back(std::get<2>(entry));
}

class TransferDialogTest : public ScreenInputTest
{
protected:
    // The message window on the screen and its text; null when none is open.
    CJMessageWindow* FindMessage(std::string* text = nullptr)
    {
        for (CJWindow* child = m_screen->GetFrontChild(); child; child = child->GetNextSibling())
            if (auto* box = dynamic_cast<CJMessageWindow*>(child)) {
                std::vector<std::string> texts;
                CollectLabels(box, texts);
                if (text)
                    *text = texts.empty() ? "" : texts.front();
                return box;
            }
        return nullptr;
    }
    void Click(CJWindow* window)
    {
        const CIntRect& r = window->GetScreenRect();
        const int x = (r.m_left + r.m_right) / 2, y = (r.m_top + r.m_bottom) / 2;
        Step({MoveTo(x, y)});
        Step({kPress});
        Step({kRelease});
    }
};

class WaitDialog : public TransferDialogTest
{
protected:
    CWebSpinner* OpenSpinner(const char* message = "Please wait")
    {
        auto* spinner = new CWebSpinner(message, new uitest::CountingAction(&m_runs), m_screen.get(), "Waiting", &m_transfer);
        m_screen->OpenModalWindow(spinner, kPlaceCentred);
        return spinner;
    }

    SteeredTransfer m_transfer;
    int m_runs = 0;
};

} // namespace

TEST_F(WaitDialog, EveryWayOfCancellingShowsTheFailureAndRunsNothing)
{
    for (const char* how : {"button", "escape"}) {
        SCOPED_TRACE(how);
        m_transfer.idle = m_transfer.succeeded = false;
        m_transfer.polls = m_transfer.cancels = 0;
        CWebSpinner* spinner = OpenSpinner();
        CWindowWatch watch(spinner);
        Step();
        Step();
        EXPECT_TRUE(watch.IsAlive());
        EXPECT_GE(m_transfer.polls, 2);
        if (std::string(how) == "button")
            Click(spinner->GetCancelButton());
        else
            Stroke(kEscapeKey, 27);
        EXPECT_EQ(m_transfer.cancels, 1);
        Step();
        EXPECT_FALSE(watch.IsAlive());
        std::string text;
        CJMessageWindow* box = FindMessage(&text);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(text, "Unable to Connect to Server");
        EXPECT_EQ(m_runs, 0);
        box->Close();
    }
}

TEST_F(WaitDialog, SuccessRunsTheActionOnceAndCloses)
{
    CWebSpinner* spinner = OpenSpinner();
    CWindowWatch watch(spinner);
    Step();
    EXPECT_EQ(m_runs, 0);
    m_transfer.idle = m_transfer.succeeded = true;
    Step();
    Step();
    EXPECT_FALSE(watch.IsAlive());
    EXPECT_EQ(m_runs, 1);
    EXPECT_EQ(FindMessage(), nullptr);
}

TEST_F(WaitDialog, LongMessagesAreCutAndTheDialogStaysInFront)
{
    const std::string message(501, 'x');
    CWebSpinner* spinner = OpenSpinner((message.substr(0, 499) + "yz").c_str());
    std::vector<std::string> texts;
    CollectLabels(spinner, texts);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], message.substr(0, 499) + "y");

    // A window opened over it later goes behind it at the next update.
    auto* other = new CJDialog(nullptr, "Other");
    m_screen->OpenModalWindow(other, kPlaceCentred);
    EXPECT_EQ(m_screen->GetModalWindow(), other);
    Step();
    EXPECT_EQ(m_screen->GetModalWindow(), spinner);
}

namespace {

std::string MakeDatabase(uint32_t gameBuild)
{
    CDownloadableModuleList list;
    list.SetPropertiesToDefaults();
    CModuleVersionInfo* game = list.AddModule();
    game->SetModuleName("TheGame");
    game->SetDownloadUrl("http://get.invalid/game.zip");
    game->GetModuleInfo().SetDisplayName("Vantorel");
    game->GetModuleInfo().SetBuildNumber(gameBuild);
    CModuleVersionInfo* tools = list.AddModule();
    tools->SetModuleName("LevelTools");
    tools->SetDownloadUrl("http://get.invalid/tools.zip");
    tools->GetModuleInfo().SetDisplayName("Level Tools");
    return list.WriteDatabase().CStr();
}

void Serve(testsupport::HttpExchange& x)
{
    if (x.path == "/newer.modDB")
        x.Send(testsupport::HttpAnswer(200, MakeDatabase(static_cast<uint32_t>(GetBuildNumber()) + 1)));
    else if (x.path == "/older.modDB")
        x.Send(testsupport::HttpAnswer(200, MakeDatabase(1)));
    else if (x.path == "/page.modDB")
        x.Send(testsupport::HttpAnswer(200, "<html><body>{ Sign in to the hotel network }</body></html>"));
    else if (x.path == "/stall.modDB")
        x.WaitForClose(20000);
    else
        x.Send(testsupport::HttpAnswer(404, "not here"));
}

class VersionCheck : public TransferDialogTest
{
protected:
    void SetUp() override
    {
        TransferDialogTest::SetUp();
        for (const auto& [name, text] : {std::pair{"TheGame", "Vantorel"}, std::pair{"BonusRounds", "Bonus Rounds"}}) {
            const std::filesystem::path path = m_folder / (std::string("Resources/") + name + ".modinfo");
            std::filesystem::create_directories(path.parent_path());
            testsupport::WriteFileBytes(path, std::string("CModuleInfo\r\n{\r\n\tModule Display Name=") + text +
                                                  "\r\n\tBuild Number=3\r\n}\r\n");
        }
        CModuleInfoCollection::GetInstance().SetUpAtStartUp();
        CModuleInfoCollection::GetInstance().StoreProgramVersion();
        m_oldUrl = g_versionCheckUrlText;
        CInternetTransfer::GetInstance().SetSilenceTimeout(2);
    }
    void TearDown() override
    {
        g_versionCheckUrlText.Assign(m_oldUrl);
        CModuleInfoCollection::GetInstance().FreeEntries();
        CInternetTransfer::GetInstance().Cancel();
        CInternetTransfer::GetInstance().SetSilenceTimeout(15);
        TransferDialogTest::TearDown();
    }

    // Opens the window with a fetch of the path and steps until the list is built, the window
    // has gone or a message shows.
    CVersionCheckWindow* Check(const char* path)
    {
        g_versionCheckUrlText.AssignText(m_server.Url(path).c_str());
        auto* window = new CVersionCheckWindow(m_screen.get(), true);
        m_screen->OpenModalWindow(window, kPlaceCentred);
        m_window.Watch(window);
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (m_window.IsAlive() && !window->IsBuilt() && !FindMessage() && std::chrono::steady_clock::now() < limit) {
            Step();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return m_window.IsAlive() ? window : nullptr;
    }

    filetest::WorkFolder m_folder;
    testsupport::LoopbackHttpServer m_server{Serve};
    CSharedString m_oldUrl;
    CWindowWatch m_window{nullptr};
};

} // namespace

TEST_F(VersionCheck, ANewerBuildOnTheServerOffersItsDownload)
{
    CVersionCheckWindow* window = Check("/newer.modDB");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->IsBuilt());
    Step();
    EXPECT_EQ(m_screen->GetModalWindow(), window);
    const std::vector<CModuleRow>& rows = window->GetRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].m_status, EModuleStatus::UpdateAvailable);
    EXPECT_STREQ(rows[0].m_version.CStr(), FormatVersionAndBuild().CStr());
    EXPECT_EQ(rows[1].m_status, EModuleStatus::AddOnAvailable);
    EXPECT_EQ(rows[2].m_status, EModuleStatus::PreInitialRelease);
    EXPECT_STREQ(rows[2].m_name.CStr(), "Bonus Rounds");

    std::vector<std::string> texts;
    CollectLabels(window->GetTable(), texts);
    EXPECT_EQ(texts, (std::vector<std::string>{"Name", "Version", "Status", "Vantorel", FormatVersionAndBuild().CStr(),
                                               "Level Tools", "", "Bonus Rounds", "1.0", "Pre-Initial Release"}));
    ASSERT_NE(window->GetRowButton(1), nullptr);
    EXPECT_STREQ(window->GetRowButton(1)->GetText(), "Add On Available");
    EXPECT_EQ(window->GetRowButton(2), nullptr);
    Click(window->GetRowButton(1));
    Click(window->GetRowButton(0));
    EXPECT_EQ(platform::GetHeadlessBackend().GetOpenedDocuments(),
              (std::vector<std::string>{"http://get.invalid/tools.zip", "http://get.invalid/game.zip"}));
    Click(window->GetCloseCommandButton());
    EXPECT_FALSE(m_window.IsAlive());
}

TEST_F(VersionCheck, AnOlderBuildOnTheServerIsCurrent)
{
    CVersionCheckWindow* window = Check("/older.modDB");
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->GetRows().size(), 3u);
    EXPECT_EQ(window->GetRows()[0].m_status, EModuleStatus::Current);
    EXPECT_EQ(window->GetRowButton(0), nullptr);
}

TEST_F(VersionCheck, FailuresTellThePlayerAndCloseTheWindow)
{
    const struct
    {
        const char* path;
        const char* message;
    } cases[] = {
        {"/missing.modDB", "Unable to Connect to Server"},
        {"/page.modDB", "Unable to obtain version information from Quorvane's Server.  Please try again later."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Check(c.path);
        for (int i = 0; i < 3; ++i)
            Step();
        std::string text;
        CJMessageWindow* box = FindMessage(&text);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(text, c.message);
        Click(box->GetOkButton());
        Step();
        Step();
        EXPECT_FALSE(m_window.IsAlive());
        EXPECT_EQ(m_screen->GetModalWindow(), nullptr);
    }
}

TEST_F(VersionCheck, EscapeEndsAWaitForASilentServer)
{
    g_versionCheckUrlText.AssignText(m_server.Url("/stall.modDB").c_str());
    auto* window = new CVersionCheckWindow(m_screen.get(), true);
    m_screen->OpenModalWindow(window, kPlaceCentred);
    m_window.Watch(window);
    for (int i = 0; i < 5; ++i)
        Step();
    EXPECT_TRUE(dynamic_cast<CWebSpinner*>(m_screen->GetModalWindow()) != nullptr);
    Stroke(kEscapeKey, 27);
    Step();
    std::string text;
    CJMessageWindow* box = FindMessage(&text);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(text, "Unable to Connect to Server");
    // A cancel is not retried (the one request may not even have reached the server).
    EXPECT_LE(m_server.RequestCount(), 1u);
    Stroke(kEscapeKey, 27);
    Step();
    EXPECT_FALSE(m_window.IsAlive());
}

TEST_F(VersionCheck, ClosingTheWindowDuringTheDownloadCancelsIt)
{
    g_versionCheckUrlText.AssignText(m_server.Url("/stall.modDB").c_str());
    auto* window = new CVersionCheckWindow(m_screen.get(), true);
    m_screen->OpenModalWindow(window, kPlaceCentred);
    for (int i = 0; i < 3; ++i)
        Step();
    CInternetTransfer& transfer = CInternetTransfer::GetInstance();
    EXPECT_FALSE(transfer.IsIdle());
    window->Close();
    EXPECT_TRUE(transfer.IsIdle());
    EXPECT_FALSE(transfer.Succeeded());
    // The wait dialog ends as after a cancel.
    Step();
    std::string text;
    EXPECT_NE(FindMessage(&text), nullptr);
    EXPECT_EQ(text, "Unable to Connect to Server");
}

TEST_F(VersionCheck, WithoutAFetchTheInstalledModulesAreListed)
{
    auto* window = new CVersionCheckWindow(m_screen.get(), false);
    m_screen->OpenModalWindow(window, kPlaceCentred);
    ASSERT_TRUE(window->IsBuilt());
    std::vector<std::string> texts;
    CollectLabels(window->GetTable(), texts);
    EXPECT_EQ(texts, (std::vector<std::string>{"Name", "Version", "", "Bonus Rounds", "1.0", "", "Vantorel",
                                               FormatVersionAndBuild().CStr(), ""}));
    EXPECT_EQ(m_server.RequestCount(), 0u);
}

TEST_F(VersionCheck, ManyRowsScrollWithinTheLimits)
{
    for (int i = 0; i < 40; ++i) {
        const std::string name = "Resources/Extra" + std::to_string(100 + i) + ".modinfo";
        std::filesystem::create_directories(std::filesystem::path(m_folder / name).parent_path());
        testsupport::WriteFileBytes(m_folder / name, "CModuleInfo\r\n{\r\n\tModule Display Name=" +
                                                         std::string(300, 'W') + "\r\n}\r\n");
    }
    CModuleInfoCollection::GetInstance().SetUpAtStartUp();
    auto* window = new CVersionCheckWindow(m_screen.get(), false);
    m_screen->OpenModalWindow(window, kPlaceCentred);
    CJWindow* table = window->GetTable();
    EXPECT_EQ(table->GetWidth(), CVersionCheckWindow::kMaxTableWidth + 15);
    EXPECT_EQ(table->GetHeight(), CVersionCheckWindow::kMaxTableHeight + 15);
    EXPECT_GT(table->GetContentWidth(), CVersionCheckWindow::kMaxTableWidth);
    EXPECT_GT(table->GetContentHeight(), CVersionCheckWindow::kMaxTableHeight);
}
