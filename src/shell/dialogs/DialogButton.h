#pragma once
// The shell dialogs' push buttons: made at the size their theme gives their text.
class CJButton;
class CJWindow;

// Not yet a child: the caller adds it.
CJButton* MakeDialogButton(CJWindow* parent, const char* text);
