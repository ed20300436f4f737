// The message pump and the window procedure: input fed from events, the key map, the inactive
// sleeps, the re-entry guard and the window's activation.
#include "AppTestSupport.h"
#include "app/WinMain.h"
#include "graphics/ScreenFrame.h"
#include "graphics/Sequence.h"

#include <string>
#include <vector>

namespace {

using platform::Event;
using platform::EventType;
using MessagePump = AppFixture;

constexpr int kVkControl = 17;
constexpr int kVkTab = 9;

std::string DrainRing()
{
    std::string text;
    while (int c = g_keyboard.ReadChar())
        text += static_cast<char>(c);
    return text;
}

TEST_F(MessagePump, CtrlTabPutsTabIntoTheRingAndTabAloneDoesNot)
{
    // Right Ctrl arrives as key number 285, and counts as Ctrl like the left one (29).
    Deliver({Event::Key(EventType::KeyDown, 285, kVkControl), Event::Key(EventType::KeyDown, 15, kVkTab)});
    EXPECT_TRUE(g_keyboard.IsKeyDown(285));
    EXPECT_FALSE(g_keyboard.IsKeyDown(29));
    EXPECT_EQ(DrainRing(), "\t");

    Deliver({Event::Key(EventType::KeyUp, 285, kVkControl), Event::Key(EventType::KeyUp, 15, kVkTab)});
    EXPECT_FALSE(g_keyboard.IsKeyDown(285));
    EXPECT_EQ(MapVirtualKeyToUiKey(kVkTab), 0);
    // Tab alone: the key map gives nothing, the typed character gives the Tab.
    Deliver({Event::Key(EventType::KeyDown, 15, kVkTab), Event::Char('\t')});
    EXPECT_EQ(DrainRing(), "\t");
}

TEST_F(MessagePump, KeyMapOfSpecialKeys)
{
    const std::vector<std::pair<int, int>> map = {
        {33, 7},   {34, 15},  {35, 14},  {36, 5},   {37, 11},  {38, 6},   {39, 12},  {40, 10},
        {45, 16},  {46, 17},  {112, 19}, {113, 0},  {114, 0},  {115, 20}, {116, 2},  {117, 28},
        {118, 21}, {119, 23}, {120, 29}, {121, 25}, {122, 26}, {123, 30}, {124, 0},  {8, 0},
        {13, 0},   {27, 0},   {65, 0},   {48, 0},   {57, 0},
    };
    for (auto [vk, code] : map)
        EXPECT_EQ(MapVirtualKeyToUiKey(vk), code) << "virtual key " << vk;

    g_keyboard.OnKeyDown(29);
    EXPECT_EQ(MapVirtualKeyToUiKey(48), 48);
    EXPECT_EQ(MapVirtualKeyToUiKey(53), 53);
    EXPECT_EQ(MapVirtualKeyToUiKey(kVkTab), 9);
    EXPECT_EQ(MapVirtualKeyToUiKey(37), 11);
    EXPECT_EQ(MapVirtualKeyToUiKey(8), 0);
}

TEST_F(MessagePump, SpecialKeysAndTheContextMenuReachTheRingInOrder)
{
    Deliver({Event::Key(EventType::KeyDown, 328, 38), Event::Simple(EventType::ContextMenu),
             Event::Key(EventType::KeyDown, 60, 113), Event::Key(EventType::KeyDown, 68, 121), Event::Char('x')});
    EXPECT_EQ(DrainRing(), std::string("\x06\x12\x19x"));
    EXPECT_TRUE(g_keyboard.IsKeyDown(60));
}

TEST_F(MessagePump, MouseEventsFeedTheMouse)
{
    Deliver({Event::Mouse(EventType::MouseMove, 100, 200), Event::Mouse(EventType::MouseDown, 100, 200, 2)});
    EXPECT_EQ(g_mouse.GetX(), 100);
    EXPECT_EQ(g_mouse.GetY(), 200);
    EXPECT_EQ(g_mouse.GetButtons(), 2u);

    // A drag held beyond the left and top edges reads negative on both axes.
    Deliver({Event::Mouse(EventType::MouseMove, -20, -3)});
    EXPECT_EQ(g_mouse.GetX(), -20);
    EXPECT_EQ(g_mouse.GetY(), -3);

    Deliver({Event::Mouse(EventType::MouseUp, 0, 0, 2), Event::Mouse(EventType::MouseDown, 0, 0, 1),
             Event::Mouse(EventType::MouseUp, 0, 0, 1), Event::Mouse(EventType::MouseDoubleClick, 0, 0, 1)});
    // A double click sets the double-click bit and the held bit.
    EXPECT_EQ(g_mouse.GetButtons(), 1u);
    EXPECT_EQ(g_mouse.GetDoubleClicks(), 1u);
    Deliver({Event::Mouse(EventType::MouseUp, 0, 0, 1)});
    EXPECT_EQ(g_mouse.GetButtons(), 0u);
    EXPECT_EQ(g_mouse.GetDoubleClicks(), 1u);

    Deliver({Event::Wheel(60), Event::Wheel(60), Event::Wheel(-30)});
    EXPECT_FLOAT_EQ(g_mouse.GetWheel(), 0.75f);
}

TEST_F(MessagePump, InactiveFetchesSleepAHundredMillisecondsEach)
{
    SetMainWindowState(false, false);
    for (int i = 0; i < 3; ++i)
        platform::GetHeadlessBackend().QueueEvent(Event::Char('a'));
    uint64_t start = platform::GetCounter();
    PumpWindowMessages();
    // Three events and the fetch that found none.
    EXPECT_EQ(platform::GetCounter() - start, 400000000u);
    EXPECT_EQ(g_keyboard.GetTypeAheadCount(), 3);

    // Minimised counts as inactive too.
    SetMainWindowState(true, true);
    start = platform::GetCounter();
    PumpWindowMessages();
    EXPECT_EQ(platform::GetCounter() - start, 100000000u);

    // Active: the pump never waits.
    SetMainWindowState(true, false);
    platform::GetHeadlessBackend().QueueEvent(Event::Char('b'));
    start = platform::GetCounter();
    PumpWindowMessages();
    EXPECT_EQ(platform::GetCounter(), start);
}

TEST_F(MessagePump, AnApplicationThatRunsWhileInactiveSleepsOneMillisecond)
{
    TestApplication app;
    app.SetRunsWhenInactive(true);
    SetMainWindowState(false, false);
    platform::GetHeadlessBackend().QueueEvent(Event::Char('a'));
    platform::GetHeadlessBackend().QueueEvent(Event::Char('b'));
    const uint64_t start = platform::GetCounter();
    PumpWindowMessages();
    EXPECT_EQ(platform::GetCounter() - start, 3000000u);
}

bool PumpInsideTheFilter(void* context, int character)
{
    auto* seen = static_cast<std::vector<bool>*>(context);
    if (character == 'a') {
        seen->push_back(IsPumpRunning());
        PumpWindowMessages();
    }
    return false;
}

TEST_F(MessagePump, ANestedPumpReturnsAtOnce)
{
    std::vector<bool> seen;
    g_keyboard.SetFilter(PumpInsideTheFilter, &seen);
    Deliver({Event::Char('a'), Event::Char('b'), Event::Char('c')});
    g_keyboard.SetFilter(nullptr, nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0]);
    // The nested call took nothing out of order.
    EXPECT_EQ(DrainRing(), "abc");
    EXPECT_FALSE(IsPumpRunning());
}

