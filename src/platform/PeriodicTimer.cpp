#include "platform/PeriodicTimer.h"

#include <chrono>
#include <system_error>

namespace platform {

PeriodicTimer::~PeriodicTimer()
{
    Stop();
    if (m_thread.joinable())
        m_thread.join();
}

bool PeriodicTimer::Start(unsigned periodMs, std::function<void()> callback)
{
    if (periodMs == 0 || !callback)
        return false;
    Stop();
    if (m_thread.joinable()) {
        // Only a timer stopped from its own callback is still unjoined here; Start from inside
        // that callback cannot wait for its own thread.
        if (m_thread.get_id() == std::this_thread::get_id())
            return false;
        m_thread.join();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_callback = std::move(callback);
    m_stopRequested = false;
    m_running = true;
    try {
        m_thread = std::thread(&PeriodicTimer::Run, this, periodMs);
    } catch (const std::system_error&) {
        m_running = false;
        m_callback = nullptr;
        return false;
    }
    return true;
}

void PeriodicTimer::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_thread.joinable())
            return;
        m_stopRequested = true;
    }
    m_wake.notify_all();
    if (m_thread.get_id() == std::this_thread::get_id())
        return;
    m_thread.join();
}

bool PeriodicTimer::IsRunning() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_running && !m_stopRequested;
}

void PeriodicTimer::Run(unsigned periodMs)
{
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(periodMs);
    auto next = Clock::now() + period;
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopRequested) {
        if (m_wake.wait_until(lock, next, [this] { return m_stopRequested; }))
            break;
        std::function<void()> callback = m_callback;
        lock.unlock();
        callback();
        lock.lock();
        // A callback that overran does not trigger a burst of catch-up calls.
        next += period;
        auto now = Clock::now();
        if (next < now)
            next = now + period;
    }
    m_running = false;
}

} // namespace platform
