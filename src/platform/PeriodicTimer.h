#pragma once
// A callback run every N milliseconds on a thread of its own (the sound streaming refill).
// The period is measured on the system clock, also when the virtual clock is on.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

class PeriodicTimer
{
public:
    PeriodicTimer() = default;
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // Starts calling callback every periodMs (at least 1). A running timer is stopped first.
    // False when the period or the callback is missing, or the thread cannot be made.
    bool Start(unsigned periodMs, std::function<void()> callback);

    // Stops the timer. From any other thread it waits until a running callback has returned, so
    // that nothing the callback uses is released under it; from inside the callback it only asks
    // the thread to end after the callback returns.
    void Stop();

    bool IsRunning() const;

private:
    void Run(unsigned periodMs);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::function<void()> m_callback;
    std::thread m_thread;
    bool m_stopRequested = false;
    bool m_running = false;
};

} // namespace platform
