#pragma once
// Anti-aliased lines one pixel wide: along the major axis every step lights the two pixels across
// the line around it, weighted by where the line passes between them (the top 8 bits of the minor
// coordinate's fraction f: 255 - f for the nearer pixel, f for the next). Coordinates inside the
// rasterisers are 16.16 fixed point in the frame's pixels; there is one rasteriser per format,
// 8-bit palettised (through the palette's channels and its inverse colour table), RGB 5-6-5, and
// 24-bit (also for 32-bit pixels, whose alpha byte stays). Run-length frames and frames without
// pixels are left unchanged.
#include <cstdint>

class CColor;
class CFrameInterface;

// End points in the frame's coordinates (relative to its hot spot). The line is clipped to the
// frame; nothing is written outside it. A line of no length draws nothing.
void DrawAntialiasedLineOnFrame(CFrameInterface& frame, float x0, float y0, float x1, float y1, const CColor& color);

// The rasterisers, on a clipped line in 16.16 pixel coordinates.
void DrawAntialiasedLine8(CFrameInterface& frame, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t index);
void DrawAntialiasedLine16(CFrameInterface& frame, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t pixel);
// bytes: blue, green, red; bytesPerPixel 3, or 4 for 32-bit frames.
void DrawAntialiasedLine24(CFrameInterface& frame, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                           const uint8_t* bytes, uint32_t bytesPerPixel);
