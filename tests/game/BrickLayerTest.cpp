// The brick layer: laying a round brick by brick from home and back, the nearest brick first with
// vertical distances scaled, bricks it never visits, skipping, and the speed it gathers.
#include "BrickTestSupport.h"
#include "game/Playfield.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickLayer.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/FloatingBrick.h"
#include "game/sprites/Sprite.h"
#include "objects/ArrayProperty.h"
#include "objects/ClassRecord.h"

#include <vector>

namespace {

struct Cell
{
    uint32_t column, row, palette;
};

class BrickLayers : public bricktest::BrickWorld
{
protected:
    void SetUp() override
    {
        BrickWorld::SetUp();
        WriteBrick("Red", "Normal");
        WriteBrick("Wall", "Obstacle");
        WriteBrick("Trap", "Trapped Ball");
        WriteBrick("Boom", "Exploding");
        SetUpCollections();
        m_playfield.SetHost(&m_host);
        SetPlayfield(&m_playfield);
        m_layout.SetPropertiesToDefaults();
        const char* palette[] = {"Red", "Wall", "Trap", "Boom"};
        Array("Brick Palette").Resize(&m_layout, 5);
        for (uint32_t i = 0; i < 4; ++i)
            m_layout.m_palette[i + 1] =
                static_cast<uint32_t>(CBrickInfoCollection::GetInstance().FindIndexByName(palette[i], -1));
    }
    void TearDown() override
    {
        SetPlayfield(nullptr);
        m_playfield.DeleteAllSprites();
        BrickWorld::TearDown();
    }

    static const CArrayProperty& Array(const char* label)
    {
        return *static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty(label));
    }
    // Palette 1 is a normal brick, 2 an obstacle, 3 a trapped ball, 4 an exploding brick.
    void Lay(const std::vector<Cell>& cells)
    {
        for (const Cell& cell : cells)
            m_layout.m_layout.GetPixels()[m_layout.m_layout.GetRowOffsets()[cell.row] + cell.column] =
                static_cast<uint8_t>(cell.palette);
    }
    // Steps until the condition holds; the steps taken, or -1 after 2000.
    template <class Condition>
    int StepUntil(Condition done)
    {
        for (int steps = 1; steps <= 2000; ++steps) {
            m_layer->Step();
            if (done())
                return steps;
        }
        return -1;
    }
    uint32_t Hidden()
    {
        uint32_t hidden = 0;
        for (CSprite* s = m_playfield.GetBricks().GetHead(); s; s = s->GetNext())
            hidden += !s->IsActive();
        return hidden;
    }

    bricktest::CCountingHost m_host;
    CPlayfield m_playfield;
    CBrickLayout m_layout;
    CBrickLayer* m_layer = &m_playfield.GetBrickLayer();
};

TEST_F(BrickLayers, OneBrickIsLaidAndTheCarriageGoesHomeAtDoubleSpeed)
{
    Lay({{7, 10, 1}});
    m_layer->Start(&m_layout);
    ASSERT_EQ(m_playfield.GetBricks().Count(), 1u);
    EXPECT_EQ(Hidden(), 1u);
    EXPECT_TRUE(m_layer->IsLaying());
    EXPECT_EQ(m_layer->GetTargetPosition(), (CFloatPoint{254, 200}));
    // 300 pixels up at 2.5 a step, then the step that finds it there places it (no carriage
    // animation: at once).
    EXPECT_EQ(StepUntil([&] { return m_layer->GetPlacedCount() == 1; }), 121);
    EXPECT_EQ(Hidden(), 0u);
    EXPECT_EQ(m_layer->GetSpeedFactor(), 2.0f);
    EXPECT_EQ(m_layer->GetTargetPosition(), (CFloatPoint{30, 500}));
    EXPECT_EQ(m_host.m_ballsPutInPlay, 0u);
    m_layer->Step();
    EXPECT_NEAR(m_layer->GetPosition().m_x, 254.0f - 2.0f * 3.3333333f, 1e-3);
    EXPECT_EQ(StepUntil([&] { return !m_layer->IsLaying(); }), 120);
    EXPECT_EQ(m_host.m_ballsPutInPlay, 1u);
}

TEST_F(BrickLayers, ObstaclesAndTrappedBallsAreNotVisitedButShowAtTheEnd)
{
    Lay({{0, 0, 2}, {5, 5, 3}, {6, 5, 2}});
    m_layer->Start(&m_layout);
    EXPECT_EQ(Hidden(), 3u);
    EXPECT_EQ(m_layer->GetTarget(), nullptr);
    EXPECT_EQ(m_layer->GetTargetPosition(), (CFloatPoint{30, 500}));
    EXPECT_EQ(StepUntil([&] { return !m_layer->IsLaying(); }), 1);
    EXPECT_EQ(Hidden(), 0u);
    EXPECT_TRUE(m_playfield.GetBricks().GetHead()->GetNext()->IsDead()); // its ball let go
    EXPECT_EQ(m_layer->GetPlacedCount(), 0u);
    EXPECT_EQ(m_host.m_ballsPutInPlay, 1u);
    EXPECT_EQ(m_playfield.GetFreedBalls().Count(), 1u);
}

