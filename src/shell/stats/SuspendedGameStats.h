#pragma once
// A game the player left to continue later: the record of the game as it stood when it was
// suspended (its ending round the round to restart, its end time the moment it was left), plus the
// lives in reserve. A player holds at most one.
#include "shell/stats/GameStats.h"

class CSuspendedGameStats : public CGameStats
{
    DECLARE_CLASS_RECORD(CSuspendedGameStats)

    CSuspendedGameStats();
    ~CSuspendedGameStats() override;

    uint32_t GetBallsLeft() const { return m_ballsLeft; }
    void SetBallsLeft(uint32_t balls) { m_ballsLeft = balls; }

private:
    uint32_t m_ballsLeft = 0;
};
