// Arrays of plain values and arrays of objects as properties: their text blocks (counted, uncounted,
// named items), the capacity rules of Resize, insertion and removal in the middle, items that own
// memory, and bounded counts from damaged text and binary data.
#include "ContainerTestClasses.h"
#include "objects/ArrayProperty.h"
#include "objects/ObjectArrayProperty.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Block(const std::string& lines)
{
    return "CTestContainer\r\n{\r\n" + lines + "}\r\n";
}

std::vector<int32_t> Weights(const CTestContainer& object)
{
    return std::vector<int32_t>(object.m_weights, object.m_weights + object.m_weightCount);
}

std::vector<int32_t> ItemValues(const CTestItem* items, uint32_t count)
{
    std::vector<int32_t> values;
    for (uint32_t i = 0; i < count; ++i)
        values.push_back(items[i].m_value);
    return values;
}

using Values = std::vector<int32_t>;

} // namespace

TEST(ValueArrays, AnnouncedCountWithFewerItemLines)
{
    CTestContainer object;
    ASSERT_TRUE(ReadText(object, Block("Weights=Array\r\n{\r\nItem Count=3\r\nWeight=7\r\nWeight=8\r\n}\r\n")));
    EXPECT_EQ(Weights(object), (Values{7, 8, 1}));
}

TEST(ValueArrays, WithoutACountEachLineAddsAnItem)
{
    CTestContainer object;
    ASSERT_TRUE(ReadText(object, Block("Weights=Array\r\n{\r\nWeight=4\r\nweight=5\r\nOther=1\r\nWeight=6\r\n"
                                       "Weight=7\r\n}\r\nTitle=After\r\n")));
    EXPECT_EQ(Weights(object), (Values{4, 5, 6, 7}));
    EXPECT_STREQ(object.m_title.CStr(), "After");
    // More lines than announced are kept as well.
    ASSERT_TRUE(ReadText(object, Block("Weights=Array\r\n{\r\nArray Count=1\r\nWeight=4\r\nWeight=5\r\n}\r\n")));
    EXPECT_EQ(Weights(object), (Values{4, 5}));
}

TEST(ValueArrays, TextRoundTrip)
{
    CTestContainer object;
    object.SetPropertiesToDefaults();
    CTestContainer::GetWeightsProperty()->Resize(&object, 2);
    object.m_weights[0] = -3;
    std::string text = TextOf(object);
    EXPECT_NE(text.find("\tWeights=Array\r\n\t{\r\n\t\tItem Count=2\r\n\t\tWeight=-3\r\n\t\tWeight=1\r\n\t}\r\n"
                        "\tLabels=Array\r\n"),
              std::string::npos)
        << text;
    CTestContainer read;
    ASSERT_TRUE(ReadText(read, text));
    EXPECT_EQ(TextOf(read), text);
}

TEST(ValueArrays, CapacityRulesOfResize)
{
    const CArrayProperty* weights = CTestContainer::GetWeightsProperty();
    CTestContainer object;
    object.SetPropertiesToDefaults();

    weights->Resize(&object, 64, -1, true);
    EXPECT_EQ(object.m_weightCapacity, 64u);
    weights->Resize(&object, 3);
    EXPECT_EQ(object.m_weightCapacity, 3u);

    weights->Resize(&object, 64, -1, true);
    weights->Resize(&object, 10);
    EXPECT_EQ(object.m_weightCapacity, 64u);
    EXPECT_EQ(object.m_weightCount, 10u);
    weights->Resize(&object, 65);
    EXPECT_EQ(object.m_weightCapacity, 130u);

    weights->Resize(&object, 400, -1, true);
    weights->Resize(&object, 20);
    EXPECT_EQ(object.m_weightCapacity, 21u); // 20 + 20 / 16
    // A capacity of 20 or less is kept however few items remain.
    weights->Resize(&object, 19, -1, true);
    EXPECT_EQ(object.m_weightCapacity, 19u);
    weights->Resize(&object, 1);
    EXPECT_EQ(object.m_weightCapacity, 19u);

    // Without a capacity member the block always holds exactly the items.
    const CArrayProperty* labels = CTestContainer::GetLabelsProperty();
    labels->Resize(&object, 5);
    EXPECT_EQ(labels->GetCapacity(&object), 5u);
}

