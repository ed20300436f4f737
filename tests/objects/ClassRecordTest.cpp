// Class records, the class registry and the root object's copies, clones and member lifetimes.
#include "FatalCatcher.h"
#include "TestDescriptor.h"
#include "objects/ClassRegistry.h"
#include "objects/DynamicProperties.h"
#include "objects/PropertyDescriptorList.h"

#include <gtest/gtest.h>

#include <memory>

// A small hierarchy: a shape with two properties, two kinds of shape, and an unrelated class.
class CTestShape : public CObject
{
    DECLARE_CLASS_RECORD(CTestShape)
    CTestShape() { InitOwnProperties(); }
    ~CTestShape() override { DestroyOwnProperties(); }
    int32_t m_width = 0;
    int32_t m_height = 0;
};
IMPLEMENT_CLASS_RECORD(CTestShape, CObject, 2.0f)
void CTestShape::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CTestDescriptor("Size/Width", &CTestShape::m_width, 10, 1));
    record->AddProperty(new CTestDescriptor("Size/Height", &CTestShape::m_height, 20, 1));
}

class CTestCircle : public CTestShape
{
    DECLARE_CLASS_RECORD(CTestCircle)
    CTestCircle() { InitOwnProperties(); }
    ~CTestCircle() override { DestroyOwnProperties(); }
    int32_t m_radius = 0;
};
IMPLEMENT_CLASS_RECORD(CTestCircle, CTestShape, 1.0f)
void CTestCircle::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CTestDescriptor("Radius", &CTestCircle::m_radius, 5));
    record->GetLastProperty()->SetAlias("Old Radius");
}

class CTestSquare : public CTestShape
{
    DECLARE_CLASS_RECORD(CTestSquare)
    CTestSquare() { InitOwnProperties(); }
    ~CTestSquare() override { DestroyOwnProperties(); }
    int32_t m_side = 0;
    int32_t m_corner = 0;
};
IMPLEMENT_CLASS_RECORD(CTestSquare, CTestShape, 1.0f)
void CTestSquare::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CTestDescriptor("Side", &CTestSquare::m_side, 7));
    record->AddProperty(new CTestDescriptor("Corner", &CTestSquare::m_corner, 3));
}

class CTestUnrelated : public CObject
{
    DECLARE_CLASS_RECORD(CTestUnrelated)
    CTestUnrelated() { InitOwnProperties(); }
    ~CTestUnrelated() override { DestroyOwnProperties(); }
    int32_t m_a = 0;
    int32_t m_b = 0;
};
IMPLEMENT_CLASS_RECORD(CTestUnrelated, CObject, 1.0f)
void CTestUnrelated::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CTestDescriptor("A", &CTestUnrelated::m_a, 100));
    record->AddProperty(new CTestDescriptor("B", &CTestUnrelated::m_b, 200));
}

class CTestFourProperties : public CObject
{
    DECLARE_CLASS_RECORD(CTestFourProperties)
    int32_t m_values[4] = {};
};
IMPLEMENT_CLASS_RECORD(CTestFourProperties, CObject, 8.0f)
void CTestFourProperties::AddProperties(CClassRecord* record)
{
    for (uint32_t i = 0; i < 4; ++i)
        record->AddProperty(new CTestDescriptor("Value", CPropertyDescriptor::MemberOffset(&CTestFourProperties::m_values) + 4 * i, 0));
}

class CTestNoProperties : public CObject
{
    DECLARE_CLASS_RECORD(CTestNoProperties)
};
IMPLEMENT_CLASS_RECORD(CTestNoProperties, CObject, 1.0f)
void CTestNoProperties::AddProperties(CClassRecord*)
{
}

class CTestAbstractShape : public CTestShape
{
    DECLARE_CLASS_RECORD(CTestAbstractShape)
};
IMPLEMENT_ABSTRACT_CLASS_RECORD(CTestAbstractShape, CTestShape, 1.0f)
void CTestAbstractShape::AddProperties(CClassRecord*)
{
}

