#pragma once
// The gallery's "buttons" page: panels drawn by the theme's caption part holding push buttons (one
// disabled, one repeating while held, two with an image, one of them disabled), a radio group of
// check buttons behind a start button, and check boxes (one tied to a byte, one disabled). A line
// at the bottom names the last click. Tab from the start button reaches the checked radio member;
// Left and Right move through the group.
#include "ui/JWindow.h"

// Opens the page on the screen window, which owns it from then on; the fonts must outlive it.
void OpenGalleryButtonsPage(CJWindow* screen);
