// Windows-style names on a case-sensitive file system, file attributes and folders.
#include "platform/Files.h"

#include "TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class FilesInFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldCwd = fs::current_path();
        fs::current_path(m_dir.Path());
    }
    void TearDown() override { fs::current_path(m_oldCwd); }

    void Write(const std::string& name, const std::string& bytes)
    {
        fs::create_directories((m_dir.Path() / name).parent_path());
        testsupport::WriteFileBytes(m_dir.Path() / name, bytes);
    }
    std::string Read(const std::string& resolved) { return testsupport::ReadFileBytes(resolved); }

    testsupport::TempDir m_dir;
    fs::path m_oldCwd;
};

TEST(Files, BackslashesBecomeSlashes)
{
    EXPECT_EQ(ToPosixPath(".\\Config.INI"), "./Config.INI");
    EXPECT_EQ(ToPosixPath("Data\\Graphics\\a.frm"), "Data/Graphics/a.frm");
    EXPECT_EQ(ToPosixPath("Resources/*.TGA"), "Resources/*.TGA");
    EXPECT_EQ(ToPosixPath(nullptr), "");
}

TEST_F(FilesInFolder, EachSegmentIsFoundIgnoringCase)
{
    Write("Data/Graphics/Ball.frm", "ball");
    Write("Config.ini", "cfg");
    EXPECT_EQ(ResolvePath(".\\CONFIG.INI"), "./Config.ini");
    EXPECT_EQ(Read(ResolvePath(".\\CONFIG.INI")), "cfg");
    EXPECT_EQ(ResolvePath("data\\GRAPHICS\\ball.FRM"), "Data/Graphics/Ball.frm");
    EXPECT_EQ(ResolvePath("DATA/graphics/"), "Data/Graphics/");
    // Absolute paths too.
    std::string absolute = (m_dir.Path() / "DATA" / "Graphics" / "BALL.frm").string();
    EXPECT_EQ(ResolvePath(absolute.c_str()), (m_dir.Path() / "Data/Graphics/Ball.frm").string());
    // "." and ".." stay as they are.
    EXPECT_EQ(ResolvePath("data/../CONFIG.ini"), "Data/../Config.ini");
}

TEST_F(FilesInFolder, ANameExistingInTwoCasesPicksTheExactOne)
{
    Write("Stats.dat", "upper");
    Write("stats.dat", "lower");
    EXPECT_EQ(ResolvePath("Stats.dat"), "Stats.dat");
    EXPECT_EQ(ResolvePath("stats.dat"), "stats.dat");
    // Neither exact: the first in byte order, every time.
    EXPECT_EQ(ResolvePath("STATS.DAT"), "Stats.dat");
    EXPECT_EQ(Read(ResolvePath("STATS.DAT")), "upper");
    // Folders in two cases likewise.
    Write("Sub/a.txt", "A");
    Write("sub/b.txt", "B");
    EXPECT_EQ(ResolvePath("sub/B.TXT"), "sub/b.txt");
    EXPECT_EQ(ResolvePath("SUB/A.txt"), "Sub/a.txt");   // the first candidate folder is used
}

