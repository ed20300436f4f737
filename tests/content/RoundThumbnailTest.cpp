// The checkpoints' pictures: a layout's bricks land where the field's geometry puts them, scaled
// down, in their types' colours over the background's, inside a frame with clear corners; and
// the shipped round sets name a picture of the checkpoint's own round for every checkpoint.
#include "BrickContent.h"
#include "ContentTestSupport.h"
#include "DrawnRounds.h"
#include "RoundThumbnail.h"
#include "../foundation/FileTestHelpers.h"
#include "../foundation/ZipTestHelpers.h"
#include "foundation/MountArchives.h"
#include "game/bricks/BackgroundCollection.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickLayoutCollection.h"
#include "game/bricks/BrickType.h"
#include "game/bricks/FloatingBrick.h"
#include "game/rounds/CheckPointDefinition.h"
#include "game/rounds/RoundSet.h"
#include "game/rounds/RoundSetCollection.h"
#include "graphics/Frame.h"
#include "graphics/ScreenMode.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/ArrayProperty.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

bool Same(Rgba a, Rgba b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

class RoundThumbnail : public testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<CSharedString> bricks;
        for (const std::string& name : GetBrickContentNames())
            bricks.emplace_back(name.c_str());
        CBrickInfoCollection::GetInstance().SetEntries(bricks, false);
        CBackgroundCollection::GetInstance().SetEntries({CSharedString("!None"), CSharedString("Deep Sea"),
                                                         CSharedString("Space")});
    }
    void TearDown() override
    {
        CBrickInfoCollection::GetInstance().FreeEntries();
        CBackgroundCollection::GetInstance().FreeEntries();
    }
};

TEST_F(RoundThumbnail, BricksLandWhereTheFieldPutsThemInTheirColours)
{
    CBrickLayout layout;
    layout.SetPropertiesToDefaults();
    layout.m_backgroundType = 2; // "Space"
    const auto* palette = static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty("Brick Palette"));
    palette->Resize(&layout, 3);
    // Brick names are "!None", then one per type in type order.
    layout.m_palette[1] = kBrickNormal + 1;
    layout.m_palette[2] = kBrickExploding + 1;
    const auto* offsets = static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty("Rows Offsets"));
    offsets->Resize(&layout, 4);
    layout.m_rowOffsets[3] = 16;
    struct Cell
    {
        uint32_t column, row;
        uint8_t entry;
    } cells[] = {{0, 0, 1}, {14, 21, 2}, {7, 3, 1}};
    for (const Cell& c : cells)
        layout.m_layout.GetPixels()[layout.m_layout.GetRowOffsets()[c.row] + c.column] = c.entry;
    const auto* floating =
        static_cast<const CArrayProperty*>(CBrickLayout::GetStaticClassRecord()->FindProperty("Floating Bricks"));
    floating->Resize(&layout, 1);
    layout.m_floating[0]->m_positionX = 200; // centre (230, 320) on the field
    layout.m_floating[0]->m_positionY = 300;
    layout.m_floating[0]->m_paletteIndex = 2;

    const CImage image = PaintRoundThumbnail(layout);
    ASSERT_EQ(image.GetWidth(), 84);
    ASSERT_EQ(image.GetHeight(), 72);
    const Rgba ground = GetThumbnailGroundColor("Space");
    const Rgba normal = GetThumbnailBrickColor(kBrickNormal), exploding = GetThumbnailBrickColor(kBrickExploding);
    // Field points (brick centres) scaled by 6 from x 6: cell (c, r) is centred on
    // (30 + offset + 32c, 20 + 18r); row 3 is offset by 16.
    const struct
    {
        int fieldX, fieldY;
        Rgba expected;
    } points[] = {
        {30, 20, normal},          // cell (0, 0)
        {30 + 448, 20 + 378, exploding}, // cell (14, 21)
        {30 + 16 + 224, 20 + 54, normal}, // cell (7, 3), shifted by its row
        {30 + 224 - 12, 20 + 54, ground}, // inside where (7, 3) would be without the offset
        {230, 320, exploding},           // the floating brick
        {30 + 224, 20 + 180, ground},    // an empty cell
    };
    for (const auto& p : points) {
        const Rgba pixel = image.GetPixel((p.fieldX - 6) / 6, p.fieldY / 6);
        EXPECT_TRUE(Same(pixel, p.expected)) << p.fieldX << "," << p.fieldY << ": " << int(pixel.r) << " "
                                             << int(pixel.g) << " " << int(pixel.b);
    }
    // A gold frame with clear corners.
    EXPECT_TRUE(Same(image.GetPixel(40, 0), Rgba{200, 160, 60, 255}));
    EXPECT_TRUE(Same(image.GetPixel(83, 40), Rgba{200, 160, 60, 255}));
    for (const auto& corner : {std::pair{0, 0}, {83, 0}, {0, 71}, {83, 71}})
        EXPECT_EQ(image.GetPixel(corner.first, corner.second).a, 0);

    // Another ground for another background; none for no scenery.
    layout.m_backgroundType = 1;
    EXPECT_TRUE(Same(PaintRoundThumbnail(layout).GetPixel(30, 50), GetThumbnailGroundColor("Deep Sea")));
    EXPECT_FALSE(Same(GetThumbnailGroundColor("Deep Sea"), ground));
}

