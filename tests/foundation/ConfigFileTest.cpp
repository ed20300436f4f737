// Settings files and registry values: the INI engine against Python's configparser and against
// hand-written files, the writers' rules, the file-name choice and the two registry stores.
#include "FileTestHelpers.h"
#include "foundation/ConfigFile.h"
#include "foundation/IniFile.h"
#include "foundation/RegistryStore.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

// A work folder made current, a per-user folder inside it, and registry stores inside it.
class ConfigTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        m_hadXdg = old != nullptr;
        if (old)
            m_oldXdg = old;
        setenv("XDG_CONFIG_HOME", (m_work.Path() / "home-config").c_str(), 1);
        CRegistryStore& store = CRegistryStore::GetInstance();
        m_oldUser = store.GetFile(CRegistryStore::UserHive);
        m_oldMachine = store.GetFile(CRegistryStore::MachineHive);
        store.SetFile(CRegistryStore::UserHive, m_work / "user.reg");
        store.SetFile(CRegistryStore::MachineHive, m_work / "machine.reg");
    }
    void TearDown() override
    {
        if (m_hadXdg)
            setenv("XDG_CONFIG_HOME", m_oldXdg.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        CRegistryStore& store = CRegistryStore::GetInstance();
        store.SetFile(CRegistryStore::UserHive, m_oldUser);
        store.SetFile(CRegistryStore::MachineHive, m_oldMachine);
    }

    filetest::WorkFolder m_work;
    bool m_hadXdg = false;
    std::string m_oldXdg;
    std::string m_oldUser;
    std::string m_oldMachine;
};

bool AllLineEndsAreCrLf(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
    }
    return true;
}

} // namespace

TEST_F(ConfigTest, WrittenFileReadsBackInPythonConfigparser)
{
    if (!filetest::HavePython())
        GTEST_SKIP() << "python3 with configparser is not available";
    const char* file = ".\\Config.INI";
    EXPECT_TRUE(WriteConfigInt(file, "Options", "Music Volume", -3333));
    EXPECT_TRUE(WriteConfigInt(file, "Options", "Screen Width", 640));
    EXPECT_TRUE(WriteConfigFloat(file, "Options", "Gamma", 0.5f));
    EXPECT_TRUE(WriteConfigString(file, "Player 2", "Name", "Ann Example 100%"));
    EXPECT_TRUE(WriteConfigInt(file, "Options", "Music Volume", -800)); // in place
    EXPECT_TRUE(WriteConfigString(file, "Options", "Screen Width", nullptr)); // removed
    const std::string text = ReadFileBytes(m_work / "Config.INI");
    EXPECT_TRUE(AllLineEndsAreCrLf(text)) << text;

    const std::string script = R"(
import configparser
ini = configparser.ConfigParser(interpolation=None, strict=True)
ini.optionxform = str
assert ini.read('Config.INI') == ['Config.INI']
assert ini.sections() == ['Options', 'Player 2'], ini.sections()
assert ini['Options']['Music Volume'] == '-800'
assert ini['Options']['Gamma'] == '0.5'
assert 'Screen Width' not in ini['Options']
assert ini['Player 2']['Name'] == 'Ann Example 100%'
)";
    EXPECT_EQ(0, filetest::RunPython(m_work.Path(), script, ""));
}

TEST_F(ConfigTest, HandWrittenFileIsReadAndKeptOnWrite)
{
    const std::string original =
        "; settings written by hand\n"
        "\n"
        "  [ options ]   ; trailing text\n"
        "# another comment\n"
        "Music Volume   =   -3333   \n"
        "music volume=1\n"
        "  Name = \"  quoted  \"  \n"
        "not a key line\n"
        "Empty=\n"
        "\n"
        "[Other]\n"
        "Music Volume=7\n";
    WriteFileBytes(m_work / "Hand.ini", original);
    const char* file = "./Hand.ini";
    EXPECT_EQ(-3333, ReadConfigInt(file, "Options", "music VOLUME", 5)); // first of the duplicates
    EXPECT_EQ(7, ReadConfigInt(file, "OTHER", "Music Volume", 5));
    EXPECT_EQ(5, ReadConfigInt(file, "Options", "Missing", 5));
    EXPECT_EQ(5, ReadConfigInt(file, "Missing Section", "Music Volume", 5));
    EXPECT_EQ(0, ReadConfigInt(file, "Options", "Empty", 5));
    char buffer[32] = "default";
    EXPECT_EQ(10u, ReadConfigString(file, "Options", "Name", buffer, sizeof buffer));
    EXPECT_STREQ("  quoted  ", buffer);
    std::strcpy(buffer, "default");
    EXPECT_EQ(7u, ReadConfigString(file, "Options", "not a key line", buffer, sizeof buffer));
    EXPECT_STREQ("default", buffer);

    // Updating a key and adding one keeps every other line.
    EXPECT_TRUE(WriteConfigInt(file, "Options", "MUSIC VOLUME", -800));
    EXPECT_TRUE(WriteConfigInt(file, "Options", "Sound Volume", 12));
    const std::string expected =
        "; settings written by hand\r\n"
        "\r\n"
        "  [ options ]   ; trailing text\r\n"
        "# another comment\r\n"
        "Music Volume=-800\r\n"
        "music volume=1\r\n"
        "  Name = \"  quoted  \"  \r\n"
        "not a key line\r\n"
        "Empty=\r\n"
        "Sound Volume=12\r\n"
        "\r\n"
        "[Other]\r\n"
        "Music Volume=7\r\n";
    EXPECT_EQ(expected, ReadFileBytes(m_work / "Hand.ini"));
    EXPECT_EQ(-800, ReadConfigInt(file, "Options", "Music Volume", 5));
}

