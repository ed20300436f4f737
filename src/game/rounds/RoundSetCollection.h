#pragma once
// The round sets "Round Sets": the files "<name>.RoundSet" of the folder "Resources" and its
// sub-folders not beginning with '-', ordered by name ignoring case. That order is the order of
// the sets in a game: its rounds are the rounds of every set, one set after another, numbered on.
// Each set is read the first time it is asked for and kept until the collection unloads it.
#include "objects/ResourceCollection.h"

class CRoundSet;

class CRoundSetCollection : public CResourceCollection
{
public:
    CRoundSetCollection();
    ~CRoundSetCollection() override;

    // The process's round sets.
    static CRoundSetCollection& GetInstance();
    // The start-up's set-up: registers the collection under "Round Sets" (once), makes "Resources"
    // its folder and takes one entry per "RoundSet" file there.
    void SetUpAtStartUp();

    // The loaded set of entry i; null past the count or when its file cannot be read (such a set
    // has no rounds).
    CRoundSet* GetSet(uint32_t i);
    // The round count of entry i; 0 past the count or for a set that cannot be read.
    uint32_t GetRoundCount(uint32_t i);

    // Reads "<folder>/<file name>.RoundSet" (never saved back); null when it cannot be read or holds
    // an object of another class.
    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override;
};
