#pragma once
// The two ways a blit routine draws a run-length source frame through the row walkers, chosen by
// the frame's format:
// - with a translucent layer (16-bit and 24-bit run-length frames): the main rows, then layer 4's
//   colours with layer 3's alpha bytes, each pass over every row of the rectangle;
// - layered (8-bit run-length frames): the main rows and layers 4, 3, 2, 1 placed in five
//   strength slots by the blend mode's blend step and drawn slot by slot.
// Whole-row walkers run when the source rectangle spans the source's width, clipped ones
// otherwise. A missing layer is skipped; a destination without memory draws nothing.
#include "blit/kernels/LightSpanKernels.h"
#include "blit/kernels/RunLengthWalker.h"
#include "graphics/IntRect.h"

#include <array>
#include <cstdint>

class CFrameInterface;

// The span tables of a frame with a translucent layer. A null layer pair leaves the layer out.
struct RunLengthSpans
{
    const SpanTable* fill = nullptr;
    const SpanTable* literal = nullptr;
    const SpanTable* layerFill = nullptr;
    const SpanTable* layerLiteral = nullptr;
};

// The span tables of the five strength slots (slot 0 the strongest); every slot needs both.
struct LayeredSpans
{
    std::array<const SpanTable*, kStrengthSlotCount> fill{};
    std::array<const SpanTable*, kStrengthSlotCount> literal{};
};

// The rows of each strength slot of the layered draw in progress (absent: the slot is empty).
extern std::array<RunLengthRows, kStrengthSlotCount> g_rleLayerSlots;

// Values of valueBytes (2 or 3) onto pixels of pixelBytes (2, 3 or 4); other pairs draw nothing.
void DrawRunLengthFrame(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                        const CIntRect& destinationRect, uint32_t valueBytes, uint32_t pixelBytes,
                        const RunLengthSpans& spans);

// The main rows go to slot blendStep, layer 4 to the next slot, then layers 3, 2 and 1; layers
// past the last slot are not drawn, so a step above 4 draws nothing. 8-bit values onto pixels
// of pixelBytes (1 to 4).
void DrawRunLengthLayers(CFrameInterface* source, const CIntRect& sourceRect, CFrameInterface* destination,
                         const CIntRect& destinationRect, uint32_t blendStep, uint32_t pixelBytes,
                         const LayeredSpans& spans);
