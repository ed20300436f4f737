// Reading zip archives written by other tools, and refusing what the reader cannot take.
#include "ZipTestHelpers.h"
#include "foundation/ByteOrder.h"
#include "foundation/FileSearchSpec.h"
#include "foundation/FileTimes.h"
#include "foundation/FoundFileList.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
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

using Strings = std::vector<std::string>;

uint8_t* At(std::string& bytes, size_t offset)
{
    return reinterpret_cast<uint8_t*>(bytes.data()) + offset;
}

const Files& TreeFiles()
{
    static const Files files = {
        {"Graphics/Ball/a.frm", PatternBytes(1000, 1)},
        {"Graphics/b.seq", PatternBytes(70000, 2)}, // more than one read chunk
        {"Sound/x.wav", PatternBytes(33, 3)},
        {"Sound/-old/y.wav", PatternBytes(5, 4)},
        {"Sound/-z.wav", "dashed file"},
        {"top.txt", "top\r\nline two\r\n"},
        {"empty.bin", ""},
        {"xwav", "no dot"},
    };
    return files;
}

std::string TreeNames()
{
    std::string names;
    for (const auto& [name, bytes] : TreeFiles())
        names += "'" + name + "' ";
    return names;
}

class ZipReading : public testing::Test
{
protected:
    void SetUp() override { ziptest::WriteTree(m_work.Path(), TreeFiles()); }

    void ExpectEveryFileReads(const std::string& archivePath, const char* prefix)
    {
        auto archive = OpenArchive(archivePath, prefix);
        ASSERT_TRUE(archive);
        uint32_t files = 0;
        for (uint32_t i = 0; i < archive->GetEntryCount(); ++i)
            if (archive->GetEntry(i).GetFullName().back() != '/')
                ++files;
        EXPECT_EQ(TreeFiles().size(), files);
        for (const auto& [name, bytes] : TreeFiles()) {
            const std::string full = std::string(prefix) + name;
            EXPECT_TRUE(SameBytes(bytes, ReadEntry(*archive, full.c_str()))) << full;
            EXPECT_TRUE(SameBytes(bytes, ReadEntry(*archive, full.c_str(), VF_READ | VF_PRIVATE_HANDLE))) << full;
        }
    }

    WorkFolder m_work;
};

TEST_F(ZipReading, InfoZipArchivesWithExtraFieldsReadByteForByte)
{
    ASSERT_TRUE(ziptest::HaveTool("zip"));
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -r", "r.zip", "Graphics Sound top.txt empty.bin xwav"));
    // The fixture must have what makes the difference: a local extra field longer than the
    // central one, so that data read after the central length lands in the wrong place.
    std::string bytes = ReadFileBytes(m_work / "r.zip");
    const uint32_t directory = LoadU32Le(At(bytes, bytes.size() - 6));
    ASSERT_NE(LoadU16Le(At(bytes, 28)), LoadU16Le(At(bytes, directory + 30)));
    ExpectEveryFileReads(m_work / "r.zip", "");
    ExpectEveryFileReads(m_work / "r.zip", "Data2/Sub/");
}

TEST_F(ZipReading, InfoZipArchivesWithoutExtraFieldsRead)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X -D", "x.zip", TreeNames()));
    ExpectEveryFileReads(m_work / "x.zip", "");
}

TEST_F(ZipReading, PythonStoredArchivesRead)
{
    ASSERT_TRUE(filetest::HavePython());
    ASSERT_EQ(0, ziptest::PythonZip(m_work.Path(), "p.zip", TreeNames()));
    ExpectEveryFileReads(m_work / "p.zip", "");
    // Entries followed by data descriptors read the same.
    ASSERT_EQ(0, ziptest::PythonZip(m_work.Path(), "d.zip", TreeNames(), "stream"));
    ExpectEveryFileReads(m_work / "d.zip", "");
}

TEST_F(ZipReading, EmptyArchiveOfOnlyAnEndRecordOpensWithoutEntries)
{
    std::string bytes(22, '\0');
    StoreU32Le(At(bytes, 0), CZipArchive::kEndSignature);
    WriteFileBytes(m_work / "empty.zip", bytes);
    auto archive = OpenArchive(m_work / "empty.zip");
    ASSERT_TRUE(archive);
    EXPECT_EQ(0u, archive->GetEntryCount());
    EXPECT_EQ(nullptr, archive->OpenEntry("a", VF_READ));
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("", "");
    CFileCounter counter;
    archive->EnumerateEntries(counter, spec);
    EXPECT_EQ(0u, counter.GetCount());
}

