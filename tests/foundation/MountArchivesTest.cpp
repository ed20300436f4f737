// The archive mount at start-up, and the file layer reading, listing, dating and rewriting
// through the mounted archives.
#include "ZipTestHelpers.h"
#include "foundation/FileSearchSpec.h"
#include "foundation/FoundFileList.h"
#include "foundation/MountArchives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using filetest::WorkFolder;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;
using ziptest::Files;
using ziptest::PatternBytes;
using ziptest::ReadVirtualFile;
using ziptest::SameBytes;

using Strings = std::vector<std::string>;

const std::string& Frame()
{
    static const std::string bytes = PatternBytes(3000, 31);
    return bytes;
}

const std::string& Song()
{
    static const std::string bytes = PatternBytes(120000, 32);
    return bytes;
}

class MountArchives : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(ziptest::HaveTool("zip")); }

    // A stored zip at path (relative to the work folder) holding the files, with folder entries.
    void MakeZip(const std::string& path, const Files& files)
    {
        testsupport::TempDir stage;
        ziptest::WriteTree(stage.Path(), files);
        // Fixed file times, so that entry times can be checked.
        ASSERT_EQ(0, testsupport::RunCommand("cd '" + stage.Path().string() +
                                             "' && find . -exec touch -d '2001-02-03 04:05:06' {} +"));
        const std::string target = m_work / path;
        std::filesystem::create_directories(std::filesystem::path(target).parent_path());
        ASSERT_EQ(0, ziptest::RunZip(stage.Path(), "-0 -X -r", target, "."));
    }

    // The usual installation: Data.ZIP with a nested zip, Data.DAT, two KTD archives and the
    // zips of the data folder.
    void MakeInstallation()
    {
        MakeZip("Music.stage", {{"song.ogg", Song()}});
        const std::string music = ReadFileBytes(m_work / "Music.stage");
        std::filesystem::remove(m_work / "Music.stage");
        MakeZip("Data.ZIP", {{"a.txt", "from Data.ZIP"}, {"only-zip.txt", "z"}, {"Music.zip", music}});
        MakeZip("Data.DAT", {{"a.txt", "from Data.DAT"}, {"only-dat.txt", "d"}});
        MakeZip("b.KTD", {{"a.txt", "from b"}, {"b.txt", "b"}});
        MakeZip("Z.ktd", {{"a.txt", "from Z"}});
        MakeZip("Data/Graphics.zip", {{"Ball/a.frm", Frame()}});
        MakeZip("Data/Sub/Sound.zip", {{"x.wav", "wave"}});
        MakeZip("Data/cache/x.zip", {{"c.txt", "cached"}});
        MakeZip("Data/-dash/y.zip", {{"y.txt", "dashed"}});
        WriteFileBytes(m_work / "Game", "not an archive");
    }

    void Mount(const char* programFile = "Game")
    {
        MountArchivesWithProgramFile(programFile, "Data", false, false);
    }

    WorkFolder m_work;
    ziptest::MountGuard m_unmount;
};

TEST_F(MountArchives, LayersAreMountedInOrderAndTheLaterWins)
{
    MakeInstallation();
    Mount();
    CZipArchiveSet& set = CZipArchiveSet::GetInstance();
    EXPECT_TRUE(set.IsMounted());
    EXPECT_STREQ("Data", GetBaseFolder());
    EXPECT_EQ(4u, set.GetLayerCount()); // Data.ZIP, b.KTD, Z.ktd, the data zips

    EXPECT_EQ("from Z", ReadVirtualFile("a.txt")); // the last KTD in name order
    EXPECT_EQ("b", ReadVirtualFile("b.txt"));
    EXPECT_EQ("z", ReadVirtualFile("only-zip.txt"));
    EXPECT_EQ("<none>", ReadVirtualFile("only-dat.txt")); // Data.DAT is not needed

    EXPECT_TRUE(SameBytes(Frame(), ReadVirtualFile("Graphics/Ball/a.frm")));
    EXPECT_TRUE(SameBytes(Frame(), ReadVirtualFile("GRAPHICS/ball/A.FRM")));
    EXPECT_TRUE(SameBytes(Frame(), ReadVirtualFile("Graphics\\Ball\\a.frm")));
    EXPECT_EQ("wave", ReadVirtualFile("Sub/Sound/x.wav"));
    EXPECT_EQ("dashed", ReadVirtualFile("-dash/y/y.txt"));
    // A zip kept in a cache folder is a file, never an archive.
    EXPECT_EQ("<none>", ReadVirtualFile("cache/x/c.txt"));
    EXPECT_EQ(ReadFileBytes(m_work / "Data/cache/x.zip"), ReadVirtualFile("cache/x.zip"));
    // A zip inside Data.ZIP is mounted like one on disk.
    EXPECT_TRUE(SameBytes(Song(), ReadVirtualFile("Music/song.ogg")));
    EXPECT_TRUE(SameBytes(Song(), ReadVirtualFile("Music/song.ogg", VF_READ | VF_ARCHIVE_FILE | VF_PRIVATE_HANDLE)));
}

