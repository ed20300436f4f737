#include "platform/PageConversion.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace {

uint32_t Load16(const uint8_t* at)
{
    return at[0] | (static_cast<uint32_t>(at[1]) << 8);
}

uint32_t Widen5(uint32_t v)
{
    return (v << 3) | (v >> 2);
}

uint32_t Widen6(uint32_t v)
{
    return (v << 2) | (v >> 4);
}

uint32_t Argb(uint32_t r, uint32_t g, uint32_t b)
{
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

#if defined(__SSE2__)
// Eight 16-bit pixels into their widened channels, then into eight ARGB values: the low halves
// (G << 8 | B) and high halves (0xFF << 8 | R) of each 32-bit value are interleaved.
template <bool k565> void ConvertRow16Sse2(const uint8_t* source, uint32_t* destination, int count)
{
    const __m128i mask3 = _mm_set1_epi16(0x0007), maskF8 = _mm_set1_epi16(0x00F8);
    const __m128i maskFC = _mm_set1_epi16(0x00FC), mask03 = _mm_set1_epi16(0x0003);
    const __m128i alpha = _mm_set1_epi16(static_cast<short>(0xFF00));
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 2 * x));
        const __m128i b = _mm_or_si128(_mm_and_si128(_mm_slli_epi16(p, 3), maskF8),
                                       _mm_and_si128(_mm_srli_epi16(p, 2), mask3));
        __m128i r, g;
        if (k565) {
            r = _mm_or_si128(_mm_and_si128(_mm_srli_epi16(p, 8), maskF8), _mm_srli_epi16(p, 13));
            g = _mm_or_si128(_mm_and_si128(_mm_srli_epi16(p, 3), maskFC), _mm_and_si128(_mm_srli_epi16(p, 9), mask03));
        } else {
            r = _mm_or_si128(_mm_and_si128(_mm_srli_epi16(p, 7), maskF8), _mm_and_si128(_mm_srli_epi16(p, 12), mask3));
            g = _mm_or_si128(_mm_and_si128(_mm_srli_epi16(p, 2), maskF8), _mm_and_si128(_mm_srli_epi16(p, 7), mask3));
        }
        const __m128i low = _mm_or_si128(_mm_slli_epi16(g, 8), b);
        const __m128i high = _mm_or_si128(alpha, r);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + x), _mm_unpacklo_epi16(low, high));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + x + 4), _mm_unpackhi_epi16(low, high));
    }
    if (k565)
        ConvertRow565Plain(source + 2 * x, destination + x, count - x);
    else
        ConvertRow555Plain(source + 2 * x, destination + x, count - x);
}
#endif

} // namespace

PaletteTable32 MakePaletteTable32(const std::array<PaletteEntry, 256>& palette)
{
    PaletteTable32 table{};
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = Argb(palette[i].red, palette[i].green, palette[i].blue);
    return table;
}

void ConvertRow565Plain(const uint8_t* source, uint32_t* destination, int count)
{
    for (int x = 0; x < count; ++x) {
        const uint32_t p = Load16(source + 2 * x);
        destination[x] = Argb(Widen5(p >> 11), Widen6((p >> 5) & 63), Widen5(p & 31));
    }
}

void ConvertRow555Plain(const uint8_t* source, uint32_t* destination, int count)
{
    for (int x = 0; x < count; ++x) {
        const uint32_t p = Load16(source + 2 * x);
        destination[x] = Argb(Widen5((p >> 10) & 31), Widen5((p >> 5) & 31), Widen5(p & 31));
    }
}

void ConvertRow32Plain(const uint8_t* source, uint32_t* destination, int count)
{
    for (int x = 0; x < count; ++x) {
        uint32_t p;
        std::memcpy(&p, source + 4 * x, 4);
        destination[x] = p | 0xFF000000u;
    }
}

void ConvertRow565(const uint8_t* source, uint32_t* destination, int count)
{
#if defined(__SSE2__)
    ConvertRow16Sse2<true>(source, destination, count);
#else
    ConvertRow565Plain(source, destination, count);
#endif
}

void ConvertRow555(const uint8_t* source, uint32_t* destination, int count)
{
#if defined(__SSE2__)
    ConvertRow16Sse2<false>(source, destination, count);
#else
    ConvertRow555Plain(source, destination, count);
#endif
}

void ConvertRow32(const uint8_t* source, uint32_t* destination, int count)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; x + 4 <= count; x += 4) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 4 * x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + x), _mm_or_si128(p, alpha));
    }
#endif
    ConvertRow32Plain(source + 4 * x, destination + x, count - x);
}

void ConvertRow8(const uint8_t* source, uint32_t* destination, int count, const PaletteTable32& table)
{
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        destination[x] = table[source[x]];
        destination[x + 1] = table[source[x + 1]];
        destination[x + 2] = table[source[x + 2]];
        destination[x + 3] = table[source[x + 3]];
    }
    for (; x < count; ++x)
        destination[x] = table[source[x]];
}

void ConvertRow24(const uint8_t* source, uint32_t* destination, int count)
{
    for (int x = 0; x < count; ++x, source += 3)
        destination[x] = Argb(source[2], source[1], source[0]);
}

bool ConvertRect(const uint8_t* page, int pitch, const DisplayMode& mode, uint32_t greenMask,
                 const PaletteTable32& table, const PageRect& rect, void* destination, int destinationPitch)
{
    const int bytes = BytesPerPixel(mode.bitsPerPixel);
    if (!page || !destination || bytes == 0 || rect.left < 0 || rect.top < 0 || rect.right > mode.width ||
        rect.bottom > mode.height || rect.right <= rect.left || rect.bottom <= rect.top)
        return false;
    const int count = rect.right - rect.left;
    for (int y = rect.top; y < rect.bottom; ++y) {
        const uint8_t* source = page + static_cast<size_t>(y) * pitch + static_cast<size_t>(rect.left) * bytes;
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(destination) +
                                                static_cast<size_t>(y - rect.top) * destinationPitch);
        switch (mode.bitsPerPixel) {
        case 8: ConvertRow8(source, row, count, table); break;
        case 16:
            if (greenMask == kGreenMask555)
                ConvertRow555(source, row, count);
            else
                ConvertRow565(source, row, count);
            break;
        case 24: ConvertRow24(source, row, count); break;
        default: ConvertRow32(source, row, count); break;
        }
    }
    return true;
}

} // namespace platform
