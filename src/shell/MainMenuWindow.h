#pragma once
// The main menu: a full-screen dialog without caption over the main-menu picture, which the game
// draws as its background. Four menu buttons slide in from the right ("&Play Game", "&Statistics",
// "&Options", "E&xit Game"), an invisible hot spot lies over the credits in the picture, and every
// tenth launch a reminder to check for updates opens over it.
//
// "&Play Game" opens "Select Player" over the menu, "&Statistics" the statistics dialog, "&Options"
// the options menu and the hot spot the credits; the reminder's "Check for Updates" asks about the
// connection and then checks for new versions.
//
// The rule a caller must know: at most one is open (GetOpen names it); the game opens it modally
// on the screen window in GoToMainMenu, and it closes itself when a game starts.
#include "ui/controls/JDialog.h"

class CJButton;
class CMenuButton;
class CStats;

class CMainMenuWindow : public CJDialog
{
public:
    static constexpr int32_t kWidth = 640;
    static constexpr int32_t kHeight = 480;
    static constexpr int kButtonCount = 4;
    // Launches between two reminders.
    static constexpr uint32_t kLaunchesBetweenReminders = 10;

    // No parent: the caller opens it on the screen window. It becomes the open main menu.
    CMainMenuWindow();
    ~CMainMenuWindow() override;

    // A requested rebuild replaces the menu by a fresh one; else, with the focus, the reminder.
    void Update(float seconds) override;
    // The buttons only: the picture under them is the game's background.
    void Draw(COffsetClippedProxyFrame* frame) override;
    void OnCommand(CJWindow* sender, int32_t code) override;

    // Closes the open main menu; nothing when none is open, or while a dialog covers it (the
    // dialog then owns it).
    static void CloseOpen();
    // Null when none is open.
    static CMainMenuWindow* GetOpen();
    // The open menu rebuilds itself at its next update.
    static void RequestRebuild();
    // When the statistics' launch count has reached 0: sets it to 10 and opens the reminder in
    // the window given; answers whether it opened.
    static bool OpenReminderWhenDue(CStats& stats, CJWindow* openIn);

    CMenuButton* GetButton(int i) const { return i >= 0 && i < kButtonCount ? m_buttons[i] : nullptr; }
    CJButton* GetPlayButton() const;
    CJButton* GetExitButton() const;
    CJButton* GetCreditsHotSpot() const { return m_credits; }

private:
    CMenuButton* m_buttons[kButtonCount] = {};
    CJButton* m_credits = nullptr;
    bool m_rebuildRequested = false;
};
