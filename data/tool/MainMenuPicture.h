#pragma once
// The main menu's picture ("Main Menu Pluvex", 640 x 480): a night-blue backdrop, a sunken
// letter-shaped pit whose rim is exactly the wall the menu balls bounce inside (with the island
// in its upper bowl), a panel behind the menu buttons and a plaque where the credits hot spot lies.
#include "Image.h"

#include <utility>
#include <vector>

// The walls, in picture pixels, as the menu builds them for its balls.
const std::vector<std::pair<double, double>>& GetMenuOuterWall();
const std::vector<std::pair<double, double>>& GetMenuInnerWall();

CImage PaintMainMenuPicture();
