#pragma once
// The tree interface that tree and list controls read. Items are 32-bit handles whose meaning
// belongs to the model; callers walk up with GetParent until they reach GetRoot (or kNoItem).
// The views never own the model.
#include <cstdint>

class CItemList;

class CTreeModel
{
public:
    // The parent of a root: no item.
    static constexpr uint32_t kNoItem = 0xFFFFFFFF;

    virtual ~CTreeModel() = default;

    virtual uint32_t GetRoot() const = 0;
    virtual uint32_t GetParent(uint32_t item) const = 0;
    virtual const char* GetItemName(uint32_t item) const = 0;
    virtual uint32_t GetChildCount(uint32_t item) const = 0;
    virtual uint32_t GetChild(uint32_t item, uint32_t i) const = 0;
    // The list the tree shows, when it shows one.
    virtual CItemList* GetSource() const { return nullptr; }
    // Whether the view may select its row of that index (a model may veto); true by default.
    virtual bool CanSelect(uint32_t row) const
    {
        (void)row;
        return true;
    }
};