TEST_F(MessagePump, ActivationClearsTheKeyboardWithoutEatingTheEventsBehindIt)
{
    TestApplication app;
    app.OnActivate(false);
    // Activating clears the keyboard, pumping; the key that follows in the queue must survive.
    Deliver({Event::Simple(EventType::Activate), Event::Key(EventType::KeyDown, 30, 'A')});
    EXPECT_TRUE(app.GetActivationState());
    EXPECT_TRUE(g_keyboard.IsKeyDown(30));
}

TEST_F(MessagePump, WindowStateFollowsActivationAndMinimising)
{
    TestApplication app;
    g_keyboard.OnKeyDown(30);
    Deliver({Event::Simple(EventType::Deactivate)});
    EXPECT_FALSE(IsApplicationActive());
    EXPECT_FALSE(app.GetActivationState());
    EXPECT_TRUE(g_mouse.IsSystemCursorMode());
    EXPECT_FALSE(g_keyboard.IsKeyDown(30));

    Deliver({Event::Simple(EventType::Activate)});
    EXPECT_TRUE(IsApplicationActive());
    EXPECT_TRUE(app.GetActivationState());
    EXPECT_FALSE(g_mouse.IsSystemCursorMode());

    // Minimising (as the headless desktop does it: focus lost, then minimised).
    platform::MinimizeMainWindow();
    PumpWindowMessages();
    EXPECT_TRUE(IsMainWindowMinimised());
    EXPECT_FALSE(IsApplicationActive());
    EXPECT_FALSE(app.GetActivationState());

    // Restored, but not yet active: still inactive until the focus comes back.
    SetMainWindowState(false, true);
    Deliver({Event::Simple(EventType::Restore)});
    EXPECT_FALSE(IsMainWindowMinimised());
    EXPECT_FALSE(app.GetActivationState());
    Deliver({Event::Simple(EventType::Activate)});
    EXPECT_TRUE(app.GetActivationState());
}

