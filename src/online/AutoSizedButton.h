#pragma once
// A push button sized by its theme to its text, as the online dialogs lay them out.
#include "foundation/SharedString.h"

class CCallback;
class CJButton;
class CJWindow;

// The button (not yet added to the parent) with the action, owned by it from here on (may be null).
CJButton* MakeAutoSizedButton(CJWindow* parent, const char* text, CCallback* action = nullptr);
// Sizes the button to its text again, after its text changed.
void AutoSizeButton(CJButton* button);
