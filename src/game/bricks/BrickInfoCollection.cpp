#include "game/bricks/BrickInfoCollection.h"

#include "game/bricks/BrickInfo.h"

CBrickInfoCollection::CBrickInfoCollection()
    : CGameResourceCollection("Brick", CBrickInfo::GetStaticClassRecord(), "Brick Info")
{
}

CBrickInfoCollection::~CBrickInfoCollection() = default;

CBrickInfoCollection& CBrickInfoCollection::GetInstance()
{
    static CBrickInfoCollection s_collection;
    return s_collection;
}

CBrickInfo* CBrickInfoCollection::GetBrickInfo(uint32_t i)
{
    return GetTyped<CBrickInfo>(i);
}
