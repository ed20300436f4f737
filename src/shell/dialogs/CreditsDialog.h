#pragma once
// The "Credits" dialog: the scrolling credits of a text file in a bevelled window, and " DONE ",
// which answers Enter and Escape and closes the dialog like the close button.
#include "ui/controls/JDialog.h"

class CJButton;
class CJCreditsControl;

class CCreditsDialog : public CJDialog
{
public:
    static constexpr const char* kFileName = "Credits.txt";

    // The file is read now; a missing one opens the dialog with nothing scrolling.
    CCreditsDialog(CJWindow* parent, const char* fileName);

    // " DONE " closes the dialog; the rest goes to the titled window.
    void OnCommand(CJWindow* sender, int32_t code) override;

    CJCreditsControl* GetControl() const { return m_control; }
    CJButton* GetDoneButton() const { return m_done; }

private:
    CJCreditsControl* m_control;
    CJButton* m_done;
};

// Opens the credits of "Credits.txt" modally, centred on the screen window; null without one.
CCreditsDialog* OpenCreditsDialog(CJWindow* screen);
