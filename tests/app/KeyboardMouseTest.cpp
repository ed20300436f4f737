// The keyboard and mouse states: pressed bits, the type-ahead ring, the filter, key names, the
// wheel, double clicks and the system cursor rule.
#include "AppTestSupport.h"
#include "../graphics/SequenceTestSupport.h"

#include <string>

namespace {

using Keyboard = AppFixture;
using Mouse = AppFixture;

TEST_F(Keyboard, PressAndReleaseBetweenPollsIsTakenOnce)
{
    g_keyboard.OnKeyDown(45);
    g_keyboard.OnKeyUp(45);
    EXPECT_FALSE(g_keyboard.IsKeyDown(45));
    EXPECT_TRUE(g_keyboard.TakeKey(45));
    EXPECT_FALSE(g_keyboard.TakeKey(45));
    // Held keys stay taken as long as they are held.
    g_keyboard.OnKeyDown(46);
    EXPECT_TRUE(g_keyboard.TakeKey(46));
    EXPECT_TRUE(g_keyboard.TakeKey(46));
    EXPECT_TRUE(g_keyboard.IsKeyDown(0));
    EXPECT_FALSE(g_keyboard.IsKeyDown(47));
}

TEST_F(Keyboard, KeyNumbersOutsideTheTableAreIgnored)
{
    g_keyboard.OnKeyDown(512);
    g_keyboard.OnKeyDown(-1);
    g_keyboard.OnKeyDown(100000);
    EXPECT_FALSE(g_keyboard.IsKeyDown(512));
    EXPECT_FALSE(g_keyboard.IsKeyDown(-1));
    EXPECT_EQ(g_keyboard.TakeAnyKey(), 0);
    g_keyboard.OnKeyDown(511);
    EXPECT_EQ(g_keyboard.TakeAnyKeyPress(), 511);
}

TEST_F(Keyboard, TenCharactersLeaveTheLastNine)
{
    for (char c : std::string("0123456789"))
        g_keyboard.OnChar(c);
    EXPECT_EQ(g_keyboard.GetTypeAheadCount(), 9);
    std::string read;
    while (int c = g_keyboard.ReadChar())
        read += static_cast<char>(c);
    EXPECT_EQ(read, "123456789");
    // The ring keeps working across its end.
    g_keyboard.OnChar(0);   // nothing
    g_keyboard.OnChar('a');
    g_keyboard.OnChar('b');
    EXPECT_EQ(g_keyboard.ReadChar(), 'a');
    g_keyboard.FlushTypeAhead(true);
    EXPECT_EQ(g_keyboard.ReadChar(), 0);
}

TEST_F(Keyboard, TakeKeyPressExceptClearsWhatItPasses)
{
    g_keyboard.OnKeyDown(30);
    g_keyboard.OnKeyDown(45);
    g_keyboard.OnKeyUp(30);
    g_keyboard.OnKeyUp(45);
    EXPECT_EQ(g_keyboard.TakeKeyPressExcept(30), 45);
    // Both pressed bits are gone: the excepted key came first and was cleared on the way.
    EXPECT_EQ(g_keyboard.TakeAnyKeyPress(), 0);

    g_keyboard.OnKeyDown(30);
    g_keyboard.OnKeyDown(45);
    EXPECT_EQ(g_keyboard.TakeKeyPressExcept(45), 30);
    EXPECT_EQ(g_keyboard.TakeAnyKeyPress(), 45);
    EXPECT_EQ(g_keyboard.TakeKeyPressExcept(0), 0);
    // TakeAnyKey also finds keys that are only held.
    EXPECT_EQ(g_keyboard.TakeAnyKey(), 30);
}

bool ConsumeDigits(void* context, int character)
{
    ++*static_cast<int*>(context);
    return character >= '0' && character <= '9';
}

TEST_F(Keyboard, FilteredCharactersNeverReachTheRing)
{
    int offered = 0;
    g_keyboard.SetFilter(ConsumeDigits, &offered);
    for (char c : std::string("a1b2"))
        g_keyboard.OnChar(c);
    g_keyboard.SetFilter(nullptr, nullptr);
    EXPECT_EQ(offered, 4);
    EXPECT_EQ(g_keyboard.ReadChar(), 'a');
    EXPECT_EQ(g_keyboard.ReadChar(), 'b');
    EXPECT_EQ(g_keyboard.ReadChar(), 0);
}

TEST_F(Keyboard, ClearAllAppliesQueuedInputFirst)
{
    platform::GetHeadlessBackend().QueueEvent(platform::Event::Key(platform::EventType::KeyDown, 30, 'A'));
    platform::GetHeadlessBackend().QueueEvent(platform::Event::Char('a'));
    g_keyboard.ClearAll();
    EXPECT_FALSE(g_keyboard.IsKeyDown(30));
    EXPECT_EQ(g_keyboard.TakeAnyKey(), 0);
    EXPECT_EQ(g_keyboard.ReadChar(), 0);
    EXPECT_EQ(platform::PendingEventCount(), 0);
}

TEST_F(Keyboard, KeyNamesAndRepeatTimes)
{
    EXPECT_STREQ(CKeyboard::GetKeyName(285).CStr(), "Right Ctrl");
    EXPECT_STREQ(CKeyboard::GetKeyName(29).CStr(), "Left Ctrl");
    EXPECT_STREQ(CKeyboard::GetKeyName(45).CStr(), "X");
    EXPECT_STREQ(CKeyboard::GetKeyName(0).CStr(), "No Key Mapping");
    EXPECT_STREQ(CKeyboard::GetKeyName(511).CStr(), "No Key Mapping");
    EXPECT_EQ(GetKeyNameFromScanCode(84), nullptr);
    EXPECT_FLOAT_EQ(GetKeyRepeatDelay(), 0.5f);
    EXPECT_FLOAT_EQ(GetKeyRepeatInterval(), 1.0f / 30.0f);
}

TEST_F(Mouse, WheelNotchesKeepTheirFraction)
{
    g_mouse.AddWheelDelta(60);
    EXPECT_EQ(g_mouse.TakeWheelNotches(), 0);
    g_mouse.AddWheelDelta(60);
    EXPECT_EQ(g_mouse.TakeWheelNotches(), 1);
    EXPECT_EQ(g_mouse.TakeWheelNotches(), 0);
    g_mouse.AddWheelDelta(-180);
    EXPECT_EQ(g_mouse.TakeWheelNotches(), -1);
    EXPECT_FLOAT_EQ(g_mouse.GetWheel(), -0.5f);
    g_mouse.AddWheelDelta(-60);
    EXPECT_EQ(g_mouse.TakeWheelNotches(), -1);
    EXPECT_FLOAT_EQ(g_mouse.GetWheel(), 0.0f);
}

TEST_F(Mouse, DoubleClickStaysHeldUntilTakenOrReleased)
{
    g_mouse.AddDoubleClicks(1);
    EXPECT_EQ(g_mouse.GetButtons(), 1u);
    EXPECT_FALSE(g_mouse.TakeDoubleClick(2));
    EXPECT_EQ(g_mouse.GetButtons(), 1u);
    EXPECT_TRUE(g_mouse.TakeDoubleClick(3));
    EXPECT_EQ(g_mouse.GetButtons(), 0u);
    EXPECT_FALSE(g_mouse.TakeDoubleClick(1));

    g_mouse.AddDoubleClicks(4);
    g_mouse.ReleaseButtons(4);
    EXPECT_EQ(g_mouse.GetButtons(), 0u);
    g_mouse.SetButtons(5);   // the toolkit writes the mask to consume clicks
    EXPECT_EQ(g_mouse.GetButtons(), 5u);
}

TEST_F(Mouse, SetPositionMovesTheSystemPointer)
{
    g_mouse.SetPosition(123, -4);
    int x = 0, y = 0;
    g_mouse.GetPosition(x, y);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, -4);
    EXPECT_EQ(platform::GetHeadlessBackend().GetWarpPosition(), std::make_pair(123, -4));
}

