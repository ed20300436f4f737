// Drawing partly or wholly outside frames of every format, with hot spots, must touch no byte
// outside the frame (run under AddressSanitizer, every frame's memory is exactly its size) and no
// pixel outside what was drawn.
#include "FrameTestSupport.h"
#include "blit/modes/CopyBlitter.h"
#include "graphics/Color.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

using namespace frametest;

namespace {

// A frame whose rows are further apart than its width, like a display surface: pixel memory of
// exactly pitch x height pixels.
class CPitchedFrame : public CFrame
{
public:
    CPitchedFrame(uint32_t width, uint32_t height, uint32_t depth, uint32_t pitch)
    {
        Create(width, height, depth);
        uint32_t bytes = depth / 8;
        auto* pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(pitch) * height * bytes, 1));
        AdoptPixels(pixels, BuildRowOffsetTable(pitch, height));
    }
};

struct Format
{
    uint32_t depth;
    uint32_t runLength;
    uint32_t pitch; // 0: the width
};

void MakeFrame(CFrame& frame, const Format& format, uint32_t width, uint32_t height)
{
    if (format.runLength == kFrameRunLength8) {
        std::vector<std::vector<uint8_t>> rows(height, std::vector<uint8_t>{0x80 | 3, 0x40 | 2, 5, 6});
        for (auto& row : rows)
            row.push_back(static_cast<uint8_t>(width - 5)), row.push_back(9);
        MakeRunLengthFrame(frame, width, 8, kFrameRunLength8, rows);
        AddLayer(frame, 4, std::vector<std::vector<uint8_t>>(height, {static_cast<uint8_t>(width), 4}));
        AddLayer(frame, 1, std::vector<std::vector<uint8_t>>(height, {static_cast<uint8_t>(0x80 | width)}));
    } else if (format.runLength == kFrameRunLengthAlpha) {
        std::vector<std::vector<uint8_t>> rows(height, std::vector<uint8_t>{0x02, 0x00, 0xF8});
        for (auto& row : rows)
            row.push_back(static_cast<uint8_t>(0x80 | (width - 2)));
        MakeRunLengthFrame(frame, width, 16, kFrameRunLengthAlpha, rows);
        std::vector<std::vector<uint8_t>> colours(height, std::vector<uint8_t>{0x82, 0x42, 1, 2, 3, 4});
        for (auto& row : colours)
            row.push_back(static_cast<uint8_t>(0x80 | (width - 4)));
        AddLayer(frame, 4, colours);
        AddLayer(frame, 3, std::vector<std::vector<uint8_t>>(height, {50, 60}));
    } else {
        frame.Create(width, height, format.depth);
        FillPattern(frame, format.depth);
    }
}

int32_t Coordinate(std::mt19937& random)
{
    static const int32_t extremes[] = {INT32_MIN, -70000, -40000, 40000, 70000, INT32_MAX};
    if (random() % 10 == 0)
        return extremes[random() % 6];
    return static_cast<int32_t>(random() % 120) - 60;
}

} // namespace

TEST(OutsideDrawing, EveryFormatStaysInsideItsFrame)
{
    const Format formats[] = {{8, 0, 0},  {16, 0, 0},  {24, 0, 0},  {32, 0, 0}, {8, 0, 37}, {16, 0, 33},
                              {24, 0, 41}, {8, kFrameRunLength8, 0}, {16, kFrameRunLengthAlpha, 0}};
    ScopedCurrentPalette palette(RampEntry);
    CPaletteTable remap;
    remap.Create(2);
    for (uint32_t i = 0; i < 256; ++i)
        remap.GetData()[i] = static_cast<uint8_t>(255 - i);
    std::mt19937 random(99);
    for (const Format& format : formats) {
        const uint32_t width = 31, height = 17;
        CFrame plain;
        CPitchedFrame pitched(width, height, format.depth, format.pitch ? format.pitch : width);
        CFrame& frame = format.pitch ? static_cast<CFrame&>(pitched) : plain;
        if (format.pitch)
            FillPattern(frame, 3);
        else
            MakeFrame(frame, format, width, height);
        frame.SetOrigin(-11, -6);
        CFrame source;
        source.Create(9, 7, format.depth);
        FillPattern(source, 5);
        source.SetOrigin(-2, -3);
        bool plainRows = format.runLength == 0;

        for (int i = 0; i < 400; ++i) {
            auto before = plainRows ? Snapshot(frame) : std::vector<uint32_t>();
            CIntRect rect{Coordinate(random), Coordinate(random), Coordinate(random), Coordinate(random)};
            int32_t x0 = Coordinate(random), y0 = Coordinate(random), x1 = Coordinate(random), y1 = Coordinate(random);
            CColor color;
            color.SetFromPaletteIndex(static_cast<uint8_t>(random()));
            color.Set(color.GetRed(), color.GetGreen(), color.GetBlue(), static_cast<int>(random() % 256));
            // Which frame pixels the operation may change.
            auto inRect = [&](int32_t x, int32_t y) {
                return x >= rect.m_left && x < rect.m_right && y >= rect.m_top && y < rect.m_bottom;
            };
            std::function<bool(int32_t, int32_t)> mayChange;
            switch (i % 7) {
            case 0:
                frame.FillRect(rect, color);
                mayChange = inRect;
                break;
            case 1:
                frame.ClearRect(rect);
                mayChange = inRect;
                break;
            case 2: {
                frame.DrawLine(x0, y0, x1, y1, color);
                double dx = double(x1) - x0, dy = double(y1) - y0, length = std::hypot(dx, dy);
                mayChange = [=](int32_t x, int32_t y) {
                    if (length == 0)
                        return x == x0 && y == y0;
                    return std::abs(dx * (double(y0) - y) - (double(x0) - x) * dy) / length <= 1.5;
                };
                break;
            }
            case 3:
                frame.SetPixel(x0 % 40, y0 % 30, color);
                mayChange = [=](int32_t x, int32_t y) { return x == x0 % 40 && y == y0 % 30; };
                break;
            case 4:
                frame.ApplyRemapTableToRect(rect, remap);
                mayChange = inRect;
                break;
            case 5: {
                int32_t x = x0 % 50, y = y0 % 40;
                frame.DrawFrameAt(&source, x, y, &g_copyBlitter);
                mayChange = [=](int32_t px, int32_t py) {
                    return px >= x - 2 && px < x + 7 && py >= y - 3 && py < y + 4;
                };
                break;
            }
            default: {
                frame.Blit(&source, rect, CIntRect{x0, y0, x1, y1}, &g_copyBlitter);
                mayChange = [=](int32_t x, int32_t y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
                break;
            }
            }
            CColor out;
            frame.GetPixelColor(x1 % 40, y1 % 30, out);
            frame.GetRawPixel(x0 % 40, y1 % 30);
            frame.IsPixelOpaque(x1 % 40, y0 % 30);
            if (!plainRows)
                continue;
            auto after = Snapshot(frame);
            for (uint32_t r = 0; r < height; ++r)
                for (uint32_t c = 0; c < width; ++c) {
                    int32_t x = static_cast<int32_t>(c) - 11, y = static_cast<int32_t>(r) - 6;
                    if (!mayChange(x, y)) {
                        ASSERT_EQ(after[r * width + c], before[r * width + c])
                            << "format " << format.depth << "/" << format.pitch << " op " << i % 7 << " at " << x
                            << "," << y;
                    }
                }
        }
        frame.Clear();
        frame.FillWithByte(7);
        frame.FillWithColor(g_colorWhite);
    }
}
