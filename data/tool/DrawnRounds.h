#pragma once
// The data set's round set and the layouts drawn for it as rows of characters:
// - seven layouts under "Resources/Rounds/" (a pyramid, checkers, a diamond, columns, waves, a
//   fortress and an invader), each on the background "Space" or "Deep Sea";
// - "Resources/Classic.RoundSet": ten rounds, these with the brick content's own layouts, and
//   checkpoints at the first and the sixth round.
//
// The rule a caller must know: the layouts name their bricks and backgrounds through the game's
// collections, which the caller must have filled with the data set's names (the brick content
// does so while it writes its layouts).
#include "ContentSet.h"

#include <string>
#include <vector>

// The layout names written, in the order of the rounds they first play in.
std::vector<std::string> GetDrawnLayoutNames();
// The rounds of "Classic", by layout name.
std::vector<std::string> GetClassicRounds();

// Adds the layouts and the round set. False, with error set, when one cannot be written or added.
bool AddDrawnRounds(CContentSet& set, std::string& error);
