#pragma once
// The bricks, backgrounds and round layouts of the data set, in the archive "Resources":
// - "!None.Brick" and one brick type file per type ("Bricks/<type>.Brick", a '/' of the type's
//   name written as '-'), naming its looks, sounds and break particles (BrickLooks.h), which are
//   drawn and added with it;
// - "!None.Background", the background of no scenery (the others come with their pictures);
// - "!None.Vantorel", the round of no bricks, and the drawn rounds and their round sets
//   (DrawnRounds.h), written by the engine's own writer.
//
// The rule a caller must know: writing a layout sets up the game's brick and background
// collections with the names written here, and leaves them empty again.
#include "ContentSet.h"

#include <string>
#include <vector>

// The brick type names written, "!None" first.
std::vector<std::string> GetBrickContentNames();

// Adds the files to the set. False, with error set, when one cannot be added.
bool AddBrickContent(CContentSet& set, std::string& error);