TEST(ValueArrays, InsertingAndRemovingInTheMiddle)
{
    const CArrayProperty* weights = CTestContainer::GetWeightsProperty();
    CTestContainer object;
    object.SetPropertiesToDefaults();
    weights->Resize(&object, 3);
    EXPECT_EQ(object.m_weightCapacity, 6u);
    object.m_weights[0] = 10;
    object.m_weights[1] = 20;
    object.m_weights[2] = 30;

    weights->Resize(&object, 5, 1); // within the capacity
    EXPECT_EQ(Weights(object), (Values{10, 1, 1, 20, 30}));
    weights->Resize(&object, 3, 1);
    EXPECT_EQ(Weights(object), (Values{10, 20, 30}));
    weights->Resize(&object, 13, 0); // into a new block
    EXPECT_EQ(object.m_weightCapacity, 26u);
    EXPECT_EQ(Weights(object), (Values{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 10, 20, 30}));
    weights->Resize(&object, 2, 0); // 2 is not below a sixteenth of 26: the block stays
    EXPECT_EQ(object.m_weightCapacity, 26u);
    EXPECT_EQ(Weights(object), (Values{20, 30}));
    weights->Resize(&object, 4, 99); // past the end counts as the end
    EXPECT_EQ(Weights(object), (Values{20, 30, 1, 1}));
}

TEST(ValueArrays, ItemsThatOwnMemoryMoveWithTheArray)
{
    const CArrayProperty* labels = CTestContainer::GetLabelsProperty();
    CTestContainer object;
    ASSERT_TRUE(ReadText(object, Block("Labels=Array\r\n{\r\nItem Count=2\r\nLabel=alpha\r\nLabel=beta\r\n}\r\n")));
    ASSERT_EQ(object.m_labelCount, 2u);
    labels->Resize(&object, 4, 1);
    ASSERT_EQ(object.m_labelCount, 4u);
    EXPECT_STREQ(object.m_labels[0].CStr(), "alpha");
    EXPECT_STREQ(object.m_labels[1].CStr(), "none");
    EXPECT_STREQ(object.m_labels[3].CStr(), "beta");
    labels->Resize(&object, 1, 0);
    EXPECT_STREQ(object.m_labels[0].CStr(), "beta");

    CTestContainer copy;
    copy.CopyPropertiesFrom(&object);
    object.m_labels[0].AssignText("changed");
    ASSERT_EQ(copy.m_labelCount, 1u);
    EXPECT_STREQ(copy.m_labels[0].CStr(), "beta");
}

TEST(ValueArrays, ArraysOfOwnedObjects)
{
    int destroyed = CTestFigure::s_destroyed;
    {
        CTestContainer object;
        ASSERT_TRUE(ReadText(object, Block("Figures=Array\r\n{\r\nItem Count=3\r\nFigure=CTestBox\r\n{\r\nSide=3\r\n"
                                           "}\r\nFigure=\r\nFigure=CTestDisc\r\n{\r\n}\r\n}\r\nTitle=After\r\n")));
        ASSERT_EQ(object.m_figureCount, 3u);
        ASSERT_NE(object.m_figures[0], nullptr);
        EXPECT_EQ(static_cast<CTestBox*>(object.m_figures[0])->m_side, 3);
        EXPECT_EQ(object.m_figures[1], nullptr);
        ASSERT_NE(object.m_figures[2], nullptr);
        EXPECT_STREQ(object.m_title.CStr(), "After");

        std::string text = TextOf(object);
        EXPECT_NE(text.find("\t\tFigure=CTestBox\r\n\t\t{\r\n\t\t\tSize=2\r\n\t\t\tSide=3\r\n\t\t}\r\n\t\tFigure=\r\n"),
                  std::string::npos)
            << text;
        CTestContainer read;
        ASSERT_TRUE(ReadText(read, text));
        EXPECT_EQ(TextOf(read), text);
        CTestContainer::GetFiguresProperty()->Resize(&read, 1);
    }
    // The default figure of each container (1 + 1), both of the first array's figures, and the two
    // of the copy's (one dropped by the resize).
    EXPECT_EQ(CTestFigure::s_destroyed, destroyed + 6);
}

TEST(ValueArrays, NamedItemsInAnyOrder)
{
    CTestContainer object;
    object.SetPropertiesToDefaults();
    EXPECT_EQ(object.m_levelCount, 5u);
    ASSERT_TRUE(ReadText(object, Block("Levels=Array\r\n{\r\nTop=3\r\nUnknown=9\r\nlow=1\r\n}\r\n")));
    EXPECT_EQ(std::vector<int32_t>(object.m_levels, object.m_levels + 5), (Values{1, 0, 0, 3, 0}));
    std::string text = TextOf(object);
    EXPECT_NE(text.find("\tLevels=Array\r\n\t{\r\n\t\tLow=1\r\n\t\tMid=0\r\n\t\tHigh=0\r\n\t\tTop=3\r\n\t\tMax=0\r\n\t}"),
              std::string::npos)
        << text;
}

