#pragma once
// Golden images: a 24-bit frame compared with a TGA stored under tests/data/golden. The files are
// plain uncompressed 24-bit TGAs, top row first, written and read here without the engine's TGA
// code. Running the test program with --update-expected (or VANTOREL_UPDATE_EXPECTED=1 in the
// environment) rewrites them from what the code draws now.
#include "FrameTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace golden {

inline bool UpdateRequested()
{
    if (const char* value = std::getenv("VANTOREL_UPDATE_EXPECTED"); value && std::strcmp(value, "1") == 0)
        return true;
    for (const std::string& argument : ::testing::internal::GetArgvs())
        if (argument == "--update-expected")
            return true;
    return false;
}

inline std::string Encode(const CFrame& frame)
{
    const uint32_t width = frame.GetWidth(), height = frame.GetHeight();
    std::string bytes(18, '\0');
    bytes[2] = 2;   // uncompressed true colour
    bytes[12] = static_cast<char>(width), bytes[13] = static_cast<char>(width >> 8);
    bytes[14] = static_cast<char>(height), bytes[15] = static_cast<char>(height >> 8);
    bytes[16] = 24;
    bytes[17] = 0x20;   // top row first
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t pixel = frametest::ReadPixel(frame, x, y);
            bytes.push_back(static_cast<char>(pixel));
            bytes.push_back(static_cast<char>(pixel >> 8));
            bytes.push_back(static_cast<char>(pixel >> 16));
        }
    return bytes;
}

// Compares (or with the switch rewrites) tests/data/golden/<name>.tga; the frame is plain 24-bit.
inline void ExpectMatchesGolden(const CFrame& frame, const std::string& name)
{
    ASSERT_EQ(frame.GetBitsPerPixel(), 24u);
    const std::filesystem::path path = std::filesystem::path(VANTOREL_TEST_DATA) / "golden" / (name + ".tga");
    const std::string drawn = Encode(frame);
    if (UpdateRequested()) {
        std::filesystem::create_directories(path.parent_path());
        testsupport::WriteFileBytes(path, drawn);
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " is missing: run the test with --update-expected";
    const std::string stored = testsupport::ReadFileBytes(path);
    ASSERT_EQ(stored.size(), drawn.size()) << path << " has another size";
    ASSERT_EQ(stored.compare(0, 18, drawn, 0, 18), 0) << path << " has another header";
    size_t differing = 0, first = 0;
    for (size_t i = 18; i < drawn.size(); ++i)
        if (stored[i] != drawn[i] && differing++ == 0)
            first = (i - 18) / 3;
    EXPECT_EQ(differing, 0u) << path << ": first difference at pixel (" << first % frame.GetWidth() << ", "
                             << first / frame.GetWidth() << ")";
}

} // namespace golden
