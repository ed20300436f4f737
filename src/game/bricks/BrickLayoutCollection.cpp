#include "game/bricks/BrickLayoutCollection.h"

#include "game/bricks/BrickLayout.h"

CBrickLayoutCollection::CBrickLayoutCollection()
    : CGameResourceCollection("Vantorel", CBrickLayout::GetStaticClassRecord(), "Rounds")
{
}

CBrickLayoutCollection::~CBrickLayoutCollection() = default;

CBrickLayoutCollection& CBrickLayoutCollection::GetInstance()
{
    static CBrickLayoutCollection s_collection;
    return s_collection;
}

CBrickLayout* CBrickLayoutCollection::GetLayout(uint32_t i)
{
    return GetTyped<CBrickLayout>(i);
}
