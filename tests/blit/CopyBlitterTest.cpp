// The plain copies of the copy blend mode: every depth onto itself, without a colour key.
#include "blit/modes/CopyBlitter.h"
#include "graphics/Frame.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CopyBlitter, CopiesEveryPixelOfTheSameDepth)
{
    for (uint32_t depth : {8u, 16u, 24u, 32u}) {
        CFrame source, destination;
        source.Create(5, 4, depth);
        destination.Create(5, 4, depth);
        uint32_t bytes = depth / 8;
        for (uint32_t i = 0; i < 5 * 4 * bytes; ++i)
            source.GetPixels()[i] = static_cast<uint8_t>(i % 3); // zeros included: no colour key
        std::memset(destination.GetPixels(), 0xFF, 5 * 4 * bytes);
        ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, &g_copyBlitter)) << depth;
        EXPECT_EQ(std::memcmp(destination.GetPixels(), source.GetPixels(), 5 * 4 * bytes), 0) << depth;
    }
}

