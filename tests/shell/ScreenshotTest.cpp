// Screenshots written at every display depth: the TGA header read back by hand and by
// ImageMagick when it is installed (the game's tests read them with the loader on a display).
#include "../foundation/FileTestHelpers.h"
#include "graphics/Frame.h"
#include "shell/Screenshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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

} // namespace
