// TGA files: the reader on bytes built here and on files written by ImageMagick, the writer's
// packets for worked rows and its files read back by ImageMagick.
#include "LoadTestSupport.h"
#include "graphics/TgaImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace frametest;
using namespace loadtest;

namespace {

std::vector<uint8_t> Header(uint8_t type, uint16_t width, uint16_t height, uint8_t bits, uint8_t descriptor,
                            uint8_t mapType = 0)
{
    return {0, mapType, type, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
            static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8), bits, descriptor};
}

void Append(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes)
{
    out.insert(out.end(), bytes);
}

bool Read(CFrame& frame, const std::vector<uint8_t>& bytes, uint32_t depth = 32)
{
    return ReadTga(frame, bytes.data(), static_cast<uint32_t>(bytes.size()), "test.tga", nullptr, depth);
}

std::string FileBytes(const std::string& name)
{
    return testsupport::ReadFileBytes(name);
}

// Pixels as ImageMagick shows the file, its origin applied (B, G, R, A); empty when it cannot.
std::vector<uint32_t> DecodedByImageMagick(const std::string& convert, const std::string& file, uint32_t& width,
                                           uint32_t& height)
{
    const std::string pam = file + ".pam";
    if (testsupport::RunCommand(convert + " " + file + " -auto-orient -depth 8 -type TrueColorAlpha pam:" + pam) != 0)
        return {};
    return ReadPam(FileBytes(pam), width, height);
}

} // namespace

TEST(TgaHeader, AcceptsTrueColourFilesOnly)
{
    struct Case
    {
        uint8_t type, bits, mapType;
        bool accepted;
    };
    const Case cases[] = {{2, 24, 0, true},  {10, 32, 0, true}, {9, 24, 0, false}, {1, 8, 1, false},
                          {2, 16, 0, false}, {10, 8, 0, false}, {2, 24, 1, false}, {3, 24, 0, false}};
    for (const Case& c : cases) {
        CTgaHeader header;
        const std::vector<uint8_t> bytes = Header(c.type, 1, 1, c.bits, 0, c.mapType);
        EXPECT_EQ(ReadTgaHeader(bytes.data(), 18, header), c.accepted) << int(c.type) << " " << int(c.bits);
        EXPECT_FALSE(ReadTgaHeader(bytes.data(), 17, header));
    }
}

TEST(TgaReader, BottomUpTwentyFourBitsIntoThirtyTwo)
{
    std::vector<uint8_t> file = Header(2, 2, 2, 24, 0);
    Append(file, {0, 0, 0, 10, 20, 30}); // file row 0: the bottom row
    Append(file, {1, 2, 3, 4, 5, 6});
    CFrame frame;
    ASSERT_TRUE(Read(frame, file));
    EXPECT_EQ(Snapshot(frame), (std::vector<uint32_t>{Bgra(1, 2, 3, 255), Bgra(4, 5, 6, 255), 0, Bgra(10, 20, 30, 255)}));

    // The same image top-down and run-length encoded, into every depth.
    std::vector<uint8_t> packed = Header(10, 2, 2, 24, 0x20);
    Append(packed, {0x81, 7, 8, 9, 0x01, 0, 0, 0, 40, 50, 60});
    CFrame wide, sixteen;
    ASSERT_TRUE(Read(wide, packed, 24));
    EXPECT_EQ(Snapshot(wide), (std::vector<uint32_t>{0x090807, 0x090807, 0, 0x3C3228}));
    ASSERT_TRUE(Read(sixteen, packed, 16));
    EXPECT_EQ(ReadPixel(sixteen, 1, 1), PackRgbToPixel16(60, 50, 40));
    // A frame of the same pixel count but another depth or run-length rows gets new pixels.
    ASSERT_TRUE(Read(wide, packed, 16));
    EXPECT_EQ(Snapshot(wide), Snapshot(sixteen));
    MakeRunLengthFrame(wide, 2, 16, kFrameRunLengthAlpha, {{0x82}, {0x82}});
    ASSERT_TRUE(Read(wide, packed, 16));
    EXPECT_EQ(wide.GetFormatFlags() & kFrameRunLengthMask, 0u);
    EXPECT_EQ(Snapshot(wide), Snapshot(sixteen));
    ScopedCurrentPalette palette(RampEntry);
    CFrame indices;
    ASSERT_TRUE(Read(indices, packed, 8));
    EXPECT_EQ(ReadPixel(indices, 0, 1), 0u) << "black stays index 0";
    EXPECT_EQ(ReadPixel(indices, 0, 0), g_currentPalette.FindNearest(9, 8, 7, 1, 256));
}

