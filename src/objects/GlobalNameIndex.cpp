#include "objects/GlobalNameIndex.h"

#include "objects/ValueNameList.h"

int GetGlobalNameIndex(const char* name)
{
    // Never destroyed: names may be interned from static initialisers and destructors alike.
    static CStringList* s_names = new CStringList;
    int index = s_names->FindIndexByName(name, -1);
    return index != -1 ? index : s_names->AddItemByName(name);
}
