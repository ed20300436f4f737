#pragma once
// Reading single pixels of run-length rows.
//
// A run-length block begins with its total size in bytes (u32); the rows follow, each found at its
// byte offset from the block start in the block's row-offset table. A row is a sequence of runs
// that together cover the frame's width, each opened by a header byte h:
//   h & 0x80           skip run: h & 0x7F transparent pixels, no data
//   h & 0x40           literal run: h & 0x3F pixels, their values follow
//   otherwise          fill run: h & 0x3F pixels of the one value that follows
// Reads never go past the block's recorded size.
#include <cstdint>

struct RunLengthLookup
{
    bool m_covered = false;           // a literal or fill run covers the pixel
    const uint8_t* m_value = nullptr; // its value (valueBytes bytes)
};

// The total size recorded at the start of a block (0 for none).
uint32_t GetRunLengthBlockSize(const uint8_t* block);

// The run of row `row` that covers column x, with values of valueBytes bytes. Rows whose data
// ends early, or whose offset lies outside the block, cover nothing from that point on.
RunLengthLookup FindRunLengthPixel(const uint8_t* block, const uint32_t* rowOffsets, uint32_t row, uint32_t width,
                                   uint32_t x, uint32_t valueBytes);

// The alpha byte of a translucent pixel: the alpha rows (bare bytes, one per pixel of each literal
// run and one per fill run of the colour rows, no headers) are walked in step with the colour
// rows. False when the colour rows do not cover the pixel or the alpha data ends early.
bool FindRunLengthAlpha(const uint8_t* colorBlock, const uint32_t* colorRowOffsets, const uint8_t* alphaBlock,
                        const uint32_t* alphaRowOffsets, uint32_t row, uint32_t width, uint32_t x,
                        uint32_t valueBytes, uint8_t& alpha);

// Whether a block read from a file holds together: its recorded size is size, every row starts
// inside it, and each row's runs stay inside it and cover exactly width pixels.
bool IsRunLengthBlockValid(const uint8_t* block, uint32_t size, const uint32_t* rowOffsets, uint32_t height,
                           uint32_t width, uint32_t valueBytes);
// Whether an alpha block (bare bytes in step with the colour rows' runs) holds every alpha byte
// the colour rows need; the colour rows must be valid.
bool IsAlphaBlockValid(const uint8_t* colorBlock, const uint32_t* colorRowOffsets, const uint8_t* alphaBlock,
                       uint32_t alphaSize, const uint32_t* alphaRowOffsets, uint32_t height, uint32_t width,
                       uint32_t valueBytes);
