// Brick types, their collections, round layouts and floating bricks as data: the defaults of a
// file without lines, the type table, the index clamp and fix-up of the collections, the array
// growth, the grid geometry, the floating clamps and paths, the power-up picks, and layouts
// written by the engine read back byte for byte.
#include "BrickTestSupport.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/FloatingBrick.h"
#include "game/bricks/GrowableArray.h"
#include "game/ship/PowerUpKind.h"
#include "objects/ArrayProperty.h"
#include "objects/ClassRecord.h"
#include "objects/EnumTable.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace {

using bricktest::BrickWorld;

const CArrayProperty& FindArray(const char* label)
{
    return *static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty(label));
}

TEST(BrickTypes, OnlyObstaclesIndestructiblesNudgesAndShreddersNeedNotGo)
{
    const bool needed[kBrickTypeCount] = {true,  true,  false, false, true,  true,  true,  true,  true,  true,
                                          true,  true,  true,  true,  false, false, false, false, false, true};
    for (uint32_t type = 0; type < kBrickTypeCount; ++type)
        EXPECT_EQ(IsNeededBrickType(type), needed[type]) << type;
    EXPECT_FALSE(IsNeededBrickType(kBrickTypeCount));
    EXPECT_FALSE(IsNeededBrickType(UINT32_MAX));
}

TEST(BrickTypes, NamesAreFoundByFilesSpelling)
{
    const struct
    {
        const char* name;
        uint32_t value;
    } cases[] = {{"Normal", 0},   {"3 Hit Top", 9},       {"Off/On", 10},          {"Detinator", 12},
                 {"nudge left", 16}, {"Brick Shredder", 18}, {"Trapped Ball", 19}};
    CEnumTable& table = GetBrickTypeTable();
    EXPECT_EQ(table.GetCount(), kBrickTypeCount);
    for (const auto& c : cases) {
        const int index = table.FindIndexByName(c.name, -1);
        ASSERT_GE(index, 0) << c.name;
        EXPECT_EQ(table.GetValue(static_cast<uint32_t>(index)), static_cast<int32_t>(c.value)) << c.name;
    }
    EXPECT_EQ(table.FindIndexByName("Detonator", -1), -1);
}

TEST(GrowableArrays, GrowByAFifthAndAtLeastOne)
{
    const struct
    {
        uint32_t appends;
        uint32_t capacity;
    } cases[] = {{1, 1}, {2, 2}, {3, 3}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}, {10, 10}, {11, 12}, {13, 14}};
    for (const auto& c : cases) {
        CGrowableArray<int> array;
        for (uint32_t i = 0; i < c.appends; ++i)
            array.Append(static_cast<int>(i * 7));
        EXPECT_EQ(array.GetCapacity(), c.capacity) << c.appends;
        for (uint32_t i = 0; i < c.appends; ++i)
            EXPECT_EQ(array[i], static_cast<int>(i * 7));
    }
    CGrowableArray<int> array;
    array.Append(1);
    array.Clear();
    EXPECT_EQ(array.GetCount(), 0u);
    EXPECT_EQ(array.GetCapacity(), 0u);
}

TEST_F(BrickWorld, ABrickFileWithoutLinesIsANormalBrickOfThreePointsThatPops)
{
    WriteResource("Plain.Brick", "CBrickInfo\r\n{\r\n}\r\n");
    SetUpCollections();
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    CBrickInfo* brick = bricks.GetBrickInfo(static_cast<uint32_t>(bricks.FindIndexByName("Plain", -1)));
    ASSERT_NE(brick, nullptr);
    EXPECT_EQ(brick->GetBrickType(), kBrickNormal);
    EXPECT_EQ(brick->m_scoreValue, 3);
    EXPECT_EQ(brick->m_destroyedSound, static_cast<uint32_t>(CSoundList::GetInstance().FindSoundIndex("Pop Brick.wav", -1)));
    EXPECT_EQ(brick->m_indestructibleSound, 0u);
    EXPECT_EQ(brick->m_primarySequence, 0u);
    EXPECT_EQ(brick->GetPrimarySequence(), nullptr);
    // The default quad, as its four corners.
    ASSERT_GE(brick->m_polygon.GetPointCount(), 4u);
    const float corners[4][2] = {{-16, -9}, {15.5f, -9}, {15.5f, 8.5f}, {-16, 8.5f}};
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(brick->m_polygon.GetPoint(i).m_x, corners[i][0]);
        EXPECT_EQ(brick->m_polygon.GetPoint(i).m_y, corners[i][1]);
    }
}

