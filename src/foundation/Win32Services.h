#pragma once
// The operating-system services the engine calls by their familiar names: the command line and its
// options, the program's folder, message boxes, starting programs, the tick count, the clipboard.
// All of it goes through the platform layer.
#include "foundation/MutexLock.h"
#include "foundation/StartupStatusDisplay.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The command line: argv[1..] joined by spaces, arguments with blanks in double quotes.
void SetCommandLine(const char* text);
const char* GetCommandLine();

// True when the first occurrence of option (ignoring case) is followed by the end of the command
// line or by a tab, space, CR or LF.
bool HasCommandLineOption(const char* option);

// The integer after option (a plain or a double-quoted value); defaultValue when the option is
// missing or nothing follows it.
int GetCommandLineOptionInt(const char* option, int defaultValue);
// The word after option, or a double-quoted value (blanks kept) without its quotes; false, text
// untouched, when the option is missing or nothing follows it.
bool GetCommandLineOptionText(const char* option, std::string& text);

// The program file's folder, with its separator, into buffer; false when it does not fit or the
// program's file cannot be read.
bool GetExecutableFolder(char* buffer, size_t size);
std::string GetExecutableFolder();
bool GetProgramFileName(char* buffer, size_t size);
// The temporary folder, ending with '/'.
bool GetTempFolder(char* buffer, size_t size);
void SetCurrentDirectoryToExecutableFolder();

// Asks the main window to close; the close then takes the normal shut-down.
void CloseMainWindow();
// Gives the desktop the front: the game's window is minimised.
void BringDesktopToFront();

// The box every error is shown in, with the system arrow shown while it is open.
void ShowMessageBox(const char* caption, const char* text);
// The same box, needing no window and touching neither the cursor nor the window.
void ShowPlainMessageBox(const char* caption, const char* text);

// Every fatal end of the engine: the system arrow shown and the desktop brought to the front, then
// the platform's one fatal end (the box, a test's handler, status 255).
[[noreturn]] void FatalExit(const char* caption, const char* text);

int GetScreenBitDepth();

// A started program, known by its process id.
using ProcessHandle = int;
constexpr int kShowHidden = 1;

// Starts program with argument (or none) in folder (null: the current one); the started program
// sees the path and the argument as one argument each. The show mode is accepted and ignored.
bool LaunchProgram(const char* program, const char* argument, int showMode, ProcessHandle* handle,
                   const char* folder);
bool LaunchProgram(const char* program, const char* argument, const char* folder, int showMode);

// Opens a document or an address with its associated program.
bool ShellOpen(const char* document);

// a x 2^shift / b through a 64-bit intermediate, rounded half away from zero; -1 when b is 0 or
// the result does not fit.
int FixedPointDivide(int a, int b, int shift);

// The tick count's low 24 bits.
uint32_t GetTickCount24();

// Puts n bytes of text on the clipboard.
bool CopyTextToClipboard(const char* text, size_t n);
// The clipboard's text in a new buffer that replaces (and frees) the one owner held; null, with
// owner emptied, when the clipboard holds no text.
const char* PasteTextFromClipboard(std::unique_ptr<char[]>& owner);
// The same with the buffer this layer owns until the next paste.
const char* PasteTextFromClipboard();
