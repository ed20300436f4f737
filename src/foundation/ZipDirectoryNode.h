#pragma once
// A folder of one layer of the archive set: named children in creation order, and the archive
// mounted at this folder, if any. A layer's root has no parent and an empty name.
#include "foundation/SharedString.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CZipArchive;

class CZipDirectoryNode
{
public:
    CZipDirectoryNode();
    CZipDirectoryNode(CZipDirectoryNode* parent, const char* name, size_t length);
    ~CZipDirectoryNode();
    CZipDirectoryNode(const CZipDirectoryNode&) = delete;
    CZipDirectoryNode& operator=(const CZipDirectoryNode&) = delete;

    CZipDirectoryNode* GetParent() const { return m_parent; }
    const char* GetName() const { return m_name.CStr(); }
    // The child whose name has that length and those letters (ignoring case), or null.
    CZipDirectoryNode* FindChild(const char* name, size_t length) const;
    CZipDirectoryNode* AddChild(const char* name, size_t length);
    size_t GetChildCount() const { return m_children.size(); }
    CZipDirectoryNode* GetChild(size_t index) const { return m_children[index].get(); }

    CZipArchive* GetArchive() const { return m_archive.get(); }
    const std::shared_ptr<CZipArchive>& GetArchiveOwner() const { return m_archive; }
    void SetArchive(std::shared_ptr<CZipArchive> archive) { m_archive = std::move(archive); }

    // The names from the layer root down to this node, joined by '/'.
    std::string GetPath() const;

private:
    CZipDirectoryNode* m_parent = nullptr;
    CSharedString m_name;
    std::vector<std::unique_ptr<CZipDirectoryNode>> m_children;
    std::shared_ptr<CZipArchive> m_archive;
};