TEST_F(BrickWorld, BrickLinesOverrideTheDefaults)
{
    WriteBrick("Walls/Steel", "Indestructible",
               "\tScore Value=50\r\n\tIndestructible Sound=Other.wav\r\n\tCollision Polygon=-8, -9, 8, -9, 8, 9\r\n");
    SetUpCollections();
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    CBrickInfo* brick = bricks.GetBrickInfo(static_cast<uint32_t>(bricks.FindIndexByName("Walls/Steel", -1)));
    ASSERT_NE(brick, nullptr);
    EXPECT_EQ(brick->GetBrickType(), kBrickIndestructible);
    EXPECT_FALSE(brick->IsNeeded());
    EXPECT_EQ(brick->m_scoreValue, 50);
    EXPECT_EQ(brick->m_indestructibleSound, static_cast<uint32_t>(CSoundList::GetInstance().FindSoundIndex("Other.wav", -1)));
    EXPECT_EQ(brick->m_polygon.GetPoint(2).m_y, 9.0f);
}

TEST_F(BrickWorld, CollectionsClampIndicesAndFixUpOnlyWhatLoaded)
{
    // No layouts at all: any index answers null without a load.
    WriteBrick("A", "Normal");
    WriteBrick("Broken", "Normal");
    SetUpCollections();
    // Listed, then gone before its first use.
    std::filesystem::remove("Resources/Broken.Brick");
    CBrickLayoutCollection& layouts = CBrickLayoutCollection::GetInstance();
    EXPECT_EQ(layouts.GetCount(), 0u);
    EXPECT_EQ(layouts.GetLayout(0), nullptr);
    EXPECT_EQ(layouts.GetLayout(5), nullptr);

    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    ASSERT_EQ(bricks.GetCount(), 3u); // "!None", "A", "Broken"
    EXPECT_EQ(bricks.GetBrickInfo(1000), bricks.GetBrickInfo(0));
    EXPECT_NE(bricks.GetBrickInfo(0), nullptr);

    const auto broken = static_cast<uint32_t>(bricks.FindIndexByName("Broken", -1));
    EXPECT_EQ(bricks.GetBrickInfo(broken), nullptr);
    EXPECT_FALSE(bricks.GetEntry(broken)->m_firstUseDone);
    // Mended, it loads on the next use and is fixed up then.
    WriteBrick("Broken", "Obstacle");
    ASSERT_NE(bricks.GetBrickInfo(broken), nullptr);
    EXPECT_TRUE(bricks.GetEntry(broken)->m_firstUseDone);
    EXPECT_EQ(bricks.GetBrickInfo(broken)->GetBrickType(), kBrickObstacle);

    CSharedString path;
    bricks.GetItemFilePath(1, path);
    EXPECT_STREQ(path.CStr(), "Resources/A.Brick");
}

TEST_F(BrickWorld, PowerUpPicksWalkTheRunningSumOfWeights)
{
    SetUpCollections();
    CBrickLayout layout;
    layout.SetPropertiesToDefaults();
    ASSERT_EQ(layout.m_weightCount, kPowerUpKindCount);
    EXPECT_EQ(layout.GetTotalPowerUpWeight(), 200u);
    const struct
    {
        uint32_t r;
        uint32_t kind;
    } picks[] = {{0, 1}, {19, 1}, {20, 2}, {39, 2}, {40, 3}, {54, 3}, {55, 4}, {189, 14}, {190, 15}, {199, 15}, {200, 0}};
    for (const auto& p : picks)
        EXPECT_EQ(layout.PickPowerUp(p.r), p.kind) << p.r;

    // Kind 0's weight never counts; with all others zero nothing is picked.
    for (uint32_t kind = 1; kind < layout.m_weightCount; ++kind)
        layout.m_weights[kind] = 0;
    layout.m_weights[0] = 50;
    EXPECT_EQ(layout.GetTotalPowerUpWeight(), 0u);
    EXPECT_EQ(layout.PickPowerUp(0), 0u);
    EXPECT_EQ(layout.PickPowerUp(49), 0u);
}

