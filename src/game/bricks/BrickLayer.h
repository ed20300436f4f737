#pragma once
// The brick-laying machine as the playfield needs it until the bricks arrive: started on a round's
// layout, it lays for a few steps per brick, then puts every brick of the layout into the bricks
// list at once and tells the playfield to put the ball in play. Skipping lays at once.
//
// The rule a caller must know: the layout must outlive the laying (the playfield owns both).
#include <cstdint>

class CBrickLayout;
class CFrameInterface;
class CPlayfield;
class CSequence;

class CBrickLayer
{
public:
    // Steps of laying per brick (at least one step for an empty layout).
    static constexpr uint32_t kStepsPerBrick = 2;

    void Start(const CBrickLayout* layout, CPlayfield* playfield);
    // One step; the last one lays the bricks and puts the ball in play.
    void Step();
    // Lays at once; nothing unless laying.
    void Skip();
    bool IsLaying() const { return m_layout != nullptr; }
    // Nothing to draw while laying yet.
    void Draw(CFrameInterface* target);

    // The look of the bricks laid (not owned; none draws nothing).
    static void SetBrickSequence(CSequence* sequence);

private:
    void Finish();

    const CBrickLayout* m_layout = nullptr;
    CPlayfield* m_playfield = nullptr;
    uint32_t m_stepsLeft = 0;
};
