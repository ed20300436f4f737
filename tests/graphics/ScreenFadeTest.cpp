// The screen frame's fades and brightness on the headless display: the blend mode a copy onto a
// 16-bit screen draws with (and its pixels, against channel arithmetic written here), the timed
// palette fades on 16-bit, 8-bit and windowed displays, and the 8-bit palette at a fade-in's end.
#include "DisplayFixture.h"
#include "LoadTestSupport.h"
#include "blit/ColorPacking.h"
#include "blit/modes/BrightenBlitter555.h"
#include "blit/modes/BrightenBlitter565.h"
#include "blit/modes/ConvertBlitter555.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/DarkenBlitter555.h"
#include "blit/modes/DarkenBlitter565.h"
#include "graphics/PaletteTable.h"
#include "graphics/ScreenFrame.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"
#include "platform/Time.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr uint64_t kMillisecond = 1000000ull;

// What the screen shows for a 5-6-5 source pixel: on a 5-5-5 screen green keeps its top five
// bits; each channel then moves by the level's step (level / 8 for five bits, level / 4 for six)
// and stops at its ends.
uint16_t ExpectedPixel(uint16_t p, bool to555, int level, int direction)
{
    int r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    const int gMax = to555 ? 31 : 63;
    if (to555)
        g >>= 1;
    const int step5 = direction * (level >> 3), stepG = direction * (to555 ? level >> 3 : level >> 2);
    r = std::clamp(r + step5, 0, 31);
    g = std::clamp(g + stepG, 0, gMax);
    b = std::clamp(b + step5, 0, 31);
    return static_cast<uint16_t>(to555 ? (r << 10) | (g << 5) | b : (r << 11) | (g << 5) | b);
}

// A blend mode that draws nothing and notes, at every 8-bit image drawn, the tick count and the
// display's palette entry 100: the steps of a palette fade.
class CPaletteStepRecorder : public CBlitter
{
public:
    struct Step
    {
        uint32_t tick;
        uint8_t red, green, blue;
    };
    CPaletteStepRecorder() { RegisterRoutine(8, 0, 16, 0, &Record); }
    std::vector<Step> m_steps;

private:
    static void Record(CFrameInterface*, const CIntRect*, CFrameInterface*, const CIntRect*, CBlitter* blitter)
    {
        Step step{platform::GetTickCount(), 0, 0, 0};
        CScreenFrame::GetDisplayFrame()->GetPalette()->GetEntry(100, step.red, step.green, step.blue);
        static_cast<CPaletteStepRecorder*>(blitter)->m_steps.push_back(step);
    }
};

class ScreenFadeTest : public DisplayFixture
{
protected:
    void TearDown() override
    {
        platform::DisableVirtualClock();
        GetCurrentPaletteRef()->Free();
        DisplayFixture::TearDown();
    }
    void SetUpDisplay(int depth, bool is565 = true)
    {
        Device().SetGreenMask(is565 ? platform::kGreenMask565 : platform::kGreenMask555);
        int32_t w = 640, h = 480;
        ASSERT_TRUE(screen.SetDisplayMode(w, h, depth, depth));
    }
    void SetFadeLevel(float level)
    {
        if (level < 1.0f) {
            screen.StartFadeOut(1.0f);
            screen.UpdateFade(1.0f - level);
        }
    }
    uint16_t BackPixel16(int x, int y)
    {
        platform::PageRing& ring = Device().GetRing();
        const uint8_t* p = ring.GetPage(ring.GetBackIndex()) + y * ring.GetPitch() + x * 2;
        return static_cast<uint16_t>(p[0] | (p[1] << 8));
    }
    static void Ramp(CPaletteTable& table, int redStart, int redStep, uint8_t green, uint8_t blue)
    {
        table.Create(1);
        for (uint32_t i = 0; i < 256; ++i)
            table.SetEntry(i, static_cast<uint8_t>(redStart + redStep * static_cast<int>(i)), green, blue);
    }
    void ExpectDisplayPalette(const CPaletteTable& table)
    {
        for (uint32_t i = 1; i < 255; ++i) {
            uint8_t r, g, b;
            table.GetEntry(i, r, g, b);
            ASSERT_EQ(Device().GetPalette()[i], (platform::PaletteEntry{r, g, b, 1})) << i;
        }
        EXPECT_EQ(Device().GetPalette()[0], (platform::PaletteEntry{0, 0, 0, 1}));
    }

