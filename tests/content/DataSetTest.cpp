// The data set as a build leaves it beside the program: reproducible byte for byte, accepted by
// other zip and wave readers, small, and holding every name the program's start-up asks for.
#include "CompanyLogo.h"
#include "ContentTestSupport.h"
#include "GamePalette.h"
#include "MountedDataSet.h"
#include "../foundation/ZipTestHelpers.h"
#include "foundation/FileSearchSpec.h"
#include "foundation/FoundFileList.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/PaletteTable.h"
#include "graphics/ScreenMode.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "graphics/StandAloneFrame.h"
#include "graphics/stages/DepthConvertStage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace {

using contenttest::BuiltDataFolder;
using contenttest::BuiltFiles;
namespace fs = std::filesystem;

// The names the start-up reads today, relative to the data folder.
const char* const kStartupNames[] = {
    "Palettes/GamePalette.bmp", "Sounds/UI/Button Action.wav", "Sounds/UI/Button Switch.wav",
    "Sounds/UI/Button Flip.wav", "Sounds/Player Error.wav",    "Music/Intro.ogg",
    "ForceFeedback.ifr",        "Cache/Resources/CompanyLogo.Frame",
    "Resources/CompanyLogo.txt",  "Cache/Resources/Main Menu Pluvex.Frame", "Sounds/Timeout.wav",
    "Resources/-MouseCursor/Properties.txt",
    "Cache/Resources/MouseCursor.Sequence",
    "Resources/Splash.FOO",
    "Cache/Resources/Splash.Frame",
};

// The frames the start-up and play look up by name in the frame list (the advertisements are
// found by the word in their names).
const char* const kStartupFrames[] = {"CompanyLogo", "Main Menu Pluvex", "Score Board Frame",
                                      "Advertisement Ion Spheres", "Advertisement Ship",
                                      "Advertisement Bricks", "Splash"};

// The fonts the start-up loads (each from "Fonts/-<name>/Properties.txt" and its glyph strip
// "Fonts/-<name>/<name>.tga"), and the sequences it asks the sequence list for.
const char* const kStartupFonts[] = {"Small Blue",  "Devuduvozo",    "OCR Monospaced Numbers",
                                     "Big White", "Yellow Header", "Numbers Blue"};
const char* const kStartupSequences[] = {"MouseCursor", "Interface/WebSpinner", "Menu Ball"};

std::vector<fs::path> Archives(const fs::path& folder)
{
    std::vector<fs::path> archives;
    for (const auto& item : fs::recursive_directory_iterator(folder))
        if (item.path().extension() == ".zip")
            archives.push_back(item.path());
    return archives;
}

TEST(DataSet, EveryBuildMakesTheSameBytes)
{
    testsupport::TempDir again;
    ASSERT_EQ(contenttest::RunTool(again.Path()), 0);
    const auto first = BuiltFiles(BuiltDataFolder() / "Data");
    const auto second = BuiltFiles(again.Path());
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first)
        EXPECT_TRUE(ziptest::SameBytes(bytes, second.count(name) ? second.at(name) : "")) << name;
    // ... and the same as the build's own, beside the program.
    const auto installed = BuiltFiles(VANTOREL_DATA_DIR);
    for (const auto& [name, bytes] : first)
        EXPECT_TRUE(ziptest::SameBytes(bytes, installed.count(name) ? installed.at(name) : "")) << name;
}

TEST(DataSet, ARunLeavesUnchangedFilesAloneAndDropsArchivesItNoLongerMakes)
{
    testsupport::TempDir out;
    ASSERT_EQ(contenttest::RunTool(out.Path()), 0);
    const fs::path palettes = out.Path() / "Palettes.zip";
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(palettes, old);
    testsupport::WriteFileBytes(out.Path() / "Stale.zip", "an archive of an older data set");
    ASSERT_EQ(contenttest::RunTool(out.Path()), 0);
    EXPECT_EQ(fs::last_write_time(palettes), old);
    EXPECT_FALSE(fs::exists(out.Path() / "Stale.zip"));
}

TEST(DataSet, StaysUnderFiveMegabytes)
{
    size_t total = 0;
    for (const auto& [name, bytes] : BuiltFiles(BuiltDataFolder() / "Data"))
        total += bytes.size();
    EXPECT_LT(total, 5u * 1024 * 1024);
}

