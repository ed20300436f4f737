#include "blit/modes/RunLengthDraw.h"

#include "blit/kernels/RunLengthDrawers.h"
#include "blit/modes/BlitFrameAccess.h"
#include "graphics/FrameInterface.h"

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

// Main rows through the pair of tables: by a drawer with the pair's kernels built in where there
// is one, else by the table walker.
// The steps of a blit are melted into the two entry points: a sprite's blit is short, and its
// fixed cost counts.
#define VANTOREL_BLIT_STEP inline __attribute__((always_inline))

template <uint32_t ValueBytes, uint32_t PixelBytes>
VANTOREL_BLIT_STEP void DrawMainRows(const RunLengthPass& pass, const RunLengthRows& rows, const SpanTable& fill, const SpanTable& literal)
{
    if (const RunLengthDrawer drawer = FindRunLengthDrawer(ValueBytes, PixelBytes, false, fill, literal))
        drawer(rows, nullptr, pass.firstRow, pass.target, pass.whole);
    else
        WalkRunLengthRows<ValueBytes, PixelBytes>(rows, pass.firstRow, pass.target, fill, literal, pass.whole);
}

template <uint32_t ValueBytes, uint32_t PixelBytes>
VANTOREL_BLIT_STEP void DrawWithTranslucentLayer(const RunLengthPass& pass, const RunLengthRows& colours, const RunLengthRows& alphas,
                              const RunLengthSpans& spans)
{
    if (pass.rows.IsPresent())
        DrawMainRows<ValueBytes, PixelBytes>(pass, pass.rows, *spans.fill, *spans.literal);
    if (!colours.IsPresent() || !alphas.IsPresent() || !spans.layerFill || !spans.layerLiteral)
        return;
    if (const RunLengthDrawer drawer =
            FindRunLengthDrawer(ValueBytes, PixelBytes, true, *spans.layerFill, *spans.layerLiteral))
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

VANTOREL_BLIT_STEP bool ResolvePass(const FrameBlitView& source, const CIntRect& sourceRect, CFrameInterface* destination,
                 const CIntRect& destinationRect, uint32_t pixelBytes, RunLengthPass& pass)
{
    FrameBlitView target;
    destination->GetBlitView(target);
    if (!ResolveRunLengthTarget(source, sourceRect, target, destinationRect, pixelBytes, pass.target))
        return false;
    pass.rows = GetRunLengthLayer(source, 0);
    pass.firstRow = static_cast<uint32_t>(sourceRect.m_top);
    pass.whole = SpansWholeWidth(source, sourceRect);
    return true;
}

} // namespace

void DrawRunLengthFrame(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                        const CIntRect& destinationRect, uint32_t valueBytes, uint32_t pixelBytes,
                        const RunLengthSpans& spans)
{
    FrameBlitView view;
    source->GetBlitView(view);
    RunLengthPass pass;
    if (!ResolvePass(view, sourceRect, destination, destinationRect, pixelBytes, pass))
        return;
    const RunLengthRows colours = GetRunLengthLayer(view, kColourLayer);
    const RunLengthRows alphas = GetRunLengthLayer(view, kAlphaLayer);
    switch (valueBytes * 8 + pixelBytes) {
    case 2 * 8 + 2: DrawWithTranslucentLayer<2, 2>(pass, colours, alphas, spans); break;
    case 2 * 8 + 3: DrawWithTranslucentLayer<2, 3>(pass, colours, alphas, spans); break;
    case 2 * 8 + 4: DrawWithTranslucentLayer<2, 4>(pass, colours, alphas, spans); break;
    case 3 * 8 + 3: DrawWithTranslucentLayer<3, 3>(pass, colours, alphas, spans); break;
    case 3 * 8 + 4: DrawWithTranslucentLayer<3, 4>(pass, colours, alphas, spans); break;
    default: break;
    }
}

void DrawRunLengthLayers(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                         const CIntRect& destinationRect, uint32_t blendStep, uint32_t pixelBytes,
                         const LayeredSpans& spans)
{
    if (blendStep >= kStrengthSlotCount)
        return;
    FrameBlitView view;
    source->GetBlitView(view);
    RunLengthPass pass;
    if (!ResolvePass(view, sourceRect, destination, destinationRect, pixelBytes, pass))
        return;
    for (uint32_t slot = 0; slot < kStrengthSlotCount; ++slot)
        g_rleLayerSlots[slot] =
            slot < blendStep ? RunLengthRows{} : GetRunLengthLayer(view, kLayerOrder[slot - blendStep]);
    switch (pixelBytes) {
    case 1: DrawSlots<1>(pass, spans); break;
    case 2: DrawSlots<2>(pass, spans); break;
    case 3: DrawSlots<3>(pass, spans); break;
    case 4: DrawSlots<4>(pass, spans); break;
    default: break;
    }
}
