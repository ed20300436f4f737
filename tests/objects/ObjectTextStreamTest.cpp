// Whole-line reading of object text streams, and the root object's handling of unknown lines.
#include "TestDescriptor.h"
#include "TextStreamHelpers.h"
#include "objects/DynamicProperties.h"
#include "objects/ObjectTextStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadAllLines(const std::string& bytes)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, bytes);
    std::vector<std::string> lines;
    CSharedString line;
    while (stream.ReadTextLine(line))
        lines.push_back(line.CStr());
    return lines;
}

class CTestLamp : public CObject
{
    DECLARE_CLASS_RECORD(CTestLamp)
    CTestLamp() { InitOwnProperties(); }
    ~CTestLamp() override { DestroyOwnProperties(); }
    int32_t m_power = 0;
};

CTestDescriptor* GetLampGlow()
{
    static CTestDescriptor* s_glow = new CTestDescriptor("Glow", 0u, 1);
    return s_glow;
}

CDynamicPropertyRegistrar s_lampGlow(GetLampGlow(), CTestLamp::GetStaticClassRecord());

} // namespace

IMPLEMENT_CLASS_RECORD(CTestLamp, CObject, 1.0f)
void CTestLamp::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CTestDescriptor("Power", &CTestLamp::m_power, 60));
}

TEST(ObjectTextStream, ReadsEveryKindOfLineEnd)
{
    EXPECT_EQ(ReadAllLines("ab\r\ncd\n\nef\r\r\ngh\r\n"), (std::vector<std::string>{"ab", "cd", "", "ef", "gh"}));
    EXPECT_EQ(ReadAllLines("a\rb\n\rc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ReadAllLines("last line without an end"), (std::vector<std::string>{"last line without an end"}));
    EXPECT_EQ(ReadAllLines(""), (std::vector<std::string>{}));
    EXPECT_EQ(ReadAllLines("\r\n"), (std::vector<std::string>{""}));
}

TEST(ObjectTextStream, ReadsLongLinesWhole)
{
    for (size_t length : {511u, 512u, 513u, 1022u, 1023u, 1024u, 5000u}) {
        std::string longLine = "Name=" + std::string(length, 'x');
        EXPECT_EQ(ReadAllLines(longLine + "\r\nNext=1\r\n"), (std::vector<std::string>{longLine, "Next=1"})) << length;
        // A line end split across reads.
        EXPECT_EQ(ReadAllLines(std::string(length, 'y') + "\r\r\nz"),
                  (std::vector<std::string>{std::string(length, 'y'), "z"}))
            << length;
    }
}

TEST(ObjectTextStream, SkipsBlankLines)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, "\t \r\n\r\n   x=1\r\n\t\r\n");
    CSharedString line;
    ASSERT_TRUE(stream.ReadNonBlankTextLine(line));
    EXPECT_STREQ(line.CStr(), "   x=1");
    EXPECT_FALSE(stream.ReadNonBlankTextLine(line));
}

TEST(ObjectCustomProperties, UnknownLabelSkipsANestedObjectBlock)
{
    CTestLamp lamp;
    CObjectTextStream stream;
    OpenTextForReading(stream, "\tCTestThing\r\n\t{\r\n\t\tInner=COther\r\n\t\t{\r\n\t\t\tDeep=1\r\n\t\t}\r\n\t}\r\n"
                               "\tAfter=2\r\n");
    lamp.ReadCustomProperties("Unknown", "", stream);
    CSharedString line;
    ASSERT_TRUE(stream.ReadTextLine(line));
    EXPECT_STREQ(line.CStr(), "\tAfter=2");

    // The class name may stand on the label's own line.
    CObjectTextStream second;
    OpenTextForReading(second, "{\r\n{\r\n}\r\n}\r\nAfter=3\r\n");
    lamp.ReadCustomProperties("Unknown", "CTestThing", second);
    ASSERT_TRUE(second.ReadTextLine(line));
    EXPECT_STREQ(line.CStr(), "After=3");
}

TEST(ObjectCustomProperties, UnknownLabelWithoutABlockConsumesNothing)
{
    CTestLamp lamp;
    for (const char* text : {"Next=1\r\n", "CName\r\nNext=1\r\n", "Closing\r\n}\r\n", ""}) {
        CObjectTextStream stream;
        OpenTextForReading(stream, text);
        lamp.ReadCustomProperties("Unknown", "5", stream);
        EXPECT_EQ(stream.GetPosition(), 0) << text;
    }
}

TEST(ObjectCustomProperties, DynamicLabelAddsAValueUnlessItIsZero)
{
    CTestLamp lamp;
    CObjectTextStream stream;
    OpenTextForReading(stream, "");
    for (const char* value : {"0", ""}) {
        lamp.ReadCustomProperties("glow", value, stream);
        EXPECT_EQ(lamp.GetDynamicProperties(), nullptr) << value;
    }
    lamp.ReadCustomProperties("GLOW", "7", stream);
    void* slot = lamp.FindDynamicValue(GetLampGlow());
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(*static_cast<int32_t*>(slot), 7);
    lamp.ReadCustomProperties("Glow", "9", stream);
    EXPECT_EQ(lamp.GetDynamicProperties()->GetCount(), 1u);
    EXPECT_EQ(*static_cast<int32_t*>(lamp.FindDynamicValue(GetLampGlow())), 9);
}
