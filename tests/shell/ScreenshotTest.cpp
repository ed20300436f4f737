// Screenshots written at every display depth: the TGA header read back by hand and by
// ImageMagick when it is installed (the game's tests read them with the loader on a display).
#include "../foundation/FileTestHelpers.h"
#include "app/OwnFiles.h"
#include "graphics/Frame.h"
#include "shell/Screenshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<uint8_t> ReadBytes(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Identify(const std::string& name)
{
    if (std::system("command -v identify >/dev/null 2>&1") != 0)
        return "";
    const std::string command = "identify -format '%wx%h' '" + name + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "";
    char text[64] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, pipe);
    pclose(pipe);
    return std::string(text, n);
}

TEST(Screenshot, EveryDepthWritesAReadableTga)
{
    filetest::WorkFolder folder;
    const struct
    {
        uint32_t depth;
        uint8_t imageType;  // 9 colour-mapped run-length, 10 true-colour run-length
    } cases[] = {{8, 9}, {16, 10}, {24, 10}, {32, 10}};
    int number = 0;
    for (const auto& c : cases) {
        CFrame frame;
        frame.Create(640, 480, c.depth);
        const std::string name = SaveScreenshot(frame, "Shot %02d.TGA");
        char expected[32];
        std::snprintf(expected, sizeof expected, "Shot %02d.TGA", number++);
        ASSERT_EQ(name, expected) << c.depth;
        const std::vector<uint8_t> bytes = ReadBytes(name);
        ASSERT_GE(bytes.size(), 18u);
        EXPECT_EQ(bytes[2], c.imageType) << c.depth;
        EXPECT_EQ(bytes[12] | bytes[13] << 8, 640) << c.depth;
        EXPECT_EQ(bytes[14] | bytes[15] << 8, 480) << c.depth;
        const std::string seen = Identify(name);
        if (!seen.empty()) {
            EXPECT_EQ(seen, "640x480") << c.depth;
        }
    }
}

TEST(Screenshot, ExistingNamesAreSkippedAndAFailedWriteLeavesNoFile)
{
    filetest::WorkFolder folder;
    {
        std::ofstream("Shot 00.TGA") << "old";
        std::ofstream("Shot 01.TGA") << "old";
    }
    CFrame frame;
    frame.Create(64, 48, 16);
    EXPECT_EQ(SaveScreenshot(frame, "Shot %02d.TGA"), "Shot 02.TGA");
    EXPECT_EQ(ReadBytes("Shot 00.TGA").size(), 3u);
    // A frame without pixels cannot be written: the claimed name is given back.
    CFrame empty;
    EXPECT_EQ(SaveScreenshot(empty, "Shot %02d.TGA"), "");
    EXPECT_FALSE(std::filesystem::exists("Shot 03.TGA"));
    // A folder that does not exist claims nothing.
    EXPECT_EQ(SaveScreenshot(frame, "No Such Folder/Shot %02d.TGA"), "");
}

TEST(Screenshot, AWriteKilledAtAnyMomentLeavesNoNumberedFileThatIsNotWhole)
{
    filetest::WorkFolder folder;
    // Noise, so that the picture takes a while to encode and write.
    CFrame frame;
    frame.Create(1024, 768, 32);
    std::mt19937 random(17);
    for (uint32_t i = 0; i < 1024u * 768u; ++i)
        reinterpret_cast<uint32_t*>(frame.GetPixels())[i] = static_cast<uint32_t>(random());
    const auto shot = [](int number) {
        char name[64];
        std::snprintf(name, sizeof name, kScreenshotPattern, number);
        return std::string(name);
    };
    ASSERT_EQ(SaveScreenshot(frame), shot(0));
    const std::vector<uint8_t> whole = ReadBytes(shot(0));
    int taken = 1;
    for (int round = 0; round < 25; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(SaveScreenshot(frame).empty());
        // Every eighth write is let finish, however long a write takes on this build and machine;
        // the others are killed at a random moment.
        if (round % 8 != 7) {
            ::usleep(static_cast<useconds_t>(random() % 40000));
            ::kill(child, SIGKILL);
        }
        ASSERT_EQ(child, ::waitpid(child, nullptr, 0));
        // The numbers taken run on without a gap, and each holds the whole picture.
        while (std::filesystem::exists(shot(taken)))
            ++taken;
        for (int number = 1; number < taken; ++number)
            EXPECT_TRUE(ReadBytes(shot(number)) == whole) << shot(number);
        EXPECT_FALSE(std::filesystem::exists(shot(taken + 1))) << "round " << round;
    }
    // Kills fell within writes (their temporaries, of the game's own names, the sweep at the next
    // start takes away), and writes finished before the kill; the next screenshot takes the next
    // free number.
    EXPECT_GT(ownfiles::SweepTemporaries(ownfiles::Folder::Game), 0);
    EXPECT_GT(taken, 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), taken);
    EXPECT_EQ(SaveScreenshot(frame), shot(taken));
}

} // namespace
