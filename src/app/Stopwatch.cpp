#include "app/Stopwatch.h"

#include "foundation/PerformanceCounter.h"

CStopwatch::CStopwatch()
{
    Reset();
}

void CStopwatch::Reset()
{
    for (uint64_t& lap : m_laps)
        lap = 0;
    m_total = 0;
    m_lastStart = 0;
    m_position = 0;
    m_lapsTaken = 0;
    m_frequency = static_cast<uint64_t>(GetPerformanceFrequency()) & 0xFFFFFFFFu;
}

void CStopwatch::Start()
{
    m_lastStart = static_cast<uint64_t>(GetPerformanceCounter());
}

float CStopwatch::LapRate()
{
    const uint64_t now = static_cast<uint64_t>(GetPerformanceCounter());
    float rate = 0.0f;
    if (m_lastStart != 0) {
        if (m_lapsTaken < kLapCount)
            ++m_lapsTaken;
        // The whole difference: a nanosecond counter passes 32 bits in about four seconds.
        uint64_t lap = now - m_lastStart;
        if (lap > m_frequency)
            lap = m_frequency;
        m_total = m_total + lap - m_laps[m_position];
        m_laps[m_position] = lap;
        m_position = (m_position + 1) % kLapCount;
        if (m_total != 0 && m_lapsTaken == kLapCount)
            rate = static_cast<float>(static_cast<double>(m_frequency) * m_lapsTaken / static_cast<double>(m_total));
    }
    m_lastStart = now;
    return rate;
}
