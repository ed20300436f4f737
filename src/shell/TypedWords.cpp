#include "shell/TypedWords.h"

#include "app/TypedWordMatcher.h"

#include <utility>

namespace {

constexpr const char* kWords[kTypedWordCount] = {
    "CheatExpand", "CheatCatch", "Cheatgrow",   "CheatShrink", "CheatReverse",   "CheatGun",    "flipad",
    "CheatMiss",   "debugright", "debugleft",   "crazypoints", "CheatSplit",     "CheatFire",   "CheatSmall",
    "CheatRail",   "showbackground", "showFPS", "showMPH",     "CheatNext",      "KillMeNow",
};

uint32_t s_counts[kTypedWordCount] = {};

template <uint32_t I>
void OnWord()
{
    ++s_counts[I];
}

template <uint32_t... I>
constexpr CTypedWordMatcher::Callback kHandlers[] = {&OnWord<I>...};

template <uint32_t... I>
void AddAll(std::integer_sequence<uint32_t, I...>)
{
    for (uint32_t i = 0; i < kTypedWordCount; ++i)
        g_typedWordMatcher.AddWord(kWords[i], kHandlers<I...>[i]);
}

} // namespace

const char* GetTypedWord(uint32_t i)
{
    return i < kTypedWordCount ? kWords[i] : nullptr;
}

void RegisterTypedWords()
{
    AddAll(std::make_integer_sequence<uint32_t, kTypedWordCount>());
}

uint32_t GetTypedWordCount(uint32_t i)
{
    return i < kTypedWordCount ? s_counts[i] : 0;
}
