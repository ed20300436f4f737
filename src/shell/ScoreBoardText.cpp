#include "shell/ScoreBoardText.h"

#include <cstdio>
#include <string>

CSharedString FormatScore(uint32_t score, uint32_t factor)
{
    const std::string digits = std::to_string(static_cast<uint64_t>(score) * factor);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return CSharedString(out.c_str());
}

CSharedString FormatRoundTime(float seconds)
{
    const long hundredths = seconds > 0.0f ? static_cast<long>(seconds * 100.0f) : 0;
    char text[48];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", static_cast<int>(hundredths / 6000),
                  static_cast<int>(hundredths / 100 % 60), static_cast<int>(hundredths % 100));
    return CSharedString(text);
}

int32_t ToShownSpeed(float speed)
{
    return static_cast<int32_t>(speed * 0.24509804f);
}

CSharedString MakeRoundTitle(const char* roundWord, const char* noName, uint32_t set, uint32_t round,
                             const char* name)
{
    const char* shown = name && *name ? name : noName;
    const std::string text = std::string(roundWord ? roundWord : "") + " " + std::to_string(set + 1u) + "-" +
                             std::to_string(round + 1u) + ": " + (shown ? shown : "") + "   ";
    return CSharedString(text.c_str());
}
