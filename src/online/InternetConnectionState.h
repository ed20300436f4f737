#pragma once
// The process-wide connection flags: whether a connection is known to exist (the player said so
// or a server answered) and whether a transfer has lost it since. The connection dialog reads and
// clears them; every transfer sets one of them when it ends.
//
// Main thread only.

bool IsInternetConnected();
bool IsInternetConnectionLost();
// Connected, and no longer lost.
void SetInternetConnected();
// Lost, and no longer connected.
void SetInternetConnectionLost();
// Forgets a loss once the player has been asked again; connected stays as it is.
void ClearInternetConnectionLost();
// True the first time it is asked in a run: the first connection question then reads the
// player's standing answer into the connected flag.
bool TakeFirstConnectionQuestion();
// Back to the start of a run: neither flag set, no question asked yet.
void ResetInternetConnectionState();
