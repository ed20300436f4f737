#pragma once
// The project's skin "Vantorel": the skin file "Resources/Vantorel.JWindowSkin" (an alpha theme
// naming the project's fonts) and the pictures it names, drawn here: window and button textures,
// four rounded corners, and highlights that glow beyond the window's top corners. The picture
// "!None" sorts first in the frame list and stands for "no picture".
//
// The rule a caller must know: the engine writes the window texture's colours into the corners, so
// the corners and that texture have property files that turn run-length encoding off.
#include "ContentSet.h"
#include "Image.h"

#include <string>
#include <vector>

struct SkinPicture
{
    const char* name;
    CImage image;
    bool plainRows;  // the engine reads or writes its pixels: its property file turns run-length encoding off
};

// The property file of a picture kept in plain rows.
inline constexpr const char* kPlainRowsProperties = "CStandAloneFrame\r\n{\r\n\tRun Length Encode=0\r\n}\r\n";

// The skin's pictures, "!None" first.
std::vector<SkinPicture> PaintSkinPictures();

// The skin file's text, exactly as the engine writes the theme back.
const std::string& GetVantorelSkinText();

// Adds the skin file, the pictures' source images and the corners' property files. False, with
// error set, when a picture cannot be encoded or an entry is there twice.
bool AddSkinContent(CContentSet& set, std::string& error);
