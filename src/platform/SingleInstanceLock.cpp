#include "platform/SingleInstanceLock.h"

#include "platform/Files.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

SingleInstanceLock::~SingleInstanceLock()
{
    Release();
}

bool SingleInstanceLock::Acquire(const char* name, const char* folder)
{
    Release();
    m_heldElsewhere = false;
    std::string dir;
    if (folder && *folder) {
        dir = ResolvePath(folder);
    } else {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        dir = (runtime && *runtime) ? runtime : GetTempFolder();
    }
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    m_path = dir + (name ? name : "") + "-" + std::to_string(getuid()) + ".lock";
    // O_CLOEXEC: programs we start must not keep the lock alive after we end.
    int fd = open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        m_heldElsewhere = errno == EWOULDBLOCK;
        close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void SingleInstanceLock::Release()
{
    if (m_fd >= 0) {
        // The file stays: removing it could let a third process lock a fresh file while a second
        // one still holds the old one.
        flock(m_fd, LOCK_UN);
        close(m_fd);
        m_fd = -1;
    }
}

} // namespace platform
