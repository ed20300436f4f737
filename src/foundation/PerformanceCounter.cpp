#include "foundation/PerformanceCounter.h"

#include <ctime>

namespace {

// The one place the counter reads the clock; it moves to the platform layer's counter once that
// is available.
int64_t ReadMonotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

int64_t GetPerformanceCounter()
{
    return ReadMonotonicNanoseconds();
}

int64_t GetPerformanceFrequency()
{
    return 1000000000;
}
