#include "FileTestHelpers.h"
#include "foundation/FilePaths.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

namespace {

using filetest::WorkFolder;
using testsupport::WriteFileBytes;

bool IsFolder(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(FilePaths, JoinPathPutsOneSeparatorBetweenFolderAndName)
{
    char out[kPathBufferSize];
    EXPECT_TRUE(JoinPath(out, "", "b"));
    EXPECT_STREQ(out, "b");
    EXPECT_TRUE(JoinPath(out, nullptr, "b"));
    EXPECT_STREQ(out, "b");
    EXPECT_TRUE(JoinPath(out, "a/", "b"));
    EXPECT_STREQ(out, "a/b");
    EXPECT_TRUE(JoinPath(out, "a", "b"));
    EXPECT_STREQ(out, "a/b");
    EXPECT_TRUE(JoinPath(out, "a\\", "b"));
    EXPECT_STREQ(out, "a\\b");
    EXPECT_TRUE(JoinPath(out, "Data", ""));
    EXPECT_STREQ(out, "Data/");

    EXPECT_TRUE(JoinPathAndAppend(out, "Frames", "ball", ".", "tga"));
    EXPECT_STREQ(out, "Frames/ball.tga");

    char path[kPathBufferSize] = "";
    EXPECT_TRUE(AppendPathComponent(path, "Data"));
    EXPECT_STREQ(path, "Data");
    EXPECT_TRUE(AppendPathComponent(path, "Sounds"));
    EXPECT_STREQ(path, "Data/Sounds");
    EXPECT_TRUE(AppendPathComponentWithBackslash(path, "a.wav"));
    EXPECT_STREQ(path, "Data/Sounds\\a.wav");
}

TEST(FilePaths, ResultsThatDoNotFitAreEmptyNeverCut)
{
    char small[8];
    EXPECT_TRUE(JoinPath(small, "abc", "def")); // 7 characters and the terminator
    EXPECT_STREQ(small, "abc/def");
    EXPECT_FALSE(JoinPath(small, "abc", "defg"));
    EXPECT_STREQ(small, "");
    EXPECT_FALSE(JoinPathAndAppend(small, "a", "bb", ".", "tga"));
    EXPECT_STREQ(small, "");

    char path[8] = "abc";
    EXPECT_FALSE(AppendPathComponent(path, "defg"));
    EXPECT_STREQ(path, "");

    char big[kPathBufferSize];
    const std::string longName(300, 'x');
    EXPECT_FALSE(JoinPath(big, "folder", longName.c_str()));
    EXPECT_STREQ(big, "");

    char name[8] = "abc.tga";
    EXPECT_FALSE(ReplaceFileExtension(name, ".jpeg"));
    EXPECT_STREQ(name, "abc.tga");
}

TEST(FilePaths, FileNamePartsAndExtensions)
{
    EXPECT_STREQ(GetFileNamePart("a\\b/c.txt"), "c.txt");
    EXPECT_STREQ(GetFileNamePart("c.txt"), "c.txt");
    EXPECT_STREQ(GetFileNamePart("a/"), "");
    EXPECT_STREQ(GetFileNamePart(static_cast<const char*>(nullptr)), "In Path Name Null!");

    char path[kPathBufferSize] = "c.txt";
    StripFileNamePart(path);
    EXPECT_STREQ(path, "");
    std::strcpy(path, "a/b\\c.txt");
    StripFileNamePart(path);
    EXPECT_STREQ(path, "a/b\\");
    StripFileNamePart(nullptr);

    EXPECT_STREQ(FindFileExtension("x.tar.gz"), ".gz");
    EXPECT_STREQ(FindFileExtension("x"), "");
    EXPECT_STREQ(FindFileExtension("n.o/d"), ""); // a dot in a folder name is no extension

    char name[kPathBufferSize] = "x.tga";
    EXPECT_TRUE(ReplaceFileExtension(name, ".seq"));
    EXPECT_STREQ(name, "x.seq");
    std::strcpy(name, "x");
    EXPECT_TRUE(ReplaceFileExtension(name, ".seq"));
    EXPECT_STREQ(name, "x.seq");
    std::strcpy(name, "n.o/d");
    EXPECT_TRUE(ReplaceFileExtension(name, ".seq"));
    EXPECT_STREQ(name, "n.o/d.seq");
}

TEST(FilePaths, CreateFolderChainMakesEachMissingFolder)
{
    WorkFolder work;
    ASSERT_EQ(0, ::mkdir("a", 0777));
    EXPECT_TRUE(CreateFolderChain("a/b/c"));
    EXPECT_TRUE(IsFolder("a/b/c"));
    EXPECT_FALSE(CreateFolderChain("a/b/c")) << "an existing path creates nothing";
    EXPECT_FALSE(CreateFolderChain("a/b/c/"));

    EXPECT_TRUE(CreateFolderChain("x\\y/z\\"));
    EXPECT_TRUE(IsFolder("x/y/z"));
    EXPECT_TRUE(CreateFolderChain("A/B/d")) << "existing folders are found ignoring case";
    EXPECT_TRUE(IsFolder("a/b/d"));
    EXPECT_FALSE(IsFolder("A"));

    WriteFileBytes("file", "x");
    EXPECT_FALSE(CreateFolderChain("file/sub"));
    EXPECT_FALSE(CreateFolderChain(""));
    EXPECT_FALSE(CreateFolderChain(nullptr));
}

TEST(FilePaths, PathExistsFindsFilesAndFoldersIgnoringCase)
{
    WorkFolder work;
    ASSERT_TRUE(CreateFolderChain("Data/Sounds"));
    WriteFileBytes("Data/Sounds/A.WAV", "RIFF");

    EXPECT_TRUE(PathExists("Data/Sounds/A.WAV"));
    EXPECT_TRUE(PathExists("DATA\\sounds\\a.wav"));
    EXPECT_TRUE(PathExists("data/sounds"));
    EXPECT_TRUE(PathExists("data/sounds/"));
    EXPECT_TRUE(PathExists("Data/Sounds/*.wav"));
    EXPECT_TRUE(PathExists("Data/Sounds/?.WAV"));
    EXPECT_FALSE(PathExists("Data/Sounds/*.ogg"));
    EXPECT_FALSE(PathExists("Data/Sounds/B.WAV"));
    EXPECT_FALSE(PathExists("Data/Music/A.WAV"));
    EXPECT_FALSE(PathExists(""));
    EXPECT_FALSE(PathExists(nullptr));
}

TEST(FilePaths, ReadOnlyAttributeIsTheOwnersWritePermission)
{
    WorkFolder work;
    WriteFileBytes("f.txt", "x");
    EXPECT_FALSE(IsFileReadOnly("f.txt"));
    EXPECT_TRUE(IsPathWritable("f.txt"));

    SetFileReadOnly("F.TXT", true);
    struct stat st;
    ASSERT_EQ(0, ::stat("f.txt", &st));
    EXPECT_EQ(0u, st.st_mode & S_IWUSR);
    EXPECT_TRUE(IsFileReadOnly("f.txt"));
    EXPECT_FALSE(IsPathWritable("f.txt"));

    SetFileReadOnly("f.txt", false);
    ASSERT_EQ(0, ::stat("f.txt", &st));
    EXPECT_NE(0u, st.st_mode & S_IWUSR);
    EXPECT_FALSE(IsFileReadOnly("f.txt"));

    EXPECT_FALSE(IsFileReadOnly("missing.txt"));
    SetFileReadOnly("missing.txt", true); // nothing to change, nothing made
    EXPECT_FALSE(PathExists("missing.txt"));
}

TEST(FilePaths, MissingPathsAreWritableWhenTheirFolderTakesFiles)
{
    WorkFolder work;
    ASSERT_EQ(0, ::mkdir("Sub", 0777));
    EXPECT_TRUE(IsPathWritable("new.txt"));
    EXPECT_TRUE(IsPathWritable("sub/new.txt"));
    EXPECT_FALSE(IsPathWritable("nowhere/new.txt"));
    EXPECT_FALSE(IsPathWritable(""));
}

TEST(FilePaths, NumberedNamesTakeTheFirstFreeNumber)
{
    WorkFolder work;
    WriteFileBytes("Shot000.tga", "");
    WriteFileBytes("shot001.TGA", "");
    char out[kPathBufferSize];
    EXPECT_TRUE(MakeNumberedFileName(out, sizeof out, "Shot%03d.tga"));
    EXPECT_STREQ(out, "Shot002.tga");

    // A pattern without a number names one file; when that exists there is nothing to find.
    EXPECT_FALSE(MakeNumberedFileName(out, sizeof out, "Shot000.tga"));
    EXPECT_TRUE(MakeNumberedFileName(out, sizeof out, "Other.tga"));
    EXPECT_STREQ(out, "Other.tga");
    EXPECT_TRUE(MakeNumberedFileName(out, sizeof out, "100%% %d"));
    EXPECT_STREQ(out, "100% 0");

    // Only one integer conversion is ever formatted.
    EXPECT_FALSE(MakeNumberedFileName(out, sizeof out, "Shot%s.tga"));
    EXPECT_FALSE(MakeNumberedFileName(out, sizeof out, "Shot%d%d.tga"));
    EXPECT_FALSE(MakeNumberedFileName(out, sizeof out, "Shot%"));
    char small[8];
    EXPECT_FALSE(MakeNumberedFileName(small, sizeof small, "Shot%03d.tga"));
    EXPECT_STREQ(small, "");
}

TEST(FilePaths, TemporaryNamesAreNewEmptyFiles)
{
    char first[kPathBufferSize];
    char second[kPathBufferSize];
    ASSERT_TRUE(MakeTempFileName(first, sizeof first, "vtl"));
    ASSERT_TRUE(MakeTempFileName(second, sizeof second, "vtl"));
    EXPECT_STRNE(first, second);
    EXPECT_EQ(0, std::strncmp(GetFileNamePart(first), "vtl", 3));
    struct stat st;
    ASSERT_EQ(0, ::stat(first, &st));
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(0, st.st_size);
    ::unlink(first);
    ::unlink(second);

    char small[4];
    EXPECT_FALSE(MakeTempFileName(small, sizeof small, "vtl"));
}

} // namespace