    // A display of the depth showing the palette "from" (entry i: i, 200, 10), a fade target
    // (entry i: 255 - i, 0, 250) and an 8-bit image of index 100.
    void SetUpFade(int depth)
    {
        SetUpDisplay(depth);
        CPaletteTable from;
        Ramp(from, 0, 1, 200, 10);
        Ramp(m_to, 255, -1, 0, 250);
        screen.SetPaletteEntries(&from, true);
        m_image.Create(4, 4, 8);
        m_image.FillWithByte(100);
    }

    CScreenFrame screen;
    CPaletteTable m_to;
    CFrame m_image;
};

} // namespace

TEST_F(ScreenFadeTest, CopiesOntoSixteenBitsTakeTheBlendModeOfFadeTimesBrightness)
{
    struct Case
    {
        bool is565;
        float brightness, fade;
        CBlitter* expected;
        int level;       // of the stepped blend modes; -1 for the others
        int direction;   // +1 brighten, -1 darken
    };
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {true, 1.5f, 1.0f, &g_brightenBlitter565, 64, 1},
        {true, 0.8f, 1.0f, &g_darkenBlitter565, 51, -1},   // -25.6 truncates to -25 < 0: 256 x -0.2
        {true, 1.02f, 1.0f, &g_copyBlitter, -1, 0},        // k = 2
        {true, 1.05f, 1.0f, &g_brightenBlitter565, 6, 1},  // one green step is enough on 5-6-5
        {true, 1.0f, 0.5f, &g_darkenBlitter565, 128, -1},
        {true, 1.0f, 0.0f, &g_darkenBlitter565, 255, -1},  // k = -256, held at 255: black
        {true, 1e30f, 1.0f, &g_brightenBlitter565, 255, 1},
        {true, inf, 1.0f, &g_brightenBlitter565, 255, 1},
        {true, nan, 1.0f, &g_copyBlitter, -1, 0},          // not a number: normal brightness
        {false, 1.04f, 1.0f, &g_convertBlitter555, 0, 0},  // k = 5: below one 5-bit step
        {false, 1.05f, 1.0f, &g_convertBlitter555, 0, 0},
        {false, 1.0625f, 1.0f, &g_brightenBlitter555, 8, 1},
        {false, 1.5f, 1.0f, &g_brightenBlitter555, 64, 1},
        {false, 0.8f, 1.0f, &g_darkenBlitter555, 51, -1},
        {false, 1.0f, 0.0f, &g_darkenBlitter555, 255, -1},
    };
    CFrame source;
    source.Create(64, 2, 16);
    std::mt19937 random(7);
    const uint16_t fixed[] = {0x0000, 0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0020, 0x0841, 0x8410, 0x7BEF, 0x1234};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 64; ++x) {
            const int i = y * 64 + x;
            const uint16_t p = i < 10 ? fixed[i] : static_cast<uint16_t>(random());
            std::memcpy(source.GetPixels() + (static_cast<size_t>(y) * source.GetPitch() + x) * 2, &p, 2);
        }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.is565 ? "565" : "555") << " brightness " << c.brightness << " fade "
                                        << c.fade);
        SetUpDisplay(16, c.is565);
        ASSERT_EQ(screen.Is565(), c.is565);
        screen.SetBrightness(c.brightness);
        SetFadeLevel(c.fade);
        EXPECT_EQ(screen.ScreenBlitterFor(&g_copyBlitter, &source), c.expected);
        if (c.level > 0) {
            EXPECT_EQ(static_cast<CScreenLevelBlitter*>(c.expected)->GetScreenLevel(), c.level);
        }
        // Other blend modes are left alone.
        EXPECT_EQ(screen.ScreenBlitterFor(&g_brightenBlitter565, &source), &g_brightenBlitter565);

        // Through the screen's own Blit, at an odd column so that grouped rows start unaligned.
        ASSERT_TRUE(screen.Blit(&source, {0, 0, 64, 2}, {11, 5, 75, 7}, &g_copyBlitter));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 64; ++x) {
                uint16_t p;
                std::memcpy(&p, source.GetPixels() + (static_cast<size_t>(y) * source.GetPitch() + x) * 2, 2);
                ASSERT_EQ(BackPixel16(11 + x, 5 + y), ExpectedPixel(p, !c.is565, std::max(c.level, 0), c.direction))
                    << x << "," << y << " of " << std::hex << p;
            }
        screen.ReleaseSurfaces();
        screen.StartFadeIn(0.0f);
        screen.UpdateFade(0.0f);
    }
}

