#pragma once
// A main-menu button: an arm (slot 0) and a panel (slot 1) that flips into view after the button
// has slid into place, then shows the text. Coming under the pointer (or the keyboard's focus) it
// plays "UI/Button Hover.wav" once and lifts its arm.
//
// The rule a caller must know: the looks come from the sequence collection, which must hold the
// "Interface/Menu Button/..." sequences before the first button is made.
#include "shell/SpriteButton.h"

class CSequence;

class CMenuButton : public CSpriteButton
{
public:
    // From the arm's end to the panel's edge, so that a button at the menu's column ends inside
    // the screen.
    static constexpr int32_t kWidth = 275;
    static constexpr int32_t kHeight = 54;

    CMenuButton(CJWindow* parent, const char* text);

    // The hover state, the arm's and panel's sequences, then the sprite and text.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // Plays the slots on; once no animator child moves the button and the flip has played to its
    // end, the panel rests and the text shows.
    void Update(float seconds) override;

    bool IsHovered() const { return m_hovered; }
    bool IsFlipping() const;

private:
    // Sets the slot's sequence; the animation starts again only when it changes.
    static void Show(uint32_t slot, CSequence* sequence, CSpriteButton& button);
    bool HasAnimator() const;

    CSequence* m_armNormal;
    CSequence* m_armHover;
    CSequence* m_panelFlip;
    CSequence* m_panelPressed;
    CSequence* m_panelNormal;
    CSequence* m_panelHover;
    bool m_hovered = false;
};
