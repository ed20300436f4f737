// Virtual files: the open cases, typed values and counted strings, indented lines, block moves,
// copies and comparisons, and saves that fail without harming the old file.
#include "FileTestHelpers.h"
#include "foundation/FileBuf.h"
#include "foundation/FileSystem.h"
#include "foundation/VirtualFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using filetest::FakeArchives;
using filetest::WorkFolder;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

std::string ReadAll(CVirtualFile& file)
{
    std::string text;
    char chunk[4096];
    uint32_t got;
    while ((got = file.Read(chunk, sizeof chunk)) > 0)
        text.append(chunk, got);
    return text;
}

std::string RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// A stream that claims more bytes than it can deliver, as a file cut short while being read.
class ShortStream : public CFileBuf
{
public:
    uint32_t GetSize() override { return CFileBuf::GetSize() + 100; }
};

// While alive, files cannot grow beyond a limit: writes past it fail as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(VirtualFile, IndentedLines)
{
    WorkFolder work;
    CVirtualFile file;
    ASSERT_TRUE(file.Open("lines.txt", VF_CREATE | VF_WRITE));
    file.WriteLine("a").Indent().WriteLine("b").Outdent().WriteLine("c");
    EXPECT_EQ(0u, file.GetIndentLevel());
    file.Outdent(); // at level 0 nothing moves
    EXPECT_TRUE(file.Close());
    EXPECT_EQ("a\r\n\tb\r\nc\r\n", ReadFileBytes(work / "lines.txt"));

    ASSERT_TRUE(file.Open("nested.txt", VF_CREATE | VF_WRITE));
    file.WriteText("Obj").Indent().WriteLine(nullptr).WriteLine("x").Indent().WriteLine("y").Outdent().Outdent();
    file.WriteLine("}");
    EXPECT_TRUE(file.Close());
    EXPECT_EQ("Obj\t\r\n\tx\r\n\t\ty\r\n}\r\n", ReadFileBytes(work / "nested.txt"));
}

TEST(VirtualFile, ReadNonBlankLineSkipsBlankLines)
{
    WorkFolder work;
    WriteFileBytes(work / "p.txt", "\r\n \t\r\nCObject\r\n\t\r\n{\r\n\t \r\n");
    CVirtualFile file;
    ASSERT_TRUE(file.Open("p.txt", VF_READ));
    char line[1024];
    ASSERT_TRUE(file.ReadNonBlankLine(line, sizeof line));
    EXPECT_STREQ("CObject", line);
    ASSERT_TRUE(file.ReadNonBlankLine(line, sizeof line));
    EXPECT_STREQ("{", line);
    EXPECT_FALSE(file.ReadNonBlankLine(line, sizeof line));
}

TEST(VirtualFile, TypedValuesAreLittleEndian)
{
    auto* memory = new CFileBuf();
    CVirtualFile file;
    ASSERT_TRUE(file.AttachStream(memory, VF_READ | VF_WRITE));
    file.WriteU8(0x1FF).WriteU32(0x11223344).WriteU64(0x0102030405060708ull);
    ASSERT_EQ(13u, file.GetSize());
    EXPECT_EQ(0, std::memcmp(memory->GetData(), "\xFF\x44\x33\x22\x11\x08\x07\x06\x05\x04\x03\x02\x01", 13));
    file.Seek(0);
    uint8_t u8 = 0;
    uint32_t u32 = 0;
    uint64_t u64 = 0;
    file.ReadU8(u8).ReadU32(u32).ReadU64(u64);
    EXPECT_EQ(0xFF, u8);
    EXPECT_EQ(0x11223344u, u32);
    EXPECT_EQ(0x0102030405060708ull, u64);
    file.Seek(11);
    file.ReadU32(u32); // two bytes left: the rest reads as 0
    EXPECT_EQ(0x0102u, u32);
}

