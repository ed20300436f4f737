#pragma once
// The look the stand-in behaviours give the sprites they join until the content draws them.
#include "game/sprites/AnimatedSprite.h"

// One slot of the look for an animated sprite that has none; nothing for a null look or a plain
// sprite.
inline void GiveStandInLook(CSprite* sprite, CSequence* look)
{
    auto* animated = dynamic_cast<CAnimatedSprite*>(sprite);
    if (look && animated && animated->GetSlotCount() == 0)
        animated->AddSlot(look);
}
