// The connection question: the standing answer in the configuration file, the answer kept for the
// rest of the run and asked again after a lost connection, the toggle written at once, help mode
// and "Back", and the message that closes the dialog when the transfer library is missing.
#include "../foundation/FileTestHelpers.h"
#include "../ui/InputTestSupport.h"
#include "LoopbackHttpServer.h"
#include "foundation/ConfigFile.h"
#include "foundation/LocalizedString.h"
#include "online/ModuleInfoCollection.h"
#include "online/VersionCheckWindow.h"
#include "online/InternetConnectionState.h"
#include "platform/Http.h"
#include "platform/Window.h"
#include "shell/dialogs/InternetConnectionDialog.h"
#include "shell/dialogs/InternetConnectionPanel.h"
#include "ui/Callback.h"
#include "ui/JButton.h"
#include "ui/JToggleButton.h"
#include "ui/WindowWatch.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

#include <chrono>
#include <string>
#include <thread>

using namespace uitest;

namespace {

constexpr const char* kMessage = "You need to be connected to the Internet to check for Vantorel updates.";

class ConnectionDialog : public ScreenInputTest
{
protected:
    void SetUp() override
    {
        ScreenInputTest::SetUp();
        ResetInternetConnectionState();
    }
    void TearDown() override
    {
        platform::SetHttpLibraryName(nullptr);
        ResetInternetConnectionState();
        ScreenInputTest::TearDown();
    }

    CInternetConnectionDialog* Open(bool withAction = true)
    {
        auto* dialog = new CInternetConnectionDialog(nullptr, "Connect to the Internet", kMessage,
                                                     withAction ? new uitest::CountingAction(&m_runs) : nullptr);
        m_screen->OpenModalWindow(dialog, kPlaceCentred);
        m_dialog.Watch(dialog);
        return dialog;
    }
    int ReadAlways() { return ReadConfigInt(g_configFile.GetPath(), "Options", "Always Connected", -1); }
    void Click(CJWindow* window)
    {
        const CIntRect& r = window->GetScreenRect();
        Step({MoveTo((r.m_left + r.m_right) / 2, (r.m_top + r.m_bottom) / 2)});
        Step({kPress});
        Step({kRelease});
    }

    filetest::WorkFolder m_folder;
    CWindowWatch m_dialog{nullptr};
    int m_runs = 0;
};

} // namespace

TEST_F(ConnectionDialog, AStandingAnswerRunsTheActionAtTheFirstUpdate)
{
    WriteConfigInt(g_configFile.GetPath(), "Options", "Always Connected", 1);
    CInternetConnectionPanel* panel = Open()->GetPanel();
    EXPECT_TRUE(panel->GetAlwaysConnectedToggle()->IsChecked());
    EXPECT_EQ(m_runs, 0);
    Step();
    EXPECT_EQ(m_runs, 1);
    EXPECT_TRUE(panel->IsFinished());
    EXPECT_FALSE(panel->GetConnectedButton()->IsEnabled());
    Step();
    EXPECT_EQ(m_runs, 1);
    EXPECT_FALSE(panel->GetConnectedButton()->IsEnabled());
}

TEST_F(ConnectionDialog, TheAnswerHoldsForTheRunUntilAConnectionIsLost)
{
    CInternetConnectionPanel* panel = Open()->GetPanel();
    EXPECT_FALSE(panel->GetAlwaysConnectedToggle()->IsChecked());
    Step();
    Step();
    EXPECT_EQ(m_runs, 0);
    ASSERT_TRUE(panel->GetConnectedButton()->IsEnabled());
    Click(panel->GetConnectedButton());
    EXPECT_EQ(m_runs, 1);
    EXPECT_TRUE(IsInternetConnected());
    m_dialog.Get()->Close();

    // A second question in the run answers itself.
    panel = Open()->GetPanel();
    Step();
    EXPECT_EQ(m_runs, 2);

    // A transfer that failed makes the open panel ask again.
    SetInternetConnectionLost();
    Step();
    EXPECT_FALSE(panel->IsFinished());
    EXPECT_TRUE(panel->GetConnectedButton()->IsEnabled());
    EXPECT_TRUE(panel->GetHelpButton()->IsEnabled());
    EXPECT_FALSE(IsInternetConnectionLost());
    Step();
    EXPECT_EQ(m_runs, 2);
    // The standing answer was never given.
    EXPECT_EQ(ReadAlways(), -1);
}