TEST(DataSet, OtherZipReadersAcceptEveryArchive)
{
    const auto archives = Archives(BuiltDataFolder() / "Data");
    ASSERT_FALSE(archives.empty());
    testsupport::TempDir scratch;
    // Python checks every CRC and that every entry is stored, with the fixed time and no extras.
    const char* script = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    for info in z.infolist():
        assert info.compress_type == zipfile.ZIP_STORED, info.filename
        assert info.date_time == (2020, 1, 1, 0, 0, 0), info.filename
        assert info.extra == b'' and info.comment == b'', info.filename
    sys.exit(1 if z.testzip() is not None else 0)
)";
    for (const fs::path& archive : archives) {
        EXPECT_EQ(filetest::RunPython(scratch.Path(), script, "'" + archive.string() + "'"), 0) << archive;
        if (ziptest::HaveTool("unzip")) {
            EXPECT_EQ(ziptest::UnzipTest(archive.string()), 0) << archive;
        }
    }
    if (!ziptest::HaveTool("unzip"))
        GTEST_SKIP() << "unzip is not installed";
}

TEST_F(MountedDataSet, EveryNameTheStartUpReadsResolves)
{
    for (const char* name : kStartupNames)
        EXPECT_NE(ziptest::ReadVirtualFile(name), "<none>") << name;
    for (const std::string font : kStartupFonts)
        for (const std::string& name : {"Fonts/-" + font + "/Properties.txt", "Fonts/-" + font + "/" + font + ".tga"})
            EXPECT_NE(ziptest::ReadVirtualFile(name.c_str()), "<none>") << name;
    for (const char* copied : {"ForceFeedback.ifr", "Credits.txt"})
        EXPECT_EQ(ziptest::ReadVirtualFile(copied),
                  testsupport::ReadFileBytes(fs::path(contenttest::SourceFolder()) / copied))
            << copied;

    // The sound list and the music player find their files by listing their folders.
    const struct
    {
        const char* folder;
        uint32_t count;
    } listings[] = {{"Sounds", 50}, {"Music", 8}};
    for (const auto& listing : listings) {
        CFileSearchSpec spec;
        spec.SetFolderAndExtension(listing.folder, "wav");
        spec.AddExtension("ogg");
        spec.SetRecursionMode(CFileSearchSpec::RECURSE_ALL);
        CFoundFileList found;
        EXPECT_EQ(found.Find(spec), listing.count) << listing.folder;
    }
}

TEST_F(MountedDataSet, TheFrameListFindsEveryFrameTheStartUpShows)
{
    CFrameCollection& frames = CFrameCollection::GetInstance();
    frames.SetUpAtStartUp();
    for (const char* name : kStartupFrames)
        EXPECT_GE(frames.FindIndexByName(name, -1), 0) << name;
    frames.FreeEntries();
}

TEST_F(MountedDataSet, TheFontAndSequenceListsLoadEveryNameTheStartUpAsksFor)
{
    CFontCollection& fonts = CFontCollection::GetInstance();
    fonts.SetUpAtStartUp();
    EXPECT_EQ(fonts.GetCount(), std::size(kStartupFonts));
    for (const char* name : kStartupFonts) {
        const CFont* font = fonts.FindFont(name);
        ASSERT_NE(font, nullptr) << name;
        EXPECT_GT(font->GetGlyphCount(), 0) << name;
        EXPECT_EQ(font->GetFrameCount(), static_cast<uint32_t>(font->GetGlyphCount())) << name;
    }
    // The window font holds the toolkit's symbols below the blank.
    const CFont* windowFont = fonts.FindFont("OCR Monospaced Numbers");
    EXPECT_EQ(windowFont->GetFirstCode(), static_cast<int32_t>(CFont::kFirstGlyphCode));
    EXPECT_EQ(windowFont->GetLastCode(), 255);
    fonts.FreeEntries();

    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    sequences.SetUpAtStartUp();
    for (const char* name : kStartupSequences) {
        const CSequence* sequence = sequences.FindSequence(name);
        ASSERT_NE(sequence, nullptr) << name;
        EXPECT_GT(sequence->GetFrameCount(), 0u) << name;
    }
    sequences.FreeEntries();
}

