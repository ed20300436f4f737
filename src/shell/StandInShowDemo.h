#pragma once
// What stands in for the commercials' "show a demo now" until the commercial list exists: the one
// stand-in demo clip, played from the main menu.
//
// The rule a caller must know: it acts only in the main menu; elsewhere, or when the clip cannot
// be read, the game stays as it is (or goes back to the menu).
void ShowDemoNow();
