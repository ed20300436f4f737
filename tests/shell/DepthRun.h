#pragma once
// Runs of the game object at a display depth in one test, each as a fresh start of the program
// would make it (no statistics, the clock and the random sequences from their start, the frame
// list loading for the new display), driven by input queued as the system delivers it. Its round
// set holds one round of its own, of several brick types, some floating and moving.
#include "../game/BrickTestSupport.h"
#include "GameFixture.h"
#include "OwnRounds.h"
#include "TestSupport.h"
#include "app/TypedWordMatcher.h"
#include "blit/ColorPacking.h"
#include "blit/modes/ShadowBlitter.h"
#include "foundation/R250Random.h"
#include "game/Playfield.h"
#include "game/rounds/RoundSetCollection.h"
#include "game/sprites/Sprite.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/ScreenFrame.h"
#include "graphics/ScreenMode.h"
#include "platform/KeyTable.h"
#include "shell/MainMenuWindow.h"
#include "shell/MenuButton.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifdef VANTOREL_DATA_DIR
class DepthRun : public GameFixture
{
protected:
    void TearDown() override
    {
        GameFixture::TearDown();
        CRoundSetCollection::GetInstance().FreeEntries();
        SetCommandLine("");
        ForgetPackingTables();
    }

    // An 8-bit start fills the colour packing tables and nothing empties them (a process starts
    // once); the next run, in this test or the next, starts without them as a new process would.
    static void ForgetPackingTables()
    {
        for (uint32_t* table : {g_channelTo5, g_channelTo5Shl5, g_channelTo5Shl10, g_channelTo5Shl11, g_channelTo6Shl5})
            std::memset(table, 0, 256 * sizeof(uint32_t));
    }

    // A fresh game at the depth, as a new start of the program makes it: nothing of the last run
    // (statistics, clock, random sequences) carries over.
    void Start(uint32_t depth)
    {
        delete m_game;
        m_game = nullptr;
        CWindowToolkitState::Get().Reset();
        std::filesystem::remove(m_folder.Path() / "Stats.dat");
        ForgetPackingTables();
        platform::GetHeadlessBackend().Reset();
        platform::CreateMainWindow("Vantorel");
        platform::EnableVirtualClock();
        SetCommandLine(("/ScreenBitDepth " + std::to_string(depth)).c_str());
        SetDisplayBitsPerPixel(static_cast<int32_t>(depth));
        SetMainWindowState(true, false);
        g_keyboard = CKeyboard();
        // The typed words are the process's, registered once: the fresh keyboard hears them too.
        g_keyboard.SetFilter(&CTypedWordMatcher::OnCharTyped, &g_typedWordMatcher);
        g_mouse = CMouse();
        g_gameRandom.Seed(1234);
        g_generalRandom.Seed(5678);
        // The first set's one round holds several brick types, some floating and moving.
        ownrounds::WriteLayout("Depths", RoundLayoutText());
        ownrounds::WriteRoundSet("0 Depths", {"Rounds/Depths"});
        m_game = new CGame(nullptr);
        m_game->MarkConstructed();
        m_game->Init(nullptr);
        ASSERT_EQ(m_game->GetDisplay()->GetBitsPerPixel(), depth);
        m_game->GoToMainMenu();
    }
    // The layout of the one round of the first set.
    virtual std::string RoundLayoutText() const { return ownrounds::SeveralTypesLayoutText("Depths"); }
    static void Queue(const platform::Event& event) { platform::GetHeadlessBackend().QueueEvent(event); }
    // A key held for two steps, as a player strikes it, with the character it types.
    void Press(int key, unsigned char character)
    {
        const int virtualKey = platform::VirtualKeyOfKeyNumber(key, true);
        Queue(platform::Event::Key(platform::EventType::KeyDown, key, virtualKey));
        Queue(platform::Event::Char(character));
        Step(2);
        Queue(platform::Event::Key(platform::EventType::KeyUp, key, virtualKey));
        Step(20);
    }
    // The left button pressed over the middle of the rectangle and let go a step later.
    void Click(const CIntRect& rect)
    {
        const int x = (rect.m_left + rect.m_right) / 2, y = (rect.m_top + rect.m_bottom) / 2;
        Queue(platform::Event::Mouse(platform::EventType::MouseMove, x, y));
        Queue(platform::Event::Mouse(platform::EventType::MouseDown, x, y, platform::kMouseLeft));
        Step(1);
        Queue(platform::Event::Mouse(platform::EventType::MouseUp, x, y, platform::kMouseLeft));
        Step(60);
    }
    // The colours the screen shows in the rectangle, 0xRRGGBB, row by row.
    static std::vector<uint32_t> Shown(const CIntRect& rect) { return ShownColors(rect); }
    // The places of the round that only a 16-bit display draws: sprites whose frames their blend
    // mode has no routine for at this depth (stand-ins made at 16 bits), and sprite shadows.
    // Frames loaded for the display draw at every depth and are not among them.
    std::vector<CIntRect> WhatOnlySixteenBitsDraw() const
    {
        std::vector<CIntRect> places;
        CDirtyRectFrame* back = m_game->GetBackBuffer();
        CPlayfield* field = m_game->GetPlayfield();
        auto skip = [&](const CFrame* frame, CIntPoint at) {
            places.push_back({at.m_x + frame->GetLeft() - 1, at.m_y + frame->GetTop() - 1,
                                       at.m_x + frame->GetLeft() + frame->GetWidth() + 1,
                                       at.m_y + frame->GetTop() + frame->GetHeight() + 1});
        };
        for (CSpriteList* list : {&field->GetLowEffects(), &field->GetShip(), &field->GetBricks(), &field->GetBalls(),
                                  &field->GetFreedBalls(), &field->GetPowerUps(), &field->GetShots(),
                                  &field->GetForeground()})
            for (CSprite* sprite = list->GetHead(); sprite; sprite = sprite->GetNext()) {
                CFrame* frame = sprite->GetCurrentFrame();
                if (!frame || !sprite->IsActive())
                    continue;
                if (!sprite->GetBlitter()->FindRoutine(frame, back))
                    skip(frame, sprite->GetIntPosition());
                if (!g_shadowBlitter.FindRoutine(frame, back))
                    skip(frame, sprite->GetIntPositionMovedBy(CSprite::GetShadowOffset()));
            }
        return places;
    }

    // "Play Game", the guest chosen and round 1 of "New Game Options" taken by Enter.
    void StartRound(CMainMenuWindow& menu)
    {
        Click(menu.GetButton(0)->GetScreenRect());
        for (int i = 0; i < 2; ++i)
            Press(platform::kKeyReturn, 13);
        EXPECT_EQ(m_game->GetMode(), CGame::kModePlaying);
    }

};
#endif
