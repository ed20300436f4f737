// The binary object form: a round trip of a class with a property of every type, the header and
// version, refusal of data written by another shape of a class or with the older header, and
// damaged or truncated data.
#include "ContainerTestClasses.h"
#include "objects/ArrayProperty.h"
#include "objects/IntProperty.h"
#include "objects/ObjectArrayProperty.h"
#include "objects/StringProperty.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>

namespace {

// Two shapes of one class, as two builds would have it: the second has one property more. The
// binary form carries no class name, so data of the first stands for the old build's cache.
class CTestDriftBefore : public CObject
{
    DECLARE_CLASS_RECORD(CTestDriftBefore)
    CTestDriftBefore() { InitOwnProperties(); }
    ~CTestDriftBefore() override { DestroyOwnProperties(); }
    int32_t m_a;
    int32_t m_b;
};

class CTestDriftAfter : public CObject
{
    DECLARE_CLASS_RECORD(CTestDriftAfter)
    CTestDriftAfter() { InitOwnProperties(); }
    ~CTestDriftAfter() override { DestroyOwnProperties(); }
    int32_t m_a;
    int32_t m_b;
    int32_t m_c;
};

// The same derived class over each shape of the base.
class CTestDriftChildBefore : public CTestDriftBefore
{
    DECLARE_CLASS_RECORD(CTestDriftChildBefore)
    CTestDriftChildBefore() { InitOwnProperties(); }
    ~CTestDriftChildBefore() override { DestroyOwnProperties(); }
    int32_t m_d;
};

class CTestDriftChildAfter : public CTestDriftAfter
{
    DECLARE_CLASS_RECORD(CTestDriftChildAfter)
    CTestDriftChildAfter() { InitOwnProperties(); }
    ~CTestDriftChildAfter() override { DestroyOwnProperties(); }
    int32_t m_d;
};

IMPLEMENT_CLASS_RECORD(CTestDriftBefore, CObject, 2.0f)
void CTestDriftBefore::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("A", &CTestDriftBefore::m_a, 0, 1));
    record->AddProperty(new CIntProperty("B", &CTestDriftBefore::m_b, 0, 2));
}

IMPLEMENT_CLASS_RECORD(CTestDriftAfter, CObject, 2.0f)
void CTestDriftAfter::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("A", &CTestDriftAfter::m_a, 0, 1));
    record->AddProperty(new CIntProperty("B", &CTestDriftAfter::m_b, 0, 2));
    record->AddProperty(new CIntProperty("C", &CTestDriftAfter::m_c, 0, 3));
}

IMPLEMENT_CLASS_RECORD(CTestDriftChildBefore, CTestDriftBefore, 1.0f)
void CTestDriftChildBefore::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("D", &CTestDriftChildBefore::m_d, 0, 4));
}

IMPLEMENT_CLASS_RECORD(CTestDriftChildAfter, CTestDriftAfter, 1.0f)
void CTestDriftChildAfter::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("D", &CTestDriftChildAfter::m_d, 0, 4));
}

std::string FloatBytes(float value)
{
    return U32Bytes(std::bit_cast<uint32_t>(value));
}

// A container with a value other than the default in every property.
void FillContainer(CTestContainer& object)
{
    object.SetPropertiesToDefaults();
    object.m_title.AssignText("Round 7");
    object.m_caption.SetSourceText(CSharedString("Caption text"));
    object.m_note = CStringProperty::CopyText("a note");
    delete object.m_figure;
    auto* box = new CTestBox;
    box->SetPropertiesToDefaults();
    box->m_side = 12;
    object.m_figure = box;
    auto* extra = new CTestAllTypes;
    extra->SetPropertiesToDefaults();
    extra->m_big = -99;
    *static_cast<int32_t*>(extra->AddDynamicValue(CTestAllTypes::GetGlow())) = 3;
    object.m_extra = extra;
    object.m_embedded.m_int = -8;
    object.m_embedded.m_mode = 1;
    object.m_embedded.m_flags = 0x1;
    object.m_embedded.m_size = 2;
    object.m_embedded.m_angle = 0.25f;

    const CArrayProperty* weights = CTestContainer::GetWeightsProperty();
    weights->Resize(&object, 3);
    for (int i = 0; i < 3; ++i)
        object.m_weights[i] = 10 * (i + 1);
    CTestContainer::GetLabelsProperty()->Resize(&object, 2);
    object.m_labels[0].AssignText("first");
    object.m_labels[1].AssignText("");
    CTestContainer::GetFiguresProperty()->Resize(&object, 3);
    object.m_figures[0] = new CTestDisc;
    object.m_figures[0]->SetPropertiesToDefaults();
    object.m_figures[2] = new CTestBox;
    object.m_figures[2]->SetPropertiesToDefaults();
    object.m_levels[1] = 5;
    object.m_levels[4] = -5;
    CTestContainer::GetItemsProperty()->Resize(&object, 2);
    object.m_items[1].m_value = 17;
    object.m_items[1].m_name.AssignText("second");
    object.m_named[3].m_value = 33;
}

} // namespace