TEST(ValueArrays, LinesOfNestedBlocksAndCountsOfNamedArraysAreLeftAlone)
{
    CTestContainer object;
    // A block that no item takes is passed over whole, count lines inside it included.
    ASSERT_TRUE(ReadText(object, Block("Weights=Array\r\n{\r\nWeight=4\r\nStray=CThing\r\n{\r\nItem Count=9\r\n"
                                       "Weight=99\r\n}\r\nWeight=5\r\n}\r\n")));
    EXPECT_EQ(Weights(object), (Values{4, 5}));
    // A named array holds one item per name, whatever a count line says.
    ASSERT_TRUE(ReadText(object, Block("Levels=Array\r\n{\r\nItem Count=2\r\nMax=4\r\n}\r\n")));
    EXPECT_EQ(std::vector<int32_t>(object.m_levels, object.m_levels + object.m_levelCount), (Values{0, 0, 0, 0, 4}));
}

TEST(ValueArrays, BinaryCountsAndNamesAreChecked)
{
    const CArrayProperty* weights = CTestContainer::GetWeightsProperty();
    const CArrayProperty* levels = CTestContainer::GetLevelsProperty();
    CTestContainer object;
    object.SetPropertiesToDefaults();

    auto read = [&](const CArrayProperty* property, const std::string& bytes) {
        CObjectTextStream in;
        OpenTextForReading(in, bytes);
        return property->ReadBinary(&object, in);
    };
    EXPECT_TRUE(read(weights, U32Bytes(2) + U32Bytes(5) + U32Bytes(6)));
    EXPECT_EQ(Weights(object), (Values{5, 6}));
    EXPECT_EQ(object.m_weightCapacity, 2u);
    // Counts beyond what the rest of the data can hold fail before any block is made.
    EXPECT_FALSE(read(weights, U32Bytes(0xFFFFFFFF) + U32Bytes(5)));
    EXPECT_FALSE(read(weights, U32Bytes(3) + U32Bytes(5) + U32Bytes(6)));

    EXPECT_TRUE(read(levels, U32Bytes(2) + CountedBytes("Max") + U32Bytes(9) + CountedBytes("mid") + U32Bytes(8)));
    EXPECT_EQ(std::vector<int32_t>(object.m_levels, object.m_levels + 5), (Values{0, 8, 0, 0, 9}));
    EXPECT_FALSE(read(levels, U32Bytes(1) + CountedBytes("Nowhere") + U32Bytes(9)));
    EXPECT_FALSE(read(levels, U32Bytes(0x40000000) + CountedBytes("Max") + U32Bytes(9)));
}

TEST(ValueArrays, DamagedTextCountsAreBounded)
{
    CTestContainer object;
    ASSERT_TRUE(ReadText(object, Block("Weights=Array\r\n{\r\nItem Count=4000000000\r\n}\r\n")));
    EXPECT_EQ(object.m_weightCount, 65536u);
    ASSERT_TRUE(ReadText(object, Block("Weights=Array\r\n{\r\nItem Count=-5\r\nWeight=2\r\n}\r\n")));
    EXPECT_EQ(Weights(object), (Values{2}));
}

TEST(ObjectArrays, TextForm)
{
    CTestContainer object;
    object.SetPropertiesToDefaults();
    CTestContainer::GetItemsProperty()->Resize(&object, 2);
    object.m_items[1].m_value = 9;
    std::string text = TextOf(object);
    EXPECT_NE(text.find("\tItems=Array\r\n\t{\r\n\t\tArray Count=2\r\n\t\tArray Item=CTestItem\r\n\t\t{\r\n"
                        "\t\t\tValue=3\r\n\t\t\tName=item\r\n\t\t}\r\n\t\tArray Item=CTestItem\r\n\t\t{\r\n"
                        "\t\t\tValue=9\r\n\t\t\tName=item\r\n\t\t}\r\n\t}\r\n\tNamed=Array\r\n\t{\r\n"
                        "\t\tArray Count=5\r\n\t\tLow=CTestItem\r\n"),
              std::string::npos)
        << text;
    CTestContainer read;
    ASSERT_TRUE(ReadText(read, text));
    EXPECT_EQ(TextOf(read), text);
}

TEST(ObjectArrays, CountsAndItemLines)
{
    CTestContainer object;
    // No count line: one item per line.
    ASSERT_TRUE(ReadText(object, Block("Items=Array\r\n{\r\nArray Item=CTestItem\r\n{\r\nValue=1\r\n}\r\n"
                                       "Array Item=CTestItem\r\n{\r\nValue=2\r\n}\r\n}\r\n")));
    EXPECT_EQ(ItemValues(object.m_items, object.m_itemCount), (Values{1, 2}));
    // More item lines than the count: the array grows rather than being written past.
    ASSERT_TRUE(ReadText(object, Block("Items=Array\r\n{\r\nArray Count=1\r\nArray Item=CTestItem\r\n{\r\nValue=4\r\n"
                                       "}\r\nArray Item=CTestItem\r\n{\r\nValue=5\r\n}\r\nArray Item=\r\n{\r\nValue=6\r\n"
                                       "}\r\n}\r\nTitle=After\r\n")));
    EXPECT_EQ(ItemValues(object.m_items, object.m_itemCount), (Values{4, 5, 6}));
    EXPECT_STREQ(object.m_title.CStr(), "After");
    // The older count line; items not given are at their defaults.
    ASSERT_TRUE(ReadText(object, Block("Items=Array\r\n{\r\nItem Count=3\r\nArray Item=CTestItem\r\n{\r\nValue=7\r\n"
                                       "}\r\n}\r\n")));
    EXPECT_EQ(ItemValues(object.m_items, object.m_itemCount), (Values{7, 3, 3}));
    EXPECT_STREQ(object.m_items[2].m_name.CStr(), "item");
}

