// Blits between frames: hot spots, clipping on every edge against a pixel-by-pixel reference,
// pairs without a routine, copies of rectangles and the palette storage that travels with them.
#include "FrameTestSupport.h"
#include "blit/modes/CopyBlitter.h"
#include "graphics/Color.h"
#include "graphics/PaletteHolder.h"
#include "objects/ObjectPointerProperty.h"
#include "objects/PropertyDescriptorList.h"

#include <gtest/gtest.h>

#include <random>

using namespace frametest;

TEST(FrameBlit, DrawFrameAtPutsTheHotSpotOnThePoint)
{
    CFrame source;
    source.Create(10, 12, 16);
    FillPattern(source);
    source.SetOrigin(-5, -7); // hot spot (5, 7)
    CFrame destination;
    destination.Create(200, 200, 16);
    ASSERT_TRUE(destination.DrawFrameAt(&source, 100, 100, &g_copyBlitter));
    EXPECT_EQ(ReadPixel(destination, 95, 93), ReadPixel(source, 0, 0));
    EXPECT_EQ(ReadPixel(destination, 104, 104), ReadPixel(source, 9, 11));
    EXPECT_EQ(ReadPixel(destination, 94, 93), 0u);
    EXPECT_EQ(ReadPixel(destination, 105, 93), 0u);
}

TEST(FrameBlit, ClippedBlitsMatchAPixelReferenceOnEveryEdge)
{
    std::mt19937 random(7);
    for (uint32_t depth : {8u, 16u, 24u, 32u}) {
        CFrame source;
        source.Create(13, 9, depth);
        FillPattern(source, depth);
        source.SetOrigin(-4, -2);
        CFrame destination;
        destination.Create(20, 15, depth);
        destination.SetOrigin(-6, -3);
        std::uniform_int_distribution<int32_t> position(-25, 25);
        for (int i = 0; i < 300; ++i) {
            destination.Clear();
            int32_t x = position(random), y = position(random);
            // A sub-rectangle of the source, in its frame coordinates.
            int32_t sl = -4 + static_cast<int32_t>(random() % 6), st = -2 + static_cast<int32_t>(random() % 4);
            CIntRect sourceRect{sl, st, sl + 1 + static_cast<int32_t>(random() % (9 - (sl + 4) + 1)),
                                st + 1 + static_cast<int32_t>(random() % (7 - (st + 2) + 1))};
            CIntRect destinationRect{x, y, x + sourceRect.GetWidth(), y + sourceRect.GetHeight()};
            bool drawn = destination.Blit(&source, sourceRect, destinationRect, &g_copyBlitter);
            bool anyInside = false;
            for (int32_t r = 0; r < 15; ++r)
                for (int32_t c = 0; c < 20; ++c) {
                    int32_t dx = c - 6, dy = r - 3;
                    bool inside = dx >= destinationRect.m_left && dx < destinationRect.m_right &&
                                  dy >= destinationRect.m_top && dy < destinationRect.m_bottom;
                    anyInside |= inside;
                    uint32_t expected = 0;
                    if (inside) {
                        int32_t sx = sourceRect.m_left + (dx - destinationRect.m_left) + 4;
                        int32_t sy = sourceRect.m_top + (dy - destinationRect.m_top) + 2;
                        expected = ReadPixel(source, sx, sy);
                    }
                    ASSERT_EQ(ReadPixel(destination, c, r), expected) << depth << " at " << dx << "," << dy;
                }
            EXPECT_EQ(drawn, anyInside);
        }
    }
}

TEST(FrameBlit, SourceRectanglesBeyondTheSourceAreCutToIt)
{
    CFrame source;
    source.Create(4, 4, 16);
    FillPattern(source);
    CFrame destination;
    destination.Create(10, 10, 16);
    // Asks for 3 columns and rows more than the source has, on every side.
    ASSERT_TRUE(destination.Blit(&source, CIntRect{-3, -3, 7, 7}, CIntRect{0, 0, 10, 10}, &g_copyBlitter));
    for (int32_t r = 0; r < 10; ++r)
        for (int32_t c = 0; c < 10; ++c) {
            bool inside = c >= 3 && c < 7 && r >= 3 && r < 7;
            EXPECT_EQ(ReadPixel(destination, c, r), inside ? ReadPixel(source, c - 3, r - 3) : 0u);
        }
    EXPECT_FALSE(destination.Blit(&source, CIntRect{4, 0, 8, 4}, CIntRect{0, 0, 4, 4}, &g_copyBlitter));
}

TEST(FrameBlit, APairWithoutARoutineDrawsNothingAndSaysSo)
{
    CFrame source;
    source.Create(4, 4, 8);
    FillPattern(source);
    CFrame destination;
    destination.Create(4, 4, 16);
    // A blend mode with no routines at all, so that the test holds as routines are added.
    CBlitter noRoutines;
    EXPECT_FALSE(destination.DrawFrameAt(&source, 0, 0, &noRoutines));
    EXPECT_FALSE(destination.DrawFrameAt(&source, 0, 0, &noRoutines));
    for (uint32_t v : Snapshot(destination))
        EXPECT_EQ(v, 0u);
    EXPECT_FALSE(destination.DrawFrameAt(&source, 0, 0, nullptr));
}

