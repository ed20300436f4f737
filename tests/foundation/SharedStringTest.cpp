#include "foundation/SharedString.h"

#include "foundation/LocalizedString.h"
#include "foundation/SmallBlockAllocator.h"
#include "StringPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Vsn(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    va_end(args);
    out.resize(static_cast<size_t>(n));
    return out;
}

std::u16string Wide(const CSharedString& s)
{
    return s.IsWide() ? std::u16string(s.CWideStr()) : std::u16string();
}

TEST(SharedString, ConstructionAndTheSharedEmptyBuffer)
{
    CSharedString a;
    CSharedString b(static_cast<const char*>(nullptr));
    EXPECT_EQ(a.CStr(), b.CStr()); // one process-wide empty buffer
    EXPECT_GE(a.GetReferenceCount(), 2u);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_STREQ(a.CStr(), "");

    CSharedString ownEmpty("");
    EXPECT_NE(ownEmpty.CStr(), a.CStr()); // an empty, non-null text gets its own buffer
    EXPECT_EQ(ownEmpty.GetCapacity(), 0);

    CSharedString text("Paddle");
    EXPECT_EQ(text.GetLength(), 6);
    EXPECT_EQ(text.GetCapacity(), 6); // exact size
    EXPECT_EQ(CSharedString("abcdef", 3), "abc");
    EXPECT_EQ(CSharedString::ConstructConcatenated("ab", 2, "cde", 3), "abcde");
    EXPECT_EQ(CSharedString::ConstructConcatenated(nullptr, 4, "x", 1), "x");

    CSharedString wide(u"\u263A ok");
    EXPECT_TRUE(wide.IsWide());
    EXPECT_EQ(wide.GetLength(), 4);
    EXPECT_EQ(wide.GetCapacity(), 4); // 2n + 1 bytes, halved
    EXPECT_EQ(wide.GetAt(0), 0x263A);
    EXPECT_TRUE(CSharedString(static_cast<const char16_t*>(nullptr)).IsEmpty());
}

TEST(SharedString, CopyOnWriteKeepsCopiesIsolated)
{
    CSharedString first("brick");
    CSharedString second(first);
    EXPECT_EQ(first.CStr(), second.CStr());
    EXPECT_EQ(first.GetReferenceCount(), 2u);

    second.AppendText("s");
    EXPECT_EQ(first, "brick");
    EXPECT_EQ(second, "bricks");
    EXPECT_NE(first.CStr(), second.CStr());
    EXPECT_EQ(first.GetReferenceCount(), 1u);

    CSharedString third = first;
    third.SetAt(0, 'B');
    third.MakeUpper();
    EXPECT_EQ(first, "brick");
    EXPECT_EQ(third, "BRICK");

    CSharedString moved(std::move(third));
    EXPECT_EQ(moved, "BRICK");
    EXPECT_TRUE(third.IsEmpty()); // NOLINT: a moved-from string is empty
    first = std::move(moved);
    EXPECT_EQ(first, "BRICK");
}

TEST(SharedString, GrowthIsExactAndUnsharedBuffersAreReused)
{
    CSharedString s("abc");
    const char* before = s.CStr();
    s.AppendText("d");
    EXPECT_NE(s.CStr(), before); // no spare room: each append that does not fit reallocates
    EXPECT_EQ(s.GetCapacity(), 4);

    s.Reserve(20);
    const char* reserved = s.CStr();
    EXPECT_EQ(s.GetCapacity(), 20);
    s.AppendText("efgh");
    EXPECT_EQ(s.CStr(), reserved); // unshared with room: in place
    EXPECT_EQ(s, "abcdefgh");

    CSharedString sharer(s);
    s.AppendText("i");
    EXPECT_NE(s.CStr(), reserved); // shared: a copy is made first
    EXPECT_EQ(sharer, "abcdefgh");

    CSharedString t("a longer text");
    const char* tBuffer = t.CStr();
    t.SetText("short");
    EXPECT_EQ(t.CStr(), tBuffer); // a shorter text is copied in place
    EXPECT_EQ(t.GetCapacity(), 13);
    t.SetText("");
    EXPECT_EQ(t.CStr(), CSharedString().CStr());
}

