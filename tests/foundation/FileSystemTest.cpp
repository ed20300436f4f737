#include "FileTestHelpers.h"
#include "foundation/FilePaths.h"
#include "foundation/FileSystem.h"
#include "foundation/FileTimes.h"
#include "foundation/FoundFileList.h"
#include "foundation/TextUtilities.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace {

using filetest::WorkFolder;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

void MakeFile(const std::string& path, const std::string& bytes)
{
    char folder[kPathBufferSize];
    std::strcpy(folder, path.c_str());
    StripFileNamePart(folder);
    if (folder[0])
        CreateFolderChain(folder);
    WriteFileBytes(path, bytes);
}

std::vector<std::string> Names(const CFoundFileList& list)
{
    std::vector<std::string> names;
    for (uint32_t i = 0; i < const_cast<CFoundFileList&>(list).GetCount(); ++i)
        names.push_back(list.GetName(i).CStr());
    return names;
}

// The mixed-case tree of the data folder tests.
class SearchTree : public testing::Test
{
protected:
    void SetUp() override
    {
        MakeFile("Sounds/A.WAV", "aaaa");
        MakeFile("sounds2/b.wav", "bb");
        MakeFile("-x/c.wav", "c");
        MakeFile("cache/z.zip", "zz");
        MakeFile("n.o/d.wav", "d");
        MakeFile("top.Wav", "top");
        MakeFile("readme.txt", "r");
        MakeFile(".hidden.wav", "h");
        MakeFile(".git/e.wav", "e");
    }

    std::vector<std::string> Find(uint32_t mode, const char* folder, const char* extension)
    {
        CFileSearchSpec spec;
        spec.SetFolderAndExtension(folder, extension);
        spec.SetRecursionMode(mode);
        CFoundFileList list;
        EXPECT_EQ(list.Find(spec), CFileSystem::CountFiles(spec, 0));
        return Names(list);
    }

    WorkFolder m_work;
};

using Strings = std::vector<std::string>;

TEST_F(SearchTree, RecursionModesDecideWhichFoldersAreEntered)
{
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_ALL, "", "wav"),
              (Strings{"top.Wav", "-x/c.wav", "Sounds/A.WAV", "sounds2/b.wav"}));
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_SKIP_DASHED, "", ".wav"),
              (Strings{"top.Wav", "Sounds/A.WAV", "sounds2/b.wav"}));
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_NONE, "", "WAV"), (Strings{"top.Wav"}));
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_NONE, "SOUNDS/", "wav"), (Strings{"SOUNDS/A.WAV"}));
}

TEST_F(SearchTree, FindFilesIntoTableCollectsNamesAndSizes)
{
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("", "wav");
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_ALL);
    char names[8][20];
    uint8_t values[8][20];
    std::memset(names, '#', sizeof names);
    EXPECT_EQ(CFileSystem::FindFilesIntoTable(spec, &names[0][0], &values[0][0], 20, 8, 0), 4u);
    EXPECT_STREQ(names[0], "top.Wav");
    EXPECT_STREQ(names[2], "Sounds/A.WAV");
    uint32_t size = 0;
    std::memcpy(&size, values[2], 4);
    EXPECT_EQ(size, 4u);
    std::memcpy(&size, values[3], 4);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(names[4][0], '#');

    // Names beyond the capacity are dropped; no value table is needed.
    EXPECT_EQ(CFileSystem::FindFilesIntoTable(spec, &names[0][0], nullptr, 20, 2, 0), 2u);
    EXPECT_STREQ(names[1], "-x/c.wav");
}

TEST_F(SearchTree, BareNamesAndBaseFolderRelativeNames)
{
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("", "wav");
    spec.SetNamesWithoutFolders(true);
    CFoundFileList list;
    list.Find(spec);
    EXPECT_EQ(Names(list), (Strings{"top.Wav", "A.WAV", "b.wav"}));

    // With the base folder set, names are relative to it.
    SetBaseFolder("Sounds");
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_ALL, "", "wav"), (Strings{"A.WAV"}));
    SetBaseFolder("./");
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_NONE, "sounds2/", "wav"), (Strings{"sounds2/b.wav"}));
    SetBaseFolder("");
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_NONE, "sounds2/", "wav"), (Strings{"sounds2/b.wav"}));
}

