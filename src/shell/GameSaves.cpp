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

// The outcome of a save of the statistics, to the notices of the game that saved them.
void TellOutcome(CSaveFailureNotices& notices, const CStats& stats, bool saved, const CLocalizedString& whatIsLost)
{
    if (saved)
        notices.NoteSaved(stats.GetFileName().CStr());
    else
        notices.Add(whatIsLost, stats.GetFileName().CStr(), stats.GetSaveError());
}

} // namespace

void CGame::SaveStats(const CLocalizedString& whatIsLost)
{
    if (!m_stats)
        return;
    const bool saved = m_stats->Save();
    TellOutcome(m_saveNotices, *m_stats, saved, whatIsLost);
}

void TellStatsSaveOutcome(const CStats& stats, bool saved, const CLocalizedString& whatIsLost)
{
    if (CGame* game = GetGame()) {
        TellOutcome(game->m_saveNotices, stats, saved, whatIsLost);
        return;
    }
    // Without a game object every failure is told at once: there is no run of failures to end.
    if (!saved) {
        CSaveFailureNotices notices;
        notices.Close();
        TellOutcome(notices, stats, saved, whatIsLost);
    }
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
