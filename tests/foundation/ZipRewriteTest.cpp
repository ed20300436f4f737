// Rewriting entries in place, checked by Info-ZIP's unzip and Python's zipfile.
#include "ZipTestHelpers.h"
#include "foundation/ByteOrder.h"
#include "foundation/Crc32.h"
#include "foundation/FileTimes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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
        {"a.bin", PatternBytes(1200, 11)},
        {"Sub/b.bin", PatternBytes(2500, 12)},
        {"Sub/c.txt", "third entry\n"},
        {"d.bin", PatternBytes(700, 13)},
    };
    return files;
}

// The archive's entries in file order, with their bytes as the reader sees them.
std::vector<std::pair<std::string, std::string>> Contents(CZipArchive& archive)
{
    std::vector<std::pair<std::string, std::string>> contents;
    if (!archive.IsDirectoryRead()) {
        EXPECT_TRUE(archive.ReadDirectory());
    }
    for (uint32_t i = 0; i < archive.GetEntryCount(); ++i) {
        const std::string name = archive.GetEntry(i).GetFullName();
        contents.emplace_back(name, ReadEntry(archive, name.c_str()));
    }
    return contents;
}

class ZipRewrite : public testing::Test
{
protected:
    void SetUp() override
    {
        ziptest::WriteTree(m_work.Path(), SourceFiles());
        ASSERT_TRUE(ziptest::HaveTool("unzip"));
        ASSERT_TRUE(filetest::HavePython());
    }

    std::string Path(const char* name) const { return m_work / name; }

    // Rewrites the entry with new bytes through a stream of the archive.
    static bool Rewrite(CZipArchive& archive, const char* name, const std::string& bytes)
    {
        std::unique_ptr<CZipEntryStream> stream(archive.OpenEntry(name, VF_CREATE | VF_WRITE));
        if (!stream)
            return false;
        EXPECT_EQ(0u, stream->GetSize());
        EXPECT_EQ(bytes.size(), stream->Write(bytes.data(), static_cast<uint32_t>(bytes.size())));
        return stream->Close();
    }

    // Rewrites one entry and checks the archive with the reader, unzip and Python.
    void RewriteAndCheck(const char* archiveName, const char* entry, const std::string& bytes)
    {
        const std::string path = Path(archiveName);
        auto archive = OpenArchive(path, "", true, true);
        ASSERT_TRUE(archive);
        auto expected = Contents(*archive);
        for (auto& [name, content] : expected)
            if (name == entry)
                content = bytes;

        ASSERT_TRUE(Rewrite(*archive, entry, bytes));
        EXPECT_FALSE(archive->IsChanged());
        EXPECT_FALSE(archive->IsFileOpen());

        EXPECT_EQ(0, ziptest::UnzipTest(path)) << "unzip -t fails on the rewritten archive";
        EXPECT_EQ(0, ziptest::PythonCheck(m_work.Path(), path)) << "Python's testzip fails";
        // unzip extracts the new bytes.
        EXPECT_EQ(0, testsupport::RunCommand("unzip -p '" + path + "' '" + entry + "' > '" + Path("out") + "'"));
        EXPECT_TRUE(SameBytes(bytes, ReadFileBytes(Path("out"))));

        // A fresh reader sees every other entry unchanged and the rewritten one last.
        auto again = OpenArchive(path);
        ASSERT_TRUE(again);
        auto contents = Contents(*again);
        ASSERT_EQ(expected.size(), contents.size());
        EXPECT_EQ(entry, contents.back().first);
        for (const auto& [name, content] : expected) {
            const CZipEntry* found = again->FindEntryByName(name.c_str(), nullptr);
            ASSERT_NE(nullptr, found) << name;
            EXPECT_TRUE(SameBytes(content, ReadEntry(*again, name.c_str()))) << name;
        }
        const CZipEntry& last = again->GetEntry(again->GetEntryCount() - 1);
        EXPECT_EQ(Crc32(bytes.data(), bytes.size()), last.GetU32(CZipEntry::CRC));
        // Nothing of the old layout is left behind the new end record.
        const std::string file = ReadFileBytes(path);
        const auto* end = reinterpret_cast<const uint8_t*>(file.data()) + file.size() - 22;
        EXPECT_EQ(file.size(), LoadU32Le(end + 16) + LoadU32Le(end + 12) + 22u);
    }

