// The game palette: its BMP file as other readers see it, and colours enough for the game's
// gradients to be matched closely on an 8-bit display.
#include "GamePalette.h"
#include "../foundation/FileTestHelpers.h"
#include "foundation/ByteOrder.h"
#include "graphics/Frame.h"
#include "graphics/PaletteTable.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

// The distance the program's nearest-colour search uses.
int Distance(const PaletteColor& a, int r, int g, int b)
{
    return 30 * (a.r - r) * (a.r - r) + 59 * (a.g - g) * (a.g - g) + 11 * (a.b - b) * (a.b - b);
}

int NearestDistance(const GamePalette& palette, int r, int g, int b)
{
    int best = 1 << 30;
    for (size_t i = 1; i <= 254; ++i)
        best = std::min(best, Distance(palette[i], r, g, b));
    return best;
}

TEST(GamePalette, TheBmpHoldsThePaletteAtOffset54AndShowsEveryEntry)
{
    const GamePalette palette = MakeGamePalette();
    const std::vector<uint8_t> bmp = EncodePaletteBmp(palette);
    ASSERT_EQ(bmp.size(), 54u + 1024 + 256);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(LoadU32Le(&bmp[2]), bmp.size());
    EXPECT_EQ(LoadU32Le(&bmp[10]), 54u + 1024); // where the pixels start
    EXPECT_EQ(LoadU32Le(&bmp[14]), 40u);
    EXPECT_EQ(LoadU16Le(&bmp[28]), 8u);
    EXPECT_EQ(LoadU32Le(&bmp[46]), 256u);
    for (size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(bmp[54 + 4 * i], palette[i].b) << i;
        EXPECT_EQ(bmp[54 + 4 * i + 1], palette[i].g) << i;
        EXPECT_EQ(bmp[54 + 4 * i + 2], palette[i].r) << i;
    }
    // Rows are stored bottom first: the last stored row shows entries 0 to 15.
    EXPECT_EQ(bmp[1078 + 15 * 16 + 3], 3);
    EXPECT_EQ(bmp[1078 + 0 * 16 + 3], 243);

    CFrame frame;
    ASSERT_TRUE(ReadBmpPalette(frame, bmp.data(), static_cast<uint32_t>(bmp.size())));
    uint8_t r, g, b;
    frame.GetPalette()->GetEntry(200, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::tie(palette[200].r, palette[200].g, palette[200].b));
}

TEST(GamePalette, ImageMagickReadsItAsA16By16PaletteImage)
{
    testsupport::TempDir dir;
    if (testsupport::RunCommand("command -v identify >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick is not installed";
    const std::vector<uint8_t> bmp = EncodePaletteBmp(MakeGamePalette());
    testsupport::WriteFileBytes(dir.Path() / "p.bmp", std::string(bmp.begin(), bmp.end()));
    ASSERT_EQ(testsupport::RunCommand("identify -format '%w %h %z %[type]' '" + (dir / "p.bmp") + "' >'" +
                                      (dir / "out.txt") + "' 2>/dev/null"),
              0);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "out.txt"), "16 16 8 Palette");
}

TEST(GamePalette, KeepsBlackAndWhiteAndMatchesEveryColourClosely)
{
    const GamePalette palette = MakeGamePalette();
    EXPECT_EQ(std::tie(palette[0].r, palette[0].g, palette[0].b), std::make_tuple(0, 0, 0));
    EXPECT_EQ(std::tie(palette[255].r, palette[255].g, palette[255].b), std::make_tuple(255, 255, 255));
    // Black and white are also among the entries colours are matched against.
    EXPECT_EQ(NearestDistance(palette, 0, 0, 0), 0);
    EXPECT_EQ(NearestDistance(palette, 255, 255, 255), 0);

    // Entries 1 to 254 are all different.
    std::set<std::tuple<int, int, int>> distinct;
    for (size_t i = 1; i <= 254; ++i)
        distinct.emplace(palette[i].r, palette[i].g, palette[i].b);
    EXPECT_EQ(distinct.size(), 254u);

    // Over a cube of colours, the nearest entry is never further than about an eighth of the way
    // along each channel (a weighted distance of 100 x 33^2), and on average as near as in a
    // palette of six levels per channel.
    long long sum = 0;
    int count = 0;
    int worst = 0;
    for (int r = 0; r <= 255; r += 17)
        for (int g = 0; g <= 255; g += 17)
            for (int b = 0; b <= 255; b += 17) {
                const int d = NearestDistance(palette, r, g, b);
                worst = std::max(worst, d);
                sum += d;
                ++count;
            }
    EXPECT_LT(worst, 100 * 33 * 33);
    EXPECT_LT(sum / count, 100 * 15 * 15);
}

} // namespace
