#include "blit/modes/RunLengthDraw.h"

#include "blit/kernels/RunLengthDrawers.h"
#include "blit/modes/BlitFrameAccess.h"

std::array<RunLengthRows, kStrengthSlotCount> g_rleLayerSlots;

namespace {

// The source layers in the order they take the slots.
constexpr uint32_t kLayerOrder[kStrengthSlotCount] = {0, 4, 3, 2, 1};
constexpr uint32_t kColourLayer = 4;
constexpr uint32_t kAlphaLayer = 3;

struct RunLengthPass
{
    RunLengthRows rows;
    uint32_t firstRow;
    RunLengthTarget target;
    bool whole;
};

// The drawer of a pair of tables (FindRunLengthDrawer), remembered for the pair and the kernel
// path last asked here: a blend mode asks for the same pair blit after blit.
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Translucent>
VANTOREL_BLIT_STEP RunLengthDrawer DrawerFor(const SpanTable& fill, const SpanTable& literal)
{
    struct Memo
    {
        const SpanTable* fill = nullptr;
        const SpanTable* literal = nullptr;
        SpanKernelPath path = SpanKernelPath::Portable;
        RunLengthDrawer drawer = nullptr;
    };
    static Memo s_memo;
    const SpanKernelPath path = GetSpanKernelPath();
    if (s_memo.fill != &fill || s_memo.literal != &literal || s_memo.path != path)
        s_memo = {&fill, &literal, path, FindRunLengthDrawer(ValueBytes, PixelBytes, Translucent, fill, literal)};
    return s_memo.drawer;
}

// Main rows through the pair of tables: by a drawer with the pair's kernels built in where there
// is one, else by the table walker.
template <uint32_t ValueBytes, uint32_t PixelBytes>
VANTOREL_BLIT_STEP void DrawMainRows(const RunLengthPass& pass, const RunLengthRows& rows, const SpanTable& fill,
                                     const SpanTable& literal)
{
    if (const RunLengthDrawer drawer = DrawerFor<ValueBytes, PixelBytes, false>(fill, literal))
        drawer(rows, nullptr, pass.firstRow, pass.target, pass.whole);
    else
        WalkRunLengthRows<ValueBytes, PixelBytes>(rows, pass.firstRow, pass.target, fill, literal, pass.whole);
}

template <uint32_t ValueBytes, uint32_t PixelBytes>
VANTOREL_BLIT_STEP void DrawWithTranslucentLayer(const RunLengthPass& pass, const RunLengthRows& colours,
                                                 const RunLengthRows& alphas, const RunLengthSpans& spans)
{
    if (pass.rows.IsPresent())
        DrawMainRows<ValueBytes, PixelBytes>(pass, pass.rows, *spans.fill, *spans.literal);
    if (!colours.IsPresent() || !alphas.IsPresent() || !spans.layerFill || !spans.layerLiteral)
        return;
    if (const RunLengthDrawer drawer = DrawerFor<ValueBytes, PixelBytes, true>(*spans.layerFill, *spans.layerLiteral))
        drawer(colours, &alphas, pass.firstRow, pass.target, pass.whole);
    else
        WalkRunLengthAlphaRows<ValueBytes, PixelBytes>(colours, alphas, pass.firstRow, pass.target, *spans.layerFill,
                                                       *spans.layerLiteral, pass.whole);
}

template <uint32_t PixelBytes>
void DrawSlots(const RunLengthPass& pass, const LayeredSpans& spans)
{
    for (uint32_t slot = 0; slot < kStrengthSlotCount; ++slot) {
        const RunLengthRows& rows = g_rleLayerSlots[slot];
        if (rows.IsPresent())
            DrawMainRows<1, PixelBytes>(pass, rows, *spans.fill[slot], *spans.literal[slot]);
    }
}

// The pass and the source's layers (0 the main rows, 1 to 4 the layers, only those of Wanted,
// a mask of bits 1 << layer; the others are left as they are); false when nothing is to be drawn.
template <uint32_t Wanted>
VANTOREL_BLIT_STEP bool ResolvePass(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                                    const CIntRect& destinationRect, uint32_t pixelBytes, RunLengthPass& pass,
                                    std::array<RunLengthRows, 5>& layers)
{
    return WithFrame(source, [&](const auto& from) __attribute__((always_inline)) {
        if (!WithFrame(destination, [&](const auto& to) __attribute__((always_inline)) {
                return ResolveRunLengthTarget(from, sourceRect, to, destinationRect, pixelBytes, pass.target);
            }))
            return false;
        pass.rows = GetRunLengthLayer(from, 0);
        // Spelled out: a loop over the mask is not unrolled, and a sprite's blit is short.
        if constexpr ((Wanted & 1u << 1) != 0)
            layers[1] = GetRunLengthLayer(from, 1);
        if constexpr ((Wanted & 1u << 2) != 0)
            layers[2] = GetRunLengthLayer(from, 2);
        if constexpr ((Wanted & 1u << 3) != 0)
            layers[3] = GetRunLengthLayer(from, 3);
        if constexpr ((Wanted & 1u << 4) != 0)
            layers[4] = GetRunLengthLayer(from, 4);
        pass.firstRow = static_cast<uint32_t>(sourceRect.m_top);
        pass.whole = SpansWholeWidth(from, sourceRect);
        return true;
    });
}

// The frame with its translucent layer, resolved for the one pair of sizes.
template <uint32_t ValueBytes, uint32_t PixelBytes>
void DrawFrameWithTranslucentLayer(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                                   const CIntRect& destinationRect, const RunLengthSpans& spans)
{
    RunLengthPass pass;
    std::array<RunLengthRows, 5> layers;
    if (!ResolvePass<1u << kColourLayer | 1u << kAlphaLayer>(source, sourceRect, destination, destinationRect,
                                                               PixelBytes, pass, layers))
        return;
    DrawWithTranslucentLayer<ValueBytes, PixelBytes>(pass, layers[kColourLayer], layers[kAlphaLayer], spans);
}

} // namespace

