#include "shell/MainMenuWindow.h"

#include "foundation/Win32Services.h"
#include "shell/Game.h"
#include "shell/dialogs/CreditsDialog.h"
#include "shell/dialogs/SelectPlayerDialog.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "shell/HotSpotButton.h"
#include "shell/MenuButton.h"
#include "shell/OptionsMenu.h"
#include "shell/UpdateCheck.h"
#include "shell/stats/Stats.h"
#include "ui/Callback.h"
#include "ui/JAnimator.h"
#include "ui/controls/JMessageWindow.h"

#include <algorithm>

namespace {

constexpr int32_t kFirstButtonX = 357;
constexpr int32_t kFirstButtonY = 27;
constexpr int32_t kSlideDistance = 240;
constexpr int32_t kSlideStagger = 100;
constexpr int32_t kCreditsX = 305;
constexpr int32_t kCreditsY = 348;
constexpr int32_t kCreditsWidth = 325;
constexpr int32_t kCreditsHeight = 85;
constexpr int kPlay = 0;
constexpr int kStatistics = 1;
constexpr int kOptions = 2;
constexpr int kExit = 3;

constexpr const char* kButtonTexts[CMainMenuWindow::kButtonCount] = {"&Play Game", "&Statistics", "&Options",
                                                                     "E&xit Game"};

CMainMenuWindow* s_open = nullptr;

// The reminder's "Check for Updates": the connection question over the menu, then the version check.
class CCheckForUpdates : public CCallback
{
public:
    explicit CCheckForUpdates(CJWindow* screen) : m_screen(screen) {}
    void Invoke() override { StartUpdateCheck(CMainMenuWindow::GetOpen(), m_screen); }

private:
    CJWindow* m_screen;
};

} // namespace

CMainMenuWindow::CMainMenuWindow() : CJDialog(nullptr, "")
{
    SetRectXYWH(0, 0, kWidth, kHeight);
    // The menu is the screen: its buttons never make it larger.
    for (int i = 0; i < kButtonCount; ++i) {
        m_buttons[i] = new CMenuButton(this, kButtonTexts[i]);
        if (i == 0)
            AddChild(m_buttons[i], kPlaceTopLeftSpaced, nullptr, kFirstButtonX, kFirstButtonY,
                     kPlacePixelOffsets | kPlaceNoGrow);
        else
            AddChild(m_buttons[i], kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    }
    for (int i = 0; i < kButtonCount; ++i) {
        auto* animator = new CJAnimator;
        m_buttons[i]->AddChild(animator, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        animator->SlideFrom(kSlideDistance + kSlideStagger * i, 0);
    }
    int32_t width = 0;
    for (CMenuButton* button : m_buttons)
        width = std::max(width, button->GetWidth());
    for (CMenuButton* button : m_buttons)
        button->SetSize(width, button->GetHeight());
    m_credits = new CHotSpotButton(this, kCreditsWidth, kCreditsHeight);
    AddChild(m_credits, kPlaceTopLeftSpaced, nullptr, kCreditsX, kCreditsY, kPlacePixelOffsets | kPlaceNoGrow);
    ActivateChild(m_buttons[kPlay]);
    m_defaultButton = m_buttons[kPlay];
    s_open = this;
}

CMainMenuWindow::~CMainMenuWindow()
{
    if (s_open == this)
        s_open = nullptr;
}

CJButton* CMainMenuWindow::GetPlayButton() const
{
    return m_buttons[kPlay];
}

CJButton* CMainMenuWindow::GetExitButton() const
{
    return m_buttons[kExit];
}

bool CMainMenuWindow::OpenReminderWhenDue(CStats& stats, CJWindow* openIn)
{
    if (stats.GetLaunchesSinceVersionCheck() != 0 || !openIn)
        return false;
    stats.SetLaunchesSinceVersionCheck(kLaunchesBetweenReminders);
    const CSharedString later("Maybe Later");
    auto* reminder = new CJMessageWindow(
        openIn, CSharedString("Check for updates reminder"),
        CSharedString("Would you like to check the Vantorel web site for product updates and add-ons?"), openIn,
        &later, nullptr);
    reminder->AddButton(CSharedString("Check for Updates"), new CCheckForUpdates(openIn));
    return true;
}

void CMainMenuWindow::Update(float seconds)
{
    if (m_rebuildRequested) {
        ReplaceWithNow(new CMainMenuWindow, false);
        return;
    }
    if (HasFocus())
        if (CStats* stats = GetStats())
            OpenReminderWhenDue(*stats, GetParent());
    CJDialog::Update(seconds);
}

void CMainMenuWindow::Draw(COffsetClippedProxyFrame* frame)
{
    CJWindow::Draw(frame);
}

void CMainMenuWindow::OnCommand(CJWindow* sender, int32_t code)
{
    if (code != kCommandClicked || !sender) {
        CJDialog::OnCommand(sender, code);
        return;
    }
    if (sender == m_buttons[kPlay]) {
        OpenSubDialog(new CSelectPlayerDialog(GetParent()), true);
    } else if (sender == m_buttons[kStatistics]) {
        OpenSubDialog(new CStatisticsDialog(GetParent(), CStatisticsDialog::kFromMenu, nullptr, nullptr, GetStats()),
                      true);
    } else if (sender == m_credits) {
        OpenSubDialog(new CCreditsDialog(GetParent(), CCreditsDialog::kFileName), true);
    } else if (sender == m_buttons[kOptions]) {
        OpenSubDialog(new COptionsMenu(GetParent()), true);
    } else if (sender == m_buttons[kExit]) {
        CJDialog::Close();
        CloseMainWindow();
    }
}

void CMainMenuWindow::CloseOpen()
{
    // A menu under a dialog (statistics, options, player selection) belongs to that dialog until
    // it comes back.
    if (s_open && s_open->GetParent())
        s_open->CJDialog::Close();
}

CMainMenuWindow* CMainMenuWindow::GetOpen()
{
    return s_open;
}

void CMainMenuWindow::RequestRebuild()
{
    if (s_open)
        s_open->m_rebuildRequested = true;
}