TEST(SharedString, SetAtAboveByteRangeMakesTheStringWide)
{
    CSharedString s("ball");
    CSharedString copy(s);
    s.SetAt(2, 300);
    EXPECT_TRUE(s.IsWide());
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_EQ(Wide(s), std::u16string(u"ba\u012Cl"));
    EXPECT_FALSE(copy.IsWide());
    EXPECT_EQ(copy, "ball");

    CSharedString t("x");
    t.SetAt(0, static_cast<signed char>(0xE9)); // a signed 8-bit character stays 8-bit
    EXPECT_FALSE(t.IsWide());
    EXPECT_EQ(t.GetByteAt(0), 0xE9);
    EXPECT_EQ(t.GetAt(0), 0xE9);
    EXPECT_EQ(t.GetCharAt(0), -23);
    t.SetAt(5, 'y'); // beyond the text: ignored rather than overwriting the terminator
    EXPECT_EQ(t.GetLength(), 1);
    EXPECT_EQ(CSharedString().GetAt(0), 0);
}

TEST(SharedString, WideConversionsOnAppend)
{
    CSharedString s("ab");
    s.Append(CSharedString(u"\u00E9\u4E2D"));
    EXPECT_TRUE(s.IsWide());
    EXPECT_EQ(Wide(s), std::u16string(u"ab\u00E9\u4E2D"));
    s.AppendText("c\xE9");
    EXPECT_EQ(Wide(s), std::u16string(u"ab\u00E9\u4E2Dc\u00E9")); // bytes widened unsigned

    CSharedString r("x");
    r.AppendRepeated('-', 3);
    EXPECT_EQ(r, "x---");
    r.AppendRepeated(0x263A, 2);
    EXPECT_EQ(Wide(r), std::u16string(u"x---\u263A\u263A"));

    CSharedString f("ab");
    f.AppendFirstChars(CSharedString(u"\u4E2Dxyz"), 2);
    EXPECT_EQ(Wide(f), std::u16string(u"ab\u4E2Dx"));

    CSharedString m("q\xFF");
    m.MakeWide();
    EXPECT_EQ(Wide(m), std::u16string(u"q\u00FF"));
    EXPECT_EQ(m.GetCapacity(), 2);
}

TEST(SharedString, Trimming)
{
    CSharedString right("abc \t\r\n");
    right.TrimRight();
    EXPECT_EQ(right, "abc");
    CSharedString left("\t\n x");
    left.TrimLeft();
    EXPECT_EQ(left, "x");
    CSharedString empty;
    empty.TrimLeft();
    empty.TrimRight();
    EXPECT_TRUE(empty.IsEmpty());
    CSharedString blank(" \t ");
    blank.TrimRight();
    EXPECT_TRUE(blank.IsEmpty());
    CSharedString wide(u"  \u263A  ");
    wide.TrimLeft();
    wide.TrimRight();
    EXPECT_EQ(Wide(wide), std::u16string(u"\u263A"));
}

TEST(SharedString, TimeTexts)
{
    CSharedString s;
    s.FormatHoursMinutesSeconds(59.9f);
    EXPECT_EQ(s, "00:00:59");
    s.FormatHoursMinutesSeconds(3725.0f);
    EXPECT_EQ(s, "01:02:05");
    s.FormatHoursMinutesSeconds(86400.0f);
    EXPECT_EQ(s, "24:00:00");
    s.FormatMinutesSeconds("%d:%02d.%02d", 125.5f);
    EXPECT_EQ(s, "2:05.50");

    // The separators are localised texts.
    ASSERT_GE(CLocalizedString::GetRegisteredCount(), 5);
    std::vector<std::string> comments;
    for (int i = 0; i < CLocalizedString::GetRegisteredCount(); ++i)
        if (const char* comment = CLocalizedString::GetRegisteredComment(i))
            comments.push_back(comment);
    for (const char* expected : {"Hours:Minutes separator", "Minutes:Seconds separator", "\"d\" is short for the days",
                                 "suffix indicating minutes", "suffix indicating seconds"})
        EXPECT_NE(std::find(comments.begin(), comments.end(), expected), comments.end()) << expected;
}

