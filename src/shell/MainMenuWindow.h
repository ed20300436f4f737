#pragma once
// The main menu: a full-screen dialog without caption over the main-menu picture, which the game
// draws as its background. For now it offers "&Play Game" (a "Normal" game from the first round)
// and "E&xit Game" (the program ends); statistics, options, the credits and the menu's animations
// join it later.
//
// The rule a caller must know: at most one is open (GetOpen names it); the game opens it modally
// on the screen window in GoToMainMenu, and it closes itself when a game starts.
#include "ui/controls/JDialog.h"

class CJButton;

class CMainMenuWindow : public CJDialog
{
public:
    static constexpr int32_t kWidth = 640;
    static constexpr int32_t kHeight = 480;

    // No parent: the caller opens it on the screen window. It becomes the open main menu.
    CMainMenuWindow();
    ~CMainMenuWindow() override;

    // A requested rebuild replaces the menu by a fresh one.
    void Update(float seconds) override;
    // The buttons only: the picture under them is the game's background.
    void Draw(COffsetClippedProxyFrame* frame) override;
    void OnCommand(CJWindow* sender, int32_t code) override;

    // Closes the open main menu; nothing when none is open.
    static void CloseOpen();
    // Null when none is open.
    static CMainMenuWindow* GetOpen();
    // The open menu rebuilds itself at its next update.
    static void RequestRebuild();

    CJButton* GetPlayButton() const { return m_play; }
    CJButton* GetExitButton() const { return m_exit; }

private:
    CJButton* m_play = nullptr;
    CJButton* m_exit = nullptr;
    bool m_rebuildRequested = false;
};