TEST_F(MountedDataSet, EverySequenceSourceRebuilds)
{
    // The reader's refusal of overlapping or outgrown frames meets none of the tool's (kept at 32 bits).
    CFrameLoadStage stages;
    stages.InsertStage(new CDepthConvertStage(false, 32));
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("Cache/Resources", "Sequence");
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_ALL);
    CFoundFileList found;
    ASSERT_GT(found.Find(spec), 100u);
    for (uint32_t i = 0; i < found.GetCount(); ++i) {
        std::string name = found.GetName(i).CStr();
        name = name.substr(name.find("Resources/") + 10);
        name.resize(name.size() - std::strlen(".Sequence"));
        CSequence sequence;
        EXPECT_TRUE(sequence.BuildFromSource("Resources", name.c_str(), &stages)) << name;
        EXPECT_GT(sequence.GetFrameCount(), 0u) << name;
    }
}

TEST_F(MountedDataSet, TheCompanyLogoIsStoredAsDrawnAndLoadsForTheDisplay)
{
    std::string error;
    const CImage drawn = PaintCompanyLogo(contenttest::FontFolder(), error);
    ASSERT_FALSE(drawn.IsEmpty()) << error;
    CFrame source;
    ASSERT_TRUE(source.LoadSourceImage("Resources", "CompanyLogo"));
    ASSERT_EQ(source.GetBitsPerPixel(), 32u);
    ASSERT_EQ(source.GetWidth(), drawn.GetWidth());
    ASSERT_EQ(source.GetHeight(), drawn.GetHeight());
    EXPECT_EQ(source.GetLeft(), 0);
    EXPECT_EQ(source.GetTop(), 0);
    const size_t rowBytes = static_cast<size_t>(drawn.GetWidth()) * 4;
    for (int y = 0; y < drawn.GetHeight(); ++y)
        ASSERT_EQ(0, std::memcmp(source.GetPixels() + static_cast<size_t>(source.GetRowOffsets()[y]) * 4,
                                 drawn.GetBytes().data() + rowBytes * y, rowBytes))
            << "row " << y << " differs from the drawing";

    // Through the frame list on a 16-bit display: its options keep the rows plain, the colours
    // are the drawing's on the 5-6-5 grid, dithered.
    const int32_t savedDepth = GetDisplayBitsPerPixel();
    SetDisplayBitsPerPixel(16);
    CFrameCollection& frames = CFrameCollection::GetInstance();
    frames.SetUpAtStartUp();
    auto* logo = static_cast<CFrame*>(frames.GetByName("CompanyLogo"));
    SetDisplayBitsPerPixel(savedDepth);
    ASSERT_NE(logo, nullptr);
    EXPECT_TRUE(logo->IsKindOf(CStandAloneFrame::GetStaticClassRecord()));
    EXPECT_EQ(logo->GetBitsPerPixel(), 16u);
    EXPECT_EQ(logo->GetFormatFlags() & kFrameRunLengthMask, 0u);
    ASSERT_EQ(logo->GetWidth(), drawn.GetWidth());
    ASSERT_EQ(logo->GetHeight(), drawn.GetHeight());
    int worst = 0;
    int64_t total = 0;
    for (int y = 0; y < drawn.GetHeight(); ++y)
        for (int x = 0; x < drawn.GetWidth(); ++x) {
            const uint32_t v = logo->GetRawPixel(x, y);
            const int shown[3] = {static_cast<int>((v >> 11) & 31) * 255 / 31, static_cast<int>((v >> 5) & 63) * 255 / 63,
                                  static_cast<int>(v & 31) * 255 / 31};
            const Rgba p = drawn.GetPixel(x, y);
            for (int c = 0; c < 3; ++c) {
                const int difference = std::abs(shown[c] - (c == 0 ? p.r : c == 1 ? p.g : p.b));
                worst = std::max(worst, difference);
                total += difference;
            }
        }
    // Dithering moves a channel by at most a few grid steps (8.2 for 5 bits), by about one on average.
    EXPECT_LE(worst, 24);
    EXPECT_LT(static_cast<double>(total) / (drawn.GetWidth() * drawn.GetHeight() * 3), 4.0);
    frames.FreeEntries();
}

