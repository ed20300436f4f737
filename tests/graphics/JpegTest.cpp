// JPEG streams: the program's encoder read back by its decoder, streams made here with libjpeg
// directly (greyscale, CMYK), and damaged or cut streams.
#include "LoadTestSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/VirtualFile.h"
#include "graphics/JpegCodec.h"
#include "platform/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

using namespace frametest;
using namespace loadtest;

namespace {

// A stream written by libjpeg itself from samples of the given colour space: all equal to sample,
// or, when noisy, varying so that the image data outweighs the tables.
std::string LibraryJpeg(J_COLOR_SPACE space, int components, uint32_t width, uint32_t height, uint8_t sample,
                        bool noisy = false)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(width * components, sample);
    while (info.next_scanline < height) {
        for (size_t i = 0; noisy && i < row.size(); ++i)
            row[i] = static_cast<uint8_t>((i * 97 + info.next_scanline * 31) ^ (i * i));
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

std::vector<uint8_t> Decode(const std::string& bytes, uint32_t& width, uint32_t& height)
{
    uint8_t* pixels = ReadJpegFromMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), width, height);
    std::vector<uint8_t> out;
    if (pixels)
        out.assign(pixels, pixels + static_cast<size_t>(width) * height * 3);
    std::free(pixels);
    return out;
}

std::string Encode(CFrame& frame, int quality)
{
    CVirtualFile file;
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    if (!WriteFrameJpeg(frame, file, quality))
        return {};
    std::string out(file.GetSize(), '\0');
    file.Seek(0);
    file.Read(out.data(), static_cast<uint32_t>(out.size()));
    return out;
}

} // namespace

TEST(Jpeg, ColoursComeBackInTheirChannels)
{
    for (uint32_t depth : {24u, 32u}) {
        CFrame frame;
        frame.Create(48, 32, depth);
        for (uint32_t y = 0; y < 32; ++y)
            for (uint32_t x = 0; x < 48; ++x) {
                // Left third pure red, then smooth ramps; translucent pixels keep their colour.
                const uint32_t bgr = x < 16 ? 0xFF0000 : ((x * 5) | ((y * 7) << 8) | (200u << 16));
                WritePixel(frame, x, y, bgr | (depth == 32 ? (x % 3 ? 0x40000000u : 0u) : 0u));
            }
        const std::string stream = Encode(frame, 90);
        ASSERT_FALSE(stream.empty());
        uint32_t width = 0, height = 0;
        const std::vector<uint8_t> pixels = Decode(stream, width, height);
        ASSERT_EQ(width, 48u);
        ASSERT_EQ(height, 32u);
        double squares = 0;
        for (uint32_t y = 0; y < 32; ++y)
            for (uint32_t x = 0; x < 48; ++x) {
                const uint8_t* at = &pixels[(y * 48 + x) * 3];
                if (x < 12) {
                    EXPECT_GT(at[2], 230) << "red stays red";
                    EXPECT_LT(at[0] + at[1], 40);
                }
                const uint32_t expected = ReadPixel(frame, x, y);
                for (int c = 0; c < 3; ++c) {
                    const double d = at[c] - double((expected >> (8 * c)) & 255);
                    squares += d * d;
                }
            }
        EXPECT_GT(10 * std::log10(255.0 * 255.0 / (squares / (48 * 32 * 3))), 30.0) << depth;
    }
}

