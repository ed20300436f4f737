// Play lists over real folders: order as found, shuffled, sorted or compared, and preferred names.
#include "TestSupport.h"
#include "foundation/FileSearchSpec.h"
#include "foundation/OpenFlags.h"
#include "foundation/R250Random.h"
#include "objects/FilePlayList.h"
#include "objects/GlobalNameIndex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

class PlayList : public testing::Test
{
protected:
    void AddFile(const std::string& name, size_t size = 1)
    {
        std::filesystem::path path = m_folder.Path() / name;
        std::filesystem::create_directories(path.parent_path());
        testsupport::WriteFileBytes(path, std::string(size, 'x'));
    }
    uint32_t Load(CFilePlayList& list, uint32_t mode, CFilePlayList::CompareFunction compare = nullptr)
    {
        CFileSearchSpec spec;
        spec.SetFolderAndExtension(Folder().c_str(), "wav");
        return list.Load(spec, mode, compare, VF_VERBATIM);
    }
    std::string Folder() const { return m_folder.Path().string() + "/"; }
    static std::vector<std::string> Draw(CFilePlayList& list, int n, const char* preferred = nullptr)
    {
        std::vector<std::string> names;
        for (int i = 0; i < n; ++i) {
            const char* name = list.GetNextName(i == 0 ? preferred : nullptr);
            names.push_back(name ? name : "(null)");
        }
        return names;
    }

    testsupport::TempDir m_folder;
};

int LargerFirst(const CFilePlayList& list, uint32_t a, uint32_t b)
{
    return list.GetSizeAt(a) > list.GetSizeAt(b) ? -1 : list.GetSizeAt(a) < list.GetSizeAt(b) ? 1 : 0;
}

} // namespace

TEST_F(PlayList, OneFileIsHandedOutEveryTimeInEveryMode)
{
    AddFile("only.wav");
    AddFile("ignored.txt");
    for (uint32_t mode : {0u, 1u, 2u, 3u}) {
        CFilePlayList list;
        ASSERT_EQ(Load(list, mode, &LargerFirst), 1u);
        EXPECT_EQ(Draw(list, 4), (std::vector<std::string>{"only.wav", "only.wav", "only.wav", "only.wav"}));
        EXPECT_STREQ(list.GetCurrentName(), "only.wav");
    }
}

TEST_F(PlayList, PreferredNameMovesForward)
{
    AddFile("p.wav");
    AddFile("q.wav");
    AddFile("r.wav");
    CFilePlayList list;
    ASSERT_EQ(Load(list, CFilePlayList::ORDER_SORTED), 3u);
    EXPECT_EQ(Draw(list, 3, "R.WAV"), (std::vector<std::string>{"r.wav", "p.wav", "q.wav"}));
    // A preferred name already handed out in this round is handed out again, then the order goes on.
    CFilePlayList again;
    Load(again, CFilePlayList::ORDER_SORTED);
    EXPECT_EQ(Draw(again, 2), (std::vector<std::string>{"p.wav", "q.wav"}));
    EXPECT_STREQ(again.GetNextName("p.wav"), "p.wav");
    EXPECT_STREQ(again.GetNextName(nullptr), "r.wav");
    EXPECT_STREQ(again.GetNextName("missing.wav"), "q.wav");
    EXPECT_STREQ(again.GetNextName(nullptr), "p.wav");
}

TEST_F(PlayList, OrdersAsFoundSortedOrByComparison)
{
    AddFile("b.wav", 3);
    AddFile("A.wav", 1);
    AddFile("c.wav", 2);
    CFilePlayList found;
    ASSERT_EQ(Load(found, CFilePlayList::ORDER_AS_FOUND), 3u);
    std::vector<std::string> asFound;
    for (uint32_t i = 0; i < found.GetCount(); ++i)
        asFound.push_back(found.GetNameAt(i));
    EXPECT_EQ(Draw(found, 4), (std::vector<std::string>{asFound[0], asFound[1], asFound[2], asFound[0]}));

    CFilePlayList sorted;
    Load(sorted, CFilePlayList::ORDER_SORTED);
    EXPECT_EQ(Draw(sorted, 3), (std::vector<std::string>{"A.wav", "b.wav", "c.wav"}));
    CFilePlayList compared;
    Load(compared, CFilePlayList::ORDER_COMPARED, &LargerFirst);
    EXPECT_EQ(Draw(compared, 3), (std::vector<std::string>{"b.wav", "c.wav", "A.wav"}));
    EXPECT_EQ(compared.GetSizeAt(compared.FindIndexByName("b.wav", -1)), 3u);
}

