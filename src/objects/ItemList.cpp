#include "objects/ItemList.h"

#include "foundation/TextUtilities.h"
#include "foundation/Win32Services.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/Object.h"

CItemList::~CItemList() = default;

int CItemList::CompareNames(const char* a, const char* b)
{
    return CompareTextNoCase(a ? a : "", b ? b : "");
}

const char* CItemList::GetNamePart(const char* path)
{
    if (!path)
        return "";
    const char* part = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\')
            part = p + 1;
    return part;
}

void CItemList::GetItemNameString(CSharedString& out, uint32_t i) const
{
    out.AssignText(GetItemName(i));
}

int CItemList::FindIndexByName(const CSharedString& name, int hint) const
{
    return FindIndexByName(name.CStr(), hint);
}

int CItemList::FindIndexByName(const char* name, int hint) const
{
    uint32_t count = GetCount();
    if (IsValidHint(hint) && NamesEqual(GetItemName(static_cast<uint32_t>(hint)), name))
        return hint;
    for (uint32_t i = 0; i < count; ++i)
        if (NamesEqual(GetItemName(i), name))
            return static_cast<int>(i);
    return FindByFileName(name);
}

int CItemList::FindIndexOrFail(const CSharedString& name, int hint) const
{
    return FindIndexOrFail(name.CStr(), hint);
}

int CItemList::FindIndexOrFail(const char* name, int hint) const
{
    int index = FindIndexByName(name, hint);
    if (index != -1)
        return index;
    CSharedString report;
    FormatNotFoundReport(report, name);
    FatalExit("Fatal Not Found Error", report.CStr());
}

void CItemList::FormatNotFoundReport(CSharedString& out, const char* name) const
{
    if (!name)
        name = "";
    out.Format("The game is looking for some data or a file but can not find it.  The item we are looking for is \"%s\"",
               name);
    const char* listName = GetListName();
    const char* folderName = GetFolderName();
    bool hasFolder = folderName && *folderName;
    if (listName) {
        out.AppendFormat(" which should be in the \"%s\" list", listName);
        if (hasFolder && !NamesEqual(folderName, listName))
            out.AppendFormat(" located in the \"%s\" folder", folderName);
    } else if (hasFolder) {
        out.AppendFormat(" which should be in the \"%s\" folder", folderName);
    }

    uint32_t count = GetCount();
    if (count == 0) {
        out.AppendText("\r\n\r\n***List contains no items*** ");
    } else {
        out.AppendFormat("\r\n\r\nThat list does contain the following items but \"%s\" is missing:", name);
        for (uint32_t i = 0; i < count && i < 10; ++i) {
            const char* item = GetItemName(i);
            out.AppendFormat("\r\n %d) %s", static_cast<int>(i), item ? item : "");
        }
        if (count > 10)
            out.AppendText("\r\n ...");
    }

    const char* source = CurrentObjectFileName().CStr();
    if (!*source)
        out.AppendText("\r\n\r\nThe item was referenced by an unknown source");
    else
        out.AppendFormat("\r\n\r\nThe item was referenced by \"%s\"", source);

    out.AppendText("\r\n\r\nThis could mean:");
    out.AppendFormat("\r\n\r\n   A) You recently got a new file, some art or a new proram EXE, possible \"%s\", and the new file "
                     "requires some other new file, \"%s\", to make them work.  You should be able to get these other "
                     "files by doing a get.  It is also possable that someone else did not check these files in yet.  If "
                     "doing a get doesn't fix the problem them find out who changed \"%s\" and ask them to add the new "
                     "\"%s\" files.",
                     source, name, source, name);
    out.AppendText("\r\n\r\n or");
    out.AppendFormat("\r\n\r\n   B) You (or someone else) deleted \"%s\" but it is being used by \"%s\".  You need to "
                     "un-delete \"%s\" or manually edit the text for \"%s\" to make it no longer reference \"%s\"",
                     name, source, name, source, name);
}

const char* CItemList::GetListName() const
{
    return nullptr;
}

const char* CItemList::GetFolderName() const
{
    return nullptr;
}

bool CItemList::HasItemObjects() const
{
    return false;
}

CObject* CItemList::GetItemObject(uint32_t)
{
    return nullptr;
}

bool CItemList::IsItemLoaded(uint32_t) const
{
    return false;
}

bool CItemList::IsItemBusy(uint32_t) const
{
    return false;
}

uint32_t CItemList::GetItemObjectSize(uint32_t i)
{
    if (!HasItemObjects())
        return 0;
    CObject* object = GetItemObject(i);
    return object ? object->GetObjectSize() : 0;
}

void CItemList::MarkItemUsed(uint32_t)
{
}

uintptr_t CItemList::GetUserValue() const
{
    return 0;
}

void CItemList::SetUserValue(uintptr_t)
{
}

void CItemList::Clear()
{
}

int CItemList::AddItemByName(const CSharedString&)
{
    return -1;
}

int CItemList::AddItemByName(const char*)
{
    return -1;
}

void CItemList::RemoveItem(uint32_t)
{
}

bool CItemList::IsBrowsable() const
{
    return true;
}

int CItemList::BinarySearchByName(const CSharedString& name, int hint) const
{
    return BinarySearchByName(name.CStr(), hint);
}

int CItemList::BinarySearchByName(const char* name, int hint) const
{
    uint32_t count = GetCount();
    if (count == 0)
        return -1;
    int lo = 0;
    int hi = static_cast<int>(count) - 1;
    int probe;
    if (name && name[0] == '!')
        probe = 0;
    else if (IsValidHint(hint))
        probe = hint;
    else
        probe = hi / 2;
    for (;;) {
        int order = CompareNames(GetItemName(static_cast<uint32_t>(probe)), name);
        if (order == 0)
            return probe;
        if (order < 0)
            lo = probe + 1;
        else
            hi = probe - 1;
        if (hi < lo)
            return -1;
        probe = (lo + hi) / 2;
    }
}

int CItemList::FindSortedByName(const CSharedString& name, int hint) const
{
    int index = BinarySearchByName(name, hint);
    return index != -1 ? index : FindByFileName(name);
}

int CItemList::FindSortedByName(const char* name, int hint) const
{
    int index = BinarySearchByName(name, hint);
    return index != -1 ? index : FindByFileName(name);
}

int CItemList::FindByFileName(const CSharedString& name) const
{
    CSharedString copy(name);
    return FindByFileName(copy.CStr());
}

int CItemList::FindByFileName(const char* name) const
{
    const char* part = GetNamePart(name);
    uint32_t count = GetCount();
    for (uint32_t i = 0; i < count; ++i)
        if (NamesEqual(GetNamePart(GetItemName(i)), part))
            return static_cast<int>(i);
    return -1;
}