TEST_F(ConnectionDialog, TheToggleWritesTheStandingAnswerAtOnce)
{
    CInternetConnectionPanel* panel = Open()->GetPanel();
    Step();
    Click(panel->GetAlwaysConnectedToggle());
    EXPECT_EQ(ReadAlways(), 1);
    EXPECT_EQ(m_runs, 0);
    Click(panel->GetAlwaysConnectedToggle());
    EXPECT_EQ(ReadAlways(), 0);
    EXPECT_EQ(m_runs, 0);
}

TEST_F(ConnectionDialog, BackLeavesHelpFirstThenClosesWithoutTheAction)
{
    CInternetConnectionPanel* panel = Open()->GetPanel();
    Step();
    const std::string question = panel->GetLabel()->GetText();
    EXPECT_EQ(question, kMessage);
    EXPECT_FALSE(panel->GetDialButton()->IsVisible());

    Click(panel->GetHelpButton());
    EXPECT_TRUE(panel->IsInHelpMode());
    EXPECT_NE(std::string(panel->GetLabel()->GetText()).find("Pressing the Dial button below"), std::string::npos);
    EXPECT_STREQ(panel->GetConnectedButton()->GetText(), "I'm Connected");
    EXPECT_FALSE(panel->GetHelpButton()->IsVisible());
    EXPECT_TRUE(panel->GetDialButton()->IsVisible() && panel->GetDialButton()->IsEnabled());

    // Dialling cannot work here: the connection counts as lost, and the panel keeps asking.
    Click(panel->GetDialButton());
    Step();
    EXPECT_FALSE(panel->IsFinished());

    Click(panel->GetBackButton());
    EXPECT_TRUE(m_dialog.IsAlive());
    EXPECT_FALSE(panel->IsInHelpMode());
    EXPECT_EQ(std::string(panel->GetLabel()->GetText()), question);
    EXPECT_STREQ(panel->GetConnectedButton()->GetText(), "I'm Already Connected");
    EXPECT_TRUE(panel->GetHelpButton()->IsVisible());
    EXPECT_FALSE(panel->GetDialButton()->IsVisible());

    Click(panel->GetBackButton());
    Step();
    EXPECT_FALSE(m_dialog.IsAlive());
    EXPECT_EQ(m_runs, 0);
}

TEST_F(ConnectionDialog, EnterAnswersAndEscapeGoesBack)
{
    Open();
    Step();
    Stroke(28, 13);
    EXPECT_EQ(m_runs, 1);
    m_dialog.Get()->Close();
    ResetInternetConnectionState();
    Open();
    Step();
    Stroke(1, 27);
    Step();
    EXPECT_FALSE(m_dialog.IsAlive());
    EXPECT_EQ(m_runs, 1);
}

TEST_F(ConnectionDialog, NoActionKeepsTheAnswerDisabled)
{
    CInternetConnectionDialog* dialog = Open(false);
    Step();
    EXPECT_FALSE(dialog->GetPanel()->GetConnectedButton()->IsEnabled());
    dialog->GetPanel()->SetAction(new uitest::CountingAction(&m_runs));
    Step();
    EXPECT_TRUE(dialog->GetPanel()->GetConnectedButton()->IsEnabled());
}

TEST_F(ConnectionDialog, WithoutTheTransferLibraryTheMessageShowsThenTheDialogCloses)
{
    platform::SetHttpLibraryName("/nonexistent/libcurl.so.4");
    WriteConfigInt(g_configFile.GetPath(), "Options", "Always Connected", 1);
    CInternetConnectionPanel* panel = Open()->GetPanel();
    auto* box = dynamic_cast<CJMessageWindow*>(panel->GetBlockingMessage());
    ASSERT_NE(box, nullptr);
    EXPECT_STREQ(box->GetText(), "Operation Not Supported");
    EXPECT_FALSE(panel->GetConnectedButton()->IsEnabled());
    Step();
    Step();
    EXPECT_TRUE(m_dialog.IsAlive());
    EXPECT_EQ(m_runs, 0);
    Click(box->GetOkButton());
    Step();
    Step();
    EXPECT_FALSE(m_dialog.IsAlive());
    EXPECT_EQ(m_runs, 0);
}

TEST_F(ConnectionDialog, TheMinimiseButtonSitsInTheCaptionAndMinimisesTheGame)
{
    ASSERT_TRUE(platform::CreateMainWindow("Vantorel"));
    CInternetConnectionDialog* dialog = Open();
    Step();
    CJButton* minimise = nullptr;
    for (CJWindow* child = dialog->GetFrontChild(); child; child = child->GetNextSibling())
        if (auto* button = dynamic_cast<CJButton*>(child); button && button != dialog->GetCloseButton())
            minimise = button;
    ASSERT_NE(minimise, nullptr);
    EXPECT_STREQ(minimise->GetToolTip(), "Minimize Vantorel");
    EXPECT_LT(minimise->GetRect().m_top, dialog->GetCaptionHeight());
    EXPECT_FALSE(platform::GetHeadlessBackend().IsMinimized());
    Click(minimise);
    EXPECT_TRUE(platform::GetHeadlessBackend().IsMinimized());
    EXPECT_EQ(m_runs, 0);
    EXPECT_TRUE(m_dialog.IsAlive());
}

