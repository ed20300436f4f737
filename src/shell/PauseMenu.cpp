#include "shell/PauseMenu.h"

#include "foundation/LocalizedString.h"
#include "game/Playfield.h"
#include "game/ship/MessageDisplay.h"
#include "shell/Game.h"
#include "shell/MenuButtons.h"
#include "shell/OptionsMenu.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "ui/Callback.h"
#include "ui/JButton.h"
#include "ui/ScreenWindow.h"
#include "ui/controls/JMessageWindow.h"

namespace {

const CLocalizedString g_timeout("Timeout");
const CLocalizedString g_clickToContinue("Click to continue");
const CLocalizedString g_continuePlaying("&Continue Playing");
const CLocalizedString g_endCaption("End Game Confirmation");
const CLocalizedString g_endText("Do you really want to end the game in progress?");
const CLocalizedString g_endButton("&End Game");
const CLocalizedString g_suspendCaption("Suspend Game Confirmation");
const CLocalizedString g_suspendText(
    "This option will stop the game in progress and allow you to continue playing it at a later time.  When you "
    "continue later, you will have to re-start from the beginning of this round but your score and Ion Spheres will "
    "be preserved.");
const CLocalizedString g_suspendButton("&Suspend Game");
const CLocalizedString g_suspendedCaption("Game Suspended");
const CLocalizedString g_suspendedText(
    "Your game has been suspended.  Use the \"Play Game\" option to resume it at any time.");

constexpr int32_t kMessageLine = 1;
constexpr int32_t kSmallLine = 0;
// The playfield's game over without delay.
constexpr int32_t kEndAtOnce = 0;

// A confirmation's second button: runs one of the menu's operations.
class CPauseMenuAction : public CCallback
{
public:
    CPauseMenuAction(CPauseMenu* menu, void (CPauseMenu::*operation)()) : m_menu(menu), m_operation(operation) {}
    void Invoke() override { (m_menu->*m_operation)(); }

private:
    CPauseMenu* m_menu;
    void (CPauseMenu::*m_operation)();
};

void Confirm(CPauseMenu* menu, const CLocalizedString& caption, const CLocalizedString& text,
             const CLocalizedString& button, void (CPauseMenu::*operation)())
{
    CGame* game = GetGame();
    CScreenWindow* screen = game ? game->GetScreenWindow() : nullptr;
    if (!screen)
        return;
    const CSharedString ok(g_continuePlaying.CStr());
    auto* confirmation = new CJMessageWindow(screen, CSharedString(caption.CStr()), CSharedString(text.CStr()), screen,
                                             &ok, nullptr);
    confirmation->AddButton(CSharedString(button.CStr()), new CPauseMenuAction(menu, operation));
}

} // namespace

CPauseMenu::CPauseMenu(CJWindow* parent) : CJDialog(parent, "Pause")
{
    AddCloseButton();
    if (CGame* game = GetGame())
        if (CMessageDisplay* display = game->GetMessageDisplay()) {
            display->Show(g_timeout.CStr(), kMessageLine, 0.0f, true);
            display->AddLines(g_clickToContinue.CStr(), kSmallLine);
        }
    m_options = AddColumnButton(this, "&Options", true);
    m_statistics = AddColumnButton(this, "&Statistics", false);
    m_abort = AddColumnButton(this, "&Abort Game", false);
    m_suspend = AddColumnButton(this, "  &Suspend Game  ", false);
    MatchButtonWidths(this, {m_options, m_statistics, m_abort, m_suspend});
    m_continue = AddClosingButton(this, "&Continue");
}

CPauseMenu::~CPauseMenu()
{
    if (CGame* game = GetGame())
        if (CMessageDisplay* display = game->GetMessageDisplay())
            display->Clear();
}

CPauseMenu* CPauseMenu::Open()
{
    CGame* game = GetGame();
    CScreenWindow* screen = game ? game->GetScreenWindow() : nullptr;
    if (!screen)
        return nullptr;
    auto* menu = new CPauseMenu(screen);
    screen->OpenModalWindow(menu, kPlaceCentred);
    return menu;
}

void CPauseMenu::OnCommand(CJWindow* sender, int32_t code)
{
    if (code != kCommandClicked || !sender) {
        CJDialog::OnCommand(sender, code);
        return;
    }
    if (sender == m_options) {
        OpenSubDialog(new COptionsMenu(GetParent()), true);
    } else if (sender == m_statistics) {
        OpenSubDialog(new CStatisticsDialog(GetParent(), CStatisticsDialog::kFromMenu, nullptr, nullptr, GetStats()),
                      true);
    } else if (sender == m_abort) {
        CGame* game = GetGame();
        if (game && game->GetScore() == 0)
            EndGame();
        else
            Confirm(this, g_endCaption, g_endText, g_endButton, &CPauseMenu::EndGame);
    } else if (sender == m_suspend) {
        Confirm(this, g_suspendCaption, g_suspendText, g_suspendButton, &CPauseMenu::SuspendGame);
    } else if (sender == m_continue) {
        Close();
    }
}

void CPauseMenu::EndGame()
{
    CGame* game = GetGame();
    Close();
    if (game)
        game->GetPlayfield()->EndGame(kEndAtOnce);
}

void CPauseMenu::SuspendGame()
{
    CGame* game = GetGame();
    if (game)
        game->GetPlayfield()->SuspendGame();
    Close();
    if (!game)
        return;
    game->GoToMainMenu();
    if (CScreenWindow* screen = game->GetScreenWindow())
        screen->ShowMessageText(g_suspendedCaption.CStr(), g_suspendedText.CStr());
}
