#pragma once
// The backgrounds "Background Definition": the files "<name>.Background" (CBackgroundDefinition) of the
// resources. Entry 0 is "!None.Background"; layouts name "Space" by default.
#include "game/bricks/GameResourceCollection.h"

class CBackgroundDefinition;

class CBackgroundCollection : public CGameResourceCollection
{
public:
    CBackgroundCollection();
    ~CBackgroundCollection() override;

    // The process's collection, made on first use and kept until exit.
    static CBackgroundCollection& GetInstance();
    // The background of entry i (entry 0 past the end), loaded on first use; null without entries or
    // when it cannot be read.
    CBackgroundDefinition* GetBackground(uint32_t i);
};