TEST_F(ZipReading, VariantEndSignatureIsAcceptedAndKept)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "k.zip", "top.txt empty.bin"));
    std::string bytes = ReadFileBytes(m_work / "k.zip");
    bytes[bytes.size() - 22] = 'K';
    bytes[bytes.size() - 21] = 'T';
    WriteFileBytes(m_work / "k.zip", bytes);
    auto archive = OpenArchive(m_work / "k.zip");
    ASSERT_TRUE(archive);
    EXPECT_EQ(CZipArchive::kVariantEndSignature, archive->GetEndSignature());
    EXPECT_TRUE(SameBytes(TreeFiles().at("top.txt"), ReadEntry(*archive, "top.txt")));
}

TEST_F(ZipReading, ArchivesTheReaderCannotTakeAreRefused)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "ok.zip", "top.txt Sound/x.wav empty.bin"));
    const std::string good = ReadFileBytes(m_work / "ok.zip");
    const size_t end = good.size() - 22;
    const uint32_t directory = LoadU32Le(reinterpret_cast<const uint8_t*>(good.data()) + end + 16);

    auto refused = [&](const std::string& bytes) {
        WriteFileBytes(m_work / "bad.zip", bytes);
        return OpenArchive(m_work / "bad.zip") == nullptr;
    };
    EXPECT_FALSE(refused(good));
    EXPECT_TRUE(refused(good.substr(0, 21)));
    EXPECT_TRUE(refused(good + "comment")); // the end record is looked for only without a comment

    std::string bytes = good;
    StoreU32Le(At(bytes, end + 16), 0xFFFFFFFFu);
    EXPECT_TRUE(refused(bytes));
    bytes = good;
    StoreU32Le(At(bytes, end + 16), static_cast<uint32_t>(end + 1));
    EXPECT_TRUE(refused(bytes));
    // The first header of the directory must be a central one.
    bytes = good;
    bytes[directory] = 'X';
    EXPECT_TRUE(refused(bytes));
    // A directory that ends before its announced count is refused rather than read short.
    bytes = good;
    StoreU16Le(At(bytes, end + 8), 4);
    StoreU16Le(At(bytes, end + 10), 4);
    EXPECT_TRUE(refused(bytes));
    // A name running past the end of the file.
    bytes = good;
    StoreU16Le(At(bytes, directory + 28), 0xFFFF);
    EXPECT_TRUE(refused(bytes));
}

TEST_F(ZipReading, DamagedLocalHeadersAndOversizedEntriesDoNotOpen)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "ok.zip", "top.txt Sound/x.wav"));
    std::string bytes = ReadFileBytes(m_work / "ok.zip");
    const uint32_t directory = LoadU32Le(At(bytes, bytes.size() - 6));
    bytes[0] = 'X'; // the first local header (top.txt)
    // The second central header's size now runs past the end of the file.
    const uint32_t second = directory + 46 + LoadU16Le(At(bytes, directory + 28)) +
                            LoadU16Le(At(bytes, directory + 30)) + LoadU16Le(At(bytes, directory + 32));
    StoreU32Le(At(bytes, second + 20), 0x7FFFFFFF);
    StoreU32Le(At(bytes, second + 24), 0x7FFFFFFF);
    WriteFileBytes(m_work / "bad.zip", bytes);
    auto archive = OpenArchive(m_work / "bad.zip");
    ASSERT_TRUE(archive);
    EXPECT_EQ("<none>", ReadEntry(*archive, "top.txt"));
    EXPECT_EQ("<none>", ReadEntry(*archive, "Sound/x.wav"));
    EXPECT_EQ(0u, archive->GetOpenStreamCount());
}

using ZipReadingDeathTest = ZipReading;

TEST_F(ZipReadingDeathTest, CompressedEntryEndsTheProgram)
{
    ziptest::WriteTree(m_work.Path(), {{"big.txt", std::string(5000, 'a')}});
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-X", "deflated.zip", "top.txt big.txt"));
    const std::string path = m_work / "deflated.zip";
    EXPECT_EXIT(OpenArchive(path), testing::ExitedWithCode(255),
                "Compressed Zip File Found: .*deflated.zip has been created using an unsupported type of "
                "compression.  All zip archives must be created with compression set to none");
}

