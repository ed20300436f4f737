#pragma once
// The interface of every list of named things: class records, the class registry, descriptor
// lists, enumerations, value-name lists, play lists and resource collections. Items are addressed
// by index and found by name, case-insensitively, with a hint, linearly or by binary search, with
// a fall-back on the file-name part of the name.
#include "foundation/SharedString.h"

#include <cstdint>

class CObject;

class CItemList
{
public:
    virtual ~CItemList();

    // The name of item i; null past the end.
    virtual const char* GetItemName(uint32_t i) const = 0;
    virtual void GetItemNameString(CSharedString& out, uint32_t i) const;

    // Index of the item of that name, or -1. The hint (-1 for none) is tried first when it is a
    // valid index.
    virtual int FindIndexByName(const CSharedString& name, int hint) const;
    virtual int FindIndexByName(const char* name, int hint) const;
    // As FindIndexByName, but a missing name ends the program with the "Fatal Not Found Error"
    // report.
    virtual int FindIndexOrFail(const CSharedString& name, int hint) const;
    virtual int FindIndexOrFail(const char* name, int hint) const;

    virtual const char* GetListName() const;
    virtual const char* GetFolderName() const;

    // Lists whose items are objects loaded on demand (resource collections) override these.
    virtual bool HasItemObjects() const;
    virtual CObject* GetItemObject(uint32_t i);
    virtual bool IsItemLoaded(uint32_t i) const;
    virtual bool IsItemBusy(uint32_t i) const;
    virtual uint32_t GetItemObjectSize(uint32_t i);
    virtual void MarkItemUsed(uint32_t i);

    // A value the owner attaches to the list (pointer-sized, so it may hold an address).
    virtual uintptr_t GetUserValue() const;
    virtual void SetUserValue(uintptr_t value);

    // Editing; lists that cannot be edited keep these defaults.
    virtual void Clear();
    virtual int AddItemByName(const CSharedString& name);
    virtual int AddItemByName(const char* name);
    virtual void RemoveItem(uint32_t i);

    virtual uint32_t GetCount() const = 0;

    // Whether tree and list views may show the items; true unless a list says otherwise.
    virtual bool IsBrowsable() const;

    // Binary search over a list sorted by name (CompareNames). Names beginning with "!" are probed
    // at index 0 first, since they sort before every other name.
    virtual int BinarySearchByName(const CSharedString& name, int hint) const;
    virtual int BinarySearchByName(const char* name, int hint) const;
    // Binary search, then the file-name fall-back.
    virtual int FindSortedByName(const CSharedString& name, int hint) const;
    virtual int FindSortedByName(const char* name, int hint) const;
    // The first item whose file-name part (after the last '/' or '\') equals that of name, or -1.
    virtual int FindByFileName(const CSharedString& name) const;
    virtual int FindByFileName(const char* name) const;

    // The one comparison of names used for searching and sorting: ASCII letters folded to lower
    // case, bytes compared unsigned, independent of the C library's locale. Null counts as "".
    static int CompareNames(const char* a, const char* b);
    static bool NamesEqual(const char* a, const char* b) { return CompareNames(a, b) == 0; }
    // The text after the last '/' or '\' (the whole text when there is none).
    static const char* GetNamePart(const char* path);

    // The text of the "Fatal Not Found Error" report for a missing name (exposed for tests).
    void FormatNotFoundReport(CSharedString& out, const char* name) const;

protected:
    // Whether hint names a valid index of this list.
    bool IsValidHint(int hint) const { return hint >= 0 && static_cast<uint32_t>(hint) < GetCount(); }
};
