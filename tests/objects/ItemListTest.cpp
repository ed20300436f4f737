// Item lists: searches with hints, binary search, the file-name fall-back, enumeration tables, the
// one-level tree view and the fatal not-found report.
#include "FatalCatcher.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/EnumTable.h"
#include "objects/ItemListTreeAdapter.h"
#include "objects/NamedList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Records of the shape resource collections use: an inline name, then data.
struct Entry
{
    char m_name[24];
    uint32_t m_value;
};

// A table of exactly the given names, with an empty-name record after them only when asked, in
// its own heap block so that a read past its end is caught by the address sanitizer.
std::unique_ptr<Entry[]> MakeTable(const std::vector<const char*>& names, bool terminated)
{
    size_t count = names.size() + (terminated ? 1 : 0);
    std::unique_ptr<Entry[]> table(new Entry[count]());
    for (size_t i = 0; i < names.size(); ++i)
        std::strncpy(table[i].m_name, names[i], sizeof(table[i].m_name) - 1);
    return table;
}

class CNamedTestList : public CNamedList
{
public:
    using CNamedList::CNamedList;
    const char* GetListName() const override { return m_listName; }
    bool IsBrowsable() const override { return m_browsable; }
    const char* GetFolderName() const override { return m_folderName; }
    const char* m_listName = nullptr;
    const char* m_folderName = nullptr;
    bool m_browsable = true;
};

} // namespace

TEST(ItemList, NamesCompareIgnoringAsciiCaseOnly)
{
    EXPECT_EQ(CItemList::CompareNames("Abc", "aBC"), 0);
    EXPECT_LT(CItemList::CompareNames("!None", "Apple"), 0);
    // Letters fold to lower case, so '_' (0x5F) sorts before letters.
    EXPECT_LT(CItemList::CompareNames("_x", "Ax"), 0);
    EXPECT_LT(CItemList::CompareNames("ab", "abc"), 0);
    EXPECT_GT(CItemList::CompareNames("\xE9", "z"), 0);
    EXPECT_NE(CItemList::CompareNames("\xC9", "\xE9"), 0);
    EXPECT_EQ(CItemList::CompareNames(nullptr, ""), 0);
    EXPECT_STREQ(CItemList::GetNamePart("a\\b/c.txt"), "c.txt");
    EXPECT_STREQ(CItemList::GetNamePart("plain"), "plain");
}

TEST(NamedList, SortedListFindsNoneFirstWhateverTheHint)
{
    std::vector<const char*> names = {"!None", "Apple", "banana", "Cherry", "date", "Elder", "fig"};
    std::unique_ptr<Entry[]> table = MakeTable(names, true);
    CNamedList list(true, sizeof(Entry), static_cast<uint32_t>(names.size()), table.get(), nullptr);
    for (int hint : {-1, 0, 3, 6, 7, 1000, -7})
        EXPECT_EQ(list.FindIndexByName("!none", hint), 0) << hint;
    for (size_t i = 0; i < names.size(); ++i)
        for (int hint : {-1, 0, 2, 5, 99})
            EXPECT_EQ(list.FindIndexByName(names[i], hint), static_cast<int>(i)) << names[i] << " " << hint;
    EXPECT_EQ(list.FindIndexByName("CHERRY", -1), 3);
    EXPECT_EQ(list.FindIndexByName("grape", -1), -1);
    EXPECT_EQ(list.FindIndexByName("", -1), -1);
    EXPECT_EQ(list.FindIndexByName(CSharedString("Elder"), 2), 5);
}

TEST(NamedList, UnsortedListTriesTheHintThenEveryNameThenTheFileName)
{
    std::vector<const char*> names = {"Sounds/Boom", "Sounds/Bang", "Music/Boom", "Plain"};
    std::unique_ptr<Entry[]> table = MakeTable(names, false);
    CNamedList list(false, sizeof(Entry), static_cast<uint32_t>(names.size()), table.get(), nullptr);
    EXPECT_EQ(list.FindIndexByName("music/boom", -1), 2);
    EXPECT_EQ(list.FindIndexByName("music/boom", 2), 2);
    EXPECT_EQ(list.FindIndexByName("Plain", 3), 3);
    EXPECT_EQ(list.FindIndexByName("Plain", 4), 3);
    EXPECT_EQ(list.FindIndexByName("Plain", -9), 3);
    // A path whose last part is an item's file-name part.
    EXPECT_EQ(list.FindIndexByName("Elsewhere/BANG", -1), 1);
    EXPECT_EQ(list.FindIndexByName("boom", -1), 0);
    EXPECT_EQ(list.FindIndexByName("Data\\Plain", -1), 3);
    EXPECT_EQ(list.FindIndexByName("Nothing", -1), -1);
    // No terminator record: lookups stop at the count.
    EXPECT_EQ(list.GetItemName(4), nullptr);
    EXPECT_EQ(list.GetItemName(100), nullptr);
    EXPECT_STREQ(list.GetItemName(3), "Plain");
}

