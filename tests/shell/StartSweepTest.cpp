// The temporaries that killed writes leave behind are swept when the game starts, and nothing
// else is: not a temporary of a process still running, not a name of another shape, not a file
// in a folder the game does not write to.
#include "GameFixture.h"

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
        const std::string dead = Ended(), live = std::to_string(::getpid());
        m_files = {
            {".Stats.dat.tmp" + dead + "-0", true},
            {"..Vantorel Screen Shot 00.TGA.tmp" + dead + "-3.tmp" + dead + "-4", true},
            {"Data/Cache/Frames/.Ball.Frame.tmp" + dead + "-2", true},
            {".Vantorel.CFG.tmp" + live + "-0", false},
            {"Stats.dat.tmp" + dead + "-0", false},
            {".Stats.dat.tmp" + dead, false},
            {".Stats.dat.tmp" + dead + "-0x", false},
            {"Pictures/.Shot.TGA.tmp" + dead + "-0", false},
        };
        for (const auto& [path, swept] : m_files) {
            fs::create_directories((m_folder.Path() / path).parent_path());
            testsupport::WriteFileBytes(m_folder.Path() / path, "partial");
        }
    }
    std::vector<std::pair<std::string, bool>> m_files;
};

TEST_F(StartSweep, TemporariesOfKilledWritesGoAndNothingElse)
{
    for (const auto& [path, swept] : m_files)
        EXPECT_EQ(fs::exists(m_folder.Path() / path), !swept) << path;
}

} // namespace
#endif
