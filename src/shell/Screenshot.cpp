#include "shell/Screenshot.h"

#include "foundation/DiskAccess.h"
#include "foundation/OpenFlags.h"
#include "graphics/Frame.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstdio>

namespace {

constexpr int kMaxNumber = 10000;

// The name the pattern makes with the number; false when it does not fit.
bool MakeName(char (&name)[512], const char* pattern, int number)
{
    const int length = std::snprintf(name, sizeof name, pattern, number);
    return length >= 0 && length < static_cast<int>(sizeof name);
}

} // namespace

std::string SaveScreenshot(CFrame& frame, const char* pattern)
{
    char name[512];
    if (!MakeName(name, pattern, 0))
        return "";
    // The picture is written whole under a temporary name beside the numbered ones first: a
    // program ended meanwhile leaves no numbered file, only a temporary that the next start
    // sweeps away.
    const std::string temporary = diskaccess::MakeTemporaryName(platform::ResolvePath(name));
    if (!frame.SaveTga(temporary.c_str(), VF_VERBATIM)) {
        platform::RemoveFile(temporary.c_str());
        return "";
    }
    for (int number = 0; number < kMaxNumber && MakeName(name, pattern, number); ++number) {
        if (platform::RenameNoReplace(temporary.c_str(), name))
            return name;
        if (errno != EEXIST)
            break;
    }
    platform::RemoveFile(temporary.c_str());
    return "";
}
