#include "platform/Time.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <sched.h>

namespace platform {

namespace {
std::atomic<bool> s_virtual{false};
std::atomic<uint64_t> s_virtualNow{kDefaultVirtualClockStart};
std::atomic<uint64_t> s_presentStep{16666667};
// The fixed wall clock in nanoseconds since 1970, valid while s_wallClockFixed is set.
std::atomic<bool> s_wallClockFixed{false};
std::atomic<int64_t> s_fixedWallClock{0};

uint64_t MonotonicNanoseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}
} // namespace

uint64_t GetCounter()
{
    return s_virtual.load(std::memory_order_acquire) ? s_virtualNow.load() : MonotonicNanoseconds();
}

void GetWallClock(int64_t& seconds, int32_t& nanoseconds)
{
    if (s_wallClockFixed.load(std::memory_order_acquire)) {
        const int64_t fixed = s_fixedWallClock.load();
        seconds = fixed / 1000000000;
        nanoseconds = static_cast<int32_t>(fixed % 1000000000);
        if (nanoseconds < 0) {
            --seconds;
            nanoseconds += 1000000000;
        }
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    seconds = now.tv_sec;
    nanoseconds = static_cast<int32_t>(now.tv_nsec);
}

void FixWallClock(int64_t seconds, int32_t nanoseconds)
{
    s_fixedWallClock.store(seconds * 1000000000 + nanoseconds);
    s_wallClockFixed.store(true, std::memory_order_release);
}

void UnfixWallClock()
{
    s_wallClockFixed.store(false, std::memory_order_release);
}

uint64_t GetCounterFrequency()
{
    return 1000000000ull;
}

uint32_t GetTickCount()
{
    uint32_t ticks = static_cast<uint32_t>(GetCounter() / 1000000ull);
    return ticks != 0 ? ticks : 1;
}

bool ToLocalCalendarTime(int64_t seconds, std::tm& out)
{
    const std::time_t moment = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&moment, &local))
        return false;
    out = local;
    return true;
}

void Sleep(uint32_t milliseconds)
{
    if (s_virtual.load(std::memory_order_acquire)) {
        s_virtualNow.fetch_add(static_cast<uint64_t>(milliseconds) * 1000000ull);
        return;
    }
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    timespec ts{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

void EnableVirtualClock(uint64_t startNanoseconds)
{
    s_virtualNow.store(startNanoseconds);
    s_virtual.store(true, std::memory_order_release);
}

void DisableVirtualClock()
{
    s_virtual.store(false, std::memory_order_release);
}

bool IsVirtualClock()
{
    return s_virtual.load(std::memory_order_acquire);
}

void AdvanceVirtualClock(uint64_t nanoseconds)
{
    s_virtualNow.fetch_add(nanoseconds);
}

void SetVirtualPresentStep(uint64_t nanoseconds)
{
    s_presentStep.store(nanoseconds);
}

uint64_t GetVirtualPresentStep()
{
    return s_presentStep.load();
}

} // namespace platform
