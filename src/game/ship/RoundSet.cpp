#include "game/ship/RoundSet.h"

CRoundSetCollection& CRoundSetCollection::GetInstance()
{
    static CRoundSetCollection s_instance;
    return s_instance;
}
