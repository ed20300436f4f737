#include "shell/Screenshot.h"

#include "foundation/OpenFlags.h"
#include "graphics/Frame.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstdio>

namespace {

constexpr int kMaxNumber = 10000;

} // namespace

std::string SaveScreenshot(CFrame& frame, const char* pattern)
{
    for (int number = 0; number < kMaxNumber; ++number) {
        char name[512];
        if (std::snprintf(name, sizeof name, pattern, number) >= static_cast<int>(sizeof name))
            return "";
        // "x": fails when the name exists, so the claim is exclusive.
        FILE* claim = platform::OpenFile(name, "wbx");
        if (!claim) {
            if (errno == EEXIST)
                continue;
            return "";
        }
        std::fclose(claim);
        if (frame.SaveTga(name, VF_VERBATIM))
            return name;
        platform::RemoveFile(name);
        return "";
    }
    return "";
}
