#include "objects/ResourceCollection.h"

#include "foundation/LocalizedString.h"
#include "foundation/Win32Services.h"
#include "objects/Object.h"
#include "objects/ResourceRegistry.h"
#include "objects/TreeModel.h"

#include <algorithm>
#include <cstring>

namespace {

CLocalizedString s_nameTooLongCaption("Illegal item name", "Message box caption");
CLocalizedString s_nameTooLongText("\"%s\" is an illegal item name for the \"%s\" list because it is more than %d "
                                   "characters long",
                                   "%s are an item name and a list name, %d a number of characters");

} // namespace

CResourceEntry::CResourceEntry()
{
    std::memset(m_name, 0, sizeof(m_name));
}

CResourceEntry::~CResourceEntry()
{
    delete m_object;
}

bool CResourceEntry::SetName(const char* name)
{
    size_t length = name ? std::strlen(name) : 0;
    if (length >= kNameSize)
        return false;
    std::memcpy(m_name, name ? name : "", length + 1);
    return true;
}

CResourceCollection::CResourceCollection(const char* typeName, CClassRecord* itemClass)
    : m_typeName(typeName)
    , m_itemClass(itemClass)
{
}

CResourceCollection::~CResourceCollection()
{
    CResourceRegistry::GetInstance()->ForgetCollection(this);
    // The entries go here rather than through the virtual FreeEntries, which a derived
    // collection no longer offers once its own destructor has run.
    delete[] m_entries;
    m_entries = nullptr;
    m_entryCount = 0;
}

int CResourceCollection::Register(const char* displayName)
{
    int index = CResourceRegistry::GetInstance()->AddCollection(displayName, this, 0, 1);
    SetRegistryIndex(index);
    return index;
}

void CResourceCollection::SetEntries(const std::vector<CSharedString>& names, bool sorted)
{
    for (const CSharedString& name : names) {
        if (static_cast<uint32_t>(name.GetLength()) >= CResourceEntry::kNameSize) {
            CSharedString text;
            text.Format(s_nameTooLongText.GetFormat(), name.CStr(), m_typeName.CStr(),
                        static_cast<int>(CResourceEntry::kNameSize - 1));
            FatalExit(s_nameTooLongCaption.CStr(), text.CStr());
        }
    }

    std::vector<const CSharedString*> order;
    order.reserve(names.size());
    for (const CSharedString& name : names)
        order.push_back(&name);
    if (sorted)
        std::stable_sort(order.begin(), order.end(), [](const CSharedString* a, const CSharedString* b) {
            return CompareNames(a->CStr(), b->CStr()) < 0;
        });

    FreeEntries();
    m_aliases.clear();
    uint32_t count = static_cast<uint32_t>(order.size());
    // One more entry with an empty name ends the table.
    m_entries = new CResourceEntry[count + 1];
    m_entryCount = count;
    for (uint32_t i = 0; i < count; ++i)
        m_entries[i].SetName(order[i]->CStr());
    SetItemTable(sorted, count, sizeof(CResourceEntry), m_entries, nullptr);
}

void CResourceCollection::AddAlias(const char* name, uint32_t index)
{
    m_aliases.push_back({CSharedString(name), index});
}

void CResourceCollection::SetTree(CTreeModel* tree)
{
    m_tree.reset(tree);
}

int CResourceCollection::FindIndexByName(const char* name, int hint) const
{
    int index = CNamedList::FindIndexByName(name, hint);
    if (index != -1)
        return index;
    for (const Alias& alias : m_aliases)
        if (alias.m_index < m_entryCount && NamesEqual(alias.m_name.CStr(), name))
            return static_cast<int>(alias.m_index);
    return -1;
}

const char* CResourceCollection::GetListName() const
{
    return m_typeName.CStr();
}

const char* CResourceCollection::GetFolderName() const
{
    return m_folder.CStr();
}

bool CResourceCollection::HasItemObjects() const
{
    return true;
}

CObject* CResourceCollection::GetItemObject(uint32_t i)
{
    return GetItem(i);
}

bool CResourceCollection::IsItemLoaded(uint32_t i) const
{
    return i < m_entryCount && m_entries[i].m_object != nullptr;
}

bool CResourceCollection::IsItemBusy(uint32_t i) const
{
    return i < m_entryCount && m_entries[i].m_loading != 0;
}

void CResourceCollection::MarkItemUsed(uint32_t i)
{
    if (i >= m_entryCount)
        return;
    m_entries[i].m_used = 1;
    CObject* object = GetItem(i);
    // An item that could not be loaded has nothing to fix up; its first use is still to come.
    if (object && !m_entries[i].m_firstUseDone) {
        m_entries[i].m_firstUseDone = 1;
        object->FixUpAfterLoad();
    }
}

void CResourceCollection::ClearUsageMarks()
{
    for (uint32_t i = 0; i < m_entryCount; ++i) {
        m_entries[i].m_used = 0;
        m_entries[i].m_firstUseDone = 0;
    }
}

