#pragma once
// The data set's backgrounds, in the files the program loads them from:
// - "Resources/Space.Background": a starfield behind everything, a ringed planet as its midground,
//   shadows, the three Space mixes as its music, tumbling debris behind the field and specks of
//   dust in front of it;
// - "Resources/Deep Sea.Background": deep water with fish and plankton behind the field and the
//   water theme as its music;
// - their pictures: the stand-alone frames "!None" (nothing, so that frame entry 0 means none),
//   "Backgrounds/Space" and "Backgrounds/Deep Sea", and the sequences "Space Midground", "Space
//   Debris", "Space Dust", "Fish Left", "Fish Right" and "Plankton".
//
// The rule a caller must know: the sequences are written through a staging folder of their own,
// so no other staging folder may live while AddBackgrounds runs.
#include "ContentSet.h"

#include <string>

// False, with error set, when one cannot be drawn, written or added.
bool AddBackgrounds(CContentSet& set, std::string& error);
