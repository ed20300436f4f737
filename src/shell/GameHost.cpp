// The game object as the playfield's host: the current game's record and the current player in
// the statistics, the pictures and messages the playfield asks for, and the statistics dialog
// that follows a finished game.
#include "app/TimedPictureScreen.h"
#include "foundation/LocalizedString.h"
#include "game/Playfield.h"
#include "game/ship/MessageDisplay.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/FrameOverlayOptions.h"
#include "graphics/FrameOverlayOptionsCollection.h"
#include "shell/Game.h"
#include "shell/GameTypedWords.h"
#include "shell/TimedMessage.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "shell/stats/DifficultyNames.h"
#include "shell/stats/Stats.h"
#include "ui/ScreenWindow.h"

CPlayerControls* CGame::GetPlayerControls()
{
    return m_controls[0].get();
}

void CGame::ShowTimedMessage(const char* text)
{
    if (m_timedMessage)
        m_timedMessage->Show(text);
}

const char* CGame::GetDifficultyName(uint32_t difficulty) const
{
    return ::GetDifficultyName(difficulty).CStr();
}

void CGame::ShowPictureScreen(const char* name, const CTextSubstitutionList& substitutions, float seconds)
{
    if (!m_pictureScreen)
        return;
    // The picture and its overlay texts share the name; the start-up made sure the data has both.
    auto* picture = static_cast<CFrame*>(CFrameCollection::GetInstance().GetByName(name));
    auto* overlays = dynamic_cast<CFrameOverlayOptions*>(CFrameOverlayOptionsCollection::GetInstance().GetByName(name));
    // Showing waits out the previous picture's time first; the new time is this picture's own.
    m_pictureScreen->Show(picture, true, overlays, &substitutions);
    const float displayTime = m_pictureScreen->GetDisplayTime();
    m_pictureScreen->SetDisplayTime(seconds);
    m_pictureScreen->WaitUntilDone();
    m_pictureScreen->ReleasePicture();
    m_pictureScreen->SetDisplayTime(displayTime);
    // The picture was drawn straight onto the display: the whole screen is drawn again.
    InvalidateScreen();
    m_backBuffer->MarkAllDirty();
}

void CGame::ResetCurrentGame()
{
    if (m_stats)
        m_stats->ResetCurrentGame();
}

uint32_t CGame::GetScore() const
{
    return m_stats ? m_stats->GetCurrentGame().GetPointsScored() : 0;
}

void CGame::SetScore(uint32_t score)
{
    if (m_stats)
        m_stats->GetCurrentGame().SetPointsScored(score);
}

uint32_t CGame::GetDifficulty() const
{
    return m_stats ? m_stats->GetCurrentGame().GetDifficulty() : 1;
}

void CGame::SetDifficulty(uint32_t difficulty)
{
    if (m_stats)
        m_stats->GetCurrentGame().SetDifficulty(difficulty);
}

void CGame::SetStartRound(uint32_t round)
{
    if (m_stats)
        m_stats->GetCurrentGame().SetStartingRound(round);
}

void CGame::SetLastRound(uint32_t round)
{
    if (m_stats)
        m_stats->GetCurrentGame().SetEndingRound(round);
}

void CGame::SetStartTime(uint64_t time)
{
    if (m_stats)
        m_stats->GetCurrentGame().SetStartTime(time);
}

void CGame::SetEndTime(uint64_t time)
{
    if (m_stats)
        m_stats->GetCurrentGame().SetEndTime(time);
}

float CGame::GetGameTime() const
{
    return m_stats ? m_stats->GetCurrentGame().GetSecondsPlayed() : 0.0f;
}

void CGame::SetGameTime(float seconds)
{
    if (m_stats)
        m_stats->GetCurrentGame().SetSecondsPlayed(seconds);
}

bool CGame::IsCheated() const
{
    return m_stats && m_stats->GetCurrentGame().GetUsedCheat();
}

void CGame::SetCheated(bool cheated)
{
    if (m_stats)
        m_stats->GetCurrentGame().SetUsedCheat(cheated);
}

void CGame::CountBrickDestroyed()
{
    if (m_stats) {
        CGameStats& game = m_stats->GetCurrentGame();
        game.SetBricksDestroyed(game.GetBricksDestroyed() + 1);
    }
}

void CGame::CountBallLost()
{
    if (m_stats) {
        CGameStats& game = m_stats->GetCurrentGame();
        game.SetBallsLost(game.GetBallsLost() + 1);
    }
}

int CGame::GetPointsDisplayFactor() const
{
    return ::GetPointsDisplayFactor();
}

const char* CGame::GetPlayerName() const
{
    const CPlayerStats* player = m_stats ? m_stats->GetCurrentPlayer() : nullptr;
    return player ? player->GetName().CStr() : "";
}

uint32_t CGame::GetShipStyle() const
{
    const CPlayerStats* player = m_stats ? m_stats->GetCurrentPlayer() : nullptr;
    return player ? player->GetShipStyle() : 1;
}

bool CGame::HasReachedCheckPoint(uint32_t set, uint32_t checkPoint) const
{
    const CPlayerStats* player = m_stats ? m_stats->GetCurrentPlayer() : nullptr;
    return player && player->HasReachedCheckPoint(set, checkPoint);
}

void CGame::SetCheckPointReached(uint32_t set, uint32_t checkPoint)
{
    if (CPlayerStats* player = m_stats ? m_stats->GetCurrentPlayer() : nullptr)
        player->SetCheckPointReached(set, checkPoint);
}

void CGame::RecordFinishedGame()
{
    if (m_stats)
        m_stats->RecordFinishedGame();
}

uint32_t CGame::CountHigherScores(uint32_t score, uint32_t difficulty) const
{
    return m_stats ? m_stats->CountHigherScores(score, difficulty) : 0;
}

uint32_t CGame::CountPersonalHigherScores(uint32_t score, uint32_t difficulty) const
{
    const CPlayerStats* player = m_stats ? m_stats->GetCurrentPlayer() : nullptr;
    return player ? player->CountHigherScores(score, difficulty) : 0;
}

void CGame::ArchiveCurrentGame()
{
    m_archivedGame = m_stats ? m_stats->ArchiveCurrentGame() : nullptr;
}

void CGame::ShowVerdict(const char* text)
{
    // The verdict under the game's row in the statistics dialog, whose "Close" goes to the main
    // menu; without a screen window the verdict shows in a message over the main menu instead.
    if (OpenStatisticsDialog(static_cast<int32_t>(GetDifficulty()), m_archivedGame, text))
        return;
    GoToMainMenu();
    if (CScreenWindow* screen = GetScreenWindow())
        screen->ShowMessageText("Game Over", text);
}

bool CGame::LoadSuspendedGame(uint32_t& round, uint32_t& difficulty, uint32_t& ballsLeft)
{
    CPlayerStats* player = m_stats ? m_stats->GetCurrentPlayer() : nullptr;
    const CSuspendedGameStats* snapshot = player ? player->GetSuspendedGame() : nullptr;
    if (!snapshot)
        return false;
    m_stats->GetCurrentGame().CopyPropertiesFrom(snapshot);
    round = snapshot->GetEndingRound();
    difficulty = snapshot->GetDifficulty();
    ballsLeft = snapshot->GetBallsLeft();
    return true;
}
