#pragma once
// The field's content until the data holds it: looks for the bricks, the ball and the ship drawn
// here as plain blocks, and one round set of a few rounds of bricks in rows, registered with the
// game world's stand-ins for layouts and round sets.
//
// The rule a caller must know: the looks live as long as this object; it must outlive every
// sprite that shows them.
#include <memory>

class CSequence;

class CStandInField
{
public:
    // Registers the rounds and hands the looks to the behaviours and the brick layer.
    CStandInField();
    // Takes the looks back.
    ~CStandInField();
    CStandInField(const CStandInField&) = delete;
    CStandInField& operator=(const CStandInField&) = delete;

    static constexpr int kRounds = 3;

private:
    std::unique_ptr<CSequence> m_brick;
    std::unique_ptr<CSequence> m_ball;
    std::unique_ptr<CSequence> m_ship;
};
