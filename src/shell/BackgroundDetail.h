#pragma once
// The game's background detail level as the options reach it: 0 no background image, 1 the still
// image, 2 the animated background with its decoration sprites. For now the level lives in the
// settings file only; the game object takes it over (and rebuilds its background on a change).
//
// The rule a caller must know: levels outside 0 .. 2 are refused.

// "Background Detail Level" (default 2).
int GetGameBackgroundDetailLevel();
// Stores the level and writes it to the settings; false for a level outside 0 .. 2.
bool SetGameBackgroundDetailLevel(int level);
