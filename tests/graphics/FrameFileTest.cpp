// Frame blocks, source image records and cache files: round trips, the worked values, damaged
// bytes refused without reading past them, and the cache rebuilt exactly when time stamps differ.
#include "LoadTestSupport.h"
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileBuf.h"
#include "foundation/FileSystem.h"
#include "foundation/FileTimes.h"
#include "foundation/SharedString.h"
#include "foundation/VirtualFile.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/stages/DepthConvertStage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace frametest;
using namespace loadtest;

namespace {

// A memory file holding bytes (read back from position 0).
class MemoryFile
{
public:
    MemoryFile() { m_file.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ); }
    explicit MemoryFile(const std::string& bytes) : MemoryFile()
    {
        m_file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
        m_file.Seek(0);
    }
    CVirtualFile& File() { return m_file; }
    std::string Bytes()
    {
        std::string out(m_file.GetSize(), '\0');
        m_file.Seek(0);
        m_file.Read(out.data(), static_cast<uint32_t>(out.size()));
        m_file.Seek(0);
        return out;
    }

private:
    CVirtualFile m_file;
};

std::string BlockOf(CFrame& frame)
{
    MemoryFile file;
    EXPECT_TRUE(frame.WriteFrameBlock(file.File()));
    return file.Bytes();
}

bool ReadBlock(CFrame& frame, const std::string& bytes)
{
    MemoryFile file(bytes);
    return frame.ReadFrameBlock(file.File());
}

uint32_t U32At(const std::string& bytes, size_t at)
{
    uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

void PutU32(std::string& bytes, size_t at, uint32_t value)
{
    std::memcpy(bytes.data() + at, &value, 4);
}

// A layered 8-bit frame with a main block and all four layers.
void LayeredFrame(CFrame& frame)
{
    MakeRunLengthFrame(frame, 6, 8, kFrameRunLength8, {{0x01, 1, 0x85}, {0x86}});
    AddLayer(frame, 4, {{0x43, 40, 41, 42, 0x83}, {0x06, 4}});
    AddLayer(frame, 3, {{0x81, 0x03, 30, 0x82}, {0x86}});
    AddLayer(frame, 2, {{0x82, 0x43, 20, 21, 22, 0x81}, {0x86}});
    AddLayer(frame, 1, {{0x06, 10}, {0x46, 1, 2, 3, 4, 5, 6}});
    frame.SetOrigin(-3, 4);
}

std::string SourceRecord(CFrame& frame, bool lossless, int quality = 85)
{
    MemoryFile file;
    EXPECT_TRUE(frame.WriteSourceImage(file.File(), quality, lossless));
    return file.Bytes();
}

void WriteFrameFile(const std::string& path, CFrame& image, int16_t left, int16_t top)
{
    MemoryFile file;
    uint32_t origin[2] = {static_cast<uint32_t>(left), static_cast<uint32_t>(top)};
    file.File().Write(origin, 8);
    ASSERT_TRUE(image.WriteSourceImage(file.File(), 80, true));
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    testsupport::WriteFileBytes(path, file.Bytes());
}

uint64_t Stamp(const char* name)
{
    return CFileSystem::GetFileTimeStamp(name, 0, FILE_TIME_LAST_WRITE);
}

} // namespace

TEST(FrameBlock, RoundTripsEveryFormat)
{
    std::vector<std::function<void(CFrame&)>> makers = {
        [](CFrame& f) { f.Create(0, 0, 8); },
        [](CFrame& f) {
            f.Create(7, 3, 16);
            FillPattern(f);
            f.SetOrigin(5, -6);
        },
        [](CFrame& f) {
            f.Create(2, 1, 32);
            FillPattern(f, 3);
        },
        LayeredFrame,
    };
    for (size_t i = 0; i < makers.size(); ++i) {
        CFrame frame;
        makers[i](frame);
        const std::string bytes = BlockOf(frame);
        ASSERT_GE(bytes.size(), 36u);
        EXPECT_EQ(bytes[0], '1');
        CFrame back;
        ASSERT_TRUE(ReadBlock(back, bytes)) << i;
        EXPECT_EQ(back.GetWidth(), frame.GetWidth());
        EXPECT_EQ(back.GetHeight(), frame.GetHeight());
        EXPECT_EQ(back.GetLeft(), frame.GetLeft());
        EXPECT_EQ(back.GetTop(), frame.GetTop());
        EXPECT_EQ(back.GetFormatFlags(), frame.GetFormatFlags());
        EXPECT_EQ(BlockOf(back), bytes) << i;
        for (int32_t y = frame.GetTop(); y < frame.GetTop() + frame.GetHeight(); ++y)
            for (int32_t x = frame.GetLeft(); x < frame.GetLeft() + frame.GetWidth(); ++x)
                EXPECT_EQ(back.GetRawPixel(x, y), frame.GetRawPixel(x, y)) << i;
    }
    CFrame empty;
    empty.Create(0, 0, 8);
    EXPECT_EQ(BlockOf(empty).size(), 36u) << "no sections after the header";
    EXPECT_EQ(U32At(BlockOf(empty), 16), 0u);
}

