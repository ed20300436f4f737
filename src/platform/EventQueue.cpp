#include "platform/EventQueue.h"

#include "platform/Backend.h"

#include <chrono>

namespace platform {

Event Event::Key(EventType type, int key, int virtualKey, bool alt, bool repeat)
{
    Event e;
    e.type = type;
    e.key = key;
    e.virtualKey = virtualKey;
    e.alt = alt;
    e.repeat = repeat;
    return e;
}

Event Event::Char(unsigned char character)
{
    Event e;
    e.type = EventType::Char;
    e.character = character;
    return e;
}

Event Event::Mouse(EventType type, int x, int y, int button)
{
    Event e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = button;
    return e;
}

Event Event::Wheel(int delta)
{
    Event e;
    e.type = EventType::MouseWheel;
    e.wheel = delta;
    return e;
}

Event Event::Simple(EventType type)
{
    Event e;
    e.type = type;
    return e;
}

void EventQueue::Push(const Event& event)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (event.type == EventType::MouseMove && !m_events.empty() &&
            m_events.back().type == EventType::MouseMove)
            m_events.back() = event;
        else
            m_events.push_back(event);
    }
    m_pushed.notify_all();
}

bool EventQueue::WaitForEvent(uint32_t milliseconds)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_pushed.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return !m_events.empty() || m_woken; });
    m_woken = false;
    return !m_events.empty();
}

void EventQueue::Wake()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_woken = true;
    }
    m_pushed.notify_all();
}

bool EventQueue::Pop(Event& event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_events.empty())
        return false;
    event = m_events.front();
    m_events.pop_front();
    return true;
}

int EventQueue::Count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_events.size());
}

void EventQueue::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.clear();
    m_woken = false;
}

EventQueue& GetEventQueue()
{
    static EventQueue s_queue;
    return s_queue;
}

bool PollEvent(Event& event)
{
    EventQueue& queue = GetEventQueue();
    if (queue.Pop(event))
        return true;
    GetBackend().PumpEvents(queue);
    return queue.Pop(event);
}

bool WaitForEvent(uint32_t milliseconds)
{
    EventQueue& queue = GetEventQueue();
    if (queue.Count() == 0)
        GetBackend().WaitForEvents(queue, milliseconds);
    return queue.Count() > 0;
}

void PostEvent(const Event& event)
{
    GetEventQueue().Push(event);
    GetBackend().WakeEventWait();
}

int PendingEventCount()
{
    return GetEventQueue().Count();
}

void ClearEvents()
{
    GetEventQueue().Clear();
}

} // namespace platform
