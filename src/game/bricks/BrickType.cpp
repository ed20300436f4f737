#include "game/bricks/BrickType.h"

#include "objects/EnumTable.h"

namespace {

// "Detinator" is the name files use.
const CEnumTableEntry s_brickTypes[] = {
    {kBrickNormal, "Normal", nullptr},
    {kBrickPowerUp, "Power Up", nullptr},
    {kBrickObstacle, "Obstacle", nullptr},
    {kBrickIndestructible, "Indestructible", nullptr},
    {kBrickIndestructibleTop, "Indestructible Top", nullptr},
    {kBrickIndestructibleBottom, "Indestructible Bottom", nullptr},
    {kBrickExploding, "Exploding", nullptr},
    {kBrick3Hit, "3 Hit", nullptr},
    {kBrick3HitBottom, "3 Hit Bottom", nullptr},
    {kBrick3HitTop, "3 Hit Top", nullptr},
    {kBrickOffOn, "Off/On", nullptr},
    {kBrickOnOff, "On/Off", nullptr},
    {kBrickDetonator, "Detinator", nullptr},
    {kBrickPushAway, "Push Away", nullptr},
    {kBrickNudgeUp, "Nudge Up", nullptr},
    {kBrickNudgeDown, "Nudge Down", nullptr},
    {kBrickNudgeLeft, "Nudge Left", nullptr},
    {kBrickNudgeRight, "Nudge Right", nullptr},
    {kBrickShredder, "Brick Shredder", nullptr},
    {kBrickTrappedBall, "Trapped Ball", nullptr},
    {kBrickTypeCount, nullptr, nullptr},
};

} // namespace

bool IsNeededBrickType(uint32_t type)
{
    switch (type) {
    case kBrickObstacle:
    case kBrickIndestructible:
    case kBrickNudgeUp:
    case kBrickNudgeDown:
    case kBrickNudgeLeft:
    case kBrickNudgeRight:
    case kBrickShredder:
        return false;
    default:
        return type < kBrickTypeCount;
    }
}

bool IsToggleBrickType(uint32_t type)
{
    return type == kBrickOffOn || type == kBrickOnOff;
}

CEnumTable& GetBrickTypeTable()
{
    static CEnumTable s_table(s_brickTypes);
    return s_table;
}
