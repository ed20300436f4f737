#pragma once
// Pixel reads and writes at any alignment, through std::memcpy (which the compiler turns into
// plain moves); 16-bit pixels are host-order words.
#include <bit>
#include <cstdint>
#include <cstring>

// The wide fill patterns below are built in little-endian byte order.
static_assert(std::endian::native == std::endian::little);

// The per-pixel helpers of the kernels must melt into their loops, whatever the optimiser thinks.
#define VANTOREL_KERNEL_INLINE inline __attribute__((always_inline))

VANTOREL_KERNEL_INLINE uint32_t LoadPixel16(const uint8_t* run, uint32_t i)
{
    uint16_t pixel;
    std::memcpy(&pixel, run + 2 * static_cast<size_t>(i), 2);
    return pixel;
}

VANTOREL_KERNEL_INLINE void StorePixel16(uint8_t* run, uint32_t i, uint32_t pixel)
{
    const uint16_t word = static_cast<uint16_t>(pixel);
    std::memcpy(run + 2 * static_cast<size_t>(i), &word, 2);
}

// Stores `count` copies of a pixel of Bytes bytes (the pixel's low bytes); nothing past the run
// is written. Short runs go in 8-byte moves; long ones (where the count is not fixed) copy a
// block of sixteen pixels, which is worth building only then.
template <uint32_t Bytes>
VANTOREL_KERNEL_INLINE void FillPixels(uint8_t* run, uint32_t pixel, uint32_t count, bool countIsFixed)
{
    static_assert(Bytes >= 2 && Bytes <= 4);
    // The run's bytes as a repeating sequence of words: three-byte pixels repeat every three.
    constexpr uint32_t kPeriod = Bytes == 3 ? 3 : 1;
    const uint64_t v = pixel & (Bytes == 4 ? 0xFFFFFFFFull : (1ull << 8 * Bytes) - 1);
    uint64_t words[kPeriod];
    if constexpr (Bytes == 3) {
        words[0] = v | v << 24 | v << 48;
        words[1] = v >> 16 | v << 8 | v << 32 | v << 56;
        words[2] = v >> 8 | v << 16 | v << 40;
    } else {
        words[0] = Bytes == 2 ? v * 0x0001000100010001ull : v | v << 32;
    }
    const size_t total = static_cast<size_t>(count) * Bytes;
    size_t done = 0;
    if (!countIsFixed && count >= 32) {
        uint64_t block[2 * Bytes];
        for (uint32_t k = 0; k < 2 * Bytes; ++k)
            block[k] = words[k % kPeriod];
        for (; done + sizeof block <= total; done += sizeof block)
            std::memcpy(run + done, block, sizeof block);
    }
    uint32_t k = 0;
    for (; done + 8 <= total; done += 8, k = k + 1 == kPeriod ? 0 : k + 1)
        std::memcpy(run + done, &words[k], 8);
    std::memcpy(run + done, &words[k], total - done);
}