TEST_F(ConfigTest, FileAndSectionAreCreatedOnFirstWrite)
{
    const char* file = ".\\New.INI";
    EXPECT_EQ(3, ReadConfigInt(file, "Options", "Key", 3));
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() / "New.INI"));
    EXPECT_TRUE(WriteConfigInt(file, "Options", "Key", 4));
    EXPECT_EQ("[Options]\r\nKey=4\r\n", ReadFileBytes(m_work / "New.INI"));
    EXPECT_TRUE(WriteConfigString(file, "Second", "A", "b"));
    EXPECT_EQ("[Options]\r\nKey=4\r\n\r\n[Second]\r\nA=b\r\n", ReadFileBytes(m_work / "New.INI"));
    EXPECT_EQ(4, ReadConfigInt(file, "options", "key", 3));
}

TEST_F(ConfigTest, SectionNamesLoseTheirLeadingBlanks)
{
    const char* file = ".\\Config.INI";
    EXPECT_TRUE(WriteConfigInt(file, " \t\r\nOptions", "Key", 9));
    EXPECT_EQ("[Options]\r\nKey=9\r\n", ReadFileBytes(m_work / "Config.INI"));
    EXPECT_EQ(9, ReadConfigInt(file, "  Options", "Key", 0));
    EXPECT_EQ(9, ReadConfigInt(file, "Options", "Key", 0));
}

TEST_F(ConfigTest, SignedIntegersRoundTrip)
{
    const char* file = ".\\Config.INI";
    for (int value : {-800, -3333, 0, 1, INT_MAX, INT_MIN}) {
        EXPECT_TRUE(WriteConfigInt(file, "Options", "Music Volume", value));
        EXPECT_EQ(value, ReadConfigInt(file, "Options", "Music Volume", 12345));
    }
}

TEST_F(ConfigTest, FloatsWithDefaultAndTheNineteenCharacterCut)
{
    const char* file = ".\\Config.INI";
    EXPECT_EQ(0.5f, ReadConfigFloat(file, "Options", "Gamma", 0.5f));
    EXPECT_TRUE(WriteConfigFloat(file, "Options", "Gamma", 1.25f));
    EXPECT_EQ(1.25f, ReadConfigFloat(file, "Options", "Gamma", 0.5f));
    EXPECT_TRUE(WriteConfigString(file, "Options", "Long", "1234567890123456789000"));
    EXPECT_EQ(1234567890123456789.0f, ReadConfigFloat(file, "Options", "Long", 0.5f));
    EXPECT_TRUE(WriteConfigString(file, "Options", "Bad", "abc"));
    EXPECT_EQ(0.0f, ReadConfigFloat(file, "Options", "Bad", 0.5f));
}

TEST_F(ConfigTest, StringsAreCutToTheBuffer)
{
    const char* file = ".\\Config.INI";
    EXPECT_TRUE(WriteConfigString(file, "Options", "Name", "abcdefghij"));
    char buffer[5] = "dflt";
    EXPECT_EQ(4u, ReadConfigString(file, "Options", "Name", buffer, sizeof buffer));
    EXPECT_STREQ("abcd", buffer);
    std::strcpy(buffer, "dflt");
    EXPECT_EQ(4u, ReadConfigString(file, "Options", "Missing", buffer, sizeof buffer));
    EXPECT_STREQ("dflt", buffer);
}

