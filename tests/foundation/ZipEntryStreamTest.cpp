// Entry streams: bounds, seeks, shared and private handles, reading on two threads, and
// appending an entry through a "zip;entry" name.
#include "ZipTestHelpers.h"
#include "foundation/ByteOrder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using filetest::WorkFolder;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;
using ziptest::Files;
using ziptest::OpenArchive;
using ziptest::PatternBytes;
using ziptest::ReadEntry;
using ziptest::SameBytes;

const Files& SourceFiles()
{
    static const Files files = {
        {"ten.bin", "0123456789"},
        {"lines.txt", "first\r\nsecond\nthird"},
        {"big.bin", PatternBytes(200000, 21)},
        {"other.bin", PatternBytes(150000, 22)},
    };
    return files;
}

class ZipStreams : public testing::Test
{
protected:
    void SetUp() override
    {
        ziptest::WriteTree(m_work.Path(), SourceFiles());
        ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0", "s.zip", "ten.bin lines.txt big.bin other.bin"));
        m_path = m_work / "s.zip";
    }

    WorkFolder m_work;
    std::string m_path;
};

TEST_F(ZipStreams, ReadsStopAtTheEntryEnd)
{
    auto archive = OpenArchive(m_path);
    ASSERT_TRUE(archive);
    std::unique_ptr<CZipEntryStream> stream(archive->OpenEntry("ten.bin", VF_READ));
    ASSERT_TRUE(stream);
    char buffer[100];
    EXPECT_EQ(10u, stream->Read(buffer, 100));
    EXPECT_EQ("0123456789", std::string(buffer, 10));
    EXPECT_EQ(0u, stream->Read(buffer, 100));
    EXPECT_EQ(10, stream->GetPosition());
}

TEST_F(ZipStreams, SeeksStayInsideTheEntry)
{
    auto archive = OpenArchive(m_path);
    ASSERT_TRUE(archive);
    std::unique_ptr<CZipEntryStream> stream(archive->OpenEntry("ten.bin", VF_READ));
    ASSERT_TRUE(stream);
    char c = 0;
    EXPECT_TRUE(stream->Seek(10)); // the end itself
    EXPECT_EQ(0u, stream->Read(&c, 1));
    EXPECT_FALSE(stream->Seek(11));
    EXPECT_EQ(10, stream->GetPosition());

    EXPECT_TRUE(stream->Seek(4));
    EXPECT_FALSE(stream->SeekRelative(6)); // would land on the end
    EXPECT_FALSE(stream->SeekRelative(-5));
    EXPECT_EQ(4, stream->GetPosition());
    EXPECT_TRUE(stream->SeekRelative(5));
    EXPECT_EQ(1u, stream->Read(&c, 1));
    EXPECT_EQ('9', c);
    EXPECT_TRUE(stream->SeekRelative(-10));
    EXPECT_EQ(1u, stream->Read(&c, 1));
    EXPECT_EQ('0', c);
    EXPECT_EQ(10u, stream->GetSize());
}

TEST_F(ZipStreams, StreamsForReadingNeverWriteOrResize)
{
    auto archive = OpenArchive(m_path, "", true, true);
    ASSERT_TRUE(archive);
    const std::string before = ReadFileBytes(m_path);
    std::unique_ptr<CZipEntryStream> stream(archive->OpenEntry("ten.bin", VF_READ | VF_WRITE));
    ASSERT_TRUE(stream);
    EXPECT_EQ(0u, stream->Write("xx", 2));
    EXPECT_EQ(-1, stream->SetSize(2));
    EXPECT_EQ(10u, stream->GetSize());
    EXPECT_TRUE(stream->Close());
    EXPECT_TRUE(SameBytes(before, ReadFileBytes(m_path)));
}

TEST_F(ZipStreams, LinesReadThroughAnEntry)
{
    auto archive = OpenArchive(m_path);
    ASSERT_TRUE(archive);
    CVirtualFile file;
    ASSERT_TRUE(file.AttachStream(archive->OpenEntry("lines.txt", VF_READ), VF_READ));
    char line[64];
    ASSERT_TRUE(file.ReadLine(line, sizeof line));
    EXPECT_STREQ("first", line);
    ASSERT_TRUE(file.ReadLine(line, sizeof line));
    EXPECT_STREQ("second", line);
}

