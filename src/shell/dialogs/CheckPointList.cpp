#include "shell/dialogs/CheckPointList.h"

#include "game/rounds/CheckPointDefinition.h"
#include "game/rounds/RoundSet.h"
#include "game/rounds/RoundSetCollection.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"

namespace {

// The first frame of the sequence list entry; null for entry 0 ("none") or an empty sequence.
CFrame* FirstFrameOf(uint32_t sequenceIndex)
{
    if (sequenceIndex == 0)
        return nullptr;
    auto* sequence = dynamic_cast<CSequence*>(CSequenceCollection::GetInstance().GetItem(sequenceIndex));
    return sequence && sequence->GetFrameCount() > 0 ? sequence->GetFrame(0) : nullptr;
}

} // namespace

std::vector<CheckPointEntry> ListCheckPoints()
{
    std::vector<CheckPointEntry> entries;
    CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    for (uint32_t s = 0; s < sets.GetCount(); ++s) {
        const CRoundSet* set = sets.GetSet(s);
        for (uint32_t c = 0; set && c < set->GetCheckPointCount(); ++c) {
            const CCheckPointDefinition* definition = set->GetCheckPointDefinition(c);
            entries.push_back({s, c, definition->m_roundNumber, FirstFrameOf(definition->m_image)});
        }
    }
    return entries;
}
