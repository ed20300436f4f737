// The disk stream: line reading, CRC-32, the stream chooser and its archive seam, disk opening
// rules, buffer names and log sections.
#include "FileTestHelpers.h"
#include "foundation/Crc32.h"
#include "foundation/FileBuf.h"
#include "foundation/LogSection.h"
#include "foundation/Stream.h"
#include "foundation/VirtualFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

using filetest::FakeArchives;
using filetest::WorkFolder;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

std::unique_ptr<CStream> OpenDisk(const std::string& path, uint32_t flags = VF_READ)
{
    auto stream = std::make_unique<CStream>();
    if (!stream->OpenDiskFile(path.c_str(), flags | VF_VERBATIM))
        return nullptr;
    return stream;
}

std::vector<std::string> ReadAllLines(CStream& stream, uint32_t size)
{
    std::vector<std::string> lines;
    std::vector<char> buffer(size);
    while (stream.ReadLine(buffer.data(), size))
        lines.emplace_back(buffer.data());
    return lines;
}

std::string ReadStream(CStream& stream)
{
    std::string text;
    char chunk[256];
    uint32_t got;
    while ((got = stream.Read(chunk, sizeof chunk)) > 0)
        text.append(chunk, got);
    return text;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(DiskStreamReadLine, MixedLineEndsWithLargeBuffer)
{
    testsupport::TempDir dir;
    WriteFileBytes(dir / "t.txt", "ab\r\ncd\n\nef\r\r\ngh\r\n");
    auto stream = OpenDisk(dir / "t.txt");
    ASSERT_TRUE(stream);
    EXPECT_EQ((Lines{"ab", "cd", "", "ef", "gh"}), ReadAllLines(*stream, 1024));
    char buffer[16];
    EXPECT_FALSE(stream->ReadLine(buffer, sizeof buffer));
}

TEST(DiskStreamReadLine, EveryKindOfLineEnd)
{
    testsupport::TempDir dir;
    // CR alone, LF alone, CR LF, LF CR, CR CR LF, and CR LF followed by an empty LF line.
    WriteFileBytes(dir / "t.txt", "a\rb\nc\r\nd\n\re\r\r\nf\r\n\ng\n");
    auto stream = OpenDisk(dir / "t.txt");
    ASSERT_TRUE(stream);
    EXPECT_EQ((Lines{"a", "b", "c", "d", "e", "f", "", "g"}), ReadAllLines(*stream, 64));
}

TEST(DiskStreamReadLine, LastLineWithoutLineEndIsDelivered)
{
    testsupport::TempDir dir;
    WriteFileBytes(dir / "t.txt", "first\r\n}");
    auto stream = OpenDisk(dir / "t.txt");
    ASSERT_TRUE(stream);
    EXPECT_EQ((Lines{"first", "}"}), ReadAllLines(*stream, 1024));
    EXPECT_EQ(8, stream->GetPosition());

    WriteFileBytes(dir / "one.txt", "x");
    auto single = OpenDisk(dir / "one.txt");
    EXPECT_EQ((Lines{"x"}), ReadAllLines(*single, 8));

    WriteFileBytes(dir / "empty.txt", "");
    auto empty = OpenDisk(dir / "empty.txt");
    EXPECT_TRUE(ReadAllLines(*empty, 8).empty());
}

TEST(DiskStreamReadLine, LineEndsSplitAtTheReadWindowGiveTheSameLines)
{
    // With every buffer size that holds the longest line, the window ends at every possible
    // place inside the line ends; no size may invent or lose a line.
    testsupport::TempDir dir;
    const std::string text = "abc\r\ndefg\r\n\r\nh\ri\n\nj\r\r\nklmno\n\rp\r\nq";
    const Lines expected{"abc", "defg", "", "h", "i", "", "j", "klmno", "p", "q"};
    WriteFileBytes(dir / "t.txt", text);
    for (uint32_t size = 7; size < 40; ++size) {
        auto stream = OpenDisk(dir / "t.txt");
        ASSERT_TRUE(stream);
        EXPECT_EQ(expected, ReadAllLines(*stream, size)) << "buffer size " << size;
    }
}

TEST(DiskStreamReadLine, TooLongLineFailsWithoutMoving)
{
    testsupport::TempDir dir;
    WriteFileBytes(dir / "t.txt", "abcdef\r\nxy\r\n");
    auto stream = OpenDisk(dir / "t.txt");
    char buffer[8];
    // A line may hold size - 2 characters: "abcdef" needs a buffer of 8.
    EXPECT_FALSE(stream->ReadLine(buffer, 7));
    EXPECT_EQ(0, stream->GetPosition());
    ASSERT_TRUE(stream->ReadLine(buffer, 8));
    EXPECT_STREQ("abcdef", buffer);
    ASSERT_TRUE(stream->ReadLine(buffer, 8));
    EXPECT_STREQ("xy", buffer);

    // The same rule for a last line without a line end.
    WriteFileBytes(dir / "u.txt", "abcdef");
    auto last = OpenDisk(dir / "u.txt");
    EXPECT_FALSE(last->ReadLine(buffer, 7));
    EXPECT_EQ(0, last->GetPosition());
    EXPECT_TRUE(last->ReadLine(buffer, 8));
    EXPECT_STREQ("abcdef", buffer);
}

TEST(DiskStream, WithoutHandleEveryOperationIsNeutral)
{
    CStream stream;
    char buffer[8] = "x";
    EXPECT_EQ(0u, stream.Read(buffer, 4));
    EXPECT_EQ(0u, stream.Write("abc", 3));
    EXPECT_FALSE(stream.Seek(0));
    EXPECT_FALSE(stream.SeekRelative(1));
    EXPECT_EQ(-1, stream.GetPosition());
    EXPECT_EQ(0u, stream.GetSize());
    EXPECT_EQ(0, stream.SetSize(0));
    EXPECT_FALSE(stream.ReadLine(buffer, sizeof buffer));
    EXPECT_EQ(nullptr, stream.AccessAndAdvance(1));
    EXPECT_EQ(nullptr, stream.TakeBuffer());
    EXPECT_FALSE(stream.IsMemoryStream());
    EXPECT_TRUE(stream.Close());
}

TEST(DiskStream, UpdateInPlaceAndSetSize)
{
    testsupport::TempDir dir;
    WriteFileBytes(dir / "u.bin", "0123456789");
    auto stream = OpenDisk(dir / "u.bin", VF_READ | VF_WRITE);
    ASSERT_TRUE(stream);
    char four[4];
    ASSERT_EQ(4u, stream->Read(four, 4));
    EXPECT_EQ(4u, stream->Write("ABCD", 4)); // a write right after a read
    EXPECT_EQ(8, stream->GetPosition());
    EXPECT_EQ(0, stream->SetSize(6));
    EXPECT_EQ(6u, stream->GetSize());
    EXPECT_TRUE(stream->Close());
    EXPECT_EQ("0123AB", ReadFileBytes(dir / "u.bin"));
}

TEST(Crc32, KnownValuesAndIncrementalUse)
{
    EXPECT_EQ(0x352441C2u, Crc32("abc", 3));
    EXPECT_EQ(0u, Crc32("", 0));
    EXPECT_EQ(0xCBF43926u, Crc32("123456789", 9));
    uint32_t running = 0xFFFFFFFFu;
    running = Crc32Update(running, "1234", 4);
    running = Crc32Update(running, "56789", 5);
    EXPECT_EQ(0xCBF43926u, Crc32End(running));

    testsupport::TempDir dir;
    WriteFileBytes(dir / "abc", "abc");
    auto stream = OpenDisk(dir / "abc");
    EXPECT_EQ(0x352441C2u, stream->ComputeCrc32());
    EXPECT_EQ(3, stream->GetPosition());
}

TEST(Crc32, AgreesWithPythonZlibOnSeveralMegabytes)
{
    if (!filetest::HavePython())
        GTEST_SKIP() << "python3 with zlib is not available";
    testsupport::TempDir dir;
    const std::string script = R"(
import random, sys, zlib
data = random.Random(7).randbytes(3 * 1024 * 1024 + 123)
open(sys.argv[1], 'wb').write(data)
open(sys.argv[2], 'w').write('%08X' % (zlib.crc32(data) & 0xFFFFFFFF))
)";
    ASSERT_EQ(0, filetest::RunPython(dir.Path(), script, "'" + (dir / "data.bin") + "' '" + (dir / "crc.txt") + "'"));
    auto stream = OpenDisk(dir / "data.bin");
    ASSERT_TRUE(stream);
    char expected[16];
    std::snprintf(expected, sizeof expected, "%08X", stream->ComputeCrc32());
    EXPECT_EQ(ReadFileBytes(dir / "crc.txt"), expected);
    EXPECT_EQ(static_cast<int32_t>(stream->GetSize()), stream->GetPosition());

    const std::string bytes = ReadFileBytes(dir / "data.bin");
    char oneShot[16];
    std::snprintf(oneShot, sizeof oneShot, "%08X", Crc32(bytes.data(), bytes.size()));
    EXPECT_EQ(ReadFileBytes(dir / "crc.txt"), oneShot);
}