TEST_F(ZipReadingDeathTest, DeferredArchiveThatCannotBeReadEndsTheProgramAtFirstUse)
{
    WriteFileBytes(m_work / "broken.zip", "not a zip file at all, but long enough");
    auto archive = std::make_shared<CZipArchive>();
    ASSERT_TRUE(archive->Open((m_work / "broken.zip").c_str(), true, "Broken/", true, VF_VERBATIM));
    EXPECT_FALSE(archive->IsDirectoryRead());
    // Names outside its folder never touch it.
    EXPECT_EQ(nullptr, archive->OpenEntry("Other/a.txt", VF_READ));
    EXPECT_EXIT(archive->OpenEntry("Broken/a.txt", VF_READ), testing::ExitedWithCode(255),
                "FATAL ERROR IN ZIP: There is something wrong with .*broken.zip.  It may be an empty archive.");
}

TEST_F(ZipReading, LookupIgnoresCaseAndStaysInsideThePrefix)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "p.zip", TreeNames()));
    auto archive = OpenArchive(m_work / "p.zip", "Pack/");
    ASSERT_TRUE(archive);
    bool writable = true;
    EXPECT_TRUE(archive->FindEntry("pack/GRAPHICS/ball/A.FRM", writable));
    EXPECT_FALSE(writable); // a read-only archive
    EXPECT_TRUE(SameBytes(TreeFiles().at("Graphics/Ball/a.frm"), ReadEntry(*archive, "PACK/graphics/BALL/a.FRM")));
    EXPECT_FALSE(archive->FindEntry("Graphics/Ball/a.frm", writable));
    EXPECT_FALSE(archive->FindEntry("Packs/top.txt", writable));
    EXPECT_FALSE(archive->FindEntry("Pack/missing.txt", writable));
    uint32_t position = 99;
    EXPECT_EQ(nullptr, archive->FindEntryByName("Pack/Sound/", &position));
    const CZipEntry* found = archive->FindEntryByName("pack/sound/-z.wav", nullptr);
    ASSERT_NE(nullptr, found);
    EXPECT_STREQ("Sound/-z.wav", found->GetStoredName());
}

TEST_F(ZipReading, WritableAnswerFollowsTheArchiveFile)
{
    ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -X", "w.zip", "top.txt"));
    auto archive = OpenArchive(m_work / "w.zip", "", true);
    ASSERT_TRUE(archive);
    bool writable = false;
    EXPECT_TRUE(archive->FindEntry("top.txt", writable));
    EXPECT_TRUE(writable);
    ASSERT_EQ(0, ::chmod((m_work / "w.zip").c_str(), 0444));
    EXPECT_TRUE(archive->FindEntry("top.txt", writable));
    EXPECT_FALSE(writable);
}

TEST_F(ZipReading, EntryTimesComeFromTheEntryOrTheArchiveFile)
{
    ASSERT_EQ(0, ziptest::PythonZip(m_work.Path(), "t.zip", "top.txt"));
    auto archive = OpenArchive(m_work / "t.zip", "T/");
    ASSERT_TRUE(archive);
    EXPECT_EQ(ziptest::LocalFileTime(2020, 1, 2, 3, 4, 6), archive->GetEntryFileTime("T/top.txt"));
    // A name under the prefix that is no entry dates from the archive file.
    struct stat st;
    ASSERT_EQ(0, ::stat((m_work / "t.zip").c_str(), &st));
    EXPECT_EQ(UnixTimeToFileTime(st.st_mtim.tv_sec, static_cast<int32_t>(st.st_mtim.tv_nsec)),
              archive->GetEntryFileTime("T/none.txt"));
    EXPECT_EQ(0u, archive->GetEntryFileTime("U/top.txt"));
}

class ZipListing : public ZipReading
{
protected:
    void SetUp() override
    {
        ZipReading::SetUp();
        ASSERT_EQ(0, ziptest::RunZip(m_work.Path(), "-0 -r", "l.zip", "Graphics Sound top.txt empty.bin xwav"));
        m_archive = OpenArchive(m_work / "l.zip", "Pack/");
        ASSERT_TRUE(m_archive);
    }

