#include "blit/modes/BlitFrameAccess.h"

#include "blit/Blitter.h"
#include "graphics/FrameInterface.h"
#include "graphics/PaletteTable.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kPaletteBytes = 256 * 3;
constexpr uint32_t kBlendTableBytes = 256 * 256;

const uint8_t* PaletteBytes(const CPaletteTable* table)
{
    return table && table->GetSize() >= kPaletteBytes ? table->GetData() : nullptr;
}

} // namespace

SpanSourceKernel RowCopyKernel(uint32_t width, uint32_t bytes)
{
    // Entries 1..63 of the copy rows take a run of `width` pixels (the loops of entries 17..63
    // read the count, which is the width).
    const uint32_t entry = width <= kLongestSpan ? width : kLongestSpan;
    switch (bytes) {
    case 1: return g_spanKernels[kSpanCopy8][entry].source;
    case 2: return g_spanKernels[kSpanCopy16][entry].source;
    case 3: return g_spanKernels[kSpanCopy24][entry].source;
    default:
        // Four-byte pixels: the 16-bit kernel made for twice the length, which ignores the count.
        if (width != 0 && 2 * width <= kLongestUnrolledSpan)
            return g_spanKernels[kSpanCopy16][2 * width].source;
        return [](void* destination, const void* source, uint32_t n) {
            std::memcpy(destination, source, 4 * size_t{n});
        };
    }
}

void CopyPlainRows(const PlainBlit& blit, uint32_t bytes)
{
    const size_t rowBytes = static_cast<size_t>(blit.width) * bytes;
    // Compared as addresses: the two rectangles may lie in different blocks.
    const uintptr_t source = reinterpret_cast<uintptr_t>(blit.source);
    const uintptr_t destination = reinterpret_cast<uintptr_t>(blit.destination);
    const uintptr_t sourceEnd = source + (blit.height - 1) * blit.sourcePitch + rowBytes;
    const uintptr_t destinationEnd = destination + (blit.height - 1) * blit.destinationPitch + rowBytes;
    const bool overlap = source < destinationEnd && destination < sourceEnd;
    if (!overlap) {
        const SpanSourceKernel copy = RowCopyKernel(blit.width, bytes);
        ForEachRow(blit, [copy](uint8_t* d, const uint8_t* s, uint32_t width) { copy(d, s, width); });
        return;
    }
    // Bottom up when the destination lies below the source.
    const bool upward = destination > source;
    for (uint32_t i = 0; i < blit.height; ++i) {
        const uint32_t r = upward ? blit.height - 1 - i : i;
        std::memmove(blit.destination + r * blit.destinationPitch, blit.source + r * blit.sourcePitch, rowBytes);
    }
}


const uint8_t* ChooseSourcePalette(CBlitter* blitter, CFrameInterface* source)
{
    if (const uint8_t* own = PaletteBytes(blitter->GetLookupTable()))
        return own;
    return source->HasPalette() ? PaletteBytes(source->GetPalette()) : nullptr;
}

const uint8_t* BlendTableOf(const CPaletteTable* table)
{
    return table && table->GetKind() == 4 && table->GetSize() >= kBlendTableBytes ? table->GetData() : nullptr;
}

