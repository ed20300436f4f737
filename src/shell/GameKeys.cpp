// The game object's keys outside the menus: skipping the laying of bricks, leaving a demo, the
// pause menu, the background detail, screenshots and the frame statistics.
#include "app/Keyboard.h"
#include "game/Playfield.h"
#include "graphics/DirtyRectFrame.h"
#include "objects/DataNames.h"
#include "shell/Game.h"
#include "shell/Commercial.h"
#include "shell/PauseMenu.h"
#include "shell/Screenshot.h"
#include "shell/dialogs/ControlsDialog.h"
#include "sound/SoundList.h"
#include "ui/ScreenWindow.h"

namespace {

constexpr int kF1 = 19;
constexpr int kF5 = 2;
constexpr int kF10 = 25;
constexpr int kEscape = 27;
constexpr int kTilde = 126;

} // namespace

int NextBackgroundDetailLevel(int level)
{
    return level <= 0 ? 2 : level - 1;
}

void CGame::CycleBackgroundDetailLevel()
{
    SetBackgroundDetailLevel(NextBackgroundDetailLevel(m_backgroundDetailLevel));
}

bool CGame::OnKey(int key)
{
    if (IsPlaying() && m_playfield->HandleSkipKey(static_cast<uint32_t>(key)))
        return true;
    // Any key ends a demo, and nothing else happens with it.
    if (m_commercial) {
        m_commercial->Stop();
        g_keyboard.ClearAll();
        return true;
    }
    switch (key) {
    case kF5:
        CycleBackgroundDetailLevel();
        break;
    case kF1:
        // Player 1's controls, shown modally; never a second one over the first.
        if (CScreenWindow* screen = GetScreenWindow();
            screen && !dynamic_cast<CControlsDialog*>(screen->GetModalWindow()))
            OpenControlsDialog(screen, GetPlayerControls(0));
        break;
    case kF10:
        if (m_backBuffer)
            SaveScreenshot(*m_backBuffer);
        break;
    case kEscape:
        // A pause menu never opens over another modal window (it would stack).
        if (m_mode != kModeMainMenu && !HasModalWindow())
            OnTimeout();
        break;
    case kTilde:
        ResetFrameTimers();
        break;
    default:
        break;
    }
    return CApplicationBase::OnKey(key);
}

void CGame::OnTimeout()
{
    CSoundList::GetInstance().PlaySound(dataname::sound::kTimeout);
    CPauseMenu::Open();
}
