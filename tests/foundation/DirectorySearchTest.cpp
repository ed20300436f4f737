#include "FileTestHelpers.h"
#include "foundation/DirectorySearch.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using filetest::WorkFolder;
using testsupport::WriteFileBytes;

TEST(Wildcards, StarDotStarMatchesEveryName)
{
    for (const char* name : {"abc", "a.b", "A.WAV", "x.tar.gz", "-dash", "a."})
        EXPECT_TRUE(MatchWildcard("*.*", name)) << name;
    EXPECT_TRUE(MatchWildcard("*", "abc"));
}

TEST(Wildcards, StarDotMatchesNamesWithoutADot)
{
    EXPECT_TRUE(MatchWildcard("*.", "Sounds"));
    EXPECT_TRUE(MatchWildcard("*.", "-x"));
    EXPECT_FALSE(MatchWildcard("*.", "n.o"));
    EXPECT_FALSE(MatchWildcard("*.", "a."));
    EXPECT_TRUE(MatchWildcard("abc.", "ABC"));
    EXPECT_FALSE(MatchWildcard("abc.", "abcd"));
}

TEST(Wildcards, ExtensionsMustStandAtTheEndAfterTheirDot)
{
    EXPECT_TRUE(MatchWildcard("*.wav", "a.WAV"));
    EXPECT_TRUE(MatchWildcard("*.WAV", "Intro.wav"));
    EXPECT_TRUE(MatchWildcard("*.wav", "a.b.wav"));
    EXPECT_FALSE(MatchWildcard("*.wav", "a.wav.bak"));
    EXPECT_FALSE(MatchWildcard("*.wav", "awav"));
    EXPECT_FALSE(MatchWildcard("*.wav", "a.wave"));
    EXPECT_FALSE(MatchWildcard("*.zip", "x.ZIP~"));

    EXPECT_TRUE(MatchWildcard("pre*.ext", "pre.ext"));
    EXPECT_TRUE(MatchWildcard("pre*.ext", "PREfix.EXT"));
    EXPECT_FALSE(MatchWildcard("pre*.ext", "pre.ext2"));
    EXPECT_FALSE(MatchWildcard("pre*.ext", "xpre.ext"));
    EXPECT_TRUE(MatchWildcard("-*.*", "-Hidden"));
    EXPECT_TRUE(MatchWildcard("-*.*", "-a.b"));
    EXPECT_FALSE(MatchWildcard("-*.*", "a-"));
}

TEST(Wildcards, QuestionMarksAndBacktracking)
{
    EXPECT_TRUE(MatchWildcard("?.wav", "a.wav"));
    EXPECT_FALSE(MatchWildcard("?.wav", "ab.wav"));
    EXPECT_TRUE(MatchWildcard("a*b*c", "aXbYbZc"));
    EXPECT_FALSE(MatchWildcard("a*b*c", "aXbYbZ"));
    EXPECT_TRUE(MatchWildcard("*a*a*a*a*a*a*b", std::string(60, 'a').append("b").c_str()));
    EXPECT_FALSE(MatchWildcard("*a*a*a*a*a*a*b", std::string(60, 'a').c_str()));
    EXPECT_FALSE(MatchWildcard(nullptr, "a"));
    EXPECT_FALSE(MatchWildcard("*", nullptr));
}

TEST(Wildcards, SearchListsMatchesOfAFolderFoundIgnoringCase)
{
    WorkFolder work;
    ASSERT_EQ(0, ::mkdir("Sub", 0777));
    WriteFileBytes("Sub/b.TXT", "12");
    WriteFileBytes("Sub/A.txt", "1");
    WriteFileBytes("Sub/c.dat", "");
    std::vector<platform::DirectoryEntry> hits;
    ASSERT_TRUE(SearchDirectory("SUB\\*.txt", hits));
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].name, "A.txt");
    EXPECT_EQ(hits[0].info.size, 1u);
    EXPECT_EQ(hits[1].name, "b.TXT");
    ASSERT_TRUE(SearchDirectory("*.", hits));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].name, "Sub");
    EXPECT_TRUE(hits[0].info.isDirectory);
    EXPECT_FALSE(SearchDirectory("Missing/*.*", hits));
    EXPECT_TRUE(hits.empty());
}

} // namespace
