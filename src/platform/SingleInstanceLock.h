#pragma once
// Tells whether another copy of the program runs: a lock file held (flock) for the life of the
// process. The system drops the lock when the process ends, however it ends.
#include <string>

namespace platform {

class SingleInstanceLock
{
public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Takes the lock called name, in folder (default: $XDG_RUNTIME_DIR, else the temporary folder;
    // the file name carries the user id so users do not see each other). False when another
    // process holds it, or the lock file cannot be made.
    bool Acquire(const char* name, const char* folder = nullptr);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }
    // True when the last Acquire failed because another process holds the lock.
    bool HeldElsewhere() const { return m_heldElsewhere; }
    const std::string& GetPath() const { return m_path; }

private:
    int m_fd = -1;
    bool m_heldElsewhere = false;
    std::string m_path;
};

} // namespace platform
