#include "game/bricks/BrickLayoutCollection.h"

CBrickLayoutCollection& CBrickLayoutCollection::GetInstance()
{
    static CBrickLayoutCollection s_instance;
    return s_instance;
}

CBrickLayoutCollection::CBrickLayoutCollection() = default;

uint32_t CBrickLayoutCollection::Add(const char* path)
{
    if (m_paths.empty())
        m_paths.emplace_back("");
    m_paths.emplace_back(path);
    return static_cast<uint32_t>(m_paths.size() - 1);
}

void CBrickLayoutCollection::GetItemFilePath(uint32_t i, CSharedString& path) const
{
    path.AssignText(i > 0 && i < m_paths.size() ? m_paths[i].CStr() : "");
}