TEST_F(BrickWorld, GridCellsLieOnTheirRowsOffsetAndEmptyPalettesLeaveHoles)
{
    WriteBrick("Red", "Normal");
    SetUpCollections();
    CBrickLayout layout;
    layout.SetPropertiesToDefaults();
    EXPECT_EQ(layout.m_backgroundType,
              static_cast<uint32_t>(CBackgroundCollection::GetInstance().FindIndexByName("Space", -1)));
    ASSERT_EQ(layout.m_paletteCount, 1u);
    EXPECT_EQ(layout.m_palette[0], 0u);
    EXPECT_EQ(layout.m_layout.GetWidth(), 16);
    EXPECT_EQ(layout.m_layout.GetHeight(), 22);
    EXPECT_EQ(layout.GetCell(0, 0), 0u);
    EXPECT_EQ(layout.GetCell(15, 21), 0u);
    EXPECT_EQ(layout.GetCell(16, 0), 0u);

    // Entry 0 of the palette, a palette index past its end and a brick past the collection: none.
    EXPECT_EQ(layout.GetPaletteBrick(0), nullptr);
    EXPECT_EQ(layout.GetPaletteBrick(1), nullptr);
    // Offsets as a damaged file may hold them: a position past the range stops at its end.
    int32_t offsets[6] = {0, INT32_MAX, INT32_MIN, 0, 0, 16};
    layout.m_rowOffsets = offsets;
    layout.m_rowOffsetCount = 6;
    const struct
    {
        uint32_t column, row;
        int32_t x, y;
    } cells[] = {{0, 0, 30, 20}, {1, 0, 62, 20}, {15, 4, 510, 92}, {0, 5, 46, 110}, {2, 5, 110, 110}, {0, 6, 30, 128},
                 {15, 21, 510, 398}, {1, 1, INT32_MAX, 38}, {0, 2, INT32_MIN + 30, 56}};
    for (const auto& c : cells) {
        const CIntPoint p = layout.GetCellPosition(c.column, c.row);
        EXPECT_EQ(p.m_x, c.x) << c.column << "," << c.row;
        EXPECT_EQ(p.m_y, c.y) << c.column << "," << c.row;
    }
    layout.m_rowOffsets = nullptr;
    layout.m_rowOffsetCount = 0;
}

TEST(FloatingBricks, PositionsAreClampedIntoTheFieldAndWrittenBack)
{
    const struct
    {
        float x, y;
        int32_t placedX, placedY;
        float keptX, keptY;
    } cases[] = {{600, 100, 502, 120, 472.4f, 100},     {-50, -50, 15, 11, -14.4f, -8.099999f},
                 {10.9f, 5.5f, 40, 25, 10.9f, 5.5f},      {0, 999, 30, 480, 0, 460.1f}};
    for (const auto& c : cases) {
        CFloatingBrick brick;
        brick.SetPropertiesToDefaults();
        brick.m_positionX = c.x;
        brick.m_positionY = c.y;
        const CIntPoint placed = CBrickLayout::PlaceFloatingBrick(brick);
        EXPECT_EQ(placed.m_x, c.placedX) << c.x;
        EXPECT_EQ(placed.m_y, c.placedY) << c.y;
        EXPECT_EQ(brick.m_positionX, c.keptX);
        EXPECT_EQ(brick.m_positionY, c.keptY);
    }
}

TEST(FloatingBricks, PathsRunAlongTheDirectionFromRangeOneToRangeTwo)
{
    CFloatingBrick brick;
    brick.SetPropertiesToDefaults();
    EXPECT_EQ(brick.m_paletteIndex, 1u);
    EXPECT_TRUE(brick.m_canMoveThroughOtherBricks);
    brick.m_positionX = 100;
    brick.m_positionY = 50;
    brick.m_speed = 500;
    EXPECT_FALSE(brick.HasPath());
    const struct
    {
        float degrees;
        CFloatPoint first, second;
    } cases[] = {{0, {110, 70}, {150, 70}}, {90, {130, 50}, {130, 90}}, {180, {150, 70}, {110, 70}}};
    brick.m_range1 = 20;
    brick.m_range2 = 20;
    for (const auto& c : cases) {
        brick.m_direction = c.degrees * 3.14159265f / 180.0f;
        CFloatPoint first, second;
        brick.GetPathEnds(first, second);
        EXPECT_NEAR(first.m_x, c.first.m_x, 1e-3) << c.degrees;
        EXPECT_NEAR(first.m_y, c.first.m_y, 1e-3) << c.degrees;
        EXPECT_NEAR(second.m_x, c.second.m_x, 1e-3) << c.degrees;
        EXPECT_NEAR(second.m_y, c.second.m_y, 1e-3) << c.degrees;
    }
    EXPECT_TRUE(brick.HasPath());
}

} // namespace

