// The game program's start-up over a copy of its data set: every name the start-up needs ends the
// program with its not-found report when the data lacks it, and each start counts one launch
// towards the version-check reminder in the statistics file, as Python's zlib reads it.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef VANTOREL_GAME_PROGRAM
namespace {

namespace fs = std::filesystem;

// The program and its data set in a folder of the test's own: the archive to change is copied,
// the rest linked. The data's cache folder is left out, since runs write into it.
class CopiedGame
{
public:
    explicit CopiedGame(const char* changedArchive = nullptr)
    {
        const fs::path program = VANTOREL_GAME_PROGRAM;
        std::error_code linked;
        fs::create_hard_link(program, Program(), linked);
        if (linked)
            fs::copy_file(program, Program());
        fs::create_directory(Data());
        for (const auto& entry : fs::directory_iterator(program.parent_path() / "Data")) {
            const fs::path name = entry.path().filename();
            if (name == "Cache")
                continue;
            if (changedArchive && name == changedArchive)
                fs::copy_file(entry.path(), Data() / name);
            else
                fs::create_symlink(entry.path(), Data() / name);
        }
    }
    fs::path Program() const { return m_dir.Path() / "vantorel"; }
    fs::path Data() const { return m_dir.Path() / "Data"; }
    const fs::path& Folder() const { return m_dir.Path(); }
    // Runs it headless with the arguments and a lock folder of its own; the exit status.
    int Run(const std::string& args, std::string& output) const
    {
        const fs::path out = m_dir.Path() / "out.txt";
        const int status = testsupport::RunCommand("XDG_RUNTIME_DIR='" + m_dir.Path().string() + "' '" +
                                                   Program().string() + "' --headless " + args + " >'" +
                                                   out.string() + "' 2>&1");
        output = testsupport::ReadFileBytes(out);
        return status;
    }
    // The launch counter of the statistics file, read by Python; -1 when it cannot be read.
    int ReadLaunches() const
    {
        return RunPython("import re,zlib;d=open('Stats.dat','rb').read();"
                         "t=zlib.decompress(d[9:]).decode();"
                         "exit(int(re.search(r'Program Launches Since Version Check=(\\d+)',t).group(1)))");
    }
    // Rewrites the copied archive without the entries whose names begin with the prefix, with
    // Python's zipfile; false when none was there.
    bool DropFromArchive(const char* archive, const char* prefix) const
    {
        return RunPython(std::string("import zipfile;a=zipfile.ZipFile('Data/") + archive +
                         "');k=[(i,a.read(i)) for i in a.infolist() if not i.filename.startswith('" + prefix +
                         "')];n=len(a.infolist())-len(k);a.close();b=zipfile.ZipFile('Data/" + archive +
                         "','w');[b.writestr(i,d) for i,d in k];b.close();exit(0 if n else 1)") == 0;
    }
    // Rewrites the launch counter with Python, compressed at another level than the program's.
    bool WriteLaunches(int launches) const
    {
        return RunPython("import re,struct,zlib;d=open('Stats.dat','rb').read();"
                         "t=zlib.decompress(d[9:]).decode();"
                         "t=re.sub(r'(Program Launches Since Version Check=)\\d+',r'\\g<1>" +
                         std::to_string(launches) +
                         "',t).encode();c=zlib.compress(t,1);"
                         "open('Stats.dat','wb').write(b'\\x01'+struct.pack('<II',len(c),len(t))+c)") == 0;
    }

private:
    int RunPython(const std::string& script) const
    {
        return testsupport::RunCommand("cd '" + m_dir.Path().string() + "' && python3 -c \"" + script +
                                       "\" 2>/dev/null");
    }
    testsupport::TempDir m_dir;
};

TEST(GameStartUp, EachNameTheStartUpNeedsEndsItWithItsReportWhenMissing)
{
    const struct
    {
        const char* archive;
        const char* prefix;
        const char* name;
        const char* where; // the list's type name (none for sequences) and its folder
    } cases[] = {
        {"Fonts.zip", "-Small Blue/", "Small Blue", "\"\" list located in the \"Fonts\" folder"},
        {"Resources.zip", "-Menu Ball/", "Menu Ball", "\"\" list located in the \"Resources\" folder"},
        {"Resources.zip", "Vantorel.JWindowSkin", "Vantorel", "\"JWindowSkin\" list located in the \"Resources\" folder"},
        {"Resources.zip", "TheGame.modinfo", "TheGame", "\"modinfo\" list located in the \"Resources\" folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CopiedGame game(c.archive);
        ASSERT_TRUE(game.DropFromArchive(c.archive, c.prefix));
        std::string output;
        EXPECT_EQ(game.Run("/exit", output), 255);
        const std::string report = std::string("Fatal Not Found Error: The game is looking for some data or a file "
                                               "but can not find it.  The item we are looking for is \"") +
                                   c.name + "\" which should be in the " + c.where;
        EXPECT_EQ(output.rfind(report, 0), 0u) << output;
    }
}

TEST(GameStartUp, EachStartCountsALaunchDownToZero)
{
    CopiedGame game;
    std::string output;
    // The first start writes the statistics file.
    ASSERT_EQ(game.Run("", output), 0) << output;
    ASSERT_TRUE(fs::exists(game.Folder() / "Stats.dat")) << output;
    // At 0 the start leaves 0, which the main menu's reminder then starts again at 10; a counter
    // taken below 0 would have wrapped and been left alone.
    const struct
    {
        int before;
        int after;
    } cases[] = {{3, 2}, {0, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        ASSERT_TRUE(game.WriteLaunches(c.before));
        ASSERT_EQ(game.ReadLaunches(), c.before);
        ASSERT_EQ(game.Run("", output), 0) << output;
        EXPECT_NE(output.find("window was closed and the application shut down"), std::string::npos) << output;
        EXPECT_EQ(game.ReadLaunches(), c.after);
    }
}

} // namespace
#endif
