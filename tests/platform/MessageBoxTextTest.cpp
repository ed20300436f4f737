// A message box's text broken into lines for desktops whose boxes never break a line themselves.
#include "platform/MessageBoxText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::WrapMessageText;

TEST(MessageBoxText, LongLinesBreakAtBlanksAndNoLineGrowsPastTheLimit)
{
    const struct
    {
        const char* text;
        size_t columns;
        const char* lines;
    } cases[] = {
        {"short", 10, "short"},
        {"one two three four", 9, "one two\nthree\nfour"},
        // The two blanks after a full stop stay inside a line and go at a break.
        {"Done.  Next one.", 7, "Done.\nNext\none."},
        {"Done.  Next one.", 16, "Done.  Next one."},
        // A word as long as the line fits exactly; a longer one stands alone.
        {"abcdefgh ij", 8, "abcdefgh\nij"},
        {"ab abcdefghijkl cd", 8, "ab\nabcdefghijkl\ncd"},
        {"abcdefghijkl", 4, "abcdefghijkl"},
        // The text's own breaks are kept, empty lines too.
        {"first line\n\nsecond", 6, "first\nline\n\nsecond"},
        // Characters, not bytes: "é" is two bytes of UTF-8.
        {"\xC3\xA9t\xC3\xA9 caf\xC3\xA9", 8, "\xC3\xA9t\xC3\xA9 caf\xC3\xA9"},
        {"\xC3\xA9t\xC3\xA9 caf\xC3\xA9", 7, "\xC3\xA9t\xC3\xA9\ncaf\xC3\xA9"},
        {"", 5, ""},
        {"no limit at all", 0, "no limit at all"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapMessageText(c.text, c.columns), c.lines) << c.text << " / " << c.columns;
}

} // namespace
