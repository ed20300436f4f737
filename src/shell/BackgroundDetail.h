#pragma once
// The game's background detail level as the options reach it: 0 no background image, 1 the still
// image, 2 the animated background with its decoration sprites. The running game object owns the
// level (it rebuilds its background on a change); without one the settings file answers.
//
// The rule a caller must know: levels outside 0 .. 2 are refused.

// The game's level, or "Background Detail Level" from the settings (default 2) without a game.
int GetGameBackgroundDetailLevel();
// Gives the level to the game (which stores it in the settings) or, without a game, to the
// settings; false for a level outside 0 .. 2 or a settings file that cannot be written.
bool SetGameBackgroundDetailLevel(int level);
