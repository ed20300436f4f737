#pragma once
// Watches the characters typed anywhere in the program and calls a function each time the player
// has typed one of its words (ignoring case). It is the keyboard's character filter and never
// consumes a character, so the type-ahead ring still receives everything.
//
// A wrong letter restarts a word, and that letter is not tested against the word's first letter:
// for "abc", typing a, a, b, c calls nothing.
#include <cstdint>

class CTypedWordMatcher
{
public:
    using Callback = void (*)();

    constexpr CTypedWordMatcher() = default;
    ~CTypedWordMatcher();
    CTypedWordMatcher(const CTypedWordMatcher&) = delete;
    CTypedWordMatcher& operator=(const CTypedWordMatcher&) = delete;

    // Adds the word (not copied: a literal, or text that outlives the matcher) in front of the
    // others, and makes the matcher the keyboard's character filter. A null word or callback is
    // ignored.
    void AddWord(const char* word, Callback callback);
    // The filter: advances every word; always false (the character is not consumed).
    static bool OnCharTyped(void* matcher, int character);

private:
    struct Entry
    {
        const char* m_word;
        Callback m_callback;
        Entry* m_next;
        const char* m_cursor; // the next letter expected
    };

    void OnChar(int character);

    Entry* m_head = nullptr;
};

// The one matcher of the program.
extern CTypedWordMatcher g_typedWordMatcher;
