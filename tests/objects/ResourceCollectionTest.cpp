// Resource collections over files on disk: lazy loading on first use, the index clamp, re-entrant
// requests, aliases and sub-folders, the fatal not-found report, usage marks and the one fix-up
// per pass, unloading, retries after a failed load, and the registry's order of unloading.
#include "ContainerTestClasses.h"
#include "FatalCatcher.h"
#include "TestSupport.h"
#include "objects/IntProperty.h"
#include "objects/ResourceCollection.h"
#include "objects/ResourceRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class CTestResource : public CObject
{
    DECLARE_CLASS_RECORD(CTestResource)
    CTestResource() { InitOwnProperties(); }
    ~CTestResource() override
    {
        s_unloaded.push_back(m_value);
        DestroyOwnProperties();
    }
    void FixUpAfterLoad() override
    {
        ++s_fixUps;
        CObject::FixUpAfterLoad();
    }
    int32_t m_value;
    static inline int s_fixUps = 0;
    static inline std::vector<int32_t> s_unloaded;
};

IMPLEMENT_CLASS_RECORD(CTestResource, CObject, 1.0f)
void CTestResource::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Value", &CTestResource::m_value, 0, 0));
}

std::string ResourceText(int value)
{
    return "CTestResource\r\n{\r\n\tValue=" + std::to_string(value) + "\r\n}\r\n";
}

class ResourceCollections : public testing::Test
{
protected:
    void SetUp() override
    {
        m_collection.SetFolder(Folder().c_str());
        m_collection.SetTypeName("TestRes");
    }

    std::string Folder() const { return m_dir.Path().string(); }
    void WriteItem(const std::string& name, int value)
    {
        std::filesystem::path path = m_dir.Path() / (name + ".TestRes");
        std::filesystem::create_directories(path.parent_path());
        testsupport::WriteFileBytes(path, ResourceText(value));
    }
    int32_t ValueOf(CObject* object) const
    {
        auto* resource = dynamic_cast<CTestResource*>(object);
        return resource ? resource->m_value : -1;
    }
    int IndexOf(const char* name) const { return m_collection.FindIndexByName(name, -1); }

    testsupport::TempDir m_dir;
    CResourceCollection m_collection{nullptr, CTestResource::GetStaticClassRecord()};
};

// Asks for its own item while that item is being created.
class CReentrantCollection : public CResourceCollection
{
public:
    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override
    {
        ++m_loads;
        m_nestedResult = GetItem(m_probe);
        m_wasBusy = IsItemBusy(m_probe);
        return CResourceCollection::LoadItem(folder, fileName, out);
    }
    uint32_t m_probe = 0;
    int m_loads = 0;
    CObject* m_nestedResult = reinterpret_cast<CObject*>(1);
    bool m_wasBusy = false;
};

} // namespace

TEST_F(ResourceCollections, ItemsLoadOnFirstUseAndStay)
{
    WriteItem("red", 1);
    WriteItem("Blue", 2);
    WriteItem("green", 3);
    m_collection.SetEntries({"red", "Blue", "green"});
    ASSERT_EQ(m_collection.GetCount(), 3u);
    EXPECT_STREQ(m_collection.GetItemName(0), "Blue");
    EXPECT_STREQ(m_collection.GetItemName(1), "green");
    EXPECT_STREQ(m_collection.GetItemName(2), "red");
    EXPECT_EQ(m_collection.GetItemName(3), nullptr);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_FALSE(m_collection.IsItemLoaded(i));

    CObject* red = m_collection.GetItem(2);
    EXPECT_EQ(ValueOf(red), 1);
    EXPECT_TRUE(m_collection.IsItemLoaded(2));
    EXPECT_FALSE(m_collection.IsItemLoaded(0));
    EXPECT_FALSE(m_collection.IsItemBusy(2));
    // Loaded once: a changed file does not matter until the item is unloaded.
    WriteItem("red", 10);
    EXPECT_EQ(m_collection.GetItem(2), red);
    EXPECT_EQ(m_collection.GetItemObject(2), red);
    EXPECT_TRUE(m_collection.HasItemObjects());
    EXPECT_EQ(m_collection.GetItemObjectSize(2), sizeof(CTestResource));
    EXPECT_EQ(ValueOf(m_collection.GetByName("GREEN")), 3);
}

