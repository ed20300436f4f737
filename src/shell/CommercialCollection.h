#pragma once
// The named list of commercials: one entry per "Resources/**/*.Commercial" file (or, when the data
// holds none, per cached property file), sorted ignoring case; each is read on first use and kept.
// Loading it also fills the demo-file list the commercials' clips index.
//
// The rule a caller must know: Load runs once at start-up, before any commercial is read.
#include "objects/ResourceCollection.h"

class CCommercial;

class CCommercialCollection : public CResourceCollection
{
public:
    static CCommercialCollection& GetInstance();

    CCommercialCollection();
    ~CCommercialCollection() override;

    // Fills the demo-file list, registers the collection as "Commercial" and lists its entries;
    // no files leave it empty.
    void Load();
    // The commercial at index (past the end: the first); null without entries or when it cannot
    // be read.
    CCommercial* GetCommercial(uint32_t i);

    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override;
};
