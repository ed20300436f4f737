#pragma once
// Truevision TGA files: the reader decodes uncompressed (type 2) and run-length (type 10)
// true-colour files of 24 or 32 bits into a frame of any depth; the writer saves a frame as a
// run-length file (colour-mapped, type 9, for 8-bit frames), bottom row first.
//
// The reader trusts nothing in the bytes: a file that ends early is a failed read. Run-length
// packets may run on from one row into the next; a packet that runs past the end of the image is
// the one damage that ends the program, with the corruption message naming the file and the row.
// Rows stored right to left (descriptor bit 0x10) are mirrored back.
#include <cstdint>

class CFrame;
class CPaletteTable;

struct CTgaHeader
{
    uint8_t m_idLength = 0;
    uint8_t m_colorMapType = 0;
    uint8_t m_imageType = 0;
    uint16_t m_colorMapFirst = 0;
    uint16_t m_colorMapLength = 0;
    uint8_t m_colorMapEntrySize = 0;
    uint16_t m_xOrigin = 0;
    uint16_t m_yOrigin = 0;
    uint16_t m_width = 0;
    uint16_t m_height = 0;
    uint8_t m_bitsPerPixel = 0;
    uint8_t m_descriptor = 0; // 0x20: the first row is the top row; 0x10: rows run right to left
};

constexpr uint32_t kTgaHeaderSize = 18;
constexpr uint8_t kTgaTrueColor = 2;
constexpr uint8_t kTgaRunLengthColorMapped = 9;
constexpr uint8_t kTgaRunLengthTrueColor = 10;

// Copies the header fields; true when the header is one the reader takes: no colour map, image
// type 2 or 10, 24 or 32 bits. False as well when fewer than 18 bytes are given.
bool ReadTgaHeader(const uint8_t* bytes, uint32_t size, CTgaHeader& out);

// Decodes the file's bytes into the frame, reallocated at depth (8, 16, 24 or 32) unless it
// already has plain pixels of that size and depth. 8-bit frames get the nearest entries 1 to 255
// of the palette (the current palette when null), black pixels index 0; 32-bit frames from
// 24-bit files get alpha 0 for black. False, with the frame empty, for a refused header, another
// depth, or a file that ends early. fileName only names the file in the corruption message.
bool ReadTga(CFrame& frame, const uint8_t* bytes, uint32_t size, const char* fileName, CPaletteTable* palette,
             uint32_t depth);

// The header of a file opened through the file layer: whether it is a run-length true-colour
// file, and its bits per pixel (0 when the file is missing or refused).
bool IsRunLengthTga(const char* fileName);
uint8_t GetTgaBitsPerPixel(const char* fileName);

// Writes an 8-, 24- or 32-bit frame (run-length frames as their decoded copy) to the file opened
// with openMode | create | write. False, with the file left as it was, when the frame has no
// pixels or no TGA form, cannot be decoded, or the file cannot be written.
bool WriteTga(CFrame& frame, const char* fileName, uint32_t openMode);
