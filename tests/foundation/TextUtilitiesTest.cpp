#include "foundation/FormatText.h"
#include "foundation/TextSubstitutionList.h"
#include "foundation/TextUtilities.h"
#include "foundation/VersionText.h"
#include "foundation/WideText.h"

#include "StringPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(TextUtilities, WhitespaceHelpers)
{
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText("\t\r\n"));
    EXPECT_TRUE(IsBlankText(nullptr));
    EXPECT_FALSE(IsBlankText("x"));
    EXPECT_FALSE(IsBlankText(" \x0B ")); // vertical tab is not whitespace here
    const char* text = " \t\r\nword rest";
    EXPECT_EQ(SkipWhitespace(text), text + 4);
    EXPECT_EQ(SkipLeadingWhitespace(text), text + 4);
    EXPECT_EQ(SkipToWhitespace(text + 4), text + 8);
    EXPECT_EQ(*SkipWhitespace("   "), '\0');
    EXPECT_EQ(*SkipToWhitespace("abc"), '\0');
}

TEST(TextUtilities, InPlaceEdits)
{
    char keep[] = "a1-b2_c3";
    KeepOnlyCharsInText(keep, "abc");
    EXPECT_STREQ(keep, "abc");
    char upper[] = "mixed Case \xE9z";
    MakeUpperAscii(upper);
    EXPECT_STREQ(upper, "MIXED CASE \xE9Z");

    char path[] = "data/file.txt";
    EXPECT_TRUE(RemovePrefixNoCase(path, "DATA/"));
    EXPECT_STREQ(path, "file.txt");
    EXPECT_FALSE(RemovePrefixNoCase(path, "x"));
    EXPECT_STREQ(path, "file.txt");
    char shortText[] = "da";
    EXPECT_FALSE(RemovePrefixNoCase(shortText, "data"));
    EXPECT_STREQ(shortText, "da");

    char* copy = DuplicateText("copy me");
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, "copy me");
    std::free(copy);
    EXPECT_EQ(DuplicateText(nullptr), nullptr);
}

TEST(TextUtilities, CaseInsensitiveSearchAndComparison)
{
    const char* text = "The Quick Brown";
    EXPECT_EQ(FindTextNoCase(text, "quick"), text + 4);
    EXPECT_EQ(FindTextNoCase(text, "BROWN"), text + 10);
    EXPECT_EQ(FindTextNoCase(text, "browns"), nullptr);
    EXPECT_EQ(FindTextNoCase("", ""), nullptr); // an empty text finds nothing
    EXPECT_EQ(FindTextNoCase(text, ""), text);

    EXPECT_EQ(CompareTextNoCase("abc", "ABC"), 0);
    EXPECT_LT(CompareTextNoCase("abc", "abd"), 0);
    EXPECT_GT(CompareTextNoCase("A", "_"), 0); // folding is to lower case, like the C library
    EXPECT_GT(CompareTextNoCase("\xE9", "z"), 0);
    EXPECT_EQ(CompareTextNoCaseN("abcX", "ABCy", 3), 0);
}

TEST(TextUtilities, LooseComparison)
{
    EXPECT_EQ(CompareTextLoosely("Hello  World", "hello world\t"), 0);
    EXPECT_EQ(CompareTextLoosely("  a \r\n b ", "A B"), 0);
    EXPECT_LT(CompareTextLoosely("abc", "abd"), 0);
    EXPECT_EQ(CompareTextLoosely("abc", "abd"), 'c' - 'd');
    EXPECT_EQ(CompareTextLoosely("abcd", "abc"), -1); // a character left over in a
    EXPECT_EQ(CompareTextLoosely("abc", "abc d"), 1);
    EXPECT_EQ(CompareTextLoosely("a b", "ab"), ' ' - 'b');
    EXPECT_EQ(CompareTextLoosely("", "   "), 0);
    EXPECT_EQ(CompareTextLooselyN("abcXYZ", "ABC", 3, 3), 0);
    EXPECT_EQ(CompareTextLooselyN("ab  ", "ab", 4, 2), 0);
    EXPECT_EQ(CompareTextLooselyN("ab", "abc", 2, 3), 1);
}

