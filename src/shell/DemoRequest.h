#pragma once
// Asking for a demo: the choice of the commercial to show and its start in the game.
//
// The rule a caller must know: with no commercial nothing starts, so the caller stays where it is.
#include <cstdint>

class CCommercialCollection;

// The index of the commercial to show, or -1 when the collection is empty. While firstTime is set
// and no game was ever finished the one named "1 Intro" is chosen (when there is one) and
// firstTime clears; otherwise a random one from the general generator.
int ChooseDemoCommercial(CCommercialCollection& commercials, uint32_t gamesFinished, bool& firstTime);
// Chooses a commercial and has the game start it as a demo; nothing without one.
void ShowDemoNow();
