#pragma once
// The game's set-up, called by the program's entry: creates the start-up picture screen and the
// game object, runs its Init, and with "/exit" on the command line ends the program right there.
void SetupGame();
