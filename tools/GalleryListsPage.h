#pragma once
// The gallery's "lists" page: a sorted three-column list under a header (click a title to sort by
// it, again to reverse), a tree list of folders and files with icons and connectors, and two
// drop-down boxes, the first of which has the focus, so F4, Up or Down open its list.
#include "ui/JWindow.h"

// Opens the page on the screen window, which owns it from then on; the fonts must outlive it.
void OpenGalleryListsPage(CJWindow* screen);
