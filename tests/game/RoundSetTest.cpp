// Round sets: their files listed in name order ignoring case, the game's rounds numbered through
// them, the checkpoint a round reaches, the round of a checkpoint shown from 1, and the engine's
// own text read back.
#include "BrickTestSupport.h"
#include "WorldTestSupport.h"

#include "game/Playfield.h"
#include "game/rounds/CheckPointDefinition.h"
#include "game/rounds/RoundSet.h"
#include "game/rounds/RoundSetCollection.h"
#include "objects/UIntProperty.h"
#include "graphics/SequenceCollection.h"


namespace {

using bricktest::RoundSetText;

class RoundSets : public bricktest::BrickWorld
{
protected:
    void SetUp() override
    {
        BrickWorld::SetUp();
        WriteResource("!None.Vantorel", "CBrickLayout\r\n{\r\n}\r\n");
        for (const char* name : {"Rounds/Dots", "Rounds/Wall", "Rounds/Rings"})
            WriteResource(std::string(name) + ".Vantorel", "CBrickLayout\r\n{\r\n}\r\n");
    }
    void TearDown() override
    {
        CRoundSetCollection::GetInstance().FreeEntries();
        BrickWorld::TearDown();
    }

    // A set of n rounds, each of the layout "Rounds/Dots".
    static std::string SetOf(uint32_t rounds, const std::vector<uint32_t>& checkPoints = {})
    {
        return RoundSetText(std::vector<std::string>(rounds, "Rounds/Dots"), checkPoints);
    }
    static std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
        for (uint32_t i = 0; i < sets.GetCount(); ++i)
            names.emplace_back(sets.GetItemName(i));
        return names;
    }
};

TEST_F(RoundSets, FilesAreListedByNameIgnoringCase)
{
    WriteResource("Beta.RoundSet", SetOf(2));
    WriteResource("alpha.RoundSet", SetOf(3));
    WriteResource("Extra/Gamma.RoundSet", SetOf(1));
    WriteResource("-Drafts/Old.RoundSet", SetOf(1));
    WriteResource("Wrong.RoundSet", "CCheckPointDefinition\r\n{\r\n}\r\n");
    SetUpCollections();
    CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    sets.SetUpAtStartUp();
    EXPECT_EQ(Names(), (std::vector<std::string>{"alpha", "Beta", "Extra/Gamma", "Wrong"}));
    EXPECT_EQ(sets.GetRoundCount(0), 3u);
    EXPECT_EQ(sets.GetRoundCount(1), 2u);
    CSharedString path;
    ASSERT_TRUE(sets.GetObjectFilePath(sets.GetSet(1), path));
    EXPECT_STREQ(path.CStr(), "Resources/Beta.RoundSet");
    // A set of another class, or past the end, has no rounds.
    EXPECT_EQ(sets.GetSet(3), nullptr);
    EXPECT_EQ(sets.GetRoundCount(3), 0u);
    EXPECT_EQ(sets.GetSet(4), nullptr);
    EXPECT_EQ(sets.GetRoundCount(4), 0u);
    CRoundSet loose;
    EXPECT_FALSE(sets.GetObjectFilePath(&loose, path));
}

TEST_F(RoundSets, AbsoluteRoundsRunThroughTheSetsInTheirOrder)
{
    WriteResource("A.RoundSet", SetOf(10));
    WriteResource("B.RoundSet", SetOf(15));
    SetUpCollections();
    CRoundSetCollection::GetInstance().SetUpAtStartUp();
    struct Case
    {
        uint32_t round;
        bool exists;
        uint32_t set;
        uint32_t index;
    };
    for (const Case& c : {Case{0, true, 0, 0}, Case{9, true, 0, 9}, Case{10, true, 1, 0}, Case{12, true, 1, 2},
                          Case{24, true, 1, 14}, Case{25, false, 0, 0}, Case{1000, false, 0, 0}}) {
        SCOPED_TRACE(c.round);
        uint32_t set = 99, index = 99;
        EXPECT_EQ(CPlayfield::ToRoundSetAndIndex(c.round, set, index), c.exists);
        EXPECT_EQ(set, c.set);
        EXPECT_EQ(index, c.index);
        if (c.exists) {
            EXPECT_EQ(CPlayfield::ToAbsoluteRound(set, index), c.round);
        }
    }
    EXPECT_EQ(CPlayfield::GetTotalRoundCount(), 25u);
}

