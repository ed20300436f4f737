#include "objects/FolderTree.h"

#include "foundation/TextUtilities.h"
#include "objects/ItemList.h"

#include <cstring>

CFolderTree::CFolderTree(CItemList* list)
    : m_list(list)
    , m_itemCount(list ? list->GetCount() : 0)
{
    auto root = std::make_unique<Node>();
    root->m_name.AssignText(list ? list->GetListName() : nullptr);
    root->m_parent = kNoItem;
    m_nodes.push_back(std::move(root));
    for (uint32_t i = 0; i < m_itemCount; ++i) {
        uint32_t node = FindOrCreateFolderNode(list->GetItemName(i));
        m_nodes[node]->m_files.push_back(i);
    }
}

CFolderTree::~CFolderTree() = default;

uint32_t CFolderTree::FindOrCreateFolderNode(const char* itemName) const
{
    uint32_t node = 0;
    if (!itemName)
        return node;
    const char* lastSlash = std::strrchr(itemName, '/');
    if (!lastSlash)
        return node;
    const char* segment = itemName;
    while (segment <= lastSlash) {
        const char* end = std::strchr(segment, '/');
        size_t length = static_cast<size_t>(end - segment);
        uint32_t found = kNoItem;
        for (uint32_t child : m_nodes[node]->m_children) {
            const CSharedString& name = m_nodes[child]->m_name;
            if (static_cast<size_t>(name.GetLength()) == length &&
                CompareTextNoCaseN(name.CStr(), segment, length) == 0) {
                found = child;
                break;
            }
        }
        if (found == kNoItem) {
            auto created = std::make_unique<Node>();
            created->m_name.AssignChars(segment, static_cast<int>(length));
            created->m_parent = node;
            found = static_cast<uint32_t>(m_nodes.size());
            m_nodes.push_back(std::move(created));
            m_nodes[node]->m_children.push_back(found);
        }
        node = found;
        segment = end + 1;
    }
    return node;
}

const CFolderTree::Node* CFolderTree::GetNode(uint32_t item) const
{
    if (item < m_itemCount)
        return nullptr;
    uint32_t index = item - m_itemCount;
    return index < m_nodes.size() ? m_nodes[index].get() : nullptr;
}

uint32_t CFolderTree::GetRoot() const
{
    return m_itemCount;
}

uint32_t CFolderTree::GetParent(uint32_t item) const
{
    if (IsFile(item))
        return m_itemCount + FindOrCreateFolderNode(m_list->GetItemName(item));
    const Node* node = GetNode(item);
    if (!node || node->m_parent == kNoItem)
        return kNoItem;
    return m_itemCount + node->m_parent;
}

const char* CFolderTree::GetItemName(uint32_t item) const
{
    if (IsFile(item))
        return CItemList::GetNamePart(m_list->GetItemName(item));
    const Node* node = GetNode(item);
    return node ? node->m_name.CStr() : nullptr;
}

uint32_t CFolderTree::GetChildCount(uint32_t item) const
{
    const Node* node = GetNode(item);
    return node ? static_cast<uint32_t>(node->m_files.size() + node->m_children.size()) : 0;
}

uint32_t CFolderTree::GetChild(uint32_t item, uint32_t i) const
{
    const Node* node = GetNode(item);
    if (!node)
        return 0;
    if (i < node->m_files.size())
        return node->m_files[i];
    i -= static_cast<uint32_t>(node->m_files.size());
    return i < node->m_children.size() ? m_itemCount + node->m_children[i] : kNoItem;
}

CItemList* CFolderTree::GetSource() const
{
    return m_list;
}
