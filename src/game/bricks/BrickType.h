#pragma once
// The twenty brick types: what a brick does when a ball or a shot hits it, and whether it must
// go before a round is complete. A brick type file names its type by the names of this table.
//
// The rule a caller must know: the values are stored in files by name, never by number, but
// behaviour code switches on the numbers, so the order of the table never changes.
#include <cstdint>

class CEnumTable;

enum EBrickType : uint32_t
{
    kBrickNormal = 0,
    kBrickPowerUp = 1,
    kBrickObstacle = 2,
    kBrickIndestructible = 3,
    kBrickIndestructibleTop = 4,
    kBrickIndestructibleBottom = 5,
    kBrickExploding = 6,
    kBrick3Hit = 7,
    kBrick3HitBottom = 8,
    kBrick3HitTop = 9,
    kBrickOffOn = 10,
    kBrickOnOff = 11,
    kBrickDetonator = 12,
    kBrickPushAway = 13,
    kBrickNudgeUp = 14,
    kBrickNudgeDown = 15,
    kBrickNudgeLeft = 16,
    kBrickNudgeRight = 17,
    kBrickShredder = 18,
    kBrickTrappedBall = 19,
    kBrickTypeCount = 20,
};

// Whether a brick of the type must be destroyed before its round is complete: false for the
// obstacles, the indestructible bricks, the nudge bricks and the shredder, and for any value
// outside the table.
bool IsNeededBrickType(uint32_t type);
// Whether the type is one of the two toggle bricks ("Off/On", "On/Off").
bool IsToggleBrickType(uint32_t type);
// The names of the types, by value ("Normal" ... "Trapped Ball").
CEnumTable& GetBrickTypeTable();
