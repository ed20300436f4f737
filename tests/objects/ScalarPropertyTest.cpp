// The scalar property types: text forms, lenient number reading, clamping, value names, bit flags,
// list choices, setters, display conversion and binary forms.
#include "FatalCatcher.h"
#include "TestClasses.h"
#include "TextStreamHelpers.h"
#include "objects/BitFlagProperty.h"
#include "objects/BoolProperty.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"
#include "objects/Int64Property.h"
#include "objects/IntProperty.h"
#include "objects/NumberText.h"
#include "objects/UIntProperty.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace {

CPropertyDescriptor* Property(const CObject& object, const char* label)
{
    CPropertyDescriptor* descriptor = object.GetClassRecord()->FindProperty(label);
    EXPECT_NE(descriptor, nullptr) << label;
    return descriptor;
}

void Parse(CObject& object, const char* label, const char* value)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, "");
    Property(object, label)->ParseValue(&object, value, stream);
}

std::string Format(const CObject& object, const char* label)
{
    CSharedString text;
    Property(object, label)->FormatValue(&object, text);
    return text.CStr();
}

// A stand-alone property: offset 0 of a plain buffer.
template <class T>
struct Slot
{
    T value{};
    CObject* Object() { return reinterpret_cast<CObject*>(&value); }
};

} // namespace