TEST(VirtualFile, CountedStrings)
{
    auto* memory = new CFileBuf();
    CVirtualFile file;
    file.AttachStream(memory, VF_READ | VF_WRITE);
    file.WriteCountedString("hello").WriteCountedString("");
    EXPECT_EQ(0, std::memcmp(memory->GetData(), "\x05\0\0\0hello\0\0\0\0", 13));

    file.Seek(0);
    char buffer[16] = "untouched";
    errno = EINVAL;
    ASSERT_TRUE(file.ReadCountedString(buffer, sizeof buffer));
    EXPECT_EQ(0, errno);
    EXPECT_STREQ("hello", buffer);
    ASSERT_TRUE(file.ReadCountedString(buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);

    // A length that does not fit the buffer: refused, buffer untouched, position after the length.
    file.Seek(0);
    char small[5] = "abc";
    EXPECT_FALSE(file.ReadCountedString(small, sizeof small));
    EXPECT_EQ(ERANGE, errno);
    EXPECT_STREQ("abc", small);
    EXPECT_EQ(4, file.GetPosition());

    // A length beyond the end of the file.
    file.Seek(0);
    file.WriteU32(1000);
    file.Seek(0);
    std::strcpy(buffer, "untouched");
    EXPECT_FALSE(file.ReadCountedString(buffer, sizeof buffer));
    EXPECT_EQ(ERANGE, errno);
    EXPECT_STREQ("untouched", buffer);
    EXPECT_EQ(4, file.GetPosition());
}

TEST(VirtualFile, AllocatedStrings)
{
    auto* memory = new CFileBuf();
    CVirtualFile file;
    file.AttachStream(memory, VF_READ | VF_WRITE);
    file.WriteCountedString("name").WriteU32(0xFFFFFFFFu).WriteU32(9).WriteText("short");
    file.Seek(0);
    char* text = static_cast<char*>(std::malloc(4)); // the old text is freed
    ASSERT_TRUE(file.ReadAllocatedString(&text));
    EXPECT_STREQ("name", text);
    EXPECT_FALSE(file.ReadAllocatedString(&text)); // length + 1 would wrap: refused
    EXPECT_EQ(nullptr, text);
    EXPECT_FALSE(file.ReadAllocatedString(&text)); // 9 characters announced, 5 left
    EXPECT_EQ(nullptr, text);

    CVirtualFile closed;
    text = static_cast<char*>(std::malloc(4));
    EXPECT_FALSE(closed.ReadAllocatedString(&text));
    EXPECT_EQ(nullptr, text);
}

TEST(VirtualFile, ClosedFileGivesNeutralValues)
{
    CVirtualFile file;
    char buffer[8];
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(0u, file.Read(buffer, 4));
    EXPECT_EQ(0u, file.Write("x", 1));
    EXPECT_FALSE(file.Seek(0));
    EXPECT_FALSE(file.SeekRelative(0));
    EXPECT_EQ(-1, file.GetPosition());
    EXPECT_EQ(0u, file.GetSize());
    EXPECT_EQ(nullptr, file.ReadDirect(1));
    EXPECT_EQ(nullptr, file.DetachBuffer());
    EXPECT_FALSE(file.ReadLine(buffer, sizeof buffer));
    errno = 0;
    EXPECT_FALSE(file.ReadCountedString(buffer, sizeof buffer));
    EXPECT_EQ(ERANGE, errno);
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.Open(nullptr, VF_READ));
    EXPECT_FALSE(file.Open("", VF_READ));
    EXPECT_FALSE(file.AttachStream(nullptr, VF_READ));
}