TEST_F(ZipStreams, SharedStreamsCloseInEitherOrder)
{
    auto archive = OpenArchive(m_path, "", true, true);
    ASSERT_TRUE(archive);
    for (int order = 0; order < 2; ++order) {
        std::unique_ptr<CZipEntryStream> a(archive->OpenEntry("ten.bin", VF_READ));
        std::unique_ptr<CZipEntryStream> b(archive->OpenEntry("big.bin", VF_READ));
        ASSERT_TRUE(a && b);
        EXPECT_EQ(2u, archive->GetOpenStreamCount());
        EXPECT_TRUE(archive->IsFileOpen());
        (order == 0 ? a : b)->Close();
        EXPECT_EQ(1u, archive->GetOpenStreamCount());
        EXPECT_TRUE(archive->IsFileOpen());
        EXPECT_EQ("0123456789", ReadEntry(*archive, "ten.bin")); // one more, opened and closed
        (order == 0 ? b : a)->Close();
        EXPECT_EQ(0u, archive->GetOpenStreamCount());
        EXPECT_FALSE(archive->IsFileOpen()); // a deferred archive lets go of its file
    }
    // The count came back to 0, so a rewrite is allowed again.
    std::unique_ptr<CZipEntryStream> writing(archive->OpenEntry("ten.bin", VF_CREATE | VF_WRITE));
    EXPECT_TRUE(writing);
}

TEST_F(ZipStreams, PrivateHandlesReadOnTheirOwnFile)
{
    auto archive = OpenArchive(m_path, "", false, true);
    ASSERT_TRUE(archive);
    std::unique_ptr<CZipEntryStream> stream(archive->OpenEntry("big.bin", VF_READ | VF_PRIVATE_HANDLE));
    ASSERT_TRUE(stream);
    EXPECT_TRUE(stream->HasPrivateHandle());
    EXPECT_EQ(0u, archive->GetOpenStreamCount());
    EXPECT_EQ(1u, archive->GetPrivateStreamCount());
    EXPECT_FALSE(archive->IsFileOpen());
    std::string bytes(200000, '\0');
    EXPECT_EQ(200000u, stream->Read(bytes.data(), 200000));
    EXPECT_TRUE(SameBytes(SourceFiles().at("big.bin"), bytes));
    stream.reset();
    EXPECT_EQ(0u, archive->GetPrivateStreamCount());
}

TEST_F(ZipStreams, AnAttachThatCannotReopenTheArchiveFails)
{
    auto archive = OpenArchive(m_path, "", false, true);
    ASSERT_TRUE(archive);
    EXPECT_EQ("0123456789", ReadEntry(*archive, "ten.bin"));
    ASSERT_EQ(0, std::rename(m_path.c_str(), (m_path + ".gone").c_str()));
    EXPECT_EQ(nullptr, archive->OpenEntry("ten.bin", VF_READ));
    EXPECT_EQ(nullptr, archive->OpenEntry("ten.bin", VF_READ | VF_PRIVATE_HANDLE));
    EXPECT_EQ(0u, archive->GetOpenStreamCount());
    EXPECT_EQ(0u, archive->GetPrivateStreamCount());
}

// Reads every entry in odd-sized chunks, many times, and counts the chunks that differ.
void ReadOverAndOver(CZipArchive& archive, const char* name, uint32_t flags, std::atomic<int>& mismatches)
{
    const std::string& expected = SourceFiles().at(name);
    for (int round = 0; round < 20; ++round) {
        std::unique_ptr<CZipEntryStream> stream(archive.OpenEntry(name, flags));
        if (!stream) {
            ++mismatches;
            return;
        }
        std::string chunk(997, '\0');
        size_t offset = 0;
        while (uint32_t got = stream->Read(chunk.data(), 997)) {
            if (expected.compare(offset, got, chunk.data(), got) != 0)
                ++mismatches;
            offset += got;
        }
        if (offset != expected.size())
            ++mismatches;
    }
}

TEST_F(ZipStreams, TwoThreadsReadOneArchive)
{
    auto archive = OpenArchive(m_path);
    ASSERT_TRUE(archive);
    std::atomic<int> mismatches{0};
    std::thread a([&] { ReadOverAndOver(*archive, "big.bin", VF_READ, mismatches); });
    std::thread b([&] { ReadOverAndOver(*archive, "other.bin", VF_READ, mismatches); });
    std::thread c([&] { ReadOverAndOver(*archive, "big.bin", VF_READ | VF_PRIVATE_HANDLE, mismatches); });
    a.join();
    b.join();
    c.join();
    EXPECT_EQ(0, mismatches.load());
    EXPECT_EQ(0u, archive->GetOpenStreamCount());
}

