#pragma once
// Shows an item list whose item names are '/'-separated paths as a tree of folders and files.
// Handles below the list's item count (taken when the tree is built) are files, equal to their
// item index; folder nodes have the handles from the count upwards, the root first.
#include "objects/TreeModel.h"

#include "foundation/SharedString.h"

#include <memory>
#include <vector>

class CFolderTree : public CTreeModel
{
public:
    explicit CFolderTree(CItemList* list);
    ~CFolderTree() override;
    CFolderTree(const CFolderTree&) = delete;
    CFolderTree& operator=(const CFolderTree&) = delete;

    uint32_t GetRoot() const override;
    // For a file, its folder's node; for a node, its parent (no item for the root).
    uint32_t GetParent(uint32_t item) const override;
    // For a file, the part of its name after the last '/' or '\'; for a node, its name.
    const char* GetItemName(uint32_t item) const override;
    // A node's files, then its sub-folders; files have no children.
    uint32_t GetChildCount(uint32_t item) const override;
    uint32_t GetChild(uint32_t item, uint32_t i) const override;
    CItemList* GetSource() const override;

    bool IsFile(uint32_t item) const { return item < m_itemCount; }

private:
    struct Node
    {
        CSharedString m_name;
        std::vector<uint32_t> m_children; // node indices, in creation order
        std::vector<uint32_t> m_files;    // item indices, in list order
        uint32_t m_parent;                // node index; kNoItem for the root
    };

    // The node of an item name's folder part, created when missing.
    uint32_t FindOrCreateFolderNode(const char* itemName) const;
    const Node* GetNode(uint32_t item) const;

    CItemList* m_list;
    uint32_t m_itemCount;
    // Nodes are created on demand by lookups, which do not change what the tree shows.
    mutable std::vector<std::unique_ptr<Node>> m_nodes;
};