TEST(TgaReader, EveryOrientationIntoEveryDepthAsAPixelAtATime)
{
    // Random pixels (black ones among them), plain and run-length (packets of either kind running
    // on across rows), in the four orientations, into every depth: each against its file pixel.
    ScopedCurrentPalette palette(RampEntry);
    std::mt19937 random(24);
    const uint32_t width = 13, height = 5;
    for (uint8_t bits : {24, 32})
        for (uint8_t type : {kTgaTrueColor, kTgaRunLengthTrueColor})
            for (uint8_t descriptor : {0x00, 0x10, 0x20, 0x30}) {
                const uint32_t bytes = bits / 8;
                std::vector<uint8_t> pixels(width * height * bytes);
                for (uint8_t& b : pixels)
                    b = random() % 4 == 0 ? 0 : static_cast<uint8_t>(random());
                std::vector<uint8_t> file = Header(type, width, height, bits, descriptor);
                for (uint32_t at = 0; at < width * height;) {
                    const uint32_t count = std::min<uint32_t>(1 + random() % 20, width * height - at);
                    const bool run = type == kTgaRunLengthTrueColor && random() % 2 == 0;
                    if (type == kTgaRunLengthTrueColor)
                        file.push_back(static_cast<uint8_t>((run ? 0x80 : 0) | (count - 1)));
                    for (uint32_t k = 1; run && k < count; ++k) // a run repeats its first pixel
                        std::copy_n(&pixels[at * bytes], bytes, &pixels[(at + k) * bytes]);
                    const auto from = pixels.begin() + at * bytes;
                    file.insert(file.end(), from, from + (run ? 1 : count) * bytes);
                    at += count;
                }
                for (uint32_t depth : {8u, 16u, 24u, 32u}) {
                    CFrame frame;
                    ASSERT_TRUE(Read(frame, file, depth));
                    for (uint32_t y = 0; y < height; ++y)
                        for (uint32_t x = 0; x < width; ++x) {
                            const uint32_t fileRow = descriptor & 0x20 ? y : height - 1 - y;
                            const uint32_t fileColumn = descriptor & 0x10 ? width - 1 - x : x;
                            const uint8_t* p = &pixels[(fileRow * width + fileColumn) * bytes];
                            const bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
                            uint32_t want = p[0] | p[1] << 8 | p[2] << 16;
                            if (depth == 8)
                                want = black ? 0 : g_currentPalette.FindNearest(p[2], p[1], p[0], 1, 256);
                            else if (depth == 16)
                                want = PackRgbToPixel16(p[2], p[1], p[0]);
                            else if (depth == 32)
                                want |= uint32_t{bits == 32 ? p[3] : black ? uint8_t{0} : uint8_t{255}} << 24;
                            ASSERT_EQ(ReadPixel(frame, x, y), want) << int(bits) << " bits, type " << int(type)
                                << ", descriptor " << int(descriptor) << ", depth " << depth << " at " << x << "," << y;
                        }
                }
            }
}

