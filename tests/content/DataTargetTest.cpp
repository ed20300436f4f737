// The build's data target: the content tool runs, and the game records its demo clips, only when
// one of their inputs changed. Asked of make without building anything: a dry run, with one input
// taken as changed ("what if") at a time, on the build this test belongs to.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

#if defined(VANTOREL_BUILD_DIR) && defined(VANTOREL_MAKEFILES)
// The commands make would run to bring the data target up to date, were the file changed.
std::string DryRun(const std::string& changedFile)
{
    const testsupport::TempDir dir;
    const std::string out = dir.Path() / "dry-run.txt";
    const std::string command = "cd '" VANTOREL_BUILD_DIR "' && make -n -f data/CMakeFiles/data.dir/build.make " +
                                (changedFile.empty() ? std::string() : "-W '" + changedFile + "' ") +
                                "data/CMakeFiles/data >'" + out + "' 2>&1";
    EXPECT_EQ(testsupport::RunCommand(command), 0) << testsupport::ReadFileBytes(out);
    return testsupport::ReadFileBytes(out);
}

bool RunsTheContentTool(const std::string& commands)
{
    return commands.find("vantorel_content_tool --source") != std::string::npos;
}

bool RecordsTheClips(const std::string& commands)
{
    return commands.find("RecordDemos.cmake") != std::string::npos;
}

TEST(DataTarget, RunsOnlyTheStepsWhoseInputsChanged)
{
    const std::string source = VANTOREL_SOURCE_DIR "/data/";
    const struct
    {
        std::string changed;
        bool tool, clips;
    } cases[] = {
        {"", false, false},   // an unchanged tree builds nothing
        {source + "DemoClips.txt", false, true},
        {source + "RecordDemos.cmake", false, true},
        {"src/vantorel", false, true},   // the program, as make names it in the build folder
        {source + "readme.htm", true, true},
        {source + "ForceFeedback.ifr", true, true},
        {source + "Resources/TheGame.modinfo", true, true},
        {"data/vantorel_content_tool", true, true},
        {VANTOREL_FONT_DIR "/DejaVuSans-Bold.ttf", true, true},
    };
    for (const auto& c : cases) {
        const std::string commands = DryRun(c.changed);
        EXPECT_EQ(RunsTheContentTool(commands), c.tool) << c.changed << ":\n" << commands;
        EXPECT_EQ(RecordsTheClips(commands), c.clips) << c.changed << ":\n" << commands;
    }
}
#endif

} // namespace
