#pragma once
// The gallery's "tree" page: a window as large as the screen with panels placed by placement
// codes, each drawn on the window textures with a title band and a bevel; bevels of both styles and
// of single sides, texts with shortcuts, the three symbol texts and dimmed text, and a row of tab
// stops whose focused one shows the focus frame. Tab, Shift+Tab and Alt with a field's letter move
// the focus; a field shows its tooltip under the pointer.
#include "ui/JWindow.h"

// Opens the page on the screen window, which owns it from then on; the fonts must outlive it.
void OpenGalleryTreePage(CJWindow* screen);
