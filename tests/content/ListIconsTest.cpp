// The tree lists' icons in the data set: found by name in the frame list, stored as drawn, of one
// size, each with a transparent background around an opaque picture.
#include "ListIcons.h"
#include "MountedDataSet.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"

#include <cstring>

#include <gtest/gtest.h>

using ListIcons = MountedDataSet;

TEST_F(ListIcons, TheFrameListFindsThemAsDrawn)
{
    CFrameCollection frames;
    frames.SetUpFolder("List Icon Test", "Resources");
    const std::vector<ListIcon> icons = PaintListIcons();
    ASSERT_EQ(icons.size(), 3u);
    for (const ListIcon& icon : icons) {
        const CImage& drawn = icon.image;
        EXPECT_EQ(drawn.GetWidth(), icons[0].image.GetWidth()) << icon.name;
        EXPECT_EQ(drawn.GetHeight(), icons[0].image.GetHeight()) << icon.name;
        int transparent = 0, opaque = 0;
        for (int y = 0; y < drawn.GetHeight(); ++y)
            for (int x = 0; x < drawn.GetWidth(); ++x)
                (drawn.GetPixel(x, y).a == 0 ? transparent : opaque) += 1;
        EXPECT_GT(transparent, 0) << icon.name;
        EXPECT_GT(opaque, drawn.GetWidth() * drawn.GetHeight() / 2) << icon.name;

        EXPECT_GE(frames.FindIndexByName(icon.name, -1), 0) << icon.name;
        CFrame source;
        ASSERT_TRUE(source.LoadSourceImage("Resources", icon.name)) << icon.name;
        ASSERT_EQ(source.GetWidth(), drawn.GetWidth());
        const size_t rowBytes = static_cast<size_t>(drawn.GetWidth()) * 4;
        for (int y = 0; y < drawn.GetHeight(); ++y)
            ASSERT_EQ(0, std::memcmp(source.GetPixels() + static_cast<size_t>(source.GetRowOffsets()[y]) * 4,
                                     drawn.GetBytes().data() + rowBytes * y, rowBytes))
                << icon.name << " row " << y;
    }
    frames.FreeEntries();
}