TEST(TextUtilities, HexConversion)
{
    unsigned char bytes[4] = {1, 2, 3, 4};
    EXPECT_EQ(HexToBytes(bytes, "0aFF", 4), 2u);
    EXPECT_EQ(bytes[0], 0x0A);
    EXPECT_EQ(bytes[1], 0xFF);
    EXPECT_EQ(bytes[2], 3); // untouched beyond the digits
    EXPECT_EQ(HexToBytes(bytes, "123", 4), 1u); // an odd digit is left over
    EXPECT_EQ(bytes[0], 0x12);
    EXPECT_EQ(HexToBytes(bytes, "ABCDEF", 2), 2u);
    EXPECT_EQ(bytes[1], 0xCD);

    char hex[9];
    const unsigned char in[] = {0x00, 0x9F, 0xA0, 0xFF};
    BytesToHex(hex, in, 4);
    EXPECT_STREQ(hex, "009FA0FF");
    unsigned char back[4] = {};
    HexToBytes(back, hex, 4);
    EXPECT_EQ(std::memcmp(back, in, 4), 0);
}

TEST(TextUtilities, MovingStridedRecords)
{
    int records[4] = {0, 1, 2, 3};
    MoveStridedArrayElement(records, sizeof(int), 1, 3);
    EXPECT_EQ(std::vector<int>(records, records + 4), (std::vector<int>{0, 3, 1, 2}));
    int others[4] = {0, 1, 2, 3};
    MoveStridedArrayElement(others, sizeof(int), 2, 0);
    EXPECT_EQ(std::vector<int>(others, others + 4), (std::vector<int>{1, 2, 0, 3}));
    MoveStridedArrayElement(others, sizeof(int), 2, 2);
    EXPECT_EQ(std::vector<int>(others, others + 4), (std::vector<int>{1, 2, 0, 3}));

    // Records larger than 4 bytes travel whole.
    struct Record
    {
        int64_t a;
        int64_t b;
    };
    Record wide[3] = {{1, 10}, {2, 20}, {3, 30}};
    MoveStridedArrayElement(wide, sizeof(Record), 0, 2);
    EXPECT_EQ(wide[0].a, 3);
    EXPECT_EQ(wide[0].b, 30);
    EXPECT_EQ(wide[1].b, 10);
    EXPECT_EQ(wide[2].b, 20);
}

TEST(WideText, Functions)
{
    char16_t buffer[8];
    WideTextCopy(buffer, u"abc");
    EXPECT_EQ(std::u16string(buffer), u"abc");
    for (char16_t& c : buffer)
        c = 0x7777;
    WideTextCopyN(buffer, u"ab", 5);
    EXPECT_EQ(buffer[1], u'b');
    EXPECT_EQ(buffer[2], 0);
    EXPECT_EQ(buffer[4], 0); // the rest of the n units is zero-filled
    EXPECT_EQ(buffer[5], 0x7777);
    WideTextCopyN(buffer, u"abcdef", 3);
    EXPECT_EQ(buffer[2], u'c');
    EXPECT_EQ(buffer[3], 0); // left from before
    EXPECT_EQ(WideTextLength(u""), 0u);
    EXPECT_EQ(WideTextLength(u"\u263A\u263A"), 2u);

    EXPECT_EQ(WideTextCompare(u"abc", u"abc"), 0);
    EXPECT_EQ(WideTextCompare(u"ab", u"abc"), -1);
    EXPECT_EQ(WideTextCompare(u"\uFFFF", u"a"), 1); // unsigned units
    EXPECT_EQ(WideTextCompareNarrow(u"\u00E9", "\xE9"), 0); // bytes unsigned
    EXPECT_EQ(WideTextCompareNarrow(u"\u0100", "\xFF"), 1);
    EXPECT_EQ(WideTextCompareNoCase(u"HeLLo", u"hello"), 0);
    EXPECT_EQ(WideTextCompareNoCase(u"\u00E9", u"\u00C9"), 1); // only a-z fold
    EXPECT_EQ(WideTextCompareNoCase(u"a", u"_"), -1);          // folding is to upper case
    EXPECT_EQ(WideTextCompareNarrowNoCase(u"ABC", "abc"), 0);

    const char16_t* text = u"one two";
    EXPECT_EQ(WideTextFind(text, u"two"), text + 4);
    EXPECT_EQ(WideTextFind(text, u""), text);
    EXPECT_EQ(WideTextFind(text, u"three"), nullptr);
    EXPECT_EQ(WideTextFindNarrow(text, "e t"), text + 2);
    const char16_t* accented = u"x\u00E9y";
    EXPECT_EQ(WideTextFindNarrow(accented, "\xE9"), accented + 1);

    char narrow[6] = "#####";
    WideTextNarrow(narrow, u"a\u0142c", 5);
    EXPECT_EQ(narrow[0], 'a');
    EXPECT_EQ(narrow[1], '\x42'); // the low byte
    EXPECT_EQ(narrow[2], 'c');
    EXPECT_EQ(narrow[3], '#'); // no terminator added
}