TEST(BufferNames, NameFormatAndLookup)
{
    auto* stream = new CFileBuf();
    const std::string name = stream->MakeBufferName("Sounds/Boom.wav").CStr();
    ASSERT_EQ(std::string("~CFileBuf 0x").size() + 8 + std::string("/Sounds/Boom.wav").size(), name.size()) << name;
    EXPECT_EQ(0u, name.find("~CFileBuf 0x"));
    EXPECT_EQ(20u, name.find("/Sounds/Boom.wav"));
    for (size_t i = 12; i < 20; ++i)
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(name[i])) || (name[i] >= 'A' && name[i] <= 'F')) << name;
    EXPECT_EQ(name, stream->MakeBufferName("Sounds/Boom.wav").CStr()); // one handle per stream
    EXPECT_EQ(stream, CStream::FindByBufferName(name.c_str()));

    std::string lower = name;
    for (size_t i = 12; i < 20; ++i)
        lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
    EXPECT_EQ(stream, CStream::FindByBufferName(lower.c_str()));

    EXPECT_EQ(nullptr, CStream::FindByBufferName(name.substr(0, 19).c_str())); // 7 digits
    std::string wrongCase = name;
    wrongCase[1] = 'c';
    EXPECT_EQ(nullptr, CStream::FindByBufferName(wrongCase.c_str()));
    EXPECT_EQ(nullptr, CStream::FindByBufferName("Sounds/Boom.wav"));
    EXPECT_EQ(nullptr, CStream::FindByBufferName(nullptr));
    CStream::DeleteByBufferName("not a buffer name");

    CStream::DeleteByBufferName(name.c_str());
    EXPECT_EQ(nullptr, CStream::FindByBufferName(name.c_str()));
    CStream::DeleteByBufferName(name.c_str()); // a stale name is harmless
}

