#pragma once
// Sequences and fonts made by the tests: frames of one value, fonts of solid glyph blocks drawn
// through a blit type that has plain routines, and a clock whose 24-bit tick count starts at 0.
#include "FrameTestSupport.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"
#include "platform/Time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace seqtest {

// A plain frame of the depth, every pixel the value, its top-left corner at (left, top).
inline CFrame* SolidFrame(uint32_t width, uint32_t height, uint32_t depth, uint32_t value, int16_t left = 0,
                          int16_t top = 0)
{
    auto* frame = new CFrame;
    frame->Create(width, height, depth);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            frametest::WritePixel(*frame, x, y, value);
    frame->SetOrigin(left, top);
    return frame;
}

// A font of the codes first..last: the glyph of code c is a block widthOf(c) wide and height high
// of the value valueOf(c), its left edge at the pen and its top at the pen's line; the line base
// is the height. Drawn through "Normal Scale", which copies plain pixels of one depth.
inline void MakeBlockFont(CFont& font, int32_t first, int32_t last, uint32_t depth, uint32_t height,
                          const std::function<uint32_t(int32_t)>& widthOf,
                          const std::function<uint32_t(int32_t)>& valueOf)
{
    font.SetPropertiesToDefaults();
    font.SetCodeRange(first, last);
    for (int32_t code = first; code <= last; ++code)
        font.AddFrame(SolidFrame(widthOf(code), height, depth, valueOf(code)));
    font.SetLineBase(static_cast<int32_t>(height));
    EXPECT_TRUE(font.SetBlitTypeByName("Normal Scale"));
}

// The virtual clock at a moment whose 24-bit tick count is 0, for the life of the object.
class TickZeroClock
{
public:
    static constexpr uint64_t kStart = (64ull << 24) * 1000000ull;
    TickZeroClock() { platform::EnableVirtualClock(kStart); }
    ~TickZeroClock() { platform::DisableVirtualClock(); }
    TickZeroClock(const TickZeroClock&) = delete;
    TickZeroClock& operator=(const TickZeroClock&) = delete;
    // The clock at kStart + milliseconds.
    void SetMilliseconds(uint64_t milliseconds)
    {
        platform::EnableVirtualClock(kStart + milliseconds * 1000000ull);
    }
};

} // namespace seqtest
