// Transfers through the run-time loaded transfer library (a local file stands in for a server).
#include "platform/Http.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Http, ReadsThroughTheLoadedLibrary)
{
    // The library is installed with the project's packages.
    ASSERT_TRUE(IsHttpSupported());
    testsupport::TempDir dir;
    std::string body("module list\n\0binary", 19);
    testsupport::WriteFileBytes(dir.Path() / "db.txt", body);
    HttpResponse response = HttpGet("file://" + (dir / "db.txt"));
    EXPECT_TRUE(response.ok) << response.error;
    EXPECT_EQ(response.body, body);

    HttpResponse missing = HttpGet("file://" + (dir / "missing.txt"));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
    EXPECT_TRUE(missing.body.empty());

    HttpResponse bad = HttpGet("nosuchscheme://x");
    EXPECT_FALSE(bad.ok);
}

} // namespace
