#pragma once
// A sequence drawn for the data set, written by the engine's own sequence writer into the
// engine's base folder (a staging folder): its properties and its lossless source image.
#include "Image.h"

#include <vector>

// The frames (each drawn with its hot spot) at the frame rate, blitted through "Transparent Mask"
// with their soft edges kept; dithered for displays of fewer bits when asked (as stand-alone
// pictures are). False when a frame is empty or a file cannot be written.
bool SaveDrawnSequence(const char* folder, const char* name, const std::vector<CImage>& frames,
                       float framesPerSecond, bool dither = false);
