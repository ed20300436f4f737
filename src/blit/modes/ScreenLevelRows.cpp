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

// Which rule a run of pixels follows.
enum class Rule
{
    Plain,
    Group
};

template <Op O, Rule R>
VANTOREL_KERNEL_INLINE uint32_t Pixel(uint32_t p, ScreenLevelSteps st)
{
    if constexpr (R == Rule::Plain)
        return Plain<O>(p, st);
    else
        return Group<O>(p, st);
}

template <Op O, Rule R>
void PortablePixels(uint8_t* d, const uint8_t* s, uint32_t from, uint32_t to, ScreenLevelSteps st)
{
    for (uint32_t i = from; i < to; ++i)
        StorePixel16(d, i, Pixel<O, R>(LoadPixel16(s, i), st));
}

#if VANTOREL_SCREEN_LEVEL_SSE2

// One channel of eight words stepped with unsigned 16-bit saturation: the channel (mask) is moved
// up by `up` bits so that its top bit is bit 15, where the saturation stops it at its limits, and
// moved back; what saturation spilled below the channel is masked off.
template <bool Raise>
VANTOREL_KERNEL_INLINE __m128i StepChannel(__m128i p, int mask, int up, __m128i step)
{
    const __m128i field = _mm_set1_epi16(static_cast<short>(mask));
    const __m128i top = _mm_sll_epi16(_mm_and_si128(p, field), _mm_cvtsi32_si128(up));
    const __m128i moved = Raise ? _mm_adds_epu16(top, step) : _mm_subs_epu16(top, step);
    return _mm_and_si128(_mm_srl_epi16(moved, _mm_cvtsi32_si128(up)), field);
}

VANTOREL_KERNEL_INLINE __m128i To555Words(__m128i p)
{
    return _mm_or_si128(_mm_srli_epi16(_mm_and_si128(p, _mm_set1_epi16(-0x0040)), 1),
                        _mm_and_si128(p, _mm_set1_epi16(0x001F)));
}

// The rule on eight words; step5 and step6 are the steps moved to the top of a word
// (step5 << 11, step6 << 10).
template <Op O, Rule R>
VANTOREL_KERNEL_INLINE __m128i Words(__m128i p, __m128i step5, __m128i step6)
{
    constexpr bool kRaise = Raises(O);
    if constexpr (O == Op::Convert555) {
        return To555Words(p);
    } else if constexpr (Is555(O) && R == Rule::Plain) {
        // Converted first: every channel is five bits and moves by step5.
        const __m128i q = To555Words(p);
        return _mm_or_si128(_mm_or_si128(StepChannel<kRaise>(q, 0x7C00, 1, step5), StepChannel<kRaise>(q, 0x03E0, 6, step5)),
                            StepChannel<kRaise>(q, 0x001F, 11, step5));
    } else {
        const __m128i q = _mm_or_si128(
            _mm_or_si128(StepChannel<kRaise>(p, 0xF800, 0, step5), StepChannel<kRaise>(p, 0x07E0, 5, step6)),
            StepChannel<kRaise>(p, 0x001F, 11, step5));
        return Is555(O) ? To555Words(q) : q;
    }
}

// Pixels from .. to - 1: eight at a time, then four, then one at a time.
template <Op O, Rule R>
void Sse2Pixels(uint8_t* d, const uint8_t* s, uint32_t from, uint32_t to, ScreenLevelSteps st)
{
    const __m128i step5 = _mm_set1_epi16(static_cast<short>(st.step5 << 11));
    const __m128i step6 = _mm_set1_epi16(static_cast<short>(st.step6 << 10));
    uint32_t i = from;
    for (; i + 8 <= to; i += 8) {
        __m128i p;
        std::memcpy(&p, s + 2 * static_cast<size_t>(i), 16);
        const __m128i q = Words<O, R>(p, step5, step6);
        std::memcpy(d + 2 * static_cast<size_t>(i), &q, 16);
    }
    if (i + 4 <= to) {
        long long bits;
        std::memcpy(&bits, s + 2 * static_cast<size_t>(i), 8);
        bits = _mm_cvtsi128_si64(Words<O, R>(_mm_cvtsi64_si128(bits), step5, step6));
        std::memcpy(d + 2 * static_cast<size_t>(i), &bits, 8);
        i += 4;
    }
    PortablePixels<O, R>(d, s, i, to, st);
}

#endif

template <Op O, Rule R>
void Pixels(uint8_t* d, const uint8_t* s, uint32_t from, uint32_t to, ScreenLevelSteps st, SpanKernelPath path)
{
#if VANTOREL_SCREEN_LEVEL_SSE2
    if (path != SpanKernelPath::Portable)
        return Sse2Pixels<O, R>(d, s, from, to, st);
#endif
    (void)path;
    PortablePixels<O, R>(d, s, from, to, st);
}

template <Op O>
void Grouped(uint8_t* d, const uint8_t* s, uint32_t n, ScreenLevelSteps st, SpanKernelPath path)
{
    const uint32_t head = GroupedRowHead(d, n);
    const uint32_t end = head + (n - head) / 4 * 4;
    PortablePixels<O, Rule::Plain>(d, s, 0, head, st);
    Pixels<O, Rule::Group>(d, s, head, end, st, path);
    PortablePixels<O, Rule::Plain>(d, s, end, n, st);
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

void PlainRow(ScreenLevelOp op, uint8_t* d, const uint8_t* s, uint32_t n, ScreenLevelSteps steps,
              SpanKernelPath path)
{
    Dispatch(op, [&]<Op O>() { Pixels<O, Rule::Plain>(d, s, 0, n, steps, path); });
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
