#pragma once
// The power-up kinds, by the names files give them: a floating brick's forced power-up and the
// items of a round layout's power-up weights. Kind 0 ("No Power-Up") is none.
#include <cstdint>

class CEnumTable;

constexpr uint32_t kNoPowerUp = 0;
constexpr uint32_t kPowerUpKindCount = 16;

// "No Power-Up", "Slow", ... "The Bomb", by value.
CEnumTable& GetPowerUpKindTable();