TEST(TgaReader, RefusesBadFilesWithoutReadingPastThem)
{
    std::vector<uint8_t> raw = Header(2, 3, 2, 32, 0);
    raw.resize(raw.size() + 24, 0x11);
    std::vector<uint8_t> packed = Header(10, 3, 2, 24, 0);
    Append(packed, {0x82, 1, 2, 3, 0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    for (const std::vector<uint8_t>* file : {&raw, &packed}) {
        CFrame whole;
        ASSERT_TRUE(Read(whole, *file));
        for (size_t cut = 0; cut < file->size(); ++cut) {
            std::vector<uint8_t> shorter(file->begin(), file->begin() + cut);
            CFrame frame;
            EXPECT_FALSE(Read(frame, shorter)) << cut;
        }
    }
    // Colour-mapped files (type 9, as the writer makes for 8-bit frames) are refused.
    std::vector<uint8_t> mapped = Header(9, 1, 1, 24, 0, 1);
    mapped.resize(18 + 768 + 2, 0);
    CFrame frame;
    EXPECT_FALSE(Read(frame, mapped));
    EXPECT_FALSE(Read(frame, raw, 12)) << "an unknown depth";
}

TEST(TgaReaderDeathTest, OnlyAPacketPastTheImageEndIsFatal)
{
    // Width 4, height 4, bottom-up: the last file row is frame row 0. One run packet of 17 pixels
    // covers the whole image and one pixel more.
    std::vector<uint8_t> file = Header(10, 4, 4, 24, 0);
    Append(file, {0x90, 1, 2, 3});
    file.resize(file.size() + 12, 0); // as long as four rows of one packet each would be
    EXPECT_EXIT(
        {
            CFrame frame;
            Read(frame, file);
        },
        testing::ExitedWithCode(255), "FATAL ERROR: The TGA you loaded 'test.tga' is corrupt \\(line 0\\)\\.");
}

TEST(TgaReader, PacketsRunOnAcrossRowEndsAsImageMagickReadsThem)
{
    // 5 x 3, top-down, 24 and 32 bits: packets that end inside the next row, a raw packet that
    // spans three rows, a run that ends exactly at the image's end.
    for (uint8_t bits : {24, 32}) {
        const uint32_t n = bits / 8;
        std::vector<uint8_t> file = Header(10, 5, 3, bits, 0x20);
        auto pixel = [&](uint8_t v) {
            for (uint32_t i = 0; i < n; ++i)
                file.push_back(static_cast<uint8_t>(v + 17 * i + (i == 3 ? 200 : 0)));
        };
        file.push_back(0x86); // run of 7: row 0 and two pixels of row 1
        pixel(10);
        file.push_back(0x05); // raw 6: the rest of row 1 and three pixels of row 2
        for (uint8_t v : {20, 30, 40, 50, 60, 70})
            pixel(v);
        file.push_back(0x81); // run of 2 to the end
        pixel(90);
        CFrame frame;
        ASSERT_TRUE(Read(frame, file)) << int(bits);
        const std::vector<uint8_t> expectedValues = {10, 10, 10, 10, 10, 10, 10, 20, 30, 40, 50, 60, 70, 90, 90};
        for (uint32_t i = 0; i < 15; ++i) {
            const uint8_t v = expectedValues[i];
            const uint32_t expected = Bgra(v, static_cast<uint8_t>(v + 17), static_cast<uint8_t>(v + 34),
                                           bits == 32 ? static_cast<uint8_t>(v + 51 + 200) : 255);
            EXPECT_EQ(ReadPixel(frame, i % 5, i / 5), expected) << int(bits) << " pixel " << i;
        }
        // ImageMagick, where it is installed, decodes the same file to the same pixels.
        const std::string convert = ImageMagickTool("convert");
        if (convert.empty())
            continue;
        WorkFolder folder;
        testsupport::WriteFileBytes("crossing.tga", std::string(file.begin(), file.end()));
        uint32_t width = 0, height = 0;
        const std::vector<uint32_t> shown = DecodedByImageMagick(convert, "crossing.tga", width, height);
        ASSERT_EQ(shown.size(), 15u) << int(bits);
        for (uint32_t i = 0; i < 15; ++i)
            EXPECT_EQ(ReadPixel(frame, i % 5, i / 5), shown[i]) << int(bits) << " pixel " << i;
    }
}

TEST(TgaWriter, PacketsOfWorkedRows)
{
    WorkFolder folder;
    CFrame equal;
    equal.Create(130, 1, 24);
    for (uint32_t x = 0; x < 130; ++x)
        WritePixel(equal, x, 0, 0x030201);
    ASSERT_TRUE(WriteTga(equal, "equal.tga", 0));
    EXPECT_EQ(FileBytes("equal.tga").substr(18), std::string("\xFF\x01\x02\x03\x81\x01\x02\x03", 8));

    CFrame four;
    const uint32_t p = Bgra(1, 1, 1, 1), q = Bgra(2, 2, 2, 2), r = Bgra(3, 3, 3, 3);
    Fill32(four, 4, 1, [&](uint32_t x, uint32_t) { return x == 0 ? p : x == 3 ? r : q; });
    ASSERT_TRUE(WriteTga(four, "four.tga", 0));
    EXPECT_EQ(FileBytes("four.tga").substr(18),
              std::string("\x00\x01\x01\x01\x01\x81\x02\x02\x02\x02\x00\x03\x03\x03\x03", 15));
    EXPECT_TRUE(IsRunLengthTga("four.tga"));
    EXPECT_EQ(GetTgaBitsPerPixel("four.tga"), 32);
    EXPECT_FALSE(IsRunLengthTga("missing.tga"));
    EXPECT_EQ(GetTgaBitsPerPixel("missing.tga"), 0);

    CFrame empty, sixteen;
    sixteen.Create(2, 2, 16);
    EXPECT_FALSE(WriteTga(empty, "empty.tga", 0));
    EXPECT_FALSE(WriteTga(sixteen, "sixteen.tga", 0));
}

TEST(TgaWriter, RoundTripsThroughTheReader)
{
    WorkFolder folder;
    for (uint32_t depth : {24u, 32u}) {
        CFrame frame;
        frame.Create(140, 5, depth);
        FillPattern(frame, depth);
        for (uint32_t x = 0; x < 140; ++x)
            WritePixel(frame, x, 2, 0x7F7F7F7F); // a long run
        const std::string name = "round" + std::to_string(depth) + ".tga";
        ASSERT_TRUE(frame.SaveTga(name.c_str(), 0));
        const std::string bytes = FileBytes(name);
        CFrame back;
        ASSERT_TRUE(ReadTga(back, reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size()),
                            name.c_str(), nullptr, depth));
        EXPECT_EQ(Snapshot(back), Snapshot(frame)) << depth;
    }
}

TEST(TgaWriter, RunLengthAndSixteenBitFramesAreSavedThroughTheCopyBlendMode)
{
    WorkFolder folder;
    ScopedCurrentPalette palette(RampEntry);
    // A run-length frame is stored as the plain frame it draws.
    for (uint32_t depth : {8u, 16u, 24u}) {
        CFrame plain, encoded;
        plain.Create(70, 4, depth);
        FillPattern(plain, depth);
        for (uint32_t x = 10; x < 20; ++x)
            WritePixel(plain, x, 1, 0); // a transparent stretch
        MakeRunLengthCopy(encoded, plain, depth == 8 ? kFrameRunLength8 : kFrameRunLengthAlpha);
        if (depth == 8) {
            plain.SetPalette(g_currentPalette);
            encoded.SetPalette(g_currentPalette);
        }
        const std::string name = "encoded" + std::to_string(depth) + ".tga";
        ASSERT_TRUE(plain.SaveTga("plain.tga", 0)) << depth;
        ASSERT_TRUE(encoded.SaveTga(name.c_str(), 0)) << depth;
        EXPECT_EQ(FileBytes(name), FileBytes("plain.tga")) << depth;
    }
    // 16-bit frames are stored as 24 bits: blue << 3, green << 2, the red bits as they stand.
    const uint32_t pixels[][2] = {{0xF800, 0xF80000}, {0x07E0, 0x00FC00}, {0x001F, 0x0000F8},
                                  {0xFFFF, 0xF8FCF8}, {0x0000, 0x000000}, {0x8410, 0x808080}};
    CFrame sixteen, back;
    sixteen.Create(6, 1, 16);
    for (uint32_t x = 0; x < 6; ++x)
        WritePixel(sixteen, x, 0, pixels[x][0]);
    ASSERT_TRUE(sixteen.SaveTga("sixteen.tga", 0));
    const std::string bytes = FileBytes("sixteen.tga");
    ASSERT_TRUE(ReadTga(back, reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size()),
                        "sixteen.tga", nullptr, 24));
    for (uint32_t x = 0; x < 6; ++x)
        EXPECT_EQ(ReadPixel(back, x, 0), pixels[x][1]) << x;
}

