#pragma once
// The gallery's "dialogs" page: a dialog over the window textures with labels of one line,
// several lines and wrapped text, and edit fields (plain, numeric with a range, upper case with a
// maximum length, not editable). The name field has the focus, so typed text shows in it.
#include "ui/JWindow.h"

// Opens the page on the screen window, which owns it from then on; the fonts must outlive it.
void OpenGalleryDialogsPage(CJWindow* screen);
