// The application's initialisation sets the blit tables up for the display it really set: the
// game palette and its 8-bit tables whenever the display is 8-bit, whatever the settings say.
#include "AppTestSupport.h"
#include "../blit/BlitTableTestSupport.h"
#include "blit/Blitter.h"
#include "graphics/ScreenFrame.h"

TEST_F(AppFixture, InitSetsUpThePaletteTablesOfTheDepthTheDisplayHas)
{
    blittest::WriteGamePalette(m_dir.Path() / "Data");
    // The switch overrides the setting for the run; without data only the opacity tables exist.
    const struct
    {
        const char* setting;
        const char* commandLine;
        bool noData;
        uint32_t depth;
    } cases[] = {{"16", "/ScreenBitDepth 8", false, 8}, {"8", "/ScreenBitDepth 16", false, 16}, {"8", "", true, 8}};
    for (const auto& c : cases) {
        std::filesystem::remove_all(m_dir.Path() / "Data" / "Palettes" / "Cache");
        blittest::ForgetEightBitTables();
        std::memset(g_blendStepForLevel, 0, sizeof g_blendStepForLevel);
        testsupport::WriteFileBytes(m_dir.Path() / "Vantorel.CFG",
                                    std::string("[Options]\r\nScreen Bit Depth=") + c.setting + "\r\n");
        SetCommandLine(c.commandLine);
        CApplicationBase::SetNoDataMode(c.noData);
        {
            TestApplication app;
            ASSERT_EQ(app.GetDisplay()->GetBitsPerPixel(), c.depth);
            app.Init(nullptr);
        }
        const bool tables = c.depth == 8 && !c.noData;
        EXPECT_EQ(std::filesystem::exists(m_dir.Path() / "Data/Palettes/Cache/-GamePalette.pal"), tables);
        for (CPaletteTable* table : blittest::EightBitTables())
            EXPECT_EQ(table->IsEmpty(), !tables) << c.commandLine;
        EXPECT_EQ(g_blendStepForLevel[0], 5u) << c.commandLine;
    }
    blittest::ForgetEightBitTables();
    CApplicationBase::SetNoDataMode(true);
}
