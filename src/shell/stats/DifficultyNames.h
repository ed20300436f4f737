#pragma once
// The names of the four difficulty levels (0 Easy, 1 Normal, 2 Hard, 3 Insane) as the player
// reads them: localised texts, so a name read back is compared with the current translation.
#include <cstdint>

class CLocalizedString;

// The level's name; any level other than 0, 2 and 3 is "Normal".
const CLocalizedString& GetDifficultyName(uint32_t level);
// The level whose current name is exactly the text (case counts); 1 (Normal) for any other text.
uint32_t ParseDifficultyName(const char* text);
