#pragma once
// RGB565 rows of plain pixels blended at the level, each row one run of the grouped level row
// (Blend16SrcLevelMmx): the same pixels as calling that row's loop for every row, without a call
// per row. The kernel path in force (SetSpanKernelPath) chooses the form.
#include <cstddef>
#include <cstdint>

// Blends height rows of width pixels from source onto destination at the level behind
// g_currentAlphaRow (the blit routine points it at its level first).
void BlendLevelRows565(uint8_t* destination, ptrdiff_t destinationPitch, const uint8_t* source, ptrdiff_t sourcePitch,
                       uint32_t width, uint32_t height);
