#pragma once
// A span kernel applies one operation (copy, fill, blend, convert) to a run of n consecutive
// pixels of one destination row. Kernels come in 64-entry span tables indexed by the run length
// (0..63): entry 0 does nothing, entries 1..16 are made for their own length and ignore the
// length argument, entries 17..63 hold one loop that reads it. The destination comes first and
// the run length last; between them the operands of the operation.
//
// The one rule: a table's operands fix which member of SpanKernel is set, and a caller calls
// only that member (the row lists below and in SpanKernelTable.h say which). No kernel checks
// anything or reports anything; pointers need no alignment; source and destination runs never
// overlap; nothing outside the n pixels (and n alpha bytes) is read or written.
#include <cstdint>

// (destination, source pixels, n)
using SpanSourceKernel = void (*)(void* destination, const void* source, uint32_t n);
// (destination, value, n): a pixel, palette index or colour in the low bits of value.
using SpanValueKernel = void (*)(void* destination, uint32_t value, uint32_t n);
// (destination, source pixels, one alpha byte per pixel, n)
using SpanSourceAlphaKernel = void (*)(void* destination, const void* source, const uint8_t* alpha, uint32_t n);
// (destination, value, alpha in bits 0-7, n)
using SpanValueAlphaKernel = void (*)(void* destination, uint32_t value, uint32_t alpha, uint32_t n);

// One table entry. The constructor taken records which operands the kernel wants.
union SpanKernel
{
    constexpr SpanKernel(SpanSourceKernel kernel) : source(kernel) {}
    constexpr SpanKernel(SpanValueKernel kernel) : value(kernel) {}
    constexpr SpanKernel(SpanSourceAlphaKernel kernel) : sourceAlpha(kernel) {}
    constexpr SpanKernel(SpanValueAlphaKernel kernel) : valueAlpha(kernel) {}

    SpanSourceKernel source;
    SpanValueKernel value;
    SpanSourceAlphaKernel sourceAlpha;
    SpanValueAlphaKernel valueAlpha;
};

constexpr uint32_t kSpanTableLength = 64;
// The longest run a table entry is made for: run-length codes carry 6-bit lengths.
constexpr uint32_t kLongestSpan = kSpanTableLength - 1;
// Runs up to this length have their own kernel; longer ones share the row's loop.
constexpr uint32_t kLongestUnrolledSpan = 16;
