// Choosing the display mode at start-up from the settings file and the switches.
#include "DisplayFixture.h"
#include "graphics/ScreenFrame.h"

#include <fstream>
#include <sstream>

namespace {

class ScreenModeTest : public DisplayFixture
{
protected:
    std::string ReadSettings()
    {
        std::ifstream in(m_configPath, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void WriteSettings(const std::string& text)
    {
        std::ofstream out(m_configPath, std::ios::binary);
        out << text;
    }
};

TEST_F(ScreenModeTest, WithNothingSetTheDisplayIs640By480At16Bits)
{
    CScreenFrame screen;
    SetUpScreenMode(0, 0, 0);
    EXPECT_EQ(screen.GetWidth(), 640);
    EXPECT_EQ(screen.GetHeight(), 480);
    EXPECT_EQ(screen.GetBitsPerPixel(), 16u);
    EXPECT_EQ(GetDisplayBitsPerPixel(), 16);
    EXPECT_EQ(screen.GetBrightness(), 1.0f);
    const std::string settings = ReadSettings();
    EXPECT_NE(settings.find("Screen Width=640"), std::string::npos);
    EXPECT_NE(settings.find("Screen Height=480"), std::string::npos);
    EXPECT_EQ(settings.find("Screen Bit Depth"), std::string::npos);   // never written
}

TEST_F(ScreenModeTest, SwitchesCountForThisRunOnly)
{
    WriteSettings("[Options]\r\nScreen Width=640\r\nScreen Height=480\r\nScreen Bit Depth=8\r\n"
                  "Screen Brightness=1.25\r\n");
    SetCommandLine("/screenwidth 800 /ScreenHeight \"600\" /ScreenBitDepth 16");
    CScreenFrame screen;
    SetUpScreenMode(0, 0, 0);
    EXPECT_EQ(screen.GetWidth(), 800);
    EXPECT_EQ(screen.GetHeight(), 600);
    EXPECT_EQ(screen.GetBitsPerPixel(), 16u);
    EXPECT_EQ(GetDisplayBitsPerPixel(), 16);
    EXPECT_EQ(screen.GetBrightness(), 1.25f);
    const std::string settings = ReadSettings();
    EXPECT_NE(settings.find("Screen Width=640"), std::string::npos);
    EXPECT_NE(settings.find("Screen Bit Depth=8"), std::string::npos);
}

TEST_F(ScreenModeTest, AnExplicitRequestWinsAndLeavesTheImageDepthAlone)
{
    WriteSettings("[Options]\r\nScreen Width=800\r\nScreen Height=600\r\nScreen Bit Depth=8\r\n");
    CScreenFrame screen;
    SetUpScreenMode(16, 640, 480);
    EXPECT_EQ(screen.GetWidth(), 640);
    EXPECT_EQ(screen.GetBitsPerPixel(), 16u);
    EXPECT_EQ(GetDisplayBitsPerPixel(), 8);
    // Without a size, the settings' size at the depth asked for.
    CScreenFrame second;
    Device().Reset();
    SetUpScreenMode(16, 0, 480);
    EXPECT_EQ(second.GetWidth(), 800);
    EXPECT_EQ(second.GetHeight(), 600);
}

TEST_F(ScreenModeTest, TwentyFourBitDataFallsBackToAThirtyTwoBitDisplay)
{
    WriteSettings("[Options]\r\nScreen Bit Depth=24\r\n");
    Device().SetAvailableDepths({8, 16, 32});
    CScreenFrame screen;
    SetUpScreenMode(0, 0, 0);
    EXPECT_EQ(screen.GetBitsPerPixel(), 32u);
    EXPECT_EQ(Device().GetPageMode().bitsPerPixel, 32);
    EXPECT_EQ(Device().GetDataDepth(), 24);
    EXPECT_EQ(GetDisplayBitsPerPixel(), 24);
}

TEST_F(ScreenModeTest, NoModeEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Device().SetAvailableSizes({{1024, 768}});
            CScreenFrame screen;
            SetUpScreenMode(0, 0, 0);
        },
        testing::ExitedWithCode(255), "FATAL ERROR: Couldn't set resolution");
    EXPECT_EXIT(
        {
            Device().SetAvailableDepths({8, 16});
            SetCommandLine("/ScreenBitDepth 24");
            CScreenFrame screen;
            SetUpScreenMode(0, 0, 0);
        },
        testing::ExitedWithCode(255), "FATAL ERROR: Couldn't set resolution");
    EXPECT_EXIT(SetUpScreenMode(0, 0, 0), testing::ExitedWithCode(255), "FATAL ERROR: Couldn't set resolution");
}

} // namespace
