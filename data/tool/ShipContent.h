#pragma once
// The player's side of the game world, drawn by code: the balls' rolling looks ("Ball", "Ball
// Fire", "Ball Rail", "Small Ball", each a 12 x 12 grid of frames), six ships ("TX Ship", "TX Ship
// 1" .. "TX Ship 5", nine tilt frames each, listed in that order right after "TX Ship"), the five
// shields, the two exhausts, the small and big guns with their recoils, the two shots and the
// fifteen power-up capsules ("Power Ups/...").
//
// The rule a caller must know: the sequences are written through a staging folder of their own,
// so no other staging folder may live while AddShipContent runs.
#include "ContentSet.h"

#include <string>

// False, with error set, when one cannot be drawn, written or added.
bool AddShipContent(CContentSet& set, std::string& error);
