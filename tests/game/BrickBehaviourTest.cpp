// Bricks in play: what each type does when hit, destruction and what it sets off (blasts, chains,
// toggles, push waves, changes, power-ups), nudges into edges and other bricks, trapped balls, and
// rounds built from layouts.
#include "BrickTestSupport.h"
#include "game/Playfield.h"
#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/FloatingBrick.h"
#include "game/ship/PowerUpAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/FindSpriteAI.h"
#include "objects/ArrayProperty.h"
#include "objects/ClassRecord.h"

#include <cmath>
#include <map>

namespace {

class Bricks : public bricktest::BrickWorld
{
protected:
    void SetUp() override
    {
        BrickWorld::SetUp();
        const char* types[] = {"Normal", "Power Up", "Obstacle", "Indestructible", "3 Hit", "Off/On", "On/Off",
                               "Exploding", "Push Away", "Nudge Right", "Nudge Up", "Brick Shredder",
                               "Trapped Ball", "Detinator"};
        for (const char* type : types) {
            std::string name = type;
            for (char& ch : name)
                if (ch == '/')
                    ch = '-';
            m_names[type] = name;
            WriteBrick(name, type, "\tScore Value=7\r\n");
        }
        SetUpCollections();
        m_playfield.SetHost(&m_host);
        SetPlayfield(&m_playfield);
    }
    void TearDown() override
    {
        SetPlayfield(nullptr);
        m_playfield.GetBricks().DeleteAll();
        m_playfield.DeleteAllSprites();
        BrickWorld::TearDown();
    }

    CBrickInfo* Info(const std::string& type)
    {
        CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
        const int index = bricks.FindIndexByName(m_names.at(type).c_str(), -1);
        return index < 0 ? nullptr : bricks.GetBrickInfo(static_cast<uint32_t>(index));
    }
    CSprite* Add(const std::string& type, float x, float y, CFloatingBrick* floating = nullptr)
    {
        auto* sprite = new CAnimatedSprite;
        sprite->SetPosition({x, y});
        sprite->AddAI(new CBrickAI(sprite, Info(type), floating, -1, -1));
        m_playfield.GetBricks().Append(sprite);
        return sprite;
    }
    // A columns x rows grid of the type with its top-left brick at (x, y).
    std::vector<CSprite*> Grid(const std::string& type, int columns, int rows, float x = 100, float y = 100)
    {
        std::vector<CSprite*> grid;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                grid.push_back(Add(type, x + 32.0f * static_cast<float>(c), y + 18.0f * static_cast<float>(r)));
        return grid;
    }
    static bool Hit(CSprite* brick, uint32_t side = CBrickAI::kFromBelow, bool weak = false)
    {
        return CBrickAI::Of(brick)->Hit(brick, side, weak);
    }
    // The bricks' updates for n steps (dead ones stay in the list so tests can look at them).
    void Step(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            for (CSprite* s = m_playfield.GetBricks().GetHead(); s; s = s->GetNext())
                if (!s->IsDead())
                    s->GetBehaviours()->Update(s, 0);
    }
    static std::string Alive(const std::vector<CSprite*>& sprites)
    {
        std::string map;
        for (CSprite* s : sprites)
            map += s->IsDead() ? '.' : '#';
        return map;
    }

    // The kinds of the power-ups released so far.
    std::vector<uint32_t> PowerUpKinds()
    {
        std::vector<uint32_t> kinds;
        for (CSprite* s = m_playfield.GetPowerUps().GetHead(); s; s = s->GetNext())
            kinds.push_back(FindSpriteAI<CPowerUpAI>(s)->GetKind());
        return kinds;
    }