TEST(SharedString, SubstitutionOfArguments)
{
    CSharedString s("100%% of %d bricks");
    EXPECT_TRUE(s.SubstituteIntArg(42, 0, 0));
    EXPECT_EQ(s, "100% of 42 bricks");
    CSharedString u("[%u]");
    EXPECT_TRUE(u.SubstituteIntArg(7, 1, 3));
    EXPECT_EQ(u, "[007]");
    CSharedString i("%i/%i");
    EXPECT_TRUE(i.SubstituteIntArg(-5, 0, 4));
    EXPECT_EQ(i, "  -5/%i");
    CSharedString none("no placeholder");
    EXPECT_FALSE(none.SubstituteIntArg(1, 0, 0));

    CSharedString t("%%s is %s");
    t.SubstituteStringArg(CSharedString("Hard"));
    EXPECT_EQ(t, "Hard is %s"); // "%%" first becomes "%", which is then the first "%s"

    CSharedString a("100%");
    a.AppendInteger(3, 0, 0);
    EXPECT_EQ(a, "100%3"); // the text's own '%' is not taken for a placeholder
    CSharedString b("t=");
    b.AppendInteger(5, 1, 3);
    EXPECT_EQ(b, "t=005");
}

TEST(SharedString, Numbers)
{
    CSharedString s;
    s.FormatWithCommas(1234567);
    EXPECT_EQ(s, "1,234,567");
    s.FormatWithCommas(123);
    EXPECT_EQ(s, "123");
    s.FormatWithCommas(1000);
    EXPECT_EQ(s, "1,000");
    s.FormatWithCommas(-123);
    EXPECT_EQ(s, "-123");
    s.FormatWithCommas(-123456);
    EXPECT_EQ(s, "-123,456");
    s.FormatWithCommas(-2147483647 - 1);
    EXPECT_EQ(s, "-2,147,483,648");

    s.SetToInteger(-1, 2);
    EXPECT_EQ(s, std::string(32, '1').c_str()); // 32 binary digits fit
    s.SetToInteger(-2147483647 - 1, 10);
    EXPECT_EQ(s, "-2147483648");
    s.SetToInteger(255, 16);
    EXPECT_EQ(s, "ff");
    s.SetToInteger(-255, 16);
    EXPECT_EQ(s, "ffffff01");
    s.SetToInteger(35, 36);
    EXPECT_EQ(s, "z");
    s.SetToInteger(5, 1);
    EXPECT_TRUE(s.IsEmpty());
    CSharedString w(u"\u263A");
    w.SetToInteger(12, 10);
    EXPECT_FALSE(w.IsWide());
    EXPECT_EQ(w, "12");

    const unsigned char bytes[] = {0x00, 0x0A, 0xFF, 0x7E};
    s.SetToHex(bytes, 4);
    EXPECT_EQ(s, "000AFF7E");
}

TEST(SharedString, Comparison)
{
    CSharedString empty, a("a"), b("b"), upperA("A");
    EXPECT_EQ(empty.Compare(a), -1);
    EXPECT_EQ(a.Compare(empty), 1);
    EXPECT_EQ(empty.Compare(CSharedString("")), 0);
    EXPECT_EQ(a.Compare(CSharedString("a")), 0);
    EXPECT_EQ(a.Compare(b), -1);
    EXPECT_EQ(CSharedString("\xE9").Compare(b), 1); // bytes compare unsigned
    EXPECT_EQ(a.CompareCStr(nullptr), 1);
    EXPECT_EQ(empty.CompareCStr(nullptr), 0);
    EXPECT_EQ(a.CompareNoCase(upperA), 0);
    EXPECT_EQ(a.CompareNoCaseCStr("B"), -1);

    CSharedString wideA(u"a");
    EXPECT_EQ(wideA.Compare(a), 0); // mixed pairs compare 16-bit, narrow widened
    EXPECT_EQ(a.Compare(wideA), 0);
    EXPECT_EQ(CSharedString(u"\u4E2D").Compare(CSharedString("\xFF")), 1);
    EXPECT_EQ(CSharedString("\xFF").Compare(CSharedString(u"\u4E2D")), -1);
    EXPECT_EQ(wideA.CompareCStr("a"), 0);
    EXPECT_EQ(wideA.CompareNoCaseCStr("A"), 0);
    EXPECT_EQ(CSharedString(u"ABC").CompareNoCase(CSharedString("abd")), -1);
}

