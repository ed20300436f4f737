#include "graphics/RunLengthRows.h"

#include <cstring>

namespace {

// Walks one row, calling visit(start, count, kind, data) for each run until visit returns true.
// kind: 0 skip, 1 literal, 2 fill. data points at the run's values.
template <class Visit>
void WalkRow(const uint8_t* block, const uint32_t* rowOffsets, uint32_t row, uint32_t width, uint32_t valueBytes,
             Visit visit)
{
    uint32_t size = GetRunLengthBlockSize(block);
    if (!block || !rowOffsets || size <= 4)
        return;
    uint64_t at = rowOffsets[row];
    if (at < 4 || at >= size)
        return;
    uint32_t position = 0;
    while (position < width && at < size) {
        uint8_t header = block[at++];
        uint32_t count;
        int kind;
        uint64_t dataBytes;
        if (header & 0x80) {
            count = header & 0x7F;
            kind = 0;
            dataBytes = 0;
        } else if (header & 0x40) {
            count = header & 0x3F;
            kind = 1;
            dataBytes = static_cast<uint64_t>(count) * valueBytes;
        } else {
            count = header & 0x3F;
            kind = 2;
            dataBytes = valueBytes;
        }
        if (at + dataBytes > size)
            return;
        if (visit(position, count, kind, block + at))
            return;
        at += dataBytes;
        position += count;
    }
}

} // namespace

uint32_t GetRunLengthBlockSize(const uint8_t* block)
{
    if (!block)
        return 0;
    uint32_t size;
    std::memcpy(&size, block, 4);
    return size;
}

RunLengthLookup FindRunLengthPixel(const uint8_t* block, const uint32_t* rowOffsets, uint32_t row, uint32_t width,
                                   uint32_t x, uint32_t valueBytes)
{
    RunLengthLookup result;
    if (x >= width)
        return result;
    WalkRow(block, rowOffsets, row, width, valueBytes,
            [&](uint32_t start, uint32_t count, int kind, const uint8_t* data) {
                if (x >= start + count)
                    return false;
                if (kind != 0) {
                    result.m_covered = true;
                    result.m_value = kind == 1 ? data + (x - start) * valueBytes : data;
                }
                return true;
            });
    return result;
}

bool FindRunLengthAlpha(const uint8_t* colorBlock, const uint32_t* colorRowOffsets, const uint8_t* alphaBlock,
                        const uint32_t* alphaRowOffsets, uint32_t row, uint32_t width, uint32_t x,
                        uint32_t valueBytes, uint8_t& alpha)
{
    uint32_t alphaSize = GetRunLengthBlockSize(alphaBlock);
    if (!alphaRowOffsets || x >= width || alphaSize <= 4)
        return false;
    uint64_t alphaAt = alphaRowOffsets[row];
    bool found = false;
    WalkRow(colorBlock, colorRowOffsets, row, width, valueBytes,
            [&](uint32_t start, uint32_t count, int kind, const uint8_t*) {
                bool covers = x < start + count;
                if (kind == 1) {
                    if (covers) {
                        uint64_t at = alphaAt + (x - start);
                        if (at >= 4 && at < alphaSize) {
                            alpha = alphaBlock[at];
                            found = true;
                        }
                    }
                    alphaAt += count;
                } else if (kind == 2) {
                    if (covers && alphaAt >= 4 && alphaAt < alphaSize) {
                        alpha = alphaBlock[alphaAt];
                        found = true;
                    }
                    alphaAt += 1;
                }
                return covers;
            });
    return found;
}

bool IsRunLengthBlockValid(const uint8_t* block, uint32_t size, const uint32_t* rowOffsets, uint32_t height,
                           uint32_t width, uint32_t valueBytes)
{
    if (!block || !rowOffsets || size < 4 || GetRunLengthBlockSize(block) != size)
        return false;
    for (uint32_t row = 0; row < height; ++row) {
        uint64_t at = rowOffsets[row];
        if (at < 4 || at > size)
            return false;
        uint64_t covered = 0;
        while (covered < width) {
            if (at >= size)
                return false;
            const uint8_t header = block[at++];
            const uint32_t count = header & ((header & 0x80) ? 0x7F : 0x3F);
            if (!(header & 0x80))
                at += (header & 0x40) ? static_cast<uint64_t>(count) * valueBytes : valueBytes;
            if (at > size)
                return false;
            covered += count;
        }
        if (covered != width)
            return false;
    }
    return true;
}

bool IsAlphaBlockValid(const uint8_t* colorBlock, const uint32_t* colorRowOffsets, const uint8_t* alphaBlock,
                       uint32_t alphaSize, const uint32_t* alphaRowOffsets, uint32_t height, uint32_t width,
                       uint32_t valueBytes)
{
    if (!alphaBlock || !alphaRowOffsets || alphaSize < 4 || GetRunLengthBlockSize(alphaBlock) != alphaSize)
        return false;
    for (uint32_t row = 0; row < height; ++row) {
        uint64_t needed = 0;
        WalkRow(colorBlock, colorRowOffsets, row, width, valueBytes,
                [&](uint32_t, uint32_t count, int kind, const uint8_t*) {
                    needed += kind == 1 ? count : kind == 2 ? 1 : 0;
                    return false;
                });
        const uint64_t at = alphaRowOffsets[row];
        if (needed > 0 && (at < 4 || at + needed > alphaSize))
            return false;
    }
    return true;
}
