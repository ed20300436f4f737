// The demo clips the data set ships, played by the game over the built data: the set holds exactly
// the listed clips, each plays frame by frame to the very end of its stream and shows a moving
// field that shows bricks laid by the machine and broken, and the commercials name them; after a
// game, the bricks each clip was recorded to break, a power-up caught, and no values on the panel.
#include "GameFixture.h"

#include "app/ReplayIndexMap.h"
#include "app/ReplayStream.h"
#include "game/Playfield.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "platform/Events.h"
#include "shell/DemoBot.h"
#include "shell/DeveloperScript.h"
#include "shell/MainMenuWindow.h"
#include "shell/stats/Stats.h"
#include "sound/SoundList.h"
#include "ui/ScreenWindow.h"

#include <algorithm>
#include <bitset>
#include <fstream>
#include <map>
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
    uint32_t bricks = 0;
    bool powerUp = false;
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
        uint32_t difficulty = 0, set = 0, round = 0, seed = 0;
        if (line.empty() || line[0] == '#' ||
            !(words >> clip.file >> difficulty >> set >> round >> clip.bricks >> clip.powerUp >> clip.frames >> seed))
            continue;
        clips.push_back(clip);
    }
    return clips;
}

// How many distinct pixel values the rectangle of the 16-bit frame holds.
size_t CountPixelValues(const CFrame& frame, const CIntRect& rect)
{
    std::bitset<65536> values;
    for (int32_t y = rect.m_top; y < rect.m_bottom; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(frame.GetPixels()) + frame.GetRowOffsets()[y];
        for (int32_t x = rect.m_left; x < rect.m_right; ++x)
            values.set(row[x]);
    }
    return values.count();
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

// The items of the collection (sequences, sounds) the clip's records named so far.
void AddNamedItems(CDemoRecorder& recorder, const CItemList& collection, std::set<std::string>& names)
{
    CReplayIndexMap& references = recorder.GetStream()->GetReadingReferences();
    for (uint32_t i = 0; i < references.GetTableSize(&collection); ++i) {
        const int32_t local = references.GetLocalIndex(&collection, i);
        if (local >= 0)
            names.insert(collection.GetItemName(static_cast<uint32_t>(local)));
    }
}

size_t CountStartingWith(const std::set<std::string>& names, const std::string& prefix, const std::string& suffix = "")
{
    return static_cast<size_t>(std::count_if(names.begin(), names.end(), [&](const std::string& name) {
        return name.starts_with(prefix) && name.ends_with(suffix);
    }));
}

// The effects broken bricks leave where they lay: every brick type's "Destroyed Seq".
std::set<const CSequence*> BrokenBrickEffects()
{
    std::set<const CSequence*> effects;
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    for (uint32_t i = 1; i < bricks.GetCount(); ++i)
        if (const CBrickInfo* info = bricks.GetBrickInfo(i))
            effects.insert(CBrickInfo::GetSequence(info->m_destroyedSequence));
    effects.erase(nullptr);
    return effects;
}

// What only a caught power-up plays (the bomb, which blows the ship up, aside).
const std::set<std::string> kCatchSounds = {
    dataname::sound::kSlow,       dataname::sound::kFast,      dataname::sound::kCatcher,
    dataname::sound::kFireBall,   dataname::sound::kMultiply3, dataname::sound::kMultiply8,
    dataname::sound::kGunDeploy,  dataname::sound::kBigGun,    dataname::sound::kRailBall,
    dataname::sound::kNormalBall, dataname::sound::kSmallBall, dataname::sound::kExtraBall,
    dataname::sound::kSnapOnLarger, dataname::sound::kSnapOnSmaller};

class ShippedDemos : public GameFixture
{
protected:
    // The left button pressed and let go over the window of that text in the top modal window.
    void Click(const char* text)
    {
        CJWindow* top = m_game->GetScreenWindow();
        while (top->GetModalWindow())
            top = top->GetModalWindow();
        const CJWindow* window = CDeveloperScript::FindWindowByText(top, text);
        ASSERT_NE(window, nullptr) << text;
        const CIntRect& r = window->GetVisibleRect();
        for (const auto type : {platform::EventType::MouseMove, platform::EventType::MouseDown,
                                platform::EventType::MouseUp}) {
            platform::PostEvent(platform::Event::Mouse(type, (r.m_left + r.m_right) / 2, (r.m_top + r.m_bottom) / 2,
                                                       platform::kMouseLeft));
            Step(type == platform::EventType::MouseUp ? 30 : 1);
        }
    }
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
            AddNamedItems(*recorder, CSequenceCollection::GetInstance(), named);
            const CFrame& shown = *m_game->GetBackBuffer();
            mostColours = std::max(mostColours, CountPixelValues(shown, field));
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

TEST_F(ShippedDemos, AfterAGameEveryClipBreaksBricksEachCommercialCatchesAPowerUpAndThePanelHoldsNoValues)
{
    CCommercialCollection& commercials = CCommercialCollection::GetInstance();
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    ASSERT_GE(commercials.GetCount(), 1u);
    m_game->GoToMainMenu();
    Step(60);
    // The side panel below its messages and above its advertisement, in a demo before any game.
    constexpr CIntRect kPanelRows{524, 140, 640, 337};
    m_game->StartDemo(commercials.GetCommercial(0));
    Step(2);
    const std::vector<uint32_t> withoutValues = ShownColors(kPanelRows);
    recorder->Stop();
    // A game the bot plays until it has points, ended as "Abort" ends it; its verdict closed.
    CMainMenuWindow::CloseOpen();
    m_game->StartNewGame(1, 0);
    CDemoBot bot(3);
    for (int i = 0; i < 60 * 60 && m_game->GetScore() == 0; ++i) {
        bot.Step(*m_game->GetPlayfield());
        Step();
    }
    m_game->GetPlayfield()->EndGame(0);
    Step(3);
    Click("Close");
    ASSERT_EQ(m_game->GetStats()->GetAllPlayersTotals().GetGamesFinished(), 1u);
    // "Show Demo" in the options menu once the menu's buttons rest; then the other commercials.
    Step(120);
    Click("&Options");
    Click("Sho&w Demo");
    CCommercial* asked = m_game->GetCurrentCommercial();
    ASSERT_NE(asked, nullptr);
    std::vector<CCommercial*> shows{asked};
    for (uint32_t i = 0; i < commercials.GetCount(); ++i)
        if (commercials.GetCommercial(i) != asked)
            shows.push_back(commercials.GetCommercial(i));

    const std::set<const CSequence*> brokenBrickEffects = BrokenBrickEffects();
    const std::vector<ListedClip> listed = ReadClipList();
    for (CCommercial* commercial : shows) {
        SCOPED_TRACE(commercials.GetItemName(static_cast<uint32_t>(commercials.FindLoadedObjectIndex(commercial))));
        if (commercial != asked)
            m_game->StartDemo(commercial);
        // Where each clip's bytes end in the commercial's one stream, and what it was recorded for.
        std::vector<uint32_t> clipEnds;
        std::vector<ListedClip> clips;
        for (uint32_t i = 0; i < commercial->GetClipCount(); ++i) {
            const std::string name = GetDemoFileList().GetNameAt(commercial->GetClip(i));
            const auto found = std::ranges::find(listed, name, &ListedClip::file);
            ASSERT_NE(found, listed.end()) << name;
            clips.push_back(*found);
            const auto bytes = std::filesystem::file_size(m_folder.Path() / "Data/Resources" / name);
            clipEnds.push_back((clipEnds.empty() ? 0u : clipEnds.back()) + static_cast<uint32_t>(bytes));
        }
        // The places of the bricks broken, each in the clip it was first seen in; the sounds played.
        std::map<std::pair<int32_t, int32_t>, size_t> broken;
        std::set<std::string> sounds;
        for (uint32_t frame = 0; recorder->IsPlaying() && frame < 60 * 60 * 5; ++frame) {
            Step();
            const uint32_t read = recorder->GetStream()->GetReadPosition();
            const auto clip = static_cast<size_t>(std::ranges::lower_bound(clipEnds, read) - clipEnds.begin());
            ASSERT_LT(clip, clips.size());
            const CSpriteList& effects = m_game->GetPlayfield()->GetForeground();
            for (const CSprite* sprite = effects.GetHead(); sprite; sprite = sprite->GetNext())
                if (brokenBrickEffects.count(sprite->GetSequence()))
                    broken.emplace(std::pair{sprite->GetIntPosition().m_x, sprite->GetIntPosition().m_y}, clip);
            AddNamedItems(*recorder, CSoundList::GetInstance(), sounds);
            if (frame % 50 == 1) {
                ASSERT_EQ(ShownColors(kPanelRows), withoutValues) << "frame " << frame;
            }
        }
        EXPECT_TRUE(m_game->IsInMenu());
        for (size_t i = 0; i < clips.size(); ++i) {
            const auto bricks = std::ranges::count_if(broken, [i](const auto& hit) { return hit.second == i; });
            EXPECT_GE(static_cast<uint32_t>(bricks), clips[i].bricks) << clips[i].file;
        }
        EXPECT_TRUE(std::ranges::any_of(sounds, [](const std::string& sound) { return kCatchSounds.count(sound); }));
    }
}
#endif