namespace {

// A record outside any hierarchy, for registry tests (no base keeps it out of every derived list).
std::unique_ptr<CClassRecord> MakeLooseRecord(const char* name, float version)
{
    return std::make_unique<CClassRecord>(nullptr, name, version, nullptr, 8, true, nullptr, nullptr, nullptr, nullptr);
}

} // namespace

TEST(ClassRecord, VersionGrowsWithOwnPropertiesAndBase)
{
    EXPECT_FLOAT_EQ(CObject::GetStaticClassRecord()->GetVersion(), 7.0f);
    EXPECT_FLOAT_EQ(CTestFourProperties::GetStaticClassRecord()->GetVersion(), 8.0f + 28.0f + 21.0f);
    EXPECT_FLOAT_EQ(CTestNoProperties::GetStaticClassRecord()->GetVersion(), 22.0f);
    EXPECT_FLOAT_EQ(CClassThatCanNotBeConstructedOrDerivedFrom::GetStaticClassRecord()->GetVersion(), 21.0f);
    // 2 + 7 * 2 + 3 * 7 = 37 for the shape; 1 + 7 + 3 * 37 = 119 for the circle.
    EXPECT_FLOAT_EQ(CTestShape::GetStaticClassRecord()->GetVersion(), 37.0f);
    EXPECT_FLOAT_EQ(CTestCircle::GetStaticClassRecord()->GetVersion(), 119.0f);
}

TEST(ClassRecord, InheritedPropertiesComeFirstAsOwnCopies)
{
    const CClassRecord* shape = CTestShape::GetStaticClassRecord();
    const CClassRecord* circle = CTestCircle::GetStaticClassRecord();
    ASSERT_EQ(circle->GetPropertyCount(), 4u);
    EXPECT_EQ(circle->GetInheritedCount(), 3u);
    EXPECT_STREQ(circle->GetPropertyName(0), "Dynamic Properties");
    EXPECT_STREQ(circle->GetPropertyName(1), "Width");
    EXPECT_STREQ(circle->GetPropertyName(2), "Height");
    EXPECT_STREQ(circle->GetPropertyName(3), "Radius");
    EXPECT_EQ(circle->GetPropertyName(4), nullptr);
    EXPECT_NE(circle->GetProperty(1), shape->GetProperty(1));
    EXPECT_EQ(circle->GetProperty(1)->GetOffset(), shape->GetProperty(1)->GetOffset());
    EXPECT_EQ(circle->GetBase(), shape);
    EXPECT_TRUE(circle->IsKindOf(shape));
    EXPECT_TRUE(circle->IsKindOf(nullptr));
    EXPECT_FALSE(shape->IsKindOf(circle));
}

