#pragma once
// What the developer tools share at start-up: their command-line options, the real window (or
// none with --headless), and display settings kept out of the program's folder.
//
// The rule a caller must know: StartToolWindow must run before any display or mode set-up.

// The value after the option, or the fallback when the option or its value is missing.
const char* GetToolOption(int argc, char** argv, const char* name, const char* fallback);
int GetToolOptionInt(int argc, char** argv, const char* name, int fallback);
bool HasToolSwitch(int argc, char** argv, const char* name);

// Installs the stop-signal handlers and the SDL backend (unless --headless), opens the main window
// with the title and points the settings file at "<temporary folder>/<settingsName>". False,
// after saying why on stderr, when there is no display.
bool StartToolWindow(int argc, char** argv, const char* title, const char* settingsName);