TEST(FrameBlock, RefusesDamageWithoutReadingPastIt)
{
    CFrame layered;
    LayeredFrame(layered);
    const std::string good = BlockOf(layered);
    CFrame plainFrame;
    plainFrame.Create(3, 2, 24);
    const std::string plain = BlockOf(plainFrame);
    const size_t mainRows = 36 + U32At(good, 16); // the main section's row table
    struct Damage
    {
        const char* what;
        const std::string& from;
        std::function<void(std::string&)> change;
    };
    const Damage damages[] = {
        {"version tag", good, [](std::string& b) { b[0] = '2'; }},
        {"row offset past the section", good, [&](std::string& b) { PutU32(b, mainRows, 999); }},
        {"row offset inside the size field", good, [&](std::string& b) { PutU32(b, mainRows + 4, 2); }},
        {"runs past the width", good, [](std::string& b) { b[36 + 4] = 0x02; }},
        {"block size disagrees", good, [](std::string& b) { PutU32(b, 36, 9); }},
        {"two depth bits", good, [](std::string& b) { PutU32(b, 12, U32At(b, 12) | kFrameDepth16); }},
        {"both run-length formats", good, [](std::string& b) { PutU32(b, 12, U32At(b, 12) | kFrameRunLengthAlpha); }},
        {"plain row past the pixels", plain, [](std::string& b) { PutU32(b, 36 + 18 + 4, 4); }},
        {"plain frame with layers", plain, [](std::string& b) { PutU32(b, 20, 4); }},
        {"size without sections", plain, [](std::string& b) { b.resize(36); PutU32(b, 16, 0); }},
    };
    for (const Damage& d : damages) {
        std::string bytes = d.from;
        d.change(bytes);
        CFrame frame;
        EXPECT_FALSE(ReadBlock(frame, bytes)) << d.what;
        EXPECT_EQ(frame.GetPixels(), nullptr) << d.what;
    }
    for (size_t cut = 0; cut < good.size(); ++cut) {
        CFrame frame;
        EXPECT_FALSE(ReadBlock(frame, good.substr(0, cut))) << cut;
    }
    // Alpha-blended rows: layer 4 needs layer 3's alpha bytes.
    CFrame alpha;
    MakeRunLengthFrame(alpha, 4, 16, kFrameRunLengthAlpha, {{0x84}});
    AddLayer(alpha, 4, {{0x42, 1, 0, 2, 0, 0x02, 3, 0}});
    AddLayer(alpha, 3, {{7, 8, 9}});
    CFrame back;
    EXPECT_TRUE(ReadBlock(back, BlockOf(alpha)));
    AddLayer(alpha, 3, {{7, 8}});
    EXPECT_FALSE(ReadBlock(back, BlockOf(alpha))) << "too few alpha bytes";
    alpha.AdoptLayer(4, nullptr, nullptr);
    EXPECT_FALSE(ReadBlock(back, BlockOf(alpha))) << "alpha bytes without colour runs";
}

TEST(FrameBlockDeathTest, OversizedSectionsEndTheProgram)
{
    CFrame frame;
    LayeredFrame(frame);
    std::string bytes = BlockOf(frame);
    PutU32(bytes, 28, 0x400001); // layer 3
    EXPECT_EXIT(
        {
            CFrame back;
            ReadBlock(back, bytes);
        },
        testing::ExitedWithCode(255), "Fatal Error loading a frame: The \\*\\.frm file is corrupt");
}

TEST(FrameBlock, TheWriterRefusesSectionsTheReaderWouldNotTake)
{
    CFrame big;
    big.Create(1025, 1024, 32);
    MemoryFile file;
    EXPECT_FALSE(big.WriteFrameBlock(file.File()));
    EXPECT_EQ(file.File().GetSize(), 0u);
}

