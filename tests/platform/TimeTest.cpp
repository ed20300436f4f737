// The tick count, the counter, the virtual clock and the periodic timer.
#include "platform/PeriodicTimer.h"
#include "platform/Time.h"
#include "platform/headless/HeadlessBackend.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace platform;

namespace {

class VirtualClock : public ::testing::Test
{
protected:
    void TearDown() override
    {
        DisableVirtualClock();
        SetVirtualPresentStep(16666667);
        GetHeadlessBackend().Reset();
    }
};

TEST(Time, TickCountRunsSinceBootAndFollowsTheCounter)
{
    EXPECT_EQ(GetCounterFrequency(), 1000000000u);
    uint64_t c1 = GetCounter();
    uint32_t t1 = GetTickCount();
    EXPECT_NE(t1, 0u);
    Sleep(20);
    uint64_t c2 = GetCounter();
    uint32_t t2 = GetTickCount();
    EXPECT_GE(c2 - c1, 20000000u);
    // Differences of 32-bit ticks are taken in 64 bits, as everywhere in the engine.
    int64_t elapsed = static_cast<int64_t>(static_cast<uint32_t>(t2 - t1));
    EXPECT_GE(elapsed, 19);
    EXPECT_LT(elapsed, 5000);
    // Counter and tick count come from the same clock.
    EXPECT_LE(static_cast<uint32_t>(GetCounter() / 1000000u) - t2, 1000u);
}

TEST_F(VirtualClock, SleepAndPresentAdvanceIt)
{
    EnableVirtualClock(5000000000ull);
    EXPECT_TRUE(IsVirtualClock());
    EXPECT_EQ(GetCounter(), 5000000000ull);
    EXPECT_EQ(GetTickCount(), 5000u);
    auto before = std::chrono::steady_clock::now();
    Sleep(60000);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));   // no real wait
    EXPECT_EQ(GetTickCount(), 65000u);

    MemoryDisplay& display = GetHeadlessBackend().GetMemoryDisplay();
    ASSERT_TRUE(display.Open());
    ASSERT_TRUE(display.SetFullScreen(false));
    ASSERT_TRUE(display.CreatePages({64, 32, 16}, 0, true));
    SetVirtualPresentStep(20000000);
    uint64_t c = GetCounter();
    ASSERT_TRUE(display.Present());
    EXPECT_EQ(GetCounter() - c, 20000000u);
    AdvanceVirtualClock(5);
    EXPECT_EQ(GetCounter() - c, 20000005u);
}

TEST_F(VirtualClock, TickCountIsNeverZero)
{
    EnableVirtualClock(0);
    EXPECT_EQ(GetTickCount(), 1u);
    // It wraps like the system's.
    EnableVirtualClock((1ull << 32) * 1000000ull + 7000000ull);
    EXPECT_EQ(GetTickCount(), 7u);
    DisableVirtualClock();
    EXPECT_FALSE(IsVirtualClock());
}

TEST(PeriodicTimer, CallsBackOnItsOwnThreadUntilStopped)
{
    PeriodicTimer timer;
    std::atomic<int> calls{0};
    std::atomic<bool> otherThread{true};
    const auto mainThread = std::this_thread::get_id();
    ASSERT_TRUE(timer.Start(5, [&] {
        if (std::this_thread::get_id() == mainThread)
            otherThread = false;
        ++calls;
    }));
    EXPECT_TRUE(timer.IsRunning());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (calls < 5 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    timer.Stop();
    EXPECT_GE(calls.load(), 5);
    EXPECT_TRUE(otherThread.load());
    EXPECT_FALSE(timer.IsRunning());
    int after = calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(calls.load(), after);
}

TEST(PeriodicTimer, StopWaitsForARunningCallback)
{
    PeriodicTimer timer;
    std::atomic<bool> inside{false}, finished{false};
    ASSERT_TRUE(timer.Start(1, [&] {
        inside = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        finished = true;
    }));
    while (!inside)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    timer.Stop();
    // Whatever the callback uses may be released now.
    EXPECT_TRUE(finished.load());
}

TEST(PeriodicTimer, StopFromInsideTheCallbackAndRestart)
{
    PeriodicTimer timer;
    std::atomic<int> calls{0};
    ASSERT_TRUE(timer.Start(1, [&] {
        ++calls;
        timer.Stop();
    }));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((calls == 0 || timer.IsRunning()) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(calls.load(), 1);
    EXPECT_FALSE(timer.IsRunning());

    std::atomic<int> second{0};
    ASSERT_TRUE(timer.Start(1, [&] { ++second; }));
    while (second == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_GT(second.load(), 0);
    // Destruction stops it.
}

TEST(PeriodicTimer, RefusesNoPeriodOrNoCallback)
{
    PeriodicTimer timer;
    EXPECT_FALSE(timer.Start(0, [] {}));
    EXPECT_FALSE(timer.Start(10, nullptr));
    EXPECT_FALSE(timer.IsRunning());
    timer.Stop();   // harmless when not running
}

} // namespace