TEST_F(ScreenFadeTest, OtherDepthsAndRunLengthSourcesKeepTheCopyMode)
{
    SetUpDisplay(8);
    screen.SetBrightness(1.5f);
    EXPECT_EQ(screen.ScreenBlitterFor(&g_copyBlitter, nullptr), &g_copyBlitter);
    screen.ReleaseSurfaces();

    // The screen modes draw no run-length rows: such a source is copied unchanged, not dropped.
    SetUpDisplay(16);
    screen.SetBrightness(1.5f);
    loadtest::DisplayDepth depth(16);
    CFrame sprite;
    loadtest::RandomSprite(sprite, 40, 6, 3);
    ASSERT_TRUE(loadtest::EncodeFor(sprite, CRunLengthEncodeStage::kTwoBands, 16));
    ASSERT_EQ(sprite.GetFormatFlags() & kFrameRunLengthMask, kFrameRunLengthAlpha);
    EXPECT_EQ(screen.ScreenBlitterFor(&g_copyBlitter, &sprite), &g_copyBlitter);
    EXPECT_EQ(screen.ScreenBlitterFor(&g_copyBlitter, nullptr), &g_brightenBlitter565);
    CFrame reference;
    reference.Create(60, 10, 16);
    ASSERT_TRUE(reference.DrawFrameAt(&sprite, 5, 2, &g_copyBlitter));
    ASSERT_TRUE(screen.DrawFrameAt(&sprite, 5, 2, &g_copyBlitter));
    int drawn = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 60; ++x) {
            ASSERT_EQ(BackPixel16(x, y), reference.GetRawPixel(x, y)) << x << "," << y;
            drawn += reference.GetRawPixel(x, y) != 0;
        }
    EXPECT_GT(drawn, 50);
}

TEST_F(ScreenFadeTest, APaletteFadeStepsOnTheClockAndEndsOnTheTarget)
{
    platform::EnableVirtualClock();
    SetUpFade(16);
    CPaletteStepRecorder recorder;
    const CIntRect rect{0, 0, 4, 4};
    const int presents = Device().GetPresentCount();
    const uint32_t begun = platform::GetTickCount();
    screen.FadeToPalette(&m_image, &rect, &rect, &recorder, &m_to, 500, true);

    const auto& steps = recorder.m_steps;
    ASSERT_GE(steps.size(), 4u + 29u);
    const size_t fadeSteps = steps.size() - 4;
    // Every present takes a sixtieth of a second: about 30 steps in half a second.
    EXPECT_LE(fadeSteps, 31u);
    EXPECT_EQ(Device().GetPresentCount() - presents, static_cast<int>(steps.size()));
    for (size_t i = 0; i < fadeSteps; ++i) {
        const uint32_t elapsed = steps[i].tick - begun;
        ASSERT_LT(elapsed, 500u);
        if (i > 0) {
            ASSERT_GT(steps[i].tick, steps[i - 1].tick);
        }
        // Entry 100 moves from (100, 200, 10) to (155, 0, 250) by the elapsed share, truncated.
        const float f = static_cast<float>(elapsed) / 500.0f;
        auto mix = [f](int a, int b) {
            return static_cast<int>(static_cast<float>(b - a) * f + static_cast<float>(a));
        };
        EXPECT_EQ(steps[i].red, mix(100, 155)) << elapsed;
        EXPECT_EQ(steps[i].green, mix(200, 0)) << elapsed;
        EXPECT_EQ(steps[i].blue, mix(10, 250)) << elapsed;
    }
    EXPECT_EQ(steps.front().tick, begun);
    EXPECT_EQ(steps.front().red, 100);
    // Four pages drawn with the target, so that every page of the chain shows it.
    for (size_t i = fadeSteps; i < steps.size(); ++i)
        EXPECT_EQ((std::tuple{steps[i].red, steps[i].green, steps[i].blue}),
                  (std::tuple<uint8_t, uint8_t, uint8_t>{155, 0, 250}));
    ExpectDisplayPalette(m_to);
    EXPECT_EQ(Device().GetPalette()[255], (platform::PaletteEntry{255, 255, 255, 1}));
}