TEST(Jpeg, PalettedSixteenBitAndRunLengthFramesAreEncodedAsTheirColours)
{
    ScopedCurrentPalette palette(RampEntry);
    for (uint32_t depth : {8u, 16u})
        for (bool runLength : {false, true}) {
            CFrame plain, encoded;
            plain.Create(40, 24, depth);
            FillPattern(plain, 3);
            MakeRunLengthCopy(encoded, plain, depth == 8 ? kFrameRunLength8 : kFrameRunLengthAlpha);
            CFrame& source = runLength ? encoded : plain;
            if (depth == 8)
                source.SetPalette(g_currentPalette);
            // The 24-bit frame of the colours the pixels stand for.
            CFrame colours;
            colours.Create(40, 24, 24);
            for (uint32_t y = 0; y < 24; ++y)
                for (uint32_t x = 0; x < 40; ++x) {
                    const uint32_t p = ReadPixel(plain, x, y);
                    uint8_t r = static_cast<uint8_t>((p >> 8) & 0xF8), g = static_cast<uint8_t>((p >> 3) & 0xFC),
                            b = static_cast<uint8_t>((p << 3) & 0xF8);
                    if (depth == 8)
                        RampEntry(p, r, g, b);
                    WritePixel(colours, x, y, Bgra(b, g, r, 0));
                }
            const std::string stream = Encode(source, 90);
            ASSERT_FALSE(stream.empty()) << depth << " " << runLength;
            EXPECT_EQ(stream, Encode(colours, 90)) << depth << " " << runLength;
        }
    // An 8-bit frame without a palette has no colours to encode.
    CFrame bare;
    bare.Create(8, 8, 8);
    FillPattern(bare);
    EXPECT_TRUE(Encode(bare, 90).empty());
}

TEST(Jpeg, StreamsOfOtherKindsAndDamage)
{
    uint32_t width = 0, height = 0;
    // Greyscale streams come out as grey B, G, R.
    const std::vector<uint8_t> grey = Decode(LibraryJpeg(JCS_GRAYSCALE, 1, 5, 3, 90), width, height);
    ASSERT_EQ(grey.size(), 5u * 3 * 3);
    for (uint8_t v : grey)
        EXPECT_NEAR(v, 90, 2);
    EXPECT_TRUE(Decode(LibraryJpeg(JCS_CMYK, 4, 4, 4, 10), width, height).empty()) << "CMYK is refused";
    EXPECT_EQ(width, 0u);

    // Bytes after the end-of-image code are ignored.
    const std::string colour = LibraryJpeg(JCS_RGB, 3, 8, 8, 128);
    const std::vector<uint8_t> plain = Decode(colour, width, height);
    EXPECT_EQ(Decode(colour + "unrelated data that follows", width, height), plain);

    EXPECT_TRUE(Decode("", width, height).empty());
    EXPECT_TRUE(Decode("not a jpeg stream at all", width, height).empty());

    // A header that asks for an image far too large is refused before anything is allocated.
    std::string huge = colour;
    const size_t frameMarker = huge.find("\xFF\xC0", 0, 2);
    ASSERT_NE(frameMarker, std::string::npos);
    huge[frameMarker + 5] = huge[frameMarker + 7] = static_cast<char>(0xFD);
    huge[frameMarker + 6] = huge[frameMarker + 8] = static_cast<char>(0xE8);
    EXPECT_TRUE(Decode(huge, width, height).empty());
}

TEST(Jpeg, ACutStreamDecodesAfterOneWarning)
{
    platform::HeadlessBackend& headless = platform::GetHeadlessBackend();
    headless.ClearMessageBoxes();
    const std::string colour = LibraryJpeg(JCS_RGB, 3, 64, 64, 200, true);
    uint32_t width = 0, height = 0;
    EXPECT_FALSE(Decode(colour.substr(0, colour.size() * 3 / 4), width, height).empty());
    const auto boxes = headless.GetMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "JPEG Error");
    headless.ClearMessageBoxes();
}

TEST(Jpeg, FilesAndEmptyFrames)
{
    CFrame empty;
    CVirtualFile file;
    file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    EXPECT_FALSE(WriteFrameJpeg(empty, file, 50));
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_FALSE(WriteJpegToFile(file, nullptr, 1, 1, 50));

    // The reader takes the stream from the file's position; at the end there is nothing.
    const std::string colour = LibraryJpeg(JCS_RGB, 3, 6, 2, 30);
    file.Write("ab", 2);
    file.Write(colour.data(), static_cast<uint32_t>(colour.size()));
    file.Seek(2);
    CFrame frame;
    ASSERT_TRUE(LoadJpegIntoFrame(frame, file));
    EXPECT_EQ(frame.GetBitsPerPixel(), 24u);
    EXPECT_EQ(frame.GetWidth(), 6);
    uint32_t width = 0, height = 0;
    uint8_t* none = ReadJpegFromFile(file, width, height);
    EXPECT_EQ(none, nullptr);
    std::free(none);
}
