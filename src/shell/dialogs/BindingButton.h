#pragma once
// A button of the controls dialog: it shows an action's name and, in the label beside it, the
// inputs bound to it. A click makes it wait for the next key, joystick button or mouse button,
// which becomes the binding; while it waits, the screen window's own input is off and the button
// blinks. Delete or Backspace clear the binding.
//
// The rule a caller must know: the parent hears code 1 after a capture changed the bindings (an
// input taken from another action changes that action's label too).
#include "ui/JButton.h"

class CJLabel;
class CPlayerControls;

class CBindingButton : public CJButton
{
public:
    CBindingButton(CJWindow* parent, const char* actionName);
    // A button that goes while it waits ends the capture as Escape does and gives the screen its
    // input back.
    ~CBindingButton() override;

    // Polls the capture while waiting, then draws.
    void Draw(COffsetClippedProxyFrame* frame) override;
    bool OnKey(int32_t key) override;
    // With controls: starts waiting and suspends the screen's input; then the usual click.
    void Click() override;

    // The controls (null: none) and the binding this button edits.
    void SetBinding(CPlayerControls* controls, int index);
    void SetLabel(CJLabel* label) { m_label = label; }
    CJLabel* GetLabel() const { return m_label; }
    // The label shows the binding's inputs (empty without controls).
    void UpdateLabel();
    // One step of the capture while waiting: blinks (512 ms on, 512 off), and when an input was
    // taken resumes the screen's input, refreshes the label and notifies the parent. Answers
    // whether the capture ended.
    bool PollCapture();
    bool IsWaiting() const { return m_waiting; }

private:
    void SetScreenInput(bool on);

    CPlayerControls* m_controls = nullptr;
    int m_index = 0;
    CJLabel* m_label = nullptr;
    bool m_waiting = false;
};
