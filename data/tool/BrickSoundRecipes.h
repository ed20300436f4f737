#pragma once
// The sounds the brick types name, synthesised: steel ringing when struck ("Brick Clank.wav"),
// a dull knock on stone ("Brick Thud.wav"), the shove of a nudge brick ("Brick Nudge.wav"), a
// cracking 3-hit brick ("Brick Damaged.wav") and a brick going off ("Brick Explode.wav").
#include "SoundRecipes.h"

#include <vector>

// Appends the recipes, in a fixed order, to the list.
void AppendBrickSoundRecipes(std::vector<SoundRecipe>& recipes);
