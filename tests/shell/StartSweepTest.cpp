// The temporaries that killed writes leave behind are swept when the game starts, and nothing
// else is: not a temporary of a process still running, not a name of another shape, not a
// temporary of a file the game does not write there (however it is named), not a file in a folder
// the game does not write to.
#include "GameFixture.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

#ifdef VANTOREL_DATA_DIR
namespace {

namespace fs = std::filesystem;

// A process id that no process has any more.
std::string Ended()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return std::to_string(child);
}

class StartSweep : public GameFixture
{
protected:
    void PrepareData(const fs::path&) override
    {
        // The per-user settings folder is the test's "config/Vantorel".
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            m_oldConfigHome = old;
        ::setenv("XDG_CONFIG_HOME", (m_folder.Path() / "config").c_str(), 1);
        const std::string dead = Ended(), live = std::to_string(::getpid());
        m_files = {
            // The game folder.
            {".Stats.dat.tmp" + dead + "-0", true},
            {".stats.DAT.bad2.tmp" + dead + "-4", true},
            {"..Vantorel Screen Shot 00.TGA.tmp" + dead + "-3.tmp" + dead + "-4", true},
            {".Vantorel.CFG.tmp" + live + "-0", false},
            {".notes.txt.tmp" + dead + "-0", false},
            {".Stats.dat.old.tmp" + dead + "-0", false},
            {"..notes.txt.tmp" + dead + "-3.tmp" + dead + "-4", false},
            {"Stats.dat.tmp" + dead + "-0", false},
            {".Stats.dat.tmp" + dead, false},
            {".Stats.dat.tmp" + dead + "-0x", false},
            // The settings folder.
            {"config/Vantorel/.Vantorel Editor.ini.tmp" + dead + "-1", true},
            {"config/Vantorel/.notes.txt.tmp" + dead + "-0", false},
            // The data folder: only its caches, and there only the caches' names (the source
            // records beside them are the data's).
            {"Data/Cache/Frames/.-Ball.frm16.tmp" + dead + "-2", true},
            {"Data/Palettes/Cache/.-FadeTable.pal.tmp" + dead + "-1", true},
            {"Data/Cache/Frames/.Ball.Frame.tmp" + dead + "-2", false},
            {"Data/Palettes/Cache/.notes.txt.tmp" + dead + "-0", false},
            {"Data/.Local.txt.tmp" + dead + "-12", false},
            {"Data/Resources/.-Walk.seq16.tmp" + dead + "-0", false},
            // Not a folder the game writes in.
            {"Pictures/.Shot.TGA.tmp" + dead + "-0", false},
        };
        for (const auto& [path, swept] : m_files) {
            fs::create_directories((m_folder.Path() / path).parent_path());
            testsupport::WriteFileBytes(m_folder.Path() / path, "partial");
        }
    }
    void TearDown() override
    {
        GameFixture::TearDown();
        if (m_oldConfigHome.empty())
            ::unsetenv("XDG_CONFIG_HOME");
        else
            ::setenv("XDG_CONFIG_HOME", m_oldConfigHome.c_str(), 1);
    }
    std::vector<std::pair<std::string, bool>> m_files;
    std::string m_oldConfigHome;
};

TEST_F(StartSweep, TemporariesOfKilledWritesGoAndNothingElse)
{
    for (const auto& [path, swept] : m_files)
        EXPECT_EQ(fs::exists(m_folder.Path() / path), !swept) << path;
}

} // namespace
#endif