    WorkFolder m_work;
};

TEST_F(ZipRewrite, MiddleEntryOfAnInfoZipArchiveWithExtraFields)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0", "z.zip", "a.bin Sub/b.bin Sub/c.txt d.bin"));
    RewriteAndCheck("z.zip", "Sub/b.bin", PatternBytes(3000, 99));
}

TEST_F(ZipRewrite, FirstEntryOfAPythonArchiveWithDataDescriptors)
{
    ASSERT_EQ(0, ziptest::PythonZip(m_work.Path(), "d.zip", "a.bin Sub/b.bin Sub/c.txt d.bin", "stream"));
    RewriteAndCheck("d.zip", "a.bin", PatternBytes(3000, 98));
}

TEST_F(ZipRewrite, LastEntryShrinks)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "x.zip", "a.bin Sub/b.bin Sub/c.txt d.bin"));
    RewriteAndCheck("x.zip", "d.bin", "short");
    RewriteAndCheck("x.zip", "d.bin", "");
    RewriteAndCheck("x.zip", "Sub/c.txt", PatternBytes(10000, 97));
}

TEST_F(ZipRewrite, RewrittenEntryIsDatedNowAndTheVariantSignatureIsKept)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "k.zip", "a.bin Sub/c.txt"));
    std::string bytes = ReadFileBytes(Path("k.zip"));
    bytes[bytes.size() - 22] = 'K';
    bytes[bytes.size() - 21] = 'T';
    WriteFileBytes(Path("k.zip"), bytes);

    auto archive = OpenArchive(Path("k.zip"), "", true, true);
    ASSERT_TRUE(archive);
    const uint64_t before = GetCurrentFileTime();
    ASSERT_TRUE(Rewrite(*archive, "A.BIN", "new"));
    bytes = ReadFileBytes(Path("k.zip"));
    EXPECT_EQ("KT", bytes.substr(bytes.size() - 22, 2));

    auto again = OpenArchive(Path("k.zip"));
    ASSERT_TRUE(again);
    EXPECT_EQ("new", ReadEntry(*again, "a.bin"));
    EXPECT_TRUE(SameBytes(SourceFiles().at("Sub/c.txt"), ReadEntry(*again, "Sub/c.txt")));
    // DOS times have 2-second steps.
    const uint64_t dated = again->GetEntryFileTime("a.bin");
    EXPECT_GE(dated + 20000000u, before);
    EXPECT_LE(dated, GetCurrentFileTime());
}

TEST_F(ZipRewrite, RewritesAreRefusedWhileStreamsAreOpenOrTheArchiveIsReadOnly)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "r.zip", "a.bin Sub/c.txt"));
    auto readOnly = OpenArchive(Path("r.zip"), "", false, true);
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(nullptr, readOnly->OpenEntry("a.bin", VF_CREATE | VF_WRITE));

    auto archive = OpenArchive(Path("r.zip"), "", true, true);
    ASSERT_TRUE(archive);
    {
        std::unique_ptr<CZipEntryStream> reading(archive->OpenEntry("Sub/c.txt", VF_READ));
        ASSERT_TRUE(reading);
        EXPECT_EQ(nullptr, archive->OpenEntry("a.bin", VF_CREATE | VF_WRITE));
    }
    {
        std::unique_ptr<CZipEntryStream> reading(archive->OpenEntry("Sub/c.txt", VF_READ | VF_PRIVATE_HANDLE));
        ASSERT_TRUE(reading);
        EXPECT_EQ(nullptr, archive->OpenEntry("a.bin", VF_CREATE | VF_WRITE));
    }
    std::unique_ptr<CZipEntryStream> writing(archive->OpenEntry("a.bin", VF_CREATE | VF_WRITE));
    ASSERT_TRUE(writing);
    EXPECT_EQ(nullptr, archive->OpenEntry("Sub/c.txt", VF_CREATE | VF_WRITE));
    EXPECT_EQ(4u, writing->Write("four", 4));
    EXPECT_TRUE(writing->Close());
    EXPECT_EQ(0, ziptest::UnzipTest(Path("r.zip")));
}

