#pragma once
// The main window and the desktop services that go with it. Every call is accepted at any time,
// also before the window exists (static initialisers hide the cursor): requests are kept and
// applied when it is made.
#include "platform/PixelRect.h"

#include <string>
#include <string_view>

namespace platform {

// Opens the one main window (text in Windows-1252). False when the backend cannot.
bool CreateMainWindow(const char* title);
bool HasMainWindow();
void DestroyMainWindow();
void SetWindowTitle(const char* title);
void MinimizeMainWindow();

// Modal box with an OK button, caption and text in Windows-1252. The headless backend records it
// and prints "CAPTION: text" to stderr. The plain box needs no window.
void ShowMessageBox(const char* caption, const char* text);
void ShowPlainMessageBox(const char* caption, const char* text);

// The system pointer over the client area.
void SetSystemCursorVisible(bool visible);
bool IsSystemCursorVisible();
void WarpMouse(int x, int y);

// Clipboard text in Windows-1252. GetClipboardText is false when the clipboard holds no text.
bool SetClipboardText(std::string_view text);
bool GetClipboardText(std::string& text);

int GetDesktopBitDepth();

// A rectangle of desktop pixels.
using DesktopRect = PixelRect;

// The part of the desktop that windows may use (without task bars and docks); false when the
// system does not say.
bool GetDesktopWorkArea(DesktopRect& area);
// The main window's outer edges on the desktop, border and caption included; false without it.
bool GetMainWindowFrame(DesktopRect& frame);
// Makes the main window a captioned window, not kept above others, whose client area has the size.
void SetMainWindowClientSize(int width, int height);
// Moves the main window so that its outer top-left corner lies at the point.
void MoveMainWindow(int left, int top);

// The system's name of a key number (Windows-1252), empty when it has none.
std::string GetKeyName(int keyNumber);

} // namespace platform
