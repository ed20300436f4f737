// The screen frame on the headless display: the mode table and the set-up, the flip chain and
// its fall-backs, locking through losses, colour fills, suspending drawing for system windows and
// the fall-back to a window, and the palette, brightness and fades.
#include "DisplayFixture.h"
#include "blit/ColorPacking.h"
#include "blit/modes/CopyBlitter.h"
#include "foundation/ConfigFile.h"
#include "graphics/Color.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/PaletteTable.h"
#include "graphics/ScreenFrame.h"
#include "platform/PageConversion.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <fstream>
#include <sstream>

namespace {

class ScreenFrameTest : public DisplayFixture
{
protected:
    // Reads a pixel of the picture on screen.
    uint32_t Shown(int x, int y)
    {
        const auto& page = Device().GetShownPixels();
        const int bytes = static_cast<int>(screen.GetBytesPerPixel());
        uint32_t value = 0;
        std::memcpy(&value, &page[static_cast<size_t>(y * Device().GetPitch() + x * bytes)], static_cast<size_t>(bytes));
        return value;
    }
    uint32_t BackPixel(int x, int y)
    {
        platform::PageRing& ring = Device().GetRing();
        const int bytes = static_cast<int>(screen.GetBytesPerPixel());
        uint32_t value = 0;
        std::memcpy(&value, ring.GetPage(ring.GetBackIndex()) + y * ring.GetPitch() + x * bytes,
                    static_cast<size_t>(bytes));
        return value;
    }
    std::string ReadSettings()
    {
        std::ifstream in(m_configPath, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void SetUp16()
    {
        int32_t w = 640, h = 480;
        ASSERT_TRUE(screen.SetDisplayMode(w, h, 16, 16));
    }

    CScreenFrame screen;
};

CColor Rgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
{
    CColor c;
    c.ConstructRgba(r, g, b, a);
    return c;
}

TEST_F(ScreenFrameTest, OnlyTheKeptSizesAreOfferedAndTheNextLargerIsTaken)
{
    Device().SetAvailableSizes({{320, 240}, {1024, 768}, {800, 600}, {640, 480}, {640, 400}, {1280, 1024}});
    int32_t w = 1024, h = 768;
    EXPECT_FALSE(screen.SetDisplayMode(w, h, 16, 16));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_FALSE(Device().IsOpen());   // a failed set-up releases everything
    ASSERT_EQ(screen.GetModeCount(), 2u);
    EXPECT_EQ(screen.GetModeEntry(0).m_width, 640u);
    EXPECT_EQ(screen.GetModeEntry(1).m_height, 600u);

    w = 700, h = 500;
    ASSERT_TRUE(screen.SetDisplayMode(w, h, 16, 16));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_EQ(screen.GetWidth(), 800);
    EXPECT_EQ(Device().GetScreenMode(), (platform::DisplayMode{800, 600, 16}));

    CScreenFrame small;
    Device().Reset();
    Device().SetAvailableSizes({{640, 480}});
    w = 700, h = 500;
    EXPECT_FALSE(small.SetDisplayMode(w, h, 16, 16));
    EXPECT_EQ(w, 0);
}

TEST_F(ScreenFrameTest, ModeTableDropsDuplicatesAndStaysAscending)
{
    for (int i = 0; i < 3; ++i) {
        screen.CollectDisplayMode({800, 600, 16}, 16);
        screen.CollectDisplayMode({640, 480, 16}, 16);
    }
    screen.CollectDisplayMode({640, 480, 8}, 16);   // another depth
    screen.CollectDisplayMode({640, 400, 16}, 16);  // another shape
    EXPECT_EQ(screen.GetModeCount(), 6u);
    for (int i = 0; i < 10; ++i)
        screen.CollectDisplayMode({640, 480, 16}, 16);
    EXPECT_EQ(screen.GetModeCount(), 10u);   // the table is full
    int32_t w = 640, h = 480;
    ASSERT_TRUE(screen.SetDisplayMode(w, h, 16, 16));
    ASSERT_EQ(screen.GetModeCount(), 2u);
    EXPECT_EQ(screen.GetModeEntry(0).m_width, 640u);
    EXPECT_EQ(screen.GetModeEntry(1).m_width, 800u);
    w = 100, h = 600;
    EXPECT_FALSE(screen.FindDisplayMode(w, h));
    EXPECT_EQ(w, 800);
    w = 801, h = 10;
    EXPECT_FALSE(screen.FindDisplayMode(w, h));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

TEST_F(ScreenFrameTest, SetUpMakesAFlipChainOfBlackPagesWithOnePitch)
{
    SetUp16();
    EXPECT_TRUE(screen.IsFullScreen());
    EXPECT_EQ(screen.GetBackBufferCount(), 2u);
    EXPECT_TRUE(screen.IsInVideoMemory());
    EXPECT_EQ(screen.GetPageCount(), 4u);
    EXPECT_EQ(Device().GetPresentCount(), 4);
    EXPECT_EQ(screen.GetBitsPerPixel(), 16u);
    EXPECT_EQ(screen.GetPitch(), 640u);
    EXPECT_EQ(screen.GetPixels(), nullptr);   // pixels only while locked
    EXPECT_TRUE(screen.Is565());
    EXPECT_EQ(screen.GetPageIndex(), 4u % 3u);
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(Device().GetRing().GetPage(page)[1000], 0);

    // A second call for the same mode leaves the device alone.
    const int calls = Device().GetDeviceCallCount();
    int32_t w = 640, h = 480;
    EXPECT_TRUE(screen.SetDisplayMode(w, h, 16, 16));
    EXPECT_EQ(Device().GetDeviceCallCount(), calls);
    EXPECT_EQ(Device().GetPresentCount(), 4);
}

TEST_F(ScreenFrameTest, ShorterChainsWhenTheDeviceCannotMakeTwoBackBuffers)
{
    Device().SetMaxBackBuffers(1);
    SetUp16();
    EXPECT_EQ(screen.GetBackBufferCount(), 1u);
    EXPECT_EQ(Device().GetBackBufferCount(), 1);
    EXPECT_TRUE(screen.IsInVideoMemory());
    EXPECT_EQ(screen.GetPageCount(), 3u);

    CScreenFrame second;
    Device().Reset();
    Device().SetMaxBackBuffers(1);
    Device().SetVideoMemoryAvailable(false);
    int32_t w = 640, h = 480;
    ASSERT_TRUE(second.SetDisplayMode(w, h, 8, 8));
    EXPECT_EQ(second.GetBackBufferCount(), 1u);
    EXPECT_FALSE(second.IsInVideoMemory());

    CScreenFrame third;
    Device().Reset();
    Device().SetMaxBackBuffers(0);
    w = 640, h = 480;
    EXPECT_FALSE(third.SetDisplayMode(w, h, 16, 16));
    EXPECT_EQ(w, 0);
    EXPECT_FALSE(Device().IsOpen());

    Device().Reset();
    Device().SetOpenRefused(true);
    w = 640, h = 480;
    EXPECT_FALSE(third.SetDisplayMode(w, h, 16, 16));
    Device().SetOpenRefused(false);
    Device().SetModeRefused(true);
    w = 640, h = 480;
    EXPECT_FALSE(third.SetDisplayMode(w, h, 16, 16));
    EXPECT_EQ(h, 0);
}

TEST_F(ScreenFrameTest, FillsClipToTheFrameAndWriteTheDisplaysLayout)
{
    SetUp16();
    const CColor orange = Rgb(255, 128, 0);
    const uint32_t p565 = PackRgbToPixel16(255, 128, 0);
    ASSERT_TRUE(screen.ColorFillRect({-5, -5, 3, 2}, &orange));
    EXPECT_EQ(BackPixel(0, 0), p565);
    EXPECT_EQ(BackPixel(2, 1), p565);
    EXPECT_EQ(BackPixel(3, 1), 0u);
    EXPECT_EQ(BackPixel(0, 2), 0u);

    const int before = Device().GetDeviceCallCount();
    std::vector<uint8_t> page(Device().GetRing().GetPage(0), Device().GetRing().GetPage(0) + Device().GetRing().GetPageSize());
    EXPECT_FALSE(screen.ColorFillRect({640, 0, 700, 10}, &orange));
    EXPECT_FALSE(screen.ColorFillRect({-20, -20, 0, 480}, &orange));
    EXPECT_EQ(std::vector<uint8_t>(Device().GetRing().GetPage(0), Device().GetRing().GetPage(0) + page.size()), page);
    EXPECT_EQ(Device().GetDeviceCallCount(), before);

    // A lock held by the caller survives the fill.
    ASSERT_EQ(screen.Lock(), CScreenFrame::kLockDone);
    screen.FillRect({4, 0, 5, 1}, orange);
    ASSERT_NE(screen.GetPixels(), nullptr);
    CColor read;
    ASSERT_TRUE(screen.GetPixelColor(4, 0, read));
    EXPECT_EQ(read.GetPixel16(), p565);
    screen.Unlock();

    // On a 5-5-5 display the 5-6-5 value is moved into that layout.
    screen.SetIs565(false);
    screen.FillRect({0, 0, 1, 1}, orange);
    EXPECT_EQ(BackPixel(0, 0), ((p565 >> 1) & 0x7FE0) | (p565 & 0x1F));
    screen.Clear();
    EXPECT_EQ(BackPixel(0, 0), 0u);
    EXPECT_EQ(BackPixel(4, 0), 0u);
}

TEST_F(ScreenFrameTest, FillValuesOfEveryDepth)
{
    const CColor c = Rgb(10, 20, 30, 40);
    for (int depth : {24, 32}) {
        CScreenFrame frame;
        Device().Reset();
        int32_t w = 640, h = 480;
        ASSERT_TRUE(frame.SetDisplayMode(w, h, depth, depth));
        frame.FillRect({1, 1, 2, 2}, c);
        platform::PageRing& ring = Device().GetRing();
        const uint8_t* p = ring.GetPage(ring.GetBackIndex()) + ring.GetPitch() + depth / 8;
        EXPECT_EQ(p[0], 30);
        EXPECT_EQ(p[1], 20);
        EXPECT_EQ(p[2], 10);
        if (depth == 32) {
            EXPECT_EQ(p[3], 40);
        }
    }
}

TEST_F(ScreenFrameTest, LegacyColourSettingInvertsTheLayoutAndIsWrittenBack)
{
    WriteConfigInt(m_configPath.c_str(), "Options", "Use Legacy Color Mode2", 7);
    SetUp16();
    EXPECT_FALSE(screen.Is565());
    EXPECT_NE(ReadSettings().find("Use Legacy Color Mode2=1"), std::string::npos);

    CScreenFrame other;
    Device().Reset();
    Device().SetGreenMask(platform::kGreenMask555);
    int32_t w = 640, h = 480;
    ASSERT_TRUE(other.SetDisplayMode(w, h, 16, 16));
    EXPECT_TRUE(other.Is565());   // a 5-5-5 display, inverted by the setting
    WriteConfigInt(m_configPath.c_str(), "Options", "Use Legacy Color Mode2", 0);

    CScreenFrame third;
    Device().Reset();
    Device().SetGreenMask(platform::kGreenMask555);
    w = 640, h = 480;
    ASSERT_TRUE(third.SetDisplayMode(w, h, 16, 16));
    EXPECT_FALSE(third.Is565());
    EXPECT_NE(ReadSettings().find("Use Legacy Color Mode2=0"), std::string::npos);
}

TEST_F(ScreenFrameTest, DrawingLocksOnlyWhenTheCallerHoldsNoLock)
{
    SetUp16();
    const CColor white = Rgb(255, 255, 255);
    screen.SetPixel(3, 4, white);
    EXPECT_FALSE(screen.IsLocked());
    EXPECT_FALSE(Device().IsLocked());
    EXPECT_EQ(BackPixel(3, 4), 0xFFFFu);
    EXPECT_EQ(screen.GetRawPixel(3, 4), 0xFFFFu);

    ASSERT_EQ(screen.Lock(), CScreenFrame::kLockDone);
    uint8_t* pixels = screen.GetPixels();
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(screen.Lock(), CScreenFrame::kLockDone);   // already locked
    screen.DrawRectOutline({10, 10, 14, 13}, white);
    screen.DrawLine(0, 20, 4, 20, white);
    EXPECT_TRUE(screen.IsLocked());
    EXPECT_EQ(screen.GetPixels(), pixels);
    EXPECT_FALSE(screen.Present());   // not while locked
    screen.Unlock();
    EXPECT_EQ(BackPixel(13, 12), 0xFFFFu);
    EXPECT_EQ(BackPixel(10, 11), 0xFFFFu);
    EXPECT_EQ(BackPixel(11, 11), 0u);
    EXPECT_EQ(BackPixel(12, 11), 0u);
    EXPECT_EQ(BackPixel(4, 20), 0xFFFFu);
    EXPECT_EQ(screen.GetPixels(), nullptr);
}

TEST_F(ScreenFrameTest, LostPagesAreRestoredByTheLockOrDrawingGivesUp)
{
    SetUp16();
    screen.SetPixel(1, 1, Rgb(255, 0, 0));
    Device().LosePages();
    Device().SetRestoreRefused(true);
    EXPECT_EQ(screen.Lock(), CScreenFrame::kLockLost);
    EXPECT_EQ(screen.GetPixels(), nullptr);
    EXPECT_FALSE(screen.IsLocked());
    CColor read = Rgb(1, 2, 3);
    EXPECT_FALSE(screen.GetPixelColor(1, 1, read));   // nothing to read
    EXPECT_EQ(read.GetAlpha(), 0);
    screen.SetPixel(2, 2, Rgb(255, 0, 0));           // and nothing drawn

    Device().SetRestoreRefused(false);
    ASSERT_EQ(screen.Lock(), CScreenFrame::kLockDone);
    EXPECT_FALSE(Device().IsLost());
    ASSERT_TRUE(screen.GetPixelColor(1, 1, read));
    EXPECT_EQ(read.GetPixel16(), 0);   // the page came back black
    screen.Unlock();
}

TEST_F(ScreenFrameTest, SystemWindowsSuspendDrawingAndPresents)
{
    SetUp16();
    const int presents = Device().GetPresentCount();
    screen.BeginGdiMode();
    EXPECT_TRUE(screen.IsLocked());
    EXPECT_TRUE(screen.IsFullScreen());
    EXPECT_FALSE(screen.Present());
    EXPECT_EQ(screen.Lock(), CScreenFrame::kLockSuspended);
    screen.SetPixel(5, 5, Rgb(255, 255, 255));
    EXPECT_FALSE(screen.ColorFillRect({0, 0, 10, 10}, nullptr));
    EXPECT_EQ(BackPixel(5, 5), 0u);
    screen.BeginGdiMode();   // nested: nothing changes
    screen.EndGdiMode();
    EXPECT_FALSE(screen.IsLocked());
    EXPECT_TRUE(screen.Present());
    EXPECT_EQ(Device().GetPresentCount(), presents + 1);
}

TEST_F(ScreenFrameTest, WithoutSystemWindowsOverFullScreenTheDisplayGoesWindowed)
{
    SetUp16();
    SetDisplayBitsPerPixel(16);
    Device().SetFlipToSystemRefused(true);
    screen.BeginGdiMode();
    EXPECT_FALSE(screen.IsFullScreen());
    EXPECT_FALSE(Device().IsFullScreen());
    EXPECT_EQ(screen.GetBackBufferCount(), 0u);
    EXPECT_EQ(screen.GetWidth(), 640);
    // The desktop takes the data's depth, so a 16-bit window is not refused.
    EXPECT_EQ(screen.GetBitsPerPixel(), 16u);
    EXPECT_TRUE(screen.IsLocked());   // still suspended until the system window is gone
    screen.EndGdiMode();
    screen.SetPixel(0, 0, Rgb(0, 0, 255));
    const int presents = Device().GetPresentCount();
    EXPECT_TRUE(screen.Present());
    EXPECT_EQ(Device().GetPresentCount(), presents + 1);
    EXPECT_EQ(Shown(0, 0), 0x001Fu);
    EXPECT_EQ(screen.GetPageIndex(), 0u);
    // Windowed for the rest of the run: a new mode stays in the window.
    int32_t w = 800, h = 600;
    ASSERT_TRUE(screen.SetDisplayMode(w, h, 16, 16));
    EXPECT_FALSE(Device().IsFullScreen());
}

class ScreenFrameDeathTest : public ScreenFrameTest
{
protected:
    // Goes windowed on a desktop that shows only desktopBits, with data of dataBits.
    void GoWindowed(int desktopBits, int dataBits)
    {
        SetUp16();
        SetDisplayBitsPerPixel(dataBits);
        platform::GetHeadlessBackend().SetDesktopBitDepth(desktopBits);
        Device().SetFlipToSystemRefused(true);
        screen.BeginGdiMode();
    }
};

TEST_F(ScreenFrameDeathTest, AWindowOnADesktopOfAnotherDepthEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(GoWindowed(32, 16), testing::ExitedWithCode(255),
                "BAD SCREEN MODE: You are trynig to run in 16 bit.  Y must set your screen to 16 bit, 65536 colors, "
                "before running this application.");
    EXPECT_EXIT(GoWindowed(24, 8), testing::ExitedWithCode(255),
                "BAD SCREEN MODE: You are tring to run it 8 bit mode.  You must set your screen to 256 \\(8-bit\\), "
                "32768 \\(15-bit\\), or 65536 \\(16-bit\\) color mode before running this application in a window.");
    EXPECT_EXIT(GoWindowed(16, 24), testing::ExitedWithCode(255),
                "BAD SCREEN MODE: You are trying run in 24 bit windowed mode.  You must set your screen 24 bit, "
                "millions of colors, before running this application.");
}

TEST_F(ScreenFrameDeathTest, AFailedFallBackToAWindowEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetUp16();
            SetDisplayBitsPerPixel(16);
            Device().SetFlipToSystemRefused(true);
            Device().SetOpenRefused(true);
            screen.BeginGdiMode();
        },
        testing::ExitedWithCode(255), "FATAL ERROR: Couldn't set the screen full screen.");
}

TEST_F(ScreenFrameTest, ReleasingBlackensEveryPage)
{
    SetUp16();
    for (int i = 0; i < 3; ++i) {
        screen.FillRect({0, 0, 8, 8}, Rgb(200, 100, 50));
        ASSERT_TRUE(screen.Present());
    }
    screen.ReleaseSurfaces();
    EXPECT_FALSE(Device().HasPages());
    EXPECT_FALSE(Device().IsOpen());
    EXPECT_EQ(Shown(3, 3), 0u);
    EXPECT_FALSE(screen.Present());
}

TEST_F(ScreenFrameTest, PaletteGoesToTheDisplayBrightenedButNeverDarkened)
{
    int32_t w = 640, h = 480;
    ASSERT_TRUE(screen.SetDisplayMode(w, h, 8, 8));
    // The grey ramp of a new display is replaced by the frame's (black) palette at set-up.
    EXPECT_EQ(Device().GetPalette()[100], (platform::PaletteEntry{0, 0, 0, 1}));
    EXPECT_EQ(Device().GetPalette()[255], (platform::PaletteEntry{255, 255, 255, 1}));

    CPaletteTable table;
    table.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        table.SetEntry(i, static_cast<uint8_t>(i), 200, 10);
    const int changes = Device().GetPaletteChangeCount();
    screen.SetPaletteEntries(&table, true);
    EXPECT_GT(Device().GetPaletteChangeCount(), changes);
    EXPECT_EQ(Device().GetPalette()[0], (platform::PaletteEntry{0, 0, 0, 1}));
    EXPECT_EQ(Device().GetPalette()[100], (platform::PaletteEntry{100, 200, 10, 1}));
    EXPECT_EQ(Device().GetPalette()[255], (platform::PaletteEntry{255, 255, 255, 1}));
    uint8_t r, g, b;
    screen.GetPalette()->GetEntry(100, r, g, b);
    EXPECT_EQ(r, 100);

    screen.SetBrightness(1.5f);
    EXPECT_EQ(Device().GetPalette()[100], (platform::PaletteEntry{164, 255, 74, 1}));
    screen.SetBrightness(0.8f);
    EXPECT_EQ(Device().GetPalette()[100], (platform::PaletteEntry{100, 200, 10, 1}));
    screen.SetBrightness(-2.0f);
    EXPECT_EQ(screen.GetBrightness(), 0.0f);

    // Without all entries the system keeps its reserved colours.
    screen.SetPaletteEntries(&table, false);
    EXPECT_EQ(Device().GetPalette()[1], (platform::PaletteEntry{128, 0, 0, 1}));
    EXPECT_EQ(Device().GetPalette()[10], (platform::PaletteEntry{10, 200, 10, 1}));
    EXPECT_EQ(Device().GetPalette()[244], (platform::PaletteEntry{244, 200, 10, 1}));
    EXPECT_EQ(Device().GetPalette()[246], (platform::PaletteEntry{255, 251, 240, 1}));
    screen.SetPaletteEntries(nullptr, true);
}

TEST_F(ScreenFrameTest, FadesStepAndADarkScreenComesBack)
{
    screen.StartFadeOut(0.5f);
    const float expected[] = {0.8f, 0.6f, 0.4f, 0.2f};
    for (float level : expected) {
        screen.UpdateFade(0.1f);
        EXPECT_NEAR(screen.GetFadeLevel(), level, 1e-5f);
        EXPECT_EQ(screen.GetFadeState(), CScreenFrame::kFadingOut);
    }
    // 0.1 s steps in floats: the remaining time reaches 0 on the fifth or the sixth.
    for (int i = 0; i < 2 && screen.GetFadeState() != CScreenFrame::kFadeIdle; ++i)
        screen.UpdateFade(0.1f);
    EXPECT_EQ(screen.GetFadeLevel(), 0.0f);
    EXPECT_EQ(screen.GetFadeState(), CScreenFrame::kFadeIdle);
    EXPECT_LE(screen.GetDarkTime(), 0.1f);
    // Left black, it starts a fade-in of 1 s by itself once more than 5 s have passed.
    int steps = 0;
    while (screen.GetFadeState() == CScreenFrame::kFadeIdle && steps < 100) {
        screen.UpdateFade(0.1f);
        ++steps;
    }
    EXPECT_GE(steps, 49);
    EXPECT_LE(steps, 51);
    EXPECT_EQ(screen.GetFadeState(), CScreenFrame::kFadingIn);
    EXPECT_NEAR(screen.GetFadeLevel(), 0.1f, 1e-5f);
    for (int i = 0; i < 10; ++i)
        screen.UpdateFade(0.1f);
    EXPECT_EQ(screen.GetFadeLevel(), 1.0f);
    EXPECT_EQ(screen.GetFadeState(), CScreenFrame::kFadeIdle);

    screen.StartFadeIn(0.0f);   // a fade of no length ends at once
    screen.UpdateFade(0.0f);
    EXPECT_EQ(screen.GetFadeLevel(), 1.0f);
}

TEST_F(ScreenFrameTest, TheDisplayFrameIsFoundAndItsPaletteServesColourSearches)
{
    EXPECT_EQ(CScreenFrame::GetDisplayFrame(), &screen);
    EXPECT_STREQ(screen.GetClassRecord()->GetName(), "CScreenFrame");
    {
        CScreenFrame* made = static_cast<CScreenFrame*>(CScreenFrame::GetStaticClassRecord()->CreateObject());
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(CScreenFrame::GetDisplayFrame(), made);
        delete made;
    }
    EXPECT_EQ(CScreenFrame::GetDisplayFrame(), nullptr);
}

} // namespace

// Every drawing operation tells the display what it changed: after each present the screen shows
// exactly the page presented, though the display copies only the reported cells.
TEST_F(ScreenFrameTest, EveryDrawingOperationReachesTheScreenThroughItsReport)
{
    SetUp16();
    CFrame picture;
    picture.Create(40, 30, 16);
    picture.FillWithColor(Rgb(10, 200, 30));
    const CColor red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255);
    const std::function<void(int)> operations[] = {
        [&](int i) { screen.DrawFrameAt(&picture, 13 * i, 7 * i, &g_copyBlitter); },
        [&](int i) { screen.SetPixel(600 - i, 3 + 50 * i, red); },
        [&](int i) { screen.DrawLine(5, 400 - i, 630, 20 + 9 * i, blue); },
        [&](int i) { screen.DrawAntialiasedLine(100.5f + i, 470.25f, 300.75f, 10.5f + i, red); },
        [&](int i) { screen.FillRect({200 + i, 200, 260, 290 - i}, blue); },
        [&](int i) { screen.DrawRectOutline({300, 300 + i, 500 - i, 470}, red); },
        [&](int i) { screen.ClearRect({0, 0, 64 + 20 * i, 64}); },
        [&](int i) { screen.FillWithByte(static_cast<uint8_t>(0x40 + i)); },
    };
    platform::PageRing& ring = Device().GetRing();
    for (int round = 0; round < 3; ++round)
        for (const auto& operation : operations) {
            ASSERT_EQ(screen.Lock(), CScreenFrame::kLockDone);
            operation(round);
            screen.Unlock();
            ASSERT_TRUE(screen.Present());
            const uint8_t* page = ring.GetPage(ring.GetFrontIndex());
            ASSERT_TRUE(std::equal(page, page + ring.GetPageSize(), Device().GetShownPixels().begin()))
                << "round " << round;
        }
    // Once every page holds the same picture, reading draws nothing and a present copies nothing.
    for (int i = 0; i < 3; ++i) {
        screen.FillWithByte(0x77);
        ASSERT_TRUE(screen.Present());
    }
    CColor out;
    screen.GetPixelColor(5, 5, out);
    ASSERT_TRUE(screen.Present());
    EXPECT_TRUE(Device().GetLastShownRects().empty());
}

