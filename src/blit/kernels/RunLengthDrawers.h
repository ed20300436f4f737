#pragma once
// Run-length walkers that draw without a call per run. The table walkers (RunLengthWalker.h) call
// entry n of a span table for a run of n pixels: a call whose target changes with every run,
// which the processor cannot foresee. For the pairs of span tables the blend modes draw with most
// (the copies and fills of every depth, the RGB565 blends of the grouped rows, the 8-bit table
// blends and the 24-bit blends) there is a walker with the pair's kernels built in.
//
// The one rule: a drawer gives exactly the pixels of the table walker with its pair of tables,
// reads and writes nothing more, and follows the span kernel path (SetSpanKernelPath) in force
// when it is looked up.
#include "blit/kernels/RunLengthWalker.h"

#include <cstdint>

// Draws rows firstRow .. firstRow + target.rowCount - 1 as WalkRunLengthRows (alphas null) or
// WalkRunLengthAlphaRows (the alpha rows in step with translucent colour rows) would.
using RunLengthDrawer = void (*)(const RunLengthRows& rows, const RunLengthRows* alphas, uint32_t firstRow,
                                 const RunLengthTarget& target, bool whole);

// The drawer for values of valueBytes onto pixels of pixelBytes with the pair of tables (main rows,
// or translucent rows with alpha bytes), for the path in force or the one given; null when the
// pair has none (the table walker then draws).
RunLengthDrawer FindRunLengthDrawer(uint32_t valueBytes, uint32_t pixelBytes, bool translucent, const SpanTable& fill,
                                    const SpanTable& literal);
RunLengthDrawer FindRunLengthDrawer(uint32_t valueBytes, uint32_t pixelBytes, bool translucent, const SpanTable& fill,
                                    const SpanTable& literal, SpanKernelPath path);
