// The module database and the version check's comparison: databases written by the program and by
// hand read back, damaged answers are refused without ending the program, and the rows say what a
// player should do about each module.
#include "../foundation/FileTestHelpers.h"
#include "../objects/FatalCatcher.h"
#include "TestSupport.h"
#include "foundation/VersionText.h"
#include "online/DownloadableModuleList.h"
#include "online/ModuleInfo.h"
#include "online/ModuleInfoCollection.h"
#include "online/ModuleRows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Offer
{
    const char* moduleName;
    const char* displayName;
    uint32_t build;
    const char* version;
    const char* url;
};

std::string MakeDatabase(const std::vector<Offer>& offers, const char* date = "Mar 3, 2026")
{
    CDownloadableModuleList list;
    list.SetPropertiesToDefaults();
    list.SetLastUpdatedDate(date);
    for (const Offer& offer : offers) {
        CModuleVersionInfo* module = list.AddModule();
        module->SetModuleName(offer.moduleName);
        module->SetDownloadUrl(offer.url);
        module->GetModuleInfo().SetDisplayName(offer.displayName);
        module->GetModuleInfo().SetBuildNumber(offer.build);
        module->GetModuleInfo().SetDisplayVersion(offer.version);
    }
    return list.WriteDatabase().CStr();
}

const std::vector<Offer> kTwoOffers = {
    {"TheGame", "Vantorel", 80, "1.5 Build 80", "http://a.invalid/game.zip"},
    {"Bonus Rounds", "Bonus Rounds Pack", 3, "1.0", "http://a.invalid/bonus.zip"},
};

// A database as a server's author writes it by hand: LF line ends, blanks for indents, the
// properties of a module in another order, and a count that does not match the items.
const char* kHandWritten = "CDownloadableModuleList\n"
                           "{\n"
                           "  Last Updated Date=Jan 1, 2027\n"
                           "  Version Info=Array\n"
                           "  {\n"
                           "    Array Count=1\n"
                           "    Array Item=CModuleVersionInfo\n"
                           "    {\n"
                           "      Module Info=CModuleInfo\n"
                           "      {\n"
                           "        Build Number=7\n"
                           "        Module Display Name=Hand Made\n"
                           "      }\n"
                           "      Module Name=handmade\n"
                           "      Download URL=http://h.invalid/x.zip\n"
                           "    }\n"
                           "    Array Item=CModuleVersionInfo\n"
                           "    {\n"
                           "      Module Name=second\n"
                           "    }\n"
                           "  }\n"
                           "}\n";

} // namespace

TEST(ModuleDatabase, WrittenDatabasesReadBackWhole)
{
    const std::string text = MakeDatabase(kTwoOffers);
    CDownloadableModuleList list;
    ASSERT_TRUE(list.ReadDatabase(text.data(), text.size()));
    EXPECT_STREQ(list.GetLastUpdatedDate().CStr(), "Mar 3, 2026");
    ASSERT_EQ(list.GetModuleCount(), 2u);
    for (uint32_t i = 0; i < 2; ++i) {
        const CModuleVersionInfo* module = list.GetModule(i);
        EXPECT_STREQ(module->GetModuleName().CStr(), kTwoOffers[i].moduleName);
        EXPECT_STREQ(module->GetDownloadUrl().CStr(), kTwoOffers[i].url);
        EXPECT_STREQ(module->GetModuleInfo().GetDisplayName().CStr(), kTwoOffers[i].displayName);
        EXPECT_EQ(module->GetModuleInfo().GetBuildNumber(), kTwoOffers[i].build);
        EXPECT_STREQ(module->GetModuleInfo().GetDisplayVersion().CStr(), kTwoOffers[i].version);
    }
    EXPECT_EQ(list.WriteDatabase().CStr(), text);
    // The array is an object array: a count line, then one "Array Item=" per module.
    EXPECT_NE(text.find("Version Info=Array"), std::string::npos);
    EXPECT_NE(text.find("Array Count=2"), std::string::npos);
    EXPECT_NE(text.find("Array Item=CModuleVersionInfo"), std::string::npos);
    EXPECT_NE(list.FindModule("bonus ROUNDS"), nullptr);
    EXPECT_EQ(list.FindModule("Bonus"), nullptr);
}

TEST(ModuleDatabase, HandWrittenDatabaseReads)
{
    CDownloadableModuleList list;
    ASSERT_TRUE(list.ReadDatabase(kHandWritten, std::strlen(kHandWritten)));
    EXPECT_STREQ(list.GetLastUpdatedDate().CStr(), "Jan 1, 2027");
    ASSERT_EQ(list.GetModuleCount(), 2u);
    const CModuleVersionInfo* first = list.GetModule(0);
    EXPECT_STREQ(first->GetModuleName().CStr(), "handmade");
    EXPECT_EQ(first->GetModuleInfo().GetBuildNumber(), 7u);
    EXPECT_STREQ(first->GetModuleInfo().GetDisplayName().CStr(), "Hand Made");
    // Properties a block leaves out keep their defaults.
    EXPECT_STREQ(first->GetModuleInfo().GetDisplayVersion().CStr(), "1.0");
    EXPECT_STREQ(list.GetModule(1)->GetModuleName().CStr(), "second");
    EXPECT_EQ(list.GetModule(1)->GetModuleInfo().GetBuildNumber(), 1u);
    EXPECT_STREQ(list.GetModule(1)->GetDownloadUrl().CStr(), "http://www.quorvane.invalid/downloads/module.zip");
}

