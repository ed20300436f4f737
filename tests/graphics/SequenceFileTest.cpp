// Sequence files: the source image round trip (null frames included), the header read back with
// zlib itself, the depth cache and its names, a changed source rewriting the cache, the
// "/NoCompression" rule, and damaged caches refused without reading past their bytes.
#include "LoadTestSupport.h"
#include "SequenceTestSupport.h"
#include "blit/BlitTypeList.h"
#include "blit/Blitter.h"
#include "foundation/FileSystem.h"
#include "foundation/FileTimes.h"
#include "foundation/SharedString.h"
#include "graphics/stages/DepthConvertStage.h"

#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace frametest;
using namespace loadtest;
using namespace seqtest;

namespace {

// A sequence of 32-bit frames of different sizes, patterns and hot spots, the second one missing.
void MakeWalk(CSequence& sequence, uint32_t seed)
{
    sequence.SetPropertiesToDefaults();
    sequence.SetFramesPerSecond(12.5f);
    ASSERT_TRUE(sequence.SetBlitTypeByName("Blit As Shadow"));
    sequence.SetLoadFlags(CSequence::kCropColor0 | CSequence::kLossLess);
    const uint32_t sizes[][2] = {{5, 3}, {0, 0}, {7, 4}, {1, 1}};
    for (uint32_t i = 0; i < 4; ++i) {
        if (i == 1) {
            sequence.AddFrame(nullptr);
            continue;
        }
        auto* frame = SolidFrame(sizes[i][0], sizes[i][1], 32, 0);
        FillPattern(*frame, seed + i);
        frame->SetOrigin(static_cast<int16_t>(-2 - i), static_cast<int16_t>(i) - 3);
        sequence.AddFrame(frame);
    }
}

void ExpectSameFrames(const CSequence& actual, const CSequence& expected)
{
    ASSERT_EQ(actual.GetFrameCount(), expected.GetFrameCount());
    for (uint32_t i = 0; i < expected.GetFrameCount(); ++i) {
        const CFrame* a = actual.GetFrame(i);
        const CFrame* e = expected.GetFrame(i);
        ASSERT_EQ(a == nullptr, e == nullptr) << "frame " << i;
        if (!e)
            continue;
        EXPECT_EQ(a->GetLeft(), e->GetLeft()) << i;
        EXPECT_EQ(a->GetTop(), e->GetTop()) << i;
        EXPECT_EQ(a->GetFormatFlags() & (kFrameDepthMask | kFrameRunLengthMask),
                  e->GetFormatFlags() & (kFrameDepthMask | kFrameRunLengthMask));
        EXPECT_EQ(Snapshot(*a), Snapshot(*e)) << "frame " << i;
    }
    EXPECT_EQ(actual.GetBounds(), expected.GetBounds());
}

// A stage list that keeps 32-bit frames as they are: the cache is then "-<name>.seq32".
void ThirtyTwoBitList(CFrameLoadStage& list)
{
    list.InsertStage(new CDepthConvertStage(false, 32));
}

uint64_t WriteTime(const CSharedString& name)
{
    return CFileSystem::GetFileTimeStamp(name.CStr(), 0, FILE_TIME_LAST_WRITE);
}

// The header of a source file, inflated by zlib from the record u8 1, u32 c, u32 r, c bytes.
std::string HeaderText(const std::string& file)
{
    uint32_t packed = 0, raw = 0;
    if (file.size() < 9 || file[0] != 1)
        return "";
    std::memcpy(&packed, file.data() + 1, 4);
    std::memcpy(&raw, file.data() + 5, 4);
    std::string text(raw, '\0');
    uLongf length = raw;
    if (file.size() < 9 + static_cast<size_t>(packed) ||
        uncompress(reinterpret_cast<Bytef*>(text.data()), &length,
                   reinterpret_cast<const Bytef*>(file.data() + 9), packed) != Z_OK)
        return "";
    return text;
}

// The source file with its header's text replaced, compressed again by zlib; the strip after the
// header stays as it was.
std::string WithHeaderText(const std::string& file, const std::string& text)
{
    uint32_t packed = 0;
    std::memcpy(&packed, file.data() + 1, 4);
    uLongf length = compressBound(static_cast<uLong>(text.size()));
    std::string block(length, '\0');
    if (compress(reinterpret_cast<Bytef*>(block.data()), &length, reinterpret_cast<const Bytef*>(text.data()),
                 static_cast<uLong>(text.size())) != Z_OK)
        return "";
    block.resize(length);
    const auto packedNow = static_cast<uint32_t>(length), raw = static_cast<uint32_t>(text.size());
    std::string out(1, '\x01');
    out.append(reinterpret_cast<const char*>(&packedNow), 4);
    out.append(reinterpret_cast<const char*>(&raw), 4);
    return out + block + file.substr(9 + packed);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    return at == std::string::npos ? "" : text.replace(at, from.size(), to);
}

} // namespace

