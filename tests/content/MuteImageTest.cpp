// The interface image "Mute" in the data set: found by name in the frame list, stored as drawn,
// a transparent background around a whole speaker with a small red cross beside it.
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
    // The cross stands right of the speaker, a clear column between them; the corners stay clear.
    EXPECT_TRUE(isRed(drawn.GetPixel(9, 4)));
    EXPECT_TRUE(isRed(drawn.GetPixel(w - 1, 4)));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < 9; ++x)
            EXPECT_FALSE(isRed(drawn.GetPixel(x, y))) << x << "," << y;
        EXPECT_EQ(drawn.GetPixel(8, y).a, 0) << y;
    }
    EXPECT_EQ(drawn.GetPixel(w - 1, h / 2).a, 0);
    EXPECT_EQ(drawn.GetPixel(0, 0).a, 0);
    EXPECT_EQ(drawn.GetPixel(2, 6).a, 255);   // the speaker's box

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
