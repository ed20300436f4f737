#pragma once
// The sequence "!None": the first entry of the sequence list (a '!' sorts before every other
// name), so that a sequence index of 0 in the game's data means "no sequence". It has no frames;
// its item folder alone lists it.
#include "ContentSet.h"

#include <string>

// Adds "Resources/-!None/Properties.txt" to the set. False, with error set, when it cannot.
bool AddNoneSequence(CContentSet& set, std::string& error);
