#include "game/creatures/CreatureSlot.h"

#include "foundation/R250Random.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"

namespace creature {

CSequence* GetSequenceOfEntry(uint32_t index)
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    if (index == 0 || index >= sequences.GetCount())
        return nullptr;
    return dynamic_cast<CSequence*>(sequences.GetItem(index));
}

CAnimationSlot* GetFirstSlot(CSprite* sprite, CSequence* sequence)
{
    auto* animated = dynamic_cast<CAnimatedSprite*>(sprite);
    if (!animated)
        return nullptr;
    if (CAnimationSlot* slot = animated->GetSlot(0))
        return slot;
    return animated->AddSlot(sequence);
}

void StartLooping(CSprite* sprite, CSequence* sequence)
{
    if (CAnimationSlot* slot = GetFirstSlot(sprite, sequence)) {
        slot->SetSequence(sequence);
        slot->SetPhase(g_gameRandom.NextFloat(0.0f, 1.0f));
    }
}

void AdvanceLooping(CSprite* sprite)
{
    auto* animated = dynamic_cast<CAnimatedSprite*>(sprite);
    if (CAnimationSlot* slot = animated ? animated->GetSlot(0) : nullptr)
        slot->AdvanceLooping();
}

} // namespace creature
