// Whole-file reads stop at the bound of their kind of file: a file just at the bound is read, one
// byte more and it is not.
#include "FileTestHelpers.h"
#include "foundation/ConfigFile.h"
#include "foundation/IniFile.h"
#include "foundation/LocalizedString.h"
#include "foundation/VirtualFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

TEST(WholeFileReads, StopAtTheBoundOfTheirKind)
{
    // Each file holds what its reader looks for at its start, then zeros up to the size.
    const struct
    {
        const char* name;
        std::string start;
        uint64_t bound;
        std::function<bool()> read;  // whether the reader found what the file holds
    } cases[] = {
        {"Vantorel.CFG", "[Options]\r\nKey=5\r\n", CIniFile::kMaxFileBytes,
         [] { return ReadConfigInt(".\\Vantorel.CFG", "Options", "Key", 7) == 5; }},
        {"Local.txt", "ENGLISH: Play[END]\r\nLOCALIZED: Jouer[END]\r\n", CLocalizationTable::kMaxFileBytes,
         [] {
             CLocalizedString play("Play");
             return CLocalizationTable::GetInstance().Load("Local.txt") && play == "Jouer";
         }},
        {"Data.bin", "data", 1000, [] {
             CVirtualFile file;
             errno = 0;
             return file.Open("Data.bin", VF_READ | VF_IN_MEMORY, 1000) || errno != EFBIG;
         }},
    };
    for (const auto& c : cases) {
        for (const uint64_t size : {c.bound, c.bound + 1}) {
            SCOPED_TRACE(std::string(c.name) + " of " + std::to_string(size) + " bytes");
            filetest::WorkFolder work;
            testsupport::WriteFileBytes(c.name, c.start);
            ASSERT_EQ(0, ::truncate(c.name, static_cast<off_t>(size)));
            EXPECT_EQ(c.read(), size <= c.bound);
        }
    }
}

} // namespace

// Tests put links to devices where the game's files go; clearing their folder must not make the
// device (or any linked file) writable or executable for its owner.
TEST(TestFolders, CleanUpLeavesALinkedFilesModeAlone)
{
    testsupport::TempDir outside;
    const std::filesystem::path target = outside.Path() / "target";
    testsupport::WriteFileBytes(target, "x");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    {
        testsupport::TempDir folder;
        std::filesystem::create_symlink(target, folder.Path() / "link");
    }
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms::owner_read);
}