TEST(TgaWriter, ImageMagickReadsTheFiles)
{
    const std::string convert = ImageMagickTool("convert");
    if (convert.empty())
        GTEST_SKIP() << "ImageMagick is not installed";
    WorkFolder folder;
    ScopedCurrentPalette palette(RampEntry);
    for (uint32_t depth : {8u, 24u, 32u}) {
        CFrame frame;
        frame.Create(37, 3, depth);
        FillPattern(frame, depth + 1);
        if (depth == 8)
            frame.SetPalette(g_currentPalette);
        const std::string name = "engine" + std::to_string(depth) + ".tga";
        ASSERT_TRUE(frame.SaveTga(name.c_str(), 0));
        uint32_t width = 0, height = 0;
        const std::vector<uint32_t> decoded = DecodedByImageMagick(convert, name, width, height);
        ASSERT_EQ(decoded.size(), 37u * 3) << depth;
        EXPECT_EQ(width, 37u);
        for (uint32_t y = 0; y < 3; ++y)
            for (uint32_t x = 0; x < 37; ++x) {
                uint32_t expected = ReadPixel(frame, x, y);
                if (depth == 8) {
                    uint8_t r, g, b;
                    g_currentPalette.GetEntry(expected, r, g, b);
                    expected = Bgra(b, g, r, 255);
                } else if (depth == 24) {
                    expected |= 0xFF000000u;
                }
                ASSERT_EQ(decoded[y * 37 + x], expected) << depth << " at " << x << "," << y;
            }
    }
}