TEST_F(MessagePump, MinimisedLoopSleepsAndDoesNotTick)
{
    TestApplication app;
    app.Prime();
    SetMainWindowState(true, true);
    uint64_t start = platform::GetCounter();
    RunMainLoopPass();
    EXPECT_EQ(platform::GetCounter() - start, 100000000u);
    EXPECT_TRUE(app.updates.empty());
    EXPECT_FALSE(app.IsActive());

    // Running while inactive: the tick runs.
    app.SetRunsWhenInactive(true);
    RunMainLoopPass();
    EXPECT_FALSE(app.updates.empty());
    EXPECT_FALSE(app.IsActive());

    SetMainWindowState(true, false);
    app.updates.clear();
    platform::AdvanceVirtualClock(kStepNanoseconds);
    RunMainLoopPass();
    EXPECT_TRUE(app.IsActive());
    EXPECT_EQ(app.updates.size(), 1u);
}

// An active loop that has no step due waits until the next step, or less when an event comes
// first, and then steps on time: ticks neither spin nor drift.
TEST_F(MessagePump, AnActiveLoopWaitsForTheNextStepOrAnEarlierEvent)
{
    TestApplication app;
    app.Prime();
    platform::AdvanceVirtualClock(kStepNanoseconds);
    const uint64_t start = platform::GetCounter();
    RunMainLoopPass();
    EXPECT_EQ(app.updates.size(), 1u);
    EXPECT_EQ(platform::GetCounter() - start, 17000000u);   // the step, to the next whole millisecond
    RunMainLoopPass();
    EXPECT_EQ(app.updates.size(), 2u);

    // A key arriving 5 ms into the wait ends it then.
    const uint64_t before = platform::GetCounter();
    platform::GetHeadlessBackend().QueueEventAt(before + 5000000, Event::Key(EventType::KeyDown, 30, 'A'));
    RunMainLoopPass();
    EXPECT_LT(platform::GetCounter() - before, 6000000u);
    RunMainLoopPass();
    EXPECT_TRUE(g_keyboard.IsKeyDown(30));

    // Sixty passes cover a second of steps, one each.
    const size_t updates = app.updates.size();
    const uint64_t second = platform::GetCounter();
    while (platform::GetCounter() - second < 1000000000u)
        RunMainLoopPass();
    EXPECT_NEAR(static_cast<double>(app.updates.size() - updates), 60.0, 1.0);
}

