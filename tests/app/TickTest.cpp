// The fixed-step tick on the virtual clock: catch-up, carry, real time off, frames per draw, and the
// frame statistics.
#include "AppTestSupport.h"
#include "../graphics/SequenceTestSupport.h"
#include "app/Stopwatch.h"

#include <string>

namespace {

using TickTest = AppFixture;

TEST_F(TickTest, FirstTickAfterStartCatchesUpTheMaximum)
{
    TestApplication app;
    app.Tick();
    EXPECT_EQ(app.updates.size(), 5u);
    EXPECT_EQ(app.draws, 1);
}

TEST_F(TickTest, StallOfTwoSecondsRunsFiveStepsThenOneDraw)
{
    TestApplication app;
    app.Prime();
    platform::AdvanceVirtualClock(2 * kSecond);
    app.Tick();
    ASSERT_EQ(app.updates.size(), 5u);
    for (float dt : app.updates)
        EXPECT_NEAR(dt, kStep, 1e-6f);
    EXPECT_EQ(app.draws, 1);
    // Only the few nanoseconds left over are carried; the rest of the stall is dropped.
    EXPECT_GE(app.GetCarry(), 0.0f);
    EXPECT_LT(app.GetCarry(), 1e-6f);
    EXPECT_EQ(app.GetFrameNumber(), 10u);
    EXPECT_NEAR(app.GetSimulatedTime(), 10.0 / 60.0, 1e-6);
}

TEST_F(TickTest, BelowOneStepNothingRunsAndTheTimeIsCarried)
{
    TestApplication app;
    app.Prime();
    platform::AdvanceVirtualClock(10000000);   // 10 ms
    float left = app.Tick();
    EXPECT_TRUE(app.updates.empty());
    EXPECT_EQ(app.draws, 0);
    EXPECT_NEAR(app.GetCarry(), 0.010f, 1e-6f);
    EXPECT_NEAR(left, kStep - 0.010f, 1e-6f);

    // Another 10 ms: one full step runs, the rest waits.
    platform::AdvanceVirtualClock(10000000);
    left = app.Tick();
    ASSERT_EQ(app.updates.size(), 1u);
    EXPECT_NEAR(app.updates[0], kStep, 1e-6f);
    EXPECT_EQ(app.draws, 1);
    EXPECT_NEAR(app.GetCarry(), 0.020f - kStep, 1e-6f);
    EXPECT_NEAR(left, kStep - (0.020f - kStep), 1e-6f);
}

TEST_F(TickTest, AStepNoLargerThanTheStepRunsTheRemainderItself)
{
    // A minimum step below the step lets a short remainder run as a step of its own.
    TestApplication app(nullptr, nullptr, nullptr, 1.0f / 120.0f);
    app.Prime();
    platform::AdvanceVirtualClock(12000000);   // 12 ms
    app.Tick();
    ASSERT_EQ(app.updates.size(), 1u);
    EXPECT_NEAR(app.updates[0], 0.012f, 1e-6f);
    EXPECT_EQ(app.GetCarry(), 0.0f);
    EXPECT_EQ(app.draws, 1);
}

TEST_F(TickTest, WithoutRealTimeEveryTickIsOneFullStepAndOneDraw)
{
    TestApplication app;
    app.Prime();
    app.SetMeasureRealTime(false);
    platform::AdvanceVirtualClock(2 * kSecond);
    app.Tick();
    app.Tick();   // no time passed at all
    ASSERT_EQ(app.updates.size(), 2u);
    EXPECT_EQ(app.updates[0], kStep);
    EXPECT_EQ(app.updates[1], kStep);
    EXPECT_EQ(app.draws, 2);
}

TEST_F(TickTest, TwoFramesPerDrawStepOncePerTickAndDrawEverySecondStep)
{
    TestApplication app;
    app.Prime();
    app.SetFramesPerDraw(2);
    platform::AdvanceVirtualClock(2 * kSecond);
    float left = app.Tick();
    EXPECT_EQ(app.updates.size(), 1u);
    EXPECT_EQ(app.draws, 0);
    // Four steps' worth is carried, so the next step is overdue: the result is negative.
    EXPECT_NEAR(app.GetCarry(), 4 * kStep, 1e-6f);
    EXPECT_LT(left, 0.0f);

    app.Tick();
    EXPECT_EQ(app.updates.size(), 2u);
    EXPECT_EQ(app.draws, 1);
    app.Tick();
    app.Tick();
    EXPECT_EQ(app.updates.size(), 4u);
    EXPECT_EQ(app.draws, 2);
    // The carry is used up: this tick has no step to run, and does not count towards a draw.
    app.Tick();
    EXPECT_EQ(app.updates.size(), 5u);
    app.Tick();
    EXPECT_EQ(app.updates.size(), 5u);
    EXPECT_EQ(app.draws, 2);
    platform::AdvanceVirtualClock(kStepNanoseconds);
    app.Tick();
    EXPECT_EQ(app.updates.size(), 6u);
    EXPECT_EQ(app.draws, 3);
}

TEST_F(TickTest, DrawPresentsOnlyWhileActive)
{
    TestApplication app;
    platform::MemoryDisplay& display = platform::GetHeadlessBackend().GetMemoryDisplay();
    const int before = display.GetPresentCount();
    EXPECT_TRUE(app.Draw());
    EXPECT_EQ(display.GetPresentCount(), before + 1);
    app.SetActive(false);
    EXPECT_FALSE(app.Draw());
    EXPECT_EQ(display.GetPresentCount(), before + 1);
}

// The columns of the shown row y that are not black.
std::vector<int> LitColumns(const platform::MemoryDisplay& display, int y)
{
    std::vector<int> columns;
    for (int x = 0; x < 640; ++x)
        if (display.GetShownColor(x, y) != 0)
            columns.push_back(x);
    return columns;
}

TEST_F(TickTest, StatisticsLineIsDrawnInItsBoxOnceThirtyLapsAreTaken)
{
    // A statistics font of white blocks: "X" 6 pixels wide, every other glyph 4, all 8 high.
    CFont font;
    seqtest::MakeBlockFont(font, 32, 126, 16, 8, [](int32_t c) { return c == 'X' ? 6u : 4u; },
                           [](int32_t) { return 0xFFFFu; });
    TestApplication app;
    app.SetUpScreenWindow(nullptr, nullptr, nullptr, &font, nullptr);
    app.SetShowFrameRate(true);
    platform::MemoryDisplay& display = platform::GetHeadlessBackend().GetMemoryDisplay();
    app.Prime();   // the first draw only starts the frame stopwatch
    for (int i = 0; i < 29; ++i) {
        platform::AdvanceVirtualClock(kStepNanoseconds);
        app.Tick();
    }
    EXPECT_TRUE(LitColumns(display, 0).empty());

    // The 30th lap: the box, centred, one font height high, as wide as the text in "X"s. On the
    // virtual clock no time passes while processing, so the rate is below 20: red, then yellow.
    platform::AdvanceVirtualClock(kStepNanoseconds);
    app.Tick();
    const std::vector<int> lit = LitColumns(display, 0);
    ASSERT_FALSE(lit.empty());
    const int left = lit.front(), right = lit.back() + 1;
    EXPECT_EQ((right - left) % 6, 0);
    EXPECT_GE(right - left, 6 * 20);
    EXPECT_EQ(left + right, 640);   // centred on the display's width
    EXPECT_EQ(static_cast<int>(lit.size()), right - left);
    EXPECT_EQ(display.GetShownColor(left, 0), 0xFF0000u);       // the box beside the first glyph
    EXPECT_EQ(display.GetShownColor(left + 1, 0), 0xFFFFFFu);   // "U", centred in its cell
    EXPECT_EQ(display.GetShownColor(left, 7), 0xFF0000u);
    EXPECT_TRUE(LitColumns(display, 8).empty());

    platform::AdvanceVirtualClock(kStepNanoseconds);
    app.Tick();
    EXPECT_EQ(display.GetShownColor(left, 0), 0xFFFF00u);
}

TEST(Stopwatch, RateOverThirtyLaps)
{
    platform::EnableVirtualClock();
    CStopwatch watch;
    EXPECT_EQ(watch.LapRate(), 0.0f);   // no start yet: no lap
    for (int i = 0; i < 29; ++i) {
        platform::AdvanceVirtualClock(10000000);
        EXPECT_EQ(watch.LapRate(), 0.0f);
    }
    platform::AdvanceVirtualClock(10000000);
    EXPECT_NEAR(watch.LapRate(), 100.0f, 1e-3f);
    // The ring keeps the last thirty laps: one slow lap of 40 ms moves the average.
    platform::AdvanceVirtualClock(40000000);
    EXPECT_NEAR(watch.LapRate(), 30.0f / 0.33f, 1e-2f);
    watch.Reset();
    EXPECT_EQ(watch.GetLapsTaken(), 0);
    EXPECT_EQ(watch.LapRate(), 0.0f);
    platform::DisableVirtualClock();
}

TEST(Stopwatch, LongLapsCountAsOneSecondOnANanosecondCounter)
{
    platform::EnableVirtualClock();
    CStopwatch watch;
    watch.Start();
    float rate = 0.0f;
    // Five seconds do not fit in 32 bits of nanoseconds; each lap still counts as one second.
    for (int i = 0; i < 30; ++i) {
        platform::AdvanceVirtualClock(5 * kSecond);
        rate = watch.LapRate();
    }
    EXPECT_NEAR(rate, 1.0f, 1e-6f);
    platform::DisableVirtualClock();
}

} // namespace