TEST(TgaReader, FilesWrittenByImageMagick)
{
    const std::string convert = ImageMagickTool("convert");
    if (convert.empty())
        GTEST_SKIP() << "ImageMagick is not installed";
    WorkFolder folder;
    const uint32_t width = 23, height = 4;
    std::vector<uint32_t> source;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            source.push_back(x < 12 ? Bgra(9, 8, 7, static_cast<uint8_t>(y * 60))
                                    : Bgra(static_cast<uint8_t>(x * 11), 0, static_cast<uint8_t>(y), static_cast<uint8_t>(x * 11 + y)));
    source[5] = 0; // black, fully transparent
    testsupport::WriteFileBytes("source.pam", MakePam(width, height, source));
    // ImageMagick keeps the rows in the order it holds them and records the origin in the header,
    // so its files come in both origins; what the file shows is what ImageMagick makes of it
    // once it applies that origin.
    const char* variants[] = {"-compress None", "-compress RLE", "-compress None -orient TopLeft",
                              "-compress RLE -orient TopLeft", "-alpha off -compress None",
                              "-alpha off -compress RLE -orient TopLeft",
                              // Rows stored right to left, which the header's bit 0x10 says.
                              "-compress None -orient TopRight", "-compress RLE -orient BottomRight",
                              "-alpha off -compress RLE -orient TopRight"};
    for (const char* options : variants) {
        ASSERT_EQ(testsupport::RunCommand(convert + " source.pam " + options + " magick.tga"), 0) << options;
        uint32_t shownWidth = 0, shownHeight = 0;
        const std::vector<uint32_t> shown = DecodedByImageMagick(convert, "magick.tga", shownWidth, shownHeight);
        ASSERT_EQ(shown.size(), source.size()) << options;
        const std::string bytes = FileBytes("magick.tga");
        CFrame frame;
        ASSERT_TRUE(ReadTga(frame, reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size()),
                            "magick.tga", nullptr, 32))
            << options;
        ASSERT_EQ(frame.GetWidth(), width);
        const bool alpha = bytes[16] == 32;
        for (uint32_t i = 0; i < shown.size(); ++i) {
            uint32_t expected = shown[i];
            if (!alpha && (expected & 0xFFFFFF) == 0)
                expected = 0; // black is transparent in images without alpha
            ASSERT_EQ(ReadPixel(frame, i % width, i / width), expected) << options << " pixel " << i;
        }
    }
}

TEST(FrameTga, LoadsThroughTheStagesAndLeavesDataFilesAlone)
{
    WorkFolder folder;
    std::vector<uint8_t> raw = Header(2, 3, 1, 32, 0x20);
    Append(raw, {0, 0, 0, 0, 1, 2, 3, 255, 0, 0, 0, 0});
    testsupport::WriteFileBytes("raw.tga", std::string(raw.begin(), raw.end()));
    CFrameLoadStage* none = nullptr;
    CFrame frame;
    ASSERT_TRUE(frame.LoadTga("raw.tga", none, nullptr, 0)) << "the default stages crop to the one opaque pixel";
    EXPECT_EQ(frame.GetWidth(), 1);
    EXPECT_EQ(frame.GetLeft(), 1);
    EXPECT_EQ(FileBytes("raw.tga"), std::string(raw.begin(), raw.end())) << "the uncompressed file is not rewritten";
    EXPECT_FALSE(frame.LoadTga("missing.tga", none, nullptr, 0));

    // With the developer switch the file is rewritten compressed.
    CFrame::SetUncompressedTgaRewrite(true);
    CFrame again;
    EXPECT_TRUE(again.LoadTga("raw.tga", none, nullptr, 0));
    CFrame::SetUncompressedTgaRewrite(false);
    EXPECT_TRUE(IsRunLengthTga("raw.tga"));
}