TEST_F(MountArchives, AReadableProgramFileHidesTheDataFoldersArchives)
{
    MakeInstallation();
    MakeZip("Game.exe", {{"a.txt", "from the program"}, {"only-exe.txt", "e"}});
    std::filesystem::remove(m_work / "b.KTD");
    std::filesystem::remove(m_work / "Z.ktd");
    Mount("Game.exe");
    EXPECT_EQ("from the program", ReadVirtualFile("a.txt"));
    EXPECT_EQ("e", ReadVirtualFile("only-exe.txt"));
    EXPECT_EQ("<none>", ReadVirtualFile("only-zip.txt"));
    EXPECT_EQ("<none>", ReadVirtualFile("Music/song.ogg"));
}

TEST_F(MountArchives, TheDatArchiveStandsInForAMissingZip)
{
    MakeInstallation();
    std::filesystem::remove(m_work / "Data.ZIP");
    Mount();
    EXPECT_EQ("d", ReadVirtualFile("only-dat.txt"));
    EXPECT_EQ("from Z", ReadVirtualFile("a.txt"));
}

TEST_F(MountArchives, DataZipsAloneAreMounted)
{
    MakeZip("Data/Graphics.zip", {{"Ball/a.frm", Frame()}});
    Mount();
    EXPECT_TRUE(CZipArchiveSet::GetInstance().IsMounted());
    EXPECT_TRUE(SameBytes(Frame(), ReadVirtualFile("Graphics/Ball/a.frm")));
}

TEST_F(MountArchives, NothingToMountLeavesTheDiskAlone)
{
    WriteFileBytes(m_work / "Game", "not an archive");
    Mount();
    EXPECT_FALSE(CZipArchiveSet::GetInstance().IsMounted());
    EXPECT_STREQ("Data", GetBaseFolder());
    EXPECT_EQ(0u, CZipArchiveSet::GetInstance().GetLayerCount());
}

using MountArchivesDeathTest = MountArchives;

TEST_F(MountArchivesDeathTest, MountingTwiceEndsTheProgram)
{
    MakeZip("Data/Graphics.zip", {{"Ball/a.frm", Frame()}});
    Mount();
    EXPECT_EXIT(Mount(), testing::ExitedWithCode(255), "");
}

TEST_F(MountArchivesDeathTest, OverlongArchiveNamesEndTheProgram)
{
    const std::string name = std::string(77, 'k') + ".KTD"; // 81 characters
    MakeZip(name, {{"a.txt", "a"}});
    EXPECT_EXIT(Mount(), testing::ExitedWithCode(255), "Illegal file name");
}

