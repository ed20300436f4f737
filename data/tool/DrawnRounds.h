#pragma once
// The data set's round set and the layouts drawn for it as rows of characters:
// - eleven layouts under "Resources/Rounds/" (a pyramid, checkers, a diamond, columns, waves, a
//   fortress, an invader, an hourglass, a ladder, a cross and a zigzag), each on the background
//   "Space" or "Deep Sea";
// - "Resources/Classic.RoundSet" and "Resources/Expert.RoundSet": ten rounds each, of these and the
//   brick content's own layouts, with checkpoints at the first and the sixth round;
// - "Resources/Checkpoints/<set> <n>": the picture of each checkpoint (n from 1), a thumbnail of
//   its round's layout.
//
// The rule a caller must know: the layouts name their bricks and backgrounds through the game's
// collections, which the caller must have filled with the data set's names (the brick content
// does so while it writes its layouts).
#include "ContentSet.h"
#include "Image.h"

#include <map>
#include <string>
#include <vector>

// The layout names written, in the order of the rounds they first play in.
std::vector<std::string> GetDrawnLayoutNames();
// The rounds of "Classic" and of "Expert", by layout name.
std::vector<std::string> GetClassicRounds();
std::vector<std::string> GetExpertRounds();

// Adds the layouts, the round sets and the checkpoints' pictures; thumbnails holds those of the
// layouts written before, by layout name. False, with error set, when one cannot be written or
// added.
bool AddDrawnRounds(CContentSet& set, std::map<std::string, CImage> thumbnails, std::string& error);
