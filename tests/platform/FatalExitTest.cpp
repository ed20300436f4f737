// The one route of every fatal end.
#include "platform/Platform.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

struct FatalSeen : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

TEST(FatalExitDeathTest, ShowsTheBoxThenEndsWithStatus255)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(platform::FatalExit("Fatal Not Found Error", "Can't find Round 7"),
                testing::ExitedWithCode(255), "Fatal Not Found Error: Can't find Round 7");
}

TEST(FatalExitDeathTest, StaticDestructorsRun)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static struct Flush
            {
                ~Flush() { std::fputs("destructors ran\n", stderr); }
            } s_flush;
            platform::FatalExit("FATAL ERROR", "x");
        },
        testing::ExitedWithCode(255), "FATAL ERROR: x\n(.|\n)*destructors ran");
}

TEST(FatalExit, AHandlerSeesItBeforeTheEnd)
{
    auto previous = platform::SetFatalHandler([](const char* caption, const char* text) {
        throw FatalSeen(std::string(caption) + "|" + text);
    });
    testing::internal::CaptureStderr();
    try {
        platform::FatalExit("Bad Zip file", "Data.zip");
        FAIL() << "returned";
    } catch (const FatalSeen& seen) {
        EXPECT_STREQ(seen.what(), "Bad Zip file|Data.zip");
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Bad Zip file: Data.zip\n");
    platform::SetFatalHandler(previous);
    EXPECT_EQ(platform::GetFatalHandler(), previous);
}

} // namespace
