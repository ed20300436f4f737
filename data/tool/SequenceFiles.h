#pragma once
// Writes a sequence of drawn pictures as the program loads it: its properties and its source
// image under "<folder>/<name>", with soft alpha edges kept, losslessly, drawn through
// "Transparent Mask".
//
// The rule a caller must know: the files go below the current base folder, so callers write
// through a staging folder.
#include "Image.h"

#include <vector>

// False when a frame cannot be made or a file cannot be written.
bool SaveAlphaSequence(const char* folder, const char* name, float framesPerSecond, const std::vector<CImage>& frames);
