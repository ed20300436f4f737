#include "shell/OptionsMenu.h"

#include "foundation/LocalizedString.h"
#include "foundation/VersionText.h"
#include "foundation/Win32Services.h"
#include "online/VersionCheckWindow.h"
#include "platform/Files.h"
#include "shell/Game.h"
#include "shell/MenuButtons.h"
#include "shell/UpdateCheck.h"
#include "shell/DemoRequest.h"
#include "shell/dialogs/CreditsDialog.h"
#include "shell/dialogs/BackgroundOptionsDialog.h"
#include "shell/dialogs/ControlsDialog.h"
#include "shell/dialogs/SoundOptionsDialog.h"
#include "shell/stats/Stats.h"
#include "ui/JButton.h"

#include <filesystem>
#include <string>

namespace {

const CLocalizedString g_helpCaption("Help");
const CLocalizedString g_helpNotOpened(
    "No program on this computer could be started to show the help page.  You can open it in a web browser "
    "yourself; it is the file:");

std::string HelpPath()
{
    const std::filesystem::path program = platform::GetExecutablePath();
    return (program.parent_path() / COptionsMenu::kHelpFile).string();
}

} // namespace

void COptionsMenu::ShowHelp()
{
    const std::string page = HelpPath();
    if (ShellOpen(page.c_str()))
        return;
    // Nothing opens web pages here: the player learns where the page lies.
    CSharedString text;
    text.Format("%s\n\n%s", g_helpNotOpened.CStr(), page.c_str());
    if (CJWindow* screen = GetScreenWindow())
        screen->ShowMessageText(g_helpCaption.CStr(), text.CStr());
}

COptionsMenu::COptionsMenu(CJWindow* parent) : CJDialog(parent, "Options")
{
    CGame* game = GetGame();
    m_sound = AddColumnButton(this, "Configure &Sound", true);
    m_video = AddColumnButton(this, "Configure &Video", false);
    m_controls = AddColumnButton(this, "Configure &Controls", false);
    m_help = AddColumnButton(this, "&Help", false);
    if (!game || !game->IsPlaying())
        m_demo = AddColumnButton(this, "Sho&w Demo", false);
    m_updates = AddColumnButton(this, "Check Web For &Updates", false);
    m_credits = AddColumnButton(this, "&Credits", false);
    CSharedString product;
    GetProductName(product);
    m_about = AddColumnButton(this, (std::string("&About ") + product.CStr()).c_str(), false);
    MatchButtonWidths(this, {m_sound, m_video, m_controls, m_help, m_demo, m_updates, m_credits, m_about});
    m_done = AddClosingButton(this, "&Done");
}

void COptionsMenu::OnCommand(CJWindow* sender, int32_t code)
{
    if (code != kCommandClicked || !sender) {
        CJDialog::OnCommand(sender, code);
        return;
    }
    if (sender == m_sound) {
        OpenSubDialog(new CSoundOptionsDialog(GetParent()), true);
    } else if (sender == m_video) {
        OpenSubDialog(new CBackgroundOptionsDialog(GetParent()), true);
    } else if (sender == m_controls) {
        CGame* game = GetGame();
        if (game)
            OpenSubDialog(new CControlsDialog(GetParent(), game->GetPlayerControls(0)), true);
    } else if (sender == m_help) {
        ShowHelp();
    } else if (sender == m_demo) {
        Close();
        ShowDemoNow();
    } else if (sender == m_updates) {
        StartUpdateCheck(this, nullptr);
    } else if (sender == m_credits) {
        OpenSubDialog(new CCreditsDialog(GetParent(), CCreditsDialog::kFileName), true);
    } else if (sender == m_about) {
        OpenSubDialog(new CVersionCheckWindow(GetParent(), false), true);
    } else if (sender == m_done) {
        Close();
    }
}
