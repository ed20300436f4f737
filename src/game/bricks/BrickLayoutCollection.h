#pragma once
// The round layouts "Rounds": the files "<name>.Vantorel" (CBrickLayout) of the resources. Entry 0 is
// "!None.Vantorel".
#include "game/bricks/GameResourceCollection.h"

class CBrickLayout;

class CBrickLayoutCollection : public CGameResourceCollection
{
public:
    CBrickLayoutCollection();
    ~CBrickLayoutCollection() override;

    // The process's collection, made on first use and kept until exit.
    static CBrickLayoutCollection& GetInstance();
    // The layout of entry i (entry 0 past the end), loaded on first use; null without entries or when
    // it cannot be read.
    CBrickLayout* GetLayout(uint32_t i);
};
