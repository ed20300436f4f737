#pragma once
// Two pictures of the start-up and the main menu:
// - "Splash" (640 x 480), shown while the game loads: a dark blue sky brightening towards a ring
//   of light in the middle, with room at the bottom for the overlay options' text;
// - the one frame of the sequence "Menu Ball" (14 x 14), a shaded silver ball with a soft edge;
//   its width is the ball's diameter, from which the menu builds the ball's outline.
#include "Image.h"

constexpr int kMenuBallDiameter = 14;

CImage PaintSplashPicture();
CImage PaintMenuBall();
