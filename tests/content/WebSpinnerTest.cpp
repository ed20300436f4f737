// The wait dialog's spinner: twelve frames whose bright head runs clockwise round the ring, one
// step of 30 degrees a frame starting at the top, and the data set's sequence plays them at 12
// frames a second.
#include "MountedDataSet.h"
#include "WebSpinner.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(WebSpinner, TheHeadRunsClockwiseFromTheTop)
{
    const std::vector<CImage> frames = PaintWebSpinner();
    ASSERT_EQ(frames.size(), static_cast<size_t>(kWebSpinnerFrames));
    for (int f = 0; f < kWebSpinnerFrames; ++f) {
        const CImage& image = frames[f];
        EXPECT_EQ(image.GetHotSpotX(), image.GetWidth() / 2);
        EXPECT_EQ(image.GetHotSpotY(), image.GetHeight() / 2);
        // The centroid of the white pixels is the head.
        double sx = 0, sy = 0, n = 0;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x) {
                const Rgba p = image.GetPixel(x, y);
                if (p.a > 200 && p.r > 240 && p.g > 240 && p.b > 240) {
                    sx += x + 0.5;
                    sy += y + 0.5;
                    ++n;
                }
            }
        ASSERT_GT(n, 4) << f;
        const double angle = f * 2 * M_PI / kWebSpinnerFrames;
        const double cx = image.GetWidth() / 2.0, cy = image.GetHeight() / 2.0;
        EXPECT_NEAR(sx / n, cx + 11 * std::sin(angle), 0.6) << f;
        EXPECT_NEAR(sy / n, cy - 11 * std::cos(angle), 0.6) << f;
    }
}

TEST_F(MountedDataSet, TheSpinnerSequencePlaysTwelveFramesASecond)
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    sequences.SetUpAtStartUp();
    const CSequence* spinner = sequences.FindSequence("Interface/WebSpinner");
    ASSERT_NE(spinner, nullptr);
    EXPECT_EQ(spinner->GetFrameCount(), static_cast<uint32_t>(kWebSpinnerFrames));
    EXPECT_FLOAT_EQ(spinner->GetFramesPerSecond(), 12.0f);
    sequences.FreeEntries();
}