TEST_F(ConfigTest, ReadOnlyFileIsMadeWritableByTheWriters)
{
    WriteFileBytes(m_work / "Config.INI", "[Options]\r\nKey=1\r\n");
    std::filesystem::permissions(m_work.Path() / "Config.INI", std::filesystem::perms::owner_read);
    // The engine itself refuses a read-only file and leaves it alone.
    EXPECT_FALSE(CIniFile::WriteString(".\\Config.INI", "Options", "Key", "2"));
    EXPECT_EQ("[Options]\r\nKey=1\r\n", ReadFileBytes(m_work / "Config.INI"));
    // The configuration writers clear the read-only attribute first.
    EXPECT_TRUE(WriteConfigInt(".\\Config.INI", "Options", "Key", 3));
    EXPECT_EQ(3, ReadConfigInt(".\\Config.INI", "Options", "Key", 0));
    const auto perms = std::filesystem::status(m_work.Path() / "Config.INI").permissions();
    EXPECT_NE(std::filesystem::perms::none, perms & std::filesystem::perms::owner_write);
}

TEST_F(ConfigTest, FileNamesAndTheGlobalConfigurationFile)
{
    EXPECT_STREQ(".\\Config.INI", GetDefaultConfigFileName().CStr());
    EXPECT_STREQ(".\\\\Vantorel.CFG", MakeConfigFileName("Vantorel", true).CStr());
    EXPECT_STREQ("VantorelCD.INI", MakeConfigFileName("Vantorel", false).CStr());

    CConfigFile config;
    EXPECT_STREQ(".\\Config.INI", config.GetPath());
    EXPECT_STREQ("Options", config.GetSection());
    config.SetPath(".\\\\Vantorel.CFG");
    EXPECT_TRUE(WriteConfigString(config.GetPath(), "Options", "Skin", "Blue"));
    EXPECT_EQ("[Options]\r\nSkin=Blue\r\n", ReadFileBytes(m_work / "Vantorel.CFG"));
    CSharedString text("Default");
    config.ReadString("Options", "Skin", text);
    EXPECT_STREQ("Blue", text.CStr());
    config.ReadString("Options", "Missing", text);
    EXPECT_STREQ("Blue", text.CStr());

    // A bare name lies in the per-user folder, which is made on the first write.
    EXPECT_TRUE(WriteConfigInt("VantorelCD.INI", "Options", "Key", 5));
    EXPECT_TRUE(std::filesystem::exists(m_work.Path() / "home-config/Vantorel/VantorelCD.INI"));
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() / "VantorelCD.INI"));
    EXPECT_EQ(5, ReadConfigInt("VantorelCD.INI", "Options", "Key", 0));
}

TEST_F(ConfigTest, ChoosingTheConfigurationFileProbesTheFolder)
{
    const std::string oldPath = g_configFile.GetPath();
    EXPECT_STREQ(".\\Config.INI", oldPath.c_str());
    EXPECT_TRUE(IsCurrentFolderWritable());
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() / "TestSave.dat"));
    ChooseConfigFile("Vantorel");
    EXPECT_STREQ(".\\\\Vantorel.CFG", g_configFile.GetPath());
    g_configFile.SetPath(oldPath.c_str());
}

TEST_F(ConfigTest, RegistryDwordPrecedence)
{
    CRegistryStore& store = CRegistryStore::GetInstance();
    bool found = true;
    EXPECT_EQ(0u, ReadRegistryDword("SOFTWARE\\Vantorel", "Count", &found));
    EXPECT_FALSE(found);
    ASSERT_TRUE(store.WriteDword(CRegistryStore::UserHive, "SOFTWARE\\Vantorel", "Count", 1));
    EXPECT_EQ(1u, ReadRegistryDword("SOFTWARE\\Vantorel", "Count", &found));
    EXPECT_TRUE(found);
    ASSERT_TRUE(store.WriteDword(CRegistryStore::MachineHive, "SOFTWARE\\Vantorel", "Count", 2));
    found = false;
    EXPECT_EQ(2u, ReadRegistryDword("software\\vantorel", "COUNT", &found)); // the machine's wins
    EXPECT_TRUE(found);
    EXPECT_EQ(2u, ReadRegistryDword("SOFTWARE\\Vantorel", "Count"));
    ASSERT_TRUE(WriteRegistryDword("SOFTWARE\\Vantorel", "Big", 0xFFFFFFFFu));
    EXPECT_EQ(0xFFFFFFFFu, ReadRegistryDword("SOFTWARE\\Vantorel", "Big"));
}

