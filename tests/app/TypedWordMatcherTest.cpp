// Typed words: case folding, restarts on a wrong letter, repeats, words sharing a prefix, and the
// characters still reaching the type-ahead ring.
#include "app/Keyboard.h"
#include "app/TypedWordMatcher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string s_calls;

class TypedWords : public testing::Test
{
protected:
    void SetUp() override
    {
        g_keyboard = CKeyboard();
        s_calls.clear();
    }
    void TearDown() override { g_keyboard.SetFilter(nullptr, nullptr); }

    static void Type(const std::string& text)
    {
        for (char c : text)
            g_keyboard.OnChar(static_cast<unsigned char>(c));
    }
};

} // namespace

TEST_F(TypedWords, WordsFireWhenTypedWhateverTheCase)
{
    struct Case
    {
        const char* word;
        const char* typed;
        int calls;
    };
    const Case cases[] = {
        {"abc", "abc", 1},     {"abc", "ABC", 1},     {"ABC", "abc", 1},    {"abc", "aabc", 0},
        {"abc", "xabc", 1},    {"abc", "abcabc", 2},  {"abc", "ababc", 0},  {"abc", "abxabc", 1},
        {"aab", "aaab", 0},    {"abc", "ab", 0},      {"\xE9t\xE9", "\xC9T\xC9", 0}, {"\xE9t\xE9", "\xE9t\xE9", 1},
    };
    for (const Case& c : cases) {
        CTypedWordMatcher matcher;
        static int s_count;
        s_count = 0;
        matcher.AddWord(c.word, [] { ++s_count; });
        Type(c.typed);
        EXPECT_EQ(s_count, c.calls) << c.word << " typed " << c.typed;
    }
    EXPECT_EQ(g_keyboard.GetFilter(), nullptr) << "a matcher that goes leaves the keyboard";
}

TEST_F(TypedWords, WordsSharingAPrefixAreTrackedIndependentlyNewestFirst)
{
    CTypedWordMatcher matcher;
    matcher.AddWord("gold", [] { s_calls += "gold "; });
    matcher.AddWord("go", [] { s_calls += "go "; });
    matcher.AddWord("gol", [] { s_calls += "gol "; });
    Type("gold");
    EXPECT_EQ(s_calls, "go gol gold ");
    matcher.AddWord(nullptr, [] { s_calls += "never "; });
    Type("xgo");
    EXPECT_EQ(s_calls, "go gol gold go ");
}

TEST_F(TypedWords, CharactersStillReachTheRing)
{
    CTypedWordMatcher matcher;
    matcher.AddWord("hi", [] { s_calls += "hi"; });
    Type("hi");
    EXPECT_EQ(s_calls, "hi");
    EXPECT_EQ(g_keyboard.ReadChar(), 'h');
    EXPECT_EQ(g_keyboard.ReadChar(), 'i');
    EXPECT_EQ(g_keyboard.ReadChar(), 0);
}