TEST(ClassRecord, FindPropertyIgnoresCaseThenTriesAliases)
{
    const CClassRecord* circle = CTestCircle::GetStaticClassRecord();
    int index = 99;
    EXPECT_EQ(circle->FindProperty("hEIGHT", &index), circle->GetProperty(2));
    EXPECT_EQ(index, 2);
    // Declaration order hits at the cursor, and any order still finds every label.
    for (const char* label : {"Dynamic Properties", "Width", "Height", "Radius", "radius", "WIDTH"})
        EXPECT_NE(circle->FindProperty(label), nullptr) << label;
    EXPECT_EQ(circle->FindProperty("old RADIUS", &index), circle->GetProperty(3));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(circle->FindProperty("Size/Width", &index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(CTestNoProperties::GetStaticClassRecord()->FindProperty("Dynamic Properties"),
              CTestNoProperties::GetStaticClassRecord()->GetProperty(0));
}

TEST(ClassRecord, DisplayNameDropsTheClassPrefixAndSuffix)
{
    CSharedString name;
    MakeLooseRecord("CFont", 1.0f)->GetDisplayName(name, nullptr);
    EXPECT_STREQ(name.CStr(), "Font");
    MakeLooseRecord("Cdata", 1.0f)->GetDisplayName(name, "");
    EXPECT_STREQ(name.CStr(), "Cdata");
    MakeLooseRecord("CShipAI", 1.0f)->GetDisplayName(name, "AI");
    EXPECT_STREQ(name.CStr(), "Ship");
    MakeLooseRecord("CAIShipAI", 1.0f)->GetDisplayName(name, "AI");
    EXPECT_STREQ(name.CStr(), "ShipAI");
}

TEST(ClassRegistry, ReplacesOnlyWithAHigherVersion)
{
    CClassRegistry* registry = CClassRegistry::GetInstance();
    std::unique_ptr<CClassRecord> first = MakeLooseRecord("CZqReplaced", 36.0f);
    std::unique_ptr<CClassRecord> same = MakeLooseRecord("czqreplaced", 36.0f);
    std::unique_ptr<CClassRecord> higher = MakeLooseRecord("CZqReplaced", 36.5f);
    std::unique_ptr<CClassRecord> lower = MakeLooseRecord("CZqReplaced", 1.0f);
    ASSERT_TRUE(registry->Register(first.get()));
    uint32_t count = registry->GetCount();
    EXPECT_FALSE(registry->Register(same.get()));
    EXPECT_EQ(registry->Find("CZqReplaced"), first.get());
    EXPECT_TRUE(registry->Register(higher.get()));
    EXPECT_EQ(registry->GetCount(), count);
    EXPECT_EQ(registry->Find("CZqReplaced"), higher.get());
    EXPECT_FALSE(registry->Register(lower.get()));
    // The replaced record is still a valid record.
    EXPECT_STREQ(first->GetName(), "CZqReplaced");
    // The registered ones stay registered for the rest of the run.
    higher.release();
}

TEST(ClassRegistry, FindsWithOrWithoutTheClassPrefixOneWayOnly)
{
    CClassRegistry* registry = CClassRegistry::GetInstance();
    CClassRecord* prefixed = MakeLooseRecord("CZqFont", 1.0f).release();
    CClassRecord* bare = MakeLooseRecord("ZqGlyph", 1.0f).release();
    ASSERT_TRUE(registry->Register(prefixed));
    ASSERT_TRUE(registry->Register(bare));
    for (bool sorted : {false, true}) {
        if (sorted)
            registry->SortByName();
        int index = -5;
        EXPECT_EQ(registry->Find("ZqFont", &index), prefixed);
        EXPECT_STREQ(registry->GetItemName(static_cast<uint32_t>(index)), "CZqFont");
        EXPECT_EQ(registry->Find("czqFONT"), prefixed);
        EXPECT_EQ(registry->Find("ZqGlyph"), bare);
        EXPECT_EQ(registry->Find("CZqGlyph", &index), nullptr);
        EXPECT_EQ(index, -1);
        EXPECT_EQ(registry->Find("CTestCircle"), CTestCircle::GetStaticClassRecord());
    }
    EXPECT_TRUE(registry->IsSorted());
    CClassRecord* later = MakeLooseRecord("CZqLater", 1.0f).release();
    later->SetAlternateName("ZqOtherName");
    ASSERT_TRUE(registry->Register(later));
    EXPECT_FALSE(registry->IsSorted());
    EXPECT_EQ(registry->Find("CZqLater"), later);
    EXPECT_EQ(registry->Find("zqothername"), later);
}

TEST(ClassRegistry, SortedSearchFindsEveryRegisteredClass)
{
    CClassRegistry* registry = CClassRegistry::GetInstance();
    registry->SortByName();
    ASSERT_GT(registry->GetCount(), 5u);
    for (uint32_t i = 0; i + 1 < registry->GetCount(); ++i)
        EXPECT_LT(CItemList::CompareNames(registry->GetItemName(i), registry->GetItemName(i + 1)), 0);
    for (uint32_t i = 0; i < registry->GetCount(); ++i) {
        int index = -1;
        EXPECT_EQ(registry->Find(registry->GetItemName(i), &index), registry->GetRecord(i));
        EXPECT_EQ(index, static_cast<int>(i));
    }
}

TEST(ClassRegistry, CreatesObjectsByName)
{
    CObject* object = CClassRegistry::GetInstance()->CreateObject("TestCircle");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetClassRecord(), CTestCircle::GetStaticClassRecord());
    EXPECT_TRUE(object->IsKindOf(CTestShape::GetStaticClassRecord()));
    EXPECT_FALSE(object->IsKindOf(CTestSquare::GetStaticClassRecord()));
    EXPECT_EQ(object->GetObjectSize(), sizeof(CTestCircle));
    delete object;

    const CClassRecord* record = CTestSquare::GetStaticClassRecord();
    CObject* array = record->CreateObjectArray(3);
    ASSERT_NE(array, nullptr);
    CTestSquare* squares = static_cast<CTestSquare*>(array);
    squares[2].m_side = 9;
    EXPECT_EQ(squares[2].GetClassRecord(), record);
    record->DeleteObjectArray(array);
}

TEST(ClassRegistryDeathTest, UnknownOrAbstractClassIsFatal)
{
    const char* expected = "FATAL ERROR!: The executable or data file appears to have become corrupted\\. Please "
                           "reinstall the product, or contact the vendor for assistance\\.";
    EXPECT_EXIT(CClassRegistry::GetInstance()->CreateObject("CNoSuchClassAnywhere"), testing::ExitedWithCode(255),
                expected);
    EXPECT_EXIT(CClassRegistry::GetInstance()->CreateObject("CTestAbstractShape"), testing::ExitedWithCode(255),
                expected);
    EXPECT_EXIT(CClassRegistry::GetInstance()->CreateObject("CObject"), testing::ExitedWithCode(255), expected);
}

TEST(Object, EachClassLevelInitialisesAndDestroysItsOwnMembers)
{
    int inits = CTestDescriptor::s_initCount;
    int destroys = CTestDescriptor::s_destroyCount;
    CTestCircle* circle = new CTestCircle;
    EXPECT_EQ(CTestDescriptor::s_initCount - inits, 3);
    EXPECT_EQ(circle->m_width, -1);
    EXPECT_EQ(circle->m_radius, -1);
    EXPECT_EQ(circle->GetDynamicProperties(), nullptr);
    delete circle;
    EXPECT_EQ(CTestDescriptor::s_destroyCount - destroys, 3);
}

TEST(Object, CopiesTheCommonClassAndResetsTheRest)
{
    CTestShape shape;
    shape.m_width = 1;
    shape.m_height = 2;
    CTestCircle circle;
    circle.m_width = 3;
    circle.m_height = 4;
    circle.m_radius = 5000;
    CTestSquare square;
    square.m_width = 6;
    square.m_height = 7;
    square.m_side = 8;
    square.m_corner = 9;
    CTestUnrelated unrelated;
    unrelated.m_a = 10;
    unrelated.m_b = 11;

    // Derived into base: all of the base's properties.
    CTestShape fromCircle;
    fromCircle.CopyPropertiesFrom(&circle);
    EXPECT_EQ(fromCircle.m_width, 3);
    EXPECT_EQ(fromCircle.m_height, 4);

    // Base into derived: the base's properties, the derived ones reset.
    CTestCircle fromShape;
    fromShape.m_radius = 77;
    fromShape.CopyPropertiesFrom(&shape);
    EXPECT_EQ(fromShape.m_width, 1);
    EXPECT_EQ(fromShape.m_height, 2);
    EXPECT_EQ(fromShape.m_radius, 5);

    // Same class: everything.
    CTestCircle same;
    same.CopyPropertiesFrom(&circle);
    EXPECT_EQ(same.m_radius, 5000);
    EXPECT_EQ(same.m_width, 3);

    // Siblings: the shared base's properties only; the rest reset.
    CTestSquare fromSibling;
    fromSibling.m_side = 55;
    fromSibling.CopyPropertiesFrom(&circle);
    EXPECT_EQ(fromSibling.m_width, 3);
    EXPECT_EQ(fromSibling.m_height, 4);
    EXPECT_EQ(fromSibling.m_side, 7);
    EXPECT_EQ(fromSibling.m_corner, 3);

    // Unrelated classes: nothing changes.
    CTestUnrelated fromUnrelated;
    fromUnrelated.m_a = 1234;
    fromUnrelated.m_b = 5678;
    fromUnrelated.CopyPropertiesFrom(&circle);
    EXPECT_EQ(fromUnrelated.m_a, 1234);
    EXPECT_EQ(fromUnrelated.m_b, 5678);
    circle.CopyPropertiesFrom(&unrelated);
    EXPECT_EQ(circle.m_width, 3);
    EXPECT_EQ(circle.m_radius, 5000);
}

TEST(Object, CloneMakesTheSameClassWithTheSameValues)
{
    CTestSquare square;
    square.SetPropertiesToDefaults();
    EXPECT_EQ(square.m_width, 10);
    EXPECT_EQ(square.m_side, 7);
    square.m_side = 42;
    square.m_height = -8;
    std::unique_ptr<CObject> copy(square.Clone());
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->GetClassRecord(), CTestSquare::GetStaticClassRecord());
    const CTestSquare* clone = static_cast<const CTestSquare*>(copy.get());
    EXPECT_EQ(clone->m_side, 42);
    EXPECT_EQ(clone->m_height, -8);
    EXPECT_EQ(clone->m_corner, 3);
}