// The windowed window gets the display's client size and is moved into the work area: back from
// its right and bottom edges, but never with its caption past the left or top edge.
TEST_F(MessagePump, TheWindowedWindowFitsTheDisplayAndStaysInTheWorkArea)
{
    TestApplication app;
    ASSERT_NE(app.GetDisplay(), nullptr);
    const int width = app.GetDisplay()->GetWidth(), height = app.GetDisplay()->GetHeight();
    platform::HeadlessBackend& desktop = platform::GetHeadlessBackend();
    desktop.SetWindowBorders({4, 24, 4, 4});
    struct Case
    {
        platform::DesktopRect area;
        int clientLeft, clientTop;
        int expectedFrameLeft, expectedFrameTop;
    };
    const Case cases[] = {
        {{0, 30, 1024, 740}, -50, 0, 0, 30},                                   // off the left and top
        {{0, 30, 1024, 740}, 900, 600, 1024 - width - 8, 740 - height - 28},   // off the right and bottom
        {{0, 30, 1024, 740}, 100, 100, 96, 76},                                // inside: not moved
        {{10, 20, 300, 200}, 50, 60, 10, 20},                                  // larger than the area
    };
    for (const Case& c : cases) {
        desktop.SetDesktopWorkArea(c.area);
        desktop.SetClientRect({c.clientLeft, c.clientTop, c.clientLeft + 1, c.clientTop + 1});
        ResizeWindowForWindowedMode();
        platform::DesktopRect frame;
        ASSERT_TRUE(platform::GetMainWindowFrame(frame));
        EXPECT_EQ(frame.left, c.expectedFrameLeft) << c.clientLeft;
        EXPECT_EQ(frame.top, c.expectedFrameTop) << c.clientTop;
        const platform::DesktopRect client = desktop.GetClientRect();
        EXPECT_EQ(client.right - client.left, width);
        EXPECT_EQ(client.bottom - client.top, height);
    }
}

TEST_F(MessagePump, PaintPresentsTheWindowedPageOnly)
{
    TestApplication app;
    platform::MemoryDisplay& display = platform::GetHeadlessBackend().GetMemoryDisplay();
    ASSERT_NE(app.GetDisplay(), nullptr);
    ASSERT_TRUE(app.GetDisplay()->IsFullScreen());
    int before = display.GetPresentCount();
    Deliver({Event::Simple(EventType::Paint)});
    EXPECT_EQ(display.GetPresentCount(), before);

    // A display that had to fall back to a window.
    display.SetFlipToSystemRefused(true);
    app.GetDisplay()->BeginGdiMode();
    app.GetDisplay()->EndGdiMode();
    ASSERT_FALSE(app.GetDisplay()->IsFullScreen());
    before = display.GetPresentCount();
    Deliver({Event::Simple(EventType::Paint)});
    EXPECT_EQ(display.GetPresentCount(), before + 1);
}

TEST_F(MessagePump, PointerEnteringAppliesTheCursorRule)
{
    g_mouse.ShowCursor();   // visible, no cursor sequence: the system arrow
    platform::SetSystemCursorVisible(false);
    Deliver({Event::Simple(EventType::MouseEnter)});
    EXPECT_TRUE(platform::IsSystemCursorVisible());
    g_mouse.HideCursor();
    EXPECT_FALSE(platform::IsSystemCursorVisible());
}

TEST_F(MessagePump, PointerMovesApplyTheCursorRule)
{
    // The pointer stays over the window while the application loses the focus: the next move
    // brings the system arrow back, and the next move after the focus returns removes it again.
    TestApplication app;
    CSequence cursor;
    g_mouse.SetCursorSequence(&cursor);
    g_mouse.ShowCursor();
    EXPECT_FALSE(platform::IsSystemCursorVisible());
    Deliver({Event::Simple(EventType::Deactivate)});
    Deliver({Event::Mouse(EventType::MouseMove, 10, 12)});
    EXPECT_TRUE(platform::IsSystemCursorVisible());
    Deliver({Event::Simple(EventType::Activate)});
    Deliver({Event::Mouse(EventType::MouseMove, 11, 12)});
    EXPECT_FALSE(platform::IsSystemCursorVisible());
    g_mouse.SetCursorSequence(nullptr);
}

} // namespace
