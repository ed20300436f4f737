#include "foundation/ZipDirectoryNode.h"

#include "foundation/TextUtilities.h"
#include "foundation/ZipArchive.h"

#include <cstring>

CZipDirectoryNode::CZipDirectoryNode() = default;

CZipDirectoryNode::CZipDirectoryNode(CZipDirectoryNode* parent, const char* name, size_t length)
    : m_parent(parent), m_name(name, static_cast<int>(length))
{
}

CZipDirectoryNode::~CZipDirectoryNode() = default;

CZipDirectoryNode* CZipDirectoryNode::FindChild(const char* name, size_t length) const
{
    for (const std::unique_ptr<CZipDirectoryNode>& child : m_children) {
        const char* childName = child->GetName();
        if (std::strlen(childName) == length && CompareTextNoCaseN(childName, name, length) == 0)
            return child.get();
    }
    return nullptr;
}

CZipDirectoryNode* CZipDirectoryNode::AddChild(const char* name, size_t length)
{
    m_children.push_back(std::make_unique<CZipDirectoryNode>(this, name, length));
    return m_children.back().get();
}

std::string CZipDirectoryNode::GetPath() const
{
    if (!m_parent)
        return std::string();
    std::string path = m_parent->GetPath();
    if (!path.empty())
        path += '/';
    return path + GetName();
}