class ShippedRoundSets : public testing::Test
{
protected:
    void SetUp() override
    {
        fs::copy(contenttest::BuiltDataFolder() / "Data", m_work.Path() / "Data", fs::copy_options::recursive);
        MountArchivesWithProgramFile(nullptr, "Data", true, false);
        m_savedDepth = GetDisplayBitsPerPixel();
        SetDisplayBitsPerPixel(16);
        CSequenceCollection::GetInstance().SetUpAtStartUp();
        CBrickInfoCollection::GetInstance().SetUpAtStartUp();
        CBackgroundCollection::GetInstance().SetUpAtStartUp();
        CBrickLayoutCollection::GetInstance().SetUpAtStartUp();
        CRoundSetCollection::GetInstance().SetUpAtStartUp();
    }
    void TearDown() override
    {
        CRoundSetCollection::GetInstance().FreeEntries();
        CBrickLayoutCollection::GetInstance().FreeEntries();
        CBackgroundCollection::GetInstance().FreeEntries();
        CBrickInfoCollection::GetInstance().FreeEntries();
        CSequenceCollection::GetInstance().FreeEntries();
        SetDisplayBitsPerPixel(m_savedDepth);
    }
    int32_t m_savedDepth = 16;
    filetest::WorkFolder m_work;
    ziptest::MountGuard m_unmount;
};

TEST_F(ShippedRoundSets, TwoSetsOfTenWithAPictureForEveryCheckPoint)
{
    CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    ASSERT_EQ(sets.GetCount(), 2u);
    const struct
    {
        const char* name;
        std::vector<std::string> rounds;
    } expected[] = {{"Classic", GetClassicRounds()}, {"Expert", GetExpertRounds()}};
    CBrickLayoutCollection& layouts = CBrickLayoutCollection::GetInstance();
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    for (uint32_t s = 0; s < 2; ++s) {
        EXPECT_STREQ(sets.GetItemName(s), expected[s].name);
        const CRoundSet* set = sets.GetSet(s);
        ASSERT_NE(set, nullptr) << s;
        ASSERT_EQ(set->GetRoundCount(), 10u);
        for (uint32_t r = 0; r < 10; ++r)
            EXPECT_EQ(layouts.GetItemName(set->GetLayoutIndex(r)), expected[s].rounds[r]) << s << " " << r;
        ASSERT_EQ(set->GetCheckPointCount(), 2u);
        for (uint32_t c = 0; c < 2; ++c) {
            const CCheckPointDefinition* checkPoint = set->GetCheckPointDefinition(c);
            EXPECT_EQ(checkPoint->m_roundNumber, c * 5);
            const std::string name = std::string("Checkpoints/") + expected[s].name + " " + std::to_string(c + 1);
            EXPECT_EQ(std::string(sequences.GetItemName(checkPoint->m_image)), name);
            auto* sequence = dynamic_cast<CSequence*>(sequences.GetItem(checkPoint->m_image));
            ASSERT_NE(sequence, nullptr) << name;
            ASSERT_EQ(sequence->GetFrameCount(), 1u) << name;
            EXPECT_EQ(static_cast<int>(sequence->GetFrame(0)->GetWidth()), kRoundThumbnailWidth) << name;
            EXPECT_EQ(static_cast<int>(sequence->GetFrame(0)->GetHeight()), kRoundThumbnailHeight) << name;
        }
    }
}

} // namespace
