#pragma once
// Time: a millisecond tick count and a nanosecond counter, both from CLOCK_MONOTONIC (so they run
// since boot and are large from the start), the wall clock and its local calendar time, sleeping,
// and a virtual clock for headless runs.
#include <cstdint>
#include <ctime>

namespace platform {

// Milliseconds since boot, wrapping at 2^32. Never 0: 0 means "no time" to the engine.
uint32_t GetTickCount();

// High-resolution counter in nanoseconds, and its frequency (1e9 counts per second).
uint64_t GetCounter();
uint64_t GetCounterFrequency();

// The wall clock (UTC): seconds and nanoseconds since 1970-01-01. A test may fix it, so that
// the times a program records, and the files it writes them into, come out the same every run.
void GetWallClock(int64_t& seconds, int32_t& nanoseconds);
void FixWallClock(int64_t seconds, int32_t nanoseconds);
void UnfixWallClock();
// The calendar date and time of a moment (seconds since 1970-01-01 UTC) in the system's time
// zone; false, out left as it was, when it has none.
bool ToLocalCalendarTime(int64_t seconds, std::tm& out);

// Waits this many milliseconds (0 yields). On the virtual clock it advances the clock instead.
void Sleep(uint32_t milliseconds);

// The virtual clock: while enabled, the tick count and the counter read it instead of the system
// clock, Sleep advances it, and so does every present of the headless display (by the present
// step). It starts at startNanoseconds, by default a value well away from 0 like a real uptime.
constexpr uint64_t kDefaultVirtualClockStart = 1000ull * 1000000000ull;
void EnableVirtualClock(uint64_t startNanoseconds = kDefaultVirtualClockStart);
void DisableVirtualClock();
bool IsVirtualClock();
void AdvanceVirtualClock(uint64_t nanoseconds);

// How far one present moves the virtual clock (default one sixtieth of a second).
void SetVirtualPresentStep(uint64_t nanoseconds);
uint64_t GetVirtualPresentStep();

} // namespace platform
