#pragma once
// "Check for updates", as the main menu's reminder and the options menu offer it: the reminder
// starts counting launches again, and the question "Connect to the Internet" opens; once the
// player is connected, the version check with the module database fetched takes its place.
//
// The rule a caller must know: the question opens over the dialog given, which is stacked under it
// and comes back when the question (or the version check after it) closes.
class CJDialog;
class CJWindow;

// Over the dialog when there is one, else modally on the screen window (nothing without either).
void StartUpdateCheck(CJDialog* over, CJWindow* screen);
