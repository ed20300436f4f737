#pragma once
// A sequence drawn for the data set, written by the engine's own sequence writer into the
// engine's base folder (a staging folder): its properties and its lossless source image.
#include "ContentSet.h"
#include "Image.h"

#include <string>
#include <vector>

// A sequence's frames, drawn, with its name and frame rate.
struct DrawnSequence
{
    std::string name;
    float framesPerSecond = 1.0f;
    std::vector<CImage> frames;
};

// The frames (each drawn with its hot spot) at the frame rate, blitted through "Transparent Mask"
// with their soft edges kept; dithered for displays of fewer bits when asked (as stand-alone
// pictures are). False when a frame is empty or a file cannot be written.
bool SaveDrawnSequence(const char* folder, const char* name, const std::vector<CImage>& frames,
                       float framesPerSecond, bool dither = false);

// Writes every sequence into the folder "Resources" of a staging folder of its own and adds the
// files to the set (so no other staging folder may live meanwhile). False, with error set, when
// one cannot be written or added.
bool AddDrawnSequences(CContentSet& set, const std::vector<DrawnSequence>& sequences, std::string& error);
