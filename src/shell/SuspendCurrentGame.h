#pragma once
// Suspending the game in progress, as far as the statistics go: the current player's suspended
// game becomes a copy of the current game's record (the round to restart, the lives in reserve,
// the moment it was left) and the statistics are saved. Resuming it, and the playfield's own part
// of suspending, come with the player flow.
//
// The rule a caller must know: without statistics or a current player nothing is kept and the
// answer is false.
#include <cstdint>

class CStats;

bool SuspendCurrentGame(CStats* stats, uint32_t round, int32_t livesLeft, uint64_t now);
