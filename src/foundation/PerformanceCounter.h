#pragma once
// The high-resolution counter of the main-loop tick: nanoseconds of a clock that runs freely
// since boot.
#include <cstdint>

int64_t GetPerformanceCounter();
int64_t GetPerformanceFrequency();
