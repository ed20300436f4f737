#include "shell/SuspendCurrentGame.h"

#include "shell/stats/Stats.h"

bool SuspendCurrentGame(CStats* stats, uint32_t round, int32_t livesLeft, uint64_t now)
{
    CPlayerStats* player = stats ? stats->GetCurrentPlayer() : nullptr;
    if (!player)
        return false;
    // The player holds one suspended game: the new one replaces any older.
    auto* suspended = new CSuspendedGameStats;
    suspended->CopyPropertiesFrom(&stats->GetCurrentGame());
    suspended->SetEndingRound(round);
    suspended->SetEndTime(now);
    suspended->SetBallsLeft(livesLeft > 0 ? static_cast<uint32_t>(livesLeft) : 0u);
    player->SetSuspendedGame(suspended);
    return stats->Save();
}
