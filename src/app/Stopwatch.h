#pragma once
// A timer of laps that answers a rate (laps per second) averaged over the last 30 laps. It answers 0
// until 30 laps have been taken.
#include <cstdint>

class CStopwatch
{
public:
    static constexpr int kLapCount = 30;

    CStopwatch();

    void Reset();
    // Remembers now as the start of the next lap.
    void Start();
    // Takes a lap (now minus the last start, at most one second) and returns laps per second over
    // the ring; 0 before 30 laps. Now becomes the start of the next lap.
    float LapRate();

    int GetLapsTaken() const { return m_lapsTaken; }

private:
    uint64_t m_laps[kLapCount];
    uint64_t m_total;
    uint64_t m_lastStart;   // 0: none
    int m_position;
    int m_lapsTaken;
    uint64_t m_frequency;
};
