#pragma once
// The record of one game in the player statistics: rounds, bricks, lost balls, points, playing
// time, start and end times, difficulty, the cheat flag and a count of finished games. The same
// class serves as a running total and as a best record over many games, where the count says how
// many games went into it.
//
// Like every reflected object, a record made with new holds its defaults only after
// SetPropertiesToDefaults (or a copy of another record).
#include "objects/Object.h"

#include <cstdint>

class CGameStats : public CObject
{
    DECLARE_CLASS_RECORD(CGameStats)

    CGameStats();
    ~CGameStats() override;

    // Folds a game into this best record: the larger of each counter, round, difficulty and
    // playing time (balls lost too), the cheat flags ORed, the finished counts added; the starting
    // round becomes 0. The times are left alone.
    void MergeBest(const CGameStats& game);
    // Folds a finished game into this total: the larger ending round, bricks, balls lost, points,
    // playing time and finished counts added, the cheat flags ORed; the starting round and the
    // difficulty become 0. The times are left alone.
    void AddToTotals(const CGameStats& game);

    uint32_t GetStartingRound() const { return m_startingRound; }
    void SetStartingRound(uint32_t round) { m_startingRound = round; }
    uint32_t GetEndingRound() const { return m_endingRound; }
    void SetEndingRound(uint32_t round) { m_endingRound = round; }
    uint32_t GetBricksDestroyed() const { return m_bricksDestroyed; }
    void SetBricksDestroyed(uint32_t bricks) { m_bricksDestroyed = bricks; }
    uint32_t GetBallsLost() const { return m_ballsLost; }
    void SetBallsLost(uint32_t balls) { m_ballsLost = balls; }
    uint32_t GetPointsScored() const { return m_pointsScored; }
    void SetPointsScored(uint32_t points) { m_pointsScored = points; }
    float GetSecondsPlayed() const { return m_secondsPlayed; }
    void SetSecondsPlayed(float seconds) { m_secondsPlayed = seconds; }
    // FILETIME values: 100-nanosecond intervals since 1601-01-01 UTC.
    uint64_t GetStartTime() const { return static_cast<uint64_t>(m_startTime); }
    void SetStartTime(uint64_t time) { m_startTime = static_cast<int64_t>(time); }
    uint64_t GetEndTime() const { return static_cast<uint64_t>(m_endTime); }
    void SetEndTime(uint64_t time) { m_endTime = static_cast<int64_t>(time); }
    // 0 Easy, 1 Normal, 2 Hard, 3 Insane.
    uint32_t GetDifficulty() const { return m_difficulty; }
    void SetDifficulty(uint32_t difficulty) { m_difficulty = difficulty; }
    bool GetUsedCheat() const { return m_usedCheat; }
    void SetUsedCheat(bool used) { m_usedCheat = used; }
    uint32_t GetGamesFinished() const { return m_gamesFinished; }
    void SetGamesFinished(uint32_t games) { m_gamesFinished = games; }

private:
    uint32_t m_startingRound = 0;
    uint32_t m_endingRound = 0;
    uint32_t m_bricksDestroyed = 0;
    uint32_t m_ballsLost = 0;
    uint32_t m_pointsScored = 0;
    float m_secondsPlayed = 0.0f;
    int64_t m_startTime = 0;
    int64_t m_endTime = 0;
    uint32_t m_difficulty = 0;
    bool m_usedCheat = false;
    uint32_t m_gamesFinished = 0;
};