TEST(VirtualFile, WholeFileInMemory)
{
    WorkFolder work;
    WriteFileBytes(work / "img.bin", "0123456789");
    CVirtualFile file;
    file.SetDirectReadAllowed(true);
    ASSERT_TRUE(file.Open("img.bin", VF_READ | VF_IN_MEMORY));
    EXPECT_FALSE(file.IsDirectReadAllowed()); // every open clears it
    EXPECT_TRUE(file.GetStream()->IsMemoryStream());
    const uint8_t* direct = file.ReadDirect(4);
    ASSERT_NE(nullptr, direct);
    EXPECT_EQ(0, std::memcmp(direct, "0123", 4));
    EXPECT_EQ(4u, file.GetDirectReadCount());
    uint8_t* taken = file.DetachBuffer();
    ASSERT_NE(nullptr, taken);
    EXPECT_EQ(0, std::memcmp(taken, "0123456789", 10));
    std::free(taken);
    EXPECT_FALSE(file.Open("missing.bin", VF_READ | VF_IN_MEMORY));

    // A disk stream hands out no pointers.
    ASSERT_TRUE(file.Open("img.bin", VF_READ));
    EXPECT_EQ(nullptr, file.ReadDirect(4));
    EXPECT_EQ(nullptr, file.DetachBuffer());
}

TEST(VirtualFile, BufferNameOpensAViewThatTheCreatorKeeps)
{
    auto* sound = new CFileBuf();
    sound->Write("RIFF....WAVE", 12);
    const std::string name = sound->MakeBufferName("Sounds/Boom.wav").CStr();
    for (int round = 0; round < 2; ++round) { // the name is used across loads
        CVirtualFile file;
        ASSERT_TRUE(file.Open(name.c_str(), VF_READ));
        EXPECT_EQ(0, file.GetPosition());
        EXPECT_EQ("RIFF....WAVE", ReadAll(file));
        EXPECT_TRUE(file.Close());
    }
    std::unique_ptr<CFileBuf> copy(LoadFileToMemoryStream(name.c_str(), VF_READ));
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->ContentEquals(*sound));

    CStream::DeleteByBufferName(name.c_str());
    CVirtualFile file;
    EXPECT_FALSE(file.Open(name.c_str(), VF_READ));
}

TEST(VirtualFile, AbsoluteNamesBypassArchivesAndTheBaseFolder)
{
    WorkFolder work;
    std::filesystem::create_directories(work.Path() / "Data");
    SetBaseFolder("Data");
    WriteFileBytes(work / "Data/x", "in data");
    WriteFileBytes(work / "abs.txt", "absolute");
    FakeArchives archives;
    archives.Add("C:x", "entry", true);
    archives.Add("x", "entry x", true);
    archives.Add((work / "abs.txt"), "entry", true);

    CVirtualFile file;
    const int calls = archives.m_openCalls;
    ASSERT_TRUE(file.Open((work / "abs.txt").c_str(), VF_READ));
    EXPECT_EQ("absolute", ReadAll(file));
    EXPECT_EQ(VF_READ | VF_VERBATIM | VF_ABSOLUTE, file.GetOpenFlags());
    EXPECT_FALSE(file.Open("C:x", VF_READ));
    EXPECT_EQ(calls, archives.m_openCalls);

    // A one-character name is relative.
    ASSERT_TRUE(file.Open("x", VF_READ));
    EXPECT_EQ("entry x", ReadAll(file));
    EXPECT_EQ(static_cast<uint32_t>(VF_READ), file.GetOpenFlags());
}

TEST(VirtualFile, PlainFileOpenedCompressedReadsUnchanged)
{
    WorkFolder work;
    WriteFileBytes(work / "plain.txt", "CObject\r\n{\r\n}\r\n");
    CVirtualFile file;
    ASSERT_TRUE(file.Open("plain.txt", VF_READ | VF_COMPRESSED));
    EXPECT_EQ(0, file.GetPosition());
    EXPECT_EQ("CObject\r\n{\r\n}\r\n", ReadAll(file));

    WriteFileBytes(work / "empty.txt", "");
    ASSERT_TRUE(file.Open("empty.txt", VF_READ | VF_COMPRESSED));
    EXPECT_EQ("", ReadAll(file));
    EXPECT_FALSE(file.Open("missing.txt", VF_READ | VF_COMPRESSED));
}

