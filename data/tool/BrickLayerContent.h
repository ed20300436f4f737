#pragma once
// The brick-laying machine, drawn by code: "Brick Layer/Bar", a steel rail across the field that
// rides up and down with the carriage; "Brick Layer/Left Gears" and "Brick Layer/Right Gears",
// the wheels at its ends that turn as it moves (their frame rate is the pixels of travel per turn
// of their frames); and "Brick Layer/Carriage", the trolley whose arms hold a brick's place while
// a field of light sets the brick there (its frames play once for every brick laid).
//
// The rule a caller must know: the bar and the gears are drawn at the middle of the screen's
// width on the carriage's row, so their hot spots lie far outside them; the sequences are written
// through a staging folder of their own, so no other may live while AddBrickLayerContent runs.
#include "DrawnSequence.h"

#include <string>
#include <vector>

// The four sequences, drawn.
std::vector<DrawnSequence> PaintBrickLayer();

// False, with error set, when a sequence cannot be written or added.
bool AddBrickLayerContent(CContentSet& set, std::string& error);