TEST(SourceImage, LosslessRecordsHoldDeltaCodedPlanes)
{
    CFrame frame;
    Fill32(frame, 2, 1, [](uint32_t x, uint32_t) { return Bgra(1, 2, x == 0 ? 10 : 7, 255); });
    const std::string record = SourceRecord(frame, true);
    ASSERT_EQ(record[0], 1);
    MemoryFile file(record.substr(1));
    uint32_t rawLength = 0;
    uint8_t* planes = CCompressedBlockCodec::Read(file.File(), rawLength);
    ASSERT_NE(planes, nullptr);
    ASSERT_EQ(rawLength, 8u);
    EXPECT_EQ(std::vector<uint8_t>(planes, planes + 8), (std::vector<uint8_t>{10, 253, 2, 0, 1, 0, 255, 0}));
    std::free(planes);
    EXPECT_EQ(U32At(record, record.size() - 8), 2u);
    EXPECT_EQ(U32At(record, record.size() - 4), 1u);
}

TEST(SourceImage, LosslessIsExactAndLossyIsClose)
{
    CFrame frame;
    Fill32(frame, 64, 40, [](uint32_t x, uint32_t y) {
        return Bgra(static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 6), static_cast<uint8_t>(128 + x - y),
                    static_cast<uint8_t>((x * y) & 255));
    });
    CFrame lossless, lossy;
    MemoryFile exact(SourceRecord(frame, true));
    ASSERT_TRUE(lossless.ReadSourceImage(exact.File()));
    EXPECT_EQ(Snapshot(lossless), Snapshot(frame));

    const std::string record = SourceRecord(frame, false, 90);
    ASSERT_EQ(record[0], 0);
    EXPECT_EQ(U32At(record, 1), record.find("\xFF\xD9") + 2 - 1) << "S counts itself and the JPEG stream";
    MemoryFile lossyFile(record);
    ASSERT_TRUE(lossy.ReadSourceImage(lossyFile.File()));
    double squares = 0;
    for (uint32_t y = 0; y < 40; ++y)
        for (uint32_t x = 0; x < 64; ++x) {
            const uint32_t a = ReadPixel(frame, x, y), b = ReadPixel(lossy, x, y);
            EXPECT_EQ(a >> 24, b >> 24) << "alpha is kept exactly";
            for (int c = 0; c < 3; ++c) {
                const double d = double((a >> (8 * c)) & 255) - double((b >> (8 * c)) & 255);
                squares += d * d;
            }
        }
    const double psnr = 10 * std::log10(255.0 * 255.0 / (squares / (64 * 40 * 3)));
    EXPECT_GT(psnr, 30.0);
}

TEST(SourceImage, TheBestRecordRule)
{
    EXPECT_FALSE(CFrame::PrefersLossyRecord(10736, 10000));
    EXPECT_TRUE(CFrame::PrefersLossyRecord(10737, 10000));
    CFrame frame;
    Fill32(frame, 8, 8, [](uint32_t x, uint32_t) { return Bgra(static_cast<uint8_t>(x), 0, 0, 255); });
    MemoryFile forced;
    ASSERT_TRUE(frame.WriteSourceImageBest(forced.File(), 50, true));
    EXPECT_EQ(forced.Bytes()[0], 1);
    CFrame notThirtyTwo;
    notThirtyTwo.Create(2, 2, 24);
    MemoryFile refused;
    EXPECT_FALSE(notThirtyTwo.WriteSourceImage(refused.File(), 50, true));
}

TEST(SourceImage, DamagedRecordsAreRefused)
{
    CFrame frame;
    RandomSprite(frame, 9, 5, 4);
    for (bool lossless : {true, false}) {
        const std::string record = SourceRecord(frame, lossless);
        for (size_t cut = 0; cut < record.size(); ++cut) {
            MemoryFile file(record.substr(0, cut));
            CFrame back;
            EXPECT_FALSE(back.ReadSourceImage(file.File())) << lossless << " cut " << cut;
            EXPECT_EQ(back.GetPixels(), nullptr);
        }
    }
    std::string wrongSize = SourceRecord(frame, true);
    PutU32(wrongSize, wrongSize.size() - 4, 6);
    std::string badKind = wrongSize;
    badKind[0] = 2;
    std::string farLength = SourceRecord(frame, false);
    PutU32(farLength, 1, 0x7FFFFFFF);
    for (const std::string* bytes : {&wrongSize, &badKind, &farLength}) {
        MemoryFile file(*bytes);
        CFrame back;
        EXPECT_FALSE(back.ReadSourceImage(file.File()));
    }
}

