#pragma once
// The root of the window tree, as large as the display frame it draws on. Once per update it turns
// the mouse and keyboard state into window input (pointer motion, wheel, double clicks, presses
// with auto-repeat, releases, typed keys and shortcuts) and routes it down the tree; once per
// drawn frame it draws the tree through its one proxy frame, and the tooltip on top. It owns the
// toolkit's single tooltip and the mouse-button auto-repeat.
//
// The rule a caller must know: the application makes exactly one, over the frame the windows draw
// on, and calls Update and DrawScreen from its update and draw steps (main thread only). Windows
// reach it through CJWindow::GetScreenWindow; a window being deleted while it is a repeat target
// simply stops repeating.
#include "app/ApplicationScreenWindow.h"
#include "app/Mouse.h"
#include "foundation/SharedString.h"
#include "graphics/Color.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/JWindow.h"
#include "ui/WindowWatch.h"

#include <cstdint>

class CFrame;
class CFont;

class CScreenWindow : public CJWindow, public CApplicationScreenWindow
{
public:
    static constexpr int32_t kButtonCount = 3;  // left, right, middle

    // A non-null font becomes every window's default font. The drawn cursor shows, the window
    // takes the focus and the keyboard's pressed keys and typed keys are forgotten.
    CScreenWindow(CFrame* target, CFont* font);
    // Gives the drawn cursor its former visibility and forgets the keyboard's keys again.
    ~CScreenWindow() override;

    // While input is on: the mouse and keyboard state become window input (see
    // ScreenWindowInput.cpp); then the tree's states (UpdateState) and the tree update.
    void Update(float seconds) override;
    // Draws through its own frame whatever frame is given: resized first when the display's size
    // changed, then the tree, then the tooltip.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // The tree first, then the shortcuts (without Alt), the application's keys, and last the
    // clipboard keys: Ctrl+C, Ctrl+D and Ctrl+Insert copy, Ctrl+V and Shift+Insert paste, Ctrl+X
    // and Shift+Delete cut, Delete deletes.
    bool OnKey(int32_t key) override;
    bool IsScreenWindow() const override { return true; }
    // The screen keeps its size.
    void GrowToFitChild(CJWindow* child, int32_t margin) override;
    // A pointer resting where no window shows a tooltip hides it; taken.
    bool OnHover(const CIntPoint& point) override;
    bool IsDialog() const override { return false; }
    // Draws all windows onto the target frame (nothing while hidden or without a target).
    virtual void DrawScreen();

    // What the application base asks of it: Update, DrawScreen, OpenWindow (centred: placement 6,
    // else the default 0) and HasModalWindow under the application's names.
    void UpdateWindows(float seconds) override { Update(seconds); }
    void DrawWindows() override { DrawScreen(); }
    bool OpenTopLevelWindow(CJWindow* window, bool centred) override { return OpenWindow(window, centred ? 6 : 0); }
    bool HasOpenModalWindow() const override { return HasModalWindow(); }

    // Input on again: the drawn cursor shows, the keyboard's keys are forgotten and buttons held
    // now count as held before.
    void ResumeInput();
    // Input off: no window gets any until ResumeInput; the cursor hides. Windows still update and draw.
    void SuspendInput();
    bool IsInputOn() const { return m_inputOn; }
    // The tick count of the last pointer motion, button change or key.
    uint32_t GetLastInputTime() const { return m_lastInputTime; }

    // For the button last pressed: the window gets OnMouseRepeat after the delay, then once per
    // interval while the button is held and the pointer is over it (0 ms: the system's key-repeat
    // delay and interval). Nothing when the window already is the button's target.
    void SetMouseRepeat(CJWindow* window, uint32_t delayMilliseconds, uint32_t intervalMilliseconds);
    // Whether the first repeat of the button last pressed or released has come (also when the
    // pointer was off the target then).
    bool IsMouseRepeating() const;
    // Shows the text (wrapped to the screen's width) in the owner's font and colours at (x, y), or
    // below the pointer when x is -1, its box kept one pixel inside the screen's right and bottom
    // edges; underlineIndex -1 underlines nothing. A null or empty text hides the tooltip; the text already shown changes nothing.
    void ShowTooltip(CJWindow* owner, int32_t underlineIndex, const char* text, int32_t x, int32_t y);
    void HideTooltip() { ShowTooltip(nullptr, -1, nullptr, 0, -1); }
    bool HasTooltip() const { return !m_tooltipText.IsEmpty(); }
    // The tooltip's text rect in screen coordinates (its box is drawn one pixel outside it).
    const CIntRect& GetTooltipRect() const { return m_tooltipRect; }
    // The pointer-motion step: when the pointer moved since the last step, the tree gets
    // OnMouseMove and the cursor it picks.
    void RunPointerMotion();

    CFrame* GetTarget() const { return m_target; }

private:
    struct RepeatRecord
    {
        RepeatRecord() : target(nullptr) {}
        CWindowWatch target;  // cleared when the window is deleted
        uint32_t nextRepeat = 0;
        uint32_t interval = 0;
        bool repeated = false;
    };

    // OnMouseMove at the last pointer position with no motion, after a button or a key changed
    // what lies under the pointer.
    void RefreshPointer();
    // The double clicks of the update; answers the held mask with the swallowed presses removed
    // (from the presses too).
    uint32_t RouteDoubleClicks(uint32_t held, CMouse::PressCounts& presses, const CIntPoint& position);
    // Each button's presses, releases and repeats since the last update.
    void RouteButtons(uint32_t held, const CMouse::PressCounts& presses, const CIntPoint& position, uint32_t now);
    void RoutePress(int32_t button, const CIntPoint& position, uint32_t now);
    void RouteRelease(int32_t button, const CIntPoint& position, uint32_t now);
    void RouteKeys(uint32_t now);
    // The clipboard operation of an edit key; false for any other key.
    bool HandleClipboardKey(int32_t key);
    void DrawTooltip();

    COffsetClippedProxyFrame m_drawingFrame;
    CFrame* m_target;
    bool m_inputOn = true;
    uint32_t m_lastInputTime = 0;
    bool m_savedCursorVisibility = false;
    CFont* m_tooltipFont = nullptr;
    CColor m_tooltipBackground;
    CColor m_tooltipOutline;
    CSharedString m_tooltipSource;  // the text as asked, to tell a repeated request
    CSharedString m_tooltipText;    // wrapped; empty: no tooltip
    CIntRect m_tooltipRect;
    bool m_tooltipUnderline = false;
    int32_t m_underlineY = 0;
    int32_t m_underlineX1 = 0;
    int32_t m_underlineX2 = 0;
    CIntPoint m_lastPointer;
    RepeatRecord m_repeats[kButtonCount];
    int32_t m_currentButton = 0;
    // The mouse's press counts at the last input step: a click that came and went between two
    // updates still counts.
    CMouse::PressCounts m_seenPresses{};
};
