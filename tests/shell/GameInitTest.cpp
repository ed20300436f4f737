// The game's start-up over the project's data set at both display depths: the window textures'
// conversion and the back buffer's palette follow the display, the default skin and the cursor
// come from the data, the screen fades in, and a launch counter at 0 is not taken below it.
#include "../foundation/FileTestHelpers.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "blit/ColorPacking.h"
#include "foundation/Win32Services.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/PaletteTable.h"
#include "graphics/ScreenFrame.h"
#include "graphics/Sequence.h"
#include "graphics/stages/DepthConvertStage.h"
#include "online/ModuleInfo.h"
#include "online/ModuleInfoCollection.h"
#include "platform/Time.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessBackend.h"
#include "shell/Game.h"
#include "shell/stats/Stats.h"
#include "ui/JWindow.h"
#include "ui/ScreenWindow.h"
#include "ui/SkinThemeList.h"
#include "ui/WindowToolkitState.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#ifdef VANTOREL_DATA_DIR
namespace {

class GameInit : public ::testing::TestWithParam<uint32_t>
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directory_symlink(VANTOREL_DATA_DIR, m_folder.Path() / "Data");
        // A launch counter already at 0.
        CStats stats;
        stats.Load();
        stats.SetLaunchesSinceVersionCheck(0);
        ASSERT_TRUE(stats.Save());
        platform::GetHeadlessBackend().Reset();
        platform::CreateMainWindow("Vantorel");
        platform::EnableVirtualClock();
        SetCommandLine(GetParam() == 8 ? "/ScreenBitDepth 8" : "/ScreenBitDepth 16");
        SetMainWindowState(true, false);
        g_keyboard = CKeyboard();
        g_mouse = CMouse();
        m_game = std::make_unique<CGame>(nullptr);
        m_game->MarkConstructed();
        m_game->Init(nullptr);
    }
    void TearDown() override
    {
        m_game.reset();
        // The game's fonts went with it: no later test may find one as the toolkit's default.
        CWindowToolkitState::Get().Reset();
        SetCommandLine("");
        platform::DisableVirtualClock();
    }

    filetest::WorkFolder m_folder;
    std::unique_ptr<CGame> m_game;
};

TEST_P(GameInit, TexturesAndBackBufferFollowTheDisplayDepth)
{
    const uint32_t depth = GetParam();
    ASSERT_EQ(m_game->GetDisplay()->GetBitsPerPixel(), depth);

    // One conversion stage: straight to the palette on 8 bits, dithered down on 16.
    CFrameCollection* textures = m_game->GetWindowTextures();
    ASSERT_NE(textures, nullptr);
    const CFrameLoadStage& stages = textures->GetDefaultLoadStages();
    ASSERT_NE(stages.GetNext(), nullptr);
    EXPECT_EQ(stages.GetNext()->GetNext(), nullptr);
    const auto* convert = dynamic_cast<const CDepthConvertStage*>(stages.FindStage(kStageDepthConvert));
    ASSERT_NE(convert, nullptr);
    EXPECT_EQ(convert->IsDithered(), depth != 8);
    EXPECT_EQ(convert->GetConversionDepth(), static_cast<int32_t>(depth));
    ASSERT_GT(textures->GetCount(), 1u);
    auto* texture = dynamic_cast<CFrame*>(textures->GetItem(1));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetBitsPerPixel(), depth);

    // The 8-bit back buffer carries the game palette its pixels index; a 16-bit one none.
    CDirtyRectFrame* back = m_game->GetBackBuffer();
    EXPECT_EQ(back->GetBitsPerPixel(), depth);
    EXPECT_EQ(back->GetWidth(), m_game->GetDisplay()->GetWidth());
    EXPECT_EQ(back->HasPalette(), depth == 8);
    if (depth == 8) {
        ASSERT_FALSE(GetCurrentPaletteRef()->IsEmpty());
        EXPECT_FALSE(back->GetPalette()->Differs(*GetCurrentPaletteRef()));
    }
}

TEST_P(GameInit, TheDataGivesTheSkinCursorAndVersionAndTheScreenFadesIn)
{
    CSkinTheme* skin = GetSkinThemeList().FindTheme("Vantorel");
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(CJWindow::GetDefaultTheme(), skin);
    EXPECT_EQ(m_game->GetScreenWindow()->GetTheme(), skin);
    ASSERT_NE(g_mouse.GetCursorSequence(), nullptr);
    EXPECT_GT(g_mouse.GetCursorSequence()->GetFrameCount(), 0u);
    const CModuleInfo* module = CModuleInfoCollection::GetInstance().FindModule("TheGame");
    ASSERT_NE(module, nullptr);
    EXPECT_GT(module->GetBuildNumber(), 0u);
    // The screen fades in over half a second from the first frame.
    CScreenFrame* display = m_game->GetDisplay();
    ASSERT_EQ(display->GetFadeState(), CScreenFrame::kFadingIn);
    display->UpdateFade(0.25f);
    EXPECT_NEAR(display->GetFadeLevel(), 0.5f, 1e-4f);
    // Start-up's count of launches stops at 0.
    ASSERT_NE(m_game->GetStats(), nullptr);
    EXPECT_EQ(m_game->GetStats()->GetLaunchesSinceVersionCheck(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Depths, GameInit, ::testing::Values(8u, 16u),
                         [](const ::testing::TestParamInfo<uint32_t>& info) {
                             return std::to_string(info.param) + "Bit";
                         });

} // namespace
#endif
