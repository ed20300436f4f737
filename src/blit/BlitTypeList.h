#pragma once
// The list of blend modes that content chooses by name (a sequence's "Render/Blit Type" stores an
// index into it). Items are (name, blend mode) pairs in the order added; they are never removed or
// reordered, because the indices are stored in sequence files.
#include "foundation/SharedString.h"
#include "objects/ItemList.h"

#include <vector>

class CBlitter;

class CBlitTypeList : public CItemList
{
public:
    CBlitTypeList() = default;

    // Appends an item; returns its index.
    int Add(const char* name, CBlitter* blitter);

    const char* GetItemName(uint32_t i) const override;
    uint32_t GetCount() const override;

    // The blend mode of item i; null past the end.
    CBlitter* GetValue(uint32_t i) const;
    // The index of the first item whose blend mode is this one, or -1.
    int FindValue(const CBlitter* blitter) const;

private:
    struct Item
    {
        CSharedString m_name;
        CBlitter* m_blitter;
    };
    std::vector<Item> m_items;
};
