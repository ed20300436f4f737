// Backgrounds: a definition written by hand with its layers, shadows, music and generators, the
// decorations its generators make (only at detail level 2, each sprite with its own copy of the
// generator's behaviour), and the engine's own text read back.
#include "WorldTestSupport.h"

#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BackgroundDefinition.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BackgroundSpriteGenerator.h"
#include "game/creatures/FishAI.h"
#include "game/creatures/PlanktonAI.h"
#include "game/creatures/RandomDebrisAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "graphics/FrameCollection.h"
#include "foundation/FileSearchSpec.h"
#include "sound/MusicList.h"
#include "sound/MusicMixerData.h"

#include <set>

using namespace worldtest;

namespace {

// Three generators: plankton into the background, a fish into the foreground that is written
// without a count, and one without a behaviour.
const char* const kSea = "CBackgroundDefinition\n{\n"
                         "\tDraw Shadows=1\n\tShadow Offset=6,-4\n\tForeground Image=Mid\n"
                         "\tMidground Image=Flash\n\tBackground Sprites=1\n\tBackground Image=Backdrop\n"
                         "\tMusic Tracks=CMusicMixerData\n\t{\n\t\tNum Seconds To Switch=2.5\n\t\tFull Mix Song=Space.ogg\n\t}\n"
                         "\tSprite Generators=Array\n\t{\n\t\tItem Count=3\n"
                         "\t\tGenerator=CBackgroundSpriteGenerator\n\t\t{\n"
                         "\t\t\tType=CPlanktonAI\n\t\t\t{\n\t\t\t\tSequence=Spark\n\t\t\t\tMax Speed=7\n\t\t\t}\n"
                         "\t\t\tCount=4\n\t\t\tLayer=Background Sprites\n\t\t}\n"
                         "\t\tGenerator=CBackgroundSpriteGenerator\n\t\t{\n"
                         "\t\t\tType=CFishAI\n\t\t\t{\n\t\t\t\tMinimum Speed=12\n\t\t\t}\n\t\t}\n"
                         "\t\tGenerator=CBackgroundSpriteGenerator\n\t\t{\n\t\t\tCount=9\n\t\t}\n"
                         "\t}\n}\n";

class Backgrounds : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        CFrameCollection::GetInstance().SetEntries({CSharedString("!None"), CSharedString("Backdrop")});
        WriteText("Music/Space.ogg", "RIFF");
        LoadMusic("Music/");
    }
    static void LoadMusic(const char* folder)
    {
        CFileSearchSpec spec;
        spec.SetFolder(folder);
        spec.AddExtension("ogg");
        CMusicList::GetInstance().Load(spec, CFilePlayList::ORDER_SHUFFLED, nullptr, 0);
    }
    void TearDown() override
    {
        CFrameCollection::GetInstance().FreeEntries();
        LoadMusic("No Music/");
        m_foreground.DeleteAll();
        m_background.DeleteAll();
        WorldFixture::TearDown();
    }

    // The behaviours of the list's sprites, in order.
    template <class AI>
    std::vector<AI*> Behaviours(const CSpriteList& list)
    {
        std::vector<AI*> found;
        for (CSprite* sprite = list.GetHead(); sprite; sprite = sprite->GetNext())
            found.push_back(dynamic_cast<AI*>(sprite->GetBehaviours()));
        return found;
    }

    CSpriteList m_foreground;
    CSpriteList m_background;
};