bool CResourceCollection::IsItemUsed(uint32_t i) const
{
    return i < m_entryCount && m_entries[i].m_used != 0;
}

CObject* CResourceCollection::GetItem(uint32_t i)
{
    if (m_entryCount == 0)
        return nullptr;
    if (i >= m_entryCount)
        i = 0;
    // A request made while the item is being created gets nothing rather than a second creation.
    if (m_entries[i].m_loading)
        return nullptr;
    if (!m_entries[i].m_object)
        return LoadEntry(i);
    return m_entries[i].m_object;
}

CObject* CResourceCollection::LoadEntry(uint32_t i)
{
    if (i >= m_entryCount)
        return nullptr;
    CSharedString path;
    path.SetToJoinedPath(m_folder.CStr(), m_entries[i].m_name);
    // Split at the last separator; without one the folder part is empty.
    const char* text = path.CStr();
    const char* name = GetNamePart(text);
    CSharedString folder;
    folder.AssignChars(text, name == text ? 0 : static_cast<int>(name - text - 1));
    CSharedString fileName(name);

    // The object goes into the entry as soon as it exists, so that while it reads it already
    // counts as the object of its entry (GetObjectFilePath finds it); requests for the item made
    // meanwhile get nothing.
    CResourceEntry& entry = m_entries[i];
    if (entry.m_loading)
        return nullptr;
    // A forced load of a loaded entry replaces its object once the new one exists; when the new
    // one cannot be made the old one stays.
    CObject* old = entry.m_object;
    entry.m_object = nullptr;
    entry.m_loading = 1;
    CObject* object = LoadItem(folder.CStr(), fileName.CStr(), &entry.m_object);
    entry.m_loading = 0;
    if (object) {
        entry.m_object = object;
        delete old;
    } else {
        entry.m_object = old;
    }
    return object;
}

CObject* CResourceCollection::GetByName(const char* name)
{
    int index = FindIndexOrFail(name, -1);
    return GetItem(static_cast<uint32_t>(index));
}

void CResourceCollection::UnloadItem(uint32_t i)
{
    if (i >= m_entryCount || !m_entries[i].m_object || m_entries[i].m_loading)
        return;
    CResourceEntry& entry = m_entries[i];
    CObject* object = entry.m_object;
    entry.m_object = nullptr;
    entry.m_firstUseDone = 0;
    entry.m_used = 0;
    entry.m_loading = 0;
    entry.m_keep = 0;
    delete object;
}

void CResourceCollection::UnloadAllLoaded()
{
    for (uint32_t i = 0; i < GetCount(); ++i)
        if (IsItemLoaded(i))
            UnloadItem(i);
}

bool CResourceCollection::GetKeepFlag(uint32_t i) const
{
    return i < m_entryCount && m_entries[i].m_keep != 0;
}

void CResourceCollection::SetKeepFlag(uint32_t i, bool keep)
{
    if (i < m_entryCount)
        m_entries[i].m_keep = keep ? 1 : 0;
}

CClassRecord* CResourceCollection::GetItemClassRecord() const
{
    return m_itemClass ? m_itemClass : CObject::GetStaticClassRecord();
}

bool CResourceCollection::GetObjectFilePath(const CObject* object, CSharedString& path)
{
    if (!object || !object->IsKindOf(GetItemClassRecord()))
        return false;
    for (uint32_t i = 0; i < m_entryCount; ++i) {
        if (m_entries[i].m_object == object) {
            GetItemFilePath(i, path);
            return true;
        }
    }
    return false;
}

int CResourceCollection::FindLoadedObjectIndex(const CObject* object) const
{
    for (uint32_t i = 0; object && i < m_entryCount; ++i)
        if (m_entries[i].m_object == object)
            return static_cast<int>(i);
    return -1;
}

void CResourceCollection::MakeItemPath(const char* folder, const char* fileName, CSharedString& path) const
{
    path.SetToJoinedPath(folder, fileName);
    path.AppendText(".");
    path.AppendText(m_typeName.CStr());
}

CObject* CResourceCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    CSharedString path;
    MakeItemPath(folder, fileName, path);
    return CObject::CreateFromFile(path.CStr(), 0, true, out);
}

CObject* CResourceCollection::ReadItemOfItemClass(const char* folder, const char* fileName, CObject** out)
{
    CSharedString path;
    MakeItemPath(folder, fileName, path);
    CObject* object = CObject::CreateFromFile(path.CStr(), 0, false, out);
    // Callers use what they get as an item: anything else would be used as one.
    if (object && !object->IsKindOf(GetItemClassRecord())) {
        if (out)
            *out = nullptr;
        delete object;
        return nullptr;
    }
    return object;
}

void CResourceCollection::GetItemFilePath(uint32_t i, CSharedString& path)
{
    MakeItemPath(m_folder.CStr(), i < m_entryCount ? m_entries[i].m_name : "", path);
}

void CResourceCollection::FreeEntries()
{
    delete[] m_entries;
    m_entries = nullptr;
    m_entryCount = 0;
    SetItemTable(false, 0, sizeof(CResourceEntry), nullptr, nullptr);
}