TEST_F(SearchTree, FolderWithoutSeparatorSearchesItsParent)
{
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_NONE, "Sounds", "wav"), (Strings{"top.Wav"}));
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_NONE, "Sounds/", "wav"), (Strings{"Sounds/A.WAV"}));
}

TEST_F(SearchTree, ZipSearchesPassOverCacheFolders)
{
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_SKIP_DASHED, "", "zip"), Strings{});
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_SKIP_DASHED, "", "ZIP"), Strings{});

    CFileSearchSpec spec;
    spec.SetFolderAndExtension("", "zip");
    spec.AddExtension("wav");
    CFoundFileList list;
    list.Find(spec);
    EXPECT_EQ(Names(list), (Strings{"top.Wav", "cache/z.zip", "Sounds/A.WAV", "sounds2/b.wav"}));
}

TEST_F(SearchTree, AnEmptyExtensionFindsEveryFile)
{
    EXPECT_EQ(Find(CFileSearchSpec::RECURSE_NONE, "", ""), (Strings{"readme.txt", "top.Wav"}));
}

TEST_F(SearchTree, SubfolderSearches)
{
    CFileSearchSpec spec;
    spec.SetFolderForSubfolders("", false);
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_NONE);
    CFoundFileList list;
    list.Find(spec);
    EXPECT_EQ(Names(list), (Strings{"-x", "cache", "n.o", "Sounds", "sounds2"}));

    spec.SetFolderForSubfolders("", true);
    list.Find(spec);
    EXPECT_EQ(Names(list), (Strings{"-x"}));

    MakeFile("Sounds/-Old/f.wav", "f");
    MakeFile("Sounds/New/g.wav", "g");
    spec.SetFolderForSubfolders("", false);
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_SKIP_DASHED);
    list.Find(spec);
    EXPECT_EQ(Names(list), (Strings{"-x", "cache", "n.o", "Sounds", "sounds2", "Sounds/-Old", "Sounds/New"}));
}

TEST(FileSearchSpec, SixthExtensionIsIgnored)
{
    WorkFolder work;
    const char* extensions[] = {"a", ".b", "c", "d", "e", "f"};
    CFileSearchSpec spec;
    EXPECT_EQ(spec.GetRecursionMode(), CFileSearchSpec::RECURSE_SKIP_DASHED);
    EXPECT_FALSE(spec.IsFindingFolders());
    EXPECT_EQ(spec.GetExtensionCount(), 0);
    for (const char* extension : extensions) {
        spec.AddExtension(extension);
        WriteFileBytes(std::string("x.") + (extension[0] == '.' ? extension + 1 : extension), "");
    }
    EXPECT_EQ(spec.GetExtensionCount(), 5);
    EXPECT_STREQ(spec.GetExtension(1).CStr(), "b");
    EXPECT_EQ(CFileSystem::CountFiles(spec, 0), 5u);
    CFoundFileList list;
    list.Find(spec);
    EXPECT_EQ(Names(list), (Strings{"x.a", "x.b", "x.c", "x.d", "x.e"}));
}

// Mounted archives that also list entries, answer lookups and date entries.
class ListingArchives : public filetest::FakeArchives
{
public:
    struct Listed
    {
        std::string name;
        uint32_t size;
        uint64_t time;
        bool writable;
    };

    void AddListed(const std::string& name, uint32_t size, uint64_t time, bool writable = false)
    {
        m_listed.push_back({name, size, time, writable});
        Add(name, std::string(size, 'z'), false);
    }

