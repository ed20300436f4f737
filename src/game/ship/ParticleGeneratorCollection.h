#pragma once
// The particle generators "Particle Generators": the files "<name>.PGen" of the folder "Resources"
// and its sub-folders not beginning with '-', each read as a CParticleGeneratorInfo the first time
// it is asked for and kept until the collection unloads it. Entry 0 is "!None", the generator
// without particle types that data choosing no generator refers to.
#include "game/bricks/GameResourceCollection.h"

class CParticleGeneratorInfo;

class CParticleGeneratorCollection : public CGameResourceCollection
{
public:
    CParticleGeneratorCollection();
    ~CParticleGeneratorCollection() override;

    // The process's generators.
    static CParticleGeneratorCollection& GetInstance();
    // The loaded generator of that name; null for a name the collection lacks or a file that
    // cannot be read (the caller then spawns nothing).
    CParticleGeneratorInfo* FindGenerator(const char* name);
    // The loaded generator of entry i; null past the count or when it cannot be read.
    CParticleGeneratorInfo* GetGenerator(int i);
};