TEST_F(PlayList, ShuffledDrawsNeverRepeatAcrossAReshuffle)
{
    for (const char* name : {"1.wav", "2.wav", "3.wav", "4.wav", "5.wav"})
        AddFile(name);
    for (uint32_t seed : {1u, 2u, 12345u}) {
        g_generalRandom.Seed(seed);
        CFilePlayList list;
        ASSERT_EQ(Load(list, CFilePlayList::ORDER_SHUFFLED), 5u);
        std::vector<std::string> draws = Draw(list, 1000);
        for (size_t i = 0; i < draws.size(); i += 5)
            EXPECT_EQ(std::set<std::string>(draws.begin() + i, draws.begin() + i + 5).size(), 5u) << i;
        for (size_t i = 1; i < draws.size(); ++i)
            ASSERT_NE(draws[i], draws[i - 1]) << "seed " << seed << " draw " << i;
    }
    // Two files alternate.
    std::filesystem::remove_all(m_folder.Path());
    std::filesystem::create_directories(m_folder.Path());
    AddFile("x.wav");
    AddFile("y.wav");
    CFilePlayList pair;
    Load(pair, CFilePlayList::ORDER_SHUFFLED);
    std::vector<std::string> draws = Draw(pair, 100);
    for (size_t i = 1; i < draws.size(); ++i)
        ASSERT_NE(draws[i], draws[i - 1]);
}

TEST_F(PlayList, NamesAreRelativeToTheFolderAndFormATree)
{
    AddFile("Intro.wav");
    AddFile("Levels/One.wav");
    AddFile("Levels/Two.WAV");
    AddFile("-Hidden/Skip.wav");
    CFilePlayList list;
    ASSERT_EQ(Load(list, CFilePlayList::ORDER_SORTED), 3u);
    EXPECT_NE(list.FindIndexByName("levels/one.wav", -1), -1);
    EXPECT_EQ(list.FindIndexByName("-Hidden/Skip.wav", -1), -1);
    std::string path = list.GetNextPath(nullptr);
    EXPECT_EQ(path, Folder() + "Intro.wav");
    EXPECT_STREQ(list.GetNextPath("Levels/Two.WAV"), (Folder() + "Levels/Two.WAV").c_str());
    EXPECT_STREQ(list.GetPathAt(0), (Folder() + list.GetNameAt(0)).c_str());
    EXPECT_EQ(list.GetPathAt(99), nullptr);

    CFolderTree* tree = list.GetFolderTree();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(list.GetUserValue(), reinterpret_cast<uintptr_t>(tree));
    uint32_t root = tree->GetRoot();
    ASSERT_EQ(tree->GetChildCount(root), 2u);
    uint32_t levels = tree->GetChild(root, 1);
    EXPECT_STREQ(tree->GetItemName(levels), "Levels");
    EXPECT_EQ(tree->GetChildCount(levels), 2u);
}

TEST_F(PlayList, EmptyListHandsOutNothing)
{
    CFilePlayList list;
    EXPECT_EQ(list.GetNextName(nullptr), nullptr);
    EXPECT_EQ(Load(list, CFilePlayList::ORDER_SHUFFLED), 0u);
    EXPECT_EQ(list.GetNextName("x.wav"), nullptr);
    EXPECT_EQ(list.GetNextPath(nullptr), nullptr);
    EXPECT_EQ(list.GetCurrentName(), nullptr);
}

TEST(GlobalNameIndex, SameNameSameIndexWhateverTheCase)
{
    int first = GetGlobalNameIndex("Remove Button Border");
    EXPECT_EQ(GetGlobalNameIndex("remove button border"), first);
    int second = GetGlobalNameIndex("A Name Only This Test Interns");
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(GetGlobalNameIndex("Remove Button Border"), first);
}
