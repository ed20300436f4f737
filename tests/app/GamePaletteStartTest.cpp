// The application's initialisation sets the blit tables up for the display it really set: the
// game palette and its 8-bit tables whenever the display is 8-bit, whatever the settings say; an
// 8-bit start without the palette ends with the palette's report.
#include "AppTestSupport.h"
#include "../blit/BlitTableTestSupport.h"
#include "blit/Blitter.h"
#include "graphics/ScreenFrame.h"

TEST_F(AppFixture, InitSetsUpThePaletteTablesOfTheDepthTheDisplayHas)
{
    blittest::WriteGamePalette(m_dir.Path() / "Data");
    // The switch overrides the setting for the run; a 16-bit display has only the opacity tables.
    const struct
    {
        const char* setting;
        const char* commandLine;
        uint32_t depth;
    } cases[] = {{"16", "/ScreenBitDepth 8", 8}, {"8", "/ScreenBitDepth 16", 16}};
    for (const auto& c : cases) {
        std::filesystem::remove_all(m_dir.Path() / "Data" / "Palettes" / "Cache");
        blittest::ForgetEightBitTables();
        std::memset(g_blendStepForLevel, 0, sizeof g_blendStepForLevel);
        testsupport::WriteFileBytes(m_dir.Path() / "Vantorel.CFG",
                                    std::string("[Options]\r\nScreen Bit Depth=") + c.setting + "\r\n");
        SetCommandLine(c.commandLine);
        {
            TestApplication app;
            ASSERT_EQ(app.GetDisplay()->GetBitsPerPixel(), c.depth);
            app.Init(nullptr);
        }
        const bool tables = c.depth == 8;
        EXPECT_EQ(std::filesystem::exists(m_dir.Path() / "Data/Palettes/Cache/-GamePalette.pal"), tables);
        for (CPaletteTable* table : blittest::EightBitTables())
            EXPECT_EQ(table->IsEmpty(), !tables) << c.commandLine;
        EXPECT_EQ(g_blendStepForLevel[0], 5u) << c.commandLine;
    }
    blittest::ForgetEightBitTables();
}

TEST_F(AppFixture, AnEightBitStartWithoutTheGamePaletteEndsWithItsReport)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testsupport::WriteFileBytes(m_dir.Path() / "Vantorel.CFG", "[Options]\r\nScreen Bit Depth=8\r\n");
    EXPECT_EXIT(
        {
            TestApplication app;
            app.Init(nullptr);
            std::exit(3);
        },
        testing::ExitedWithCode(255), "FATAL ERROR!: The executable or data file appears to have become corrupted");
}
