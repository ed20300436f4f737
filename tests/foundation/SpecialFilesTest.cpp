// Names that are no regular file (a FIFO, a link to /dev/zero) cost nothing: every reader takes
// them for missing or unreadable at once, writers never write through them, and whole-file
// reads stop at the bound of their kind of file. Each check runs under a watchdog, since the
// fault it looks for is a start that blocks for good or a read that never ends.
#include "FileTestHelpers.h"
#include "foundation/ConfigFile.h"
#include "foundation/FileSystem.h"
#include "foundation/IniFile.h"
#include "foundation/LocalizedString.h"
#include "foundation/VirtualFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using filetest::WorkFolder;
using testsupport::ReadFileBytes;
using testsupport::RunWatched;
using testsupport::WriteFileBytes;

constexpr unsigned kWatchdogSeconds = 10;

struct Kind
{
    const char* what;
    std::function<void(const char* name)> make;
    // Whether the name still is what make made of it.
    std::function<bool(const char* name)> kept;
};

const Kind kKinds[] = {
    {"a FIFO", [](const char* name) { ASSERT_EQ(0, ::mkfifo(name, 0666)); },
     [](const char* name) { return fs::is_fifo(fs::symlink_status(name)); }},
    {"a link to /dev/zero", [](const char* name) { fs::create_symlink("/dev/zero", name); },
     [](const char* name) { return fs::is_symlink(fs::symlink_status(name)) && fs::read_symlink(name) == "/dev/zero"; }},
};

std::string Check(bool held, const char* what)
{
    return held ? "" : std::string(what) + "; ";
}

TEST(SpecialFiles, EveryReaderTakesThemForMissingAndEveryWriterLeavesThemAlone)
{
    const struct
    {
        const char* reader;
        const char* name;
        std::function<std::string(const char* name)> check;
    } readers[] = {
        {"settings read", "Vantorel.CFG",
         [](const char*) { return Check(ReadConfigInt(".\\Vantorel.CFG", "Options", "Key", 7) == 7, "default"); }},
        // Unreadable settings are not written over: the name keeps what it was.
        {"settings write", "Config.INI",
         [](const char*) { return Check(!WriteConfigInt(".\\Config.INI", "Options", "Key", 5), "refused"); }},
        {"localisation table", "Local.txt",
         [](const char* name) { return Check(!CLocalizationTable::GetInstance().Load(name), "not loaded"); }},
        {"whole file", "Stats.dat",
         [](const char* name) {
             CVirtualFile file;
             return Check(!file.Open(name, VF_READ | VF_VERBATIM | VF_IN_MEMORY), "not opened");
         }},
        {"plain and update opens", "Round.dat",
         [](const char* name) {
             CVirtualFile file;
             return Check(!file.Open(name, VF_READ) && !file.Open(name, VF_READ | VF_WRITE), "not opened") +
                    Check(!CFileSystem::FileExists(name, 0), "not there");
         }},
    };
    for (const Kind& kind : kKinds) {
        for (const auto& reader : readers) {
            SCOPED_TRACE(std::string(reader.reader) + " of " + kind.what);
            WorkFolder work;
            kind.make(reader.name);
            EXPECT_EQ(RunWatched(kWatchdogSeconds, [&] { return reader.check(reader.name); }), "");
            EXPECT_TRUE(kind.kept(reader.name));
        }
    }
}

TEST(SpecialFiles, AWholeFileWriteReplacesAFifoAndRefusesALinkToADevice)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.what);
        WorkFolder work;
        kind.make("Stats.dat");
        const bool fifo = std::string(kind.what) == "a FIFO";
        const std::string said = RunWatched(kWatchdogSeconds, [&] {
            return Check(CFileSystem::WriteWholeFile("Stats.dat", "abc", 3) == fifo, "result");
        });
        EXPECT_EQ(said, "");
        if (fifo) {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status("Stats.dat")));
            EXPECT_EQ(ReadFileBytes("Stats.dat"), "abc");
        } else {
            EXPECT_TRUE(kind.kept("Stats.dat"));
        }
        // No temporary is left beside it.
        EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
    }
}

TEST(SpecialFiles, WholeFileReadsStopAtTheBoundOfTheirKind)
{
    // Each file holds what its reader looks for at its start, then zeros up to the size.
    const struct
    {
        const char* kind;
        const char* name;
        std::string start;
        uint64_t bound;
        std::function<bool()> read;  // whether the reader found what the file holds
    } cases[] = {
        {"settings", "Vantorel.CFG", "[Options]\r\nKey=5\r\n", CIniFile::kMaxFileBytes,
         [] { return ReadConfigInt(".\\Vantorel.CFG", "Options", "Key", 7) == 5; }},
        {"localisation table", "Local.txt", "ENGLISH: Play[END]\r\nLOCALIZED: Jouer[END]\r\n",
         CLocalizationTable::kMaxFileBytes, [] {
             CLocalizedString play("Play");
             return CLocalizationTable::GetInstance().Load("Local.txt") && play == "Jouer";
         }},
        {"data file with its own bound", "Data.bin", "data", 1000, [] {
             CVirtualFile file;
             return file.Open("Data.bin", VF_READ | VF_IN_MEMORY, 1000) && file.GetSize() == 1000;
         }},
    };
    for (const auto& c : cases) {
        for (const uint64_t size : {c.bound, c.bound + 1}) {
            SCOPED_TRACE(std::string(c.kind) + " of " + std::to_string(size) + " bytes");
            WorkFolder work;
            WriteFileBytes(c.name, c.start);
            ASSERT_EQ(0, ::truncate(c.name, static_cast<off_t>(size)));
            EXPECT_EQ(RunWatched(kWatchdogSeconds, [&] { return Check(c.read() == (size <= c.bound), "bound"); }), "");
        }
    }
    // Beyond the bound the open says why.
    WorkFolder work;
    WriteFileBytes("Data.bin", "12345");
    CVirtualFile file;
    errno = 0;
    EXPECT_FALSE(file.Open("Data.bin", VF_READ | VF_IN_MEMORY, 4));
    EXPECT_EQ(errno, EFBIG);
}

TEST(SpecialFiles, TheFolderProbeNeitherBlocksOnAFifoNorRemovesIt)
{
    WorkFolder work;
    ASSERT_EQ(0, ::mkfifo("TestSave.dat", 0666));
    EXPECT_EQ(RunWatched(kWatchdogSeconds, [] {
                  ChooseConfigFile("Vantorel");
                  return std::string(g_configFile.GetPath());
              }),
              "VantorelCD.INI");
    EXPECT_TRUE(fs::is_fifo("TestSave.dat"));
}

} // namespace
