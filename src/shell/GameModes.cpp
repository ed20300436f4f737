// The game object's modes: the main menu, play and demos, and what the playfield asks of the game
// when a game ends.
#include "app/DemoRecorder.h"
#include "app/Keyboard.h"
#include "foundation/LogSection.h"
#include "game/Playfield.h"
#include "game/ship/MessageDisplay.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "shell/Game.h"
#include "shell/MainMenuWindow.h"
#include "shell/Commercial.h"
#include "shell/DemoRecordingRun.h"
#include "sound/MusicMixer.h"
#include "ui/ScreenWindow.h"

namespace {

constexpr float kDemoMessageSeconds = 999.0f;

class CDemoFinished : public CDemoFinishCallback
{
public:
    explicit CDemoFinished(CGame* game) : m_game(game) {}
    void OnPlaybackFinished() override { m_game->OnDemoFinished(); }

private:
    CGame* m_game;
};

} // namespace

void CGame::GoToMainMenu()
{
    if (m_mode == kModeMainMenu)
        return;
    m_mode = kModeMainMenu;
    InvalidateScreen();
    if (CScreenWindow* screen = GetScreenWindow())
        screen->OpenModalWindow(new CMainMenuWindow, kPlaceNone);
    ResetMenuBalls();
}

void CGame::ClearMode()
{
    m_mode = kModeNone;
}

void CGame::OnClosing()
{
    // The window goes: a failed save of the suspend below is told through the system's box.
    m_saveNotices.Close();
    if (!IsPlaying() || m_commercial || GetDemoRecordingRun() || !m_playfield || m_playfield->IsGameOver())
        return;
    m_playfield->SuspendGame();
}

void CGame::EnterPlay(bool resume, uint32_t difficulty, uint32_t round)
{
    BeginLogSection("StartNewGame");
    m_mode = kModePlaying;
    m_archivedGame = nullptr;
    InvalidateScreen();
    m_playfield->SetBackground(nullptr);
    // Without a snapshot a resumed game starts its round anew.
    if (!resume || !m_playfield->RestoreSuspendedGame())
        m_playfield->StartNewGame(round, difficulty, resume);
    EndLogSection();
}

void CGame::StartNewGame(uint32_t difficulty, uint32_t round)
{
    EnterPlay(false, difficulty, round);
}

void CGame::ResumeGame()
{
    EnterPlay(true, GetDifficulty(), m_playfield->GetRound());
}

void CGame::StartDemo(CCommercial* commercial)
{
    if (!commercial)
        return;
    if (m_mode == kModeMainMenu)
        m_mode = kModeNone;
    CMainMenuWindow::CloseOpen();
    m_mode = kModePlaying;
    m_playfield->DeleteAllSprites();
    InvalidateScreen();
    if (!commercial->Play(m_playfield.get(), m_backBuffer.get())) {
        // A clip that cannot be read shows nothing: back to the menu at once.
        GoToMainMenu();
        return;
    }
    m_commercial = commercial;
    m_messageDisplay->Show("Demo Mode", 1, kDemoMessageSeconds, true);
    m_messageDisplay->AddLines("Press any key to exit", 0);
    CDemoRecorder::GetInstance()->SetFinishCallback(new CDemoFinished(this));
}

void CGame::OnDemoFinished()
{
    GoToMainMenu();
    m_messageDisplay->Clear();
    if (m_commercial) {
        m_commercial->ClearCaptions();
        m_commercial = nullptr;
    }
}

void CGame::SetMusic(const CMusicMixerData* music)
{
    if (music)
        m_musicMixer->SetMixerData(*music);
}