TEST(ModuleDatabase, DamagedAnswersAreRefusedWithoutAnEnd)
{
    const std::string good = MakeDatabase(kTwoOffers);
    const std::string strayBrace = [&] {
        std::string s = good;
        s.insert(s.find("\tLast Updated"), "\t{\r\n");
        return s;
    }();
    const std::string nestedStray = [&] {
        std::string s = good;
        s.insert(s.find("\t\t\t\tBuild Number"), "{\r\n");
        return s;
    }();
    const struct
    {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"html error page", "<html><head><title>502 Bad Gateway</title></head>\r\n<body>{</body></html>\r\n"},
        {"unknown class", "CNotAModuleList\r\n{\r\n}\r\n"},
        {"another known class", "CModuleInfo\r\n{\r\n\tBuild Number=9\r\n}\r\n"},
        {"stray brace", strayBrace},
        {"stray brace in a module", nestedStray},
        {"no closing brace", good.substr(0, good.rfind('}'))},
        {"binary", std::string("\x00\xff{\x01}\n", 6)},
    };
    FatalCatcher catcher;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CDownloadableModuleList list;
        list.SetPropertiesToDefaults();
        list.AddModule();
        bool read = true;
        EXPECT_NO_THROW(read = list.ReadDatabase(c.bytes.data(), c.bytes.size()));
        EXPECT_FALSE(read);
        EXPECT_EQ(list.GetModuleCount(), 0u);
        EXPECT_STREQ(list.GetLastUpdatedDate().CStr(), "Sep 26, 2001");
    }
}

TEST(ModuleDatabase, EveryCutOfABodyIsRefused)
{
    const std::string good = MakeDatabase(kTwoOffers);
    // The last "}" closes the database; its line end may be lost.
    const size_t whole = good.rfind('}') + 1;
    FatalCatcher catcher;
    CDownloadableModuleList list;
    for (size_t n = 0; n <= good.size(); ++n) {
        bool read = false;
        ASSERT_NO_THROW(read = list.ReadDatabase(good.data(), n)) << n;
        EXPECT_EQ(read, n >= whole) << "cut at " << n;
        if (!read) {
            EXPECT_EQ(list.GetModuleCount(), 0u);
        }
    }
}

namespace {

// A data folder holding the installed modules' files.
class InstalledModules : public ::testing::Test
{
protected:
    void Install(const char* fileName, const char* displayName, uint32_t build, const char* version)
    {
        std::string text = "CModuleInfo\r\n{\r\n\tModule Display Name=" + std::string(displayName) +
                           "\r\n\tBuild Number=" + std::to_string(build) + "\r\n\tDisplay Version Number=" +
                           version + "\r\n}\r\n";
        Write(std::string("Resources/") + fileName, text);
    }
    void Write(const std::string& name, const std::string& text)
    {
        const std::filesystem::path path = m_folder / name;
        std::filesystem::create_directories(path.parent_path());
        testsupport::WriteFileBytes(path, text);
    }
    void SetUp() override
    {
        Install("TheGame.modinfo", "Vantorel", 75, "1.4 Build 75");
        Install("Addons/Bonus Rounds.modinfo", "Bonus Rounds Pack", 3, "1.0");
    }
    void TearDown() override { CModuleInfoCollection::GetInstance().FreeEntries(); }

    CModuleInfoCollection& Modules()
    {
        CModuleInfoCollection& modules = CModuleInfoCollection::GetInstance();
        modules.SetUpAtStartUp();
        return modules;
    }

    filetest::WorkFolder m_folder;
};

void ParseOffers(CDownloadableModuleList& list, const std::vector<Offer>& offers)
{
    const std::string text = MakeDatabase(offers);
    EXPECT_TRUE(list.ReadDatabase(text.data(), text.size()));
}

} // namespace

TEST_F(InstalledModules, LibraryListsModinfoFilesAndStampsTheProgramVersion)
{
    Write("Resources/-Old/Gone.modinfo", "CModuleInfo\r\n{\r\n}\r\n");
    Write("Resources/Wrong.modinfo", "CModuleVersionInfo\r\n{\r\n}\r\n");
    CModuleInfoCollection& modules = Modules();
    ASSERT_EQ(modules.GetCount(), 3u);
    EXPECT_STREQ(modules.GetItemName(0), "Addons/Bonus Rounds");
    EXPECT_STREQ(modules.GetItemName(1), "TheGame");
    EXPECT_STREQ(modules.GetItemName(2), "Wrong");
    EXPECT_EQ(modules.FindModule("Wrong"), nullptr);
    EXPECT_EQ(modules.FindModule("Gone"), nullptr);
    ASSERT_NE(modules.FindModule("thegame"), nullptr);

    ASSERT_TRUE(modules.StoreProgramVersion());
    const CModuleInfo* game = modules.FindModule("TheGame");
    EXPECT_EQ(game->GetBuildNumber(), static_cast<uint32_t>(GetBuildNumber()));
    EXPECT_EQ(std::string(game->GetDisplayVersion().CStr()), std::string(FormatVersionAndBuild().CStr()));
    EXPECT_STREQ(game->GetDisplayName().CStr(), "Vantorel");
}

