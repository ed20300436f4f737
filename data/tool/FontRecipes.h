#pragma once
// The bitmap fonts of the data set: for each, the DejaVu face it is rasterised from, its size,
// the character codes it holds and its style. Codes are Windows-1252, the program's own text.
#include "Lettering.h"

#include <vector>

struct FontRecipe
{
    const char* name;      // the font's resource name, as the program asks for it
    const char* faceFile;  // a file of Debian's fonts-dejavu-core
    int pixelSize;
    int firstCode;         // the codes of the font's glyphs, first to last
    int lastCode;
    LetterStyle style;
};

// Codes below the blank hold the window toolkit's symbols (the close cross 24, the scroll arrows
// 28 up, 29 down, 30 right and 31 left); the others of them are blanks.

const std::vector<FontRecipe>& GetFontRecipes();
