#pragma once
// The field's content until the data holds it: looks for the bricks, the ball and the ship drawn
// here as plain blocks.
//
// The rule a caller must know: the looks live as long as this object; it must outlive every
// sprite that shows them.
#include <memory>

class CSequence;

class CStandInField
{
public:
    // Hands the looks to the behaviours.
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