TEST(SharedString, FindMidAndReplace)
{
    CSharedString s("one two one");
    EXPECT_EQ(s.Find(CSharedString("one")), 0);
    EXPECT_EQ(s.Find(CSharedString("one"), 1), 8);
    EXPECT_EQ(s.Find(CSharedString("one"), 11), -1); // start at the length
    EXPECT_EQ(s.Find(CSharedString("xyz")), -1);
    EXPECT_EQ(s.Find(CSharedString(u"two")), 4);
    EXPECT_EQ(s.Find(CSharedString(u"\u4E2D")), -1);
    EXPECT_EQ(s.FindChar('o', 1), 6);
    EXPECT_EQ(s.FindChar('z'), -1);
    EXPECT_EQ(s.Mid(4, 3), "two");
    EXPECT_EQ(s.Mid(8, 100), "one");
    EXPECT_TRUE(s.Mid(12, 2).IsEmpty());
    EXPECT_EQ(s.MidToEnd(4), "two one");
    CSharedString wide(u"\u263Axy");
    EXPECT_TRUE(wide.MidToEnd(1).IsWide());
    EXPECT_EQ(Wide(wide.MidToEnd(1)), std::u16string(u"xy"));

    CSharedString x("axb");
    EXPECT_EQ(x.ReplaceAll(CSharedString("x"), CSharedString("xx")), 1);
    EXPECT_EQ(x, "axxb");
    CSharedString xy("xyxy");
    EXPECT_EQ(xy.ReplaceAll(CSharedString("xy"), CSharedString()), 2);
    EXPECT_TRUE(xy.IsEmpty());
    CSharedString none("abc");
    EXPECT_EQ(none.ReplaceAll(CSharedString("q"), CSharedString("z")), 0);
    EXPECT_EQ(none.ReplaceAll(CSharedString(), CSharedString("z")), 0); // empty pattern: no endless loop
    EXPECT_EQ(none, "abc");
    CSharedString from("aaaa");
    EXPECT_EQ(from.ReplaceAll(CSharedString("a"), CSharedString("b"), 2), 2);
    EXPECT_EQ(from, "aabb");

    CSharedString r("hello world");
    EXPECT_TRUE(r.ReplaceFirstText("o", CSharedString("0"), 5));
    EXPECT_EQ(r, "hello w0rld");
    EXPECT_FALSE(r.ReplaceFirst(CSharedString("zz"), CSharedString("y")));
    r.ReplaceRange(0, 5, CSharedString(u"\u263A"));
    EXPECT_EQ(Wide(r), std::u16string(u"\u263A w0rld"));

    CSharedString k("a1b2c3");
    k.KeepOnlyChars("0123456789");
    EXPECT_EQ(k, "123");
}

