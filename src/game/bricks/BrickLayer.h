#pragma once
// The brick-laying machine that opens every round: the round's bricks are built hidden, and a
// carriage on a bar, driven by two gear wheels, travels to each brick in turn and sets it in place,
// faster and faster. When every brick is laid (or the player skips), all bricks show and the
// playfield puts the ball in play. The playfield owns one and steps and draws it.
//
// The rule a caller must know: a layer that is not laying (IsLaying false) does nothing when
// stepped, drawn or skipped, so the playfield may call it every step.
#include "objects/Point.h"

#include <cstdint>

class CBrickLayout;
class CFrameInterface;
class CSequence;
class CSprite;

class CBrickLayer
{
public:
    static constexpr float kHomeX = 30.0f;
    static constexpr float kHomeY = 500.0f;
    // Where the first search for a brick starts.
    static constexpr float kFirstSearchX = 256.0f;
    static constexpr float kFirstSearchY = 400.0f;
    static constexpr float kHorizontalStep = 3.3333333f; // times the speed factor
    static constexpr float kVerticalStep = 2.5f;
    static constexpr uint32_t kIdle = 0;
    static constexpr uint32_t kMoving = 1;
    static constexpr uint32_t kPlacing = 2;

    // Finds the gear, bar and carriage sequences ("Brick Layer/...") where the sequence list has
    // them; a missing one is simply not drawn.
    CBrickLayer();

    // Builds the layout's round hidden and sets off from home towards the first brick.
    void Start(CBrickLayout* layout);
    // One step of 1/60 s.
    void Step();
    void Draw(CFrameInterface* target);
    // Finishes at once: every brick shows and the ball comes into play.
    void Skip();
    bool IsLaying() const { return m_state != kIdle; }
    // Forgets the layout, so that nothing further is laid.
    void Reset() { m_layout = nullptr; }

    uint32_t GetState() const { return m_state; }
    const CFloatPoint& GetPosition() const { return m_position; }
    float GetSpeedFactor() const { return m_speedFactor; }
    uint32_t GetPlacedCount() const { return m_placed; }
    float GetPlacingProgress() const { return m_progress; }
    CSprite* GetTarget() const { return m_target; }
    const CFloatPoint& GetTargetPosition() const { return m_targetPosition; }

private:
    // Chooses the next hidden brick to lay, or the way home when none is left.
    void PickNext();
    // The nearest hidden brick of the type (any for 0) that the carriage lays; null for none.
    CSprite* FindNearestHidden(const CFloatPoint& from, uint32_t type) const;
    void Finish();

    CSequence* m_leftGears;
    CSequence* m_rightGears;
    CSequence* m_bar;
    CSequence* m_carriage;
    CFloatPoint m_position;
    CFloatPoint m_velocity;
    uint32_t m_state = kIdle;
    float m_barPhase = 0.0f;
    float m_progress = 0.0f;
    // The per-step phase that plays the carriage's animation once at its own rate; 0 when it has
    // no frames or no rate, and then each brick is placed at once.
    float m_placingRate = 0.0f;
    float m_speedFactor = 0.0f;
    float m_time = 0.0f;
    uint32_t m_placed = 0;
    uint32_t m_kindFilter = 0;
    CBrickLayout* m_layout = nullptr;
    CSprite* m_target = nullptr;
    CFloatPoint m_targetPosition;
};