TEST(NamedList, TerminatorEndsTheTableAndIsNotAnItem)
{
    std::vector<const char*> names = {"One", "Two"};
    std::unique_ptr<Entry[]> table = MakeTable(names, true);
    CNamedList list(false, sizeof(Entry), 2, table.get(), nullptr);
    EXPECT_EQ(list.GetItemName(2), nullptr);
    EXPECT_EQ(list.GetCount(), 2u);
    CNamedList empty;
    EXPECT_EQ(empty.FindIndexByName("One", -1), -1);
    EXPECT_EQ(empty.GetItemName(0), nullptr);
    empty.SetItemTable(false, 2, sizeof(Entry), table.get(), nullptr);
    EXPECT_EQ(empty.FindIndexByName("two", -1), 1);
    empty.SetUserValue(reinterpret_cast<uintptr_t>(&list));
    EXPECT_EQ(empty.GetUserValue(), reinterpret_cast<uintptr_t>(&list));
}

TEST(ItemList, BinarySearchProbesAnyHintSafely)
{
    std::vector<std::string> storage;
    for (int i = 0; i < 100; ++i)
        storage.push_back("Item" + std::to_string(1000 + i));
    std::vector<const char*> names;
    for (const std::string& s : storage)
        names.push_back(s.c_str());
    std::unique_ptr<Entry[]> table = MakeTable(names, false);
    CNamedList list(true, sizeof(Entry), 100, table.get(), nullptr);
    for (int i = 0; i < 100; ++i)
        for (int hint : {-1, 0, i, 99, 100, 12345})
            ASSERT_EQ(list.BinarySearchByName(names[i], hint), i);
    EXPECT_EQ(list.BinarySearchByName("Item0999", -1), -1);
    EXPECT_EQ(list.BinarySearchByName("Item2000", 50), -1);
    EXPECT_EQ(list.BinarySearchByName("Item1050x", 50), -1);
    CNamedList empty(true, sizeof(Entry), 0, table.get(), nullptr);
    EXPECT_EQ(empty.BinarySearchByName("Item1000", -1), -1);
}

TEST(EnumTable, FindsNamesAndAlternateNames)
{
    static const CEnumTableEntry entries[] = {
        {10, "Small", "Tiny"},
        {20, "Medium", nullptr},
        {30, "Large", "Huge"},
        {0, nullptr, nullptr},
    };
    CEnumTable table(entries);
    EXPECT_EQ(table.GetCount(), 3u);
    EXPECT_STREQ(table.GetItemName(2), "Large");
    EXPECT_EQ(table.GetItemName(3), nullptr);
    EXPECT_EQ(table.GetValue(1), 20);
    EXPECT_EQ(table.FindIndexByName("medium", -1), 1);
    EXPECT_EQ(table.FindIndexByName("HUGE", -1), 2);
    EXPECT_EQ(table.FindIndexByName("tiny", 1), 0);
    EXPECT_EQ(table.FindIndexByName(CSharedString("Huge"), -1), 2);
    EXPECT_EQ(table.FindIndexByName("Enormous", -1), -1);
    EXPECT_EQ(table.FindIndexOrFail("Large", 99), 2);

    // Only a null name ends the table.
    static const CEnumTableEntry withEmptyName[] = {
        {1, "First", nullptr},
        {2, "", nullptr},
        {3, "Third", nullptr},
        {0, nullptr, nullptr},
    };
    CEnumTable gapped(withEmptyName);
    EXPECT_EQ(gapped.GetCount(), 3u);
    EXPECT_EQ(gapped.FindIndexByName("third", -1), 2);
}

TEST(ItemListTreeAdapter, ShowsAListAsOneLevel)
{
    std::vector<const char*> names = {"a", "b"};
    std::unique_ptr<Entry[]> table = MakeTable(names, false);
    CNamedTestList list(false, sizeof(Entry), 2, table.get(), nullptr);
    list.m_listName = "Letters";
    CItemListTreeAdapter tree(&list);
    uint32_t root = tree.GetRoot();
    EXPECT_EQ(root, 0xFFFFFFFFu);
    EXPECT_STREQ(tree.GetItemName(root), "Letters");
    EXPECT_EQ(tree.GetChildCount(root), 2u);
    EXPECT_EQ(tree.GetChild(root, 1), 1u);
    EXPECT_STREQ(tree.GetItemName(tree.GetChild(root, 1)), "b");
    EXPECT_EQ(tree.GetChildCount(0), 0u);
    EXPECT_EQ(tree.GetParent(1), root);
    EXPECT_EQ(tree.GetSource(), &list);
    EXPECT_EQ(tree.GetChild(0, 0), CTreeModel::kNoItem);
    EXPECT_TRUE(tree.CanSelect(1));
    list.m_browsable = false;
    EXPECT_FALSE(tree.CanSelect(1));
}