TEST_F(Mouse, SystemCursorRule)
{
    // Not visible: the system pointer is removed.
    EXPECT_FALSE(g_mouse.HideCursor());
    EXPECT_FALSE(platform::IsSystemCursorVisible());
    // Visible without a sequence to draw: the arrow.
    EXPECT_FALSE(g_mouse.ShowCursor());
    EXPECT_TRUE(platform::IsSystemCursorVisible());
    EXPECT_TRUE(g_mouse.SetCursorVisible(true));
    // With a sequence the game draws the cursor itself.
    CSequence cursor;
    CSequence* sequence = &cursor;
    EXPECT_EQ(g_mouse.SetCursorSequence(sequence), nullptr);
    g_mouse.ApplySystemCursor();
    EXPECT_FALSE(platform::IsSystemCursorVisible());
    // System-cursor mode (inactive application) shows the arrow whatever else holds.
    g_mouse.UseSystemCursor();
    g_mouse.ApplySystemCursor();
    EXPECT_TRUE(platform::IsSystemCursorVisible());
    g_mouse.HideCursor();
    EXPECT_TRUE(platform::IsSystemCursorVisible());
    g_mouse.UseDrawnCursor();
    g_mouse.ApplySystemCursor();
    EXPECT_FALSE(platform::IsSystemCursorVisible());
    EXPECT_EQ(g_mouse.SetCursorSequence(nullptr), sequence);
}