TEST_F(ZipStreams, AppendingThroughAZipEntryName)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "t.zip", "ten.bin lines.txt other.bin"));
    const std::string path = m_work / "t.zip";
    const std::string old = ReadFileBytes(path);
    const uint32_t oldDirectory = LoadU32Le(reinterpret_cast<const uint8_t*>(old.data()) + old.size() - 6);

    const std::string bytes = PatternBytes(1000, 7);
    {
        CVirtualFile file;
        ASSERT_TRUE(file.Open((path + ";new.bin").c_str(), VF_CREATE | VF_WRITE));
        EXPECT_EQ(1000u, file.Write(bytes.data(), 1000));
        EXPECT_EQ(1000u, file.GetSize());
        EXPECT_TRUE(file.Close());
    }
    const std::string now = ReadFileBytes(path);
    const auto* end = reinterpret_cast<const uint8_t*>(now.data()) + now.size() - 22;
    EXPECT_EQ(CZipArchive::kVariantEndSignature, LoadU32Le(end));
    EXPECT_EQ(now.size(), LoadU32Le(end + 16) + LoadU32Le(end + 12) + 22u);

    auto archive = OpenArchive(path);
    ASSERT_TRUE(archive);
    ASSERT_EQ(4u, archive->GetEntryCount());
    EXPECT_EQ(oldDirectory, archive->GetEntry(3).GetLocalOffset());
    EXPECT_EQ("new.bin", archive->GetEntry(3).GetFullName());
    EXPECT_TRUE(SameBytes(bytes, ReadEntry(*archive, "new.bin")));
    for (const char* name : {"ten.bin", "lines.txt", "other.bin"})
        EXPECT_TRUE(SameBytes(SourceFiles().at(name), ReadEntry(*archive, name))) << name;
    // The old entries' bytes are untouched up to the new entry.
    EXPECT_TRUE(SameBytes(old.substr(0, oldDirectory), now.substr(0, oldDirectory)));
}

TEST_F(ZipStreams, AShortAppendLeavesNothingOfTheOldDirectory)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "t.zip", "ten.bin lines.txt other.bin"));
    const std::string path = m_work / "t.zip";
    CVirtualFile file;
    ASSERT_TRUE(file.Open((path + ";x").c_str(), VF_CREATE | VF_WRITE));
    EXPECT_EQ(3u, file.Write("abc", 3));
    EXPECT_TRUE(file.Seek(1));
    EXPECT_EQ(1u, file.Write("B", 1));
    char back[8] = {};
    EXPECT_TRUE(file.Seek(0));
    EXPECT_EQ(3u, file.Read(back, 8)); // nothing of the old directory reads as entry data
    EXPECT_FALSE(file.SeekRelative(-4));
    EXPECT_TRUE(file.Close());

    auto archive = OpenArchive(path);
    ASSERT_TRUE(archive);
    ASSERT_EQ(4u, archive->GetEntryCount());
    EXPECT_EQ("aBc", ReadEntry(*archive, "x"));
    EXPECT_TRUE(SameBytes(SourceFiles().at("other.bin"), ReadEntry(*archive, "other.bin")));

    // An entry grown by a write past its end or by SetSize holds zeros where the old directory lay.
    ASSERT_TRUE(file.Open((path + ";y").c_str(), VF_CREATE | VF_WRITE));
    EXPECT_EQ(2u, file.Write("ab", 2));
    EXPECT_TRUE(file.Seek(10));
    EXPECT_EQ(1u, file.Write("c", 1));
    EXPECT_EQ(0, file.SetSize(100));
    EXPECT_EQ(100u, file.GetSize());
    EXPECT_TRUE(file.Close());
    archive = OpenArchive(path);
    ASSERT_TRUE(archive);
    ASSERT_EQ(5u, archive->GetEntryCount());
    EXPECT_EQ("ab" + std::string(8, '\0') + "c" + std::string(89, '\0'), ReadEntry(*archive, "y"));
    EXPECT_EQ("aBc", ReadEntry(*archive, "x"));
}

TEST_F(ZipStreams, AppendingNeedsAZipFileWithoutComment)
{
    WriteFileBytes(m_work / "plain.zip", "not a zip file, long enough to hold an end record");
    EXPECT_FALSE(CVirtualFile().Open((m_work / "plain.zip;x").c_str(), VF_CREATE | VF_WRITE));
    EXPECT_FALSE(CVirtualFile().Open((m_work / "missing.zip;x").c_str(), VF_CREATE | VF_WRITE));
    ASSERT_TRUE(filetest::HavePython());
    ASSERT_EQ(0, ziptest::PythonZip(m_work.Path(), "c.zip", "ten.bin", "comment"));
    const std::string before = ReadFileBytes(m_work / "c.zip");
    EXPECT_FALSE(CVirtualFile().Open((m_work / "c.zip;x").c_str(), VF_CREATE | VF_WRITE));
    EXPECT_TRUE(SameBytes(before, ReadFileBytes(m_work / "c.zip")));
}

} // namespace
