#pragma once
// The headless backend: no window and no device. Events are queued by the caller, the display is a
// memory page, audio is mixed when asked, message boxes are recorded and printed to stderr, the
// clipboard is a string. Tests reach it through GetHeadlessBackend() for its hooks.
#include "platform/Backend.h"
#include "platform/Events.h"
#include "platform/headless/HeadlessForceFeedback.h"
#include "platform/headless/HeadlessMixer.h"
#include "platform/headless/MemoryDisplay.h"

#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace platform {

// Joysticks that a test plugs in; none by default.
class HeadlessJoysticks : public Joysticks
{
public:
    int GetCount() override;
    bool Open(int id, JoystickCaps& caps) override;
    bool Poll(int id, JoystickState& state) override;
    void Close(int) override {}

    // Test hooks. A device added gets a new instance id and the next index; removing one moves
    // the devices after it down by one index, as unplugging does.
    int AddDevice(const JoystickCaps& caps);
    void SetState(int id, const JoystickState& state);
    void RemoveDevice(int id);
    void RemoveAll();
    // A device that stays plugged in but no longer answers: it opens, its polls fail.
    void SetAnswering(int id, bool answering);

private:
    std::mutex m_mutex;
    std::vector<std::pair<JoystickCaps, JoystickState>> m_devices;
    uint32_t m_nextInstance = 1;
    std::vector<uint32_t> m_silentInstances;
};

class HeadlessBackend : public Backend
{
public:
    struct MessageBoxRecord
    {
        std::string caption;    // UTF-8, as the backend received them
        std::string text;
        bool plain = false;
    };

    const char* GetName() const override { return "headless"; }
    bool CreateMainWindow(const char* titleUtf8) override;
    bool HasMainWindow() const override;
    void DestroyMainWindow() override;
    void SetWindowTitle(const char* titleUtf8) override;
    void MinimizeMainWindow() override;
    // Records the document and prints "open: <document>" to stderr; starts nothing.
    bool OpenDocument(const char* documentUtf8) override;
    void PumpEvents(EventQueue& queue) override;
    // Delivers queued events, else waits for a timed event, a push or the time; on the virtual
    // clock the clock moves on to the first of these instead.
    void WaitForEvents(EventQueue& queue, uint32_t milliseconds) override;
    void WakeEventWait() override;
    void ShowMessageBox(const char* captionUtf8, const char* textUtf8, bool plain) override;
    void SetSystemCursorVisible(bool visible) override;
    void WarpMouse(int x, int y) override;
    bool SetClipboardText(const std::string& utf8) override;
    bool GetClipboardText(std::string& utf8) override;
    int GetDesktopBitDepth() override;
    // A desktop of 1024 x 768 with no task bar, and a window without borders at (0, 0) of the
    // size last asked (640 x 480 at first); tests change them.
    bool GetDesktopWorkArea(DesktopRect& area) override;
    bool GetMainWindowFrame(DesktopRect& frame) override;
    void SetMainWindowClientSize(int width, int height) override;
    void MoveMainWindow(int left, int top) override;
    std::string GetKeyName(int keyNumber) override;
    Display& GetDisplay() override { return m_display; }
    Mixer& GetMixer() override { return m_mixer; }
    Joysticks& GetJoysticks() override { return m_joysticks; }
    ForceFeedback& GetForceFeedback() override { return m_forceFeedback; }

    // Test hooks.
    // Events the "system" delivers at the next pump (after those already queued).
    void QueueEvent(const Event& event);
    // An event delivered at the first pump once the counter (Time.h) has reached the given value:
    // a user who acts after a while, also on the virtual clock.
    void QueueEventAt(uint64_t counter, const Event& event);
    std::vector<MessageBoxRecord> GetMessageBoxes() const;
    void ClearMessageBoxes();
    // Clipboard as UTF-8; nullopt when it holds no text.
    std::optional<std::string> GetClipboardUtf8() const;
    void SetClipboardUtf8(std::optional<std::string> text);
    bool IsCursorShown() const;
    bool IsMinimized() const;
    // The documents asked to open, oldest first (also those no program opened).
    std::vector<std::string> GetOpenedDocuments() const;
    // Whether a program opens documents (true after Reset): without one, opening fails.
    void SetDocumentOpenerPresent(bool present);
    std::string GetWindowTitle() const;
    std::pair<int, int> GetWarpPosition() const;
    void SetDesktopWorkArea(const DesktopRect& area);
    // The border and caption around the client area: left, top, right, bottom thickness.
    void SetWindowBorders(const DesktopRect& borders);
    // The client area's place and size.
    DesktopRect GetClientRect() const;
    void SetClientRect(const DesktopRect& client);
    // A desktop that shows only this depth (0: every depth, reported as the data's depth).
    void SetDesktopBitDepth(int bits);
    MemoryDisplay& GetMemoryDisplay() { return m_display; }
    HeadlessMixer& GetHeadlessMixer() { return m_mixer; }
    HeadlessJoysticks& GetHeadlessJoysticks() { return m_joysticks; }
    HeadlessForceFeedback& GetHeadlessForceFeedback() { return m_forceFeedback; }
    // Back to the state of a fresh start (no window, empty clipboard, no boxes, no pending events,
    // audio device closed).
    void Reset();

private:
    mutable std::mutex m_mutex;
    bool m_hasWindow = false;
    bool m_minimized = false;
    bool m_cursorShown = true;
    std::string m_title;
    std::vector<Event> m_pending;
    std::vector<std::pair<uint64_t, Event>> m_timed;   // ascending by time
    std::vector<MessageBoxRecord> m_boxes;
    std::vector<std::string> m_openedDocuments;
    bool m_documentOpener = true;
    std::optional<std::string> m_clipboard;
    std::pair<int, int> m_warp{0, 0};
    int m_desktopBits = 0;   // 0: the display's data depth, else 32
    DesktopRect m_workArea{0, 0, 1024, 768};
    DesktopRect m_borders;
    DesktopRect m_client{0, 0, 640, 480};
    MemoryDisplay m_display;
    HeadlessMixer m_mixer;
    HeadlessJoysticks m_joysticks;
    HeadlessForceFeedback m_forceFeedback;
};

// The process's headless backend (the default backend).
HeadlessBackend& GetHeadlessBackend();

} // namespace platform