TEST_F(InstalledModules, RowsCompareBuildsWithTheServer)
{
    // The game at build 3 or 5 against the server's 5 or 3, plus an add-on nobody installed.
    std::remove((m_folder / "Resources/Addons/Bonus Rounds.modinfo").c_str());
    const struct
    {
        uint32_t installed, offered;
        EModuleStatus status;
        const char* name;
        const char* version;
    } cases[] = {
        {3, 5, EModuleStatus::UpdateAvailable, "Server Name", "v3"},
        {5, 3, EModuleStatus::Current, "Vantorel", "v5"},
        {5, 5, EModuleStatus::Current, "Vantorel", "v5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.installed * 10 + c.offered);
        Install("TheGame.modinfo", "Vantorel", c.installed, ("v" + std::to_string(c.installed)).c_str());
        CDownloadableModuleList list;
        ParseOffers(list, {
            {"THEGAME", "Server Name", c.offered, "server version", "http://s.invalid/game.zip"},
            {"Tools", "Level Tools", 1, "0.9", "http://s.invalid/tools.zip"},
        });
        const std::vector<CModuleRow> rows = BuildModuleRows(Modules(), &list);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].m_status, c.status);
        EXPECT_STREQ(rows[0].m_name.CStr(), c.name);
        EXPECT_STREQ(rows[0].m_version.CStr(), c.version);
        EXPECT_EQ(rows[0].HasButton(), c.status == EModuleStatus::UpdateAvailable);
        EXPECT_STREQ(rows[0].m_downloadUrl.CStr(), rows[0].HasButton() ? "http://s.invalid/game.zip" : "");
        EXPECT_EQ(rows[1].m_status, EModuleStatus::AddOnAvailable);
        EXPECT_STREQ(rows[1].m_name.CStr(), "Level Tools");
        EXPECT_STREQ(rows[1].m_version.CStr(), "");
        EXPECT_STREQ(rows[1].m_downloadUrl.CStr(), "http://s.invalid/tools.zip");
        CModuleInfoCollection::GetInstance().FreeEntries();
    }
}

TEST_F(InstalledModules, InstalledModulesTheServerLacksArePreInitial)
{
    CDownloadableModuleList list;
    ParseOffers(list, {{"thegame", "Vantorel", 75, "1.4", "http://s.invalid/g.zip"}});
    const std::vector<CModuleRow> rows = BuildModuleRows(Modules(), &list);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].m_status, EModuleStatus::Current);
    EXPECT_EQ(rows[1].m_status, EModuleStatus::PreInitialRelease);
    EXPECT_STREQ(rows[1].m_name.CStr(), "Bonus Rounds Pack");
    EXPECT_STREQ(GetModuleStatusText(rows[1].m_status), "Pre-Initial Release");

    // Without a fetch every installed module is listed with no status.
    const std::vector<CModuleRow> installedOnly = BuildModuleRows(Modules(), nullptr);
    ASSERT_EQ(installedOnly.size(), 2u);
    EXPECT_STREQ(installedOnly[0].m_name.CStr(), "Bonus Rounds Pack");
    EXPECT_STREQ(installedOnly[1].m_name.CStr(), "Vantorel");
    for (const CModuleRow& row : installedOnly) {
        EXPECT_EQ(row.m_status, EModuleStatus::None);
        EXPECT_STREQ(GetModuleStatusText(row.m_status), "");
    }
}

// Writes the corpus seeds of the module database's fuzz target when VANTOREL_WRITE_SEEDS names
// their folder; otherwise checks that the written seeds are still what the writer makes.
TEST(ModuleDatabase, FuzzSeedsAreTheWritersOwn)
{
    const std::vector<std::pair<std::string, std::string>> seeds = {
        {"written-two.modDB", MakeDatabase(kTwoOffers)},
        {"written-empty.modDB", MakeDatabase({})},
        {"written-long-names.modDB",
         MakeDatabase({{"A very long module name that goes on and on for a while", "Name = with = signs", 4294967295u,
                        "{ braces }", "http://x.invalid/?a=1&b=%20"}})},
    };
    const char* out = std::getenv("VANTOREL_WRITE_SEEDS");
    for (const auto& [name, bytes] : seeds) {
        if (out) {
            testsupport::WriteFileBytes(std::string(out) + "/" + name, bytes);
            continue;
        }
        const std::string stored = testsupport::ReadFileBytes(std::string(VANTOREL_SOURCE_DIR) + "/fuzz/corpus/fuzz_module_database/" + name);
        EXPECT_EQ(stored, bytes) << name;
    }
}
