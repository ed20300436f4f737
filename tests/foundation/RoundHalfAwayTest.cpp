// The inline rounding of the colour conversions: the same integer as std::lround for the values
// the conversions meet (channel levels 0..255 with their halves and the floats either side of
// them) and for those they should not (negatives, the 2^23 edge, huge values).
#include "foundation/RoundHalfAway.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

TEST(RoundHalfAway, AnswersAsLroundAtAndAroundEveryHalfAndLevel)
{
    std::vector<float> values;
    for (int i = -300; i <= 600; ++i)
        for (float offset : {0.0f, 0.5f, 0.25f, 0.75f}) {
            const float x = static_cast<float>(i) + offset;
            values.push_back(x);
            values.push_back(std::nextafter(x, -INFINITY));
            values.push_back(std::nextafter(x, INFINITY));
        }
    // The products the ditherer rounds: every level's channel, 0..1, times 255.
    for (int level = 0; level <= 255; ++level)
        values.push_back(level / 255.0f * 255.0f);
    const float big = 8388608.0f; // 2^23: from here on every float is an integer
    for (float x : {big, big - 0.5f, big - 1.5f, 2 * big + 2, 1e9f, -1e9f, 0.49999997f, -0.49999997f, -0.0f,
                    std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::min()}) {
        values.push_back(x);
        values.push_back(std::nextafter(x, -INFINITY));
        values.push_back(std::nextafter(x, INFINITY));
    }
    for (float x : values)
        ASSERT_EQ(RoundHalfAway(x), std::lround(x)) << "x = " << x;
}
