// The temporary files that killed writes leave behind are swept when the game starts, in the
// folders the game writes to, and nothing else is: not a temporary of a process still running,
// not a name of another shape, not a file in a folder the game does not write to.
#include "GameFixture.h"
#include "foundation/DiskAccess.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

namespace fs = std::filesystem;

// A process id that no process has any more.
long EndedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

struct PlantedFile
{
    std::string path;  // below the test's folder; "config/" is the per-user settings folder
    bool swept;
};

const std::string& Dead()
{
    static const std::string s_dead = std::to_string(EndedProcessId());
    return s_dead;
}

const std::vector<PlantedFile>& Files()
{
    const std::string& dead = Dead();
    const std::string live = std::to_string(::getpid());
    static const std::vector<PlantedFile> s_files = {
    {".Stats.dat.tmp" + dead + "-0", true},
    {"..Vantorel Screen Shot 00.TGA.tmp" + dead + "-3.tmp" + dead + "-4", true},
    {"Data/.Local.txt.tmp" + dead + "-12", true},
    {"Data/Cache/Frames/.Ball.Frame.tmp" + dead + "-2", true},
    {"config/Vantorel/.Vantorel Editor.ini.tmp" + dead + "-1", true},
    {".Vantorel.CFG.tmp" + live + "-0", false},
    {"Stats.dat.tmp" + dead + "-0", false},
    {".Stats.dat.tmp" + dead, false},
    {".Stats.dat.tmp" + dead + "-0x", false},
    {".tmp" + dead + "-0", false},
    {"Data/.hidden", false},
    {"Pictures/.Shot.TGA.tmp" + dead + "-0", false},
    };
    return s_files;
}

class StartSweep : public GameFixture
{
protected:
    void PrepareData(const fs::path&) override
    {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        m_oldConfig = old ? old : "";
        m_hadConfig = old != nullptr;
        ::setenv("XDG_CONFIG_HOME", (m_folder.Path() / "config").c_str(), 1);
        for (const auto& file : Files()) {
            fs::create_directories((m_folder.Path() / file.path).parent_path());
            testsupport::WriteFileBytes(m_folder.Path() / file.path, "partial");
        }
        // A folder of that shape is no temporary file.
        fs::create_directory(m_folder.Path() / (".Folder.tmp" + Dead() + "-0"));
    }
    void TearDown() override
    {
        GameFixture::TearDown();
        if (m_hadConfig)
            ::setenv("XDG_CONFIG_HOME", m_oldConfig.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    std::string m_oldConfig;
    bool m_hadConfig = false;
};

TEST_F(StartSweep, TemporariesOfKilledWritesGoAndNothingElse)
{
    for (const auto& file : Files())
        EXPECT_EQ(fs::exists(m_folder.Path() / file.path), !file.swept) << file.path;
    EXPECT_TRUE(fs::is_directory(m_folder.Path() / (".Folder.tmp" + Dead() + "-0")));
}

} // namespace
#endif