    void EnumerateEntries(CFileVisitor& visitor, const CFileSearchSpec& spec) override
    {
        ++m_enumerations;
        for (const Listed& entry : m_listed) {
            const std::string folder = spec.GetFolder();
            if (CompareTextNoCaseN(entry.name.c_str(), folder.c_str(), folder.size()) != 0)
                continue;
            m_dispatched.push_back(visitor.Dispatch(entry.name.c_str(), entry.size, entry.time));
        }
    }
    bool FindEntry(const char* name, bool& writable) override
    {
        for (const Listed& entry : m_listed)
            if (CompareTextNoCase(entry.name.c_str(), name) == 0) {
                writable = entry.writable;
                return true;
            }
        return false;
    }
    uint64_t GetEntryFileTime(const char* name) override
    {
        for (const Listed& entry : m_listed)
            if (CompareTextNoCase(entry.name.c_str(), name) == 0)
                return entry.time;
        return 0;
    }

    std::vector<Listed> m_listed;
    std::vector<bool> m_dispatched;
    int m_enumerations = 0;
};

TEST(FileSystemArchives, DiskFilesComeFirstAndHideArchiveEntries)
{
    WorkFolder work;
    MakeFile("Music/a.wav", "disk");
    ListingArchives archives;
    archives.AddListed("Music/a.wav", 99, kFileTimeOfUnixEpoch);
    archives.AddListed("Music/b.wav", 7, kFileTimeOfUnixEpoch);

    CFileSearchSpec spec;
    spec.SetFolderAndExtension("Music/", "wav");
    CFoundFileList list;
    EXPECT_EQ(list.Find(spec), 2u);
    EXPECT_EQ(Names(list), (Strings{"Music/a.wav", "Music/b.wav"}));
    EXPECT_EQ(list.GetSize(0), 4u) << "the record comes from the disk file";
    EXPECT_NE(list.GetLastWriteTime(0), kFileTimeOfUnixEpoch);
    EXPECT_EQ(list.GetSize(1), 7u);
    EXPECT_EQ(archives.m_dispatched, (std::vector<bool>{false, true})) << "the listed flags";

    // A counter keeps no names, so it counts both.
    EXPECT_EQ(CFileSystem::CountFiles(spec, 0), 3u);

    // Verbatim searches and unmounted archives stay on disk.
    archives.m_enumerations = 0;
    CFileSearchSpec verbatim;
    verbatim.SetFolderAndExtension((work / "Music/").c_str(), "wav");
    CFoundFileList onDisk;
    EXPECT_EQ(CFileSystem::EnumerateFiles(onDisk, verbatim, VF_VERBATIM), 1u);
    EXPECT_EQ(onDisk.GetName(0).CStr(), work / "Music/a.wav");
    archives.m_mounted = false;
    EXPECT_EQ(list.Find(spec), 1u);
    EXPECT_EQ(archives.m_enumerations, 0);
}

TEST(FileSystemArchives, ExistenceWritabilityAndTimesAskTheArchivesToo)
{
    WorkFolder work;
    ListingArchives archives;
    archives.AddListed("Graphics/ball.frm", 3, kFileTimeOfUnixEpoch + 70, true);
    archives.AddListed("Graphics/brick.frm", 3, kFileTimeOfUnixEpoch + 80, false);
    MakeFile("Graphics/local.frm", "x");
    ASSERT_EQ(0, ::chmod("Graphics/local.frm", 0444));

    EXPECT_TRUE(CFileSystem::FileExists("graphics/ball.frm", 0));
    EXPECT_FALSE(CFileSystem::FileExists("graphics/none.frm", 0));
    EXPECT_FALSE(CFileSystem::FileExists("graphics/ball.frm", VF_VERBATIM));

    EXPECT_TRUE(CFileSystem::IsFileWritable("Graphics/ball.frm", 0));
    EXPECT_FALSE(CFileSystem::IsFileWritable("Graphics/brick.frm", 0));
    EXPECT_FALSE(CFileSystem::IsFileWritable("Graphics/local.frm", 0)) << "read-only on disk";
    EXPECT_TRUE(CFileSystem::IsFileWritable("Graphics/new.frm", 0));
    EXPECT_FALSE(CFileSystem::IsFileWritable("Nowhere/new.frm", 0));

    EXPECT_EQ(CFileSystem::GetFileTimeStamp("Graphics/brick.frm", 0, FILE_TIME_LAST_WRITE), kFileTimeOfUnixEpoch + 80);
    EXPECT_NE(CFileSystem::GetFileTimeStamp("Graphics/local.frm", 0, FILE_TIME_LAST_WRITE), 0u);
    EXPECT_EQ(CFileSystem::GetFileTimeStamp("Graphics/none.frm", 0, FILE_TIME_LAST_WRITE), 0u);
    EXPECT_EQ(CFileSystem::GetFileTimeStamp("Graphics/brick.frm", VF_VERBATIM, FILE_TIME_LAST_WRITE), 0u);
}