TEST(SequenceFile, FrameRectanglesOutsideTheStripAreRefusedBeforeAnyFrameIsMade)
{
    WorkFolder folder;
    CSequence original;
    MakeWalk(original, 5);
    CSequenceSourceOptions options;
    options.m_lossless = true;
    ASSERT_TRUE(original.SaveSourceImage("Resources", "Walk", options));
    const std::string file = testsupport::ReadFileBytes("Cache/Resources/Walk.Sequence");
    const std::string header = HeaderText(file);
    ASSERT_FALSE(header.empty());
    // The strip is 13 x 4: frames at x 0-5, 5-12 and 12-13.
    const struct
    {
        const char* from;
        const char* to;
        bool taken;
    } cases[] = {
        {"Right=12\r\n", "Right=2000000000\r\n", false}, {"Right=12\r\n", "Right=14\r\n", false},
        {"Left=5\r\n", "Left=-1\r\n", false},          {"Bottom=4\r\n", "Bottom=65536\r\n", false},
        {"Top=0\r\n", "Top=-70000\r\n", false},        {"Bottom=1\r\n", "Bottom=4\r\n", true},
        // Inside, but over the third frame.
        {"Right=12\r\n", "Right=13\r\n", false},
        // Empty rectangles are null frames, wherever they lie.
        {"Right=12\r\n", "Right=-2000000000\r\n", true},
    };
    CFrameLoadStage list;
    ThirtyTwoBitList(list);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        const std::string text = Replaced(header, c.from, c.to);
        ASSERT_FALSE(text.empty());
        testsupport::WriteFileBytes("Cache/Resources/Bad.Sequence", WithHeaderText(file, text));
        std::filesystem::remove("Cache/Resources/-Bad.seq32");
        CSequence rebuilt;
        EXPECT_EQ(rebuilt.BuildFromSource("Resources", "Bad", &list), c.taken);
        EXPECT_EQ(rebuilt.GetFrameCount(), c.taken ? 4u : 0u);
        EXPECT_EQ(std::filesystem::exists("Cache/Resources/-Bad.seq32"), c.taken);
    }
}

TEST(SequenceFile, SourceImageRoundTripKeepsFramesAndNullFrames)
{
    WorkFolder folder;
    CSequence original;
    MakeWalk(original, 3);
    CSequenceSourceOptions options;
    options.m_wasRunLength = false;
    options.m_lossless = true;
    ASSERT_TRUE(original.SaveSourceImage("Resources", "Walk", options));

    // The header, read with zlib alone: the second entry is an empty "Frame Info".
    const std::string header = HeaderText(testsupport::ReadFileBytes("Cache/Resources/Walk.Sequence"));
    ASSERT_FALSE(header.empty());
    EXPECT_EQ(header.rfind("CSequenceFrameInfoList\r\n", 0), 0u) << header;
    for (const char* line : {"WasRLE=0\r\n", "FPS=12.5\r\n", "Flags=36\r\n", "Item Count=4\r\n", "Frame Info=\r\n",
                             "Right=5\r\n", "UpperLeftXOffset=-2\r\n", "UpperLeftYOffset=-3\r\n", "Left=5\r\n",
                             "Right=12\r\n"})
        EXPECT_NE(header.find(line), std::string::npos) << line << " in\n" << header;

    CSequence rebuilt;
    CFrameLoadStage list;
    ThirtyTwoBitList(list);
    ASSERT_TRUE(rebuilt.BuildFromSource("Resources", "Walk", &list));
    ExpectSameFrames(rebuilt, original);
    EXPECT_EQ(rebuilt.GetFramesPerSecond(), 12.5f);
    EXPECT_EQ(rebuilt.GetBlitTypeIndex(), original.GetBlitTypeIndex());
    EXPECT_EQ(rebuilt.GetLoadFlags(), original.GetLoadFlags());

    EXPECT_FALSE(rebuilt.BuildFromSource("Resources", "Missing", &list));
    EXPECT_EQ(rebuilt.GetFrameCount(), 0u);
    testsupport::WriteFileBytes("Cache/Resources/Broken.Sequence", std::string("\x01\x05\0\0\0\x09\0\0\0xxxxx", 14));
    EXPECT_FALSE(rebuilt.BuildFromSource("Resources", "Broken", &list));
}

