#include "platform/Window.h"

#include "platform/Backend.h"
#include "platform/Charset.h"

#include <atomic>

namespace platform {

namespace {
// Constant-initialised, so calls from other static initialisers find them ready.
constinit std::atomic<bool> s_cursorVisible{true};
}

bool CreateMainWindow(const char* title)
{
    Backend& backend = GetBackend();
    if (!backend.CreateMainWindow(Cp1252ToUtf8(title ? title : "").c_str()))
        return false;
    backend.SetSystemCursorVisible(s_cursorVisible.load());
    return true;
}

bool HasMainWindow()
{
    return GetBackend().HasMainWindow();
}

void DestroyMainWindow()
{
    GetBackend().DestroyMainWindow();
}

void SetWindowTitle(const char* title)
{
    GetBackend().SetWindowTitle(Cp1252ToUtf8(title ? title : "").c_str());
}

void MinimizeMainWindow()
{
    GetBackend().MinimizeMainWindow();
}

void ShowMessageBox(const char* caption, const char* text)
{
    GetBackend().ShowMessageBox(Cp1252ToUtf8(caption ? caption : "").c_str(),
                                Cp1252ToUtf8(text ? text : "").c_str(), false);
}

void ShowPlainMessageBox(const char* caption, const char* text)
{
    GetBackend().ShowMessageBox(Cp1252ToUtf8(caption ? caption : "").c_str(),
                                Cp1252ToUtf8(text ? text : "").c_str(), true);
}

void SetSystemCursorVisible(bool visible)
{
    s_cursorVisible.store(visible);
    GetBackend().SetSystemCursorVisible(visible);
}

bool IsSystemCursorVisible()
{
    return s_cursorVisible.load();
}

void WarpMouse(int x, int y)
{
    GetBackend().WarpMouse(x, y);
}

bool SetClipboardText(std::string_view text)
{
    return GetBackend().SetClipboardText(Cp1252ToUtf8(text));
}

bool GetClipboardText(std::string& text)
{
    std::string utf8;
    if (!GetBackend().GetClipboardText(utf8)) {
        text.clear();
        return false;
    }
    text = Utf8ToCp1252(utf8);
    return true;
}

int GetDesktopBitDepth()
{
    return GetBackend().GetDesktopBitDepth();
}

bool GetDesktopWorkArea(DesktopRect& area)
{
    return GetBackend().GetDesktopWorkArea(area);
}

bool GetMainWindowFrame(DesktopRect& frame)
{
    return GetBackend().GetMainWindowFrame(frame);
}

void SetMainWindowClientSize(int width, int height)
{
    GetBackend().SetMainWindowClientSize(width, height);
}

void MoveMainWindow(int left, int top)
{
    GetBackend().MoveMainWindow(left, top);
}

std::string GetKeyName(int keyNumber)
{
    return Utf8ToCp1252(GetBackend().GetKeyName(keyNumber));
}

} // namespace platform
