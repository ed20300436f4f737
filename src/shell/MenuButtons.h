#pragma once
// The button column the game's menus share: buttons each below the previous, made as wide as the
// widest, and a closing button centred below them that is both the default and the cancel button.
#include <initializer_list>

class CJButton;
class CJDialog;

// A button sized to its text; the first of a column goes to the top left, the others below the
// previous one.
CJButton* AddColumnButton(CJDialog* dialog, const char* text, bool first);
// The buttons (nulls skipped) get the width of the widest; their left edges stay and the dialog
// grows to hold them.
void MatchButtonWidths(CJDialog* dialog, std::initializer_list<CJButton*> buttons);
// The closing button, centred below the previous one (6 units down): focused, default and cancel.
CJButton* AddClosingButton(CJDialog* dialog, const char* text);