TEST(FileSystem, NamesOpenIgnoringCaseAndSeparators)
{
    WorkFolder work;
    MakeFile("Data/Sounds/A.WAV", "RIFF....");
    char buffer[8];
    EXPECT_TRUE(CFileSystem::ReadWholeFile("DATA/sounds/a.wav", buffer, 8));
    EXPECT_EQ(std::string(buffer, 8), "RIFF....");
    EXPECT_TRUE(CFileSystem::FileExists("data\\SOUNDS\\a.wav", 0));
    SetBaseFolder("data");
    EXPECT_TRUE(CFileSystem::FileExists("sounds/a.WAV", 0));
    EXPECT_NE(CFileSystem::GetFileTimeStamp("SOUNDS/A.wav", 0, FILE_TIME_LAST_WRITE), 0u);
}

TEST(FileSystem, ReadWholeFileNeedsTheExactSize)
{
    WorkFolder work;
    WriteFileBytes("f.bin", "0123456789");
    char buffer[16] = {};
    EXPECT_TRUE(CFileSystem::ReadWholeFile("f.bin", buffer, 10));
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    EXPECT_FALSE(CFileSystem::ReadWholeFile("f.bin", buffer, 9));
    EXPECT_FALSE(CFileSystem::ReadWholeFile("f.bin", buffer, 11));
    EXPECT_FALSE(CFileSystem::ReadWholeFile("missing.bin", buffer, 10));
    WriteFileBytes("empty.bin", "");
    EXPECT_TRUE(CFileSystem::ReadWholeFile("empty.bin", nullptr, 0));
}

TEST(FileSystem, WriteWholeFileReplacesTheFile)
{
    WorkFolder work;
    EXPECT_TRUE(CFileSystem::WriteWholeFile("f.bin", "abc", 3));
    EXPECT_EQ(ReadFileBytes(work / "f.bin"), "abc");
    EXPECT_TRUE(CFileSystem::WriteWholeFile("F.BIN", "x", 1));
    EXPECT_EQ(ReadFileBytes(work / "f.bin"), "x");
    EXPECT_TRUE(CFileSystem::WriteWholeFile("f.bin", nullptr, 0));
    EXPECT_EQ(ReadFileBytes(work / "f.bin"), "");
    EXPECT_FALSE(CFileSystem::WriteWholeFile("Nowhere/f.bin", "abc", 3));
}

TEST(FileSystem, ShortWritesAreFailuresAndKeepTheOldFile)
{
    WorkFolder work;
    WriteFileBytes("Stats.dat", "old contents");
    // A file-size limit makes the disk refuse the bytes past it, as a full disk would.
    struct rlimit old;
    ASSERT_EQ(0, ::getrlimit(RLIMIT_FSIZE, &old));
    struct rlimit limited = old;
    limited.rlim_cur = 4096;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(0, ::setrlimit(RLIMIT_FSIZE, &limited));
    const std::string bytes(100000, 'n');
    const bool written = CFileSystem::WriteWholeFile("Stats.dat", bytes.data(), static_cast<uint32_t>(bytes.size()));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(work / "Stats.dat"), "old contents");

    // A device that takes nothing: the failure shows at the latest when the file is closed.
    EXPECT_FALSE(CFileSystem::WriteWholeFile("/dev/full", "abc", 3));
}

