#include "objects/FilePlayList.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/FileSystem.h"
#include "foundation/FileVisitor.h"
#include "foundation/R250Random.h"
#include "foundation/TextUtilities.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_set>

namespace {

std::string FoldName(const char* name)
{
    std::string folded = name ? name : "";
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

// Shared by GetNextPath, GetPathAt and MakePath.
CSharedString& PathBuffer()
{
    static CSharedString* s_path = new CSharedString;
    return *s_path;
}

} // namespace

// Takes each found name once (ignoring case), so a disk file hides an archive entry of its name.
class CFilePlayList::Collector : public CFileVisitor
{
public:
    explicit Collector(std::vector<Item>& items) : m_items(items) {}
    uint32_t GetCount() override { return static_cast<uint32_t>(m_items.size()); }
    void Visit(const char* name, const CFileInfo& info) override
    {
        m_seen.insert(FoldName(name));
        Item item;
        item.m_name.AssignText(name);
        item.m_size = info.m_size;
        m_items.push_back(item);
    }
    bool ShouldSkip(const char* name) override { return m_seen.count(FoldName(name)) != 0; }

private:
    std::vector<Item>& m_items;
    std::unordered_set<std::string> m_seen;
};

CFilePlayList::CFilePlayList() = default;

CFilePlayList::~CFilePlayList() = default;

uint32_t CFilePlayList::Load(const CFileSearchSpec& spec, uint32_t mode, CompareFunction compare, uint32_t flags)
{
    m_folder.AssignText(spec.GetFolder());
    m_mode = mode;
    m_items.clear();
    m_order.clear();
    m_next = 0xFFFFFFFF;
    m_lastPlayed = 0xFFFFFFFF;

    m_loading = true;
    Collector collector(m_items);
    CFileSystem::EnumerateFiles(collector, spec, flags);
    m_loading = false;

    // Names relative to the folder.
    size_t folderLength = std::strlen(m_folder.CStr());
    if (folderLength > 0)
        for (Item& item : m_items)
            if (CompareTextNoCaseN(item.m_name.CStr(), m_folder.CStr(), folderLength) == 0) {
                CSharedString relative(item.m_name.CStr() + folderLength);
                item.m_name = relative;
            }

    uint32_t count = static_cast<uint32_t>(m_items.size());
    m_order.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        m_order[i] = i;
    switch (mode) {
    case ORDER_AS_FOUND:
        m_next = 0;
        break;
    case ORDER_SHUFFLED:
        Shuffle();
        break;
    case ORDER_SORTED:
        std::sort(m_order.begin(), m_order.end(), [this](uint32_t a, uint32_t b) {
            return CompareNames(m_items[a].m_name.CStr(), m_items[b].m_name.CStr()) < 0;
        });
        break;
    case ORDER_COMPARED:
        if (compare)
            std::sort(m_order.begin(), m_order.end(),
                      [this, compare](uint32_t a, uint32_t b) { return compare(*this, a, b) < 0; });
        break;
    default:
        break;
    }

    m_tree = std::make_unique<CFolderTree>(this);
    return count;
}

void CFilePlayList::Shuffle()
{
    m_next = 0;
    uint32_t count = static_cast<uint32_t>(m_order.size());
    do {
        for (uint32_t i = 0; i < count; ++i)
            m_order[i] = i;
        for (uint32_t p = 0; p < count; ++p)
            std::swap(m_order[p], m_order[g_generalRandom.NextBelow(count)]);
    } while (count >= 2 && m_order[0] == m_lastPlayed);
}

const char* CFilePlayList::GetNextName(const char* preferred)
{
    uint32_t count = static_cast<uint32_t>(m_order.size());
    if (count == 0)
        return nullptr;
    if (m_next >= count) {
        if (m_mode == ORDER_SHUFFLED)
            Shuffle();
        else
            m_next = 0;
    }
    if (preferred) {
        int index = FindIndexByName(preferred, -1);
        if (index != -1) {
            auto at = std::find(m_order.begin(), m_order.end(), static_cast<uint32_t>(index));
            uint32_t q = static_cast<uint32_t>(at - m_order.begin());
            if (q < count) {
                if (q < m_next)
                    --m_next;
                // Moves the entry at q to the next position; the entries between shift by one.
                if (q < m_next)
                    std::rotate(m_order.begin() + q, m_order.begin() + q + 1, m_order.begin() + m_next + 1);
                else if (q > m_next)
                    std::rotate(m_order.begin() + m_next, m_order.begin() + q, m_order.begin() + q + 1);
            }
        }
    }
    m_lastPlayed = m_order[m_next++];
    return m_items[m_lastPlayed].m_name.CStr();
}

const char* CFilePlayList::GetNextPath(const char* preferred)
{
    const char* name = GetNextName(preferred);
    return name ? MakePath(name) : nullptr;
}

const char* CFilePlayList::GetCurrentName() const
{
    return m_lastPlayed < m_items.size() ? m_items[m_lastPlayed].m_name.CStr() : nullptr;
}

const char* CFilePlayList::GetNameAt(uint32_t i) const
{
    return i < m_items.size() ? m_items[i].m_name.CStr() : nullptr;
}

uint32_t CFilePlayList::GetSizeAt(uint32_t i) const
{
    return i < m_items.size() ? m_items[i].m_size : 0;
}

const char* CFilePlayList::GetPathAt(uint32_t i) const
{
    return MakePath(GetNameAt(i));
}

const char* CFilePlayList::MakePath(const char* name) const
{
    if (!name)
        return nullptr;
    CSharedString& path = PathBuffer();
    path = m_folder;
    if (!path.IsEmpty()) {
        char last = path.CStr()[path.GetLength() - 1];
        if (last != '/' && last != '\\')
            path.AppendText("/");
        path.AppendText(name);
    } else {
        path.AssignText(name);
    }
    return path.CStr();
}

const char* CFilePlayList::GetItemName(uint32_t i) const
{
    return GetNameAt(i);
}

void CFilePlayList::GetItemNameString(CSharedString& out, uint32_t i) const
{
    if (i < m_items.size())
        out = m_items[i].m_name;
    else
        out.AssignText("");
}

uintptr_t CFilePlayList::GetUserValue() const
{
    return reinterpret_cast<uintptr_t>(m_tree.get());
}

uint32_t CFilePlayList::GetCount() const
{
    return static_cast<uint32_t>(m_items.size());
}
