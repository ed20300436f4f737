#pragma once
// A modal titled window that shows a text (wrapped at 500 pixels) above a row of push buttons,
// and closes when any of its buttons is clicked, after the button's action ran. Enter and Escape
// click the OK button.
//
// The rule a caller must know: the window deletes itself from inside a button's click; an
// action must not touch it afterwards.
#include "ui/controls/JTitledWindow.h"

class CCallback;
class CJButton;

class CJMessageWindow : public CJTitledWindow
{
public:
    // The widest a message line may be before the text is wrapped.
    static constexpr int32_t kWrapWidth = 500;

    // Made, not opened: the caller opens it.
    CJMessageWindow(const char* caption, const char* text, CJWindow* parent);
    // Opened centred in openIn when it is given. A null button text is "OK"; the action (owned
    // from here on) runs when the OK button is clicked.
    CJMessageWindow(CJWindow* parent, const CSharedString& caption, const CSharedString& text, CJWindow* openIn,
                    const CSharedString* buttonText, CCallback* action);

    // The children and the shortcuts first; then Enter and Escape click the OK button.
    bool OnKey(int32_t key) override;
    // Any click of a child closes the window.
    void OnCommand(CJWindow* sender, int32_t code) override;

    // Another button (the action owned from here on, may be null), in one row of equal widths
    // with the buttons before it, centred along the bottom edge.
    CJButton* AddButton(const CSharedString& text, CCallback* action);
    CJButton* GetOkButton() const { return m_okButton; }

private:
    void SetUpMessage(const char* text, const char* buttonText, CCallback* action, CJWindow* openIn);

    CJButton* m_okButton = nullptr;
    CJWindow* m_label = nullptr;
};
