#pragma once
// The queue between the backend and the program's message pump. Mouse motion is coalesced the way
// the desktop does: a move arriving while the newest queued event is a move replaces it, so a
// backlog of motion never delays the events behind it.
#include "platform/Events.h"

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

private:
    mutable std::mutex m_mutex;
    std::deque<Event> m_events;
};

// The program's one queue.
EventQueue& GetEventQueue();

} // namespace platform