TEST(NumberText, ReadsLeadingDecimalDigitsOnly)
{
    EXPECT_EQ(ParseLeadingInteger("42"), 42);
    EXPECT_EQ(ParseLeadingInteger("  \t-17abc"), -17);
    EXPECT_EQ(ParseLeadingInteger("+8"), 8);
    EXPECT_EQ(ParseLeadingInteger("0x10"), 0);
    EXPECT_EQ(ParseLeadingInteger("010"), 10);
    EXPECT_EQ(ParseLeadingInteger("abc"), 0);
    EXPECT_EQ(ParseLeadingInteger(""), 0);
    EXPECT_EQ(ParseLeadingInteger(nullptr), 0);
    EXPECT_EQ(ParseLeadingInteger("- 5"), 0);
    EXPECT_EQ(ParseLeadingInteger("99999999999999999999999"), INT64_MAX);
    EXPECT_EQ(ParseLeadingInteger("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(ParseLeadingInteger("-99999999999999999999999"), INT64_MIN);

    EXPECT_DOUBLE_EQ(ParseLeadingFloat("1.5e2xyz"), 150.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat(" -.25"), -0.25);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("3."), 3.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("2e"), 2.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("2e+"), 2.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("0x1p3"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("inf"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("-nan"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("."), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("1e999"), DBL_MAX);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("-1e999"), -DBL_MAX);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat("1e-999"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat(("0." + std::string(400, '0') + "1").c_str()), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingFloat(("1" + std::string(400, '0')).c_str()), DBL_MAX);

    EXPECT_EQ(ClampToInt32(5000000000LL), INT32_MAX);
    EXPECT_EQ(ToUInt32(-1), 0xFFFFFFFFu);
    EXPECT_EQ(ToUInt32(5000000000LL), 0xFFFFFFFFu);
    EXPECT_EQ(ClampToFloat(1e300), FLT_MAX);
}

TEST(IntProperty, ClampsOnlyWithLimits)
{
    CTestAllTypes object;
    Parse(object, "Int", "-123456");
    EXPECT_EQ(object.m_int, -123456);
    Parse(object, "Int", "0x10");
    EXPECT_EQ(object.m_int, 0);
    Parse(object, "Int", "99999999999");
    EXPECT_EQ(object.m_int, INT32_MAX);
    Parse(object, "Clamped", "42");
    EXPECT_EQ(object.m_clamped, 10);
    Parse(object, "Clamped", "abc");
    EXPECT_EQ(object.m_clamped, 1);
    Parse(object, "Clamped", " 7 ");
    EXPECT_EQ(object.m_clamped, 7);
    EXPECT_EQ(Format(object, "Clamped"), "7");
    Parse(object, "X", "-30");
    EXPECT_EQ(object.m_coordinate, -30);
    EXPECT_EQ(Format(object, "X"), "-30");
}

TEST(UIntProperty, WithoutLimitsTakesTheWholeRange)
{
    Slot<uint32_t> plain;
    CUIntProperty unlimited("Count", nullptr, 0, 0, 0, nullptr, 0, 0);
    CObjectTextStream stream;
    unlimited.ParseValue(plain.Object(), "4294967295", stream);
    EXPECT_EQ(plain.value, 4294967295u);
    unlimited.ParseValue(plain.Object(), "-1", stream);
    EXPECT_EQ(plain.value, 4294967295u);

    uint32_t CTestAllTypes::*member = &CTestAllTypes::m_unsigned;
    std::unique_ptr<CUIntProperty> withUnits(CUIntProperty::ConstructWithUnits("Top", "Pixels from top", member, 0, 0));
    EXPECT_EQ(withUnits->GetMax(), 4294967294u);
    EXPECT_STREQ(withUnits->GetUnits().CStr(), "Pixels from top");
    CTestAllTypes object;
    withUnits->ParseValue(&object, "4294967295", stream);
    EXPECT_EQ(object.m_unsigned, 4294967294u);
    CSharedString text;
    withUnits->FormatValue(&object, text);
    EXPECT_STREQ(text.CStr(), "4294967294");

    CUIntProperty limited("Level", nullptr, 0, 0, 3, nullptr, 2, 9);
    limited.ParseValue(plain.Object(), "1", stream);
    EXPECT_EQ(plain.value, 2u);
}

TEST(UIntProperty, ANumberThatIsAListedValueWinsOverTheName)
{
    CTestAllTypes object;
    object.m_mode = 1;
    EXPECT_EQ(Format(object, "Mode"), "On");
    object.m_mode = 0;
    EXPECT_EQ(Format(object, "Mode"), "Off");
    object.m_mode = 5;
    EXPECT_EQ(Format(object, "Mode"), "5");
    // "On" reads as the number 0, which is itself a listed value.
    Parse(object, "Mode", "On");
    EXPECT_EQ(object.m_mode, 0u);
    Parse(object, "Mode", "1");
    EXPECT_EQ(object.m_mode, 1u);

    // Where the number read is not listed, the name is looked up, ignoring case.
    Slot<uint32_t> slot;
    CUIntProperty named("Align", nullptr, 0, 0, 0, nullptr, 0, 0);
    named.AddValueName("Left", 3);
    named.AddValueName("Center", 5);
    named.AddValueName("Middle", 5);
    named.AddValueName("left", 9);
    CObjectTextStream stream;
    named.ParseValue(slot.Object(), "cENTER", stream);
    EXPECT_EQ(slot.value, 5u);
    named.ParseValue(slot.Object(), "LEFT", stream);
    EXPECT_EQ(slot.value, 3u);
    CSharedString text;
    named.FormatValue(slot.Object(), text);
    EXPECT_STREQ(text.CStr(), "Left");
    slot.value = 5;
    named.FormatValue(slot.Object(), text);
    EXPECT_STREQ(text.CStr(), "Center");

    // A clone owns its own copy of the names.
    std::unique_ptr<CPropertyDescriptor> clone(named.Clone());
    named.AddValueName("Right", 7);
    slot.value = 7;
    static_cast<CUIntProperty*>(clone.get())->FormatValue(slot.Object(), text);
    EXPECT_STREQ(text.CStr(), "7");
    named.FormatValue(slot.Object(), text);
    EXPECT_STREQ(text.CStr(), "Right");
    EXPECT_EQ(static_cast<CUIntProperty*>(clone.get())->GetValueNames()->GetCount(), 4u);
}

TEST(BoolProperty, AnyNonZeroNumberIsTrue)
{
    CTestAllTypes object;
    Parse(object, "Enabled", "2");
    EXPECT_TRUE(object.m_enabled);
    EXPECT_EQ(Format(object, "Enabled"), "1");
    Parse(object, "Enabled", "0");
    EXPECT_FALSE(object.m_enabled);
    EXPECT_EQ(Format(object, "Enabled"), "0");
    Parse(object, "Enabled", "-1");
    EXPECT_TRUE(object.m_enabled);
    Parse(object, "Enabled", "yes");
    EXPECT_FALSE(object.m_enabled);
}

TEST(BitFlagProperty, ChangesOnlyItsOwnBits)
{
    CTestAllTypes object;
    object.m_flags = 0xF0F0F0F0;
    Parse(object, "Bright", "1");
    EXPECT_EQ(object.m_flags, 0xF0F0F0F1u);
    Parse(object, "Loud", "7");
    EXPECT_EQ(object.m_flags, 0xF0F0F0F5u);
    Parse(object, "Bright", "0");
    EXPECT_EQ(object.m_flags, 0xF0F0F0F4u);
    EXPECT_EQ(Format(object, "Bright"), "0");
    EXPECT_EQ(Format(object, "Loud"), "1");
    object.SetPropertiesToDefaults();
    EXPECT_EQ(object.m_flags, 0xF0F0F0F4u);

    // A copy sets the destination's bits from the source's own mask.
    CTestAllTypes other;
    other.m_flags = 0x1;
    const CClassRecord* record = object.GetClassRecord();
    CPropertyDescriptor* bright = Property(object, "Bright");
    CPropertyDescriptor* loud = Property(object, "Loud");
    object.m_flags = 0;
    loud->CopyValue(&object, &other, *bright);
    EXPECT_EQ(object.m_flags, 0x4u);
    EXPECT_EQ(bright->GetBitMask(), 0x1u);
    EXPECT_EQ(record->FindProperty("Loud"), loud);
}

TEST(ListChoiceProperty, ChoosesByNameOrAlternateName)
{
    CTestAllTypes object;
    object.SetPropertiesToDefaults();
    EXPECT_EQ(object.m_size, 1u);
    EXPECT_EQ(Format(object, "Size"), "Medium");
    Parse(object, "Size", "large");
    EXPECT_EQ(object.m_size, 2u);
    Parse(object, "Size", "Tiny");
    EXPECT_EQ(object.m_size, 0u);
    EXPECT_EQ(Format(object, "Size"), "Small");
    object.m_size = 55;
    EXPECT_EQ(Format(object, "Size"), "");

    // Without a default name the choice resets to index 0, without the setter.
    CTestSetters setters;
    setters.m_choice = 9;
    int calls = setters.m_calls;
    Property(setters, "Choice")->SetDefault(&setters);
    EXPECT_EQ(setters.m_choice, 0u);
    EXPECT_EQ(setters.m_calls, calls);
}

TEST(ListChoiceProperty, UnknownNameIsFatalAndNamesFileAndLabel)
{
    CTestAllTypes object;
    FatalCatcher catcher;
    CCurrentObjectFileNameScope source("Data/Props.txt");
    try {
        Parse(object, "Size", "Gigantic");
        FAIL() << "an unknown choice must be fatal";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.m_caption, "Fatal Not Found Error");
        EXPECT_NE(error.m_text.find("The item we are looking for is \"Gigantic\""), std::string::npos);
        EXPECT_NE(error.m_text.find("The item was referenced by \"Data/Props.txt:Size\""), std::string::npos);
        EXPECT_NE(error.m_text.find(" 2) Large"), std::string::npos);
    }
    EXPECT_STREQ(CurrentObjectFileName().CStr(), "Data/Props.txt");

    CFixedListChoiceProperty badDefault("Choice/Kind", &CTestAllTypes::m_size, &CTestAllTypes::GetSizes(), 0, "Nope");
    try {
        badDefault.SetDefault(&object);
        FAIL() << "an unknown default must be fatal";
    } catch (const FatalError& error) {
        EXPECT_NE(error.m_text.find("referenced by \"The Program EXE (C++ Source Code's default value):Kind\""),
                  std::string::npos)
            << error.m_text;
    }
    EXPECT_STREQ(CurrentObjectFileName().CStr(), "Data/Props.txt");
}

TEST(ListChoicePropertyDeathTest, UnknownNameEndsTheProgram)
{
    CTestAllTypes object;
    CCurrentObjectFileNameScope source("Rounds/1.txt");
    EXPECT_EXIT(Parse(object, "Size", "Gigantic"), testing::ExitedWithCode(255),
                "Fatal Not Found Error: .*referenced by \"Rounds/1\\.txt:Size\"");
}

TEST(FloatProperty, ReadsDecimalFormsAndWritesShortestG)
{
    CTestAllTypes object;
    struct Case
    {
        const char* text;
        float stored;
        const char* written;
    };
    for (const Case& c : {Case{"1.5", 1.5f, "1.5"}, Case{"42", 42.0f, "42"}, Case{"150", 100.0f, "100"},
                          Case{"-3", 0.0f, "0"}, Case{"0x10", 0.0f, "0"}, Case{"inf", 0.0f, "0"},
                          Case{"nan", 0.0f, "0"}, Case{"1e1", 10.0f, "10"}, Case{"12.345678", 12.345678f, "12.3457"},
                          Case{"0.00001", 0.00001f, "1e-05"}}) {
        Parse(object, "Speed", c.text);
        EXPECT_FLOAT_EQ(object.m_speed, c.stored) << c.text;
        EXPECT_EQ(Format(object, "Speed"), c.written) << c.text;
    }
    // Without limits nothing is clamped.
    Parse(object, "Angle", "-1e30");
    EXPECT_FLOAT_EQ(object.m_angle, -1e30f);
    Parse(object, "Angle", "1e999");
    EXPECT_EQ(object.m_angle, FLT_MAX);
    object.m_angle = 123456789.0f;
    EXPECT_EQ(Format(object, "Angle"), "1.23457e+08");
}

TEST(FloatProperty, ValueNamesApplyOnlyWithLimits)
{
    Slot<float> slot;
    CObjectTextStream stream;
    CFloatProperty limited("Rate", nullptr, 0, 0, 1.0f, nullptr, 0.0f, 10.0f);
    limited.AddValueName("Normal", 1.0f);
    limited.AddValueName("Fast", 4.0f);
    limited.ParseValue(slot.Object(), "fast", stream);
    EXPECT_FLOAT_EQ(slot.value, 4.0f);
    CSharedString text;
    limited.FormatValue(slot.Object(), text);
    EXPECT_STREQ(text.CStr(), "Fast");
    CFloatProperty unlimited("Rate", nullptr, 0, 0, 1.0f, nullptr, 0.0f, 0.0f);
    unlimited.AddValueName("Fast", 4.0f);
    unlimited.ParseValue(slot.Object(), "Fast", stream);
    EXPECT_FLOAT_EQ(slot.value, 0.0f);
}

TEST(FloatProperty, DisplayTextGoesThroughTheConverter)
{
    CTestAllTypes object;
    auto* angle = static_cast<CFloatProperty*>(Property(object, "Angle"));
    angle->SetFromDisplayText(&object, "90");
    EXPECT_FLOAT_EQ(object.m_angle, 1.5707964f);
    EXPECT_FLOAT_EQ(angle->GetConverter()->ToDisplay(object.m_angle), 90.0f);
    EXPECT_STREQ(angle->GetUnits().CStr(), "Deg");
    // No clamping and no names on display entry.
    auto* speed = static_cast<CFloatProperty*>(Property(object, "Speed"));
    speed->SetFromDisplayText(&object, "250");
    EXPECT_FLOAT_EQ(object.m_speed, 250.0f);
    auto* clamped = static_cast<CIntProperty*>(Property(object, "Clamped"));
    clamped->SetFromDisplayText(&object, "-4");
    EXPECT_EQ(object.m_clamped, -4);
}

TEST(Int64Property, HoldsTheFullRange)
{
    CTestAllTypes object;
    Parse(object, "Big", "-9223372036854775808");
    EXPECT_EQ(object.m_big, INT64_MIN);
    EXPECT_EQ(Format(object, "Big"), "-9223372036854775808");
    Parse(object, "Big", "9223372036854775807");
    EXPECT_EQ(object.m_big, INT64_MAX);
    Parse(object, "Big", "123456789012345678901");
    EXPECT_EQ(object.m_big, INT64_MAX);
    auto* big = static_cast<CInt64Property*>(Property(object, "Big"));
    big->SetFromDisplayText(&object, "12.9");
    EXPECT_EQ(object.m_big, 12);
    big->SetFromDisplayText(&object, "-12.9");
    EXPECT_EQ(object.m_big, -12);
    big->SetFromDisplayText(&object, "1e30");
    EXPECT_EQ(object.m_big, INT64_MAX);

    CInt64ValueList names;
    names.Add("Never", -1);
    names.Add("Always", 1LL << 40);
    Slot<int64_t> slot;
    CInt64Property named("When", nullptr, 0, 0, 0, -1, 1LL << 41, nullptr, &names);
    CObjectTextStream stream;
    named.ParseValue(slot.Object(), "always", stream);
    EXPECT_EQ(slot.value, 1LL << 40);
    CSharedString text;
    named.FormatValue(slot.Object(), text);
    EXPECT_STREQ(text.CStr(), "Always");
    named.ParseValue(slot.Object(), "-5", stream);
    EXPECT_EQ(slot.value, -1);
}

TEST(ScalarProperties, SettersReplaceTheStoreButNotTheDefault)
{
    CTestSetters object;
    object.SetPropertiesToDefaults();
    EXPECT_EQ(object.m_calls, 0);
    EXPECT_EQ(object.m_int, 1);
    EXPECT_FLOAT_EQ(object.m_float, 1.0f);
    Parse(object, "Int", "500");
    EXPECT_EQ(object.m_int, 200);
    Parse(object, "Float", "1.25");
    EXPECT_FLOAT_EQ(object.m_float, 2.5f);
    Parse(object, "Bool", "3");
    EXPECT_TRUE(object.m_flag);
    Parse(object, "Bit", "0");
    EXPECT_FALSE(object.m_flag);
    EXPECT_EQ(object.m_word, 0u);
    Parse(object, "Choice", "Large");
    EXPECT_EQ(object.m_choice, 102u);
    EXPECT_EQ(object.m_calls, 5);
    static_cast<CFloatProperty*>(Property(object, "Float"))->SetFromDisplayText(&object, "3");
    EXPECT_FLOAT_EQ(object.m_float, 6.0f);
}

TEST(ScalarProperties, BinaryFormsRoundTripAndStoreDirectly)
{
    CTestAllTypes source;
    source.SetPropertiesToDefaults();
    source.m_int = -70000;
    source.m_clamped = 500; // binary values are stored as they are, without clamping
    source.m_coordinate = 12;
    source.m_unsigned = 0xDEADBEEF;
    source.m_mode = 1;
    source.m_enabled = true;
    source.m_flags = 0x1;
    source.m_size = 2;
    source.m_speed = -0.75f;
    source.m_angle = 3.25f;
    source.m_big = -(1LL << 50);
    source.m_hidden = 13;

    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    const CClassRecord* record = source.GetClassRecord();
    for (uint32_t i = 1; i < record->GetPropertyCount(); ++i)
        ASSERT_TRUE(record->GetProperty(i)->WriteBinary(&source, stream)) << i;
    std::string bytes = WrittenText(stream);
    // 4 int + 4 clamped + 4 x + 4 unsigned + 4 mode + 1 bool + 1 + 1 flags + (4 + 5) "Large"
    // + 4 speed + 4 angle + 8 big + 4 hidden.
    EXPECT_EQ(bytes.size(), 52u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x90\xEE\xFE\xFF", 4));
    EXPECT_EQ(bytes.substr(23, 9), std::string("\x05\0\0\0Large", 9));

    CTestAllTypes copy;
    copy.m_flags = 0xF0;
    stream.Seek(0);
    for (uint32_t i = 1; i < record->GetPropertyCount(); ++i)
        ASSERT_TRUE(record->GetProperty(i)->ReadBinary(&copy, stream)) << i;
    EXPECT_EQ(copy.m_int, -70000);
    EXPECT_EQ(copy.m_clamped, 500);
    EXPECT_EQ(copy.m_unsigned, 0xDEADBEEFu);
    EXPECT_TRUE(copy.m_enabled);
    EXPECT_EQ(copy.m_flags, 0xF1u);
    EXPECT_EQ(copy.m_size, 2u);
    EXPECT_FLOAT_EQ(copy.m_speed, -0.75f);
    EXPECT_EQ(copy.m_big, -(1LL << 50));
    EXPECT_EQ(copy.m_hidden, 13);
    // Nothing left: the next read is short and fails.
    EXPECT_FALSE(record->GetProperty(1)->ReadBinary(&copy, stream));
}

TEST(ScalarProperties, BinaryReadsRejectBadBytes)
{
    CTestAllTypes object;
    CPropertyDescriptor* size = Property(object, "Size");
    struct Case
    {
        std::string bytes;
        bool ok;
    };
    for (const Case& c : {Case{std::string("\x05\0\0\0Small", 9), true}, Case{std::string("\x05\0\0\0Sma", 7), false},
                          Case{std::string("\x00\x01\0\0", 4) + std::string(256, 'x'), false},
                          Case{std::string("\xFF\xFF\xFF\xFF", 4), false}, Case{std::string("\x05\0", 2), false}}) {
        CObjectTextStream stream;
        OpenTextForReading(stream, c.bytes);
        object.m_size = 7;
        EXPECT_EQ(size->ReadBinary(&object, stream), c.ok) << c.bytes.size();
        EXPECT_EQ(object.m_size, c.ok ? 0u : 7u);
    }
    // A byte other than 0 or 1 still reads as a proper bool.
    CObjectTextStream stream;
    OpenTextForReading(stream, "\x05");
    ASSERT_TRUE(Property(object, "Enabled")->ReadBinary(&object, stream));
    uint8_t raw;
    std::memcpy(&raw, &object.m_enabled, 1);
    EXPECT_EQ(raw, 1);
}