TEST_F(ResourceCollections, AnIndexPastTheCountMeansTheFirstEntry)
{
    EXPECT_EQ(m_collection.GetItem(0), nullptr); // no entries: nothing, and no load
    WriteItem("One", 1);
    WriteItem("Two", 2);
    m_collection.SetEntries({"One", "Two"});
    EXPECT_EQ(m_collection.GetItem(7), m_collection.GetItem(0));
    EXPECT_EQ(ValueOf(m_collection.GetItem(0xFFFFFFFFu)), 1);
    EXPECT_FALSE(m_collection.IsItemLoaded(1));
}

TEST_F(ResourceCollections, ARequestDuringTheItemsCreationGetsNothing)
{
    WriteItem("Self", 5);
    CReentrantCollection collection;
    collection.SetFolder(Folder().c_str());
    collection.SetTypeName("TestRes");
    collection.SetEntries({"Self"});
    CObject* object = collection.GetItem(0);
    EXPECT_EQ(ValueOf(object), 5);
    EXPECT_EQ(collection.m_nestedResult, nullptr);
    EXPECT_TRUE(collection.m_wasBusy);
    EXPECT_EQ(collection.m_loads, 1);
    EXPECT_FALSE(collection.IsItemBusy(0));
}

TEST_F(ResourceCollections, AliasesSubFoldersAndFilePaths)
{
    WriteItem("Red", 1);
    WriteItem("Sub/Blue", 2);
    m_collection.SetEntries({"Red", "Sub/Blue"});
    m_collection.AddAlias("Crimson", static_cast<uint32_t>(IndexOf("Red")));
    m_collection.AddAlias("Broken", 99); // an alias past the entries finds nothing
    EXPECT_EQ(IndexOf("crimson"), IndexOf("Red"));
    EXPECT_EQ(IndexOf("Broken"), -1);
    EXPECT_EQ(ValueOf(m_collection.GetByName("Crimson")), 1);
    // The file-name part finds an item in a sub-folder.
    EXPECT_EQ(IndexOf("Blue"), IndexOf("Sub/Blue"));
    CObject* blue = m_collection.GetByName("Sub/Blue");
    EXPECT_EQ(ValueOf(blue), 2);

    CSharedString path;
    m_collection.GetItemFilePath(static_cast<uint32_t>(IndexOf("Sub/Blue")), path);
    EXPECT_EQ(std::string(path.CStr()), Folder() + "/Sub/Blue.TestRes");
    CSharedString found;
    ASSERT_TRUE(m_collection.GetObjectFilePath(blue, found));
    EXPECT_EQ(std::string(found.CStr()), std::string(path.CStr()));
    CTestStone stranger;
    EXPECT_FALSE(m_collection.GetObjectFilePath(&stranger, found));
    CTestResource notHeld;
    EXPECT_FALSE(m_collection.GetObjectFilePath(&notHeld, found));
}

TEST_F(ResourceCollections, AMissingNameIsReportedInFull)
{
    m_collection.SetEntries({"Red", "Blue"});
    FatalCatcher catcher;
    try {
        m_collection.GetByName("Purple");
        ADD_FAILURE();
    } catch (const FatalError& error) {
        EXPECT_EQ(error.m_caption, "Fatal Not Found Error");
        std::string expected = "The game is looking for some data or a file but can not find it.  The item we are "
                               "looking for is \"Purple\" which should be in the \"TestRes\" list located in the \"" +
                               Folder() + "\" folder\r\n\r\nThat list does contain the following items but \"Purple\" "
                                          "is missing:\r\n 0) Blue\r\n 1) Red\r\n\r\n";
        EXPECT_EQ(error.m_text.substr(0, expected.size()), expected);
    }
}

TEST_F(ResourceCollections, AMissingNameEndsTheProgram)
{
    m_collection.SetEntries({"Red"});
    EXPECT_EXIT(m_collection.GetByName("Purple"), testing::ExitedWithCode(255),
                "Fatal Not Found Error: The game is looking for some data or a file but can not find it\\.  The item "
                "we are looking for is \"Purple\" which should be in the \"TestRes\" list");
}

