// Name/value lists: the first of repeated names or values wins, names ignore case, and a copy is
// independent of its source.
#include "objects/ValueNameList.h"

#include <gtest/gtest.h>

TEST(ValueNameList, FirstOfRepeatedNamesAndValuesWins)
{
    CValueNameList list;
    EXPECT_EQ(list.Add("Normal", 1), 0);
    EXPECT_EQ(list.Add("Fast", 2), 1);
    EXPECT_EQ(list.Add("normal", 3), 2);
    EXPECT_EQ(list.Add("Quick", 2), 3);
    EXPECT_EQ(list.FindIndexByName("NORMAL", -1), 0);
    EXPECT_EQ(list.FindIndexByName("normal", 2), 2);
    EXPECT_EQ(list.FindIndexByName("normal", 17), 0);
    EXPECT_EQ(list.FindIndexByValue(2), 1);
    EXPECT_EQ(list.FindValue(3), 2);
    EXPECT_EQ(list.FindValue(9), -1);
    EXPECT_EQ(list.GetValue(3), 2u);
    EXPECT_STREQ(list.GetItemName(1), "Fast");
    EXPECT_EQ(list.GetItemName(4), nullptr);
    CSharedString name;
    list.GetItemNameString(name, 3);
    EXPECT_STREQ(name.CStr(), "Quick");
    // The item-list fall-back on the file-name part applies too.
    EXPECT_EQ(list.FindIndexByName("Speeds/Quick", -1), 3);
    EXPECT_EQ(list.FindIndexOrFail("fast", -1), 1);
}

TEST(ValueNameList, EditsAndCopies)
{
    CStringList list;
    EXPECT_EQ(list.AddItemByName("a"), 0);
    EXPECT_EQ(list.AddItemByName(CSharedString("b")), 1);
    list.Add("c", 7);
    EXPECT_EQ(list.GetValue(0), 0u);
    list.SwapItems(0, 2);
    EXPECT_STREQ(list.GetItemName(0), "c");
    EXPECT_STREQ(list.GetItemName(2), "a");
    list.SwapItems(0, 9);
    EXPECT_STREQ(list.GetItemName(0), "c");

    CStringList copy(list);
    list.RemoveItem(1);
    list.RemoveItem(5);
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_STREQ(list.GetItemName(1), "a");
    ASSERT_EQ(copy.GetCount(), 3u);
    EXPECT_STREQ(copy.GetItemName(1), "b");
    EXPECT_EQ(copy.GetValue(0), 7u);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.FindIndexByName("a", -1), -1);
}

TEST(ValueNameList, FloatAndWideValuesCompareExactly)
{
    CFloatValueList floats;
    floats.Add("Half", 0.5f);
    floats.Add("Third", 1.0f / 3.0f);
    EXPECT_EQ(floats.FindIndexByValue(0.5f), 0);
    EXPECT_EQ(floats.FindIndexByValue(0.3333f), -1);
    EXPECT_FLOAT_EQ(floats.GetValue(1), 1.0f / 3.0f);

    CInt64ValueList wide;
    wide.Add("Low", 5);
    wide.Add("High", 5 + (1LL << 32));
    EXPECT_EQ(wide.FindIndexByValue(5 + (1LL << 32)), 1);
    EXPECT_EQ(wide.FindIndexByValue(1LL << 32), -1);
}
