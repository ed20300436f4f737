#include "app/WindowProc.h"

#include "app/ApplicationBase.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "graphics/ScreenFrame.h"
#include "platform/TerminationSignals.h"
#include "platform/Time.h"
#include "platform/Window.h"
#include "sound/SoundSystem.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool s_windowActive = false;
bool s_windowMinimised = false;
bool s_pumpRunning = false;

constexpr int kLeftCtrl = 29;
constexpr int kRightCtrl = 285;
constexpr int kContextMenuCode = 18;

// Clears the running flag however the pump is left (a fatal handler in a test may throw).
struct PumpGuard
{
    PumpGuard() { s_pumpRunning = true; }
    ~PumpGuard() { s_pumpRunning = false; }
};

// The window moved, changed size, or was minimised or restored.
void OnWindowPlacementChanged()
{
    if (g_application)
        g_application->OnActivate(IsApplicationActive());
    // A full-screen display keeps its window at the desktop's origin by itself.
}

void OnWindowActivation(bool active)
{
    s_windowActive = active;
    if (!g_application)
        return;
    g_application->OnActivate(IsApplicationActive());
    g_keyboard.ClearAll(true);
    g_keyboard.ClearPressed(true);
    g_keyboard.ClearHeld(true);
    g_application->ResetFrameTimers();
}

} // namespace

bool IsMainWindowActive()
{
    return s_windowActive;
}

bool IsMainWindowMinimised()
{
    return s_windowMinimised;
}

bool IsApplicationActive()
{
    return s_windowActive && !s_windowMinimised;
}

void SetMainWindowState(bool active, bool minimised)
{
    s_windowActive = active;
    s_windowMinimised = minimised;
}

bool IsPumpRunning()
{
    return s_pumpRunning;
}

int MapVirtualKeyToUiKey(int virtualKey)
{
    if (virtualKey < 9 || virtualKey > 123)
        return 0;
    const bool ctrl = g_keyboard.IsKeyDown(kLeftCtrl) || g_keyboard.IsKeyDown(kRightCtrl);
    if (virtualKey >= '0' && virtualKey <= '9')
        return ctrl ? virtualKey : 0;
    switch (virtualKey) {
    case 9: return ctrl ? 9 : 0;   // Tab
    case 33: return 7;             // Page Up
    case 34: return 15;            // Page Down
    case 35: return 14;            // End
    case 36: return 5;             // Home
    case 37: return 11;            // Left
    case 38: return 6;             // Up
    case 39: return 12;            // Right
    case 40: return 10;            // Down
    case 45: return 16;            // Insert
    case 46: return 17;            // Delete
    case 112: return 19;           // F1
    case 115: return 20;           // F4
    case 116: return 2;            // F5
    case 117: return 28;           // F6
    case 118: return 21;           // F7
    case 119: return 23;           // F8
    case 120: return 29;           // F9
    case 121: return 25;           // F10
    case 122: return 26;           // F11
    case 123: return 30;           // F12
    default: return 0;
    }
}

void FeedInputFromEvent(const platform::Event& event)
{
    using platform::EventType;
    switch (event.type) {
    case EventType::ContextMenu:
        g_keyboard.OnChar(kContextMenuCode);
        break;
    case EventType::KeyDown:
        g_keyboard.OnChar(MapVirtualKeyToUiKey(event.virtualKey));
        g_keyboard.OnKeyDown(event.key);
        break;
    case EventType::KeyUp:
        g_keyboard.OnKeyUp(event.key);
        break;
    case EventType::Char:
        g_keyboard.OnChar(event.character & 0xFF);
        break;
    case EventType::MouseMove:
        // Signed in both directions: a drag held beyond the left or top edge reads negative.
        g_mouse.SetPositionFromInput(event.x, event.y);
        break;
    case EventType::MouseDown:
        g_mouse.PressButtons(static_cast<unsigned>(event.button));
        break;
    case EventType::MouseUp:
        g_mouse.ReleaseButtons(static_cast<unsigned>(event.button));
        break;
    case EventType::MouseDoubleClick:
        g_mouse.AddDoubleClicks(static_cast<unsigned>(event.button));
        break;
    case EventType::MouseWheel:
        g_mouse.AddWheelDelta(event.wheel);
        break;
    default:
        break;
    }
}

void MainWindowProc(const platform::Event& event)
{
    using platform::EventType;
    switch (event.type) {
    case EventType::Close:
        ShutDownApplication();
    case EventType::Moved:
    case EventType::Resized:
        OnWindowPlacementChanged();
        break;
    case EventType::Minimize:
        s_windowMinimised = true;
        OnWindowPlacementChanged();
        break;
    case EventType::Restore:
        s_windowMinimised = false;
        OnWindowPlacementChanged();
        break;
    case EventType::Activate:
        OnWindowActivation(true);
        break;
    case EventType::Deactivate:
        OnWindowActivation(false);
        break;
    case EventType::Paint:
        if (g_application && g_application->HasDisplay() && !g_application->GetDisplay()->IsFullScreen())
            g_application->GetDisplay()->Present();
        break;
    case EventType::MouseEnter:
    case EventType::MouseMove:
        // Every move over the window applies the cursor rule, so a change of mode (the
        // application going inactive) shows without waiting for the pointer to leave and return.
        g_mouse.ApplySystemCursor();
        break;
    default:
        // Keys with Alt never reach a system menu here: there is none to open.
        break;
    }
}

void PumpWindowMessages()
{
    if (s_pumpRunning)
        return;
    PumpGuard guard;
    for (;;) {
        if (!IsApplicationActive()) {
            // Inactive: do not spin, unless the application asked to keep running.
            if (g_application && g_application->RunsWhenInactive())
                platform::Sleep(1);
            else
                platform::Sleep(100);
        }
        platform::Event event;
        if (!platform::PollEvent(event))
            return;
        FeedInputFromEvent(event);
        MainWindowProc(event);
    }
}

void ResizeWindowForWindowedMode()
{
    int width = CApplicationBase::GetDefaultScreenWidth(), height = CApplicationBase::GetDefaultScreenHeight();
    if (g_application && g_application->GetDisplay()) {
        width = g_application->GetDisplay()->GetWidth();
        height = g_application->GetDisplay()->GetHeight();
    }
    platform::SetMainWindowClientSize(width, height);
    platform::DesktopRect area, frame;
    if (!platform::GetDesktopWorkArea(area) || !platform::GetMainWindowFrame(frame))
        return;
    // Inside the work area: first back from its right and bottom edges, then, should the window
    // be larger than the area, with its caption on the area's left and top edges.
    int left = frame.left, top = frame.top;
    if (frame.right > area.right)
        left -= frame.right - area.right;
    if (frame.bottom > area.bottom)
        top -= frame.bottom - area.bottom;
    left = std::max(left, area.left);
    top = std::max(top, area.top);
    if (left != frame.left || top != frame.top)
        platform::MoveMainWindow(left, top);
}

void ShutDownApplication()
{
    // A signal to stop that comes now lets this shut-down, and the save in it, finish.
    platform::NoteShutDownStarted();
    CSoundSystem* sound = CSoundSystem::GetInstance();
    sound->StopAllSounds();
    sound->RestoreSystemVolume();
    // An application still under construction is left to the process's end: deleting it from
    // inside its own constructor would run a destructor on a half-built object.
    if (CApplicationBase* application = g_application; application && application->IsConstructed()) {
        application->OnClosing();
        delete application;
        g_application = nullptr;
    }
    std::exit(0);
}
