// The game object's drawing: the background rebuilt only where invalidated, the back buffer's
// dirty cells restored, drawn and copied to the display.
#include "app/DemoRecorder.h"
#include "app/Mouse.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "foundation/ConfigFile.h"
#include "foundation/VersionText.h"
#include "game/Playfield.h"
#include "game/ship/MessageDisplay.h"
#include "graphics/ClippedProxyFrame.h"
#include "graphics/Color.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/FrameCollection.h"
#include "graphics/ScreenFrame.h"
#include "objects/DataNames.h"
#include "shell/Game.h"
#include "shell/MainMenuWindow.h"
#include "shell/TimedMessage.h"

#include <algorithm>
#include <chrono>

namespace {

void (*s_firstMainMenuDraw)() = nullptr;

// The version ends where the menu picture's panels end, clear of the screen's edge.
constexpr int32_t kVersionRight = 630;
constexpr int32_t kVersionBaseline = 468;

bool IsEmpty(const CIntRect& rect)
{
    return rect.m_left == 0 && rect.m_top == 0 && rect.m_right == 0 && rect.m_bottom == 0;
}

CColor Black()
{
    CColor black;
    black.ConstructRgba(0, 0, 0, 255);
    return black;
}

} // namespace

void CGame::AddBackgroundRebuildRect(const CIntRect& rect)
{
    if (IsEmpty(m_pendingBackground)) {
        m_pendingBackground = rect;
        return;
    }
    m_pendingBackground.m_left = std::min(m_pendingBackground.m_left, rect.m_left);
    m_pendingBackground.m_top = std::min(m_pendingBackground.m_top, rect.m_top);
    m_pendingBackground.m_right = std::max(m_pendingBackground.m_right, rect.m_right);
    m_pendingBackground.m_bottom = std::max(m_pendingBackground.m_bottom, rect.m_bottom);
}

void CGame::InvalidateScreen()
{
    CIntRect bounds;
    m_background->GetBounds(bounds);
    AddBackgroundRebuildRect(bounds);
}

void CGame::RequestBlankBackground(bool blank)
{
    m_blankBackground = blank;
    InvalidateScreen();
}

void CGame::RefreshMainMenu()
{
    InvalidateScreen();
    CMainMenuWindow::RequestRebuild();
}

void CGame::SetBackgroundDetailLevel(int level)
{
    m_backgroundDetailLevel = level;
    WriteConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), "Background Detail Level", level);
    m_playfield->SetBackgroundDetailLevel(level);
    // The round's decorations go and come back as the level now asks.
    m_playfield->RemakeDecorations();
    InvalidateScreen();
}

void CGame::RebuildBackBuffer()
{
    CScreenFrame* display = GetDisplay();
    if (!display)
        return;
    m_backBuffer->Create(display->GetWidth(), display->GetHeight(), display->GetBitsPerPixel());
    m_backBuffer->SetPageCount(display->GetBackBufferCount() + 1);
    m_backBuffer->MarkAllDirty();
    if (m_background->GetWidth() != display->GetWidth() || m_background->GetHeight() != display->GetHeight() ||
        m_background->GetBitsPerPixel() != display->GetBitsPerPixel()) {
        m_background->Create(display->GetWidth(), display->GetHeight(), display->GetBitsPerPixel());
        InvalidateScreen();
    }
}

bool CGame::OnActivate(bool active)
{
    const bool changed = CApplicationBase::OnActivate(active);
    if (changed && m_backBufferReady)
        m_backBuffer->MarkAllDirty();
    return changed;
}

