// Run-length rows and BMP palettes from untrusted bytes: every pixel query of a frame whose main
// block and layers are the input must stay inside the input.
#include "graphics/Color.h"
#include "graphics/Frame.h"
#include "graphics/PaletteTable.h"

#include <cstdlib>
#include <cstring>

namespace {

// A copy of the input as a run-length block (its real size in front) and a row table whose
// offsets come from the input too, so that they may point anywhere.
void AdoptBlock(CFrame& frame, uint32_t layer, const uint8_t* data, size_t size, uint32_t height)
{
    uint32_t blockSize = static_cast<uint32_t>(size + 4);
    auto* block = static_cast<uint8_t*>(std::malloc(blockSize));
    std::memcpy(block, &blockSize, 4);
    if (size)
        std::memcpy(block + 4, data, size);
    auto* rows = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * (height < 2 ? 2 : height)));
    for (uint32_t r = 0; r < (height < 2 ? 2 : height); ++r)
        rows[r] = size > r ? 4 + (data[r] * 7u + r) % (blockSize + 8) : 4;
    if (layer == 0)
        frame.AdoptPixels(block, rows);
    else
        frame.AdoptLayer(layer, block, rows);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    uint32_t width = 1 + data[0] % 40;
    uint32_t height = 1 + data[1] % 8;
    const uint32_t formats[][2] = {{8, kFrameRunLength8}, {16, kFrameRunLengthAlpha}, {24, kFrameRunLengthAlpha},
                                   {8, kFrameRunLengthAlpha}, {32, kFrameRunLengthAlpha}};
    const uint32_t* format = formats[data[2] % 5];
    CFrame frame;
    frame.Create(width, height, format[0]);
    AdoptBlock(frame, 0, data + 3, size - 3, height);
    for (uint32_t layer = 1; layer <= 4; ++layer)
        AdoptBlock(frame, layer, data + 3 + layer, size - 3 > layer ? size - 3 - layer : 0, height);
    frame.SetFormatFlags(frame.GetFormatFlags() | format[1]);
    CColor color;
    for (int32_t y = -1; y <= static_cast<int32_t>(height); ++y)
        for (int32_t x = -1; x <= static_cast<int32_t>(width); ++x) {
            frame.GetPixelColor(x, y, color);
            frame.GetRawPixel(x, y);
        }

    CFrame palette;
    ReadBmpPalette(palette, data, static_cast<uint32_t>(size));
    return 0;
}
