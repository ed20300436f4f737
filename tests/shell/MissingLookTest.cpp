// A data set that lacks a look the game asks for by name ends the start-up with the not-found
// report that names it, before the first frame, rather than leaving a part of the game unseen.
#include "GameFixture.h"

#ifdef VANTOREL_DATA_DIR
namespace {

// The data set without the brick layer's carriage (its properties and its source image).
class GameWithoutTheCarriage : public GameFixture
{
protected:
    void SetUp() override {}
    void TearDown() override {}
    void PrepareData(const std::filesystem::path& data) override
    {
        DropEntries(data, "Resources.zip", "Carriage");
        DropEntries(data, "Cache.zip", "Carriage");
    }
};

} // namespace

TEST_F(GameWithoutTheCarriage, StartUpEndsWithTheNotFoundReport)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(GameFixture::SetUp(), testing::ExitedWithCode(255),
                "Fatal Not Found Error: .*looking for is \"Brick Layer/Carriage\"");
}
#endif
