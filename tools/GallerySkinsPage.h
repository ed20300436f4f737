#pragma once
// The gallery's "skins" page: the skin "Vantorel" made the default theme, and a dialog drawn in it
// (window border with rounded corners and glowing highlights, a close button in the special
// highlight, skinned buttons that change border under the pointer and when pressed, a check box
// and a separator) that slides in from the left.
#include "ui/JWindow.h"

// Opens the page on the screen window; false, after saying why on stderr, when the data set has no
// skin "Vantorel".
bool OpenGallerySkinsPage(CJWindow* screen);
