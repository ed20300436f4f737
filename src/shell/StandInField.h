#pragma once
// The field's content until the data holds it: looks for the bricks, the ball and the ship drawn
// here as plain blocks, and one round set of every round layout of the data set (in the layout
// collection's order), registered with the game world's stand-in for round sets.
//
// The rule a caller must know: the looks live as long as this object; it must outlive every
// sprite that shows them.
#include <memory>

class CSequence;

class CStandInField
{
public:
    // Registers the rounds (the layout collection must be set up) and hands the looks to the
    // behaviours.
    CStandInField();
    // Takes the looks back.
    ~CStandInField();
    CStandInField(const CStandInField&) = delete;
    CStandInField& operator=(const CStandInField&) = delete;

private:
    std::unique_ptr<CSequence> m_brick;
    std::unique_ptr<CSequence> m_ball;
    std::unique_ptr<CSequence> m_ship;
};