TEST(SharedString, Paths)
{
    CSharedString p;
    p.SetToJoinedPath("Data", "Ball.seq");
    EXPECT_EQ(p, "Data/Ball.seq");
    p.SetToJoinedPath("Data/", "Ball.seq");
    EXPECT_EQ(p, "Data/Ball.seq");
    p.SetToJoinedPath("", "Ball.seq");
    EXPECT_EQ(p, "Ball.seq");
    p.SetToJoinedPathWithSuffix("Data", "Ball", ".seq24");
    EXPECT_EQ(p, "Data/Ball.seq24");
    p.SetToDashFolderFilePath("Data", "Sprites/Ball", "Frame01.tga", ".txt");
    EXPECT_EQ(p, "Data/Sprites/-Ball/Frame01.tga.txt");
    p.SetToDashFolderFilePath("Data", "Ball", "Properties", "");
    EXPECT_EQ(p, "Data/-Ball/Properties");
    p.SetToDashPrefixedPath("Data", "Sprites\\Ball", ".seq24");
    EXPECT_EQ(p, "Data/Sprites/-Ball.seq24");

    CSharedString a("x");
    a.AppendPath("y");
    a.AppendPath(nullptr);
    EXPECT_EQ(a, "x/y/");
    a.AppendPath("z");
    EXPECT_EQ(a, "x/y/z");
    CSharedString empty;
    empty.AppendPath("z");
    EXPECT_EQ(empty, "z");

    CSharedString folder, name;
    CSharedString("a/b\\c/d.txt").SplitPath(&folder, &name);
    EXPECT_EQ(folder, "a/b\\c");
    EXPECT_EQ(name, "d.txt");
    CSharedString::SplitPathText("a\\b/c\\d", &folder, &name);
    EXPECT_EQ(folder, "a\\b/c");
    EXPECT_EQ(name, "d");
    CSharedString::SplitPathText("plain.txt", &folder, &name);
    EXPECT_TRUE(folder.IsEmpty());
    EXPECT_EQ(name, "plain.txt");
    CSharedString::SplitPathText("dir/", nullptr, &name);
    EXPECT_TRUE(name.IsEmpty());
}

TEST(SharedString, TextsFromTheStringItselfStayValid)
{
    CSharedString s("abcdef");
    s.AppendText(s.CStr());
    EXPECT_EQ(s, "abcdefabcdef");
    s.AppendText(s.CStr() + 6);
    EXPECT_EQ(s, "abcdefabcdefabcdef");
    s.Append(s);
    EXPECT_EQ(s.GetLength(), 36);
    s.SetText(s.CStr() + 30);
    EXPECT_EQ(s, "abcdef");
    s.AssignChars(s.CStr() + 1, 3);
    EXPECT_EQ(s, "bcd");
    s.AppendPath(s.CStr());
    EXPECT_EQ(s, "bcd/bcd");
    s.SetToJoinedPath(s.CStr(), s.CStr() + 4);
    EXPECT_EQ(s, "bcd/bcd/bcd");
    s.KeepOnlyChars(s.CStr() + 9);
    EXPECT_EQ(s, "cdcdcd");

    // Formatting with the string's own text as an argument, short and long.
    s.Format("[%s|%s]", s.CStr(), s.CStr());
    EXPECT_EQ(s, "[cdcdcd|cdcdcd]");
    const std::string longText(700, 'q');
    s.SetText(longText.c_str());
    s.Format("%s-%s", s.CStr(), s.CStr());
    EXPECT_EQ(std::string(s.CStr()), longText + "-" + longText);
    s.AppendFormat("%.3s", s.CStr());
    EXPECT_EQ(s.GetLength(), 1404);
    s.SetText(longText.c_str());
    s.AppendFormat("%s", s.CStr());
    EXPECT_EQ(std::string(s.CStr()), longText + longText);
}

