#include "sound/SoundFileNames.h"

#include "foundation/TextUtilities.h"

#include <cstring>

namespace {

bool EndsWithNoCase(const char* text, size_t length, const char* ending)
{
    const size_t n = std::strlen(ending);
    return length >= n && CompareTextNoCaseN(text + length - n, ending, n) == 0;
}

} // namespace

bool MakeTwinSoundName(const char* name, std::string& twin)
{
    if (!name)
        return false;
    const size_t length = std::strlen(name);
    const bool wav = EndsWithNoCase(name, length, ".wav");
    if (!wav && !EndsWithNoCase(name, length, ".ogg"))
        return false;
    twin.assign(name, length - 4);
    twin += wav ? ".ogg" : ".wav";
    return true;
}
