#include "foundation/PerformanceCounter.h"

#include "platform/Time.h"

// The platform's counter, so that a virtual clock drives the main-loop tick in tests and headless
// runs.
int64_t GetPerformanceCounter()
{
    return static_cast<int64_t>(platform::GetCounter());
}

int64_t GetPerformanceFrequency()
{
    return static_cast<int64_t>(platform::GetCounterFrequency());
}
