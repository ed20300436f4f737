#pragma once
// The pictures of a game's end: "Game Over", large lettering drawn over the field when the last
// ball is lost, and "Completed Game", the full-screen picture shown for a finished last round,
// with room in its lower half for the overlay texts that name the player, the difficulty and the
// score ("Completed Game.FOO").
#include "Image.h"

#include <string>

// Empty, with error set, when the font cannot be opened.
CImage PaintGameOverPicture(const std::string& fontFolder, std::string& error);
CImage PaintCompletedGamePicture(const std::string& fontFolder, std::string& error);
