#pragma once
// The device-shaped services (window, events, message boxes, cursor, clipboard, display, audio,
// joysticks, force feedback) come from one backend, installed at start. Without one installed the
// headless backend serves, so tests need no set-up.
#include "platform/Display.h"
#include "platform/ForceFeedback.h"
#include "platform/Joystick.h"
#include "platform/Mixer.h"
#include "platform/Window.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class EventQueue;

class Backend
{
public:
    virtual ~Backend() = default;

    virtual const char* GetName() const = 0;

    // Window. Only one main window exists; creating it again retitles it.
    virtual bool CreateMainWindow(const char* titleUtf8) = 0;
    virtual bool HasMainWindow() const = 0;
    virtual void DestroyMainWindow() = 0;
    virtual void SetWindowTitle(const char* titleUtf8) = 0;
    virtual void MinimizeMainWindow() = 0;
    // Opens a document or an address with the desktop's associated program; false when nothing
    // could be started.
    virtual bool OpenDocument(const char* documentUtf8) = 0;

    // Moves what the system has pending into the queue; never waits.
    virtual void PumpEvents(EventQueue& queue) = 0;
    // Waits until the system or another thread delivers an event, or the milliseconds have passed,
    // then moves what is pending into the queue. Returns at once when the queue holds an event.
    virtual void WaitForEvents(EventQueue& queue, uint32_t milliseconds) = 0;
    // Ends a wait of WaitForEvents early; callable from any thread.
    virtual void WakeEventWait() = 0;

    // A modal box with an OK button. plain: not owned by the main window (usable before it exists).
    virtual void ShowMessageBox(const char* captionUtf8, const char* textUtf8, bool plain) = 0;

    virtual void SetSystemCursorVisible(bool visible) = 0;
    // Moves the system pointer to display-mode pixels of the main window.
    virtual void WarpMouse(int x, int y) = 0;

    // Clipboard text in UTF-8. GetClipboardText is false when the clipboard holds no text.
    virtual bool SetClipboardText(const std::string& utf8) = 0;
    virtual bool GetClipboardText(std::string& utf8) = 0;

    // Bits per pixel of the desktop: 32 for 8-8-8 desktops.
    virtual int GetDesktopBitDepth() = 0;

    // The window's place on the desktop (Window.h).
    virtual bool GetDesktopWorkArea(DesktopRect& area) = 0;
    virtual bool GetMainWindowFrame(DesktopRect& frame) = 0;
    virtual void SetMainWindowClientSize(int width, int height) = 0;
    virtual void MoveMainWindow(int left, int top) = 0;

    // The system's name of a key number; empty when it has none.
    virtual std::string GetKeyName(int keyNumber) = 0;

    virtual Display& GetDisplay() = 0;
    virtual Mixer& GetMixer() = 0;
    virtual Joysticks& GetJoysticks() = 0;
    virtual ForceFeedback& GetForceFeedback() = 0;
};

// Installs the backend for the rest of the run (null goes back to the headless one). The cursor
// request and window title made so far carry over to it.
void InstallBackend(std::unique_ptr<Backend> backend);

// The installed backend, or the headless one.
Backend& GetBackend();

// Short accessors.
inline Display& GetDisplay() { return GetBackend().GetDisplay(); }
inline Mixer& GetMixer() { return GetBackend().GetMixer(); }
inline Joysticks& GetJoysticks() { return GetBackend().GetJoysticks(); }
inline ForceFeedback& GetForceFeedback() { return GetBackend().GetForceFeedback(); }

} // namespace platform