TEST(VirtualFile, CompressedWriteIsStoredAtClose)
{
    WorkFolder work;
    CVirtualFile file;
    ASSERT_TRUE(file.Open("Stats.dat", VF_CREATE | VF_WRITE | VF_COMPRESSED));
    file.Write("0123456789", 10);
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "Stats.dat"));
    EXPECT_TRUE(file.Close());
    const std::string record = ReadFileBytes(work / "Stats.dat");
    ASSERT_GT(record.size(), 9u);
    EXPECT_EQ(1, record[0]);
    uint32_t compressed = 0;
    uint32_t raw = 0;
    std::memcpy(&compressed, record.data() + 1, 4);
    std::memcpy(&raw, record.data() + 5, 4);
    EXPECT_EQ(10u, raw);
    EXPECT_EQ(record.size() - 9, compressed);

    ASSERT_TRUE(file.Open("Stats.dat", VF_READ | VF_COMPRESSED));
    EXPECT_TRUE(file.GetStream()->IsMemoryStream());
    EXPECT_EQ("0123456789", ReadAll(file));

    // Nothing written still gives a record, of raw length 0.
    ASSERT_TRUE(file.Open("Empty.dat", VF_CREATE | VF_WRITE | VF_COMPRESSED));
    EXPECT_TRUE(file.Close());
    ASSERT_TRUE(file.Open("Empty.dat", VF_READ | VF_COMPRESSED));
    EXPECT_EQ(0u, file.GetSize());
}

TEST(VirtualFile, CompressedWriteThatCannotBeStoredReportsFailure)
{
    WorkFolder work;
    CVirtualFile file;
    ASSERT_TRUE(file.Open("NoSuchFolder/Stats.dat", VF_CREATE | VF_WRITE | VF_COMPRESSED));
    file.Write("data", 4);
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(file.IsOpen());

    WriteFileBytes(work / "Stats.dat", "old stats");
    std::filesystem::permissions(work.Path() / "Stats.dat", std::filesystem::perms::owner_read);
    ASSERT_TRUE(file.Open("Stats.dat", VF_CREATE | VF_WRITE | VF_COMPRESSED));
    file.Write("new stats", 9);
    EXPECT_FALSE(file.Close());
    EXPECT_EQ("old stats", ReadFileBytes(work / "Stats.dat"));
}

TEST(VirtualFile, DamagedCompressedRecordFailsTheOpen)
{
    WorkFolder work;
    CVirtualFile file;
    ASSERT_TRUE(file.Open("cache.bin", VF_CREATE | VF_WRITE | VF_COMPRESSED));
    const std::string data = RandomBytes(5000, 3);
    file.Write(data.data(), static_cast<uint32_t>(data.size()));
    ASSERT_TRUE(file.Close());
    std::string record = ReadFileBytes(work / "cache.bin");
    record[record.size() / 2] ^= 0x55;
    WriteFileBytes(work / "cache.bin", record);
    EXPECT_FALSE(file.Open("cache.bin", VF_READ | VF_COMPRESSED));
    EXPECT_FALSE(file.IsOpen());
    WriteFileBytes(work / "cache.bin", record.substr(0, 20));
    EXPECT_FALSE(file.Open("cache.bin", VF_READ | VF_COMPRESSED));
}