    bricktest::CCountingHost m_host;
    CPlayfield m_playfield;
    std::map<std::string, std::string> m_names;
};

TEST_F(Bricks, EachTypeAnswersAHitByItsRule)
{
    const struct
    {
        const char* type;
        uint32_t side;
        bool counted;
        bool dies;
    } cases[] = {{"Normal", 0, true, true},          {"Power Up", 2, true, true},
                 {"Obstacle", 1, false, false},      {"Indestructible", 1, false, false},
                 {"3 Hit", 1, true, false},          {"On/Off", 1, true, false},
                 {"Exploding", 3, true, true},       {"Push Away", 0, true, true},
                 {"Nudge Right", 0, true, false},    {"Brick Shredder", 0, false, false},
                 {"Trapped Ball", 0, false, false},  {"Detinator", 1, true, true}};
    for (const auto& c : cases) {
        CSprite* brick = Add(c.type, 200, 200);
        const uint32_t score = m_host.m_score;
        EXPECT_EQ(Hit(brick, c.side), c.counted) << c.type;
        EXPECT_EQ(brick->IsDead(), c.dies) << c.type;
        EXPECT_EQ(m_host.m_score - score, c.dies ? 7u : 0u) << c.type;
        m_playfield.GetBricks().DeleteAll();
    }
}

TEST_F(Bricks, UnbreakableBricksGoOnTheTwentySixthHit)
{
    for (const char* type : {"Indestructible", "Brick Shredder"}) {
        CSprite* brick = Add(type, 200, 200);
        for (int i = 0; i < 25; ++i)
            EXPECT_FALSE(Hit(brick));
        EXPECT_FALSE(brick->IsDead()) << type;
        EXPECT_FALSE(Hit(brick));
        EXPECT_TRUE(brick->IsDead()) << type;
        m_playfield.GetBricks().DeleteAll();
    }
    EXPECT_EQ(m_host.m_bricksDestroyed, 2u);
}

TEST_F(Bricks, ASmallBallNeedsThreeHitsPerDamageStep)
{
    CSprite* brick = Add("3 Hit", 200, 200);
    for (int damage = 0; damage < 3; ++damage) {
        EXPECT_EQ(CBrickAI::Of(brick)->GetHitCount(), static_cast<uint32_t>(damage));
        EXPECT_TRUE(Hit(brick, 1, true));
        EXPECT_TRUE(Hit(brick, 1, true));
        EXPECT_EQ(CBrickAI::Of(brick)->GetHitCount(), static_cast<uint32_t>(damage));
        EXPECT_FALSE(brick->IsDead());
        EXPECT_TRUE(Hit(brick, 1, true));
    }
    EXPECT_TRUE(brick->IsDead());

    CSprite* strong = Add("3 Hit", 300, 200);
    Hit(strong);
    Hit(strong);
    EXPECT_FALSE(strong->IsDead());
    Hit(strong);
    EXPECT_TRUE(strong->IsDead());
}

TEST_F(Bricks, TheLastToggleTurnedOnTakesAllTogglesWithIt)
{
    std::vector<CSprite*> toggles = {Add("Off/On", 100, 100), Add("On/Off", 300, 100), Add("Off/On", 100, 300)};
    CSprite* bystander = Add("Normal", 400, 400);
    EXPECT_TRUE(Hit(toggles[0]));
    EXPECT_EQ(Alive(toggles), "###");
    EXPECT_TRUE(Hit(toggles[1])); // on -> off
    EXPECT_TRUE(Hit(toggles[1])); // off -> on
    EXPECT_EQ(Alive(toggles), "###");
    EXPECT_TRUE(Hit(toggles[2]));
    EXPECT_EQ(Alive(toggles), "...");
    EXPECT_FALSE(bystander->IsDead());
    EXPECT_EQ(m_host.m_score, 21u);
}

TEST_F(Bricks, ADetonatorDestroysTheTogglesThatAreOn)
{
    std::vector<CSprite*> toggles = {Add("Off/On", 100, 100), Add("On/Off", 300, 100), Add("Off/On", 100, 300)};
    Hit(toggles[0]);
    Hit(Add("Detinator", 400, 400));
    EXPECT_EQ(Alive(toggles), "..#");
}

TEST_F(Bricks, FireReachesTheFourNeighboursButNoDiagonal)
{
    const struct
    {
        float reach;
        const char* alive;
    } cases[] = {{35, "#######.###...###.#######"}, {25, "############.############"},
                 {49, "######...##...##...######"}};
    for (const auto& c : cases) {
        std::vector<CSprite*> grid = Grid("Normal", 5, 5);
        CBrickAI::Of(grid[12])->Destroy(grid[12], true, c.reach);
        EXPECT_EQ(Alive(grid), c.alive) << c.reach;
        m_playfield.GetBricks().DeleteAll();
    }
    // Fire breaks unbreakable bricks in reach, never an obstacle.
    CSprite* centre = Add("Normal", 100, 100);
    CSprite* steel = Add("Indestructible", 132, 100);
    CSprite* wall = Add("Obstacle", 68, 100);
    CBrickAI::Of(centre)->Destroy(centre, true, 35);
    EXPECT_TRUE(steel->IsDead());
    EXPECT_FALSE(wall->IsDead());
}

TEST_F(Bricks, ExplosionsChainSixStepsApart)
{
    std::vector<CSprite*> row = {Add("Exploding", 100, 100), Add("Exploding", 132, 100), Add("Normal", 164, 100),
                                 Add("Normal", 228, 100)};
    Hit(row[0]);
    EXPECT_EQ(Alive(row), ".###");
    Step(5);
    EXPECT_EQ(Alive(row), ".###");
    Step();
    EXPECT_EQ(Alive(row), "..##");
    Step(6);
    EXPECT_EQ(Alive(row), "...#");
    Step(12);
    EXPECT_EQ(Alive(row), "...#");
}

TEST_F(Bricks, BricksThatBlowUpShakeTheFirstPlayersHand)
{
    // An exploding brick and a toggle that goes while on blow up; a brick burnt by fire, a plain
    // one and a toggle that goes while off do not.
    const struct
    {
        const char* type;
        int hitsBefore; // hits that switch a toggle first
        bool byFire;
        size_t blasts;
    } cases[] = {{"Exploding", 0, false, 1}, {"Off/On", 1, true, 1}, {"Off/On", 0, true, 0},
                 {"Normal", 0, true, 0},     {"Detinator", 0, false, 0}};
    for (const auto& c : cases) {
        CSprite* brick = Add(c.type, 100, 100);
        Add("Off/On", 300, 300); // a toggle left off keeps the first from going on its switch
        for (int i = 0; i < c.hitsBefore; ++i)
            Hit(brick);
        m_host.m_forceEffects.clear();
        CBrickAI::Of(brick)->Destroy(brick, c.byFire, 35.0f);
        EXPECT_EQ(m_host.m_forceEffects, std::vector<std::string>(c.blasts, "Bricks Explode")) << c.type;
        m_playfield.GetBricks().DeleteAll();
    }
}

TEST_F(Bricks, NudgesEndAtTheEdgeOrCarryTheBrickMet)
{
    // Into the right edge of the movable area (x at most 490): destroyed on the way.
    CSprite* edge = Add("Nudge Right", 478, 100);
    Hit(edge);
    Step(3);
    EXPECT_TRUE(edge->IsDead());

    // Into a brick that is not moving: that brick takes the nudge on.
    CSprite* pusher = Add("Nudge Right", 100, 200);
    CSprite* met = Add("Nudge Up", 132, 200);
    Hit(pusher);
    Step(10);
    EXPECT_FALSE(pusher->IsDead());
    EXPECT_FALSE(met->IsDead());
    EXPECT_FLOAT_EQ(pusher->GetPosition().m_x, 105.0f);
    EXPECT_FLOAT_EQ(met->GetPosition().m_x, 164.0f);
    EXPECT_FLOAT_EQ(met->GetPosition().m_y, 200.0f);

    // Into an obstacle: destroyed.
    CSprite* doomed = Add("Nudge Up", 300, 300);
    Add("Obstacle", 300, 282);
    Hit(doomed);
    Step(2);
    EXPECT_TRUE(doomed->IsDead());
}

TEST_F(Bricks, APushWaveSendsTheBricksAroundAwaySoonerAndHarderWhenNear)
{
    CSprite* centre = Add("Push Away", 200, 200);
    CSprite* right = Add("Normal", 232, 200);
    CSprite* far = Add("Normal", 200, 290);
    CSprite* beyond = Add("Normal", 400, 200);
    Hit(centre);
    const CBrickAI* r = CBrickAI::Of(right);
    EXPECT_EQ(r->GetPushDelay(), 5); // round(32 x 0.15)
    EXPECT_NEAR(r->GetPushVelocity().m_x, 68.0f / 3.0f, 1e-4);
    EXPECT_EQ(r->GetPushVelocity().m_y, 0.0f);
    const CBrickAI* f = CBrickAI::Of(far);
    EXPECT_EQ(f->GetPushDelay(), 14); // round(90 x 0.15) = round(13.5)
    EXPECT_NEAR(f->GetPushVelocity().m_y, 10.0f / 3.0f, 1e-4);
    EXPECT_EQ(CBrickAI::Of(beyond)->GetPushDelay(), -1);
    Step(5);
    EXPECT_FLOAT_EQ(right->GetPosition().m_x, 232.0f);
    Step();
    EXPECT_NEAR(right->GetPosition().m_x, 232.0f + 68.0f / 3.0f * 0.7f, 1e-3);
    // The push dies away and the brick comes to rest inside the field.
    Step(60);
    EXPECT_EQ(r->GetPushDelay(), -1);
    EXPECT_LE(right->GetPosition().m_x, 490.0f);
}

TEST_F(Bricks, ATrappedBallIgnoresHitsAndLeavesLooseWhenReleased)
{
    CSprite* brick = Add("Trapped Ball", 200, 200);
    EXPECT_FALSE(Hit(brick));
    EXPECT_FALSE(brick->IsDead());
    CBrickAI::Of(Add("Normal", 100, 100))->ReleaseTrappedBall(m_playfield.GetBricks().GetTail());
    EXPECT_EQ(m_playfield.GetFreedBalls().Count(), 0u);
    CBrickAI::Of(brick)->ReleaseTrappedBall(brick);
    EXPECT_TRUE(brick->IsDead());
    ASSERT_EQ(m_playfield.GetFreedBalls().Count(), 1u);
    CSprite* ball = m_playfield.GetFreedBalls().GetHead();
    auto* behaviour = dynamic_cast<CBallAI*>(ball->GetBehaviours());
    ASSERT_NE(behaviour, nullptr);
    EXPECT_TRUE(behaviour->IsLoose());
    EXPECT_TRUE(behaviour->IsSmall());
    EXPECT_NEAR(ball->GetVelocity().m_x, 200.0f / 60.0f * std::sqrt(0.5f), 1e-4);
    EXPECT_NEAR(ball->GetVelocity().m_y, ball->GetVelocity().m_x, 1e-6);
    EXPECT_EQ(ball->GetPosition(), brick->GetPosition());
}

TEST_F(Bricks, AHitOnADeadBrickCountsWithoutScoringAgain)
{
    CSprite* brick = Add("Normal", 200, 200);
    CBrickAI::Of(brick)->Destroy(brick, false, 49);
    EXPECT_EQ(m_host.m_score, 7u);
    EXPECT_TRUE(Hit(brick));
    EXPECT_EQ(m_host.m_score, 7u);
    EXPECT_EQ(m_host.m_bricksDestroyed, 1u);
}

TEST_F(Bricks, PowerUpsArePickedByTheLayoutUnlessAFloatingBrickForcesOne)
{
    Hit(Add("Power Up", 100, 100));
    CFloatingBrick forced;
    forced.SetPropertiesToDefaults();
    forced.m_forcePowerUp = 7;
    Hit(Add("Power Up", 200, 100, &forced));
    Hit(Add("Normal", 300, 100, &forced));
    // The first is picked by the weights of the playfield's layout: never kind 0.
    const std::vector<uint32_t> kinds = PowerUpKinds();
    ASSERT_EQ(kinds.size(), 3u);
    EXPECT_NE(kinds[0], 0u);
    EXPECT_EQ(kinds[1], 7u);
    EXPECT_EQ(kinds[2], 7u);
}

TEST_F(Bricks, AFloatingBrickChangesItsNeighboursSixStepsAfterItGoes)
{
    CFloatingBrick changer;
    changer.SetPropertiesToDefaults();
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    changer.m_changeFrom = static_cast<uint32_t>(bricks.FindIndexByName("Normal", -1));
    changer.m_changeTo = static_cast<uint32_t>(bricks.FindIndexByName("Indestructible", -1));
    ASSERT_EQ(changer.GetChangeFrom(), Info("Normal"));
    CSprite* source = Add("Normal", 100, 100, &changer);
    CSprite* near = Add("Normal", 132, 100);
    CSprite* other = Add("3 Hit", 100, 118);
    CSprite* far = Add("Normal", 200, 100);
    Hit(source);
    EXPECT_TRUE(CBrickAI::Of(near)->IsChanging());
    EXPECT_EQ(CBrickAI::Of(near)->GetChangeTargetType(), kBrickIndestructible);
    EXPECT_FALSE(CBrickAI::Of(other)->IsChanging());
    EXPECT_FALSE(CBrickAI::Of(far)->IsChanging());
    Step(5);
    EXPECT_EQ(CBrickAI::Of(near)->GetBrickType(), kBrickNormal);
    Step();
    EXPECT_EQ(CBrickAI::Of(near)->GetBrickType(), kBrickIndestructible);
    EXPECT_FALSE(CBrickAI::Of(near)->IsNeeded());
}

TEST_F(Bricks, AMovingFloatingBrickTravelsItsPathAndTurnsAtTheEnds)
{
    CFloatingBrick mover;
    mover.SetPropertiesToDefaults();
    mover.m_positionX = 100;
    mover.m_positionY = 100;
    mover.m_range2 = 10;
    mover.m_speed = 120; // 2 pixels a step
    CSprite* brick = Add("Normal", 130, 120, &mover);
    // It starts on the first end, at its position, and heads for the second.
    Step();
    EXPECT_FLOAT_EQ(brick->GetPosition().m_x, 132.0f);
    Step(4);
    EXPECT_FLOAT_EQ(brick->GetPosition().m_x, 140.0f);
    Step();
    EXPECT_FLOAT_EQ(brick->GetPosition().m_x, 138.0f);
    EXPECT_FLOAT_EQ(brick->GetPosition().m_y, 120.0f);
}

} // namespace
