// The data set's backgrounds as the game reads them from the mounted archives: their pictures,
// music and generators name what the data set holds, and their decorations come to life.
#include "MountedDataSet.h"
#include "game/bricks/BackgroundDefinition.h"
#include "game/bricks/BackgroundSpriteGenerator.h"
#include "game/creatures/FishAI.h"
#include "game/creatures/PlanktonAI.h"
#include "game/creatures/RandomDebrisAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/SpriteList.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/ScreenMode.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "sound/MusicList.h"
#include "sound/MusicMixerData.h"

#include <memory>
#include <string>

namespace {

class ShippedBackgrounds : public MountedDataSet
{
protected:
    void SetUp() override
    {
        MountedDataSet::SetUp();
        m_savedDepth = GetDisplayBitsPerPixel();
        SetDisplayBitsPerPixel(16);
        CSequenceCollection::GetInstance().SetUpAtStartUp();
        CFrameCollection::GetInstance().SetUpAtStartUp();
        contenttest::LoadMusicList("Music/");
    }
    void TearDown() override
    {
        m_foreground.DeleteAll();
        m_background.DeleteAll();
        contenttest::LoadMusicList("No Music/");
        CFrameCollection::GetInstance().FreeEntries();
        CSequenceCollection::GetInstance().FreeEntries();
        SetDisplayBitsPerPixel(m_savedDepth);
    }
    static std::unique_ptr<CBackgroundDefinition> Load(const char* name)
    {
        CObject* object = CObject::CreateFromFile((std::string("Resources/") + name + ".Background").c_str(), 0,
                                                  false, nullptr);
        auto* background = dynamic_cast<CBackgroundDefinition*>(object);
        if (!background)
            delete object;
        return std::unique_ptr<CBackgroundDefinition>(background);
    }
    static std::string SequenceName(uint32_t index)
    {
        return CSequenceCollection::GetInstance().GetItemName(index);
    }
    static std::string SongName(uint32_t index) { return CMusicList::GetInstance().GetNameAt(index); }

    int32_t m_savedDepth = 16;
    CSpriteList m_foreground;
    CSpriteList m_background;
};

TEST_F(ShippedBackgrounds, SpaceHasItsPicturesMusicAndCreatures)
{
    const std::unique_ptr<CBackgroundDefinition> space = Load("Space");
    ASSERT_NE(space, nullptr);
    EXPECT_TRUE(space->m_hasShadows);
    CFrameCollection& frames = CFrameCollection::GetInstance();
    EXPECT_STREQ(frames.GetItemName(0), "!None");
    EXPECT_STREQ(frames.GetItemName(space->m_backgroundFrame), "Backgrounds/Space");
    auto* backdrop = dynamic_cast<CFrame*>(frames.GetItem(space->m_backgroundFrame));
    ASSERT_NE(backdrop, nullptr);
    EXPECT_EQ(backdrop->GetWidth(), 640u);
    EXPECT_EQ(backdrop->GetHeight(), 480u);
    EXPECT_EQ(SequenceName(space->m_midgroundSequence), "Space Midground");
    EXPECT_EQ(space->m_foregroundSequence, 0u);
    ASSERT_NE(space->m_music, nullptr);
    EXPECT_EQ(SongName(space->m_music->GetSong(0)), "SpaceRumble fast.ogg");
    EXPECT_EQ(SongName(space->m_music->GetSong(1)), "Space/SpaceRumble norm.ogg");
    EXPECT_EQ(SongName(space->m_music->GetSong(2)), "Space/SpaceRumble slow.ogg");

    ASSERT_EQ(space->GetGeneratorCount(), 2u);
    EXPECT_NE(dynamic_cast<CRandomDebrisAI*>(space->GetGenerator(0)->m_type), nullptr);
    EXPECT_NE(dynamic_cast<CPlanktonAI*>(space->GetGenerator(1)->m_type), nullptr);
    EXPECT_EQ(space->CreateDecorations(m_foreground, m_background, 1), 0u);
    EXPECT_EQ(space->CreateDecorations(m_foreground, m_background, 2), 34u);
    EXPECT_EQ(m_background.Count(), 10u);
    EXPECT_EQ(m_foreground.Count(), 24u);
    // Every decoration shows a drawn frame of its sequence.
    for (CSpriteList* list : {&m_foreground, &m_background})
        for (CSprite* sprite = list->GetHead(); sprite; sprite = sprite->GetNext()) {
            auto* animated = static_cast<CAnimatedSprite*>(sprite);
            ASSERT_NE(animated->GetSlot(0)->GetSequence(), nullptr);
            EXPECT_NE(animated->GetCurrentFrame(), nullptr);
        }
}

TEST_F(ShippedBackgrounds, DeepSeaHasFishSwimmingBothWays)
{
    const std::unique_ptr<CBackgroundDefinition> sea = Load("Deep Sea");
    ASSERT_NE(sea, nullptr);
    EXPECT_STREQ(CFrameCollection::GetInstance().GetItemName(sea->m_backgroundFrame), "Backgrounds/Deep Sea");
    ASSERT_EQ(sea->GetGeneratorCount(), 2u);
    auto* fish = dynamic_cast<CFishAI*>(sea->GetGenerator(0)->m_type);
    ASSERT_NE(fish, nullptr);
    EXPECT_EQ(SequenceName(fish->m_leftSequenceIndex), "Fish Left");
    EXPECT_EQ(SequenceName(fish->m_rightSequenceIndex), "Fish Right");
    CSequence* left = CSequenceCollection::GetInstance().FindSequence("Fish Left");
    CSequence* right = CSequenceCollection::GetInstance().FindSequence("Fish Right");
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    ASSERT_EQ(left->GetFrameCount(), 4u);
    ASSERT_EQ(sea->CreateDecorations(m_foreground, m_background, 2), 36u);
    EXPECT_EQ(m_foreground.Count(), 0u);
    for (CSprite* sprite = m_background.GetHead(); sprite; sprite = sprite->GetNext()) {
        auto* animated = static_cast<CAnimatedSprite*>(sprite);
        if (!dynamic_cast<CFishAI*>(sprite->GetBehaviours()))
            continue;
        // Each fish shows the sequence of the way it swims.
        EXPECT_EQ(animated->GetSlot(0)->GetSequence(), sprite->GetVelocity().m_x < 0 ? left : right);
    }
}

} // namespace
