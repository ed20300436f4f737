#pragma once
// The dialog that stops play: options, statistics, aborting and suspending the game, and
// continuing. While it (or anything stacked over it) is open the game's update skips the
// playfield; the message display says "Timeout" and "Click to continue" until it goes.
//
// The rule a caller must know: open it modally on the screen window (Open does so); it closes
// itself from its buttons, and EndGame and SuspendGame close it before they act.
#include "ui/controls/JDialog.h"

class CJButton;

class CPauseMenu : public CJDialog
{
public:
    explicit CPauseMenu(CJWindow* parent);
    // Clears the message display.
    ~CPauseMenu() override;

    // Only clicks are handled here; other commands go to the titled window.
    void OnCommand(CJWindow* sender, int32_t code) override;
    // Closes the menu and ends the game at once.
    void EndGame();
    // Keeps the game to continue later, closes the menu, returns to a fresh main menu and says so.
    void SuspendGame();

    // A pause menu, opened modally and centred on the screen window; null without one.
    static CPauseMenu* Open();

    CJButton* GetOptionsButton() const { return m_options; }
    CJButton* GetStatisticsButton() const { return m_statistics; }
    CJButton* GetAbortButton() const { return m_abort; }
    CJButton* GetSuspendButton() const { return m_suspend; }
    CJButton* GetContinueButton() const { return m_continue; }

private:
    CJButton* m_options = nullptr;
    CJButton* m_statistics = nullptr;
    CJButton* m_abort = nullptr;
    CJButton* m_suspend = nullptr;
    CJButton* m_continue = nullptr;
};