TEST_F(Backgrounds, ADefinitionWrittenByHandReadsWithItsDefaults)
{
    CBackgroundDefinition sea;
    ASSERT_TRUE(ReadObjectText(sea, kSea));
    EXPECT_TRUE(sea.m_hasShadows);
    EXPECT_EQ(sea.m_shadowOffset.m_x, 6);
    EXPECT_EQ(sea.m_shadowOffset.m_y, -4);
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    EXPECT_EQ(sea.m_foregroundSequence, static_cast<uint32_t>(sequences.FindIndexByName("Mid", -1)));
    EXPECT_EQ(sea.m_midgroundSequence, static_cast<uint32_t>(sequences.FindIndexByName("Flash", -1)));
    EXPECT_TRUE(sea.m_backgroundSpritesLayer);
    EXPECT_FALSE(sea.m_playfieldLayer);
    EXPECT_EQ(sea.m_backgroundFrame, 1u);
    ASSERT_NE(sea.m_music, nullptr);
    EXPECT_EQ(sea.m_music->GetSwitchSeconds(), 2.5f);
    EXPECT_EQ(sea.m_music->GetSong(0), static_cast<uint32_t>(CMusicList::GetInstance().FindIndexByName("Space.ogg", -1)));
    ASSERT_EQ(sea.GetGeneratorCount(), 3u);
    auto* fish = dynamic_cast<CFishAI*>(sea.GetGenerator(1)->m_type);
    ASSERT_NE(fish, nullptr);
    EXPECT_EQ(fish->m_minimumSpeed, 12.0f);
    EXPECT_EQ(fish->m_maximumSpeed, 50.0f);
    EXPECT_EQ(sea.GetGenerator(1)->m_count, 0u);
    EXPECT_EQ(sea.GetGenerator(1)->m_layer, CBackgroundSpriteGenerator::kForegroundLayer);
    EXPECT_EQ(sea.GetGenerator(2)->m_type, nullptr);
    EXPECT_EQ(sea.GetGenerator(3), nullptr);

    // A bare definition: shadows off at (10, 10), no images, no music, no generators.
    CBackgroundDefinition bare;
    ASSERT_TRUE(ReadObjectText(bare, "CBackgroundDefinition\n{\n}\n"));
    EXPECT_FALSE(bare.m_hasShadows);
    EXPECT_EQ(bare.m_shadowOffset.m_x, 10);
    EXPECT_EQ(bare.m_shadowOffset.m_y, 10);
    EXPECT_EQ(bare.m_music, nullptr);
    EXPECT_EQ(bare.m_backgroundFrame, 0u);
    EXPECT_EQ(bare.GetGeneratorCount(), 0u);
    EXPECT_EQ(bare.CreateDecorations(m_foreground, m_background, 2), 0u);
}

TEST_F(Backgrounds, DecorationsComeOnlyAtDetailLevelTwo)
{
    CBackgroundDefinition sea;
    ASSERT_TRUE(ReadObjectText(sea, kSea));
    for (int level : {-1, 0, 1, 3}) {
        EXPECT_EQ(sea.CreateDecorations(m_foreground, m_background, level), 0u) << level;
        EXPECT_EQ(m_foreground.Count() + m_background.Count(), 0u) << level;
    }
    // A count of 0 and a generator without a behaviour make nothing; all on the background list
    // leaves the foreground empty.
    ASSERT_EQ(sea.CreateDecorations(m_foreground, m_background, 2), 4u);
    EXPECT_EQ(m_foreground.Count(), 0u);
    ASSERT_EQ(m_background.Count(), 4u);

    const CPlanktonAI* type = dynamic_cast<CPlanktonAI*>(sea.GetGenerator(0)->m_type);
    std::set<const void*> distinct{type};
    for (CPlanktonAI* plankton : Behaviours<CPlanktonAI>(m_background)) {
        ASSERT_NE(plankton, nullptr);
        // A copy with the generator's properties, not a default plankton.
        EXPECT_EQ(plankton->m_maxSpeed, 7.0f);
        EXPECT_EQ(plankton->m_sequenceIndex, type->m_sequenceIndex);
        distinct.insert(plankton);
    }
    EXPECT_EQ(distinct.size(), 5u);
    for (CSprite* sprite = m_background.GetHead(); sprite; sprite = sprite->GetNext()) {
        EXPECT_NE(sprite->GetFlags() & CSprite::kNotRecorded, 0u);
        auto* animated = dynamic_cast<CAnimatedSprite*>(sprite);
        ASSERT_NE(animated, nullptr);
        ASSERT_NE(animated->GetSlot(0), nullptr);
        EXPECT_EQ(animated->GetSlot(0)->GetSequence(), Sequence("Spark"));
    }
}