void CGame::RebuildBackground()
{
    if (m_pendingBackground.m_right == m_pendingBackground.m_left)
        return;
    if (m_blankBackground) {
        m_background->FillWithColor(Black());
        if (m_backBufferHasFrame) {
            m_backBuffer->SetBackgroundFrame(nullptr);
            m_backBuffer->SetBackgroundColor(0, 0, 0, 255);
            m_backBufferHasFrame = false;
        }
    } else {
        if (!m_backBufferHasFrame) {
            m_backBuffer->SetBackgroundFrame(m_background.get());
            m_backBufferHasFrame = true;
        }
        CClippedProxyFrame proxy(m_background.get());
        proxy.SetClipRect(m_pendingBackground);
        proxy.FillRect(m_pendingBackground, Black());
        if (m_mode == kModePlaying) {
            m_playfield->DrawStaticBackground(&proxy);
            DrawScoreBoardFrame(&proxy);
        } else if (m_mode == kModeMainMenu) {
            DrawMenuBackground(&proxy);
        }
    }
    m_backBuffer->AddDirtyRect(m_pendingBackground);
    m_pendingBackground = CIntRect{0, 0, 0, 0};
}

void CGame::DrawMenuBackground(CFrameInterface* target)
{
    // A missing picture ends the program with the not-found report.
    auto* picture = static_cast<CFrame*>(CFrameCollection::GetInstance().GetByName(dataname::picture::kMainMenu));
    target->DrawFrameAt(picture, 0, 0, &g_transparentMaskBlitter);
    if (CFont* font = CFontCollection::GetInstance().FindFont(dataname::font::kSmallBlue)) {
        const CSharedString version = FormatVersionAndBuild();
        font->DrawText(target, kVersionRight, kVersionBaseline - font->GetHeight(), version.CStr(), kJustifyRight);
    }
}

bool CGame::Draw()
{
    CScreenFrame* display = GetDisplay();
    if (!display || !m_backBufferReady)
        return CApplicationBase::Draw();
    const auto composeStart = std::chrono::steady_clock::now();
    // A fading screen changes everywhere; the first frame at full level too.
    if (display->GetFadeLevel() != 1.0f) {
        m_backBuffer->MarkAllDirty();
        m_drewFadedIn = false;
    } else if (!m_drewFadedIn) {
        m_backBuffer->MarkAllDirty();
        m_drewFadedIn = true;
    }
    if (m_mode == kModePlaying && !m_commercial && !m_blankBackground)
        UpdateScoreBoardFields();
    RebuildBackground();
    m_backBuffer->Clear();
    g_mouse.SetCursorVisible(HasModalWindow());
    StartDrawTiming();
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    recorder->PlayFrame();
    if (m_commercial) {
        m_messageDisplay->Draw(m_backBuffer.get());
        m_timedMessage->Draw(m_backBuffer.get());
    } else if (!m_blankBackground) {
        if (m_mode == kModePlaying) {
            m_playfield->Draw(m_backBuffer.get());
            DrawScoreBoard(m_backBuffer.get());
            m_playfield->DrawBrickLayer(m_backBuffer.get());
            m_timedMessage->Draw(m_backBuffer.get());
        } else if (m_mode == kModeMainMenu) {
            DrawMenuBalls(m_backBuffer.get());
        }
    }
    recorder->EndFrame();
    // The windows and the pointer are kept over the picture and drawn again only where they
    // changed or where the picture under them was.
    m_backBuffer->BeginOverlay();
    DrawScreenWindow();
    g_mouse.DrawCursor(m_backBuffer.get());
    m_backBuffer->EndOverlay();
    const auto presentStart = std::chrono::steady_clock::now();
    if (display->Lock() == CScreenFrame::kLockDone) {
        m_backBuffer->PresentDirtyCells(display, &g_copyBlitter);
        display->Unlock();
    }
    const bool presented = CApplicationBase::Draw();
    const auto presentEnd = std::chrono::steady_clock::now();
    m_frameTimes.compose = std::chrono::duration<double>(presentStart - composeStart).count();
    m_frameTimes.present = std::chrono::duration<double>(presentEnd - presentStart).count();
    if (presented)
        m_backBuffer->NextPage();
    if (presented && m_mode == kModeMainMenu && s_firstMainMenuDraw) {
        void (*handler)() = s_firstMainMenuDraw;
        s_firstMainMenuDraw = nullptr;
        handler();
    }
    return presented;
}

void SetFirstMainMenuDrawHandler(void (*handler)())
{
    s_firstMainMenuDraw = handler;
}
