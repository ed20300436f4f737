#pragma once
// Screenshots of the game: the back buffer written as a TGA file under the first free numbered
// name ("Vantorel Screen Shot 00.TGA", "01", ...) in the current folder.
//
// The rule a caller must know: the picture is written whole to a temporary file, which then
// takes the first free number by a rename that never replaces a file; an existing file is never
// overwritten, even by another program taking a screenshot at the same moment, and a numbered
// file always holds a whole picture.
#include "app/OwnFiles.h"

#include <string>

class CFrame;

inline constexpr const char* kScreenshotPattern = ownfiles::kScreenshotPattern;

// Writes the frame under the first free name the pattern (one integer conversion) makes with 0, 1,
// 2, ...; the name written, or "" when no name could be claimed or the frame could not be written
// (then no file is left behind).
std::string SaveScreenshot(CFrame& frame, const char* pattern = kScreenshotPattern);