TEST(BufferNames, TextThatLooksLikeANameNeverReachesMemory)
{
    // Names found in data are never turned into pointers: forged and stale handles find nothing.
    for (const char* forged : {"~CFileBuf 0x00000000/x", "~CFileBuf 0xFFFFFFFF/x", "~CFileBuf 0xDEADBEEF/x",
                               "~CFileBuf 0x12345678", "~CFileBuf 0xGGGGGGGG/x"}) {
        EXPECT_EQ(nullptr, CStream::FindByBufferName(forged)) << forged;
        CVirtualFile file;
        EXPECT_FALSE(file.Open(forged, VF_READ)) << forged;
    }
    auto* first = new CFileBuf();
    const std::string firstName = first->MakeBufferName("a").CStr();
    delete first;
    auto* second = new CFileBuf();
    const std::string secondName = second->MakeBufferName("a").CStr();
    EXPECT_NE(firstName, secondName); // handles are not handed out again
    EXPECT_EQ(nullptr, CStream::FindByBufferName(firstName.c_str()));
    delete second;
}

TEST(LogSections, TextsWhenALogFileIsSet)
{
    testsupport::TempDir dir;
    FILE* log = std::fopen((dir / "log.txt").c_str(), "w");
    ASSERT_TRUE(log);
    const int depth = GetLogSectionDepth();
    SetLogSectionFile(log);
    BeginLogSection("Setup Game");
    BeginLogSection("Game Startup");
    EXPECT_EQ(depth + 2, GetLogSectionDepth());
    EndLogSection();
    EndLogSection();
    SetLogSectionFile(nullptr);
    std::fclose(log);
    EXPECT_EQ(depth, GetLogSectionDepth());
    EXPECT_EQ("*** Setup Game ***\n*** Game Startup ***\n*** section done ***\n*** END of all active section ***\n",
              ReadFileBytes(dir / "log.txt"));

    // Without a log file the sections only count.
    BeginLogSection("StartNewGame");
    EXPECT_EQ(depth + 1, GetLogSectionDepth());
    EndLogSection();
    EXPECT_EQ(depth, GetLogSectionDepth());
}