TEST_F(Mouse, DrawnCursorAnimatesItsSequenceAndDrawsAtThePointer)
{
    using seqtest::SolidFrame;
    // Three frames of 2 x 2 pixels, values 1, 2, 3, the hot spot one pixel in from the corner.
    CSequence cursor;
    cursor.SetPropertiesToDefaults();
    ASSERT_TRUE(cursor.SetBlitTypeByName("Normal Scale"));
    cursor.SetFramesPerSecond(10.0f);
    for (uint32_t value = 1; value <= 3; ++value)
        cursor.AddFrame(SolidFrame(2, 2, 16, value, -1, -1));
    g_mouse.SetPositionFromInput(5, 4);
    g_mouse.SetCursorSequence(&cursor);
    CFrame target;
    target.Create(10, 10, 16);
    CIntRect rect;

    // Hidden: nothing drawn, no rectangle.
    g_mouse.DrawCursor(&target);
    EXPECT_EQ(frametest::ReadPixel(target, 4, 3), 0u);
    EXPECT_FALSE(g_mouse.GetCursorRect(rect));

    g_mouse.ShowCursor();
    g_mouse.AnimateCursor(0.15f);   // 1.5 frames in: frame 1
    EXPECT_FLOAT_EQ(g_mouse.GetCursorFrameTime(), 1.5f);
    g_mouse.DrawCursor(&target);
    EXPECT_EQ(frametest::ReadPixel(target, 4, 3), 2u);
    EXPECT_EQ(frametest::ReadPixel(target, 5, 4), 2u);
    EXPECT_EQ(frametest::ReadPixel(target, 6, 4), 0u);
    ASSERT_TRUE(g_mouse.GetCursorRect(rect));
    EXPECT_EQ(rect, (CIntRect{4, 3, 6, 5}));

    // Reaching the frame count starts the animation again.
    g_mouse.AnimateCursor(0.15f);
    EXPECT_FLOAT_EQ(g_mouse.GetCursorFrameTime(), 0.0f);
    g_mouse.AnimateCursor(0.25f);
    EXPECT_FLOAT_EQ(g_mouse.GetCursorFrameTime(), 2.5f);
    // A sequence with fewer frames than the position restarts it; one frame never animates.
    CSequence arrow;
    arrow.SetPropertiesToDefaults();
    arrow.AddFrame(SolidFrame(1, 1, 16, 9));
    EXPECT_EQ(g_mouse.SetCursorSequence(&arrow), &cursor);
    EXPECT_FLOAT_EQ(g_mouse.GetCursorFrameTime(), 0.0f);
    g_mouse.AnimateCursor(1.0f);
    EXPECT_FLOAT_EQ(g_mouse.GetCursorFrameTime(), 0.0f);
    g_mouse.SetCursorSequence(nullptr);
}

} // namespace
