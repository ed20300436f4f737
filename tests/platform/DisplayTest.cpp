// The display pages: the ring, fills, losses and what the headless device refuses.
#include "platform/PageRing.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessBackend.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace platform;

namespace {

TEST(PagePitch, WholePixelsAndAlignedRows)
{
    for (int bits : {8, 16, 24, 32}) {
        const int bytes = BytesPerPixel(bits);
        for (int width : {1, 2, 3, 5, 99, 100, 640, 641, 643, 800}) {
            const int pitch = PagePitch(width, bits);
            SCOPED_TRACE(testing::Message() << bits << " bits, width " << width);
            EXPECT_EQ(pitch % bytes, 0);
            EXPECT_EQ(pitch % 4, 0);
            EXPECT_GE(pitch, width * bytes);
            EXPECT_LT(pitch, width * bytes + 12);
        }
    }
    EXPECT_EQ(PagePitch(640, 24), 1920);
    EXPECT_EQ(PagePitch(641, 24), 1932);
    EXPECT_EQ(PagePitch(640, 12), 0);
    EXPECT_EQ(PagePitch(0, 16), 0);
}

TEST(PageRing, PagesKeepTheirContentsAroundTheRing)
{
    for (int backBuffers : {0, 1, 2}) {
        SCOPED_TRACE(backBuffers);
        PageRing ring;
        ASSERT_TRUE(ring.Create({7, 3, 16}, backBuffers));
        const int pages = backBuffers + 1;
        EXPECT_EQ(ring.GetPageCount(), pages);
        EXPECT_EQ(ring.GetFrontIndex(), -1);
        uint8_t* first = nullptr;
        int pitch = 0;
        for (int present = 0; present < 10; ++present) {
            uint8_t* pixels = nullptr;
            ASSERT_TRUE(ring.Lock(pixels, pitch));
            if (present == 0)
                first = pixels;
            // The back page holds what was drawn into it one trip around the ring ago.
            const int expected = present >= pages ? present - pages + 1 : 0;
            EXPECT_EQ(pixels[pitch * 2 + 13], expected);
            pixels[pitch * 2 + 13] = static_cast<uint8_t>(present + 1);
            ring.Unlock();
            const int back = ring.GetBackIndex();
            ring.Show();
            EXPECT_EQ(ring.GetFrontIndex(), back);
            EXPECT_EQ(ring.GetBackIndex(), (back + 1) % pages);
            EXPECT_EQ(pitch, 16);   // one pitch for life
        }
        EXPECT_EQ(first, ring.GetPage(0));
    }
}

TEST(PageRing, RefusesBadSetUpsAndSecondLocks)
{
    PageRing ring;
    uint8_t* pixels = nullptr;
    int pitch = 0;
    EXPECT_FALSE(ring.Lock(pixels, pitch));
    EXPECT_FALSE(ring.Create({640, 480, 15}, 1));
    EXPECT_FALSE(ring.Create({0, 480, 16}, 1));
    EXPECT_FALSE(ring.Create({640, 480, 16}, 3));
    EXPECT_FALSE(ring.Create({20000, 10, 8}, 0));
    EXPECT_FALSE(ring.HasPages());

    ASSERT_TRUE(ring.Create({4, 4, 8}, 1));
    ASSERT_TRUE(ring.Lock(pixels, pitch));
    pixels[0] = 9;
    EXPECT_FALSE(ring.Lock(pixels, pitch));
    ring.Unlock();
    ring.Lose();
    EXPECT_TRUE(ring.IsLost());
    EXPECT_EQ(ring.GetPage(0)[0], 0);   // the system took the memory: black
    EXPECT_FALSE(ring.Lock(pixels, pitch));
    EXPECT_FALSE(ring.Fill(0, 0, 4, 4, 1));
    ring.Restore();
    EXPECT_TRUE(ring.Lock(pixels, pitch));
}

TEST(PageRing, FillWritesTheRawValueInsideThePageOnly)
{
    std::mt19937 random(7);
    for (int bits : {8, 16, 24, 32}) {
        const int bytes = BytesPerPixel(bits);
        PageRing ring;
        ASSERT_TRUE(ring.Create({13, 9, bits}, 0));
        const int pitch = ring.GetPitch();
        std::vector<uint8_t> expected(ring.GetPageSize(), 0);
        for (int round = 0; round < 40; ++round) {
            const int l = static_cast<int>(random() % 30) - 8, t = static_cast<int>(random() % 24) - 7;
            const int r = l + static_cast<int>(random() % 20), b = t + static_cast<int>(random() % 16);
            const uint32_t value = static_cast<uint32_t>(random());
            ASSERT_TRUE(ring.Fill(l, t, r, b, value));
            for (int y = std::max(t, 0); y < std::min(b, 9); ++y)
                for (int x = std::max(l, 0); x < std::min(r, 13); ++x)
                    for (int k = 0; k < bytes; ++k)
                        expected[static_cast<size_t>(y * pitch + x * bytes + k)] =
                            static_cast<uint8_t>(value >> (8 * k));
            ASSERT_EQ(std::vector<uint8_t>(ring.GetPage(0), ring.GetPage(0) + ring.GetPageSize()), expected)
                << bits << " bits, round " << round;
        }
    }
}

class HeadlessDisplay : public testing::Test
{
protected:
    void SetUp() override { GetHeadlessBackend().Reset(); }
    void TearDown() override { GetHeadlessBackend().Reset(); }
    MemoryDisplay& display = GetHeadlessBackend().GetMemoryDisplay();
};

TEST_F(HeadlessDisplay, OffersAndRefusesLikeADevice)
{
    EXPECT_TRUE(display.GetModes(16).empty());   // no device yet
    EXPECT_FALSE(display.SetFullScreen(true));
    display.SetOpenRefused(true);
    EXPECT_FALSE(display.Open());
    display.SetOpenRefused(false);
    ASSERT_TRUE(display.Open());
    ASSERT_TRUE(display.SetFullScreen(true));

    display.SetAvailableSizes({{1024, 768}, {640, 480}, {800, 600}});
    display.SetAvailableDepths({8, 16, 32});
    auto modes = display.GetModes(16);
    ASSERT_EQ(modes.size(), 3u);
    EXPECT_EQ(modes[0], (DisplayMode{640, 480, 16}));
    EXPECT_EQ(modes[2], (DisplayMode{1024, 768, 16}));
    EXPECT_TRUE(display.GetModes(24).empty());
    EXPECT_FALSE(display.SetMode({640, 480, 24}));
    EXPECT_FALSE(display.SetMode({700, 500, 16}));
    EXPECT_TRUE(display.SetMode({800, 600, 16}));
    display.SetModeRefused(true);
    EXPECT_FALSE(display.SetMode({800, 600, 16}));

    // Flip chains: the longest the device makes, video memory only where it has some.
    display.SetMaxBackBuffers(1);
    EXPECT_FALSE(display.CreatePages({800, 600, 16}, 2, true));
    EXPECT_FALSE(display.CreatePages({800, 600, 16}, 0, true));   // full screen needs a chain
    display.SetVideoMemoryAvailable(false);
    EXPECT_FALSE(display.CreatePages({800, 600, 16}, 1, true));
    ASSERT_TRUE(display.CreatePages({800, 600, 16}, 1, false));
    EXPECT_EQ(display.GetBackBufferCount(), 1);
    EXPECT_EQ(display.GetPitch(), 1600);

    display.SetFullScreen(false);
    EXPECT_FALSE(display.CreatePages({640, 480, 8}, 1, false));   // a window has one page
    ASSERT_TRUE(display.CreatePages({640, 480, 8}, 0, false));
    EXPECT_EQ(display.GetBackBufferCount(), 0);
    EXPECT_EQ(display.GetPalette()[200], (PaletteEntry{200, 200, 200, 0}));   // a grey ramp

    display.SetFlipToSystemRefused(true);
    EXPECT_FALSE(display.FlipToSystemSurface());
    display.Close();
    EXPECT_FALSE(display.HasPages());
    EXPECT_FALSE(display.FlipToSystemSurface());
}

TEST_F(HeadlessDisplay, PresentShowsTheBackPageAndLossesReadBlack)
{
    ASSERT_TRUE(display.Open());
    ASSERT_TRUE(display.SetFullScreen(true));
    ASSERT_TRUE(display.CreatePages({4, 2, 16}, 2, true));
    uint8_t* pixels = nullptr;
    int pitch = 0;
    ASSERT_TRUE(display.Lock(pixels, pitch));
    pixels[0] = 0x1F;   // blue
    EXPECT_FALSE(display.Present());   // not while locked
    display.Unlock();
    ASSERT_TRUE(display.Present());
    EXPECT_EQ(display.GetShownColor(0, 0), 0x0000FFu);
    EXPECT_EQ(display.GetPresentCount(), 1);
    ASSERT_TRUE(display.Lock(pixels, pitch));
    EXPECT_EQ(pixels[0], 0);   // the next page of the ring
    display.Unlock();

    display.LosePages();
    EXPECT_TRUE(display.IsLost());
    EXPECT_FALSE(display.Lock(pixels, pitch));
    EXPECT_FALSE(display.Present());
    display.SetRestoreRefused(true);
    EXPECT_FALSE(display.Restore());
    display.SetRestoreRefused(false);
    ASSERT_TRUE(display.Restore());
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(display.GetRing().GetPage(page)[0], 0);
}

TEST_F(HeadlessDisplay, ShownColoursFollowTheLayoutAndThePalette)
{
    ASSERT_TRUE(display.Open());
    ASSERT_TRUE(display.SetFullScreen(false));
    ASSERT_TRUE(display.CreatePages({2, 1, 16}, 0, true));
    ASSERT_TRUE(display.Fill(0, 0, 1, 1, 0xF800));
    ASSERT_TRUE(display.Fill(1, 0, 2, 1, 0x0400));
    ASSERT_TRUE(display.Present());
    EXPECT_EQ(display.GetShownColor(0, 0), 0xFF0000u);
    EXPECT_EQ(display.GetShownColor(1, 0), 0x008200u);   // the top green bit of 5-6-5
    display.SetGreenMask(kGreenMask555);
    EXPECT_EQ(display.GetShownColor(0, 0), 0xF70000u);   // 0xF800 read as 5-5-5: red 30
    EXPECT_EQ(display.GetShownColor(1, 0), 0x080000u);

    ASSERT_TRUE(display.CreatePages({2, 1, 8}, 0, true));
    ASSERT_TRUE(display.Fill(0, 0, 1, 1, 77));
    ASSERT_TRUE(display.Present());
    EXPECT_EQ(display.GetShownColor(0, 0), 0x4D4D4Du);
    const PaletteEntry orange{255, 128, 0, 1};
    display.SetPalette(77, 1, &orange);
    EXPECT_EQ(display.GetPaletteChangeCount(), 1);
    EXPECT_EQ(display.GetShownColor(0, 0), 0xFF8000u);   // at once, without a present
    display.SetPalette(255, 3, &orange);   // clipped to the table
    display.SetPalette(256, 1, &orange);
    display.SetPalette(-1, 1, &orange);
    EXPECT_EQ(display.GetPalette()[255], orange);
    EXPECT_EQ(display.GetPalette()[0], (PaletteEntry{0, 0, 0, 0}));

    PaletteEntry system[12];
    display.GetSystemPaletteEntries(244, 12, system);
    EXPECT_EQ(system[0], (PaletteEntry{244, 244, 244, 0}));   // the display's own
    EXPECT_EQ(system[1], (PaletteEntry{245, 245, 245, 0}));
    EXPECT_EQ(system[2], (PaletteEntry{255, 251, 240, 0}));   // reserved from 246
    EXPECT_EQ(system[11], (PaletteEntry{255, 255, 255, 0}));
}

TEST_F(HeadlessDisplay, TheDesktopTakesTheDataDepthUnlessATestFixesIt)
{
    EXPECT_EQ(GetDesktopBitDepth(), 32);
    display.SetDataDepth(16);
    EXPECT_EQ(GetDesktopBitDepth(), 16);
    display.SetDataDepth(8);
    EXPECT_EQ(GetDesktopBitDepth(), 8);
    GetHeadlessBackend().SetDesktopBitDepth(24);
    EXPECT_EQ(GetDesktopBitDepth(), 24);
}


} // namespace
