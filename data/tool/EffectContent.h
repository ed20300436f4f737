#pragma once
// The game world's effects in the files the program loads them from: the one-shot effect
// sequences "Small Gore" and "ShipExplode", the spark sequences ("Spark Yellow", "Spark Orange",
// "Spark Blue") and the particle generators the world names, each "Resources/<name>.PGen" in the
// object text format ("!None" without particle kinds, "Ball Hit Wall", "Ball Hit Ship", "Ball Hit
// Brick", "Fire Ball", "Rail Ball", each also "... Small", "Ship Thruster", "Ship Explode", "Bomb
// Explode", "Brick Change Type", and the bricks' "Brick Break" and "Brick Blast").
//
// The rule a caller must know: the sequences are written through a staging folder of their own,
// so no other staging folder may live while AddEffects runs.
#include "ContentSet.h"

#include <string>
#include <vector>


// False, with error set, when one cannot be drawn, written or added.
bool AddEffects(CContentSet& set, std::string& error);