namespace {

std::string ServedDatabase()
{
    // The game a build behind the server's and an add-on that is not installed; the installed
    // add-on is unknown to the server.
    return "CDownloadableModuleList\r\n{\r\n\tVersion Info=Array\r\n\t{\r\n\t\tArray Count=2\r\n"
           "\t\tArray Item=CModuleVersionInfo\r\n\t\t{\r\n\t\t\tModule Name=thegame\r\n"
           "\t\t\tDownload URL=http://get.invalid/game.zip\r\n\t\t\tModule Info=CModuleInfo\r\n\t\t\t{\r\n"
           "\t\t\t\tModule Display Name=Vantorel\r\n\t\t\t\tBuild Number=5\r\n\t\t\t}\r\n\t\t}\r\n"
           "\t\tArray Item=CModuleVersionInfo\r\n\t\t{\r\n\t\t\tModule Name=Tools\r\n"
           "\t\t\tDownload URL=http://get.invalid/tools.zip\r\n\t\t\tModule Info=CModuleInfo\r\n\t\t\t{\r\n"
           "\t\t\t\tModule Display Name=Level Tools\r\n\t\t\t}\r\n\t\t}\r\n\t}\r\n}\r\n";
}

} // namespace

// The road the menus take: a standing answer, the address from "Local.txt", the wait, the rows.
TEST_F(ConnectionDialog, TheStandingAnswerLeadsToTheModuleList)
{
    testsupport::LoopbackHttpServer server([](testsupport::HttpExchange& x) {
        x.Send(testsupport::HttpAnswer(200, ServedDatabase()));
    });
    for (const auto& [name, build] : {std::pair{"TheGame", 3}, std::pair{"Extra", 1}}) {
        std::filesystem::create_directories(m_folder / std::string("Resources"));
        testsupport::WriteFileBytes(m_folder / (std::string("Resources/") + name + ".modinfo"),
                                    std::string("CModuleInfo\r\n{\r\n\tBuild Number=") + std::to_string(build) +
                                        "\r\n}\r\n");
    }
    CModuleInfoCollection::GetInstance().SetUpAtStartUp();
    testsupport::WriteFileBytes(m_folder / "Local.txt", std::string("ENGLISH: ") + g_versionCheckUrlText.GetEnglishText() +
                                                            "[END] (Version Check Url)\r\nLOCALIZED: " +
                                                            server.Url("/VantorelModules.modDB") + "[END]\r\n");
    ASSERT_TRUE(CLocalizationTable::GetInstance().Load("Local.txt"));
    WriteConfigInt(g_configFile.GetPath(), "Options", "Always Connected", 1);

    auto* dialog = new CInternetConnectionDialog(nullptr, "Connect to the Internet", kMessage, nullptr);
    dialog->GetPanel()->SetAction(CreateVersionCheckCommand(true, dialog));
    m_screen->OpenModalWindow(dialog, kPlaceCentred);
    m_dialog.Watch(dialog);
    CVersionCheckWindow* window = nullptr;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!window && std::chrono::steady_clock::now() < limit) {
        Step();
        window = dynamic_cast<CVersionCheckWindow*>(m_screen->GetModalWindow());
        if (window && !window->IsBuilt())
            window = nullptr;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(m_dialog.IsAlive());
    std::vector<EModuleStatus> statuses;
    for (const CModuleRow& row : window->GetRows())
        statuses.push_back(row.m_status);
    EXPECT_EQ(statuses, (std::vector<EModuleStatus>{EModuleStatus::UpdateAvailable, EModuleStatus::AddOnAvailable,
                                                   EModuleStatus::PreInitialRelease}));
    Click(window->GetRowButton(0));
    EXPECT_EQ(platform::GetHeadlessBackend().GetOpenedDocuments(), std::vector<std::string>{"http://get.invalid/game.zip"});
    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(server.Requests()[0].path, "/VantorelModules.modDB");

    CLocalizationTable::GetInstance().RemoveAllPairs();
    g_versionCheckUrlText.AssignText(g_versionCheckUrlText.GetEnglishText());
    CModuleInfoCollection::GetInstance().FreeEntries();
}