TEST(SharedString, FormatAgreesWithTheCLibrary)
{
    CSharedString s;
    s.Format("%f", 1e300);
    EXPECT_EQ(std::string(s.CStr()), Vsn("%f", 1e300));
    EXPECT_GT(s.GetLength(), 300);
    s.Format("%.80f", 1.0 / 3.0);
    EXPECT_EQ(std::string(s.CStr()), Vsn("%.80f", 1.0 / 3.0));
    s.Format("%e|%E|%g", -1.5e-300, 6.02e23, 0.0001);
    EXPECT_EQ(std::string(s.CStr()), Vsn("%e|%E|%g", -1.5e-300, 6.02e23, 0.0001));
    s.Format("%x %X %#x %o %#o", 0xDEADBEEFu, 255u, 255u, 8u, 8u);
    EXPECT_EQ(std::string(s.CStr()), Vsn("%x %X %#x %o %#o", 0xDEADBEEFu, 255u, 255u, 8u, 8u));
    s.Format("%*.*f|%-*d|%.*s", 12, 3, 3.14159, 6, 42, 2, "abcdef");
    EXPECT_EQ(std::string(s.CStr()), Vsn("%*.*f|%-*d|%.*s", 12, 3, 3.14159, 6, 42, 2, "abcdef"));
    s.Format("%ld %lld %zu %c %5s %%", -5L, 1LL << 40, static_cast<size_t>(99), 'Z', "ab");
    EXPECT_EQ(std::string(s.CStr()), Vsn("%ld %lld %zu %c %5s %%", -5L, 1LL << 40, static_cast<size_t>(99), 'Z', "ab"));
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(SharedString, FormatWithSixteenBitText)
{
    // The compiler's format check reads these conversions the C library's way, so the formats
    // are passed through variables.
    const char* wideText = "<%S>";
    const char* mixed = "%ls|%-6S|%.2S|%C|%lc|%s";
    const char* sizes = "%I64d %I32d %d";
    const char* count = "a%nb%d";
    CSharedString s;
    s.Format(wideText, u"Wide \u00E9");
    EXPECT_EQ(s, "<Wide \xE9>");
    s.Format(mixed, u"a\u4E2Db", u"xy", u"1234", static_cast<int>(u'Q'), 0x263A, "end");
    EXPECT_EQ(s, "a?b|xy    |12|Q|?|end");
    s.Format(sizes, static_cast<long long>(1) << 40, 7, 8);
    EXPECT_EQ(s, "1099511627776 7 8");
    int ignored = 0;
    s.Format(count, &ignored, 5);
    EXPECT_EQ(s, "ab5");
    EXPECT_EQ(ignored, 0);

    CSharedString w(u"\u263A");
    w.Format("%d", 12);
    EXPECT_TRUE(w.IsWide()); // the string keeps its width
    EXPECT_EQ(Wide(w), std::u16string(u"12"));
    w.AppendFormat("-%s", "x");
    EXPECT_EQ(Wide(w), std::u16string(u"12-x"));
}

TEST(SharedString, BufferAccess)
{
    CSharedString s("shared");
    CSharedString other(s);
    char* buffer = s.GetBuffer(10);
    EXPECT_STREQ(buffer, "shared");
    std::snprintf(buffer, 11, "0123456789");
    s.ReleaseBuffer(4);
    EXPECT_EQ(s, "0123");
    EXPECT_EQ(other, "shared");
    char* fresh = s.GetBufferNoCopy(3);
    fresh[0] = 'x';
    s.ReleaseBuffer(1);
    EXPECT_EQ(s, "x");
    s.Clear();
    EXPECT_TRUE(s.IsEmpty());
    s.ReleaseBuffer(0); // on the shared empty buffer: nothing is written
    EXPECT_TRUE(CSharedString().IsEmpty());
}

TEST(SharedString, BuffersGoBackToTheirPools)
{
    CSmallBlockAllocator* allocator = CSmallBlockAllocator::GetInstance();
    std::vector<uint32_t> before;
    for (uint32_t c = 0; c < allocator->GetPoolCount(); ++c)
        before.push_back(allocator->GetBlocksInUse(c));
    {
        std::vector<CSharedString> strings;
        for (int i = 0; i < 300; ++i) {
            CSharedString s;
            s.Format("%d:%s", i, std::string(static_cast<size_t>(i % 50), 'x').c_str());
            s.AppendRepeated(i % 7 == 0 ? 0x263A : 'y', i % 13);
            s.ReplaceAll(CSharedString("x"), CSharedString("zz"));
            strings.push_back(s);
            strings.push_back(s.Mid(1, i % 20));
        }
    }
    for (uint32_t c = 0; c < allocator->GetPoolCount(); ++c)
        EXPECT_EQ(allocator->GetBlocksInUse(c), before[c]) << c;
}

} // namespace