TEST(ItemListTreeAdapter, WithoutAListIsAnEmptyTree)
{
    CItemListTreeAdapter tree(nullptr);
    EXPECT_EQ(tree.GetChildCount(tree.GetRoot()), 0u);
    EXPECT_EQ(tree.GetItemName(tree.GetRoot()), nullptr);
    EXPECT_EQ(tree.GetItemName(0), nullptr);
    EXPECT_TRUE(tree.CanSelect(0));
}

TEST(ItemList, NotFoundReportListsTenItemsAndTheSource)
{
    std::vector<const char*> names = {"i0", "i1", "i2", "i3", "i4", "i5", "i6", "i7", "i8", "i9", "i10", "i11"};
    std::unique_ptr<Entry[]> table = MakeTable(names, false);
    CNamedTestList list(false, sizeof(Entry), 12, table.get(), nullptr);
    list.m_listName = "Sounds";
    list.m_folderName = "Data/Sounds";
    CCurrentObjectFileNameScope source("Rounds/One.txt:Sound");
    FatalCatcher catcher;
    try {
        list.FindIndexOrFail("Missing", -1);
        FAIL() << "a missing name must be fatal";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.m_caption, "Fatal Not Found Error");
        std::string expected =
            "The game is looking for some data or a file but can not find it.  The item we are looking for is "
            "\"Missing\" which should be in the \"Sounds\" list located in the \"Data/Sounds\" folder"
            "\r\n\r\nThat list does contain the following items but \"Missing\" is missing:"
            "\r\n 0) i0\r\n 1) i1\r\n 2) i2\r\n 3) i3\r\n 4) i4\r\n 5) i5\r\n 6) i6\r\n 7) i7\r\n 8) i8\r\n 9) i9"
            "\r\n ..."
            "\r\n\r\nThe item was referenced by \"Rounds/One.txt:Sound\""
            "\r\n\r\nThis could mean:"
            "\r\n\r\n   A) You recently got a new file, some art or a new proram EXE, possible \"Rounds/One.txt:Sound\", "
            "and the new file requires some other new file, \"Missing\", to make them work.  You should be able to get "
            "these other files by doing a get.  It is also possable that someone else did not check these files in "
            "yet.  If doing a get doesn't fix the problem them find out who changed \"Rounds/One.txt:Sound\" and ask "
            "them to add the new \"Missing\" files."
            "\r\n\r\n or"
            "\r\n\r\n   B) You (or someone else) deleted \"Missing\" but it is being used by \"Rounds/One.txt:Sound\".  "
            "You need to un-delete \"Missing\" or manually edit the text for \"Rounds/One.txt:Sound\" to make it no "
            "longer reference \"Missing\"";
        EXPECT_EQ(error.m_text, expected);
    }
}

TEST(ItemList, NotFoundReportForEmptyListsAndUnknownSources)
{
    CNamedTestList list;
    list.m_folderName = "Fonts";
    CCurrentObjectFileNameScope source("");
    CSharedString report;
    list.FormatNotFoundReport(report, "Big");
    std::string text = report.CStr();
    EXPECT_NE(text.find("The item we are looking for is \"Big\" which should be in the \"Fonts\" folder\r\n\r\n"
                        "***List contains no items*** \r\n\r\nThe item was referenced by an unknown source\r\n\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("possible \"\", and"), std::string::npos);

    // The folder is not repeated when it is the list's own name.
    std::vector<const char*> names = {"x"};
    std::unique_ptr<Entry[]> table = MakeTable(names, false);
    CNamedTestList named(false, sizeof(Entry), 1, table.get(), nullptr);
    named.m_listName = "Fonts";
    named.m_folderName = "fonts";
    named.FormatNotFoundReport(report, "y");
    text = report.CStr();
    EXPECT_NE(text.find("\"y\" which should be in the \"Fonts\" list\r\n\r\nThat list does contain the following "
                        "items but \"y\" is missing:\r\n 0) x\r\n\r\nThe item"),
              std::string::npos)
        << text;
}

TEST(ItemListDeathTest, MissingNameEndsTheProgram)
{
    std::vector<const char*> names = {"a"};
    std::unique_ptr<Entry[]> table = MakeTable(names, false);
    CNamedList list(false, sizeof(Entry), 1, table.get(), nullptr);
    EXPECT_EXIT(list.FindIndexOrFail("b", -1), testing::ExitedWithCode(255),
                "Fatal Not Found Error: The game is looking for some data or a file but can not find it\\.");
}
