#pragma once
// The column of configuration buttons reached from the pause menu and from the main menu: sound,
// video and controls set-up, the help page, a demo (only while no game is played), the check for
// updates, the credits and the about window, and "&Done".
//
// The rule a caller must know: it is opened over another dialog (OpenSubDialog) or modally on the
// screen window, and closes itself on "&Done", its close button or "Sho&w Demo".
#include "ui/controls/JDialog.h"

class CJButton;

class COptionsMenu : public CJDialog
{
public:
    // The help page, looked for beside the program.
    static constexpr const char* kHelpFile = "readme.htm";

    explicit COptionsMenu(CJWindow* parent);

    // Only clicks are handled here; other commands go to the titled window.
    void OnCommand(CJWindow* sender, int32_t code) override;

    CJButton* GetSoundButton() const { return m_sound; }
    CJButton* GetVideoButton() const { return m_video; }
    CJButton* GetControlsButton() const { return m_controls; }
    CJButton* GetHelpButton() const { return m_help; }
    // Null while a game is played.
    CJButton* GetDemoButton() const { return m_demo; }
    CJButton* GetUpdatesButton() const { return m_updates; }
    CJButton* GetCreditsButton() const { return m_credits; }
    CJButton* GetAboutButton() const { return m_about; }
    CJButton* GetDoneButton() const { return m_done; }

private:
    // Opens the help page with the program the desktop chooses; where none can be started, a
    // message tells the player where the page lies.
    void ShowHelp();

    CJButton* m_sound = nullptr;
    CJButton* m_video = nullptr;
    CJButton* m_controls = nullptr;
    CJButton* m_help = nullptr;
    CJButton* m_demo = nullptr;
    CJButton* m_updates = nullptr;
    CJButton* m_credits = nullptr;
    CJButton* m_about = nullptr;
    CJButton* m_done = nullptr;
};