TEST_F(MountedDataSet, TheGamePaletteLoadsThroughTheProgramsPaletteReader)
{
    CFrame frame;
    ASSERT_TRUE(frame.LoadBmpPalette("Palettes/GamePalette.bmp"));
    ASSERT_TRUE(frame.HasPalette());
    const GamePalette expected = MakeGamePalette();
    for (uint32_t i = 0; i < 256; ++i) {
        uint8_t r, g, b;
        frame.GetPalette()->GetEntry(i, r, g, b);
        EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{expected[i].r, expected[i].g, expected[i].b})) << i;
    }
}

TEST(DataSet, PythonReadsEveryPcmSoundAsMono16BitWaveAt22050Hz)
{
    testsupport::TempDir scratch;
    // Each PCM sound: the format the sound layer plays, some length, and not silent. (The coded
    // sounds and the songs are decoded by sox in their own tests; "!None.wav" is silence.)
    const char* script = R"(
import io, sys, wave, zipfile
for path in sys.argv[1:]:
    with zipfile.ZipFile(path) as z:
        for name in z.namelist():
            data = z.read(name)
            if data[20:22] != b'\x01\x00' or name.startswith('!'):
                continue
            with wave.open(io.BytesIO(data)) as w:
                frames = w.readframes(w.getnframes())
                assert (w.getnchannels(), w.getsampwidth(), w.getframerate()) == (1, 2, 22050), name
                assert w.getnframes() > 1000, name
                samples = [int.from_bytes(frames[i:i + 2], 'little', signed=True) for i in range(0, len(frames), 2)]
                assert max(abs(s) for s in samples) > 4000, name
                print(name)
)";
    const fs::path data = BuiltDataFolder() / "Data";
    const std::string output = (scratch.Path() / "names.txt").string();
    ASSERT_EQ(filetest::RunPython(scratch.Path(), script, "'" + (data / "Sounds.zip").string() + "' >'" + output + "'"),
              0);
    EXPECT_EQ(testsupport::ReadFileBytes(output),
              "UI/Button Action.wav\nUI/Button Switch.wav\nUI/Button Flip.wav\nUI/Button Hover.wav\n"
              "UI/Menu Ball Bounce.wav\nPlayer Error.wav\nPop Brick.wav\n"
              "Brick Placed.wav\nBrick Turned On.wav\nBrick Turned Off.wav\nBrick Change.wav\n"
              "Start Round.wav\nBall In Play.wav\nLevel Ending Tune.WAV\nLost Ball.WAV\nGame Over.WAV\nScore.wav\n"
              "Completed Game.wav\nTimeout.wav\nElectric/Can Catch.wav\nElectric/Hold.wav\nElectric/Catch.wav\n"
              "Thrust.wav\nFire Gun.wav\nFire Big Gun.wav\nSnap On Larger Shiled.wav\nSnap On Smaller Shiled.wav\n"
              "Default Spark.wav\nSlow.wav\nFast.wav\nPower Ups/Catcher.wav\nFire Ball.wav\nMultiply 3.wav\n"
              "Multiply 8.wav\nPower Ups/Gun Deploy.wav\nPower Ups/Big Gun.wav\nRail Ball.wav\nNormal Ball.wav\n"
              "Small Ball.wav\nShip Explode.wav\nBomb Dropped.wav\nBomb Explode.wav\nBrick Clank.wav\n"
              "Brick Thud.wav\nBrick Nudge.wav\nBrick Damaged.wav\nBrick Explode.wav\n");
}

} // namespace

TEST_F(MountedDataSet, TheSequenceListBeginsWithNoneWhichHasNoFrames)
{
    // Data refers to sequences by index, and index 0 means none.
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    sequences.SetUpAtStartUp();
    ASSERT_GE(sequences.GetCount(), 1u);
    EXPECT_STREQ(sequences.GetEntry(0)->GetName(), "!None");
    EXPECT_EQ(sequences.FindIndexByName("!None", -1), 0);
    auto* none = dynamic_cast<CSequence*>(sequences.GetItem(0));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->GetFrameCount(), 0u);
    sequences.FreeEntries();
}