TEST_F(ZipRewrite, ReadersOfOtherEntriesOutliveTheWriter)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "o.zip", "a.bin Sub/b.bin Sub/c.txt"));
    auto archive = OpenArchive(Path("o.zip"), "", true, true);
    ASSERT_TRUE(archive);
    std::unique_ptr<CZipEntryStream> writing(archive->OpenEntry("a.bin", VF_CREATE | VF_WRITE));
    ASSERT_TRUE(writing);
    std::unique_ptr<CZipEntryStream> reading(archive->OpenEntry("Sub/b.bin", VF_READ));
    ASSERT_TRUE(reading);
    char first[100];
    ASSERT_EQ(100u, reading->Read(first, 100));
    EXPECT_TRUE(SameBytes(SourceFiles().at("Sub/b.bin").substr(0, 100), std::string(first, 100)));

    const std::string bytes = PatternBytes(5000, 5);
    EXPECT_EQ(5000u, writing->Write(bytes.data(), 5000));
    EXPECT_TRUE(writing->Close());
    EXPECT_FALSE(archive->IsChanged());
    EXPECT_TRUE(archive->IsFileOpen()); // the reader still uses it
    EXPECT_EQ(0, ziptest::UnzipTest(Path("o.zip")));

    std::string rest(2400, '\0');
    ASSERT_EQ(2400u, reading->Read(rest.data(), 2400));
    EXPECT_TRUE(SameBytes(SourceFiles().at("Sub/b.bin").substr(100), rest));
    EXPECT_TRUE(reading->Close());
    EXPECT_FALSE(archive->IsFileOpen());
    EXPECT_TRUE(SameBytes(bytes, ReadEntry(*archive, "a.bin")));
}

TEST_F(ZipRewrite, AWriterReadsBackWhatItWroteAndMaySeekInIt)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "s.zip", "a.bin d.bin"));
    auto archive = OpenArchive(Path("s.zip"), "", true, true);
    ASSERT_TRUE(archive);
    std::unique_ptr<CZipEntryStream> writing(archive->OpenEntry("a.bin", VF_CREATE | VF_WRITE));
    ASSERT_TRUE(writing);
    EXPECT_EQ(10u, writing->Write("0123456789", 10));
    EXPECT_TRUE(writing->Seek(2));
    EXPECT_EQ(2u, writing->Write("ab", 2));
    EXPECT_EQ(10u, writing->GetSize());
    EXPECT_EQ(0, writing->SetSize(8));
    EXPECT_EQ(4, writing->GetPosition());
    EXPECT_TRUE(writing->Seek(0));
    char back[8];
    EXPECT_EQ(8u, writing->Read(back, 8));
    EXPECT_EQ("01ab4567", std::string(back, 8));
    // Growing the entry adds zeros, never the bytes cut off before or what the file held there.
    EXPECT_EQ(0, writing->SetSize(300));
    const std::string grown = "01ab4567" + std::string(292, '\0');
    EXPECT_TRUE(writing->Close());
    EXPECT_EQ(0, ziptest::UnzipTest(Path("s.zip")));
    EXPECT_TRUE(SameBytes(grown, ReadEntry(*archive, "a.bin")));
    EXPECT_TRUE(SameBytes(SourceFiles().at("d.bin"), ReadEntry(*archive, "d.bin")));
}

} // namespace