TEST(OpenForPath, ReadPrecedenceBetweenArchivesAndDisk)
{
    WorkFolder work;
    std::filesystem::create_directories(work.Path() / "Data/Graphics");
    SetBaseFolder("Data");
    WriteFileBytes(work / "Data/Graphics/a.txt", "disk");
    FakeArchives archives;

    archives.Add("Graphics/a.txt", "listed entry", true);
    std::unique_ptr<CStream> stream(CStream::OpenForPath("Graphics/a.txt", VF_READ));
    ASSERT_TRUE(stream);
    EXPECT_EQ("listed entry", ReadStream(*stream));

    archives.Add("Graphics/a.txt", "unlisted entry", false);
    stream.reset(CStream::OpenForPath("Graphics/a.txt", VF_READ));
    ASSERT_TRUE(stream);
    EXPECT_EQ("disk", ReadStream(*stream));

    archives.Add("Graphics/b.txt", "only in the archive", false);
    stream.reset(CStream::OpenForPath("Graphics/b.txt", VF_READ));
    ASSERT_TRUE(stream);
    EXPECT_EQ("only in the archive", ReadStream(*stream));

    stream.reset(CStream::OpenForPath("Graphics/a.txt", VF_READ | VF_NO_DISK));
    ASSERT_TRUE(stream);
    EXPECT_EQ("unlisted entry", ReadStream(*stream));
    EXPECT_EQ(nullptr, CStream::OpenForPath("Graphics/missing.txt", VF_READ | VF_NO_DISK));

    // Verbatim names and unmounted archives never consult the archives.
    const int calls = archives.m_openCalls;
    EXPECT_EQ(nullptr, CStream::OpenForPath("Graphics/b.txt", VF_READ | VF_VERBATIM));
    archives.m_mounted = false;
    EXPECT_EQ(nullptr, CStream::OpenForPath("Graphics/b.txt", VF_READ));
    EXPECT_EQ(calls, archives.m_openCalls);
}

TEST(OpenForPath, WritesAppendsAndUpdates)
{
    WorkFolder work;
    FakeArchives archives;

    std::unique_ptr<CStream> stream(CStream::OpenForPath("Data/t.zip;new.bin", VF_CREATE | VF_WRITE));
    ASSERT_TRUE(stream);
    EXPECT_EQ("Data/t.zip", archives.m_appendedZip);
    EXPECT_EQ("new.bin", archives.m_appendedEntry);

    // An existing entry takes a create+write; no disk file appears.
    archives.Add("cache/x.bin", "old", true);
    stream.reset(CStream::OpenForPath("cache/x.bin", VF_CREATE | VF_WRITE));
    ASSERT_TRUE(stream);
    EXPECT_TRUE(stream->IsMemoryStream());
    stream.reset();
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "cache"));

    // Update never uses archives; without VF_READ or VF_WRITE nothing opens.
    WriteFileBytes(work / "u.bin", "disk");
    const int calls = archives.m_openCalls;
    stream.reset(CStream::OpenForPath("u.bin", VF_READ | VF_WRITE));
    ASSERT_TRUE(stream);
    EXPECT_FALSE(stream->IsMemoryStream());
    EXPECT_EQ(calls, archives.m_openCalls);
    EXPECT_EQ(nullptr, CStream::OpenForPath("u.bin", 0));
    EXPECT_EQ(nullptr, CStream::OpenForPath("u.bin", VF_READ | VF_WRITE | VF_NO_DISK));
    EXPECT_EQ(nullptr, CStream::OpenForPath("", VF_READ));
    EXPECT_EQ(nullptr, CStream::OpenForPath(nullptr, VF_READ));

    // Without an archive set an append cannot be made.
    CStream::SetArchiveProvider(nullptr);
    EXPECT_EQ(nullptr, CStream::OpenForPath("t.zip;new.bin", VF_CREATE | VF_WRITE));
    CStream::SetArchiveProvider(&archives);
}

TEST(OpenDiskFile, BaseFolderFirstThenTheNameAsGiven)
{
    WorkFolder work;
    std::filesystem::create_directories(work.Path() / "Data");
    SetBaseFolder("Data");
    WriteFileBytes(work / "Data/a.txt", "in data");
    WriteFileBytes(work / "a.txt", "beside");
    WriteFileBytes(work / "b.txt", "only beside");

    CStream stream;
    ASSERT_TRUE(stream.OpenDiskFile("a.txt", VF_READ));
    EXPECT_EQ("in data", ReadStream(stream));
    ASSERT_TRUE(stream.OpenDiskFile("b.txt", VF_READ));
    EXPECT_EQ("only beside", ReadStream(stream));
    ASSERT_TRUE(stream.OpenDiskFile("a.txt", VF_READ | VF_VERBATIM));
    EXPECT_EQ("beside", ReadStream(stream));
    EXPECT_FALSE(stream.OpenDiskFile("missing.txt", VF_READ));

    // A joined name too long for a path buffer is not found, never cut or overrun.
    const std::string longName(251, 'n'); // "Data/" and the name make 256 characters
    WriteFileBytes(work / ("Data/" + longName), "long");
    EXPECT_FALSE(stream.OpenDiskFile(longName.c_str(), VF_READ));
    EXPECT_FALSE(stream.OpenDiskFile(longName.c_str(), VF_CREATE | VF_WRITE));
    EXPECT_EQ("long", ReadFileBytes(work / ("Data/" + longName)));

    // A create goes into the base folder, or beside with VF_VERBATIM.
    ASSERT_TRUE(stream.OpenDiskFile("c.txt", VF_CREATE | VF_WRITE));
    stream.Write("new", 3);
    EXPECT_TRUE(stream.Close());
    EXPECT_EQ("new", ReadFileBytes(work / "Data/c.txt"));
    ASSERT_TRUE(stream.OpenDiskFile("c.txt", VF_CREATE | VF_WRITE | VF_VERBATIM));
    EXPECT_TRUE(stream.Close());
    EXPECT_TRUE(std::filesystem::exists(work.Path() / "c.txt"));
}