TEST_F(ScreenFadeTest, EightBitFadesSetEntriesWithoutPresentsAcrossTheClocksWrap)
{
    // The tick count wraps to 0 a fifth of a second into the fade.
    platform::EnableVirtualClock(((1ull << 32) - 200) * kMillisecond);
    SetUpFade(8);
    const int presents = Device().GetPresentCount(), changes = Device().GetPaletteChangeCount();
    const uint32_t begun = platform::GetTickCount();
    screen.FadeToPalette(&m_image, nullptr, nullptr, nullptr, &m_to, 500, true);
    EXPECT_GE(platform::GetTickCount() - begun, 500u);
    EXPECT_LE(platform::GetTickCount() - begun, 502u);
    EXPECT_EQ(Device().GetPresentCount(), presents);
    EXPECT_GE(Device().GetPaletteChangeCount() - changes, 100);
    ExpectDisplayPalette(m_to);

    // Back to black, then no fade at all towards a table that is not a palette.
    screen.FadeToBlack(nullptr, nullptr, nullptr, nullptr, 100);
    EXPECT_EQ(Device().GetPalette()[100], (platform::PaletteEntry{0, 0, 0, 1}));
    EXPECT_EQ(Device().GetPalette()[255], (platform::PaletteEntry{255, 255, 255, 1}));
    CPaletteTable remap;
    remap.Create(2);
    const uint32_t now = platform::GetTickCount();
    screen.FadeToPalette(nullptr, nullptr, nullptr, nullptr, &remap, 500, true);
    EXPECT_EQ(platform::GetTickCount(), now);
    EXPECT_EQ(Device().GetPalette()[100], (platform::PaletteEntry{0, 0, 0, 1}));
    screen.FadeToPalette(nullptr, nullptr, nullptr, nullptr, &m_to, 0, true);
    ExpectDisplayPalette(m_to);
}

TEST_F(ScreenFadeTest, AWindowTakesTheTargetAtOnceAndDrawsFourPages)
{
    platform::EnableVirtualClock();
    SetUpDisplay(16);
    SetDisplayBitsPerPixel(16);
    Device().SetFlipToSystemRefused(true);
    screen.BeginGdiMode();
    screen.EndGdiMode();
    ASSERT_FALSE(screen.IsFullScreen());
    CPaletteTable to;
    Ramp(to, 0, 1, 0, 0);
    CFrame image;
    image.Create(4, 4, 8);
    image.FillWithByte(200);
    const int presents = Device().GetPresentCount();
    const uint32_t begun = platform::GetTickCount();
    screen.FadeToPalette(&image, nullptr, nullptr, nullptr, &to, 500, true);
    EXPECT_LT(platform::GetTickCount() - begun, 100u);
    EXPECT_EQ(Device().GetPresentCount() - presents, 4);
    // The whole image at (0, 0), through the palette just set: red 200 (to a 5-bit step).
    const uint32_t shown = Device().GetShownColor(3, 3);
    EXPECT_NEAR(static_cast<int>(shown >> 16), 200, 8);
    EXPECT_EQ(shown & 0xFFFF, 0u);
    EXPECT_EQ(Device().GetShownColor(4, 4), 0u);
}

TEST_F(ScreenFadeTest, TheEndOfAFadeInShowsTheGamePaletteOnEightBits)
{
    SetUpDisplay(8);
    CPaletteTable* game = GetCurrentPaletteRef();
    Ramp(*game, 0, 1, 90, 30);
    screen.FadeToBlack(nullptr, nullptr, nullptr, nullptr, 0);
    screen.StartFadeIn(0.5f);
    screen.UpdateFade(0.3f);
    EXPECT_EQ(Device().GetPalette()[100], (platform::PaletteEntry{0, 0, 0, 1}));
    screen.UpdateFade(0.3f);
    ExpectDisplayPalette(*game);
    // A fade-out leaves the palette as it is.
    screen.StartFadeOut(0.5f);
    screen.UpdateFade(1.0f);
    ExpectDisplayPalette(*game);
    screen.ReleaseSurfaces();

    // 16-bit screens fade by the level; their palette stays.
    SetUpDisplay(16);
    screen.FadeToBlack(nullptr, nullptr, nullptr, nullptr, 0);
    screen.StartFadeIn(0.5f);
    screen.UpdateFade(1.0f);
    EXPECT_EQ(Device().GetPalette()[100], (platform::PaletteEntry{0, 0, 0, 1}));
}

TEST_F(ScreenFadeTest, HugeBrightnessLiftsTheEightBitPaletteToWhite)
{
    SetUpDisplay(8);
    CPaletteTable table;
    Ramp(table, 0, 1, 0, 0);
    screen.SetPaletteEntries(&table, true);
    screen.SetBrightness(1e30f);
    EXPECT_EQ(Device().GetPalette()[7], (platform::PaletteEntry{255, 255, 255, 1}));
    screen.SetBrightness(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(screen.GetBrightness(), 1.0f);
    EXPECT_EQ(Device().GetPalette()[7], (platform::PaletteEntry{7, 0, 0, 1}));
}
