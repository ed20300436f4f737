// Stored zip archives built in memory: the names a reader could not tell apart are refused, and
// the bytes are read back by the program's own archive reader and by Python's zipfile.
#include "ContentSet.h"
#include "StoredZipWriter.h"
#include "../foundation/ZipTestHelpers.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

void WriteArchive(const std::string& path, const Bytes& bytes)
{
    testsupport::WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

TEST(StoredZipWriter, RefusesNamesAReaderCouldNotFindOrTellApart)
{
    const struct
    {
        const char* name;
        bool added;
    } cases[] = {
        {"Sounds/a.wav", true}, {"SOUNDS/A.WAV", false}, {"", false},   {"Sounds\\b.wav", false},
        {"/b.wav", false},      {"Sounds/b.wav", true},  {"b", true},
    };
    CStoredZipWriter writer;
    for (const auto& c : cases)
        EXPECT_EQ(writer.AddEntry(c.name, ToBytes("x")), c.added) << c.name;
    EXPECT_EQ(writer.GetEntryCount(), 3u);
}

TEST(StoredZipWriter, TheProgramsReaderAndPythonReadTheEntriesBack)
{
    testsupport::TempDir dir;
    const std::map<std::string, std::string> files = {
        {"empty.txt", ""},
        {"Sub/Folder/pattern.bin", ziptest::PatternBytes(70000, 5)},
        {"z.txt", "last entry"},
    };
    CStoredZipWriter writer;
    for (const auto& [name, bytes] : files)
        ASSERT_TRUE(writer.AddEntry(name, ToBytes(bytes)));
    const std::string path = dir / "test.zip";
    WriteArchive(path, writer.Finish());

    auto archive = ziptest::OpenArchive(path, "Prefix/");
    ASSERT_NE(archive, nullptr);
    ASSERT_EQ(archive->GetEntryCount(), files.size());
    for (const auto& [name, bytes] : files) {
        const std::string full = "Prefix/" + name;
        EXPECT_TRUE(ziptest::SameBytes(bytes, ziptest::ReadEntry(*archive, full.c_str()))) << name;
        EXPECT_EQ(archive->GetEntryFileTime(full.c_str()), ziptest::LocalFileTime(2020, 1, 1, 0, 0, 0)) << name;
    }
    // Entries lie in the order added.
    EXPECT_EQ(archive->GetEntry(0).GetFullName(), "Prefix/Sub/Folder/pattern.bin");
    EXPECT_EQ(archive->GetEntry(1).GetFullName(), "Prefix/empty.txt");
    EXPECT_EQ(archive->GetEntry(2).GetFullName(), "Prefix/z.txt");
    EXPECT_EQ(ziptest::PythonCheck(dir.Path(), path), 0);
}

TEST(StoredZipWriter, AnEmptyArchiveIsOnlyTheEndRecord)
{
    const Bytes archive = CStoredZipWriter().Finish();
    EXPECT_EQ(archive, (Bytes{0x50, 0x4B, 0x05, 0x06, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(StoredZipWriter, HeadersHoldTheFieldsOfAStoredEntry)
{
    CStoredZipWriter writer;
    ASSERT_TRUE(writer.AddEntry("ab", ToBytes("123456789")));
    const Bytes zip = writer.Finish();
    // The local header, the name and the data, then the central header and the end record.
    ASSERT_EQ(zip.size(), 30u + 2 + 9 + 46 + 2 + 22);
    const Bytes local(zip.begin(), zip.begin() + 30);
    // CRC-32 of "123456789" is CBF43926; 1 January 2020 is the DOS date 0x5021.
    EXPECT_EQ(local, (Bytes{0x50, 0x4B, 0x03, 0x04, 10, 0, 0, 0, 0, 0, 0, 0, 0x21, 0x50, 0x26, 0x39, 0xF4, 0xCB,
                            9,    0,    0,    0,    9, 0, 0, 0, 2, 0, 0, 0}));
    const size_t central = 30 + 2 + 9;
    // Made by 2.0, needs 1.0, sizes 9, name length 2, no extra field, comment or attributes, offset 0.
    EXPECT_EQ(Bytes(zip.begin() + central, zip.begin() + central + 46),
              (Bytes{0x50, 0x4B, 0x01, 0x02, 20, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0x21, 0x50, 0x26, 0x39, 0xF4, 0xCB,
                     9, 0, 0, 0, 9, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const size_t end = central + 46 + 2;
    EXPECT_EQ(Bytes(zip.begin() + end, zip.end()),
              (Bytes{0x50, 0x4B, 0x05, 0x06, 0, 0, 0, 0, 1, 0, 1, 0, 48, 0, 0, 0, 41, 0, 0, 0, 0, 0}));
}

TEST(ContentSet, EachArchiveKeepsItsNamesApartAndPlainFilesGoBesideThem)
{
    CContentSet set;
    EXPECT_TRUE(set.AddEntry("Sounds", "a.wav", ToBytes("1")));
    EXPECT_FALSE(set.AddEntry("Sounds", "A.WAV", ToBytes("2")));
    EXPECT_TRUE(set.AddEntry("Music", "a.wav", ToBytes("3")));
    EXPECT_FALSE(set.AddEntry("", "b.wav", ToBytes("4")));
    EXPECT_TRUE(set.AddEntry("Interface/Textures", "t.bin", ToBytes("5")));
    EXPECT_TRUE(set.AddFile("ForceFeedback.ifr", ToBytes("6")));
    EXPECT_FALSE(set.AddFile("ForceFeedback.ifr", ToBytes("7")));

    testsupport::TempDir dir;
    std::string error;
    ASSERT_TRUE(set.WriteTo(dir.Path() / "Data", error)) << error;
    for (const char* name : {"Sounds.zip", "Music.zip", "Interface/Textures.zip", "ForceFeedback.ifr"})
        EXPECT_TRUE(std::filesystem::exists(dir.Path() / "Data" / name)) << name;
    auto sounds = ziptest::OpenArchive(dir / "Data/Sounds.zip");
    ASSERT_NE(sounds, nullptr);
    EXPECT_EQ(sounds->GetEntryCount(), 1u);
    EXPECT_EQ(ziptest::ReadEntry(*sounds, "a.wav"), "1");

    // A folder that cannot be made is reported.
    testsupport::WriteFileBytes(dir.Path() / "File", "not a folder");
    EXPECT_FALSE(set.WriteTo(dir.Path() / "File" / "Data", error));
    EXPECT_FALSE(error.empty());
}

TEST(ContentSet, AChangedDataSetDropsTheProgramsConvertedCaches)
{
    testsupport::TempDir dir;
    const std::filesystem::path data = dir.Path() / "Data";
    const std::filesystem::path caches[] = {data / "Cache/Resources/-Ball.seq16", data / "Palettes/Cache/Game.pal16"};
    auto writeCaches = [&] {
        for (const auto& cache : caches) {
            std::filesystem::create_directories(cache.parent_path());
            testsupport::WriteFileBytes(cache, "converted");
        }
    };
    struct Case
    {
        const char* what;
        const char* ballBytes;
        bool cachesKept;
    };
    const Case cases[] = {{"first write", "1", false}, {"same bytes", "1", true}, {"changed entry", "2", false}};
    for (const Case& c : cases) {
        CContentSet set;
        ASSERT_TRUE(set.AddEntry("Resources", "Ball.Sequence", ToBytes(c.ballBytes)));
        writeCaches();
        std::string error;
        ASSERT_TRUE(set.WriteTo(data, error)) << error;
        for (const auto& cache : caches)
            EXPECT_EQ(std::filesystem::exists(cache), c.cachesKept) << c.what << ": " << cache;
        EXPECT_TRUE(std::filesystem::exists(data / "Resources.zip")) << c.what;
    }
}

} // namespace