TEST(Object, DescriptionShowsTheFirstTwoFlaggedValues)
{
    CTestCircle circle;
    circle.SetPropertiesToDefaults();
    circle.m_width = 640;
    circle.m_height = 480;
    CSharedString description;
    circle.GetDescription(description, "Circle");
    // "Dynamic Properties" is flagged too; with no dynamic values its text is empty.
    EXPECT_STREQ(description.CStr(), "Test  640 ");
}

TEST(Object, DynamicValuesAreAddedOnceAndRemoved)
{
    CTestDescriptor* descriptor = new CTestDescriptor("Glow", 0u, 4);
    CDynamicPropertyRegistrar registrar(descriptor, CTestShape::GetStaticClassRecord(), "How bright");
    EXPECT_TRUE(descriptor->IsDynamic());
    EXPECT_STREQ(descriptor->GetHelpText().CStr(), "How bright");

    // The base and every derived record, including one built after the registration.
    EXPECT_TRUE(CTestShape::GetStaticClassRecord()->GetDynamicPropertyList()->Contains(descriptor));
    EXPECT_TRUE(CTestCircle::GetStaticClassRecord()->GetDynamicPropertyList()->Contains(descriptor));
    EXPECT_FALSE(CTestUnrelated::GetStaticClassRecord()->GetDynamicPropertyList()->Contains(descriptor));
    CClassRecord* lateRecord = nullptr;
    new CClassRecord(&lateRecord, "CTestLateShape", 1.0f, CTestShape::GetStaticClassRecord(), sizeof(CTestShape),
                     true, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(lateRecord->GetDynamicPropertyList()->Contains(descriptor));
    EXPECT_EQ(lateRecord->GetDynamicPropertyList()->Find("glow"), descriptor);

    CTestCircle circle;
    EXPECT_FALSE(descriptor->HasDynamicValue(&circle));
    void* slot = descriptor->AddDynamicValue(&circle);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(*static_cast<int32_t*>(slot), -1); // initialised by the descriptor
    EXPECT_EQ(descriptor->AddDynamicValue(&circle), nullptr);
    EXPECT_EQ(circle.GetOrAddDynamicValue(descriptor), slot);
    EXPECT_TRUE(descriptor->HasDynamicValue(&circle));
    *static_cast<int32_t*>(slot) = 99;

    // A copy gets fresh slots holding the same values.
    CTestCircle copy;
    copy.CopyPropertiesFrom(&circle);
    void* copied = copy.FindDynamicValue(descriptor);
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, slot);
    EXPECT_EQ(*static_cast<int32_t*>(copied), 99);

    EXPECT_TRUE(descriptor->RemoveDynamicValue(&circle));
    EXPECT_FALSE(descriptor->RemoveDynamicValue(&circle));
    EXPECT_FALSE(descriptor->HasDynamicValue(&circle));
    circle.SetPropertiesToDefaults();
    EXPECT_EQ(circle.GetDynamicProperties(), nullptr);
}
