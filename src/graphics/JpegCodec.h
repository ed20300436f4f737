#pragma once
// JPEG streams inside the program's files, through libjpeg: decoding a stream held in memory or
// a file into 24-bit B, G, R pixels, and encoding a frame's colours into a file. The lossy
// source image records of frames store their colour this way.
//
// Library errors end the operation with a failed result; library warnings (a stream cut short,
// for instance) are shown in a "JPEG Error" message box, after which decoding goes on.
#include <cstddef>
#include <cstdint>

class CFrame;
class CFrameInterface;
class CVirtualFile;

// The largest image decoded (width x height), so that a hostile header cannot ask for gigabytes.
constexpr uint64_t kMaxJpegPixels = uint64_t(1) << 26;

// Decodes the stream (bytes after its end-of-image code are ignored) into a new heap block
// (std::free it) of width x height pixels B, G, R, rows top to bottom. Greyscale streams come
// out as grey B, G, R. Null, with width and height 0, for empty or damaged data, CMYK streams,
// images wider or taller than 65535 or larger than kMaxJpegPixels, or when memory runs out.
uint8_t* ReadJpegFromMemory(const uint8_t* bytes, size_t length, uint32_t& width, uint32_t& height);
// The image size from the stream's header alone, nothing decoded and no warning shown; false
// for a stream whose header does not read.
bool ReadJpegSize(const uint8_t* bytes, size_t length, uint32_t& width, uint32_t& height);
// The same for the bytes from the file's position to its end.
uint8_t* ReadJpegFromFile(CVirtualFile& file, uint32_t& width, uint32_t& height);
// Decodes the file's stream into the frame as a plain 24-bit image; false, with the frame left
// as it was, when decoding fails.
bool LoadJpegIntoFrame(CFrame& frame, CVirtualFile& file);

// Encodes width x height pixels R, G, B (rows without padding) at quality 0..100 (baseline
// tables) into the file. False for null pixels, a width or height of 0, a library error or a
// short write.
bool WriteJpegToFile(CVirtualFile& file, const uint8_t* rgb, uint32_t width, uint32_t height, int quality);
// Encodes the frame's colours: 24-bit and 32-bit plain pixels as their bytes B, G, R (alpha is
// not composited, so translucent pixels keep their colour); other frames through the copy
// blitter's conversion to 24 bits. False when the frame is empty or cannot be converted (8-bit
// frames without a palette among them).
bool WriteFrameJpeg(CFrameInterface& frame, CVirtualFile& file, int quality);