TEST(OpenDiskFile, NamesIgnoreCaseAndAcceptBackslashes)
{
    WorkFolder work;
    std::filesystem::create_directories(work.Path() / "Data/Graphics/Ball");
    SetBaseFolder("Data");
    WriteFileBytes(work / "Data/Graphics/Ball/A.FRM", "frame");
    CStream stream;
    ASSERT_TRUE(stream.OpenDiskFile("graphics\\ball\\a.frm", VF_READ));
    EXPECT_EQ("frame", ReadStream(stream));
    ASSERT_TRUE(stream.OpenDiskFile(".\\DATA\\Graphics/BALL/a.Frm", VF_READ | VF_VERBATIM));
    EXPECT_EQ("frame", ReadStream(stream));

    // Writing to a name that exists in another case replaces that file.
    ASSERT_TRUE(stream.OpenDiskFile("GRAPHICS/ball/a.frm", VF_CREATE | VF_WRITE));
    stream.Write("FRAME", 5);
    EXPECT_TRUE(stream.Close());
    EXPECT_EQ("FRAME", ReadFileBytes(work / "Data/Graphics/Ball/A.FRM"));
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "Data/Graphics/Ball/a.frm"));
}

TEST(OpenDiskFile, MakeFoldersOnlyWhenAsked)
{
    WorkFolder work;
    CStream stream;
    EXPECT_FALSE(stream.OpenDiskFile("Cache/Resources/x.bin", VF_CREATE | VF_WRITE));
    ASSERT_TRUE(stream.OpenDiskFile("Cache/Resources/x.bin", VF_CREATE | VF_WRITE | VF_MAKE_FOLDERS));
    stream.Write("x", 1);
    EXPECT_TRUE(stream.Close());
    EXPECT_EQ("x", ReadFileBytes(work / "Cache/Resources/x.bin"));
}

TEST(OpenDiskFile, CreatedFileReplacesTheOldOneOnlyAtClose)
{
    WorkFolder work;
    WriteFileBytes(work / "Stats.dat", "old contents");
    CStream stream;
    ASSERT_TRUE(stream.OpenDiskFile("Stats.dat", VF_CREATE | VF_WRITE));
    stream.Write("new", 3);
    EXPECT_EQ(3u, stream.GetSize());
    EXPECT_EQ("old contents", ReadFileBytes(work / "Stats.dat"));
    EXPECT_TRUE(stream.Close());
    EXPECT_EQ("new", ReadFileBytes(work / "Stats.dat"));
    // No temporary file stays behind.
    size_t files = 0;
    for (auto& entry : std::filesystem::directory_iterator(work.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(1u, files);

    // Through a link, the file it points to is replaced and the link stays.
    WriteFileBytes(work / "Real.dat", "real");
    std::filesystem::create_symlink("Real.dat", work.Path() / "Link.dat");
    ASSERT_TRUE(stream.OpenDiskFile("Link.dat", VF_CREATE | VF_WRITE));
    stream.Write("linked", 6);
    EXPECT_TRUE(stream.Close());
    EXPECT_TRUE(std::filesystem::is_symlink(work.Path() / "Link.dat"));
    EXPECT_EQ("linked", ReadFileBytes(work / "Real.dat"));
    std::filesystem::remove(work.Path() / "Link.dat");
    std::filesystem::remove(work.Path() / "Real.dat");

    // A stream marked as failed keeps the old file.
    ASSERT_TRUE(stream.OpenDiskFile("Stats.dat", VF_CREATE | VF_WRITE));
    stream.Write("broken", 6);
    stream.MarkWriteFailed();
    EXPECT_FALSE(stream.Close());
    EXPECT_EQ("new", ReadFileBytes(work / "Stats.dat"));
}
