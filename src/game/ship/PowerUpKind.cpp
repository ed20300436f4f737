#include "game/ship/PowerUpKind.h"

#include "objects/EnumTable.h"

namespace {

const CEnumTableEntry s_powerUpKinds[] = {
    {0, "No Power-Up", nullptr},   {1, "Slow", nullptr},         {2, "Expand Paddle", nullptr},
    {3, "Catch", nullptr},         {4, "Fire Ball", nullptr},    {5, "Multiply 3", nullptr},
    {6, "Multiply 8", nullptr},    {7, "Gun", nullptr},          {8, "Big Gun", nullptr},
    {9, "Extra Ball", nullptr},    {10, "Rail Ball", nullptr},   {11, "Normal Ball", nullptr},
    {12, "Small Ball", nullptr},   {13, "Shrink Paddle", nullptr}, {14, "Fast", nullptr},
    {15, "The Bomb", nullptr},     {16, nullptr, nullptr},
};

} // namespace

CEnumTable& GetPowerUpKindTable()
{
    static CEnumTable s_table(s_powerUpKinds);
    return s_table;
}
