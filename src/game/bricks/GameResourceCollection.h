#pragma once
// A collection of the game's typed data files: brick types ("<name>.Brick"), round layouts
// ("<name>.Vantorel") and backgrounds ("<name>.Background") in the folder "Resources" and its
// sub-folders not beginning with '-'. Each item is read as an object of the collection's class the
// first time it is asked for; entry 0 is the "!None" entry that an index of 0 means.
//
// The rule a caller must know: play never writes these files back, so an item that cannot be read
// stays null (and is tried again on its next use); its first-use fix-up waits until it loads.
#include "objects/ResourceCollection.h"

class CGameResourceCollection : public CResourceCollection
{
public:
    // typeName is the files' extension; displayName the collection's name in the resource registry.
    CGameResourceCollection(const char* typeName, CClassRecord* itemClass, const char* displayName);
    ~CGameResourceCollection() override;

    // The start-up's set-up: registers the collection as the typed group of its display name, the
    // files of its type under "Resources".
    void SetUpAtStartUp();

    // Reads "<folder>/<file name>.<type name>"; null when it cannot be read or holds an object of
    // another class.
    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override;

    // The file of entry i: the folder, the name, and the type name's own extension when it has one
    // (from its last dot), else a dot and the type name.
    void GetItemFilePath(uint32_t i, CSharedString& path) override;

protected:
    // The loaded item of entry i (index past the end: entry 0) as the item class; null without
    // entries or when it cannot be read. The first use runs the item's fix-up.
    template <class Item>
    Item* GetTyped(uint32_t i)
    {
        if (GetCount() == 0)
            return nullptr;
        const uint32_t entry = i < GetCount() ? i : 0;
        MarkItemUsed(entry);
        return dynamic_cast<Item*>(GetItem(entry));
    }

private:
    const char* m_displayName;
};