TEST(FileSystem, RemoveFileDeletesDiskFilesOnly)
{
    WorkFolder work;
    MakeFile("Data/Old.sav", "x");
    ASSERT_EQ(0, ::mkdir("Data/Folder", 0777));
    SetBaseFolder("Data");
    EXPECT_TRUE(CFileSystem::RemoveFile("old.SAV", 0));
    EXPECT_FALSE(PathExists("Data/Old.sav"));
    EXPECT_FALSE(CFileSystem::RemoveFile("old.sav", 0));
    EXPECT_FALSE(CFileSystem::RemoveFile("Folder", 0));
    EXPECT_TRUE(PathExists("Data/Folder"));

    MakeFile("v.sav", "x");
    EXPECT_FALSE(CFileSystem::RemoveFile("v.sav", 0)) << "relative to the base folder";
    EXPECT_TRUE(CFileSystem::RemoveFile("v.sav", VF_VERBATIM));
    EXPECT_FALSE(CFileSystem::RemoveFile(nullptr, 0));
}

TEST(FileSystem, AbsoluteNamesBypassTheBaseFolder)
{
    WorkFolder work;
    MakeFile("Data/x", "");
    MakeFile("abs.sav", "x");
    SetBaseFolder("Data");
    const std::string absolute = (std::filesystem::current_path() / "abs.sav").string();
    EXPECT_TRUE(CFileSystem::IsFileWritable(absolute.c_str(), 0));
    EXPECT_NE(0u, CFileSystem::GetFileTimeStamp(absolute.c_str(), 0, FILE_TIME_LAST_WRITE));
    EXPECT_TRUE(CFileSystem::RemoveFile(absolute.c_str(), 0));
    EXPECT_FALSE(PathExists("abs.sav"));
}

TEST(FileSystem, UniqueNamesAreRelativeToTheBaseFolder)
{
    WorkFolder work;
    MakeFile("Data 100%/Shot0.tga", "");
    MakeFile("Data 100%/Shot1.tga", "");
    SetBaseFolder("Data 100%");
    char out[kPathBufferSize];
    EXPECT_TRUE(CFileSystem::MakeUniqueFileName(out, "Shot%d.tga", 0));
    EXPECT_STREQ(out, "Shot2.tga");
    EXPECT_TRUE(CFileSystem::MakeUniqueFileName(out, "Shot%d.tga", VF_VERBATIM));
    EXPECT_STREQ(out, "Shot0.tga");
    char small[6];
    EXPECT_FALSE(CFileSystem::MakeUniqueFileName(small, "Shot%d.tga", 0));
    EXPECT_STREQ(CFileSystem::GetCacheFolderName(), "Cache");
}

TEST(FileSystemDeathTest, TildeInAFoundNameEndsTheProgram)
{
    WorkFolder work;
    MakeFile("Sounds/a~b.txt", "");
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("Sounds/", "txt");
    EXPECT_EXIT(CFileSystem::CountFiles(spec, 0), testing::ExitedWithCode(255),
                "Illegal file name: \"\\./Sounds/a~b\\.txt\" is an illegal file name because it contains a tilde "
                "character");
}

TEST(FileSystemDeathTest, EditorBackupsAreIllegalToo)
{
    WorkFolder work;
    MakeFile("Props/x.txt~", "");
    MakeFile("Props/y.txt", "");
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("Props/", "txt");
    EXPECT_EQ(CFileSystem::CountFiles(spec, 0), 1u) << "x.txt~ does not match *.txt";
    spec.SetFolderAndExtension("Props/", "");
    EXPECT_EXIT(CFileSystem::CountFiles(spec, 0), testing::ExitedWithCode(255), "\"\\./Props/x\\.txt~\" is an illegal");
}

TEST(FileSystemDeathTest, NameTooLongForTheTableEndsTheProgram)
{
    WorkFolder work;
    MakeFile("Rounds/Round_01.txt", "");
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("Rounds/", "txt");
    char names[4][16];
    EXPECT_EXIT(CFileSystem::FindFilesIntoTable(spec, &names[0][0], nullptr, 16, 4, 0), testing::ExitedWithCode(255),
                "Illegal file name: \"Rounds/Round_01.txt\" is an illegal file name because it is more than 15 "
                "characters long");
    char wide[4][20];
    EXPECT_EQ(CFileSystem::FindFilesIntoTable(spec, &wide[0][0], nullptr, 20, 4, 0), 1u);
}

} // namespace