TEST(FormatEstimate, ValuesOfTheListedConversions)
{
    EXPECT_EQ(EstimateFormatLength("%s=%d", "abcde", 7), 38u);
    EXPECT_EQ(EstimateFormatLength("%5.2f", 3.14159), 64u);
    EXPECT_EQ(EstimateFormatLength("%10c", 'x'), 10u);
    EXPECT_EQ(EstimateFormatLength(""), 0u);
    EXPECT_EQ(EstimateFormatLength("plain"), 5u);
    EXPECT_EQ(EstimateFormatLength("%%"), 1u);
    EXPECT_EQ(EstimateFormatLength("%.2s", "abcdef"), 2u);
    EXPECT_EQ(EstimateFormatLength("%#x", 1u), 34u);
    const char* wide = "%S"; // passed through a variable: the compiler reads %S the C library's way
    EXPECT_EQ(EstimateFormatLength(wide, u"four"), 4u);
    // A '*' precision consumes its argument, so the text after it is the right one.
    EXPECT_EQ(EstimateFormatLength("%.*f%s", 2, 1.5, "abc"), 67u);
    EXPECT_EQ(EstimateFormatLength("%*s", -8, "ab"), 8u);
    // A precision near the int range asks for that many digits; the count must not wrap.
    EXPECT_GE(EstimateFormatLength("%.2147483646d", 5), 2147483646u);
    EXPECT_GE(EstimateFormatLength("%.*x", 2147483647, 5u), 2147483647u);
}

TEST(FormatEstimate, IsAnUpperBoundWhereFixedAllowancesFail)
{
    struct Case
    {
        size_t estimate;
        int actual;
    };
    auto both = [](const char* format, auto... args) {
        return Case{EstimateFormatLength(format, args...), std::snprintf(nullptr, 0, format, args...)};
    };
    for (const Case& c : {both("%f", 1e300), both("%.80f", 1.0 / 3.0), both("%e", -1e-300), both("%x", 0xFFFFFFFFu),
                          both("%o", 0xFFFFFFFFu), both("%#o", 0xFFFFFFFFu), both("%llo", ~0ull), both("%ld", LONG_MIN),
                          both("%*.*f", 100, 50, -1e100), both("%.40d", 5), both("%p", static_cast<void*>(&both)),
                          both("%#.60x", 1u), both("%Lf", 1e4000L), both("%-70s|", "x")}) {
        EXPECT_GE(c.estimate, static_cast<size_t>(c.actual));
    }
}

// Random conversions with random flags, widths and precisions: the estimate bounds the output, and
// our own conversion walk (forced by a trailing "%S") writes exactly what the C library writes.
class RandomFormats
{
public:
    explicit RandomFormats(uint32_t seed) : m_random(seed) {}

    void Run(int count)
    {
        for (int i = 0; i < count && !testing::Test::HasFailure(); ++i)
            One();
    }

private:
    int Pick(int n) { return static_cast<int>(m_random() % static_cast<uint32_t>(n)); }

    template <typename... Args>
    void Check(const std::string& format, Args... args)
    {
        const int expected = std::snprintf(nullptr, 0, format.c_str(), args...);
        ASSERT_GE(expected, 0) << format;
        std::string reference(static_cast<size_t>(expected) + 1, '\0');
        std::snprintf(reference.data(), reference.size(), format.c_str(), args...);
        reference.resize(static_cast<size_t>(expected));

        EXPECT_GE(EstimateFormatLength(format.c_str(), args...), static_cast<size_t>(expected)) << format;

        const std::string own = format + "%S";
        char out[2048];
        const int n = FormatText(out, sizeof out, own.c_str(), args..., u"");
        ASSERT_EQ(n, expected) << format;
        EXPECT_EQ(std::string(out, static_cast<size_t>(n)), reference) << format;

        // A short output buffer is cut, terminated and not overrun.
        char small[8];
        std::memset(small, '#', sizeof small);
        EXPECT_EQ(FormatText(small, 5, own.c_str(), args..., u""), expected) << format;
        EXPECT_EQ(std::string(small, std::min<size_t>(4, strnlen(small, 5))), reference.substr(0, std::min<size_t>(4, reference.size())));
        EXPECT_EQ(small[5], '#');
    }