TEST_F(ResourceCollections, OneFixUpPerUsagePass)
{
    WriteItem("Red", 1);
    WriteItem("Blue", 2);
    m_collection.SetEntries({"Red", "Blue"});
    int red = IndexOf("Red");
    int before = CTestResource::s_fixUps;
    m_collection.MarkItemUsed(static_cast<uint32_t>(red));
    EXPECT_TRUE(m_collection.IsItemLoaded(static_cast<uint32_t>(red)));
    m_collection.MarkItemUsed(static_cast<uint32_t>(red));
    EXPECT_EQ(CTestResource::s_fixUps, before + 1);
    EXPECT_TRUE(m_collection.IsItemUsed(static_cast<uint32_t>(red)));
    EXPECT_FALSE(m_collection.IsItemUsed(static_cast<uint32_t>(IndexOf("Blue"))));

    m_collection.ClearUsageMarks();
    EXPECT_FALSE(m_collection.IsItemUsed(static_cast<uint32_t>(red)));
    m_collection.MarkItemUsed(static_cast<uint32_t>(red));
    EXPECT_EQ(CTestResource::s_fixUps, before + 2);

    // Through the registry too.
    m_collection.Register("Test Resources");
    CResourceRegistry::GetInstance()->ClearAllUsageMarks();
    EXPECT_FALSE(m_collection.IsItemUsed(static_cast<uint32_t>(red)));
    m_collection.MarkItemUsed(static_cast<uint32_t>(red));
    EXPECT_EQ(CTestResource::s_fixUps, before + 3);
    m_collection.MarkItemUsed(99); // past the entries: nothing
    EXPECT_EQ(CTestResource::s_fixUps, before + 3);
}

TEST_F(ResourceCollections, AnItemThatFailedToLoadIsTriedAgain)
{
    m_collection.SetEntries({"Late"});
    int before = CTestResource::s_fixUps;
    EXPECT_EQ(m_collection.GetItem(0), nullptr);
    m_collection.MarkItemUsed(0);
    EXPECT_TRUE(m_collection.IsItemUsed(0));
    EXPECT_FALSE(m_collection.IsItemLoaded(0));
    EXPECT_EQ(CTestResource::s_fixUps, before);

    WriteItem("Late", 8);
    m_collection.MarkItemUsed(0);
    EXPECT_EQ(ValueOf(m_collection.GetItem(0)), 8);
    EXPECT_EQ(CTestResource::s_fixUps, before + 1);
}

TEST_F(ResourceCollections, UnloadingClearsTheEntry)
{
    WriteItem("Red", 1);
    m_collection.SetEntries({"Red"});
    // An entry that is not loaded is left alone, keep flag included.
    m_collection.SetKeepFlag(0, true);
    m_collection.UnloadItem(0);
    EXPECT_TRUE(m_collection.GetKeepFlag(0));

    m_collection.MarkItemUsed(0);
    CTestResource::s_unloaded.clear();
    m_collection.UnloadItem(0);
    EXPECT_FALSE(m_collection.IsItemLoaded(0));
    EXPECT_FALSE(m_collection.GetKeepFlag(0));
    EXPECT_FALSE(m_collection.IsItemUsed(0));
    EXPECT_EQ(CTestResource::s_unloaded, std::vector<int32_t>{1});

    // The next request reads the file again.
    WriteItem("Red", 11);
    int before = CTestResource::s_fixUps;
    m_collection.MarkItemUsed(0);
    EXPECT_EQ(ValueOf(m_collection.GetItem(0)), 11);
    EXPECT_EQ(CTestResource::s_fixUps, before + 1);
}

TEST_F(ResourceCollections, AForcedLoadReplacesTheObject)
{
    WriteItem("Red", 1);
    m_collection.SetEntries({"Red"});
    CObject* first = m_collection.GetItem(0);
    WriteItem("Red", 2);
    CTestResource::s_unloaded.clear();
    CObject* second = m_collection.LoadEntry(0);
    EXPECT_EQ(ValueOf(second), 2);
    EXPECT_EQ(m_collection.GetItem(0), second);
    EXPECT_EQ(CTestResource::s_unloaded, std::vector<int32_t>{1});
    (void)first;

    // A load that fails leaves the loaded object in place.
    std::filesystem::remove(m_dir.Path() / "Red.TestRes");
    EXPECT_EQ(m_collection.LoadEntry(0), nullptr);
    EXPECT_EQ(m_collection.GetItem(0), second);
    EXPECT_EQ(m_collection.LoadEntry(5), nullptr); // no clamp
}

