// The event queue between backend and pump, and the headless backend's window services.
#include "platform/EventQueue.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace platform;

namespace {

class HeadlessWindow : public ::testing::Test
{
protected:
    void SetUp() override { GetHeadlessBackend().Reset(); }
    void TearDown() override
    {
        GetHeadlessBackend().Reset();
        SetSystemCursorVisible(true);
    }

    std::vector<Event> Drain()
    {
        std::vector<Event> out;
        Event e;
        while (PollEvent(e))
            out.push_back(e);
        return out;
    }
};

TEST_F(HeadlessWindow, TimedEventsArriveOnceTheirTimeHasCome)
{
    HeadlessBackend& hb = GetHeadlessBackend();
    EnableVirtualClock();
    const uint64_t now = GetCounter();
    hb.QueueEventAt(now + 2000, Event::Simple(EventType::Close));
    hb.QueueEventAt(now + 1000, Event::Char('b'));
    hb.QueueEvent(Event::Char('a'));
    auto events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].character, 'a');
    AdvanceVirtualClock(1000);
    events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].character, 'b');
    AdvanceVirtualClock(5000);
    events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EventType::Close);
    EXPECT_TRUE(Drain().empty());
    hb.QueueEventAt(GetCounter() + 10, Event::Char('c'));
    hb.Reset();
    AdvanceVirtualClock(100);
    EXPECT_TRUE(Drain().empty());
    DisableVirtualClock();
}

TEST_F(HeadlessWindow, OnlyTheLatestOfConsecutiveMovesIsKept)
{
    HeadlessBackend& hb = GetHeadlessBackend();
    for (int i = 0; i < 1000; ++i)
        hb.QueueEvent(Event::Mouse(EventType::MouseMove, i, -i));
    hb.QueueEvent(Event::Mouse(EventType::MouseDown, 5, 6, kMouseLeft));
    hb.QueueEvent(Event::Mouse(EventType::MouseMove, 7, 8));
    hb.QueueEvent(Event::Mouse(EventType::MouseMove, 9, 10));
    hb.QueueEvent(Event::Char('x'));
    auto events = Drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].type, EventType::MouseMove);
    EXPECT_EQ(events[0].x, 999);
    EXPECT_EQ(events[0].y, -999);
    // A move never jumps over another event: the press still sees the position before it.
    EXPECT_EQ(events[1].type, EventType::MouseDown);
    EXPECT_EQ(events[2].type, EventType::MouseMove);
    EXPECT_EQ(events[2].x, 9);
    EXPECT_EQ(events[3].type, EventType::Char);
    EXPECT_EQ(events[3].character, 'x');
}

TEST_F(HeadlessWindow, PostedEventsComeBeforeThoseTheBackendStillHolds)
{
    GetHeadlessBackend().QueueEvent(Event::Simple(EventType::Paint));
    PostEvent(Event::Simple(EventType::Close));
    EXPECT_EQ(PendingEventCount(), 1);
    auto events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, EventType::Close);
    EXPECT_EQ(events[1].type, EventType::Paint);
    EXPECT_EQ(PendingEventCount(), 0);
    Event none;
    EXPECT_FALSE(PollEvent(none));
}

TEST_F(HeadlessWindow, CursorRequestMadeBeforeTheWindowIsApplied)
{
    HeadlessBackend& hb = GetHeadlessBackend();
    SetSystemCursorVisible(false);
    EXPECT_FALSE(IsSystemCursorVisible());
    // A backend installed later takes the stored request over, and so does the window.
    InstallBackend(nullptr);
    EXPECT_FALSE(hb.IsCursorShown());
    hb.SetSystemCursorVisible(true);   // as a fresh device would start
    ASSERT_TRUE(CreateMainWindow("Vantorel"));
    EXPECT_FALSE(hb.IsCursorShown());
    EXPECT_EQ(hb.GetWindowTitle(), "Vantorel");
    EXPECT_TRUE(HasMainWindow());
}

TEST_F(HeadlessWindow, TitleAndBoxTextsReachTheBackendAsUtf8)
{
    HeadlessBackend& hb = GetHeadlessBackend();
    ASSERT_TRUE(CreateMainWindow("Caf\xE9"));
    EXPECT_EQ(hb.GetWindowTitle(), "Caf\xC3\xA9");
    testing::internal::CaptureStderr();
    ShowMessageBox("Fatal Error", "Price: 5\x80");
    ShowPlainMessageBox("Error", "plain");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Fatal Error: Price: 5\xE2\x82\xAC\nError: plain\n");
    auto boxes = hb.GetMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Fatal Error");
    EXPECT_EQ(boxes[0].text, "Price: 5\xE2\x82\xAC");
    EXPECT_FALSE(boxes[0].plain);
    EXPECT_TRUE(boxes[1].plain);
}

