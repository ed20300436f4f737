// Drawing the data set's pictures: compositing and coverage against plain arithmetic, and the
// logo and the mouse cursor as a player sees them.
#include "CompanyLogo.h"
#include "ContentTestSupport.h"
#include "CoverageMask.h"
#include "Image.h"
#include "MouseCursor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// "Over" compositing with straight alpha, in floating point.
Rgba ReferenceOver(Rgba under, Rgba over, int coverage)
{
    const double a = over.a / 255.0 * coverage / 255.0;
    const double b = under.a / 255.0;
    const double out = a + b * (1 - a);
    if (out == 0)
        return under;
    auto channel = [&](int o, int u) { return static_cast<uint8_t>(std::lround((o * a + u * b * (1 - a)) / out)); };
    return Rgba{channel(over.r, under.r), channel(over.g, under.g), channel(over.b, under.b),
                static_cast<uint8_t>(std::lround(out * 255))};
}

double Area(const CCoverageMask& mask)
{
    double sum = 0;
    for (int y = 0; y < mask.GetHeight(); ++y)
        for (int x = 0; x < mask.GetWidth(); ++x)
            sum += mask.Get(x, y) / 255.0;
    return sum;
}

TEST(Image, BlendPixelCompositesOverWithStraightAlpha)
{
    const Rgba unders[] = {{0, 0, 0, 0}, {10, 200, 30, 255}, {255, 255, 255, 128}, {90, 10, 240, 1}};
    const Rgba overs[] = {{255, 0, 0, 255}, {20, 40, 60, 128}, {200, 200, 10, 0}, {0, 0, 0, 77}};
    for (const Rgba& under : unders)
        for (const Rgba& over : overs)
            for (int coverage : {0, 1, 128, 255}) {
                CImage image(1, 1);
                image.SetPixel(0, 0, under);
                image.BlendPixel(0, 0, over, static_cast<uint32_t>(coverage));
                const Rgba got = image.GetPixel(0, 0);
                const Rgba want = ReferenceOver(under, over, coverage);
                // Colours hidden by alpha 0 do not matter.
                if (want.a == 0) {
                    EXPECT_EQ(got.a, 0);
                    continue;
                }
                EXPECT_NEAR(got.r, want.r, 1);
                EXPECT_NEAR(got.g, want.g, 1);
                EXPECT_NEAR(got.b, want.b, 1);
                EXPECT_NEAR(got.a, want.a, 1) << int(under.a) << " " << int(over.a) << " " << coverage;
            }
    // Outside the picture nothing happens and transparent black is read.
    CImage image(2, 2);
    image.BlendPixel(5, -1, Rgba{255, 255, 255, 255}, 255);
    EXPECT_EQ(image.GetPixel(5, -1).a, 0);
}

TEST(CoverageMask, ShapesCoverTheirAreaAndGrowByTheRadius)
{
    CCoverageMask ellipse(80, 60);
    ellipse.AddEllipse(40, 30, 30, 20);
    EXPECT_NEAR(Area(ellipse), kPi * 30 * 20, kPi * 30 * 20 * 0.01);

    CCoverageMask rounded(60, 60);
    rounded.AddRoundedRect(10, 10, 50, 40, 5);
    EXPECT_NEAR(Area(rounded), 40 * 30 - (4 - kPi) * 25, 6);

    // A triangle of half a 40 x 40 square; the even-odd rule leaves its inside filled.
    CCoverageMask triangle(50, 50);
    triangle.AddPolygon({{5, 5}, {45, 5}, {5, 45}});
    EXPECT_NEAR(Area(triangle), 800, 8);
    EXPECT_EQ(triangle.Get(10, 10), 255);
    EXPECT_EQ(triangle.Get(40, 40), 0);

    // One pixel grown by 2 becomes a round brush; blurring keeps the total.
    CCoverageMask dot(11, 11);
    dot.Set(5, 5, 255);
    const CCoverageMask grown = dot.Grown(2);
    EXPECT_EQ(grown.Get(5, 3), 255);
    EXPECT_EQ(grown.Get(7, 6), 255);
    EXPECT_EQ(grown.Get(7, 7), 0);
    EXPECT_NEAR(Area(grown.Blurred(1)), Area(grown), 1.0);
    EXPECT_EQ(grown.GetInkRows(), std::make_pair(3, 7));
}

TEST(CompanyLogo, FillsTheScreenWithTheNameInGoldOnTheSky)
{
    std::string error;
    const CImage logo = PaintCompanyLogo(contenttest::FontFolder(), error);
    ASSERT_EQ(logo.GetWidth(), 640) << error;
    ASSERT_EQ(logo.GetHeight(), 480);
    int gold = 0;
    int sky = 0;
    for (int y = 0; y < logo.GetHeight(); ++y)
        for (int x = 0; x < logo.GetWidth(); ++x) {
            const Rgba p = logo.GetPixel(x, y);
            ASSERT_EQ(p.a, 255) << x << "," << y;
            if (y > 250 && y < 360 && p.r > 200 && p.g > 120 && p.b < 140)
                ++gold;
            if (p.b > p.r && p.b > p.g)
                ++sky;
        }
    // The name: thick letters across the middle (a legible size), on a mostly blue picture.
    EXPECT_GT(gold, 4000);
    EXPECT_GT(sky, 640 * 480 * 3 / 4);

    const CImage noFace = PaintCompanyLogo("/nonexistent", error);
    EXPECT_TRUE(noFace.IsEmpty());
    EXPECT_NE(error.find("DejaVuSans-Bold.ttf"), std::string::npos) << error;
}

TEST(MouseCursor, TheTipIsTheHotSpotAndTheRestIsArrowAndShadow)
{
    const CImage cursor = PaintMouseCursor();
    ASSERT_FALSE(cursor.IsEmpty());
    EXPECT_LE(cursor.GetWidth(), 32);
    EXPECT_LE(cursor.GetHeight(), 32);
    const int x = cursor.GetHotSpotX();
    const int y = cursor.GetHotSpotY();
    // The tip pixel is drawn; above it lies only the dark outline.
    EXPECT_GT(cursor.GetPixel(x, y).a, 0);
    for (int column = 0; column < cursor.GetWidth(); ++column)
        EXPECT_TRUE(cursor.GetPixel(column, y - 1).a == 0 || cursor.GetPixel(column, y - 1).r < 60) << column;
    // Inside the arrow: light and opaque. Past its right edge near the top: transparent.
    const Rgba inside = cursor.GetPixel(x + 3, y + 8);
    EXPECT_EQ(inside.a, 255);
    EXPECT_GT(inside.r, 150);
    EXPECT_EQ(cursor.GetPixel(cursor.GetWidth() - 1, y).a, 0);
}

} // namespace