void DrawRunLengthFrame(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                        const CIntRect& destinationRect, uint32_t valueBytes, uint32_t pixelBytes,
                        const RunLengthSpans& spans)
{
    // The sizes first, so that each pair resolves its frames with its own sizes built in.
    switch (valueBytes * 8 + pixelBytes) {
    case 2 * 8 + 2:
        DrawFrameWithTranslucentLayer<2, 2>(source, sourceRect, destination, destinationRect, spans);
        break;
    case 2 * 8 + 3:
        DrawFrameWithTranslucentLayer<2, 3>(source, sourceRect, destination, destinationRect, spans);
        break;
    case 2 * 8 + 4:
        DrawFrameWithTranslucentLayer<2, 4>(source, sourceRect, destination, destinationRect, spans);
        break;
    case 3 * 8 + 3:
        DrawFrameWithTranslucentLayer<3, 3>(source, sourceRect, destination, destinationRect, spans);
        break;
    case 3 * 8 + 4:
        DrawFrameWithTranslucentLayer<3, 4>(source, sourceRect, destination, destinationRect, spans);
        break;
    default: break;
    }
}

void DrawRunLengthLayers(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                         const CIntRect& destinationRect, uint32_t blendStep, uint32_t pixelBytes,
                         const LayeredSpans& spans)
{
    if (blendStep >= kStrengthSlotCount)
        return;
    RunLengthPass pass;
    std::array<RunLengthRows, 5> layers;
    if (!ResolvePass<0x1E>(source, sourceRect, destination, destinationRect, pixelBytes, pass, layers))
        return;
    layers[0] = pass.rows;
    for (uint32_t slot = 0; slot < kStrengthSlotCount; ++slot)
        g_rleLayerSlots[slot] = slot < blendStep ? RunLengthRows{} : layers[kLayerOrder[slot - blendStep]];
    switch (pixelBytes) {
    case 1: DrawSlots<1>(pass, spans); break;
    case 2: DrawSlots<2>(pass, spans); break;
    case 3: DrawSlots<3>(pass, spans); break;
    case 4: DrawSlots<4>(pass, spans); break;
    default: break;
    }
}
