#pragma once
// The pictures of the brick looks (BrickLooks.h), painted: every look of every type, each look's
// breaking, and the coloured chips of the break particles, by sequence name.
//
// The rule a caller must know: the names are those BrickLooks.h's files name; a look painted
// here that no file names is still written (and a file naming one not painted fails to load).
#include "DrawnSequence.h"

#include <string>
#include <vector>

// The looks of the types, then their breaking, then the chips.
std::vector<DrawnSequence> PaintBrickLooks();

// A look's name under "Brick Looks/"; its breaking's; the chips of a colour.
std::string BrickLookName(const char* look);
std::string BreakingLookName(const char* look);
std::string ChipsName(const char* colour);
