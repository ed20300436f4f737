#include "game/bricks/BackgroundCollection.h"

#include "game/bricks/BackgroundDefinition.h"

CBackgroundCollection::CBackgroundCollection()
    : CGameResourceCollection("Background", CBackgroundDefinition::GetStaticClassRecord(), "Background Definition")
{
}

CBackgroundCollection::~CBackgroundCollection() = default;

CBackgroundCollection& CBackgroundCollection::GetInstance()
{
    static CBackgroundCollection s_collection;
    return s_collection;
}

CBackgroundDefinition* CBackgroundCollection::GetBackground(uint32_t i)
{
    return GetTyped<CBackgroundDefinition>(i);
}
