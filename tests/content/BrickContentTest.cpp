// The data set's bricks and layouts as the game reads them from the mounted archives: every
// brick type of its type, every layout building its round with the bricks it was drawn with, and
// a shipped layout saved again unchanged.
#include "BrickContent.h"
#include "DrawnRounds.h"
#include "ContentTestSupport.h"
#include "../foundation/FileTestHelpers.h"
#include "../foundation/ZipTestHelpers.h"
#include "foundation/MountArchives.h"
#include "game/Playfield.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickLayoutCollection.h"
#include "game/rounds/RoundSet.h"
#include "game/rounds/RoundSetCollection.h"
#include "game/sprites/Sprite.h"
#include "graphics/FrameCollection.h"
#include "graphics/ScreenMode.h"
#include "graphics/SequenceCollection.h"
#include "sound/SoundList.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using contenttest::BuiltDataFolder;

class ShippedBricks : public testing::Test
{
protected:
    void SetUp() override
    {
        fs::copy(BuiltDataFolder() / "Data", m_work.Path() / "Data", fs::copy_options::recursive);
        MountArchivesWithProgramFile(nullptr, "Data", true, false);
        CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
        // What the backgrounds name: their sequences, pictures and songs.
        m_savedDepth = GetDisplayBitsPerPixel();
        SetDisplayBitsPerPixel(16);
        CSequenceCollection::GetInstance().SetUpAtStartUp();
        CFrameCollection::GetInstance().SetUpAtStartUp();
        contenttest::LoadMusicList("Music/");
        CBrickInfoCollection::GetInstance().SetUpAtStartUp();
        CBackgroundCollection::GetInstance().SetUpAtStartUp();
        CBrickLayoutCollection::GetInstance().SetUpAtStartUp();
        SetPlayfield(&m_playfield);
    }
    void TearDown() override
    {
        SetPlayfield(nullptr);
        m_playfield.GetBricks().DeleteAll();
        CBrickLayoutCollection::GetInstance().FreeEntries();
        CBackgroundCollection::GetInstance().FreeEntries();
        CBrickInfoCollection::GetInstance().FreeEntries();
        CSoundList::GetInstance().FreeEntries();
        contenttest::LoadMusicList("No Music/");
        CFrameCollection::GetInstance().FreeEntries();
        CSequenceCollection::GetInstance().FreeEntries();
        SetDisplayBitsPerPixel(m_savedDepth);
    }
    int32_t m_savedDepth = 16;

    // The count of bricks of each type in the playfield, as "type:count" pairs in type order.
    std::string CountTypes()
    {
        std::map<uint32_t, int> counts;
        for (CSprite* s = m_playfield.GetBricks().GetHead(); s; s = s->GetNext())
            ++counts[CBrickAI::Of(s)->GetBrickType()];
        std::string text;
        for (const auto& [type, count] : counts)
            text += std::to_string(type) + ":" + std::to_string(count) + " ";
        return text;
    }

    filetest::WorkFolder m_work;
    ziptest::MountGuard m_unmount;
    CPlayfield m_playfield;
};

TEST_F(ShippedBricks, EveryBrickTypeIsOfItsOwnType)
{
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    const std::vector<std::string> names = GetBrickContentNames();
    ASSERT_EQ(bricks.GetCount(), names.size());
    EXPECT_STREQ(bricks.GetEntry(0)->GetName(), "!None");
    for (uint32_t type = 0; type < kBrickTypeCount; ++type) {
        const int index = bricks.FindIndexByName(names[type + 1].c_str(), -1);
        ASSERT_GT(index, 0) << names[type + 1];
        CBrickInfo* brick = bricks.GetBrickInfo(static_cast<uint32_t>(index));
        ASSERT_NE(brick, nullptr) << names[type + 1];
        EXPECT_EQ(brick->GetBrickType(), type);
        EXPECT_EQ(brick->m_destroyedSound,
                  static_cast<uint32_t>(CSoundList::GetInstance().FindSoundIndex("Pop Brick.wav", -1)));
    }
    EXPECT_GT(CBackgroundCollection::GetInstance().FindIndexByName("Space", -1), 0);
}

