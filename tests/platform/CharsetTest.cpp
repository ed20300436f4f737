// Windows-1252 <-> UTF-8, checked against Python's own code page tables.
#include "platform/Charset.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Charset, AgreesWithPythonsCodePageForEveryDefinedByte)
{
    testsupport::TempDir dir;
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D)
            bytes += static_cast<char>(b);
    testsupport::WriteFileBytes(dir / "in.bin", bytes);
    std::string cmd = "python3 -c \"import sys; d=open(sys.argv[1],'rb').read(); "
                      "open(sys.argv[2],'wb').write(d.decode('cp1252').encode('utf-8'))\" '" +
                      (dir / "in.bin") + "' '" + (dir / "out.txt") + "'";
    ASSERT_EQ(testsupport::RunCommand(cmd), 0);
    std::string expected = testsupport::ReadFileBytes(dir.Path() / "out.txt");
    EXPECT_EQ(Cp1252ToUtf8(bytes), expected);
    EXPECT_EQ(Utf8ToCp1252(expected), bytes);
}

TEST(Charset, UndefinedBytesRoundTripThroughTheirControlCodePoints)
{
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Cp1252ToCodePoint(b), static_cast<char32_t>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one);
    }
    // Every byte survives the trip, zero included.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Charset, CodePointsOutsideTheCodePageAreReplacedOrDropped)
{
    const std::string text = "a\xE2\x84\xA2" "b\xE3\x82\xA2" "c\xF0\x9F\x98\x80";   // TM sign, katakana, emoji
    EXPECT_EQ(Utf8ToCp1252(text), "a\x99" "b?c?");
    EXPECT_EQ(Utf8ToCp1252(text, 0), "a\x99" "bc");
    // C1 code points that the code page uses for other characters have no byte.
    EXPECT_EQ(CodePointToCp1252(0x80), -1);
    EXPECT_EQ(CodePointToCp1252(0x20AC), 0x80);
}

TEST(Charset, MalformedUtf8NeverReadsPastTheEnd)
{
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");                  // cut short at the end
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "?");
    EXPECT_EQ(Utf8ToCp1252("\xC3x"), "?x");                // a lead byte without its continuation
    EXPECT_EQ(Utf8ToCp1252("\x80\xBF"), "??");             // stray continuation bytes
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");             // overlong '/'
    EXPECT_EQ(Utf8ToCp1252("\xE0\x80\xAF"), "?");          // overlong in three bytes
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "?");          // a surrogate
    EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80"), "?");      // beyond Unicode
    EXPECT_EQ(Utf8ToCp1252("\xFF" "a", 0), "a");
}

} // namespace
