#pragma once
// The project's skin "Vantorel": the skin file "Resources/Vantorel.JWindowSkin" (an alpha theme
// naming the project's fonts) and the pictures it names, drawn here: window and button textures,
// four rounded corners, and highlights that glow beyond the window's top corners. The picture
// "!None" sorts first in the frame list and stands for "no picture".
//
// The rule a caller must know: the engine writes the window texture's colours into the corners, so
// the corners and that texture have property files that turn run-length encoding off.
#include "ContentSet.h"

#include <string>

// The skin file's text, exactly as the engine writes the theme back.
const std::string& GetVantorelSkinText();

// Adds the skin file, the pictures' source images and the corners' property files. False, with
// error set, when a picture cannot be encoded or an entry is there twice.
bool AddSkinContent(CContentSet& set, std::string& error);
