#pragma once
// The main window's event handling: the window procedure that dispatches the platform's window
// events, the message pump that also turns keyboard and mouse events into the input state, and the
// key map of special keys. Everything here runs on the main thread.
#include "platform/Events.h"

// The window procedure: handles one event after the pump has fed it to the input state. A close
// request ends the program here (ShutDownApplication).
void MainWindowProc(const platform::Event& event);

// Empties the event queue once. While the application is inactive every fetch sleeps first (100 ms,
// or 1 ms when the application runs while inactive). A call made while the pump runs returns at
// once: waiting loops everywhere pump, also from inside the window procedure.
void PumpWindowMessages();

// Feeds one event into the keyboard and mouse state, as the pump does before dispatching it.
void FeedInputFromEvent(const platform::Event& event);

// The control character that a special key (by virtual-key code) puts into the type-ahead ring, or
// 0. Tab and the digits count only with Ctrl held.
int MapVirtualKeyToUiKey(int virtualKey);

// The window's client area becomes the display's size (or 640 x 480 without one) in a captioned
// window, moved where needed to lie within the desktop's work area.
void ResizeWindowForWindowedMode();

// Stops every sound, gives the system its volume back, lets the application keep what it must
// (OnClosing), deletes it and ends the process with exit code 0. Never returns into the caller,
// which may be deep inside the application's own code.
[[noreturn]] void ShutDownApplication();

// The window's state as the last events left it. The application is active for the main loop when
// the window is active and not minimised.
bool IsMainWindowActive();
bool IsMainWindowMinimised();
bool IsApplicationActive();
// Sets the window state (start-up, tests).
void SetMainWindowState(bool active, bool minimised);
bool IsPumpRunning();