TEST_F(BrickLayers, TheNearestBrickCountsVerticalDistancesSixteenNinthsAsMuch)
{
    // From (256, 400): (30, 398) is 226 away across; (254, 254) is 146 up, 260 scaled.
    Lay({{7, 13, 1}, {0, 21, 1}});
    m_layer->Start(&m_layout);
    EXPECT_EQ(m_layer->GetTargetPosition(), (CFloatPoint{30, 398}));
}

TEST_F(BrickLayers, SkippingOnTheWayHomeFinishesOnceOnly)
{
    Lay({{7, 10, 1}, {8, 10, 1}});
    m_layer->Start(&m_layout);
    ASSERT_GT(StepUntil([&] { return m_layer->GetPlacedCount() == 2; }), 0);
    m_layer->Step();
    ASSERT_TRUE(m_layer->IsLaying());
    m_layer->Skip();
    EXPECT_FALSE(m_layer->IsLaying());
    EXPECT_EQ(m_host.m_ballsPutInPlay, 1u);
    m_layer->Skip();
    m_layer->Step();
    EXPECT_EQ(m_host.m_ballsPutInPlay, 1u);

    // Skipped while laying: every brick shows at once.
    m_layer->Start(&m_layout);
    m_layer->Step();
    m_layer->Skip();
    EXPECT_EQ(Hidden(), 0u);
    EXPECT_EQ(m_host.m_ballsPutInPlay, 2u);
}

TEST_F(BrickLayers, TheCarriageSpeedsUpAfterTheSecondBrickAndMoreAfterTheTwentieth)
{
    std::vector<Cell> cells;
    for (uint32_t c = 0; c < 16; ++c)
        for (uint32_t r = 0; r < 2; ++r)
            cells.push_back({c, r, 1});
    Lay(cells);
    m_layer->Start(&m_layout);
    ASSERT_GT(StepUntil([&] { return m_layer->GetPlacedCount() == 2; }), 0);
    float before = m_layer->GetSpeedFactor();
    m_layer->Step();
    EXPECT_NEAR(m_layer->GetSpeedFactor() - before, 0.05f, 1e-5);
    ASSERT_GT(StepUntil([&] { return m_layer->GetPlacedCount() == 20; }), 0);
    before = m_layer->GetSpeedFactor();
    ASSERT_LT(before, 7.0f);
    m_layer->Step();
    EXPECT_NEAR(m_layer->GetSpeedFactor() - before, 0.06f, 1e-5);
    ASSERT_GT(StepUntil([&] { return m_layer->GetSpeedFactor() >= 7.0f || !m_layer->IsLaying(); }), 0);
    if (m_layer->IsLaying() && m_layer->GetPlacedCount() < 32) {
        before = m_layer->GetSpeedFactor();
        m_layer->Step();
        EXPECT_NEAR(m_layer->GetSpeedFactor() - before, 0.01f, 1e-5);
    }
    StepUntil([&] { return !m_layer->IsLaying(); });
    EXPECT_EQ(m_layer->GetPlacedCount(), 32u);
    EXPECT_LT(m_layer->GetSpeedFactor(), 11.01f);
}

TEST_F(BrickLayers, ExplodingBricksAreLaidLikeAnyOther)
{
    Lay({{2, 2, 4}, {3, 3, 1}});
    m_layer->Start(&m_layout);
    EXPECT_GT(StepUntil([&] { return !m_layer->IsLaying(); }), 0);
    EXPECT_EQ(m_layer->GetPlacedCount(), 2u);
}

TEST_F(BrickLayers, AMovingFloatingObstacleShowsAndWaitsUntilTheBricksAreLaid)
{
    Lay({{7, 10, 1}});
    Array("Floating Bricks").Resize(&m_layout, 1);
    CFloatingBrick& floating = *m_layout.m_floating[0];
    floating.m_positionX = 200;
    floating.m_positionY = 300;
    floating.m_paletteIndex = 2;
    floating.m_range2 = 50;
    floating.m_speed = 60;
    m_layer->Start(&m_layout);
    EXPECT_EQ(Hidden(), 1u);
    CSprite* obstacle = m_playfield.GetBricks().GetTail();
    ASSERT_TRUE(obstacle->IsActive());
    for (int i = 0; i < 10; ++i) {
        m_layer->Step();
        obstacle->GetBehaviours()->Update(obstacle, 0);
    }
    EXPECT_EQ(obstacle->GetPosition(), (CFloatPoint{230, 320}));
    m_layer->Skip();
    obstacle->GetBehaviours()->Update(obstacle, 0);
    EXPECT_FLOAT_EQ(obstacle->GetPosition().m_x, 231.0f);
}

} // namespace
