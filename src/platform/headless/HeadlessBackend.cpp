#include "platform/headless/HeadlessBackend.h"

#include "platform/EventQueue.h"
#include "platform/KeyTable.h"
#include "platform/Time.h"

#include <algorithm>

#include <cstdio>

namespace platform {

int HeadlessJoysticks::GetCount()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_devices.size());
}

bool HeadlessJoysticks::Open(int id, JoystickCaps& caps)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (id < 0 || id >= static_cast<int>(m_devices.size()))
        return false;
    caps = m_devices[static_cast<size_t>(id)].first;
    return true;
}

bool HeadlessJoysticks::Poll(int id, JoystickState& state)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (id < 0 || id >= static_cast<int>(m_devices.size()))
        return false;
    const uint32_t instance = m_devices[static_cast<size_t>(id)].first.instanceId;
    if (std::find(m_silentInstances.begin(), m_silentInstances.end(), instance) != m_silentInstances.end())
        return false;
    state = m_devices[static_cast<size_t>(id)].second;
    return true;
}

void HeadlessJoysticks::SetAnswering(int id, bool answering)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (id < 0 || id >= static_cast<int>(m_devices.size()))
        return;
    const uint32_t instance = m_devices[static_cast<size_t>(id)].first.instanceId;
    m_silentInstances.erase(std::remove(m_silentInstances.begin(), m_silentInstances.end(), instance),
                            m_silentInstances.end());
    if (!answering)
        m_silentInstances.push_back(instance);
}

int HeadlessJoysticks::AddDevice(const JoystickCaps& caps)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_devices.push_back({caps, JoystickState{}});
    if (m_devices.back().first.name.empty())
        m_devices.back().first.name = "Unknown Joystick";
    m_devices.back().first.instanceId = m_nextInstance++;
    return static_cast<int>(m_devices.size()) - 1;
}

void HeadlessJoysticks::SetState(int id, const JoystickState& state)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (id >= 0 && id < static_cast<int>(m_devices.size()))
        m_devices[static_cast<size_t>(id)].second = state;
}

void HeadlessJoysticks::RemoveDevice(int id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (id >= 0 && id < static_cast<int>(m_devices.size()))
        m_devices.erase(m_devices.begin() + id);
}

void HeadlessJoysticks::RemoveAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_devices.clear();
    m_silentInstances.clear();
}

bool HeadlessBackend::CreateMainWindow(const char* titleUtf8)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hasWindow = true;
    m_minimized = false;
    m_title = titleUtf8 ? titleUtf8 : "";
    return true;
}

bool HeadlessBackend::HasMainWindow() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hasWindow;
}

void HeadlessBackend::DestroyMainWindow()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hasWindow = false;
}

void HeadlessBackend::SetWindowTitle(const char* titleUtf8)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_title = titleUtf8 ? titleUtf8 : "";
}

void HeadlessBackend::MinimizeMainWindow()
{
    bool post = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_hasWindow && !m_minimized) {
            m_minimized = true;
            post = true;
        }
    }
    // As a desktop would: minimising takes the focus away and says so.
    if (post) {
        QueueEvent(Event::Simple(EventType::Deactivate));
        QueueEvent(Event::Simple(EventType::Minimize));
    }
}

void HeadlessBackend::PumpEvents(EventQueue& queue)
{
    std::vector<Event> pending;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        pending.swap(m_pending);
        const uint64_t now = GetCounter();
        size_t due = 0;
        while (due < m_timed.size() && m_timed[due].first <= now)
            pending.push_back(m_timed[due++].second);
        m_timed.erase(m_timed.begin(), m_timed.begin() + static_cast<std::ptrdiff_t>(due));
    }
    for (const Event& event : pending) {
        if (event.type == EventType::Restore) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_minimized = false;
        }
        queue.Push(event);
    }
}

bool HeadlessBackend::GetDesktopWorkArea(DesktopRect& area)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    area = m_workArea;
    return true;
}

bool HeadlessBackend::GetMainWindowFrame(DesktopRect& frame)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_hasWindow)
        return false;
    frame = {m_client.left - m_borders.left, m_client.top - m_borders.top, m_client.right + m_borders.right,
             m_client.bottom + m_borders.bottom};
    return true;
}

void HeadlessBackend::SetMainWindowClientSize(int width, int height)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_client.right = m_client.left + width;
    m_client.bottom = m_client.top + height;
}

void HeadlessBackend::MoveMainWindow(int left, int top)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int width = m_client.right - m_client.left, height = m_client.bottom - m_client.top;
    m_client = {left + m_borders.left, top + m_borders.top, left + m_borders.left + width, top + m_borders.top + height};
}

void HeadlessBackend::SetDesktopWorkArea(const DesktopRect& area)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_workArea = area;
}

void HeadlessBackend::SetWindowBorders(const DesktopRect& borders)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_borders = borders;
}

DesktopRect HeadlessBackend::GetClientRect() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_client;
}

