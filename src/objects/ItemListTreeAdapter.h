#pragma once
// Shows any item list as a one-level tree: the root (handle -1) is named after the list and its
// children are the item indices, each without children. A null list is an empty tree.
#include "objects/TreeModel.h"

class CItemListTreeAdapter : public CTreeModel
{
public:
    static constexpr uint32_t kRoot = 0xFFFFFFFF;

    explicit CItemListTreeAdapter(CItemList* list);

    void SetList(CItemList* list) { m_list = list; }

    uint32_t GetRoot() const override;
    // Every item's parent is the root, and so is the root's.
    uint32_t GetParent(uint32_t item) const override;
    const char* GetItemName(uint32_t item) const override;
    uint32_t GetChildCount(uint32_t item) const override;
    uint32_t GetChild(uint32_t item, uint32_t i) const override;
    CItemList* GetSource() const override;
    // The list's answer whether views may show its items, for every row.
    bool CanSelect(uint32_t row) const override;

private:
    CItemList* m_list;
};
