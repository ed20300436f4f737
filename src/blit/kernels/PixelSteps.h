#pragma once
// The per-pixel blend steps that the span kernels share. All of them are integer arithmetic and
// give the same bits on every processor.
//
// Alpha is one byte 0..255 (higher bits are ignored). The RGB565 steps weigh the source by
// w5 = a >> 3 in the 5-bit fields (red bits 11-15, blue bits 0-4) and w6 = a >> 2 in the 6-bit
// green field (bits 5-10):
//   BlendPixel565         f_d + floor((f_s - f_d) * w / 32 or 64): a = 255 never quite reaches
//                         the source when it is above the destination.
//   BlendPixel565Rounded  (f_s * w + f_d * (M - w)) / M rounded half up, M = 31 or 63: the step
//                         of the four-pixel groups, which reaches the source at a = 255.
// The 24-bit step moves each byte by trunc((c_s - c_d) * a / 256).
#include <cstdint>

constexpr __attribute__((always_inline)) uint32_t BlendPixel565(uint32_t destination, uint32_t source, uint32_t alpha)
{
    const int32_t w5 = static_cast<int32_t>(alpha & 0xFF) >> 3;
    const int32_t w6 = static_cast<int32_t>(alpha & 0xFF) >> 2;
    const int32_t rd = destination >> 11 & 0x1F, gd = destination >> 5 & 0x3F, bd = destination & 0x1F;
    const int32_t rs = source >> 11 & 0x1F, gs = source >> 5 & 0x3F, bs = source & 0x1F;
    // >> of a negative product rounds toward minus infinity (defined since C++20).
    const int32_t r = rd + ((rs - rd) * w5 >> 5);
    const int32_t g = gd + ((gs - gd) * w6 >> 6);
    const int32_t b = bd + ((bs - bd) * w5 >> 5);
    return static_cast<uint32_t>(r << 11 | g << 5 | b);
}

// Written as unsigned 16-bit word arithmetic (multiply, add, logical shift, mask; the largest
// intermediate is 65016) so that the vector forms compute exactly these bits.
constexpr __attribute__((always_inline)) uint32_t BlendPixel565Rounded(uint32_t destination, uint32_t source, uint32_t alpha)
{
    const uint32_t w6 = (alpha & 0xFF) >> 2, w5 = (alpha & 0xFF) >> 3;
    // Green at 16 times its value, so that the add-and-shift division by 63 keeps its precision.
    const uint32_t x = (source >> 1 & 0x03F0) * w6 + (destination >> 1 & 0x03F0) * (63 - w6) + 0x0200;
    const uint32_t green = (x + (x >> 6)) >> 5 & 0x07E0;
    const uint32_t tb = (source & 0x001F) * w5 + (destination & 0x001F) * (31 - w5) + 0x0010;
    const uint32_t blue = (tb + (tb >> 5)) >> 5;
    const uint32_t tr = (source >> 11 & 0x001F) * w5 + (destination >> 11 & 0x001F) * (31 - w5) + 0x0010;
    const uint32_t red = (tr + (tr >> 5)) >> 5 << 11;
    return blue | green | red;
}

// One 8-bit channel of the 24-bit step; the quotient rounds toward zero.
constexpr __attribute__((always_inline)) uint8_t BlendChannel24(uint32_t destination, uint32_t source, uint32_t alpha)
{
    const int32_t d = static_cast<int32_t>(destination & 0xFF);
    const int32_t diff = static_cast<int32_t>(source & 0xFF) - d;
    return static_cast<uint8_t>(d + diff * static_cast<int32_t>(alpha & 0xFF) / 256);
}
