// Sequence sources made to cost, built from zlib and libjpeg directly (not by the sequence writer)
// and rebuilt in a child process under a time and a memory bound.
#include "BoundedRun.h"
#include "LoadTestSupport.h"
#include "foundation/FileBuf.h"
#include "foundation/VirtualFile.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/JpegCodec.h"
#include "graphics/Sequence.h"
#include "graphics/StripRectangles.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"

#include <zlib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using loadtest::WorkFolder;
using testsupport::BoundedOutcome;

namespace {

std::string U32(uint64_t value)
{
    const auto v = static_cast<uint32_t>(value);
    return std::string(reinterpret_cast<const char*>(&v), 4);
}

// The compressed block record (u8 1, u32 compressed length, u32 raw length, zlib's stream) of the
// text and then the pieces, each a (byte, count): one colour compresses ~1000:1, and the raw bytes
// are never held whole.
std::string Block(const std::string& text, const std::vector<std::pair<uint8_t, uint64_t>>& pieces = {})
{
    z_stream stream{};
    EXPECT_EQ(deflateInit(&stream, 9), Z_OK);
    std::string out;
    std::vector<uint8_t> chunk(1 << 16), packed(1 << 16);
    auto feed = [&](const void* bytes, uint64_t n, int flush) {
        stream.next_in = static_cast<Bytef*>(const_cast<void*>(bytes));
        stream.avail_in = static_cast<uInt>(n);
        do {
            stream.next_out = packed.data();
            stream.avail_out = static_cast<uInt>(packed.size());
            deflate(&stream, flush);
            out.append(reinterpret_cast<char*>(packed.data()), packed.size() - stream.avail_out);
        } while (stream.avail_out == 0);
    };
    uint64_t raw = text.size();
    feed(text.data(), text.size(), Z_NO_FLUSH);
    for (const auto& [byte, count] : pieces) {
        std::memset(chunk.data(), byte, chunk.size());
        raw += count;
        for (uint64_t left = count; left > 0; left -= std::min<uint64_t>(left, chunk.size()))
            feed(chunk.data(), std::min<uint64_t>(left, chunk.size()), Z_NO_FLUSH);
    }
    feed(nullptr, 0, Z_FINISH);
    deflateEnd(&stream);
    std::string block(1, '\x01');
    block += U32(out.size());
    block += U32(raw);
    return block + out;
}

// The header in the object text format, one "Frame Info" per rectangle (an empty one for an
// empty rectangle), the frames run-length encoded when rebuilt.
std::string Header(const std::vector<CIntRect>& rects)
{
    std::string text = "CSequenceFrameInfoList\r\n{\r\n\tWasRLE=1\r\n\tFlags=17\r\n\tBlitType=0\r\n\tFPS=15\r\n"
                       "\tFrame Infos=Array\r\n\t{\r\n\t\tItem Count=" + std::to_string(rects.size()) + "\r\n";
    for (const CIntRect& r : rects) {
        if (r.IsEmpty()) {
            text += "\t\tFrame Info=\r\n";
            continue;
        }
        text += "\t\tFrame Info=CFrameInfo\r\n\t\t{\r\n\t\t\tLeft=" + std::to_string(r.m_left) + "\r\n\t\t\tTop=" +
                std::to_string(r.m_top) + "\r\n\t\t\tRight=" + std::to_string(r.m_right) + "\r\n\t\t\tBottom=" +
                std::to_string(r.m_bottom) + "\r\n\t\t\tUpperLeftXOffset=0\r\n\t\t\tUpperLeftYOffset=0\r\n\t\t}\r\n";
    }
    return text + "\t}\r\n}\r\n";
}

// A lossless strip of one colour: four delta-coded planes, each its value and then zeros.
std::string OneColourStrip(uint32_t w, uint32_t h)
{
    const uint64_t n = uint64_t{w} * h;
    std::string strip(1, '\x01');
    strip += Block("", {{0x40, 1}, {0, n - 1}, {0x80, 1}, {0, n - 1}, {0xC0, 1}, {0, n - 1}, {0xFF, 1}, {0, n - 1}});
    return strip + U32(w) + U32(h);
}

// A lossy strip claiming w x h: a small JPEG whose size fields are rewritten (its scan then ends
// long before the image does), and an alpha plane of that size.
std::string HugeLossyStrip(uint16_t w, uint16_t h)
{
    CFrame small;
    small.Create(16, 16, 24);
    CVirtualFile jpeg;
    jpeg.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    EXPECT_TRUE(WriteFrameJpeg(small, jpeg, 50));
    std::string stream(jpeg.GetSize(), '\0');
    jpeg.Seek(0);
    jpeg.Read(stream.data(), static_cast<uint32_t>(stream.size()));
    const size_t sof = stream.find("\xFF\xC0", 0, 2);
    EXPECT_NE(sof, std::string::npos);
    const char size[4] = {static_cast<char>(h >> 8), static_cast<char>(h), static_cast<char>(w >> 8),
                          static_cast<char>(w)};
    stream.replace(sof + 5, 4, size, 4);
    return std::string(1, '\0') + U32(stream.size() + 4) + stream + Block("", {{0xFF, 1}, {0, uint64_t{w} * h - 1}});
}

void WriteSource(const std::string& name, const std::string& header, const std::string& strip)
{
    std::filesystem::create_directories("Cache/Hostile");
    testsupport::WriteFileBytes("Cache/Hostile/" + name + ".Sequence", Block(header) + strip);
}

// The rebuild for a dithered 8-bit display with run-length frames, the costliest conversion.
bool Rebuild(const std::string& name, uint32_t& frames)
{
    CFrameLoadStage stages;
    stages.InsertStage(new CDepthConvertStage(true, 8));
    stages.InsertStage(new CRunLengthEncodeStage(CRunLengthEncodeStage::kFiveBands));
    CSequence sequence;
    const bool built = sequence.BuildFromSource("Hostile", name.c_str(), &stages);
    frames = sequence.GetFrameCount();
    return built;
}

} // namespace

