#pragma once
// The mouse pointer ("MouseCursor"): a bevelled arrow, white shading to blue, with a dark
// outline and a soft shadow. Its hot spot is the arrow's tip.
#include "Image.h"

CImage PaintMouseCursor();
