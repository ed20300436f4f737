// The descriptor base: label and category, value slots and byte copies.
#include "TestDescriptor.h"
#include "objects/PropertyDescriptorList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

TEST(PropertyDescriptor, NameSplitsAtTheLastSlash)
{
    struct Case
    {
        const char* name;
        const char* category;
        const char* label;
    };
    for (const Case& c : {Case{"Render/Blit Type", "Render", "Blit Type"}, Case{"a/b/c", "a/b", "c"},
                          Case{"Speed", "", "Speed"}, Case{"Layers/", "Layers", ""}, Case{"/x", "", "x"},
                          Case{"", "", ""}}) {
        CTestDescriptor descriptor(c.name, 0u, 0);
        EXPECT_STREQ(descriptor.GetCategory().CStr(), c.category) << c.name;
        EXPECT_STREQ(descriptor.GetLabel().CStr(), c.label) << c.name;
    }
}

TEST(PropertyDescriptor, CloneCopiesEveryField)
{
    CTestDescriptor descriptor("Movement/Speed", 12u, 3);
    descriptor.SetHelpText("Pixels per step");
    descriptor.SetAlias("Velocity");
    descriptor.SetDynamicFlag();
    std::unique_ptr<CPropertyDescriptor> clone(descriptor.Clone());
    EXPECT_STREQ(clone->GetLabel().CStr(), "Speed");
    EXPECT_STREQ(clone->GetCategory().CStr(), "Movement");
    EXPECT_STREQ(clone->GetHelpText().CStr(), "Pixels per step");
    EXPECT_STREQ(clone->GetAlias().CStr(), "Velocity");
    EXPECT_EQ(clone->GetOffset(), 12u);
    EXPECT_EQ(clone->GetSize(), 4u);
    EXPECT_TRUE(clone->IsDynamic());
    EXPECT_EQ(clone->GetBitMask(), 0u);
    EXPECT_TRUE(clone->ShouldWrite(nullptr));
}

TEST(PropertyDescriptor, CopyValueBytesCopiesExactlyTheValueSize)
{
    CTestDescriptor descriptor("Value", 0u, 0);
    unsigned char source[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    unsigned char destination[8];
    std::memset(destination, 0xEE, sizeof(destination));
    descriptor.CopyValueBytes(destination, source);
    const unsigned char expected[8] = {1, 2, 3, 4, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(std::memcmp(destination, expected, 8), 0);

    void* slot = descriptor.AllocValue();
    ASSERT_NE(slot, nullptr);
    descriptor.CopyValueBytes(slot, source);
    EXPECT_EQ(std::memcmp(slot, source, 4), 0);
    descriptor.FreeValue(slot);

    unsigned char* array = static_cast<unsigned char*>(descriptor.NewValueArray(5));
    ASSERT_NE(array, nullptr);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(array[i], 0);
    descriptor.DeleteValueArray(array);
}

TEST(PropertyDescriptorList, FindsByLabelThenAlias)
{
    CPropertyDescriptorList list(true);
    CTestDescriptor* first = new CTestDescriptor("Colour/Tint", 0u, 0);
    CTestDescriptor* second = new CTestDescriptor("Shade", 0u, 0);
    second->SetAlias("Tint");
    first->SetAlias("Hue");
    list.Add(first);
    list.Add(second);
    EXPECT_EQ(list.Find("tint"), first);
    EXPECT_EQ(list.Find("HUE"), first);
    EXPECT_EQ(list.Find("shade"), second);
    EXPECT_EQ(list.Find("Colour"), nullptr);
    EXPECT_STREQ(list.GetItemName(1), "Shade");
    EXPECT_EQ(list.GetItemName(2), nullptr);
}
