#include "blit/modes/RunLengthDraw.h"

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

template <uint32_t ValueBytes, uint32_t PixelBytes>
void DrawWithTranslucentLayer(const RunLengthPass& pass, const RunLengthRows& colours, const RunLengthRows& alphas,
                              const RunLengthSpans& spans)
{
    if (pass.rows.IsPresent())
        WalkRunLengthRows<ValueBytes, PixelBytes>(pass.rows, pass.firstRow, pass.target, *spans.fill, *spans.literal,
                                                  pass.whole);
    if (colours.IsPresent() && alphas.IsPresent() && spans.layerFill && spans.layerLiteral)
        WalkRunLengthAlphaRows<ValueBytes, PixelBytes>(colours, alphas, pass.firstRow, pass.target, *spans.layerFill,
                                                       *spans.layerLiteral, pass.whole);
}

template <uint32_t PixelBytes>
void DrawSlots(const RunLengthPass& pass, const LayeredSpans& spans)
{
    for (uint32_t slot = 0; slot < kStrengthSlotCount; ++slot) {
        const RunLengthRows& rows = g_rleLayerSlots[slot];
        if (rows.IsPresent())
            WalkRunLengthRows<1, PixelBytes>(rows, pass.firstRow, pass.target, *spans.fill[slot], *spans.literal[slot],
                                             pass.whole);
    }
}

bool ResolvePass(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                 const CIntRect& destinationRect, uint32_t pixelBytes, RunLengthPass& pass)
{
    pass.rows = GetRunLengthLayer(source, 0);
    pass.firstRow = static_cast<uint32_t>(sourceRect.m_top);
    pass.target = ResolveRunLengthTarget(source, sourceRect, destination, destinationRect, pixelBytes);
    pass.whole = SpansWholeWidth(source, sourceRect);
    return pass.target.firstRow != nullptr;
}

} // namespace

void DrawRunLengthFrame(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                        const CIntRect& destinationRect, uint32_t valueBytes, uint32_t pixelBytes,
                        const RunLengthSpans& spans)
{
    RunLengthPass pass;
    if (!ResolvePass(source, sourceRect, destination, destinationRect, pixelBytes, pass))
        return;
    const RunLengthRows colours = GetRunLengthLayer(source, kColourLayer);
    const RunLengthRows alphas = GetRunLengthLayer(source, kAlphaLayer);
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
    RunLengthPass pass;
    if (!ResolvePass(source, sourceRect, destination, destinationRect, pixelBytes, pass))
        return;
    for (uint32_t slot = 0; slot < kStrengthSlotCount; ++slot)
        g_rleLayerSlots[slot] =
            slot < blendStep ? RunLengthRows{} : GetRunLengthLayer(source, kLayerOrder[slot - blendStep]);
    switch (pixelBytes) {
    case 1: DrawSlots<1>(pass, spans); break;
    case 2: DrawSlots<2>(pass, spans); break;
    case 3: DrawSlots<3>(pass, spans); break;
    case 4: DrawSlots<4>(pass, spans); break;
    default: break;
    }
}
