// Registering a typed resource group: which files and folders become items, the cache fallback,
// the order of names, over-long names, and the same listing from a mounted archive.
#include "../foundation/FileTestHelpers.h"
#include "../foundation/ZipTestHelpers.h"
#include "foundation/FileSystem.h"
#include "graphics/RegisterResourceGroup.h"
#include "objects/ResourceCollection.h"
#include "objects/ResourceRegistry.h"
#include "objects/TreeModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

void Touch(const fs::path& path)
{
    fs::create_directories(path.parent_path());
    testsupport::WriteFileBytes(path, "x");
}

Strings Names(const CResourceCollection& collection)
{
    Strings names;
    for (uint32_t i = 0; i < collection.GetCount(); ++i)
        names.emplace_back(collection.GetItemName(i));
    return names;
}

Strings Register(const char* type, const char* root = "Resources")
{
    CResourceCollection collection(type);
    RegisterResourceGroup(collection, "Test Group", root);
    return Names(collection);
}

class RegisterGroup : public ::testing::Test
{
protected:
    void TearDown() override { CFileSystem::UnmountArchives(); }
    filetest::WorkFolder m_work;
};

TEST_F(RegisterGroup, ListsTypedFilesBelowTheRootExceptInDashedFolders)
{
    struct Case
    {
        const char* type;
        Strings files;
        Strings expected;
    };
    const Case cases[] = {
        // A dashed folder is a sequence's, not a place for typed files.
        {"Brick", {"Resources/Red.Brick", "Resources/-Ship/Hidden.Brick", "Resources/Set/Blue.Brick"},
         {"Red", "Set/Blue"}},
        // A dashed file inside a folder keeps its folder and loses the dash.
        {"Background", {"Resources/Space/-Stars.Background", "Resources/Other.txt"}, {"Space/Stars"}},
        // Only the type's extension counts, in any case.
        {"RoundSet", {"Resources/A.roundset", "Resources/B.RoundSet.bak", "Resources/C.Brick"}, {"A"}},
        {"modinfo", {}, {}},
    };
    for (const Case& c : cases) {
        fs::remove_all("Resources");
        for (const std::string& file : c.files)
            Touch(file);
        EXPECT_EQ(Register(c.type), c.expected) << c.type;
    }
}

TEST_F(RegisterGroup, SequencesListTheirDashedFoldersAsItems)
{
    Touch("Resources/-Menu Ball/Frame0.tga");
    Touch("Resources/Ship/-Idle/Frame0.tga");
    Touch("Resources/Ship/Plain.Brick");
    EXPECT_EQ(Register(nullptr), (Strings{"Menu Ball", "Ship/Idle"}));
}

TEST_F(RegisterGroup, FallsBackToCachedPropertyFilesAndPrefersTheData)
{
    Touch("Cache/Resources/Set/-Green.property");
    Touch("Cache/Resources/Red.property");
    Touch("Cache/Resources/Ignored.Brick");
    EXPECT_EQ(Register("Brick"), (Strings{"Red", "Set/Green"}));
    Touch("Resources/Blue.Brick");
    EXPECT_EQ(Register("Brick"), Strings{"Blue"});
}

TEST_F(RegisterGroup, NamesSortIgnoringCaseAndAreFoundInAnyCase)
{
    // A case-sensitive order would put every capital first: "AC", "Ab", "Zed", "aa", "b", "yes".
    for (const char* name : {"b", "AC", "aa", "Ab", "Zed", "yes"})
        Touch(std::string("Resources/") + name + ".Skin");
    CResourceCollection collection("Skin");
    RegisterResourceGroup(collection, "Skins", "Resources");
    EXPECT_EQ(Names(collection), (Strings{"aa", "Ab", "AC", "b", "yes", "Zed"}));
    for (const char* name : {"AA", "ab", "ac", "B", "zed"})
        EXPECT_GE(collection.FindIndexByName(name, -1), 0) << name;
}

TEST_F(RegisterGroup, SkipsNamesTooLongForAnEntry)
{
    const std::string longest(kLongestResourceItemName - 4, 'n');
    Touch("Resources/" + std::string(200, 'x') + ".PGen");
    Touch("Resources/Set/" + longest + ".PGen");       // "Set/" + 115 bytes: exactly fits
    Touch("Resources/Sets/" + longest + ".PGen");      // one byte over
    Touch("Resources/Short.PGen");
    EXPECT_EQ(Register("PGen"), (Strings{"Set/" + longest, "Short"}));
}

TEST_F(RegisterGroup, RegistersOnceAndBuildsTheFolderTree)
{
    Touch("Resources/Top.Brick");
    Touch("Resources/Set/One.Brick");
    Touch("Resources/Set/Two.Brick");
    CResourceCollection collection("Brick");
    RegisterResourceGroup(collection, "Brick Info", "Resources");
    const int index = collection.GetRegistryIndex();
    ASSERT_GE(index, 0);
    EXPECT_EQ(CResourceRegistry::GetInstance()->GetCollection(static_cast<uint32_t>(index)), &collection);
    EXPECT_STREQ(CResourceRegistry::GetInstance()->GetItemName(static_cast<uint32_t>(index)), "Brick Info");
    EXPECT_STREQ(collection.GetFolder().CStr(), "Resources");

    Touch("Resources/Later.Brick");
    RegisterResourceGroup(collection, "Brick Info", "Resources");
    EXPECT_EQ(collection.GetRegistryIndex(), index);
    EXPECT_EQ(Names(collection), (Strings{"Later", "Set/One", "Set/Two", "Top"}));

    const CTreeModel* tree = collection.GetTree();
    ASSERT_NE(tree, nullptr);
    const uint32_t root = tree->GetRoot();
    ASSERT_EQ(tree->GetChildCount(root), 3u);   // two files, then the folder
    const uint32_t set = tree->GetChild(root, 2);
    EXPECT_STREQ(tree->GetItemName(set), "Set");
    ASSERT_EQ(tree->GetChildCount(set), 2u);
    EXPECT_STREQ(tree->GetItemName(tree->GetChild(set, 1)), "Two");
}

TEST_F(RegisterGroup, AnArchiveMadeByZipListsAsTheDiskDoes)
{
    if (!ziptest::HaveTool("zip"))
        GTEST_SKIP() << "zip is not installed";
    const Strings files = {"Resources/Red.Brick",      "Resources/Set/-Blue.Brick", "Resources/-Ship/X.Brick",
                           "Resources/set/green.brick", "Resources/-Menu Ball/F.tga"};
    for (const std::string& file : files)
        Touch("stage/" + file);
    fs::rename("stage/Resources", "Resources");
    const Strings fromDisk = Register("Brick");
    const Strings sequencesFromDisk = Register(nullptr);
    ASSERT_EQ(fromDisk, (Strings{"Red", "Set/Blue", "set/green"}));

    fs::create_directories("Data");
    ASSERT_EQ(testsupport::RunCommand("cd Resources && zip -0 -q -r ../Data/Resources.zip ."), 0);
    fs::remove_all("Resources");
    ASSERT_TRUE(Register("Brick").empty());
    CFileSystem::MountArchives("Data", true, false);
    EXPECT_EQ(Register("Brick"), fromDisk);
    EXPECT_EQ(Register(nullptr), sequencesFromDisk);
}

} // namespace
