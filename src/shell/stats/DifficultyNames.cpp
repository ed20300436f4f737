#include "shell/stats/DifficultyNames.h"

#include "foundation/LocalizedString.h"

#include <cstring>

namespace {

CLocalizedString s_easy("Easy");
CLocalizedString s_normal("Normal");
CLocalizedString s_hard("Hard");
CLocalizedString s_insane("Insane");

} // namespace

const CLocalizedString& GetDifficultyName(uint32_t level)
{
    switch (level) {
    case 0:
        return s_easy;
    case 2:
        return s_hard;
    case 3:
        return s_insane;
    default:
        return s_normal;
    }
}

uint32_t ParseDifficultyName(const char* text)
{
    if (!text)
        return 1;
    const CLocalizedString* names[] = {&s_easy, &s_normal, &s_hard, &s_insane};
    for (uint32_t level = 0; level < 4; ++level)
        if (std::strcmp(text, names[level]->CStr()) == 0)
            return level;
    return 1;
}
