#pragma once
// What the application base asks of the window toolkit's screen window. The toolkit lies above
// the application, so the application only knows it through this: the game creates its screen
// window (which implements it) and hands it over; the application base owns it from then on.
class CJWindow;

class CApplicationScreenWindow
{
public:
    virtual ~CApplicationScreenWindow() = default;

    // One update step of every window (seconds since the last).
    virtual void UpdateWindows(float seconds) = 0;
    // Draws the windows onto the target they were made for.
    virtual void DrawWindows() = 0;
    // Opens the window on top, centred or at the default place; false when it cannot be opened.
    virtual bool OpenTopLevelWindow(CJWindow* window, bool centred) = 0;
    virtual bool HasOpenModalWindow() const = 0;
};
