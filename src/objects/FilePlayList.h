#pragma once
// The files found under a folder, handed out one after the other: in the order found, shuffled
// (never repeating the last one across a reshuffle), sorted by name, or sorted by a caller's
// comparison. Item names are relative to the folder; the item value is the file size.
#include "objects/FolderTree.h"
#include "objects/ItemList.h"

#include <memory>
#include <vector>

class CFileSearchSpec;

class CFilePlayList : public CItemList
{
public:
    enum : uint32_t
    {
        ORDER_AS_FOUND = 0,
        ORDER_SHUFFLED = 1,
        ORDER_SORTED = 2,
        ORDER_COMPARED = 3,
    };
    // Three-way comparison of the items at two indices.
    using CompareFunction = int (*)(const CFilePlayList& list, uint32_t a, uint32_t b);

    CFilePlayList();
    ~CFilePlayList() override;
    CFilePlayList(const CFilePlayList&) = delete;
    CFilePlayList& operator=(const CFilePlayList&) = delete;

    // Finds the files (disk files first, hiding archive entries of the same name) and orders
    // them; returns their count.
    uint32_t Load(const CFileSearchSpec& spec, uint32_t mode, CompareFunction compare, uint32_t flags);

    // The next name in the order; a preferred name (when in the list) is handed out first. Null
    // when the list is empty.
    const char* GetNextName(const char* preferred);
    // GetNextName joined to the folder, in one buffer shared by the whole process, valid until the
    // next path is asked for.
    const char* GetNextPath(const char* preferred);
    // The name handed out last; null before the first.
    const char* GetCurrentName() const;
    const char* GetNameAt(uint32_t i) const;
    uint32_t GetSizeAt(uint32_t i) const;
    const char* GetPathAt(uint32_t i) const;
    const char* MakePath(const char* name) const;
    const char* GetFolder() const { return m_folder.CStr(); }
    uint32_t GetOrderMode() const { return m_mode; }
    CFolderTree* GetFolderTree() const { return m_tree.get(); }

    const char* GetItemName(uint32_t i) const override;
    void GetItemNameString(CSharedString& out, uint32_t i) const override;
    // The folder tree.
    uintptr_t GetUserValue() const override;
    uint32_t GetCount() const override;

private:
    struct Item
    {
        CSharedString m_name;
        uint32_t m_size;
    };
    class Collector;

    void Shuffle();

    CSharedString m_folder;
    std::vector<Item> m_items;
    std::vector<uint32_t> m_order;
    uint32_t m_next = 0xFFFFFFFF;
    uint32_t m_lastPlayed = 0xFFFFFFFF;
    uint32_t m_mode = ORDER_AS_FOUND;
    std::unique_ptr<CFolderTree> m_tree;
    bool m_loading = false;
};