TEST_F(HeadlessWindow, ClipboardConvertsAndKnowsWhenEmpty)
{
    HeadlessBackend& hb = GetHeadlessBackend();
    std::string text = "stale";
    EXPECT_FALSE(GetClipboardText(text));
    EXPECT_TRUE(text.empty());
    ASSERT_TRUE(SetClipboardText("na\xEFve \x80"));
    EXPECT_EQ(hb.GetClipboardUtf8(), std::optional<std::string>("na\xC3\xAFve \xE2\x82\xAC"));
    ASSERT_TRUE(GetClipboardText(text));
    EXPECT_EQ(text, "na\xEFve \x80");
    // Text another program put there that the code page cannot hold.
    hb.SetClipboardUtf8("\xE2\x86\x92 ok");
    ASSERT_TRUE(GetClipboardText(text));
    EXPECT_EQ(text, "? ok");
}

TEST_F(HeadlessWindow, MinimisingSaysSoAndRestoring)
{
    HeadlessBackend& hb = GetHeadlessBackend();
    MinimizeMainWindow();
    EXPECT_TRUE(Drain().empty());   // no window, nothing to minimise
    ASSERT_TRUE(CreateMainWindow("Vantorel"));
    MinimizeMainWindow();
    EXPECT_TRUE(hb.IsMinimized());
    auto events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, EventType::Deactivate);
    EXPECT_EQ(events[1].type, EventType::Minimize);
    hb.QueueEvent(Event::Simple(EventType::Restore));
    Drain();
    EXPECT_FALSE(hb.IsMinimized());
}

TEST_F(HeadlessWindow, KeyNamesAndDesktopDepth)
{
    EXPECT_EQ(GetKeyName(285), "Right Ctrl");
    EXPECT_EQ(GetKeyName(30), "A");
    EXPECT_EQ(GetKeyName(0), "");
    EXPECT_EQ(GetKeyName(84), "");
    EXPECT_EQ(GetDesktopBitDepth(), 32);
    GetHeadlessBackend().SetDesktopBitDepth(16);
    EXPECT_EQ(GetDesktopBitDepth(), 16);
}

TEST_F(HeadlessWindow, JoysticksPluggedInByATest)
{
    Joysticks& joysticks = GetJoysticks();
    EXPECT_EQ(joysticks.GetCount(), 0);
    JoystickCaps caps;
    EXPECT_FALSE(joysticks.Open(0, caps));
    JoystickCaps pad;
    pad.buttonCount = 4;
    int id = GetHeadlessBackend().GetHeadlessJoysticks().AddDevice(pad);
    ASSERT_TRUE(joysticks.Open(id, caps));
    EXPECT_EQ(caps.name, "Unknown Joystick");
    JoystickState state;
    state.buttons = 5;
    state.pov = 9000;
    GetHeadlessBackend().GetHeadlessJoysticks().SetState(id, state);
    JoystickState read;
    ASSERT_TRUE(joysticks.Poll(id, read));
    EXPECT_EQ(read.buttons, 5u);
    EXPECT_EQ(read.pov, 9000u);
    EXPECT_EQ(read.axes[0], 32768u);
    EXPECT_FALSE(GetForceFeedback().OpenDevice(HapticDevice::Joystick));
}

} // namespace

namespace {

// A wait on the real clock ends when another thread posts, not when its time is up, and a wait
// with nothing coming lasts its time.
TEST(EventWait, APostFromAnotherThreadEndsTheWait)
{
    platform::GetHeadlessBackend().Reset();
    const uint64_t start = platform::GetCounter();
    std::thread poster([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        platform::PostEvent(platform::Event::Simple(platform::EventType::Close));
    });
    EXPECT_TRUE(platform::WaitForEvent(10000));
    poster.join();
    EXPECT_LT(platform::GetCounter() - start, 5000000000u);
    platform::ClearEvents();

    const uint64_t quiet = platform::GetCounter();
    EXPECT_FALSE(platform::WaitForEvent(20));
    EXPECT_GE(platform::GetCounter() - quiet, 19000000u);
    platform::GetHeadlessBackend().Reset();
}

} // namespace