TEST_F(RoundSets, TheCheckPointReachedIsTheLastNotAfterTheRound)
{
    struct Case
    {
        std::vector<uint32_t> checkPoints;
        uint32_t nextRound; // the round after the one completed
        int expected;
    };
    const Case cases[] = {
        {{0, 5}, 5, 1},  // completing round 4
        {{0, 5}, 4, 0},  // completing round 3
        {{0, 5}, 0, 0},  {{0, 5}, 9, 1},
        {{3, 7}, 1, 0},  // before the first checkpoint: the first
        {{3, 7}, 7, 1},  {{}, 4, -1}, // no checkpoints: none
    };
    for (const Case& c : cases) {
        CRoundSet set;
        for (uint32_t round : c.checkPoints)
            ASSERT_TRUE(set.AppendCheckPoint(round));
        EXPECT_EQ(set.FindCheckPointForRound(c.nextRound), c.expected) << c.nextRound;
    }
}

TEST_F(RoundSets, ACheckPointsRoundIsShownFromOneAndKeptWithinRange)
{
    const auto* round = dynamic_cast<const CUIntProperty*>(
        CCheckPointDefinition::GetStaticClassRecord()->FindProperty("Round Number"));
    ASSERT_NE(round, nullptr);
    CCheckPointDefinition checkPoint;
    EXPECT_EQ(checkPoint.m_roundNumber, 0u);
    EXPECT_EQ(round->GetConverter()->ToDisplay(checkPoint.m_roundNumber), 1u);
    round->SetFromDisplayText(&checkPoint, "6");
    EXPECT_EQ(checkPoint.m_roundNumber, 5u);
    EXPECT_EQ(round->ParseNumber("600"), CCheckPointDefinition::kMaxRoundNumber);
}

TEST_F(RoundSets, CheckPointsGrowByAFifthAndKeepTheirOrder)
{
    CRoundSet set;
    std::vector<uint32_t> capacities;
    for (uint32_t i = 0; i < 13; ++i) {
        ASSERT_TRUE(set.AppendCheckPoint(i * 3, i));
        capacities.push_back(set.m_checkPointCapacity);
    }
    EXPECT_EQ(capacities, (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 12, 14}));
    ASSERT_EQ(set.GetCheckPointCount(), 13u);
    for (uint32_t i = 0; i < 13; ++i) {
        EXPECT_EQ(set.GetCheckPoint(i), i * 3);
        EXPECT_EQ(set.GetCheckPointDefinition(i)->m_image, i);
    }
    EXPECT_EQ(set.GetCheckPoint(13), 0u);
    EXPECT_EQ(set.GetCheckPointDefinition(13), nullptr);
}

TEST_F(RoundSets, TheEnginesTextReadsBackTheSame)
{
    SetUpCollections();
    // The checkpoints' pictures are named from the sequence list.
    CSequenceCollection::GetInstance().SetEntries({CSharedString("!None"), CSharedString("Flag")});
    CBrickLayoutCollection& layouts = CBrickLayoutCollection::GetInstance();
    CRoundSet set;
    for (const char* name : {"Rounds/Wall", "Rounds/Rings", "Rounds/Wall"})
        set.AppendRound(static_cast<uint32_t>(layouts.FindIndexByName(name, -1)));
    ASSERT_TRUE(set.AppendCheckPoint(0));
    ASSERT_TRUE(set.AppendCheckPoint(2, 1));
    const std::string text = worldtest::WrittenObjectText(set);
    EXPECT_NE(text.find("Round=Rounds/Rings"), std::string::npos) << text;
    WriteResource("Main.RoundSet", text);
    CRoundSetCollection::GetInstance().SetUpAtStartUp();
    const CRoundSet* again = CRoundSetCollection::GetInstance().GetSet(0);
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(again->GetRoundCount(), 3u);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_EQ(again->GetLayoutIndex(i), set.GetLayoutIndex(i));
    EXPECT_EQ(again->GetLayoutIndex(3), 0u);
    ASSERT_EQ(again->GetCheckPointCount(), 2u);
    EXPECT_EQ(again->GetCheckPoint(1), 2u);
    EXPECT_EQ(again->GetCheckPointDefinition(1)->m_image, 1u);
    CSequenceCollection::GetInstance().FreeEntries();
}

} // namespace