    Strings List(const char* folder, const char* extension, uint32_t mode, bool bare = false)
    {
        CFileSearchSpec spec;
        spec.SetFolderAndExtension(folder, extension);
        spec.SetRecursionMode(mode);
        spec.SetNamesWithoutFolders(bare);
        return Collect(spec);
    }

    Strings ListFolders(const char* folder, bool dashed, uint32_t mode, bool bare = false)
    {
        CFileSearchSpec spec;
        spec.SetFolderForSubfolders(folder, dashed);
        spec.SetRecursionMode(mode);
        spec.SetNamesWithoutFolders(bare);
        return Collect(spec);
    }

    Strings Collect(const CFileSearchSpec& spec)
    {
        CFoundFileList list;
        m_archive->EnumerateEntries(list, spec);
        Strings names;
        for (uint32_t i = 0; i < list.GetCount(); ++i)
            names.push_back(list.GetName(i).CStr());
        return names;
    }

    std::shared_ptr<CZipArchive> m_archive;
};

TEST_F(ZipListing, ExtensionsNeedTheirDotAndFolderEntriesAreNoFiles)
{
    EXPECT_EQ(List("Pack/", "wav", CFileSearchSpec::RECURSE_ALL),
              (Strings{"Pack/Sound/-old/y.wav", "Pack/Sound/-z.wav", "Pack/Sound/x.wav"}));
    EXPECT_EQ(List("Pack/", "", CFileSearchSpec::RECURSE_ALL).size(), TreeFiles().size());
    EXPECT_EQ(List("pack/graphics/", ".FRM", CFileSearchSpec::RECURSE_ALL, true), (Strings{"a.frm"}));
    // A folder above the prefix sees the entries; one beside it sees none.
    EXPECT_EQ(List("", "seq", CFileSearchSpec::RECURSE_ALL), (Strings{"Pack/Graphics/b.seq"}));
    EXPECT_TRUE(List("Other/", "seq", CFileSearchSpec::RECURSE_ALL).empty());
}

TEST_F(ZipListing, DashedFoldersAreLeftOutInTheDefaultMode)
{
    EXPECT_EQ(List("Pack/Sound/", "wav", CFileSearchSpec::RECURSE_SKIP_DASHED),
              (Strings{"Pack/Sound/-z.wav", "Pack/Sound/x.wav"}));
    // Without recursion, entries below the folder are still listed.
    EXPECT_EQ(List("Pack/", "wav", CFileSearchSpec::RECURSE_NONE).size(), 3u);
}

TEST_F(ZipListing, FoldersAreListedOncePerVisitorAndByMode)
{
    EXPECT_EQ(ListFolders("Pack/", false, CFileSearchSpec::RECURSE_ALL),
              (Strings{"Pack/Graphics", "Pack/Graphics/Ball", "Pack/Sound", "Pack/Sound/-old"}));
    EXPECT_EQ(ListFolders("Pack/", false, CFileSearchSpec::RECURSE_NONE), (Strings{"Pack/Graphics", "Pack/Sound"}));
    EXPECT_EQ(ListFolders("Pack/Sound/", true, CFileSearchSpec::RECURSE_SKIP_DASHED, true), (Strings{"-old"}));
}

TEST_F(ZipListing, ListedFlagDecidesListedOnlyOpens)
{
    EXPECT_EQ(nullptr, m_archive->OpenEntry("Pack/top.txt", VF_READ | VF_LISTED_ONLY));
    CFoundFileList list;
    list.Visit("pack/TOP.TXT", CFileInfo()); // as if the disk had it first
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("Pack/", "txt");
    m_archive->EnumerateEntries(list, spec);
    EXPECT_EQ(1u, list.GetCount());
    EXPECT_EQ("<none>", ReadEntry(*m_archive, "Pack/top.txt", VF_READ | VF_LISTED_ONLY));

    CFileCounter counter;
    m_archive->EnumerateEntries(counter, spec);
    EXPECT_TRUE(SameBytes(TreeFiles().at("top.txt"), ReadEntry(*m_archive, "Pack/top.txt", VF_READ | VF_LISTED_ONLY)));
}

} // namespace
