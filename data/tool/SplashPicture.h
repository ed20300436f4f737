#pragma once
// The start-up picture "Splash" (640 x 480), shown while the game loads: a dark blue sky
// brightening towards a ring of light in the middle, with room at the bottom for the overlay
// options' text.
#include "Image.h"

CImage PaintSplashPicture();
