#pragma once
// Finding a behaviour of a given class in a sprite's chain: the playfield and the behaviours reach
// each other's handlers (ball, brick, ship, power-up, shot) this way.
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteAI.h"

// The first behaviour of the sprite's chain that is a T; null for none or a null sprite.
template <class T>
T* FindSpriteAI(const CSprite* sprite)
{
    for (CSpriteAI* ai = sprite ? sprite->GetBehaviours() : nullptr; ai; ai = ai->GetNext())
        if (T* found = dynamic_cast<T*>(ai))
            return found;
    return nullptr;
}