TEST(BinaryObjects, EveryPropertyTypeRoundTrips)
{
    CTestContainer object;
    FillContainer(object);
    std::string bytes = BinaryOf(object);

    CTestContainer read;
    int32_t position = 0;
    ASSERT_TRUE(ReadBinaryBytes(read, bytes, &position));
    EXPECT_EQ(position, static_cast<int32_t>(bytes.size()));
    // Equal text forms mean equal values in every property, nested ones included.
    EXPECT_EQ(TextOf(read), TextOf(object));
    EXPECT_EQ(BinaryOf(read), bytes);
    EXPECT_STREQ(read.m_note, "a note");
    ASSERT_NE(read.m_figures[0], nullptr);
    EXPECT_EQ(read.m_figures[1], nullptr);
    EXPECT_EQ(static_cast<CTestBox*>(read.m_figure)->m_side, 12);
    EXPECT_EQ(read.m_items[1].m_value, 17);
    EXPECT_EQ(read.m_named[3].m_value, 33);
}

TEST(BinaryObjects, HeaderAndVersionLeadTheData)
{
    CTestDriftBefore object;
    object.SetPropertiesToDefaults();
    object.m_a = 0x01020304;
    // CObject's version 7, plus 2 declared, 7 for each of two properties and 3 x 7 for the base.
    EXPECT_EQ(CTestDriftBefore::GetStaticClassRecord()->GetVersion(), 37.0f);
    std::string expected = std::string("\x00\x00\xD8\x41", 4) + FloatBytes(37.0f) +
                           std::string("\0\0\0\0", 4) /* no dynamic values */ + U32Bytes(0x01020304) + U32Bytes(2);
    EXPECT_EQ(BinaryOf(object), expected);
}

TEST(BinaryObjects, AnotherShapeOfTheClassIsRefused)
{
    float before = CTestDriftBefore::GetStaticClassRecord()->GetVersion();
    float after = CTestDriftAfter::GetStaticClassRecord()->GetVersion();
    float childBefore = CTestDriftChildBefore::GetStaticClassRecord()->GetVersion();
    float childAfter = CTestDriftChildAfter::GetStaticClassRecord()->GetVersion();
    EXPECT_EQ(after - before, 7.0f);
    EXPECT_EQ(childAfter - childBefore, 21.0f);

    CTestDriftBefore old;
    old.SetPropertiesToDefaults();
    CTestDriftAfter reader;
    EXPECT_FALSE(ReadBinaryBytes(reader, BinaryOf(old)));
    CTestDriftChildBefore oldChild;
    oldChild.SetPropertiesToDefaults();
    CTestDriftChildAfter childReader;
    EXPECT_FALSE(ReadBinaryBytes(childReader, BinaryOf(oldChild)));
    // The same shape reads.
    CTestDriftBefore same;
    EXPECT_TRUE(ReadBinaryBytes(same, BinaryOf(old)));
}

TEST(BinaryObjects, OtherHeadersAreRefused)
{
    CTestDriftBefore object;
    object.SetPropertiesToDefaults();
    std::string body = BinaryOf(object).substr(4);
    CTestDriftBefore reader;
    int32_t position = 0;
    // The older header: its identifier is skipped, then the data is refused all the same.
    EXPECT_FALSE(ReadBinaryBytes(reader, FloatBytes(24.0f) + U32Bytes(0x1234) + body, &position));
    EXPECT_EQ(position, 12);
    EXPECT_FALSE(ReadBinaryBytes(reader, FloatBytes(3.0f) + body, &position));
    EXPECT_EQ(position, 4);
    EXPECT_FALSE(ReadBinaryBytes(reader, U32Bytes(0x7FC00000) /* NaN */ + body));
    EXPECT_FALSE(ReadBinaryBytes(reader, FloatBytes(26.0f) + body));
    EXPECT_FALSE(ReadBinaryBytes(reader, FloatBytes(27.0f) + FloatBytes(37.5f) + body.substr(4)));
    EXPECT_TRUE(ReadBinaryBytes(reader, FloatBytes(27.0f) + body));
}

TEST(BinaryObjects, EveryTruncationIsRefused)
{
    CTestContainer object;
    FillContainer(object);
    std::string bytes = BinaryOf(object);
    for (size_t n = 0; n < bytes.size(); ++n) {
        CTestContainer read;
        ASSERT_FALSE(ReadBinaryBytes(read, bytes.substr(0, n))) << n << " of " << bytes.size();
    }
}

TEST(BinaryObjects, WritingToAFullStreamFails)
{
    CTestContainer object;
    FillContainer(object);
    CVirtualFile closed;
    EXPECT_FALSE(object.WriteBinary(closed));
}
