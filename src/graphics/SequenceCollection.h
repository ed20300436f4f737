#pragma once
// The sequence list "Sequences": the animations of the folder "Resources", each in its item folder
// "-<name>" (with its source image and caches under "Cache/Resources"), loaded by name on first
// use through the sequences' default load stages and kept until the list unloads them.
#include "objects/ResourceCollection.h"

class CSequence;

class CSequenceCollection : public CResourceCollection
{
public:
    // itemClass: CSequence or a class derived from it (null: CSequence).
    explicit CSequenceCollection(CClassRecord* itemClass = nullptr);
    ~CSequenceCollection() override;

    // The process's sequence list.
    static CSequenceCollection& GetInstance();
    // The start-up's set-up: registers the list under "Sequences" (once), makes "Resources" its
    // folder and takes one entry per item folder there (or per source image of the cache).
    void SetUpAtStartUp();

    // A new CSequence, handed out before it loads; returned whether or not it loaded.
    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override;
    // "<folder>/-<name>/Properties.txt".
    void GetItemFilePath(uint32_t i, CSharedString& path) override;

    // The loaded sequence of that name; null when the list has no such name (no report).
    CSequence* FindSequence(const char* name);
    // Loads every item not loaded yet.
    void LoadAll();
    // Unloads the entry that holds the sequence; false when no entry holds it.
    bool UnloadSequence(const CSequence* sequence);

protected:
    // Registers the list under the display name (once), makes the folder its folder and takes
    // one entry per item folder there (or per source image of the cache).
    void SetUp(const char* displayName, const char* folder);
};
