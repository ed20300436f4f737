#pragma once
// A plain lock: lock and unlock, no timeout.
#include <mutex>

class CMutexLock
{
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }

private:
    std::mutex m_mutex;
};