// The test pattern's grey ramp (32 steps, step * 255 / 31), drawn as the game draws: filled into
// the back buffer, its cells presented onto the screen and turned into the window's pixels as the
// SDL display turns them. On 16 bits each channel packs by adding half a step and clamping (so 246
// already reaches the full field) and the window shows the field with its top bits repeated.
TEST_F(ScreenFrameTest, TheTestPatternsGreyRampAtSixteenBitsShowsItsPackedLevels)
{
    constexpr int kSteps = 32, kStepWidth = 18;
    std::vector<uint32_t> shown[2];
    for (int pass = 0; pass < 2; ++pass) {
        const int depth = pass == 0 ? 24 : 16;
        SetDisplayBitsPerPixel(depth);
        CScreenFrame display;
        int32_t w = 640, h = 480;
        ASSERT_TRUE(display.SetDisplayMode(w, h, depth, depth));
        CDirtyRectFrame page;
        page.Create(640, 480, static_cast<uint32_t>(depth));
        page.SetPageCount(display.GetBackBufferCount() + 1);
        page.MarkAllDirty();
        for (int step = 0; step < kSteps; ++step) {
            const auto v = static_cast<uint8_t>(step * 255 / (kSteps - 1));
            page.FillRect({20 + step * kStepWidth, 300, 20 + (step + 1) * kStepWidth, 330}, Rgb(v, v, v));
        }
        ASSERT_EQ(display.Lock(), CScreenFrame::kLockDone);
        page.PresentDirtyCells(&display, &g_copyBlitter);
        display.Unlock();
        ASSERT_TRUE(display.Present());
        const platform::DisplayMode mode{640, 480, depth};
        const platform::PaletteTable32 none{};
        for (int step = 0; step < kSteps; ++step) {
            const int x = 20 + step * kStepWidth + kStepWidth / 2;
            uint32_t argb = 0;
            ASSERT_TRUE(platform::ConvertRect(Device().GetShownPixels().data(), Device().GetPitch(), mode,
                                              Device().GetGreenMask(), none, {x, 310, x + 1, 311}, &argb, 4));
            shown[pass].push_back(argb & 0xFFFFFF);
        }
    }
    for (int step = 0; step < kSteps; ++step) {
        const uint32_t wide = shown[0][step], narrow = shown[1][step];
        const auto v = static_cast<int>(step * 255 / (kSteps - 1));
        EXPECT_EQ(wide, static_cast<uint32_t>(v * 0x010101)) << step;
        const int red5 = std::min((v + 4) >> 3, 31), green6 = std::min((v + 2) >> 2, 63);
        const int red = red5 << 3 | red5 >> 2, green = green6 << 2 | green6 >> 4;
        EXPECT_EQ(narrow, static_cast<uint32_t>(red << 16 | green << 8 | red)) << step << ": " << std::hex << narrow;
    }
}