void HeadlessBackend::SetClientRect(const DesktopRect& client)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_client = client;
}

void HeadlessBackend::WaitForEvents(EventQueue& queue, uint32_t milliseconds)
{
    PumpEvents(queue);
    if (queue.Count() > 0)
        return;
    uint64_t wait = static_cast<uint64_t>(milliseconds) * 1000000ull;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_pending.empty())
            wait = 0;
        else if (!m_timed.empty()) {
            const uint64_t now = GetCounter();
            wait = std::min(wait, m_timed.front().first > now ? m_timed.front().first - now : 0);
        }
    }
    if (IsVirtualClock())
        AdvanceVirtualClock(wait);
    else if (wait > 0)
        queue.WaitForEvent(static_cast<uint32_t>((wait + 999999) / 1000000));
    PumpEvents(queue);
}

void HeadlessBackend::WakeEventWait()
{
    GetEventQueue().Wake();
}

void HeadlessBackend::ShowMessageBox(const char* captionUtf8, const char* textUtf8, bool plain)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_boxes.push_back({captionUtf8 ? captionUtf8 : "", textUtf8 ? textUtf8 : "", plain});
    }
    std::fprintf(stderr, "%s: %s\n", captionUtf8 ? captionUtf8 : "", textUtf8 ? textUtf8 : "");
    std::fflush(stderr);
}

void HeadlessBackend::SetSystemCursorVisible(bool visible)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cursorShown = visible;
}

void HeadlessBackend::WarpMouse(int x, int y)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_warp = {x, y};
}

bool HeadlessBackend::SetClipboardText(const std::string& utf8)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clipboard = utf8;
    return true;
}

bool HeadlessBackend::GetClipboardText(std::string& utf8)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_clipboard)
        return false;
    utf8 = *m_clipboard;
    return true;
}

int HeadlessBackend::GetDesktopBitDepth()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_desktopBits)
        return m_desktopBits;
    // Pages of every depth are shown, so the desktop counts as having the data's depth.
    if (int data = m_display.GetDataDepth())
        return data;
    return 32;
}

std::string HeadlessBackend::GetKeyName(int keyNumber)
{
    const char* name = KeyNameOfKeyNumber(keyNumber);
    return name ? name : "";
}

void HeadlessBackend::QueueEvent(const Event& event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // Motion is coalesced where it is delivered (the event queue), not here.
    m_pending.push_back(event);
}

void HeadlessBackend::QueueEventAt(uint64_t counter, const Event& event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto at = std::upper_bound(m_timed.begin(), m_timed.end(), counter,
                               [](uint64_t time, const std::pair<uint64_t, Event>& e) { return time < e.first; });
    m_timed.insert(at, {counter, event});
}

std::vector<HeadlessBackend::MessageBoxRecord> HeadlessBackend::GetMessageBoxes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}

void HeadlessBackend::ClearMessageBoxes()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_boxes.clear();
}

std::optional<std::string> HeadlessBackend::GetClipboardUtf8() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_clipboard;
}

void HeadlessBackend::SetClipboardUtf8(std::optional<std::string> text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clipboard = std::move(text);
}

bool HeadlessBackend::IsCursorShown() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_cursorShown;
}

bool HeadlessBackend::OpenDocument(const char* documentUtf8)
{
    std::fprintf(stderr, "open: %s\n", documentUtf8);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_openedDocuments.emplace_back(documentUtf8);
    return m_documentOpener;
}

void HeadlessBackend::SetDocumentOpenerPresent(bool present)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_documentOpener = present;
}

std::vector<std::string> HeadlessBackend::GetOpenedDocuments() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_openedDocuments;
}

bool HeadlessBackend::IsMinimized() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_minimized;
}

std::string HeadlessBackend::GetWindowTitle() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_title;
}

std::pair<int, int> HeadlessBackend::GetWarpPosition() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_warp;
}

void HeadlessBackend::SetDesktopBitDepth(int bits)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_desktopBits = bits;
}

void HeadlessBackend::Reset()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hasWindow = false;
        m_minimized = false;
        m_openedDocuments.clear();
        m_documentOpener = true;
        m_cursorShown = true;
        m_title.clear();
        m_pending.clear();
        m_timed.clear();
        m_boxes.clear();
        m_clipboard.reset();
        m_warp = {0, 0};
        m_desktopBits = 0;
        m_workArea = {0, 0, 1024, 768};
        m_borders = {};
        m_client = {0, 0, 640, 480};
    }
    m_display.Reset();
    m_mixer.Reset();
    m_joysticks.RemoveAll();
    m_forceFeedback.Reset();
    GetEventQueue().Clear();
}

HeadlessBackend& GetHeadlessBackend()
{
    // Never destroyed, like an installed backend: static destructors may still call it.
    static HeadlessBackend* s_backend = new HeadlessBackend;
    return *s_backend;
}

} // namespace platform