namespace {

// A layout as the content tool writes it: through the engine's writer. Read back through the
// collection it holds the same data, and saving it again leaves the file and its time alone.
TEST_F(BrickWorld, LayoutsWrittenByTheEngineReadBackAndStayUntouched)
{
    WriteBrick("Red", "Normal");
    WriteBrick("Steel", "Indestructible");
    SetUpCollections();
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    {
        CBrickLayout layout;
        layout.SetPropertiesToDefaults();
        layout.m_author.AssignText("Tester");
        FindArray("Brick Palette").Resize(&layout, 3);
        layout.m_palette[1] = static_cast<uint32_t>(bricks.FindIndexByName("Red", -1));
        layout.m_palette[2] = static_cast<uint32_t>(bricks.FindIndexByName("Steel", -1));
        FindArray("Rows Offsets").Resize(&layout, 2);
        layout.m_rowOffsets[1] = 16;
        FindArray("Floating Bricks").Resize(&layout, 1);
        ASSERT_NE(layout.m_floating[0], nullptr);
        layout.m_floating[0]->m_positionX = 472.4f;
        layout.m_floating[0]->m_paletteIndex = 2;
        layout.m_layout.GetPixels()[layout.m_layout.GetRowOffsets()[3] + 4] = 1;
        ASSERT_TRUE(layout.SaveToFile("Resources/Shipped.Vantorel", 0));
    }
    const std::string written = testsupport::ReadFileBytes("Resources/Shipped.Vantorel");
    EXPECT_NE(written.find("\tLayout=CFrame(16,22,8)\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\t\t00000000010000000000000000000000\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\t\tBrick Type=Steel\r\n"), std::string::npos) << written;
    const auto time = std::filesystem::last_write_time("Resources/Shipped.Vantorel");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));

    SetUpCollections();
    CBrickLayoutCollection& layouts = CBrickLayoutCollection::GetInstance();
    CBrickLayout* read = layouts.GetLayout(static_cast<uint32_t>(layouts.FindIndexByName("Shipped", -1)));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetCell(4, 3), 1u);
    EXPECT_EQ(read->GetCell(3, 4), 0u);
    EXPECT_EQ(read->GetPaletteBrick(1), bricks.GetBrickInfo(static_cast<uint32_t>(bricks.FindIndexByName("Red", -1))));
    EXPECT_EQ(read->GetPaletteBrick(2)->GetBrickType(), kBrickIndestructible);
    EXPECT_EQ(read->GetRowOffset(1), 16);
    ASSERT_EQ(read->m_floatingCount, 1u);
    EXPECT_EQ(read->m_floating[0]->m_positionX, 472.4f);
    ASSERT_TRUE(read->SaveToFile("Resources/Shipped.Vantorel", 0));
    EXPECT_EQ(testsupport::ReadFileBytes("Resources/Shipped.Vantorel"), written);
    EXPECT_EQ(std::filesystem::last_write_time("Resources/Shipped.Vantorel"), time);
}

// A layout typed by hand, with only the lines it needs and a moving floating brick (its direction
// stored in radians, shown in degrees).
TEST_F(BrickWorld, LayoutsTypedByHandFillTheRestWithDefaults)
{
    WriteBrick("Red", "Normal");
    WriteResource("Hand.Vantorel", "CBrickLayout\n{\n\tBrick Palette=Array\n\t{\n\t\tItem Count=2\n"
                                   "\t\tBrick Type=!None\n\t\tBrick Type=Red\n\t}\n"
                                   "\tFloating Bricks=Array\n\t{\n\t\tItem Count=1\n\t\tBrick=CFloatingBrick\n"
                                   "\t\t{\n\t\t\tPosition Y=-20\n\t\t\tRange 2=64\n\t\t\tDirection=1.5707964\n"
                                   "\t\t\tForce Power-up=Catch\n\t\t}\n\t}\n}\n");
    SetUpCollections();
    CBrickLayoutCollection& layouts = CBrickLayoutCollection::GetInstance();
    CBrickLayout* layout = layouts.GetLayout(static_cast<uint32_t>(layouts.FindIndexByName("Hand", -1)));
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->m_backgroundType,
              static_cast<uint32_t>(CBackgroundCollection::GetInstance().FindIndexByName("Space", -1)));
    EXPECT_EQ(layout->GetTotalPowerUpWeight(), 200u);
    EXPECT_EQ(layout->GetCell(0, 0), 0u);
    ASSERT_NE(layout->GetPaletteBrick(1), nullptr);
    ASSERT_EQ(layout->m_floatingCount, 1u);
    const CFloatingBrick& floating = *layout->m_floating[0];
    EXPECT_EQ(floating.m_forcePowerUp, 3u);
    EXPECT_EQ(floating.m_paletteIndex, 1u);
    EXPECT_TRUE(floating.HasPath());
    CFloatPoint first, second;
    floating.GetPathEnds(first, second);
    EXPECT_NEAR(first.m_x, 30, 1e-3);
    EXPECT_NEAR(first.m_y, 0, 1e-3);
    EXPECT_NEAR(second.m_x, 30, 1e-3);
    EXPECT_NEAR(second.m_y, 64, 1e-3);
}

} // namespace
