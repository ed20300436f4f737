#pragma once
// The gallery's "online" and "about" pages. "online" asks the connection question as the menus
// will before the version check; once answered (a click, Enter, or "Always Connected" in the
// settings) the version check downloads the module database from the address given (the default
// address otherwise) behind the wait dialog and lists the modules. "about" lists the installed
// modules without downloading.
#include "ui/JWindow.h"

// Opens the page on the screen window, which owns it from then on. versionCheckUrl empty: the
// configured address.
void OpenGalleryOnlinePage(CJWindow* screen, bool fetch, const char* versionCheckUrl);
