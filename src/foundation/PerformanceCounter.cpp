#include "foundation/PerformanceCounter.h"

#include "platform/Time.h"

// The platform's counter, so that tests on the virtual clock see the same time as the program.
int64_t GetPerformanceCounter()
{
    return static_cast<int64_t>(platform::GetCounter());
}

int64_t GetPerformanceFrequency()
{
    return static_cast<int64_t>(platform::GetCounterFrequency());
}
