#pragma once
// An invisible child that slides its parent back to where it belongs after moving it away, so that
// menus can fly in; it ends with a flip sound and closes itself.
//
// The rule a caller must know: add the animator to the window to move first, then call SlideFrom.
// It deletes itself inside its parent's Update once the parent has arrived.
#include "ui/JWindow.h"

class CJAnimator : public CJWindow
{
public:
    static constexpr float kSpeed = 400.0f;  // pixels per second on each axis

    CJAnimator();

    // Moves on by seconds x speed on each axis (the parent follows, rounded); once within a pixel
    // of the goal the flip sounds, the parent snaps to the goal and Finish runs.
    void Update(float seconds) override;
    // Closes the animator.
    virtual void Finish();

    // The parent's position becomes the goal and the parent moves by (dx, dy); nothing without a parent.
    void SlideFrom(int32_t dx, int32_t dy);

private:
    float m_goalX = 0.0f;
    float m_goalY = 0.0f;
    float m_currentX = 0.0f;
    float m_currentY = 0.0f;
    float m_speed = kSpeed;
};
