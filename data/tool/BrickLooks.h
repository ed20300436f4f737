#pragma once
// The looks of the twenty brick types, drawn by code: each type's sequences under "Brick Looks/"
// (the primary look, the damaged looks of the 3-hit bricks, the toggles' "Toggle Off" and
// "Toggle On", and "<look> Breaking", the effect left where a brick goes), the chips its break
// particles are made of ("Brick Chips/<colour>"), and the sounds and particles its file names.
// Every look is 32 x 18 pixels about the brick's position, the size the round layouts place.
//
// The rule a caller must know: the sequences are written through a staging folder of their own,
// so no other staging folder may live while AddBrickLooks runs.
#include "ContentSet.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What one brick type file names; an empty name means none.
struct BrickLook
{
    std::string primary;
    std::string second;
    std::string third;
    std::string destroyed;
    std::string destroyedSound;
    std::string indestructibleSound;
    std::string damagedSound;
    std::string breakGenerator;
    // The break particles' sequences and their weights.
    std::vector<std::pair<std::string, uint32_t>> breakParticles;
};

// The look of the type (0 "Normal" .. 19 "Trapped Ball").
BrickLook GetBrickLook(uint32_t type);

// Paints every sequence the looks name and adds it to the set. False, with error set, when one
// cannot be written or added.
bool AddBrickLooks(CContentSet& set, std::string& error);
