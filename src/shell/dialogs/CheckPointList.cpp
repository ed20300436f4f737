#include "shell/dialogs/CheckPointList.h"

#include "game/ship/RoundSet.h"

std::vector<CheckPointEntry> ListCheckPoints()
{
    std::vector<CheckPointEntry> entries;
    const CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
    for (uint32_t s = 0; s < sets.GetCount(); ++s) {
        const CRoundSet* set = sets.GetSet(s);
        for (uint32_t c = 0; set && c < set->GetCheckPointCount(); ++c)
            entries.push_back({s, c, set->GetCheckPoint(c), nullptr});
    }
    return entries;
}
