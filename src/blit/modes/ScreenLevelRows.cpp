#include "blit/modes/ScreenLevelRows.h"

#include "blit/kernels/PixelAccess.h"

#include <algorithm>
#include <cstdint>

#if defined(__x86_64__)
#include <emmintrin.h>
#define VANTOREL_SCREEN_LEVEL_SSE2 1
#endif

namespace screenlevel {
namespace {

using Op = ScreenLevelOp;

constexpr bool Is555(Op op)
{
    return op == Op::Convert555 || op == Op::Brighten555 || op == Op::Darken555;
}

constexpr bool Raises(Op op)
{
    return op == Op::Brighten555 || op == Op::Brighten565;
}

VANTOREL_KERNEL_INLINE uint32_t To555(uint32_t p)
{
    return ((p & 0xFFC0) >> 1) | (p & 0x001F);
}

// One channel stepped and saturated at 0 and at its top value.
template <bool Raise>
VANTOREL_KERNEL_INLINE uint32_t Step(uint32_t channel, uint32_t step, uint32_t top)
{
    if constexpr (Raise)
        return std::min(channel + step, top);
    else
        return channel > step ? channel - step : 0;
}

template <Op O>
VANTOREL_KERNEL_INLINE uint32_t Plain(uint32_t p, ScreenLevelSteps st)
{
    p &= 0xFFFF;
    if constexpr (O == Op::Convert555) {
        return To555(p);
    } else if constexpr (Is555(O)) {
        const uint32_t q = To555(p);
        return Step<Raises(O)>(q >> 10, st.step5, 31) << 10 | Step<Raises(O)>(q >> 5 & 31, st.step5, 31) << 5 |
               Step<Raises(O)>(q & 31, st.step5, 31);
    } else {
        return Step<Raises(O)>(p >> 11, st.step5, 31) << 11 | Step<Raises(O)>(p >> 5 & 63, st.step6, 63) << 5 |
               Step<Raises(O)>(p & 31, st.step5, 31);
    }
}

// The group rule: the channels stepped in 5-6-5, then converted.
template <Op O>
VANTOREL_KERNEL_INLINE uint32_t Group(uint32_t p, ScreenLevelSteps st)
{
    if constexpr (O == Op::Brighten555)
        return To555(Plain<Op::Brighten565>(p, st));
    else if constexpr (O == Op::Darken555)
        return To555(Plain<Op::Darken565>(p, st));
    else
        return Plain<O>(p, st);
}

template <Op O>
void PlainPixels(uint8_t* d, const uint8_t* s, uint32_t from, uint32_t to, ScreenLevelSteps st)
{
    for (uint32_t i = from; i < to; ++i)
        StorePixel16(d, i, Plain<O>(LoadPixel16(s, i), st));
}

template <Op O>
void PortableGroups(uint8_t* d, const uint8_t* s, uint32_t from, uint32_t to, ScreenLevelSteps st)
{
    for (uint32_t i = from; i < to; ++i)
        StorePixel16(d, i, Group<O>(LoadPixel16(s, i), st));
}

#if VANTOREL_SCREEN_LEVEL_SSE2

VANTOREL_KERNEL_INLINE __m128i Saturate(bool raise, __m128i a, __m128i b)
{
    return raise ? _mm_adds_epu16(a, b) : _mm_subs_epu16(a, b);
}

// The group rule on eight words. Each channel is moved to the top of its word so that the
// unsigned saturation stops it at the channel's limits; the saturated red word keeps only its
// five channel bits.
template <Op O>
VANTOREL_KERNEL_INLINE __m128i GroupWords(__m128i p, __m128i step5, __m128i step6)
{
    __m128i q = p;
    if constexpr (O != Op::Convert555) {
        const __m128i red = _mm_and_si128(Saturate(Raises(O), _mm_and_si128(p, _mm_set1_epi16(-0x0800)), step5),
                                          _mm_set1_epi16(-0x0800));
        const __m128i green = _mm_and_si128(
            _mm_srli_epi16(Saturate(Raises(O), _mm_slli_epi16(_mm_and_si128(p, _mm_set1_epi16(0x07E0)), 5), step6), 5),
            _mm_set1_epi16(0x07E0));
        const __m128i blue = _mm_srli_epi16(Saturate(Raises(O), _mm_slli_epi16(p, 11), step5), 11);
        q = _mm_or_si128(_mm_or_si128(red, green), blue);
    }
    if constexpr (Is555(O))
        q = _mm_or_si128(_mm_srli_epi16(_mm_and_si128(q, _mm_set1_epi16(-0x0040)), 1),
                         _mm_and_si128(q, _mm_set1_epi16(0x001F)));
    return q;
}

// Pixels from .. to - 1, to - from a multiple of 4: eight at a time, then a last four.
template <Op O>
void Sse2Groups(uint8_t* d, const uint8_t* s, uint32_t from, uint32_t to, ScreenLevelSteps st)
{
    const __m128i step5 = _mm_set1_epi16(static_cast<short>(st.step5 << 11));
    const __m128i step6 = _mm_set1_epi16(static_cast<short>(st.step6 << 10));
    uint32_t i = from;
    for (; i + 8 <= to; i += 8) {
        __m128i p;
        std::memcpy(&p, s + 2 * static_cast<size_t>(i), 16);
        const __m128i q = GroupWords<O>(p, step5, step6);
        std::memcpy(d + 2 * static_cast<size_t>(i), &q, 16);
    }
    if (i < to) {
        long long bits;
        std::memcpy(&bits, s + 2 * static_cast<size_t>(i), 8);
        bits = _mm_cvtsi128_si64(GroupWords<O>(_mm_cvtsi64_si128(bits), step5, step6));
        std::memcpy(d + 2 * static_cast<size_t>(i), &bits, 8);
    }
}

#endif

template <Op O>
void Grouped(uint8_t* d, const uint8_t* s, uint32_t n, ScreenLevelSteps st, SpanKernelPath path)
{
    const uint32_t head = GroupedRowHead(d, n);
    const uint32_t end = head + (n - head) / 4 * 4;
    PlainPixels<O>(d, s, 0, head, st);
#if VANTOREL_SCREEN_LEVEL_SSE2
    if (path != SpanKernelPath::Portable)
        Sse2Groups<O>(d, s, head, end, st);
    else
#endif
        PortableGroups<O>(d, s, head, end, st);
    (void)path;
    PlainPixels<O>(d, s, end, n, st);
}

// Calls f.template operator()<O>() for the operation, so that each body is compiled per operation.
template <class F>
auto Dispatch(Op op, F f)
{
    switch (op) {
    case Op::Convert555: return f.template operator()<Op::Convert555>();
    case Op::Brighten555: return f.template operator()<Op::Brighten555>();
    case Op::Darken555: return f.template operator()<Op::Darken555>();
    case Op::Brighten565: return f.template operator()<Op::Brighten565>();
    default: return f.template operator()<Op::Darken565>();
    }
}

} // namespace

uint32_t PlainPixel(ScreenLevelOp op, uint32_t pixel, ScreenLevelSteps steps)
{
    return Dispatch(op, [&]<Op O>() { return Plain<O>(pixel, steps); });
}

uint32_t GroupPixel(ScreenLevelOp op, uint32_t pixel, ScreenLevelSteps steps)
{
    return Dispatch(op, [&]<Op O>() { return Group<O>(pixel & 0xFFFF, steps); });
}

void PlainRow(ScreenLevelOp op, uint8_t* d, const uint8_t* s, uint32_t n, ScreenLevelSteps steps)
{
    Dispatch(op, [&]<Op O>() { PlainPixels<O>(d, s, 0, n, steps); });
}

void GroupedRow(ScreenLevelOp op, uint8_t* d, const uint8_t* s, uint32_t n, ScreenLevelSteps steps,
                SpanKernelPath path)
{
    Dispatch(op, [&]<Op O>() { Grouped<O>(d, s, n, steps, path); });
}

uint32_t GroupedRowHead(const uint8_t* d, uint32_t n)
{
    const uintptr_t address = reinterpret_cast<uintptr_t>(d);
    if (address & 1)
        return n;
    return std::min(n, static_cast<uint32_t>((8 - (address & 7)) & 7) / 2);
}

} // namespace screenlevel