TEST(FrameCache, FileNames)
{
    struct Case
    {
        int32_t depth;
        bool cacheFolder, compressed;
        const char* expected;
    };
    const Case cases[] = {
        {24, true, true, "Cache/Sprites/Ship/-Idle.frm24"}, {32, false, true, "Sprites/Ship/-Idle.frm32"},
        {8, true, true, "Cache/Sprites/Ship/Idle.frm"},     {16, true, true, "Cache/Sprites/-Ship/Idle.frm16"},
        {16, true, false, "Cache/Sprites/Ship/Idle.frm16"},
    };
    for (const Case& c : cases) {
        SetFrameCompressionEnabled(c.compressed);
        CFrameLoadStage list;
        list.InsertStage(new CDepthConvertStage(false, c.depth));
        CSharedString name;
        EXPECT_TRUE(CFrame::BuildCacheFileName(name, "Sprites", "Ship/Idle", &list, c.cacheFolder));
        EXPECT_STREQ(name.CStr(), c.expected);
    }
    SetFrameCompressionEnabled(true);
    CFrameLoadStage odd;
    odd.InsertStage(new CDepthConvertStage(false, 12));
    CSharedString name;
    EXPECT_FALSE(CFrame::BuildCacheFileName(name, "Sprites", "Ship", &odd, true));
    EXPECT_STREQ(CFrame::GetCacheExtension(), "FRAME");
}

TEST(FrameCache, RebuiltExactlyWhenTimeStampsDiffer)
{
    WorkFolder folder;
    CFrameLoadStage list;
    list.InsertStage(new CDepthConvertStage(false, 24));
    const char* source = "Cache/Sprites/Ship.Frame";
    const char* cache = "Cache/Sprites/-Ship.frm24";
    auto image = [](uint8_t red) {
        auto* frame = new CFrame;
        Fill32(*frame, 3, 2, [=](uint32_t, uint32_t) { return Bgra(1, 2, red, 255); });
        return frame;
    };
    auto loadedRed = [&]() {
        CFrame frame;
        EXPECT_TRUE(frame.LoadCached("Sprites", "Ship", &list, true, 0));
        EXPECT_EQ(frame.GetBitsPerPixel(), 24u);
        EXPECT_EQ(frame.GetLeft(), 7);
        return ReadPixel(frame, 0, 0) >> 16;
    };

    CFrame missing;
    EXPECT_FALSE(missing.LoadCached("Sprites", "Ship", &list, true, 0));
    EXPECT_FALSE(std::filesystem::exists(cache)) << "no cache without a source";

    std::unique_ptr<CFrame> first(image(10));
    WriteFrameFile(source, *first, 7, -1);
    EXPECT_EQ(loadedRed(), 10u);
    ASSERT_TRUE(std::filesystem::exists(cache));
    EXPECT_EQ(Stamp(cache), Stamp(source));

    // A new source with the old time stamp: the cache is taken as current.
    const uint64_t time = Stamp(source);
    std::unique_ptr<CFrame> second(image(20));
    WriteFrameFile(source, *second, 7, -1);
    CFileSystem::SetFileTimeStamp(source, time, 0, FILE_TIME_LAST_WRITE);
    EXPECT_EQ(loadedRed(), 10u);
    // Any difference, earlier or later, rebuilds it.
    CFileSystem::SetFileTimeStamp(source, time - 20000000, 0, FILE_TIME_LAST_WRITE);
    EXPECT_EQ(loadedRed(), 20u);
    EXPECT_EQ(Stamp(cache), time - 20000000);
    CFileSystem::SetFileTimeStamp(cache, time + 20000000, 0, FILE_TIME_LAST_WRITE);
    WriteFrameFile(source, *first, 7, -1);
    CFileSystem::SetFileTimeStamp(source, time - 20000000, 0, FILE_TIME_LAST_WRITE);
    EXPECT_EQ(loadedRed(), 10u);
    // A damaged cache with the right stamp is a miss.
    std::filesystem::resize_file(cache, 40);
    CFileSystem::SetFileTimeStamp(cache, time - 20000000, 0, FILE_TIME_LAST_WRITE);
    EXPECT_EQ(loadedRed(), 10u);
    EXPECT_GT(std::filesystem::file_size(cache), 40u);
}
