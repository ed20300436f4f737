// The interface image "Mute" in the data set: found by name in the frame list, stored as drawn,
// a transparent background around a speaker crossed out in red through both corners.
#include "MountedDataSet.h"
#include "MuteImage.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"

#include <cstring>

#include <gtest/gtest.h>

using MuteImage = MountedDataSet;

TEST_F(MuteImage, TheFrameListFindsItAsDrawn)
{
    const CImage drawn = PaintMuteImage();
    const int w = drawn.GetWidth(), h = drawn.GetHeight();
    auto isRed = [](Rgba p) { return p.a == 255 && p.r > 150 && p.g < 80 && p.b < 80; };
    // The cross reaches the top corners and the bottom row; the middle of the edges stays clear.
    EXPECT_TRUE(isRed(drawn.GetPixel(1, 0)));
    EXPECT_TRUE(isRed(drawn.GetPixel(w - 1, 0)));
    EXPECT_TRUE(isRed(drawn.GetPixel(h, h - 1)));
    EXPECT_EQ(drawn.GetPixel(w - 1, h / 2).a, 0);
    EXPECT_EQ(drawn.GetPixel(0, 0).a, 0);
    EXPECT_EQ(drawn.GetPixel(3, 6).a, 255);   // the speaker's box

    CFrameCollection frames;
    frames.SetUpFolder("Mute Image Test", "Resources");
    EXPECT_GE(frames.FindIndexByName("Mute", -1), 0);
    CFrame source;
    ASSERT_TRUE(source.LoadSourceImage("Resources", "Mute"));
    ASSERT_EQ(static_cast<int>(source.GetWidth()), w);
    ASSERT_EQ(static_cast<int>(source.GetHeight()), h);
    const size_t rowBytes = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y)
        ASSERT_EQ(0, std::memcmp(source.GetPixels() + static_cast<size_t>(source.GetRowOffsets()[y]) * 4,
                                 drawn.GetBytes().data() + rowBytes * y, rowBytes))
            << "row " << y;
    frames.FreeEntries();
}