TEST(FrameBlit, BlitOntoItselfMovesPixelsLikeMemmove)
{
    CFrame frame;
    frame.Create(8, 1, 8);
    for (uint32_t c = 0; c < 8; ++c)
        WritePixel(frame, c, 0, c + 1);
    ASSERT_TRUE(frame.Blit(&frame, CIntRect{0, 0, 6, 1}, CIntRect{2, 0, 8, 1}, &g_copyBlitter));
    const uint32_t expected[] = {1, 2, 1, 2, 3, 4, 5, 6};
    for (uint32_t c = 0; c < 8; ++c)
        EXPECT_EQ(ReadPixel(frame, c, 0), expected[c]);
}

TEST(FrameCopy, CopyRectFromTakesDepthPixelsAndPalette)
{
    CFrame source;
    source.Create(10, 6, 24);
    FillPattern(source);
    source.SetOrigin(-2, -3);
    source.CreatePalette();
    source.GetPalette()->SetEntry(5, 1, 2, 3);

    CFrame copy;
    copy.CopyRectFrom(&source, CIntRect{0, 0, 4, 2});
    EXPECT_EQ(copy.GetWidth(), 4);
    EXPECT_EQ(copy.GetHeight(), 2);
    EXPECT_EQ(copy.GetBitsPerPixel(), 24u);
    EXPECT_EQ(copy.GetLeft(), 0);
    EXPECT_EQ(copy.GetTop(), 0);
    for (uint32_t r = 0; r < 2; ++r)
        for (uint32_t c = 0; c < 4; ++c)
            EXPECT_EQ(ReadPixel(copy, c, r), ReadPixel(source, c + 2, r + 3));
    EXPECT_TRUE(copy.HasPalette());
    EXPECT_FALSE(copy.GetPalette()->Differs(*source.GetPalette()));
    // The copy has its own storage.
    EXPECT_NE(copy.GetPalette(), source.GetPalette());

    CFrame whole;
    whole.CopyFrom(&source);
    EXPECT_EQ(whole.GetLeft(), -2);
    EXPECT_EQ(whole.GetTop(), -3);
    EXPECT_EQ(Snapshot(whole), Snapshot(source));
}

TEST(FrameCopy, EmptyRectanglesGiveAnEmptyFrame)
{
    CFrame source;
    source.Create(5, 5, 16);
    CFrame copy;
    copy.CopyRectFrom(&source, CIntRect{2, 2, 2, 4});
    EXPECT_EQ(copy.GetWidth(), 0);
    EXPECT_EQ(copy.GetHeight(), 0);
    EXPECT_EQ(copy.GetPixels(), nullptr);
    copy.CopyRectFrom(&source, CIntRect{3, 3, 1, 1});
    EXPECT_EQ(copy.GetPixels(), nullptr);
}

TEST(FrameCopy, CopyingPartOfItselfCrops)
{
    CFrame frame;
    frame.Create(6, 6, 16);
    FillPattern(frame);
    auto before = Snapshot(frame);
    frame.CopyRectFrom(&frame, CIntRect{1, 2, 4, 5});
    ASSERT_EQ(frame.GetWidth(), 3);
    ASSERT_EQ(frame.GetHeight(), 3);
    for (uint32_t r = 0; r < 3; ++r)
        for (uint32_t c = 0; c < 3; ++c)
            EXPECT_EQ(ReadPixel(frame, c, r), before[(r + 2) * 6 + c + 1]);
}

TEST(FramePalette, StorageIsADynamicPropertyCreatedOnFirstUse)
{
    CFrame frame;
    EXPECT_FALSE(frame.HasPalette());
    EXPECT_EQ(frame.FindDynamicValue(CFrame::GetPaletteProperty()), nullptr);
    CPaletteTable* table = frame.GetPalette();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->IsEmpty());
    EXPECT_NE(frame.FindDynamicValue(CFrame::GetPaletteProperty()), nullptr);
    EXPECT_FALSE(frame.HasPalette());
    EXPECT_EQ(frame.GetPalette(), table);

    CPaletteTable empty;
    frame.SetPalette(empty);
    EXPECT_FALSE(frame.HasPalette());
    CPaletteTable palette;
    palette.Create(1);
    palette.SetEntry(1, 10, 20, 30);
    frame.SetPalette(palette);
    EXPECT_TRUE(frame.HasPalette());
    EXPECT_FALSE(frame.GetPalette()->Differs(palette));
    frame.DropPalette();
    EXPECT_FALSE(frame.HasPalette());
    EXPECT_EQ(frame.FindDynamicValue(CFrame::GetPaletteProperty()), nullptr);

    // The property belongs to the class and its descendants.
    EXPECT_NE(CFrame::GetStaticClassRecord()->GetDynamicPropertyList()->Find("Palette"), nullptr);
}