TEST_F(ShippedBricks, EveryLayoutBuildsTheRoundItWasDrawnWith)
{
    CBrickLayoutCollection& layouts = CBrickLayoutCollection::GetInstance();
    const struct
    {
        const char* name;
        uint32_t bricks;
        const char* types;
    } rounds[] = {{"Rounds/One Brick", 1, "0:1 "},
                  // Rows of 15 and 14 bricks in bands.
                  {"Rounds/Full Grid", 145, "0:72 1:15 3:14 6:15 7:29 "},
                  {"Rounds/Moving Parts", 30, "0:23 2:1 10:4 12:1 16:1 "}};
    ASSERT_EQ(layouts.GetCount(), GetLayoutContentNames().size() + GetDrawnLayoutNames().size());
    for (const auto& round : rounds) {
        const int index = layouts.FindIndexByName(round.name, -1);
        ASSERT_GT(index, 0) << round.name;
        CBrickLayout* layout = layouts.GetLayout(static_cast<uint32_t>(index));
        ASSERT_NE(layout, nullptr) << round.name;
        layout->BuildRound(true);
        EXPECT_EQ(m_playfield.GetBricks().Count(), round.bricks) << round.name;
        EXPECT_EQ(CountTypes(), round.types) << round.name;
        CBackgroundCollection& backgrounds = CBackgroundCollection::GetInstance();
        EXPECT_EQ(m_playfield.GetBackground(),
                  backgrounds.GetBackground(static_cast<uint32_t>(backgrounds.FindIndexByName("Space", -1))));
        // Every brick lies inside the area bricks move in.
        for (CSprite* s = m_playfield.GetBricks().GetHead(); s; s = s->GetNext())
            EXPECT_TRUE(IsInBrickMovableArea(s->GetPosition())) << round.name;
    }
}

TEST_F(ShippedBricks, TheClassicSetComesFirstWithTenRoundsAndCheckPointsAtTheFirstAndSixth)
{
    CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    sets.SetUpAtStartUp();
    ASSERT_EQ(sets.GetCount(), 2u);
    EXPECT_STREQ(sets.GetItemName(0), "Classic");
    const CRoundSet* classic = sets.GetSet(0);
    ASSERT_NE(classic, nullptr);
    const std::vector<std::string> rounds = {"One Brick", "Pyramid", "Checkers", "Full Grid", "Diamond",
                                             "Columns",   "Waves",   "Fortress", "Moving Parts", "Invader"};
    ASSERT_EQ(classic->GetRoundCount(), rounds.size());
    CBrickLayoutCollection& layouts = CBrickLayoutCollection::GetInstance();
    for (uint32_t i = 0; i < rounds.size(); ++i)
        EXPECT_EQ(std::string(layouts.GetItemName(classic->GetLayoutIndex(i))), "Rounds/" + rounds[i]);
    ASSERT_EQ(classic->GetCheckPointCount(), 2u);
    EXPECT_EQ(classic->GetCheckPoint(0), 0u);
    EXPECT_EQ(classic->GetCheckPoint(1), 5u);
    // The second set's ten rounds follow in a game.
    EXPECT_EQ(CPlayfield::GetTotalRoundCount(), 20u);

    // Drawn layouts lay a brick per letter of their maps, on their own backgrounds.
    const struct
    {
        const char* name;
        uint32_t bricks;
        const char* background;
    } drawn[] = {{"Rounds/Pyramid", 49, "Space"}, {"Rounds/Checkers", 45, "Deep Sea"}};
    CBackgroundCollection& backgrounds = CBackgroundCollection::GetInstance();
    for (const auto& round : drawn) {
        CBrickLayout* layout = layouts.GetLayout(static_cast<uint32_t>(layouts.FindIndexByName(round.name, -1)));
        ASSERT_NE(layout, nullptr) << round.name;
        layout->BuildRound(true);
        EXPECT_EQ(m_playfield.GetBricks().Count(), round.bricks) << round.name;
        EXPECT_EQ(m_playfield.GetBackground(),
                  backgrounds.GetBackground(static_cast<uint32_t>(backgrounds.FindIndexByName(round.background, -1))))
            << round.name;
    }
    m_playfield.GetBackgroundSprites().DeleteAll();
    m_playfield.GetForeground().DeleteAll();
    sets.FreeEntries();
}

} // namespace
