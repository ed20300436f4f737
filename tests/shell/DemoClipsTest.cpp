// The demo clips the data set ships, played by the game over the built data: the set holds exactly
// the listed clips, each plays frame by frame to the very end of its stream and shows a moving
// field that shows bricks laid by the machine and broken, and the commercials name them.
#include "GameFixture.h"

#include "app/ReplayIndexMap.h"
#include "app/ReplayStream.h"
#include "game/Playfield.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/SequenceCollection.h"
#include "shell/MainMenuWindow.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#ifdef VANTOREL_DATA_DIR
namespace {

const std::filesystem::path kClipList = std::filesystem::path(VANTOREL_SOURCE_DIR) / "data" / "DemoClips.txt";
// A clip shorter than this means its game ended almost at once.
constexpr uint32_t kShortestClip = 150;

struct ListedClip
{
    std::string file;
    uint32_t frames = 0;
};

std::vector<ListedClip> ReadClipList()
{
    std::vector<ListedClip> clips;
    std::ifstream list(kClipList);
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream words(line);
        ListedClip clip;
        uint32_t difficulty = 0, round = 0, seed = 0;
        if (line.empty() || line[0] == '#' || !(words >> clip.file >> difficulty >> round >> clip.frames >> seed))
            continue;
        clips.push_back(clip);
    }
    return clips;
}

// The distinct pixel values in the rectangle of the 16-bit frame.
std::set<uint16_t> PixelValues(const CFrame& frame, const CIntRect& rect)
{
    std::set<uint16_t> values;
    for (int32_t y = rect.m_top; y < rect.m_bottom; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(frame.GetPixels()) + frame.GetRowOffsets()[y];
        values.insert(row + rect.m_left, row + rect.m_right);
    }
    return values;
}

std::vector<uint16_t> Pixels(const CFrame& frame, const CIntRect& rect)
{
    std::vector<uint16_t> pixels;
    for (int32_t y = rect.m_top; y < rect.m_bottom; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(frame.GetPixels()) + frame.GetRowOffsets()[y];
        pixels.insert(pixels.end(), row + rect.m_left, row + rect.m_right);
    }
    return pixels;
}

// The sequences the clip's records named so far (each named once, on its first use).
void AddNamedSequences(CDemoRecorder& recorder, std::set<std::string>& names)
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    CReplayIndexMap& references = recorder.GetStream()->GetReadingReferences();
    for (uint32_t i = 0; i < references.GetTableSize(&sequences); ++i) {
        const int32_t local = references.GetLocalIndex(&sequences, i);
        if (local >= 0)
            names.insert(sequences.GetItemName(static_cast<uint32_t>(local)));
    }
}

size_t CountStartingWith(const std::set<std::string>& names, const std::string& prefix, const std::string& suffix = "")
{
    return static_cast<size_t>(std::count_if(names.begin(), names.end(), [&](const std::string& name) {
        return name.starts_with(prefix) && name.ends_with(suffix);
    }));
}

class ShippedDemos : public GameFixture
{
};

} // namespace

TEST_F(ShippedDemos, DataSetShipsExactlyTheListedClips)
{
    const std::vector<ListedClip> listed = ReadClipList();
    ASSERT_GE(listed.size(), 3u) << kClipList;
    std::vector<std::string> expected, shipped;
    for (const ListedClip& clip : listed)
        expected.push_back(clip.file);
    CFilePlayList& demos = GetDemoFileList();
    for (uint32_t i = 0; i < demos.GetCount(); ++i)
        shipped.emplace_back(demos.GetNameAt(i));
    std::sort(expected.begin(), expected.end());
    std::sort(shipped.begin(), shipped.end());
    EXPECT_EQ(shipped, expected);
}

TEST_F(ShippedDemos, EveryClipPlaysFrameByFrameToTheEndOfItsStream)
{
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    CFilePlayList& demos = GetDemoFileList();
    ASSERT_GT(demos.GetCount(), 0u);
    ASSERT_FALSE(ReadClipList().empty()) << kClipList;
    const CIntRect field = m_game->GetPlayfield()->GetFieldRect();
    for (const ListedClip& clip : ReadClipList()) {
        SCOPED_TRACE(clip.file);
        CCommercial commercial;
        for (uint32_t i = 0; i < demos.GetCount(); ++i)
            if (clip.file == demos.GetNameAt(i))
                commercial.AddClip(i);
        ASSERT_EQ(commercial.GetClipCount(), 1u);
        m_game->GoToMainMenu();
        Step();
        m_game->StartDemo(&commercial);
        ASSERT_TRUE(recorder->IsPlaying());

        uint32_t frames = 0;
        bool usedUpAtAFrameEnd = false;
        size_t mostColours = 0;
        std::vector<uint16_t> earlier;
        bool moved = false;
        std::set<std::string> named;
        while (recorder->IsPlaying() && frames <= clip.frames) {
            // Every frame ends with its end record: once the stream is used up, the next draw
            // finds nothing to play and the demo ends there.
            if (!recorder->GetStream()->HasBytesLeft(1)) {
                usedUpAtAFrameEnd = true;
                Step();
                break;
            }
            Step();
            ++frames;
            AddNamedSequences(*recorder, named);
            const CFrame& shown = *m_game->GetBackBuffer();
            mostColours = std::max(mostColours, PixelValues(shown, field).size());
            if (frames % 60 == 0) {
                const std::vector<uint16_t> now = Pixels(shown, field);
                moved = moved || (!earlier.empty() && now != earlier);
                earlier = now;
            }
        }
        EXPECT_TRUE(usedUpAtAFrameEnd) << "after " << frames << " frames";
        EXPECT_FALSE(recorder->IsPlaying());
        EXPECT_GE(frames, std::min(kShortestClip, clip.frames));
        EXPECT_LE(frames, clip.frames);
        // The field was drawn from the clip (the live playfield holds nothing during a demo), and
        // it moved.
        EXPECT_GT(mostColours, 200u);
        EXPECT_TRUE(moved);
        // The clip draws the bricks' own looks, the machine that lays them, and bricks breaking.
        EXPECT_GE(CountStartingWith(named, "Brick Looks/"), 1u);
        EXPECT_GE(CountStartingWith(named, "Brick Looks/", " Breaking"), 1u);
        EXPECT_GT(CountStartingWith(named, "Brick Looks/") - CountStartingWith(named, "Brick Looks/", " Breaking"), 0u);
        EXPECT_EQ(named.count("Brick Layer/Carriage"), 1u);
        EXPECT_EQ(named.count("Brick Layer/Bar"), 1u);
        // The end of the demo leads back to the menu.
        EXPECT_TRUE(m_game->IsInMenu());
        EXPECT_EQ(m_game->GetCurrentCommercial(), nullptr);
    }
}

TEST_F(ShippedDemos, CommercialsNameShippedClips)
{
    CCommercialCollection& commercials = CCommercialCollection::GetInstance();
    ASSERT_GE(commercials.GetCount(), 2u);
    const int intro = commercials.FindIndexByName("1 Intro", -1);
    ASSERT_GE(intro, 0);
    const CCommercial* show = commercials.GetCommercial(static_cast<uint32_t>(intro));
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->GetClipCount(), 2u);
    EXPECT_EQ(show->GetLineCount(), 3u);
    for (uint32_t i = 0; i < commercials.GetCount(); ++i) {
        const CCommercial* commercial = commercials.GetCommercial(i);
        ASSERT_NE(commercial, nullptr) << commercials.GetItemName(i);
        EXPECT_GE(commercial->GetClipCount(), 1u) << commercials.GetItemName(i);
    }
}
#endif
