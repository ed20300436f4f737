#pragma once
// Fonts and frames straight from the drawn pictures, for programs and tests that draw with the
// project's fonts without building or mounting the data set.
//
// The rule a caller must know: the font loads through the stages of the current display depth
// (SetDisplayBitsPerPixel first), as the font list would load it.
#include "Image.h"

#include <memory>
#include <string>

class CFont;
class CFrame;

// A new 32-bit frame of the picture's pixels (the caller owns it).
CFrame* NewFrameFromImage(const CImage& image);

// The font of that recipe name painted from the font folder; null, with error set, when there is
// no such recipe or it cannot be painted.
std::unique_ptr<CFont> PaintRecipeFont(const char* name, const std::string& fontFolder, std::string& error);