TEST_F(FilesInFolder, MissingNamesAreKeptAsWrittenForCreation)
{
    Write("Saves/old.sav", "x");
    EXPECT_EQ(ResolvePath("SAVES\\New.sav"), "Saves/New.sav");
    EXPECT_EQ(ResolvePath("Nowhere\\Deeper\\File.TXT"), "Nowhere/Deeper/File.TXT");
    FILE* f = OpenFile("saves\\New.sav", "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("new", f);
    std::fclose(f);
    EXPECT_EQ(Read("Saves/New.sav"), "new");
    EXPECT_EQ(OpenFile("nowhere\\x.txt", "rb"), nullptr);
}

TEST_F(FilesInFolder, InfoGivesSizeTimesAndReadOnly)
{
    Write("a.bin", std::string(1234, 'z'));
    FileTime when{1700000000, 123456789};
    ASSERT_TRUE(SetModifiedTime("A.BIN", when));
    FileInfo info;
    ASSERT_TRUE(GetFileInfo(".\\A.bin", info));
    EXPECT_FALSE(info.isDirectory);
    EXPECT_EQ(info.size, 1234u);
    EXPECT_EQ(info.modified.seconds, 1700000000);
    EXPECT_EQ(info.modified.nanoseconds, 123456789);
    if (!info.hasBirthTime) {
        EXPECT_EQ(info.created.seconds, info.modified.seconds);
    }
    EXPECT_FALSE(info.readOnly);

    ASSERT_TRUE(SetReadOnly("a.BIN", true));
    ASSERT_TRUE(GetFileInfo("a.bin", info));
    EXPECT_TRUE(info.readOnly);
    struct stat st{};
    ASSERT_EQ(stat("a.bin", &st), 0);
    EXPECT_EQ(st.st_mode & S_IWUSR, 0u);
    EXPECT_NE(st.st_mode & S_IRUSR, 0u);   // only the write bit changes
    ASSERT_TRUE(SetReadOnly("a.bin", false));
    ASSERT_TRUE(GetFileInfo("a.bin", info));
    EXPECT_FALSE(info.readOnly);

    EXPECT_FALSE(GetFileInfo("missing.bin", info));
    EXPECT_FALSE(FileExists("missing.bin"));
    EXPECT_TRUE(FileExists("A.Bin"));
    EXPECT_FALSE(SetReadOnly("missing.bin", true));
    // A name linked to a pipe (as to a device) leaves the pipe's mode alone.
    ASSERT_EQ(mkfifo("pipe", 0444), 0);
    ASSERT_EQ(symlink("pipe", "linked.bin"), 0);
    EXPECT_FALSE(SetReadOnly("linked.bin", false));
    ASSERT_EQ(stat("pipe", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
}

TEST_F(FilesInFolder, FoldersAreMadeListedRenamedAndRemoved)
{
    ASSERT_TRUE(MakeDirectory("Shots"));
    EXPECT_TRUE(IsDirectory("SHOTS"));
    EXPECT_FALSE(MakeDirectory("shots"));   // exists under another case already
    ASSERT_TRUE(MakeDirectories("Cache\\Deep\\Er"));
    EXPECT_TRUE(IsDirectory("cache/deep/er"));
    EXPECT_TRUE(MakeDirectories("cache\\deep"));   // already there
    Write("Shots/b.tga", "bb");
    Write("Shots/A.tga", "a");
    Write("Shots/c.TGA", "ccc");

    std::vector<DirectoryEntry> entries;
    ASSERT_TRUE(ListDirectory("shots", entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "A.tga");
    EXPECT_EQ(entries[1].name, "b.tga");
    EXPECT_EQ(entries[2].name, "c.TGA");
    EXPECT_EQ(entries[2].info.size, 3u);
    ASSERT_TRUE(ListDirectory(".", entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Cache");
    EXPECT_TRUE(entries[0].info.isDirectory);
    EXPECT_FALSE(ListDirectory("nothing", entries));
    EXPECT_TRUE(entries.empty());

    Write("Shots/target.tga", "old");
    ASSERT_TRUE(RenameFile("SHOTS\\b.TGA", "shots\\target.tga"));
    EXPECT_EQ(Read("Shots/target.tga"), "bb");
    EXPECT_FALSE(FileExists("Shots/b.tga"));
    EXPECT_FALSE(RemoveDirectory("shots"));   // not empty
    ASSERT_TRUE(RemoveFile("shots/A.TGA"));
    ASSERT_TRUE(RemoveFile("shots/c.tga"));
    ASSERT_TRUE(RemoveFile("shots/TARGET.tga"));
    EXPECT_FALSE(RemoveFile("shots/TARGET.tga"));
    ASSERT_TRUE(RemoveDirectory("SHOTS"));
    EXPECT_FALSE(IsDirectory("Shots"));
}

TEST_F(FilesInFolder, CurrentDirectoryFollowsCaseInsensitiveNames)
{
    Write("Program/x", "");
    ASSERT_TRUE(SetCurrentDirectory("PROGRAM"));
    EXPECT_EQ(fs::path(GetCurrentDirectory()), fs::canonical(m_dir.Path() / "Program"));
    EXPECT_FALSE(SetCurrentDirectory("missing"));
}

TEST(Files, ExecutableAndTemporaryFolder)
{
    std::string exe = GetExecutablePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(fs::path(exe).filename(), "test_platform");
    EXPECT_TRUE(fs::path(exe).is_absolute());

    const char* old = std::getenv("TMPDIR");
    std::string saved = old ? old : "";
    setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(GetTempFolder(), "/var/tmp/");
    setenv("TMPDIR", "/var/tmp/", 1);
    EXPECT_EQ(GetTempFolder(), "/var/tmp/");
    unsetenv("TMPDIR");
    EXPECT_EQ(GetTempFolder(), "/tmp/");
    setenv("TMPDIR", "", 1);
    EXPECT_EQ(GetTempFolder(), "/tmp/");
    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
}

} // namespace