TEST_F(ConfigTest, RegistryStringsUserFirstAndMachineWriteFallback)
{
    CRegistryStore& store = CRegistryStore::GetInstance();
    ASSERT_TRUE(store.WriteString(CRegistryStore::MachineHive, "SOFTWARE\\Vantorel", "InstallPath", "/machine"));
    bool found = false;
    EXPECT_STREQ("/machine", ReadRegistryString("SOFTWARE\\Vantorel", "InstallPath", &found).CStr());
    EXPECT_TRUE(found);
    ASSERT_TRUE(store.WriteString(CRegistryStore::UserHive, "SOFTWARE\\Vantorel", "InstallPath", "/user"));
    EXPECT_STREQ("/user", ReadRegistryString("SOFTWARE\\Vantorel", "InstallPath").CStr());
    EXPECT_STREQ("", ReadRegistryString("SOFTWARE\\Vantorel", "Missing", &found).CStr());
    EXPECT_FALSE(found);

    // A value of another type counts as absent.
    ASSERT_TRUE(store.WriteDword(CRegistryStore::UserHive, "SOFTWARE\\Vantorel", "Number", 5));
    EXPECT_STREQ("", ReadRegistryString("SOFTWARE\\Vantorel", "Number", &found).CStr());
    EXPECT_FALSE(found);

    // Writes go to the machine first; without rights there, to the user.
    EXPECT_TRUE(WriteRegistryString("SOFTWARE\\Vantorel", "Shared", "m"));
    std::string value;
    EXPECT_TRUE(store.ReadString(CRegistryStore::MachineHive, "SOFTWARE\\Vantorel", "Shared", value));
    EXPECT_FALSE(store.ReadString(CRegistryStore::UserHive, "SOFTWARE\\Vantorel", "Shared", value));
    std::filesystem::permissions(m_work.Path() / "machine.reg", std::filesystem::perms::owner_read);
    EXPECT_TRUE(WriteRegistryString("SOFTWARE\\Vantorel", "Fallback", "u"));
    EXPECT_TRUE(store.ReadString(CRegistryStore::UserHive, "SOFTWARE\\Vantorel", "Fallback", value));
    EXPECT_EQ("u", value);
    EXPECT_FALSE(store.ReadString(CRegistryStore::MachineHive, "SOFTWARE\\Vantorel", "Fallback", value));
    EXPECT_TRUE(WriteRegistryDword("SOFTWARE\\Vantorel", "FallbackCount", 4));
    EXPECT_EQ(4u, ReadRegistryDword("SOFTWARE\\Vantorel", "FallbackCount"));
    std::filesystem::permissions(m_work.Path() / "user.reg", std::filesystem::perms::owner_read);
    EXPECT_FALSE(WriteRegistryString("SOFTWARE\\Vantorel", "Nowhere", "x"));
}

TEST_F(ConfigTest, RegistryStringsKeepTheirCharacters)
{
    const char* texts[] = {"", "  leading and trailing  ", "C:\\Games\\Vantorel", "\"quoted\"", "line\r\nbreak",
                           "a=b; [c] #d", "back\\slash\\"};
    for (const char* text : texts) {
        ASSERT_TRUE(WriteRegistryString("SOFTWARE\\Vantorel", "Value", text)) << text;
        bool found = false;
        EXPECT_STREQ(text, ReadRegistryString("SOFTWARE\\Vantorel", "Value", &found).CStr());
        EXPECT_TRUE(found);
    }
    ASSERT_TRUE(WriteRegistryString("SOFTWARE\\Vantorel", "", "default value"));
    EXPECT_STREQ("default value", ReadRegistryString("SOFTWARE\\Vantorel", "").CStr());
    EXPECT_FALSE(WriteRegistryString("SOFTWARE\\Vantorel", "a=b", "x")); // no such value name
}

TEST(IniFile, ParseAndSerialize)
{
    CIniFile ini;
    const char text[] = "[A]\rk=1\r\n\nx=y";
    ini.Parse(text, sizeof text - 1);
    EXPECT_EQ(4u, ini.GetLineCount());
    EXPECT_EQ("[A]\r\nk=1\r\n\r\nx=y\r\n", ini.Serialize());
    std::string value;
    EXPECT_TRUE(ini.Find("a", "X", value));
    EXPECT_EQ("y", value);
    ini.Set("A", nullptr, nullptr); // removes the section
    EXPECT_EQ("", ini.Serialize());
    ini.Set("B", "k", nullptr); // removing from a missing section does nothing
    EXPECT_EQ(0u, ini.GetLineCount());
    ini.Parse("'single'", 8);
    ini.Set("S", "v", "'x'");
    EXPECT_TRUE(ini.Find("S", "v", value));
    EXPECT_EQ("x", value);
}
