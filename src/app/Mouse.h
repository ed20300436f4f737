#pragma once
// The one mouse state, fed by the message pump: the position in client pixels of the display mode,
// the held and double-click button masks (1 left, 2 right, 4 middle), a count of the presses of
// each button and the wheel in notches; and the drawn cursor, which the game draws itself while
// the system pointer is hidden. While the application is inactive the system arrow takes its place.
//
// The rule a caller must know: the held mask says only what is down now; a press and release that
// both came between two reads leave it as it was. Whoever acts on clicks keeps the press counts it
// last saw (TakePresses), so that such a click still counts.
#include "graphics/IntRect.h"

#include <array>
#include <cstdint>

class CFrame;
class CFrameInterface;
class CSequence;

class CMouse
{
public:
    constexpr CMouse() = default;

    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    void GetPosition(int& x, int& y) const
    {
        x = m_x;
        y = m_y;
    }
    CIntPoint GetPositionPoint() const { return {m_x, m_y}; }
    CFloatPoint GetPositionFloat() const { return {static_cast<float>(m_x), static_cast<float>(m_y)}; }
    // Stores the position and moves the system pointer there.
    void SetPosition(int x, int y);
    // Moves the system pointer to the stored position.
    void WarpSystemCursor() const;
    // Stores the position without moving the system pointer (the pump's work).
    void SetPositionFromInput(int x, int y)
    {
        m_x = x;
        m_y = y;
    }

    static constexpr int kButtonCount = 3;  // left, right, middle
    // Presses of each button since the start (wrapping).
    using PressCounts = std::array<uint32_t, kButtonCount>;

    // The held mask; writable, since the game and the toolkit consume clicks by clearing bits.
    unsigned GetButtons() const { return m_held; }
    void SetButtons(unsigned mask) { m_held = mask; }
    // The buttons went down (the pump's work): held, and each one's press counted.
    void PressButtons(unsigned mask);
    void ReleaseButtons(unsigned mask) { m_held &= ~mask; }
    // Held again without a new press (a press handed back after a double click was declined).
    void HoldButtons(unsigned mask) { m_held |= mask; }
    unsigned GetDoubleClicks() const { return m_doubleClicks; }
    // A double click counts as a press as well.
    void AddDoubleClicks(unsigned mask)
    {
        m_doubleClicks |= mask;
        PressButtons(mask);
    }

    const PressCounts& GetPressCounts() const { return m_presses; }
    // The presses of each button since the counts seen, which become the current ones. A count
    // below the one seen (the mouse state was reset) counts from 0.
    PressCounts TakePresses(PressCounts& seen) const;
    // The mask of the buttons pressed since the counts seen, which become the current ones.
    unsigned TakePressMask(PressCounts& seen) const;

    // False when no bit of mask was double-clicked; otherwise those bits leave the double-click and
    // the held mask.
    bool TakeDoubleClick(unsigned mask);

    // Adds a wheel delta in 120ths of a notch.
    void AddWheelDelta(int delta) { m_wheel += static_cast<float>(delta) / 120.0f; }
    float GetWheel() const { return m_wheel; }
    // The whole notches turned (truncated towards zero); the fraction stays.
    int TakeWheelNotches();

    // The drawn cursor. Returns the previous sequence; the animation restarts when its position
    // lies beyond the new sequence's frames.
    CSequence* SetCursorSequence(CSequence* sequence);
    CSequence* GetCursorSequence() const { return m_sequence; }
    void AnimateCursor(float seconds);
    float GetCursorFrameTime() const { return m_frameTime; }
    // Draws the current frame with its hot spot at the position through the sequence's blitter,
    // when visible.
    void DrawCursor(CFrameInterface* target) const;
    // The current frame's rectangle at the position; false without a visible frame.
    bool GetCursorRect(CIntRect& rect) const;
    // The height of the pointer the player sees (tooltips go below it): the drawn cursor's current
    // frame, or kSystemCursorHeight for the system arrow and when no frame is drawn.
    static constexpr int kSystemCursorHeight = 20;
    int GetCursorHeight() const;

    // visible = false / true; return the previous visibility and apply the system cursor rule.
    bool HideCursor();
    bool ShowCursor();
    bool SetCursorVisible(bool visible);
    bool IsCursorVisible() const { return m_visible; }

    // System-cursor mode: the system arrow instead of the drawn cursor (takes effect at the next
    // cursor update).
    void UseSystemCursor() { m_systemCursorMode = true; }
    void UseDrawnCursor() { m_systemCursorMode = false; }
    bool IsSystemCursorMode() const { return m_systemCursorMode; }

    // The rule: the arrow shows in system-cursor mode, or when the drawn cursor is visible but has
    // no sequence to draw; otherwise the system pointer is removed.
    void ApplySystemCursor();
    bool WantsSystemArrow() const;
    static void ShowSystemArrow();
    static void HideSystemCursor();

protected:
    // The frame at the animation's position; null without a sequence, when hidden, or past its frames.
    CFrame* GetCursorFrame() const;

    CSequence* m_sequence = nullptr;
    float m_frameTime = 0.0f;
    bool m_systemCursorMode = false;
    bool m_visible = false;
    int m_x = 0;
    int m_y = 0;
    unsigned m_held = 0;
    unsigned m_doubleClicks = 0;
    PressCounts m_presses{};
    float m_wheel = 0.0f;
};

// The global mouse (constant-initialised, so static initialisers may use it).
extern constinit CMouse g_mouse;
