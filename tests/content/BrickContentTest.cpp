// The data set's bricks and rounds as the game reads them from the mounted archives: every brick
// type of its type with its own look, and twenty rounds that lay them all.
#include "BrickContent.h"
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
#include "game/bricks/BrickType.h"
#include "objects/EnumTable.h"
#include "game/rounds/RoundSet.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/rounds/RoundSetCollection.h"
#include "game/sprites/Sprite.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Color.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/Sequence.h"
#include "graphics/ScreenMode.h"
#include "graphics/SequenceCollection.h"
#include "sound/SoundList.h"

#include <gtest/gtest.h>

#include <set>

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
        CParticleGeneratorCollection::GetInstance().SetUpAtStartUp();
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
        CParticleGeneratorCollection::GetInstance().FreeEntries();
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
        // The explosives and the metal go with a bang, every other brick with a pop.
        const bool bangs = type == kBrickExploding || type == kBrickDetonator || type == kBrickIndestructible ||
                           type == kBrickShredder;
        EXPECT_EQ(brick->m_destroyedSound, static_cast<uint32_t>(CSoundList::GetInstance().FindSoundIndex(
                                               bangs ? "Brick Explode.wav" : "Pop Brick.wav", -1)));
    }
    EXPECT_GT(CBackgroundCollection::GetInstance().FindIndexByName("Space", -1), 0);
}

// The brick drawn on a plain 16-bit field of one colour, about its hot spot in the middle.
std::vector<uint32_t> RenderLook(const CSequence& look, uint32_t frame = 0)
{
    CFrame field;
    field.Create(48, 30, 16);
    CColor background;
    background.Set(20, 30, 60);
    field.FillWithColor(background);
    field.DrawFrameAt(look.GetFrame(frame), 24, 15, &g_transparentMaskBlitter);
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 48; ++x)
            pixels.push_back(field.GetRawPixel(x, y));
    return pixels;
}

size_t CountDifferent(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    size_t different = 0;
    for (size_t i = 0; i < a.size(); ++i)
        different += a[i] != b[i];
    return different;
}

TEST_F(ShippedBricks, EveryTypeHasItsOwnLookSoundsAndBreaking)
{
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    CSoundList& sounds = CSoundList::GetInstance();
    const std::vector<std::string> names = GetBrickContentNames();
    std::vector<std::vector<uint32_t>> looks;
    for (uint32_t type = 0; type < kBrickTypeCount; ++type) {
        SCOPED_TRACE(names[type + 1]);
        CBrickInfo* brick = bricks.GetBrickInfo(static_cast<uint32_t>(bricks.FindIndexByName(names[type + 1].c_str(), -1)));
        ASSERT_NE(brick, nullptr);
        const CSequence* primary = brick->GetPrimarySequence();
        ASSERT_NE(primary, nullptr);
        // The look covers the brick's outline, 32 x 18 about its position, and no more.
        for (uint32_t frame = 0; frame < primary->GetFrameCount(); ++frame) {
            CIntRect bounds;
            primary->GetFrame(frame)->GetBounds(bounds);
            EXPECT_EQ(bounds, (CIntRect{-16, -9, 16, 9})) << frame;
        }
        looks.push_back(RenderLook(*primary));

        // The 3-hit kinds look worse with every hit; the toggles show the other state's look.
        const bool threeHit = type == kBrick3Hit || type == kBrick3HitBottom || type == kBrick3HitTop;
        const bool toggle = type == kBrickOffOn || type == kBrickOnOff;
        EXPECT_EQ(brick->m_sequence2 != 0, threeHit || toggle);
        EXPECT_EQ(brick->m_sequence3 != 0, threeHit);
        if (threeHit) {
            const auto second = RenderLook(*CBrickInfo::GetSequence(brick->m_sequence2));
            const auto third = RenderLook(*CBrickInfo::GetSequence(brick->m_sequence3));
            EXPECT_GT(CountDifferent(looks.back(), second), 20u);
            EXPECT_GT(CountDifferent(second, third), 20u);
        }

        // Every brick that can go leaves its breaking and its chips behind.
        const bool breaks = type != kBrickObstacle;
        EXPECT_EQ(brick->m_destroyedSequence != 0, breaks);
        if (breaks) {
            EXPECT_GT(CBrickInfo::GetSequence(brick->m_destroyedSequence)->GetFrameCount(), 4u);
        }
        EXPECT_EQ(brick->GetBreakParticleGenerator() != nullptr, breaks);
        EXPECT_EQ(brick->m_breakParticleTypeCount != 0, breaks);
        for (uint32_t i = 0; i < brick->m_breakParticleTypeCount; ++i)
            EXPECT_NE(brick->m_breakParticleTypes[i].GetSequence(), nullptr) << i;

        // A brick that a hit may leave standing answers with its own sound; the 3-hit kinds crack.
        const bool struck = !IsNeededBrickType(type) || type == kBrickIndestructibleTop ||
                            type == kBrickIndestructibleBottom || threeHit;
        EXPECT_EQ(brick->m_indestructibleSound != 0, struck);
        EXPECT_EQ(brick->m_damagedSound != 0, threeHit);
        for (uint32_t sound : {brick->m_indestructibleSound, brick->m_damagedSound, brick->m_destroyedSound})
            EXPECT_LT(sound, static_cast<uint32_t>(sounds.GetCount()));
    }
    // Distinct at a glance: every two types differ in a good part of their pixels.
    for (uint32_t a = 0; a < kBrickTypeCount; ++a)
        for (uint32_t b = a + 1; b < kBrickTypeCount; ++b)
            EXPECT_GT(CountDifferent(looks[a], looks[b]), 32u * 18u / 10u) << names[a + 1] << " / " << names[b + 1];
    // The toggles turn into each other.
    auto toggle = [&](uint32_t type) {
        return bricks.GetBrickInfo(static_cast<uint32_t>(bricks.FindIndexByName(names[type + 1].c_str(), -1)));
    };
    EXPECT_EQ(toggle(kBrickOffOn)->m_sequence2, toggle(kBrickOnOff)->m_primarySequence);
    EXPECT_EQ(toggle(kBrickOnOff)->m_sequence2, toggle(kBrickOffOn)->m_primarySequence);
}