TEST_F(Backgrounds, GeneratorsFillTheListOfTheirLayerAndNoneForAnUnknownLayer)
{
    struct Case
    {
        uint32_t layer;
        uint32_t foreground;
        uint32_t background;
    };
    for (const Case& c : {Case{0, 3, 0}, Case{1, 0, 3}, Case{2, 0, 0}, Case{77, 0, 0}}) {
        CBackgroundSpriteGenerator generator;
        generator.m_type = new CRandomDebrisAI;
        generator.m_count = 3;
        generator.m_layer = c.layer;
        const uint32_t made = generator.Generate(m_foreground, m_background);
        EXPECT_EQ(made, c.foreground + c.background) << c.layer;
        EXPECT_EQ(m_foreground.Count(), c.foreground) << c.layer;
        EXPECT_EQ(m_background.Count(), c.background) << c.layer;
        m_foreground.DeleteAll();
        m_background.DeleteAll();
    }
}

TEST_F(Backgrounds, ALayoutsThemeDecoratesThePlayfieldAtDetailLevelTwoOnly)
{
    WriteText("Resources/!None.Background", "CBackgroundDefinition\n{\n}\n");
    WriteText("Resources/Sea.Background", kSea);
    CBackgroundCollection& backgrounds = CBackgroundCollection::GetInstance();
    backgrounds.SetUpAtStartUp();
    const int sea = backgrounds.FindIndexByName("Sea", -1);
    ASSERT_GT(sea, 0);
    for (int level : {2, 1, 0}) {
        SCOPED_TRACE(level);
        m_playfield.GetBackgroundSprites().DeleteAll();
        m_playfield.SetBackgroundDetailLevel(level);
        CBrickLayout::ApplyBackgroundTheme(static_cast<uint32_t>(sea));
        EXPECT_EQ(m_playfield.GetBackground(), backgrounds.GetBackground(static_cast<uint32_t>(sea)));
        EXPECT_EQ(m_playfield.GetBackgroundSprites().Count(), level == 2 ? 4u : 0u);
        EXPECT_EQ(m_playfield.GetForeground().Count(), 0u);
    }
    m_playfield.GetBackgroundSprites().DeleteAll();
    m_playfield.SetBackground(nullptr);
    backgrounds.FreeEntries();
}

TEST_F(Backgrounds, TheEnginesTextReadsBackTheSame)
{
    CBackgroundDefinition sea;
    ASSERT_TRUE(ReadObjectText(sea, kSea));
    const std::string text = WrittenObjectText(sea);
    CBackgroundDefinition again;
    ASSERT_TRUE(ReadObjectText(again, text)) << text;
    EXPECT_EQ(again.m_shadowOffset.m_y, -4);
    EXPECT_EQ(again.m_midgroundSequence, sea.m_midgroundSequence);
    EXPECT_EQ(again.m_backgroundFrame, 1u);
    EXPECT_TRUE(again.m_hasShadows);
    ASSERT_NE(again.m_music, nullptr);
    EXPECT_EQ(again.m_music->GetSwitchSeconds(), 2.5f);
    ASSERT_EQ(again.GetGeneratorCount(), 3u);
    auto* plankton = dynamic_cast<CPlanktonAI*>(again.GetGenerator(0)->m_type);
    ASSERT_NE(plankton, nullptr);
    EXPECT_EQ(plankton->m_maxSpeed, 7.0f);
    EXPECT_EQ(again.GetGenerator(0)->m_layer, CBackgroundSpriteGenerator::kBackgroundLayer);
    EXPECT_NE(dynamic_cast<CFishAI*>(again.GetGenerator(1)->m_type), nullptr);
    EXPECT_EQ(again.GetGenerator(2)->m_type, nullptr);
}

} // namespace
