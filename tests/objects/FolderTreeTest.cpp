// Folder trees over lists of '/'-separated names.
#include "objects/FolderTree.h"
#include "objects/ValueNameList.h"

#include <gtest/gtest.h>

namespace {

class CNamedValues : public CValueNameList
{
public:
    const char* GetListName() const override { return "Music"; }
};

} // namespace

TEST(FolderTree, FilesComeBeforeSubFolders)
{
    CNamedValues list;
    list.Add("a/x", 0);
    list.Add("a/b/y", 0);
    list.Add("z", 0);
    list.Add("A/B/w", 0);
    CFolderTree tree(&list);
    uint32_t root = tree.GetRoot();
    EXPECT_FALSE(tree.IsFile(root));
    EXPECT_STREQ(tree.GetItemName(root), "Music");
    EXPECT_EQ(tree.GetParent(root), CTreeModel::kNoItem);
    ASSERT_EQ(tree.GetChildCount(root), 2u);
    EXPECT_EQ(tree.GetChild(root, 0), 2u); // the file z
    uint32_t a = tree.GetChild(root, 1);
    EXPECT_STREQ(tree.GetItemName(a), "a");
    EXPECT_EQ(tree.GetParent(a), root);
    ASSERT_EQ(tree.GetChildCount(a), 2u);
    EXPECT_EQ(tree.GetChild(a, 0), 0u); // x
    uint32_t b = tree.GetChild(a, 1);
    EXPECT_STREQ(tree.GetItemName(b), "b");
    // Folder names match ignoring case: A/B/w lands in b.
    ASSERT_EQ(tree.GetChildCount(b), 2u);
    EXPECT_EQ(tree.GetChild(b, 0), 1u);
    EXPECT_EQ(tree.GetChild(b, 1), 3u);
    EXPECT_EQ(tree.GetParent(1), b);
    EXPECT_EQ(tree.GetParent(2), root);
    EXPECT_STREQ(tree.GetItemName(1), "y");
    EXPECT_STREQ(tree.GetItemName(2), "z");
    EXPECT_EQ(tree.GetChildCount(1), 0u);
    EXPECT_EQ(tree.GetChild(1, 0), 0u);
    EXPECT_EQ(tree.GetChild(root, 2), CTreeModel::kNoItem);
    EXPECT_EQ(tree.GetSource(), &list);
    EXPECT_EQ(tree.GetItemName(1000), nullptr);
}

TEST(FolderTree, EmptyListHasOnlyTheRoot)
{
    CValueNameList list;
    CFolderTree tree(&list);
    EXPECT_EQ(tree.GetRoot(), 0u);
    EXPECT_EQ(tree.GetChildCount(0), 0u);
    EXPECT_STREQ(tree.GetItemName(0), "");
}
