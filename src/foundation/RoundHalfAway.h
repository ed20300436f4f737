#pragma once
// std::lround for the hot loops of the colour conversions, without the library call: the nearest
// integer, halves away from zero. The same answer as std::lround for every float; only values
// from 0 up to 2^23 take the inline path.
#include <cmath>

inline long RoundHalfAway(float x)
{
    if (x >= 0.0f && x < 8388608.0f) {
        // Below 2^23 the fraction x - i is exact, so comparing it with one half is too.
        const long i = static_cast<long>(x);
        return i + (x - static_cast<float>(i) >= 0.5f ? 1 : 0);
    }
    return std::lround(x);
}
