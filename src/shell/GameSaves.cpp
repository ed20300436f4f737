// The game object's saves of the statistics: a finished game, a suspended game, a resumed one and
// the shut-down; each failure is told to the player with what was not kept.
#include "foundation/LocalizedString.h"
#include "shell/Game.h"
#include "shell/stats/Stats.h"

namespace {

const CLocalizedString g_finishedGameNotSaved("Your finished game was not saved.");
const CLocalizedString g_suspendedGameNotSaved("The suspended game was not saved.");
const CLocalizedString g_resumedGameNotSaved("The resumed game was not saved.",
                                             "The statistics file still holds the game as suspended");
const CLocalizedString g_statisticsNotSaved("Your statistics were not saved.");

} // namespace

void CGame::SaveStats(const CLocalizedString& whatIsLost)
{
    if (!m_stats)
        return;
    if (m_stats->Save())
        TellStatsSaved(*m_stats);
    else
        TellStatsNotSaved(*m_stats, whatIsLost);
}

void CGame::TellStatsSaved(const CStats& stats)
{
    m_saveNotices.NoteSaved(stats.GetFileName().CStr());
}

void CGame::TellStatsNotSaved(const CStats& stats, const CLocalizedString& whatIsLost)
{
    m_saveNotices.Add(whatIsLost, stats.GetFileName().CStr(), stats.GetSaveError());
}

void TellStatsNotSaved(const CStats& stats, const CLocalizedString& whatIsLost)
{
    if (CGame* game = GetGame()) {
        game->TellStatsNotSaved(stats, whatIsLost);
        return;
    }
    CSaveFailureNotices notices;
    notices.Close();
    notices.Add(whatIsLost, stats.GetFileName().CStr(), stats.GetSaveError());
}

void TellStatsSaved(const CStats& stats)
{
    // Without a game object every failure is told at once: there is nothing to end.
    if (CGame* game = GetGame())
        game->TellStatsSaved(stats);
}

void CGame::SaveFinishedGame()
{
    SaveStats(g_finishedGameNotSaved);
}

void CGame::StoreSuspendedGame(uint32_t ballsLeft)
{
    CPlayerStats* player = m_stats ? m_stats->GetCurrentPlayer() : nullptr;
    if (!player)
        return;
    auto* snapshot = new CSuspendedGameStats;
    snapshot->SetPropertiesToDefaults();
    snapshot->CopyPropertiesFrom(&m_stats->GetCurrentGame());
    snapshot->SetBallsLeft(ballsLeft);
    player->SetSuspendedGame(snapshot);
    SaveStats(g_suspendedGameNotSaved);
}

void CGame::DiscardSuspendedGame()
{
    CPlayerStats* player = m_stats ? m_stats->GetCurrentPlayer() : nullptr;
    if (!player)
        return;
    player->SetSuspendedGame(nullptr);
    SaveStats(g_resumedGameNotSaved);
}

void CGame::SaveStatsAtClose()
{
    // No window of the game will show a notice from here on.
    m_saveNotices.Close();
    SaveStats(g_statisticsNotSaved);
}
