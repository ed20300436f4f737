#pragma once
// Window events: what the program's window procedure and message pump read, nothing more.
#include <cstdint>

namespace platform {

enum class EventType : uint8_t
{
    None,
    KeyDown,          // key, virtualKey, alt, repeat
    KeyUp,            // key, virtualKey, alt
    Char,             // character: one Windows-1252 byte, control codes included
    ContextMenu,      // the context-menu request (Application key)
    MouseMove,        // x, y
    MouseDown,        // button, x, y
    MouseUp,          // button, x, y
    MouseDoubleClick, // button, x, y (the second press of a double click)
    MouseWheel,       // wheel, in 120ths of a notch, positive away from the user
    MouseEnter,       // the pointer entered the client area: apply the cursor rule
    Activate,         // the window gained the focus
    Deactivate,       // the window lost the focus
    Minimize,
    Restore,
    Close,            // the user or the program asked to close the window
    Paint,            // the window's content must be shown again
    Moved,            // x, y: the window's new position
    Resized,          // x, y: the client area's new width and height
};

// Mouse button masks, as the engine keeps them.
constexpr int kMouseLeft = 1;
constexpr int kMouseRight = 2;
constexpr int kMouseMiddle = 4;

struct Event
{
    EventType type = EventType::None;
    // Keys: the key number is the PC set-1 scan code plus 256 for extended keys (left Ctrl 29,
    // right Ctrl 285); the virtual key is the Windows virtual-key code (Left 37, F1 112).
    int key = 0;
    int virtualKey = 0;
    bool alt = false;       // Alt held: a system key
    bool repeat = false;    // an auto-repeated key down
    unsigned char character = 0;
    int button = 0;         // kMouseLeft, kMouseRight or kMouseMiddle
    int x = 0;              // mouse: signed display-mode pixels (may lie outside while dragging)
    int y = 0;
    int wheel = 0;

    static Event Key(EventType type, int key, int virtualKey, bool alt = false, bool repeat = false);
    static Event Char(unsigned char character);
    static Event Mouse(EventType type, int x, int y, int button = 0);
    static Event Wheel(int delta);
    static Event Simple(EventType type);
};

// Takes the next event, first moving what the backend has pending into the queue. False when none.
bool PollEvent(Event& event);

// Waits until an event is queued (true) or the milliseconds have passed (false), without
// taking it. On the virtual clock the wait moves the clock on instead.
bool WaitForEvent(uint32_t milliseconds);

// Adds an event to the queue (the program's own close request, tests, other threads); a wait for
// events ends.
void PostEvent(const Event& event);

// Number of queued events, not counting what the backend has not delivered yet.
int PendingEventCount();

// Empties the queue.
void ClearEvents();

} // namespace platform
