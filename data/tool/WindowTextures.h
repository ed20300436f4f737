#pragma once
// The window toolkit's four textures in "Interface/Textures": "Window Texture", a brushed
// steel-blue surface behind every window, "Window Title Tile", the band behind a caption, and
// their muted "Inactive" forms for windows that do not have the focus.
//
// The rule a caller must know: every texture repeats without a seam in both directions and is a
// power of two wide and high, as the wrapping blend mode that draws them wants.
#include "ContentSet.h"
#include "Image.h"

#include <string>
#include <vector>

struct WindowTexture
{
    const char* name;
    CImage image;
};

std::vector<WindowTexture> PaintWindowTextures();

// Adds the textures as the source images the texture list loads ("Cache/Interface/Textures/
// <name>.Frame"). False, with error set, when one cannot be encoded or is there twice.
bool AddWindowTextures(CContentSet& set, std::string& error);