TEST(StripRectangles, AgreeWithAPlainCheckOfEachRectangleAndEachPair)
{
    // Random layouts: none to twelve rectangles, empty, touching, overlapping or reaching past a
    // 40 x 30 strip on any side.
    std::mt19937 random(66);
    int overlapping = 0, outside = 0, sound = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<CIntRect> rects(random() % 13);
        for (CIntRect& r : rects) {
            r.m_left = static_cast<int32_t>(random() % 44) - 2;
            r.m_top = static_cast<int32_t>(random() % 34) - 2;
            r.m_right = r.m_left + static_cast<int32_t>(random() % 12) - 1;
            r.m_bottom = r.m_top + static_cast<int32_t>(random() % 12) - 1;
        }
        bool disjoint = true, inside = true;
        for (size_t i = 0; i < rects.size(); ++i) {
            const CIntRect& a = rects[i];
            if (!a.IsEmpty() && (a.m_left < 0 || a.m_top < 0 || a.m_right > 40 || a.m_bottom > 30))
                inside = false;
            for (size_t j = i + 1; j < rects.size(); ++j) {
                const CIntRect& b = rects[j];
                if (!a.IsEmpty() && !b.IsEmpty() && a.m_left < b.m_right && b.m_left < a.m_right &&
                    a.m_top < b.m_bottom && b.m_top < a.m_bottom)
                    disjoint = false;
            }
        }
        overlapping += disjoint ? 0 : 1;
        outside += inside ? 0 : 1;
        sound += disjoint && inside ? 1 : 0;
        ASSERT_EQ(AreRectanglesDisjoint(rects), disjoint) << "trial " << trial;
        ASSERT_EQ(AreStripRectanglesSound(rects, 40, 30), disjoint && inside) << "trial " << trial;
    }
    EXPECT_GT(overlapping, 500);
    EXPECT_LT(overlapping, 2500);
    EXPECT_GT(outside, 500);
    EXPECT_GT(sound, 300);
}

TEST(HostileSequence, SourcesMadeToCostAreRefusedWithinASecondAnd64MBAndTheLargestTakenBuilds)
{
    WorkFolder folder;
    std::vector<CIntRect> overlapping;
    for (int32_t i = 0; i < 900; ++i)
        overlapping.push_back({i * 8 % 992, i * 8 / 992 * 8, i * 8 % 992 + 32, i * 8 / 992 * 8 + 32});
    std::vector<CIntRect> nullFrames(100000); // 1.5 MB of header
    nullFrames.push_back({0, 0, 16, 16});
    // The largest strip taken: half of it in one frame, the rest in frames of 32 x 32.
    std::vector<CIntRect> largest{{0, 0, 512, 1024}};
    for (int32_t y = 0; y < 1024; y += 32)
        for (int32_t x = 512; x < 1024; x += 32)
            largest.push_back({x, y, x + 32, y + 32});
    const struct
    {
        const char* name;
        std::string header;
        std::string strip;
        uint32_t frames; // 0: refused
        unsigned seconds; // for the one built, the alarm only guards a hang
    } cases[] = {
        {"WholeStrip600Times", Header(std::vector<CIntRect>(600, {0, 0, 1024, 1024})), OneColourStrip(1024, 1024), 0,
         1},
        {"Overlapping", Header(overlapping), OneColourStrip(1024, 1024), 0, 1},
        {"HugeStrip", Header({{0, 0, 4096, 4096}}), OneColourStrip(4096, 4096), 0, 1},
        {"HugeLossyStrip", Header({{0, 0, 8192, 8192}}), HugeLossyStrip(8192, 8192), 0, 1},
        {"HugeHeader", Header(nullFrames), OneColourStrip(16, 16), 0, 1},
        {"OnePixelTooLarge", Header({{0, 0, 16, 16}}), OneColourStrip(1025, 1024), 0, 1},
        {"Largest", Header(largest), OneColourStrip(1024, 1024), uint32_t(largest.size()), 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteSource(c.name, c.header, c.strip);
        ASSERT_LT(std::filesystem::file_size("Cache/Hostile/" + std::string(c.name) + ".Sequence"), 200000u);
        const BoundedOutcome outcome = testsupport::RunBounded(
            [&] {
                uint32_t frames = 0;
                const bool built = Rebuild(c.name, frames);
                return built == (c.frames != 0) && frames == c.frames &&
                       std::filesystem::exists("Cache/Hostile/" + std::string(c.name) + ".seq") == built;
            },
            c.seconds, 64);
        EXPECT_EQ(outcome, BoundedOutcome::kTrue);
    }
}
