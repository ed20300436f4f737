#include "graphics/RunLengthEncoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kMaxSkip = 127;
constexpr uint32_t kMaxDrawn = 63;

// Pixels from x on (before end) whose key equals the key at x, counted at most limit.
uint32_t CountEqual(const uint32_t* keys, uint32_t x, uint32_t end, uint32_t limit)
{
    uint32_t n = 0;
    while (x + n < end && n < limit && keys[x + n] == keys[x])
        ++n;
    return n;
}

void AppendValues(std::vector<uint8_t>& out, const uint8_t* values, uint32_t valueBytes, uint32_t first, uint32_t count)
{
    const uint8_t* from = values + static_cast<size_t>(first) * valueBytes;
    out.insert(out.end(), from, from + static_cast<size_t>(count) * valueBytes);
}

} // namespace

void EncodeRunLengthRow(const uint8_t* values, uint32_t valueBytes, const uint32_t* keys, uint32_t width,
                        uint32_t fillThreshold, std::vector<uint8_t>& out)
{
    uint32_t x = 0;
    while (x < width) {
        uint32_t skipped = 0;
        while (x + skipped < width && skipped < kMaxSkip && keys[x + skipped] == kTransparentKey)
            ++skipped;
        if (skipped > 0) {
            out.push_back(static_cast<uint8_t>(0x80 | skipped));
            x += skipped;
        }
        uint32_t spanEnd = x;
        while (spanEnd < width && keys[spanEnd] != kTransparentKey)
            ++spanEnd;
        while (x < spanEnd) {
            const uint32_t repeat = CountEqual(keys, x, spanEnd, kMaxDrawn);
            if (repeat > fillThreshold) {
                out.push_back(static_cast<uint8_t>(repeat));
                AppendValues(out, values, valueBytes, x, 1);
                x += repeat;
                continue;
            }
            // A literal run grows until fillThreshold equal pixels lie ahead, 63 pixels, or the
            // span's end.
            uint32_t count = 1;
            while (count < kMaxDrawn && x + count < spanEnd) {
                const uint32_t p = x + count;
                if (CountEqual(keys, p, spanEnd, std::min(fillThreshold, spanEnd - p)) >= fillThreshold)
                    break;
                ++count;
            }
            out.push_back(static_cast<uint8_t>(0x40 | count));
            AppendValues(out, values, valueBytes, x, count);
            x += count;
        }
    }
}

bool FinishRunLengthBlock(std::vector<uint8_t>& bytes, const std::vector<uint32_t>& rows, CEncodedBlock& out)
{
    if (bytes.size() > UINT32_MAX)
        return false;
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    std::memcpy(bytes.data(), &size, 4);
    const size_t rowCount = std::max<size_t>(rows.size(), 2);
    auto* block = static_cast<uint8_t*>(std::malloc(size));
    auto* table = static_cast<uint32_t*>(std::malloc(rowCount * sizeof(uint32_t)));
    if (!block || !table) {
        std::free(block);
        std::free(table);
        return false;
    }
    std::memcpy(block, bytes.data(), size);
    for (size_t r = 0; r < rowCount; ++r)
        table[r] = r < rows.size() ? rows[r] : size;
    out.m_block = block;
    out.m_rows = table;
    return true;
}
