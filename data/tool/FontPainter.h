#pragma once
// Paints the glyphs of a bitmap font from its recipe: one picture per character code, all of
// one height, each as wide as the glyph advances, so that text drawn glyph after glyph reads
// as the face sets it. The pictures are what the font file is made of.
#include "FontRecipes.h"
#include "Image.h"

#include <string>
#include <vector>

struct FontImages
{
    std::string name;
    int firstCode = 0;
    int lastCode = 0;
    bool fixedWidth = false;
    // The row of the baseline in every glyph picture.
    int baseline = 0;
    // The picture of code firstCode + i; a blank is a transparent picture of the blank's width.
    std::vector<CImage> glyphs;

    const CImage& GetGlyph(int code) const { return glyphs[static_cast<size_t>(code - firstCode)]; }
};

// The font's glyphs, with the face file found in fontFolder. False, with error set, when the
// face does not open.
bool PaintFont(const FontRecipe& recipe, const std::string& fontFolder, FontImages& font, std::string& error);
