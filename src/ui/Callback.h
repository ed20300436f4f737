#pragma once
// An action object: what a button does when clicked (and what list and header controls call
// back). An action may also decide whether its control is enabled.
//
// The rule a caller must know: the control that holds an action owns it and deletes it; Invoke
// may close the window that holds the control.
class CCallback
{
public:
    CCallback() = default;
    virtual ~CCallback() = default;
    CCallback(const CCallback&) = delete;
    CCallback& operator=(const CCallback&) = delete;

    // Runs the action.
    virtual void Invoke() {}
    // Whether the action can run now (true in the base).
    virtual bool IsAvailable() { return true; }
    // Whether the control's enabled flag follows IsAvailable (false in the base).
    virtual bool ControlsEnabled() { return false; }
};
