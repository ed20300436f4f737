#pragma once
// The sound effects of play, synthesised: the ship's thrust, guns, shield snaps and electric
// catcher, the sparks, the power-ups' pick-up sounds and the bomb's. Three of them loop while
// the game plays them ("Electric/Can Catch.wav", "Electric/Hold.wav", "Bomb Dropped.wav"), so they
// begin and end in silence like every other effect.
#include "SoundRecipes.h"

#include <vector>

// Appends the recipes, in a fixed order, to the list.
void AppendPlaySoundRecipes(std::vector<SoundRecipe>& recipes);
