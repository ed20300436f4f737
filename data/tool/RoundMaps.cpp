#include "RoundMaps.h"

#include "game/bricks/BrickType.h"

namespace {

struct Key
{
    char key;
    uint32_t type;
};
constexpr Key kKeys[] = {
    {'n', kBrickNormal},          {'p', kBrickPowerUp},
    {'#', kBrickObstacle},        {'s', kBrickIndestructible},
    {'t', kBrickIndestructibleTop}, {'b', kBrickIndestructibleBottom},
    {'x', kBrickExploding},       {'3', kBrick3Hit},
    {'B', kBrick3HitBottom},      {'T', kBrick3HitTop},
    {'o', kBrickOffOn},           {'O', kBrickOnOff},
    {'d', kBrickDetonator},       {'w', kBrickPushAway},
    {'^', kBrickNudgeUp},         {'v', kBrickNudgeDown},
    {'<', kBrickNudgeLeft},       {'>', kBrickNudgeRight},
    {'z', kBrickShredder},        {'@', kBrickTrappedBall},
};

} // namespace

bool GetRoundMapKeyType(char key, uint32_t& type)
{
    for (const Key& k : kKeys)
        if (k.key == key) {
            type = k.type;
            return true;
        }
    return false;
}
