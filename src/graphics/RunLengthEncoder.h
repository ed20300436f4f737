#pragma once
// Encoding plain rows into the run-length row format (RunLengthRows.h): skip runs of up to 127
// transparent pixels, fill runs of up to 63 equal pixels, literal runs of up to 63 pixels.
//
// What counts as transparent and as equal is the caller's: it passes one key per pixel, the
// value kTransparentKey for a transparent pixel, and equal keys for pixels that a fill run may
// stand for (a fill run carries the first pixel's value).
#include <cstdint>
#include <vector>

constexpr uint32_t kTransparentKey = 0xFFFFFFFFu;

// Appends the runs of one row of width pixels; values holds width values of valueBytes each.
// A stretch of equal pixels becomes a fill run only when it is longer than fillThreshold; a
// literal run stops in front of fillThreshold equal pixels.
void EncodeRunLengthRow(const uint8_t* values, uint32_t valueBytes, const uint32_t* keys, uint32_t width,
                        uint32_t fillThreshold, std::vector<uint8_t>& out);

// A block of encoded rows: the u32 total size, then the rows; rows[r] is row r's byte offset.
// Both are heap blocks (std::malloc), made for CFrame::AdoptPixels and AdoptLayer.
struct CEncodedBlock
{
    uint8_t* m_block = nullptr;
    uint32_t* m_rows = nullptr;
};

// Encodes height rows; rowValues(r) gives row r's values and rowKeys(r, keys) fills its keys.
// False (nothing allocated) when memory runs out or the block would not fit its 32-bit size.
template <class RowValues, class RowKeys>
bool EncodeRunLengthBlock(uint32_t width, uint32_t height, uint32_t valueBytes, uint32_t fillThreshold,
                          RowValues rowValues, RowKeys rowKeys, CEncodedBlock& out);

// Copies the gathered bytes and row offsets into exactly sized heap blocks.
bool FinishRunLengthBlock(std::vector<uint8_t>& bytes, const std::vector<uint32_t>& rows, CEncodedBlock& out);

template <class RowValues, class RowKeys>
bool EncodeRunLengthBlock(uint32_t width, uint32_t height, uint32_t valueBytes, uint32_t fillThreshold,
                          RowValues rowValues, RowKeys rowKeys, CEncodedBlock& out)
{
    std::vector<uint8_t> bytes(4, 0);
    std::vector<uint32_t> rows;
    std::vector<uint32_t> keys(width);
    rows.reserve(height);
    for (uint32_t r = 0; r < height; ++r) {
        if (bytes.size() > UINT32_MAX)
            return false;
        rows.push_back(static_cast<uint32_t>(bytes.size()));
        rowKeys(r, keys.data());
        EncodeRunLengthRow(rowValues(r), valueBytes, keys.data(), width, fillThreshold, bytes);
    }
    return FinishRunLengthBlock(bytes, rows, out);
}