TEST(SequenceFile, CacheRoundTripAndDamagedCaches)
{
    WorkFolder folder;
    CSequence original;
    MakeWalk(original, 9);
    original.AddFrame(SolidFrame(0, 3, 32, 0));   // zero width: stored as a missing frame
    CFrame* encoded = SolidFrame(9, 2, 32, 0xFF102030u, 4, 1);
    ASSERT_TRUE(EncodeFor(*encoded, CRunLengthEncodeStage::kTwoBands, 16));
    original.AddFrame(encoded);
    ASSERT_TRUE(original.SaveCache("Cache/Resources/-Walk.seq32"));
    CFrameLoadStage list;
    ThirtyTwoBitList(list);
    CSequence read;
    ASSERT_TRUE(read.LoadCached("Resources", "Walk", &list));
    ASSERT_EQ(read.GetFrameCount(), 6u);
    EXPECT_EQ(read.GetFrame(4), nullptr);
    uint32_t blockSize = 0;   // a run-length block opens with its own size
    std::memcpy(&blockSize, encoded->GetPixels(), 4);
    EXPECT_EQ(std::memcmp(read.GetFrame(5)->GetPixels(), encoded->GetPixels(), blockSize), 0);
    EXPECT_EQ(read.GetFramesPerSecond(), 12.5f);
    EXPECT_EQ(read.GetBlitTypeIndex(), original.GetBlitTypeIndex());
    EXPECT_EQ(read.GetBounds(), original.GetBounds());
    EXPECT_EQ(Snapshot(*read.GetFrame(2)), Snapshot(*original.GetFrame(2)));

    // Cut short anywhere: refused, nothing kept.
    const std::string whole = testsupport::ReadFileBytes("Cache/Resources/-Walk.seq32");
    for (size_t length = 0; length < whole.size(); ++length) {
        testsupport::WriteFileBytes("Cache/Resources/-Walk.seq32", whole.substr(0, length));
        EXPECT_FALSE(read.LoadCached("Resources", "Walk", &list)) << length;
        EXPECT_EQ(read.GetFrameCount(), 0u);
    }
    // The frame count sits where the caches of one and of no frame first differ; a count the
    // bytes cannot hold is refused before anything is made for it.
    CSequence none, one;
    none.SetPropertiesToDefaults();
    one.SetPropertiesToDefaults();
    one.AddFrame(nullptr);
    ASSERT_TRUE(none.SaveCache("none.seq32") && one.SaveCache("one.seq32"));
    const std::string a = testsupport::ReadFileBytes("none.seq32"), b = testsupport::ReadFileBytes("one.seq32");
    size_t at = 0;
    while (at < a.size() && a[at] == b[at])
        ++at;
    ASSERT_LT(at + 4, whole.size());
    for (uint32_t count : {7u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        std::string patched = whole;
        std::memcpy(patched.data() + at, &count, 4);
        testsupport::WriteFileBytes("Cache/Resources/-Walk.seq32", patched);
        EXPECT_FALSE(read.LoadCached("Resources", "Walk", &list)) << count;
    }
}

TEST(SequenceFile, CacheNamesByDepth)
{
    const struct
    {
        int32_t depth;
        bool compressed;
        const char* name;
        const char* expected;
    } cases[] = {
        {8, true, "Walk", "Cache/Resources/Walk.seq"},
        {16, true, "Walk", "Cache/Resources/-Walk.seq16"},
        {16, false, "Walk", "Cache/Resources/Walk.seq16"},
        {24, true, "Walk", "Cache/Resources/-Walk.seq24"},
        {32, false, "Walk", "Cache/Resources/-Walk.seq32"},
        // The "-" goes before the last component at every depth.
        {16, true, "Power Ups/Gun", "Cache/Resources/Power Ups/-Gun.seq16"},
        {24, true, "Power Ups/Gun", "Cache/Resources/Power Ups/-Gun.seq24"},
        {8, true, "Power Ups/Gun", "Cache/Resources/Power Ups/Gun.seq"},
    };
    for (const auto& c : cases) {
        SetFrameCompressionEnabled(c.compressed);
        CFrameLoadStage list;
        list.InsertStage(new CDepthConvertStage(false, c.depth));
        CSharedString name;
        EXPECT_TRUE(CSequence::GetCacheFileName(name, "Resources", c.name, &list));
        EXPECT_STREQ(name.CStr(), c.expected);
    }
    SetFrameCompressionEnabled(true);
    CFrameLoadStage list;
    list.InsertStage(new CDepthConvertStage(false, 15));
    CSharedString name;
    EXPECT_FALSE(CSequence::GetCacheFileName(name, "Resources", "Walk", &list));
    EXPECT_STREQ(CSequence::GetCacheExtension(), "SEQUENCE");
}

TEST(SequenceFile, ChangedSourceRewritesTheCacheWhichThenCarriesItsTime)
{
    WorkFolder folder;
    CFrameLoadStage list;
    ThirtyTwoBitList(list);
    CSequenceSourceOptions options;
    options.m_wasRunLength = false;
    options.m_lossless = true;
    CSharedString source, cache;
    CSequence::GetSourceFileName(source, "Resources", "Monsters/Walk");
    CSequence::GetCacheFileName(cache, "Resources", "Monsters/Walk", &list);
    EXPECT_STREQ(cache.CStr(), "Cache/Resources/Monsters/-Walk.seq32");

    CSequence first;
    MakeWalk(first, 1);
    ASSERT_TRUE(first.SaveSourceImage("Resources", "Monsters/Walk", options));
    CSequence loaded;
    ASSERT_TRUE(loaded.Load("Resources", "Monsters/Walk", &list));
    ExpectSameFrames(loaded, first);
    ASSERT_TRUE(std::filesystem::exists(cache.CStr()));
    EXPECT_EQ(WriteTime(cache), WriteTime(source));

    // A new source with another time: the old cache is rewritten, not only re-stamped.
    CSequence second;
    MakeWalk(second, 100);
    ASSERT_TRUE(second.SaveSourceImage("Resources", "Monsters/Walk", options));
    ASSERT_TRUE(CFileSystem::SetFileTimeStamp(source.CStr(), WriteTime(cache) + 50000000, 0, FILE_TIME_LAST_WRITE));
    ASSERT_TRUE(loaded.Load("Resources", "Monsters/Walk", &list));
    ExpectSameFrames(loaded, second);
    EXPECT_EQ(WriteTime(cache), WriteTime(source));
    CSequence fromCache;
    ASSERT_TRUE(fromCache.LoadCached("Resources", "Monsters/Walk", &list));
    ExpectSameFrames(fromCache, second);

    // A current cache is read without the source: here its frames differ from the source's.
    ASSERT_TRUE(first.SaveCache(cache.CStr()));
    ASSERT_TRUE(CFileSystem::SetFileTimeStamp(cache.CStr(), WriteTime(source), 0, FILE_TIME_LAST_WRITE));
    ASSERT_TRUE(loaded.Load("Resources", "Monsters/Walk", &list));
    ExpectSameFrames(loaded, first);
}

TEST(SequenceFile, WithoutCompressionOnlyTheCacheLoads)
{
    WorkFolder folder;
    DisplayDepth depth(16);
    CSequence walk;
    MakeWalk(walk, 4);
    CSequenceSourceOptions options;
    ASSERT_TRUE(walk.SaveSourceImage("Resources", "Walk", options));
    SetFrameCompressionEnabled(false);
    CSequence loaded;
    EXPECT_FALSE(loaded.Load("Resources", "Walk", nullptr));
    EXPECT_FALSE(std::filesystem::exists("Cache/Resources/Walk.seq16"));
    ASSERT_TRUE(walk.SaveCache("Cache/Resources/Walk.seq16"));
    EXPECT_TRUE(loaded.Load("Resources", "Walk", nullptr));
    EXPECT_EQ(loaded.GetFrameCount(), 4u);
    SetFrameCompressionEnabled(true);
    EXPECT_STREQ(CSequence::GetCacheExtension(), "SEQUENCE");
}
