#pragma once
// The queue between the backend and the program's message pump. Mouse motion is coalesced the way
// the desktop does: a move arriving while the newest queued event is a move replaces it, so a
// backlog of motion never delays the events behind it.
#include "platform/Events.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

namespace platform {

class EventQueue
{
public:
    void Push(const Event& event);
    bool Pop(Event& event);
    int Count() const;
    void Clear();
    // Waits until an event is queued (true) or the milliseconds have passed (false); a Wake from
    // another thread ends the wait early.
    bool WaitForEvent(uint32_t milliseconds);
    void Wake();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_pushed;
    std::deque<Event> m_events;
    bool m_woken = false;
};

// The program's one queue.
EventQueue& GetEventQueue();

} // namespace platform
