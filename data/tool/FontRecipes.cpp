#include "FontRecipes.h"

namespace {

constexpr int kFirstText = 32;
constexpr int kLastText = 255;
// The window font starts at the toolkit's symbols.
constexpr int kFirstSymbol = 20;

std::vector<FontRecipe> MakeRecipes()
{
    // Small texts: a one-pixel shadow keeps them readable on any background.
    const LetterStyle smallBlue{.top = {205, 230, 255}, .middle = {125, 182, 255}, .bottom = {62, 118, 222},
                                .shadow = {0, 6, 32, 210}};
    const LetterStyle gold{.top = {255, 242, 176}, .middle = {255, 198, 64}, .bottom = {214, 118, 18},
                           .shadow = {36, 14, 0, 220}};
    const LetterStyle window{.top = {252, 252, 255}, .middle = {222, 230, 246}, .bottom = {172, 186, 214},
                             .shadow = {0, 0, 10, 200}};
    const LetterStyle header{.top = {255, 250, 196}, .middle = {255, 218, 70}, .bottom = {232, 148, 22},
                             .shadow = {40, 18, 0, 220}};

    // Large texts: outlined, bevelled and with a soft shadow, like the logo.
    const LetterStyle bigWhite{.top = {255, 255, 255}, .middle = {236, 241, 252}, .bottom = {172, 186, 214},
                               .bevel = 150, .outline = {12, 18, 44, 255}, .outlineWidth = 2, .shadow = {0, 0, 0, 150},
                               .shadowX = 1, .shadowY = 2, .shadowBlur = 1};
    const LetterStyle numbers{.top = {214, 242, 255}, .middle = {92, 192, 255}, .bottom = {28, 108, 222}, .bevel = 100,
                              .outline = {4, 18, 58, 255}, .outlineWidth = 1, .shadow = {0, 0, 0, 150}};

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
