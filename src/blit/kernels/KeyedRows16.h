#pragma once
// RGB565 rows copied with the colour key 0: a source pixel of value 0 leaves the destination pixel
// as it was, every other one is written. The kernel path in force (SetSpanKernelPath) chooses the
// form; every form writes the same pixels. Rows that overlap the rows they are copied onto (a
// frame drawn onto itself) are drawn as if the source had been read whole first, as a copy moves
// like memmove.
#include <cstddef>
#include <cstdint>

void CopyKeyedRows16(uint8_t* destination, ptrdiff_t destinationPitch, const uint8_t* source, ptrdiff_t sourcePitch,
                     uint32_t width, uint32_t height);
