#pragma once
// The "Statistics" dialog: a "Players" page and the high-score pages (all difficulties, then
// Easy to Insane) in a tab control, and "Close". Opened from the menus it shows "Players" with
// nothing selected; opened at the end of a game it shows the page of the game's difficulty with
// the game selected (when it was archived) and the verdict under the list.
//
// The rule a caller must know: the highlighted game is only compared, never read, and closing
// the dialog while the game is between its menu and play sends the game to the main menu.
#include "ui/controls/JDialog.h"

class CGameStats;
class CJTabControl;
class CJLabel;
class CStats;

class CStatisticsDialog : public CJDialog
{
public:
    static constexpr int32_t kFromMenu = -1;
    static constexpr int32_t kFirstShownY = 32;

    // difficulty kFromMenu (or outside 0..3) for none; highlighted and message may be null. The
    // statistics are not owned (null: empty tables).
    CStatisticsDialog(CJWindow* parent, int32_t difficulty, const CGameStats* highlighted, const char* message,
                      CStats* stats);
    ~CStatisticsDialog() override;

    // Sends the game to the main menu when it is in neither menu nor play, then closes.
    bool Close() override;
    // "Close" closes; being first shown moves the dialog to y = 32.
    void OnCommand(CJWindow* sender, int32_t code) override;

    CJTabControl* GetTabs() const { return m_tabs; }
    // The verdict under the list; null when none was given.
    CJLabel* GetMessageLabel() const { return m_message; }
    CJWindow* GetCloseButtonOfDialog() const { return m_close; }

private:
    void AddHighScoresPage(uint32_t filter, int32_t difficulty, const CGameStats* highlighted, const char* message,
                           CStats* stats);

    CJTabControl* m_tabs;
    CJWindow* m_close;
    CJLabel* m_message = nullptr;
};

// Opens the dialog over the game's statistics modally on the screen window of the game (see the
// constructor); null without a screen window.
CStatisticsDialog* OpenStatisticsDialog(int32_t difficulty, const CGameStats* highlighted, const char* message);
