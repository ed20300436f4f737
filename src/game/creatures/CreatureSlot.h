#pragma once
// What the ambient creatures share: the sequence a choice property names, and slot 0 of an
// animated sprite, which shows the creature's looping animation.
//
// The rule a caller must know: a creature may be attached to a plain sprite; then it has no slot and
// these answer null or do nothing.
#include <cstdint>

class CAnimationSlot;
class CSequence;
class CSprite;

namespace creature {

// The length of an update step: the creatures' speeds are given per second and moved per step.
constexpr float kSecondsPerStep = 1.0f / 60.0f;

// The loaded sequence of the sequence list's entry; null for entry 0 ("!None"), an index past the
// list, or a sequence that cannot be loaded.
CSequence* GetSequenceOfEntry(uint32_t index);
// Slot 0 of the sprite, added for the sequence when the sprite has none; null for a sprite that is
// not animated.
CAnimationSlot* GetFirstSlot(CSprite* sprite, CSequence* sequence);
// Slot 0 takes the sequence at a random phase in [0, 1) from the game's generator.
void StartLooping(CSprite* sprite, CSequence* sequence);
// Slot 0 advances one step, wrapping; nothing without a slot.
void AdvanceLooping(CSprite* sprite);

} // namespace creature
