#include "platform/Backend.h"

#include "platform/Window.h"
#include "platform/headless/HeadlessBackend.h"

namespace platform {

namespace {
// Never destroyed: static destructors of the engine may still reach the platform at exit, and the
// system releases the window and devices with the process.
Backend* s_installed = nullptr;
} // namespace

void InstallBackend(std::unique_ptr<Backend> backend)
{
    delete s_installed;
    s_installed = backend.release();
    GetBackend().SetSystemCursorVisible(IsSystemCursorVisible());
}

Backend& GetBackend()
{
    if (s_installed)
        return *s_installed;
    return GetHeadlessBackend();
}

} // namespace platform
