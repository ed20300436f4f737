#pragma once
// The gallery's "options" page: the backdrop of window textures with one of the options dialogs
// open over it, as the options menu opens them ("sound", "video", "background" or "controls";
// the controls dialog edits a control set of the gallery's own).
#include "ui/JWindow.h"

// Opens the page on the screen window, which owns it from then on; false for an unknown dialog.
bool OpenGalleryOptionsPage(CJWindow* screen, const char* dialog);
