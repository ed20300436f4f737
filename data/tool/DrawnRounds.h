#pragma once
// The data set's round sets and the layouts drawn for them (RoundMaps.h):
// - twenty layouts under "Resources/Rounds/", ten for each set, that between them lay every brick
//   type, on the background "Space" or "Deep Sea";
// - "Resources/Classic.RoundSet" and "Resources/Expert.RoundSet": their ten rounds each, with
//   checkpoints at the first and the sixth round;
// - "Resources/Checkpoints/<set> <n>": the picture of each checkpoint (n from 1), a thumbnail of
//   its round's layout.
//
// The rule a caller must know: the layouts name their bricks and backgrounds through the game's
// collections, which the caller must have filled with the data set's names (the brick content
// does so while it writes its layouts).
#include "ContentSet.h"

#include <string>
#include <vector>

// The layout names written ("Rounds/<name>"), Classic's rounds and then Expert's.
std::vector<std::string> GetDrawnLayoutNames();
// The rounds of "Classic" and of "Expert", by layout name.
std::vector<std::string> GetClassicRounds();
std::vector<std::string> GetExpertRounds();

// Adds the layouts, the round sets and the checkpoints' pictures. False, with error set, when one
// cannot be written or added.
bool AddDrawnRounds(CContentSet& set, std::string& error);