TEST_F(ResourceCollections, LoadingSavesTheFileBackInItsWrittenForm)
{
    testsupport::WriteFileBytes(m_dir.Path() / "Loose.TestRes", "CTestResource\n{\n  Value = 4\n    Value=6\n}\n");
    m_collection.SetEntries({"Loose"});
    EXPECT_EQ(ValueOf(m_collection.GetItem(0)), 6);
    EXPECT_EQ(testsupport::ReadFileBytes(m_dir.Path() / "Loose.TestRes"), ResourceText(6));
}

TEST_F(ResourceCollections, NamesTooLongForAnEntryAreRefused)
{
    std::string longest(CResourceEntry::kNameSize - 1, 'n');
    m_collection.SetEntries({CSharedString(longest.c_str())});
    EXPECT_EQ(std::string(m_collection.GetItemName(0)), longest);

    FatalCatcher catcher;
    std::string tooLong = longest + "x";
    try {
        m_collection.SetEntries({CSharedString("Short"), CSharedString(tooLong.c_str())});
        ADD_FAILURE();
    } catch (const FatalError& error) {
        EXPECT_EQ(error.m_caption, "Illegal item name");
        EXPECT_EQ(error.m_text, "\"" + tooLong + "\" is an illegal item name for the \"TestRes\" list because it is "
                                                 "more than 119 characters long");
    }
    // The entries in place stay as they were.
    ASSERT_EQ(m_collection.GetCount(), 1u);
    EXPECT_EQ(std::string(m_collection.GetItemName(0)), longest);
}

TEST_F(ResourceCollections, TheRegistryUnloadsTheLastRegisteredFirst)
{
    testsupport::TempDir otherDir;
    CResourceCollection other(nullptr, CTestResource::GetStaticClassRecord());
    other.SetFolder(otherDir.Path().string().c_str());
    other.SetTypeName("TestRes");
    WriteItem("A", 1);
    WriteItem("B", 2);
    testsupport::WriteFileBytes(otherDir.Path() / "C.TestRes", ResourceText(3));
    m_collection.SetEntries({"A", "B"});
    other.SetEntries({"C"});

    CResourceRegistry* registry = CResourceRegistry::GetInstance();
    int first = m_collection.Register("First Resources");
    int second = other.Register("Second Resources");
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(m_collection.GetRegistryIndex(), first);
    EXPECT_STREQ(registry->GetItemName(static_cast<uint32_t>(second)), "Second Resources");
    EXPECT_EQ(registry->GetCollection(static_cast<uint32_t>(first)), &m_collection);
    EXPECT_EQ(registry->GetFlag(static_cast<uint32_t>(first)), 1);

    CObject* c = other.GetItem(0);
    m_collection.GetItem(1);
    m_collection.GetItem(0);
    CSharedString path;
    ASSERT_TRUE(registry->FindObjectFilePath(c, path));
    EXPECT_EQ(std::string(path.CStr()), otherDir.Path().string() + "/C.TestRes");
    CTestResource stranger;
    EXPECT_FALSE(registry->FindObjectFilePath(&stranger, path));

    CTestResource::s_unloaded.clear();
    registry->UnloadAll();
    EXPECT_EQ(CTestResource::s_unloaded, (std::vector<int32_t>{3, 1, 2}));
    EXPECT_FALSE(other.IsItemLoaded(0));
}

TEST(ResourceRegistry, ACollectionThatGoesLeavesAnEmptySlot)
{
    CResourceRegistry* registry = CResourceRegistry::GetInstance();
    int index;
    {
        CResourceCollection gone("Gone");
        index = gone.Register("Gone");
        EXPECT_EQ(registry->GetCollection(static_cast<uint32_t>(index)), &gone);
    }
    EXPECT_EQ(registry->GetCollection(static_cast<uint32_t>(index)), nullptr);
    EXPECT_STREQ(registry->GetItemName(static_cast<uint32_t>(index)), "Gone");
    registry->ClearAllUsageMarks();
    registry->UnloadAll();
    CSharedString path;
    CTestStone stone;
    EXPECT_FALSE(registry->FindObjectFilePath(&stone, path));
}
