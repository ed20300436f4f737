#pragma once
// The drawn mouse cursor and the bitmap fonts in the files the program loads them from, written
// by the engine's own writers:
// - the sequence "MouseCursor": "Resources/-MouseCursor/Properties.txt", which lists it, and its
//   source image "Cache/Resources/MouseCursor.Sequence", from which the program builds the cache
//   for its display depth on first use;
// - each font: "Fonts/-<name>/Properties.txt" and its glyph strip "Fonts/-<name>/<name>.tga".
//
// The rule a caller must know: the Save functions write below the engine's base folder, as the
// program's own writers do; AddCursorAndFonts stages them in a scratch folder of its own.
#include "ContentSet.h"
#include "FontPainter.h"
#include "Image.h"

#include <string>
#include <vector>

// The cursor's soft edges and shadow keep their alpha, and its hot spot stays at the arrow's
// tip. False when it cannot be written.
bool SaveMouseCursor(const CImage& cursor);
// Glyphs advance by their full width from the pen, the line height is the glyphs' height, and
// a face of one advance becomes a fixed-width font. False when the font cannot be written so.
bool SaveFont(const FontImages& font);

// Writes the cursor and the fonts into the set's archives "Resources", "Cache" and "Fonts".
// False, with error set, when one cannot be written.
bool AddCursorAndFonts(const CImage& cursor, const std::vector<FontImages>& fonts, CContentSet& set,
                       std::string& error);
