#pragma once
// The engine's objects made straight from painted pictures, for programs and tests that need the
// project's fonts or cursor before (or without) a data set: the pictures converted as the frame
// load stages of the display depth convert them.
//
// The rule a caller must know: the display depth (SetDisplayBitsPerPixel) must be set first, as
// for every font the engine loads.
#include "Image.h"

#include <memory>
#include <string>

class CFont;
class CFrame;

// A 32-bit frame of the picture's pixels (the caller owns it).
CFrame* MakeFrameFromImage(const CImage& image);

// The font of the recipe of that name, painted from the faces in fontFolder; null, with error set,
// when there is no such recipe or the face does not open.
std::unique_ptr<CFont> MakePaintedFont(const char* name, const std::string& fontFolder, std::string& error);
