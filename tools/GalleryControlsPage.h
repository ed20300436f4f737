#pragma once
// The gallery's "controls" page: a tab control whose first page holds sliders and a column
// header, and whose second page (Ctrl+Tab) holds a window larger than its content area with its
// automatic scroll bars, beside a free-standing horizontal scroll bar.
#include "ui/JWindow.h"

// Opens the page on the screen window, which owns it from then on; the fonts must outlive it.
void OpenGalleryControlsPage(CJWindow* screen);