TEST(ObjectArrays, NamedItemsInAnyOrderAndUnknownNamesDiscarded)
{
    CTestContainer object;
    object.SetPropertiesToDefaults();
    EXPECT_EQ(ItemValues(object.m_named, object.m_namedCount), (Values{3, 3, 3, 3, 3}));
    ASSERT_TRUE(ReadText(object, Block("Named=Array\r\n{\r\nArray Count=5\r\nMax=CTestItem\r\n{\r\nValue=50\r\n}\r\n"
                                       "Bogus=CTestItem\r\n{\r\nValue=1\r\nName=lost\r\n}\r\nLOW=CTestItem\r\n{\r\n"
                                       "Value=10\r\n}\r\n}\r\nTitle=After\r\n")));
    EXPECT_EQ(ItemValues(object.m_named, object.m_namedCount), (Values{10, 3, 3, 3, 50}));
    EXPECT_STREQ(object.m_title.CStr(), "After");
}

TEST(ObjectArrays, ResizeKeepsOrderAndDoublesTheCapacity)
{
    const CObjectArrayProperty* items = CTestContainer::GetItemsProperty();
    CTestContainer object;
    object.SetPropertiesToDefaults();
    items->Resize(&object, 3);
    EXPECT_EQ(object.m_itemCapacity, 6u);
    for (int i = 0; i < 3; ++i)
        object.m_items[i].m_value = i + 1;
    items->Resize(&object, 4, 0);
    EXPECT_EQ(object.m_itemCapacity, 6u);
    EXPECT_EQ(ItemValues(object.m_items, 4), (Values{3, 1, 2, 3}));
    items->Resize(&object, 7, 2);
    EXPECT_EQ(object.m_itemCapacity, 14u);
    EXPECT_EQ(ItemValues(object.m_items, 7), (Values{3, 1, 3, 3, 3, 2, 3}));
    items->Resize(&object, 3, 1);
    EXPECT_EQ(object.m_itemCapacity, 14u);
    EXPECT_EQ(ItemValues(object.m_items, 3), (Values{3, 2, 3}));

    // Without a capacity member: exactly the items.
    const CObjectArrayProperty* named = CTestContainer::GetNamedProperty();
    for (uint32_t i = 0; i < 5; ++i)
        object.m_named[i].m_value = static_cast<int32_t>(i);
    named->Resize(&object, 3, 1);
    EXPECT_EQ(ItemValues(object.m_named, object.m_namedCount), (Values{0, 3, 4}));
    named->Resize(&object, 0);
    EXPECT_EQ(object.m_named, nullptr);
}

TEST(ObjectArrays, BinaryCountsAndNamesAreChecked)
{
    const CObjectArrayProperty* items = CTestContainer::GetItemsProperty();
    const CObjectArrayProperty* named = CTestContainer::GetNamedProperty();
    CTestItem item;
    item.SetPropertiesToDefaults();
    item.m_value = 12;
    std::string itemBytes = BinaryOf(item);

    CTestContainer object;
    object.SetPropertiesToDefaults();
    auto read = [&](const CObjectArrayProperty* property, const std::string& bytes) {
        CObjectTextStream in;
        OpenTextForReading(in, bytes);
        return property->ReadBinary(&object, in);
    };
    EXPECT_TRUE(read(items, U32Bytes(2) + itemBytes + itemBytes));
    EXPECT_EQ(ItemValues(object.m_items, object.m_itemCount), (Values{12, 12}));
    EXPECT_FALSE(read(items, U32Bytes(0xFFFFFFFF) + itemBytes));
    EXPECT_FALSE(read(items, U32Bytes(2) + itemBytes));

    EXPECT_TRUE(read(named, U32Bytes(1) + CountedBytes("High") + itemBytes));
    EXPECT_EQ(ItemValues(object.m_named, object.m_namedCount), (Values{3, 3, 12, 3, 3}));
    EXPECT_FALSE(read(named, U32Bytes(1) + CountedBytes("Nowhere") + itemBytes));
    EXPECT_TRUE(read(items, U32Bytes(0)));
    EXPECT_EQ(object.m_itemCount, 0u);
}
