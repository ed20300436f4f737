#pragma once
// The brick types "Brick Info": the files "<name>.Brick" (CBrickInfo) of the resources. Entry 0 is
// "!None.Brick", the brick of index 0 that a layout cell of no brick names.
#include "game/bricks/GameResourceCollection.h"

class CBrickInfo;

class CBrickInfoCollection : public CGameResourceCollection
{
public:
    CBrickInfoCollection();
    ~CBrickInfoCollection() override;

    // The process's collection, made on first use and kept until exit.
    static CBrickInfoCollection& GetInstance();
    // The brick type of entry i (entry 0 past the end), loaded on first use; null without entries or
    // when it cannot be read.
    CBrickInfo* GetBrickInfo(uint32_t i);
};