// The round sets' twenty layouts, built as a game builds them: none played twice, each its own
// arrangement, name and scenery, all brick types laid, inside the area bricks move in.
TEST_F(ShippedBricks, TwentyDistinctRoundsLayEveryBrickType)
{
    CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    sets.SetUpAtStartUp();
    ASSERT_EQ(sets.GetCount(), 2u);
    EXPECT_STREQ(sets.GetItemName(0), "Classic");
    EXPECT_STREQ(sets.GetItemName(1), "Expert");
    EXPECT_EQ(CPlayfield::GetTotalRoundCount(), 20u);
    CBrickLayoutCollection& layouts = CBrickLayoutCollection::GetInstance();
    CBackgroundCollection& backgrounds = CBackgroundCollection::GetInstance();
    std::set<uint32_t> played;
    std::set<std::string> names, arrangements;
    std::set<uint32_t> typesLaid;
    for (uint32_t s = 0; s < sets.GetCount(); ++s) {
        const CRoundSet* set = sets.GetSet(s);
        ASSERT_NE(set, nullptr) << s;
        EXPECT_EQ(set->GetRoundCount(), 10u) << sets.GetItemName(s);
        for (uint32_t r = 0; r < set->GetRoundCount(); ++r) {
            const uint32_t index = set->GetLayoutIndex(r);
            SCOPED_TRACE(layouts.GetItemName(index));
            EXPECT_TRUE(played.insert(index).second) << "played twice";
            CBrickLayout* layout = layouts.GetLayout(index);
            ASSERT_NE(layout, nullptr);
            layout->BuildRound(true);
            EXPECT_TRUE(names.insert(layout->GetDisplayName().CStr()).second) << layout->GetDisplayName().CStr();
            EXPECT_NE(m_playfield.GetBackground(), backgrounds.GetBackground(0)) << "no scenery";
            std::string arrangement;
            for (CSprite* brick = m_playfield.GetBricks().GetHead(); brick; brick = brick->GetNext()) {
                const CBrickAI* ai = CBrickAI::Of(brick);
                ASSERT_NE(ai, nullptr);
                typesLaid.insert(ai->GetBrickType());
                EXPECT_TRUE(IsInBrickMovableArea(brick->GetPosition()))
                    << brick->GetPosition().m_x << "," << brick->GetPosition().m_y;
                arrangement += std::to_string(ai->GetBrickType()) + "@" + std::to_string(brick->GetIntPosition().m_x) +
                               "," + std::to_string(brick->GetIntPosition().m_y) + " ";
            }
            EXPECT_GE(m_playfield.GetBricks().Count(), 20u);
            EXPECT_TRUE(arrangements.insert(arrangement).second) << "laid like another round";
            m_playfield.GetBackgroundSprites().DeleteAll();
            m_playfield.GetForeground().DeleteAll();
        }
    }
    EXPECT_EQ(played.size(), 20u);
    for (uint32_t type = 0; type < kBrickTypeCount; ++type)
        EXPECT_EQ(typesLaid.count(type), 1u) << GetBrickTypeTable().GetItemName(type) << " is laid in no round";
    sets.FreeEntries();
}

} // namespace