TEST(VirtualFile, MoveBlock)
{
    auto* memory = new CFileBuf();
    CVirtualFile file;
    file.AttachStream(memory, VF_READ | VF_WRITE);
    file.WriteText("0123456789");
    EXPECT_FALSE(file.MoveBlock(5, 2, 3)); // source below destination
    EXPECT_EQ(0, std::memcmp(memory->GetData(), "0123456789", 10));
    EXPECT_TRUE(file.MoveBlock(4, 4, 3));
    EXPECT_TRUE(file.MoveBlock(1, 6, 0));
    EXPECT_TRUE(file.MoveBlock(1, 3, 6)); // overlapping, moved front first
    EXPECT_EQ(0, std::memcmp(memory->GetData(), "0345678789", 10));
    EXPECT_FALSE(file.MoveBlock(0, 8, 5)); // runs past the end: short read

    // Blocks larger than one chunk.
    const std::string big = RandomBytes(200000, 5);
    file.Seek(0);
    file.WriteText("head");
    file.Write(big.data(), static_cast<uint32_t>(big.size()));
    EXPECT_TRUE(file.MoveBlock(0, 4, static_cast<uint32_t>(big.size())));
    EXPECT_EQ(0, std::memcmp(memory->GetData(), big.data(), big.size()));
}

TEST(VirtualFile, CopyToReportsProgressAndShortTransfers)
{
    WorkFolder work;
    const std::string data = RandomBytes(1300000, 9);
    WriteFileBytes(work / "src.bin", data);
    CVirtualFile source;
    CVirtualFile destination;
    ASSERT_TRUE(source.Open("src.bin", VF_READ));
    ASSERT_TRUE(destination.Open("dst.bin", VF_CREATE | VF_WRITE));
    static std::vector<float> s_progress;
    s_progress.clear();
    EXPECT_TRUE(source.CopyTo(destination, [](float f) { s_progress.push_back(f); }));
    EXPECT_TRUE(destination.Close());
    EXPECT_EQ(data, ReadFileBytes(work / "dst.bin"));
    ASSERT_EQ(5u, s_progress.size()); // 0, then before each of three chunks, then 1
    EXPECT_EQ(0.0f, s_progress.front());
    EXPECT_EQ(1.0f, s_progress.back());
    for (size_t i = 1; i < s_progress.size(); ++i)
        EXPECT_LE(s_progress[i - 1], s_progress[i]);

    // A short read: the created file keeps its old contents.
    WriteFileBytes(work / "old.bin", "old");
    auto* shortStream = new ShortStream();
    shortStream->Write("abc", 3);
    CVirtualFile shortFile;
    shortFile.AttachStream(shortStream, VF_READ);
    ASSERT_TRUE(destination.Open("old.bin", VF_CREATE | VF_WRITE));
    EXPECT_FALSE(shortFile.CopyTo(destination, nullptr));
    EXPECT_FALSE(destination.Close());
    EXPECT_EQ("old", ReadFileBytes(work / "old.bin"));

    // A short write: the destination cannot take everything.
    auto* small = new CFileBuf();
    small->Write("12345", 5);
    const std::string name = small->MakeBufferName("small").CStr();
    ASSERT_TRUE(destination.Open(name.c_str(), VF_READ | VF_WRITE));
    EXPECT_FALSE(source.CopyTo(destination, nullptr));
    destination.Close();
    CStream::DeleteByBufferName(name.c_str());
}

TEST(VirtualFile, ContentEquals)
{
    WorkFolder work;
    WriteFileBytes(work / "e1", "");
    WriteFileBytes(work / "e2", "");
    const std::string big = RandomBytes(150000, 11);
    std::string other = big;
    other[140000] ^= 1;
    WriteFileBytes(work / "b1", big);
    WriteFileBytes(work / "b2", big);
    WriteFileBytes(work / "b3", other);
    WriteFileBytes(work / "s", big.substr(0, 10));
    CVirtualFile a;
    CVirtualFile b;
    ASSERT_TRUE(a.Open("e1", VF_READ));
    ASSERT_TRUE(b.Open("e2", VF_READ));
    EXPECT_TRUE(a.ContentEquals(b));
    ASSERT_TRUE(a.Open("b1", VF_READ));
    ASSERT_TRUE(b.Open("b2", VF_READ | VF_IN_MEMORY));
    EXPECT_TRUE(a.ContentEquals(b));
    ASSERT_TRUE(b.Open("b3", VF_READ));
    EXPECT_FALSE(a.ContentEquals(b));
    ASSERT_TRUE(b.Open("s", VF_READ));
    EXPECT_FALSE(a.ContentEquals(b));
}