    template <typename T>
    void WithStars(std::string spec, char conversion, T value)
    {
        const bool starWidth = Pick(4) == 0;
        const bool starPrecision = Pick(4) == 0;
        const int width = Pick(40) - (starWidth ? 20 : 0);
        const int precision = Pick(30) - (starPrecision ? 5 : 0);
        if (starWidth)
            spec += '*';
        else if (Pick(2))
            spec += std::to_string(width);
        const bool hasPrecision = starPrecision || Pick(2);
        if (hasPrecision) {
            spec += '.';
            if (starPrecision)
                spec += '*';
            else
                spec += std::to_string(precision);
        }
        spec += m_size;
        spec += conversion;
        const std::string format = "<" + spec + ">";
        if (starWidth && starPrecision)
            Check(format, width, precision, value);
        else if (starWidth)
            Check(format, width, value);
        else if (starPrecision)
            Check(format, precision, value);
        else
            Check(format, value);
    }

    void One()
    {
        std::string spec = "%";
        for (int n = Pick(3); n > 0; --n)
            spec += "-+ #0"[Pick(5)];
        m_size.clear();
        switch (Pick(7)) {
        case 0:
            WithStars(spec, "di"[Pick(2)], static_cast<int>(m_random()));
            break;
        case 1:
            m_size = "ll";
            WithStars(spec, "diouxX"[Pick(6)], static_cast<long long>(static_cast<uint64_t>(m_random()) << 32 | m_random()));
            break;
        case 2:
            WithStars(spec, "ouxX"[Pick(4)], static_cast<unsigned>(m_random()));
            break;
        case 3: {
            const double values[] = {0.0, -0.0, 1.5, -2.25e-7, 3.0e200, -1.0e308, 123456789.125, 1.0 / 3.0};
            WithStars(spec, "fFeEgGaA"[Pick(8)], values[Pick(8)]);
            break;
        }
        case 4: {
            const char* texts[] = {"", "a", "hello world", "x\xE9y"};
            WithStars(std::string("%") + (Pick(2) ? "-" : ""), 's', texts[Pick(4)]);
            break;
        }
        case 5:
            WithStars(std::string("%") + (Pick(2) ? "-" : ""), 'c', 'A' + Pick(26));
            break;
        case 6:
            m_size = "h";
            WithStars(spec, "dux"[Pick(3)], static_cast<int>(m_random() & 0xFFFF));
            break;
        }
    }

    std::mt19937 m_random;
    std::string m_size;
};

TEST(FormatEstimate, RandomConversionsAgreeWithTheCLibrary)
{
    RandomFormats formats(7u);
    formats.Run(5000);
}

TEST(TextSubstitutionList, AppliesPairsInOrder)
{
    CTextSubstitutionList list;
    list.AddSubstitution(CSharedString("a"), CSharedString("b"));
    list.AddSubstitution(CSharedString("b"), CSharedString("c"));
    EXPECT_EQ(list.Apply(CSharedString("a")), "c"); // later pairs act on earlier replacements
    EXPECT_EQ(list.Apply(CSharedString("xbx")), "xcx");

    CTextSubstitutionList messages;
    for (int i = 0; i < 11; ++i)
        messages.AddSubstitution(CSharedString(("%k" + std::to_string(i) + ";").c_str()), CSharedString(std::to_string(i * i).c_str()));
    EXPECT_EQ(messages.GetCount(), 11);
    EXPECT_EQ(messages.GetCapacity(), 12);
    const CSharedString templateText("%k3; and %k10; and %k3;");
    EXPECT_EQ(messages.Apply(templateText), "9 and 100 and 9");
    EXPECT_EQ(templateText, "%k3; and %k10; and %k3;"); // the template is not changed
}

TEST(VersionText, ProductAndVersion)
{
    CSharedString name;
    GetProductName(name);
    EXPECT_EQ(name, "Vantorel");
    EXPECT_EQ(GetBuildNumber(), 75);
    EXPECT_EQ(FormatVersionAndBuild(), "1.4 Build 75");
    EXPECT_EQ(FormatProductVersionText(), "Vantorel Version 1.4 Build 75");
    CSharedString text("old");
    FormatProductVersionText(text);
    EXPECT_EQ(text, "Vantorel Version 1.4 Build 75");
}

} // namespace
