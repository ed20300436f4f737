#pragma once
// The wait dialog's spinner ("Interface/WebSpinner"): a ring of dots in which a bright dot runs
// round clockwise, trailing dots that fade behind it. Its frames loop at 12 frames a second, and
// each frame's hot spot is the ring's centre, so the dialog draws it centred on that point.
#include "ContentSet.h"
#include "Image.h"

#include <string>
#include <vector>

constexpr int kWebSpinnerFrames = 12;

// The frames in play order.
std::vector<CImage> PaintWebSpinner();
// Writes the sequence into the set's archives "Resources" and "Cache", as the engine's own writer
// does. False, with error set, when it cannot be written.
bool AddWebSpinner(CContentSet& set, std::string& error);