TEST(FileSystemCopy, CopyFileWithProgress)
{
    WorkFolder work;
    WriteFileBytes(work / "a.bin", "contents");
    EXPECT_TRUE(CFileSystem::CopyFileWithProgress("a.bin", 0, "b.bin", 0, nullptr));
    EXPECT_EQ("contents", ReadFileBytes(work / "b.bin"));
    EXPECT_FALSE(CFileSystem::CopyFileWithProgress("missing.bin", 0, "c.bin", 0, nullptr));
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "c.bin"));
    EXPECT_FALSE(CFileSystem::CopyFileWithProgress("a.bin", 0, "no/folder/c.bin", 0, nullptr));
    EXPECT_TRUE(CFileSystem::CopyFileWithProgress("a.bin", 0, "made/folder/c.bin", VF_MAKE_FOLDERS, nullptr));
    EXPECT_EQ("contents", ReadFileBytes(work / "made/folder/c.bin"));
}

TEST(FailedSaves, FullDiskLeavesTheOldFileIntact)
{
    WorkFolder work;
    WriteFileBytes(work / "Stats.dat", "old stats");
    const std::string data = RandomBytes(1 << 20, 13);
    WriteFileBytes(work / "big.bin", data);
    {
        FileSizeLimit limit(64 * 1024);
        CVirtualFile file;
        ASSERT_TRUE(file.Open("Stats.dat", VF_CREATE | VF_WRITE));
        file.Write(data.data(), static_cast<uint32_t>(data.size()));
        EXPECT_FALSE(file.Close());
        EXPECT_FALSE(CFileSystem::CopyFileWithProgress("big.bin", 0, "Stats.dat", 0, nullptr));

        // A compressed save of random data does not fit either.
        ASSERT_TRUE(file.Open("Stats.dat", VF_CREATE | VF_WRITE | VF_COMPRESSED));
        file.Write(data.data(), static_cast<uint32_t>(data.size()));
        EXPECT_FALSE(file.Close());
    }
    EXPECT_EQ("old stats", ReadFileBytes(work / "Stats.dat"));
    size_t files = 0;
    for (auto& entry : std::filesystem::directory_iterator(work.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(2u, files); // no temporary file stays behind
}

TEST(FailedSaves, ReadOnlyFileLeavesTheOldFileIntact)
{
    WorkFolder work;
    WriteFileBytes(work / "Stats.dat", "old stats");
    std::filesystem::permissions(work.Path() / "Stats.dat", std::filesystem::perms::owner_read);
    CVirtualFile file;
    EXPECT_FALSE(file.Open("Stats.dat", VF_CREATE | VF_WRITE));
    EXPECT_FALSE(file.Open("Stats.dat", VF_READ | VF_WRITE));
    WriteFileBytes(work / "new.dat", "new stats");
    EXPECT_FALSE(CFileSystem::CopyFileWithProgress("new.dat", 0, "Stats.dat", 0, nullptr));
    EXPECT_EQ("old stats", ReadFileBytes(work / "Stats.dat"));
}

TEST(FailedSaves, ReadOnlyFolderLeavesTheOldFileIntact)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    WorkFolder work;
    WriteFileBytes(work / "new.dat", "new stats");
    std::filesystem::create_directories(work.Path() / "locked");
    WriteFileBytes(work / "locked/Stats.dat", "old stats");
    std::filesystem::permissions(work.Path() / "locked",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(CFileSystem::CopyFileWithProgress("new.dat", 0, "locked/Stats.dat", 0, nullptr));
    EXPECT_EQ("old stats", ReadFileBytes(work / "locked/Stats.dat"));
}