TEST_F(MountArchives, UnmountingReturnsToTheDisk)
{
    MakeInstallation();
    Mount();
    CVirtualFile open;
    ASSERT_TRUE(open.Open("Music/song.ogg", VF_READ));
    EXPECT_TRUE(CFileSystem::UnmountArchives());
    EXPECT_FALSE(CFileSystem::UnmountArchives());
    EXPECT_EQ("<none>", ReadVirtualFile("Graphics/Ball/a.frm"));
    // A stream opened before keeps its archive until it closes.
    std::string bytes(Song().size(), '\0');
    EXPECT_EQ(bytes.size(), open.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
    EXPECT_TRUE(SameBytes(Song(), bytes));
    EXPECT_TRUE(open.Close());
}

TEST_F(MountArchives, DiskFilesWinUnlessAnEnumerationListedTheEntry)
{
    MakeInstallation();
    std::filesystem::create_directories(m_work / "Data/Graphics/Ball");
    WriteFileBytes(m_work / "Data/Graphics/Ball/a.frm", "on disk");
    Mount();
    EXPECT_EQ("on disk", ReadVirtualFile("Graphics/Ball/a.frm"));
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("Graphics/Ball/", "frm");
    CFoundFileList found;
    EXPECT_EQ(1u, found.Find(spec)); // the disk file; the entry is skipped
    EXPECT_EQ("on disk", ReadVirtualFile("Graphics/Ball/a.frm"));
    EXPECT_EQ(2u, CFileSystem::CountFiles(spec, 0)); // a counter takes both
    EXPECT_TRUE(SameBytes(Frame(), ReadVirtualFile("Graphics/Ball/a.frm")));
}

TEST_F(MountArchives, SearchesSeeTheDiskThenTheArchives)
{
    MakeInstallation();
    Mount();
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("", "wav");
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_ALL);
    CFoundFileList files;
    files.Find(spec);
    ASSERT_EQ(1u, files.GetCount());
    EXPECT_STREQ("Sub/Sound/x.wav", files.GetName(0).CStr());

    CFileSearchSpec folders;
    folders.SetFolderForSubfolders("", false);
    CFoundFileList found;
    found.Find(folders);
    Strings names;
    for (uint32_t i = 0; i < found.GetCount(); ++i)
        names.push_back(found.GetName(i).CStr());
    for (const char* name : {"Graphics", "Graphics/Ball", "Sub", "Sub/Sound", "Music", "cache"})
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), name)) << name;
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), "-dash/y")); // a dashed folder's mount
}

TEST_F(MountArchives, EntriesAreDatedAndRewrittenThroughTheFileSystem)
{
    MakeInstallation();
    Mount();
    EXPECT_EQ(ziptest::LocalFileTime(2001, 2, 3, 4, 5, 6), CFileSystem::GetFileTimeStamp("Graphics/Ball/a.frm", 0, 4));

    EXPECT_TRUE(CFileSystem::IsFileWritable("Graphics/Ball/a.frm", 0));
    EXPECT_FALSE(CFileSystem::IsFileWritable("a.txt", 0)); // in a read-only root archive
    const std::string bytes = PatternBytes(4000, 77);
    ASSERT_TRUE(CFileSystem::WriteWholeFile("Graphics/Ball/a.frm", bytes.data(), 4000));
    EXPECT_FALSE(std::filesystem::exists(m_work / "Data/Graphics/Ball/a.frm"));
    EXPECT_TRUE(SameBytes(bytes, ReadVirtualFile("Graphics/Ball/a.frm")));
    EXPECT_EQ(0, ziptest::UnzipTest(m_work / "Data/Graphics.zip"));
}

TEST_F(MountArchives, ANestedArchiveIsReadOnTwoThreads)
{
    MakeInstallation();
    Mount();
    std::atomic<int> mismatches{0};
    auto reader = [&](uint32_t flags) {
        for (int round = 0; round < 10; ++round) {
            CVirtualFile file;
            if (!file.Open("Music/song.ogg", flags)) {
                ++mismatches;
                return;
            }
            std::string chunk(1021, '\0');
            size_t offset = 0;
            while (uint32_t got = file.Read(chunk.data(), 1021)) {
                if (Song().compare(offset, got, chunk.data(), got) != 0)
                    ++mismatches;
                offset += got;
            }
            if (offset != Song().size())
                ++mismatches;
        }
    };
    std::thread music([&] { reader(VF_READ | VF_ARCHIVE_FILE | VF_PRIVATE_HANDLE); });
    std::thread main([&] { reader(VF_READ); });
    reader(VF_READ);
    music.join();
    main.join();
    EXPECT_EQ(0, mismatches.load());
}

} // namespace
