#include "FontRecipes.h"

namespace {

constexpr int kFirstText = 32;
constexpr int kLastText = 255;
// The window font starts at the toolkit's symbols.
constexpr int kFirstSymbol = 20;

LetterStyle Style(Rgba top, Rgba middle, Rgba bottom, Rgba shadow)
{
    LetterStyle style;
    style.top = top;
    style.middle = middle;
    style.bottom = bottom;
    style.shadow = shadow;
    return style;
}

std::vector<FontRecipe> MakeRecipes()
{
    // Small texts: a one-pixel shadow keeps them readable on any background.
    LetterStyle smallBlue = Style({205, 230, 255}, {125, 182, 255}, {62, 118, 222}, {0, 6, 32, 210});
    LetterStyle gold = Style({255, 242, 176}, {255, 198, 64}, {214, 118, 18}, {36, 14, 0, 220});
    LetterStyle window = Style({252, 252, 255}, {222, 230, 246}, {172, 186, 214}, {0, 0, 10, 200});
    LetterStyle header = Style({255, 250, 196}, {255, 218, 70}, {232, 148, 22}, {40, 18, 0, 220});

    // Large texts: outlined, bevelled and with a soft shadow, like the logo.
    LetterStyle bigWhite = Style({255, 255, 255}, {236, 241, 252}, {172, 186, 214}, {0, 0, 0, 150});
    bigWhite.outline = {12, 18, 44, 255};
    bigWhite.outlineWidth = 2;
    bigWhite.shadowX = 1;
    bigWhite.shadowY = 2;
    bigWhite.shadowBlur = 1;
    bigWhite.bevel = 150;

    LetterStyle numbers = Style({214, 242, 255}, {92, 192, 255}, {28, 108, 222}, {0, 0, 0, 150});
    numbers.outline = {4, 18, 58, 255};
    numbers.outlineWidth = 1;
    numbers.bevel = 100;

    return {
        {"Small Blue", "DejaVuSans.ttf", 11, kFirstText, kLastText, smallBlue},
        {"Devuduvozo", "DejaVuSerif-Bold.ttf", 12, kFirstText, kLastText, gold},
        {"OCR Monospaced Numbers", "DejaVuSansMono.ttf", 12, kFirstSymbol, kLastText, window},
        {"Big White", "DejaVuSans-Bold.ttf", 26, kFirstText, kLastText, bigWhite},
        {"Yellow Header", "DejaVuSans-Bold.ttf", 12, kFirstText, kLastText, header},
        {"Numbers Blue", "DejaVuSansMono-Bold.ttf", 15, kFirstText, kLastText, numbers},
    };
}

} // namespace

const std::vector<FontRecipe>& GetFontRecipes()
{
    static const std::vector<FontRecipe> recipes = MakeRecipes();
    return recipes;
}
