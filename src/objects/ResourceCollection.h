#pragma once
// The content of one kind (fonts, sequences, brick types, backgrounds, rounds...) in one resource
// folder: a named list with one entry per item, whose object is created from its file the first
// time it is asked for and kept until the collection unloads it.
//
// Setting a collection up for a folder:
//
//     collection.SetFolder("Resources");
//     collection.SetTypeName("Brick");               // items are "<folder>/<name>.Brick"
//     collection.Register("Brick Info");             // enters it into CResourceRegistry
//     collection.SetEntries(names);                  // item names, sorted ignoring case
//
// Items then load on first use: GetItem(i), GetByName(name) or MarkItemUsed(i). The default
// LoadItem reads a typed object text file; collections of other layouts override LoadItem and
// GetItemFilePath.
#include "objects/NamedList.h"

#include <memory>
#include <vector>

class CClassRecord;
class CObject;
class CTreeModel;

// One item of a collection. The name is the first field, so the entry array is the named list's
// record table.
class CResourceEntry
{
public:
    // Names are NUL-terminated within the entry: at most kNameSize - 1 characters.
    static constexpr uint32_t kNameSize = 120;

    CResourceEntry();
    // Deletes the entry's object.
    ~CResourceEntry();
    CResourceEntry(const CResourceEntry&) = delete;
    CResourceEntry& operator=(const CResourceEntry&) = delete;

    const char* GetName() const { return m_name; }
    // False, leaving the name as it was, when the name does not fit.
    bool SetName(const char* name);

    char m_name[kNameSize];
    CObject* m_object = nullptr;
    uint8_t m_keep = 0;
    uint8_t m_used = 0;
    uint8_t m_firstUseDone = 0;
    uint8_t m_loading = 0;
};

class CResourceCollection : public CNamedList
{
public:
    // The collection's items are of itemClass (null: any class).
    explicit CResourceCollection(const char* typeName = nullptr, CClassRecord* itemClass = nullptr);
    // Frees the entries (deleting their objects) and leaves the resource registry.
    ~CResourceCollection() override;
    CResourceCollection(const CResourceCollection&) = delete;
    CResourceCollection& operator=(const CResourceCollection&) = delete;

    // Set-up.
    void SetFolder(const char* folder) { m_folder.AssignText(folder); }
    const CSharedString& GetFolder() const { return m_folder; }
    void SetTypeName(const char* typeName) { m_typeName.AssignText(typeName); }
    const CSharedString& GetTypeName() const { return m_typeName; }
    void SetCreationParameter(uint32_t value) { m_creationParameter = value; }
    uint32_t GetCreationParameter() const { return m_creationParameter; }
    // Enters the collection into the resource registry under the display name (value 0, flag 1)
    // and keeps the index it gets.
    int Register(const char* displayName);
    void SetRegistryIndex(int index) { m_registryIndex = index; }
    int GetRegistryIndex() const { return m_registryIndex; }
    // Replaces the entries (the old ones and their objects go) by one per name, sorted by name
    // ignoring case unless sorted is false. A name longer than kNameSize - 1 characters ends the
    // program with a report naming it.
    void SetEntries(const std::vector<CSharedString>& names, bool sorted = true);
    // A further name under which the entry at index is found.
    void AddAlias(const char* name, uint32_t index);
    // The tree that shows the entries (owned, deleted with the collection).
    void SetTree(CTreeModel* tree);
    CTreeModel* GetTree() const { return m_tree.get(); }
    const CResourceEntry* GetEntry(uint32_t i) const { return i < m_entryCount ? &m_entries[i] : nullptr; }

    // The item list.
    using CNamedList::FindIndexByName;
    // The named-list search, then the aliases; -1 when neither knows the name.
    int FindIndexByName(const char* name, int hint) const override;
    const char* GetListName() const override;
    const char* GetFolderName() const override;
    bool HasItemObjects() const override;
    CObject* GetItemObject(uint32_t i) override;
    bool IsItemLoaded(uint32_t i) const override;
    bool IsItemBusy(uint32_t i) const override;
    // Sets the used flag, loads the item, and the first time calls its FixUpAfterLoad.
    void MarkItemUsed(uint32_t i) override;

    // Entries.
    virtual void ClearUsageMarks();
    virtual bool IsItemUsed(uint32_t i) const;
    // The entry's object, loaded on first use. An index past the count counts as 0; null without
    // entries, while the entry is being loaded, or when it cannot be loaded (the next call tries
    // again).
    virtual CObject* GetItem(uint32_t i);
    // When loaded: deletes the object and clears the entry's flags, keep included.
    virtual void UnloadItem(uint32_t i);
    virtual bool GetKeepFlag(uint32_t i) const;
    virtual void SetKeepFlag(uint32_t i, bool keep);
    virtual CClassRecord* GetItemClassRecord() const;
    // When object is of the item class and the object of an entry: that entry's file, true.
    virtual bool GetObjectFilePath(const CObject* object, CSharedString& path);
    // The index of the entry whose loaded object is object; -1 when none holds it (null included).
    int FindLoadedObjectIndex(const CObject* object) const;
    // Creates the item's object. The default reads "<folder>/<file name>.<type name>" in the object
    // text format and saves it back. *out receives the object as soon as it exists.
    virtual CObject* LoadItem(const char* folder, const char* fileName, CObject** out);
    // Reads "<folder>/<file name>.<type name>" without saving it back: the LoadItem of collections
    // whose files are data, not sources. Null (and *out null) when it cannot be read or holds an
    // object that is not of the item class, which callers would misuse.
    CObject* ReadItemOfItemClass(const char* folder, const char* fileName, CObject** out);
    // The file that holds entry i; by default "<folder>/<name>.<type name>".
    virtual void GetItemFilePath(uint32_t i, CSharedString& path);
    // Destroys the entries (deleting their objects); the list then has no table.
    virtual void FreeEntries();

    // Loads entry i whether or not it is loaded (no index clamp); a new object replaces the old
    // one, which stays when no new one can be made. Null while the entry is being loaded.
    CObject* LoadEntry(uint32_t i);
    // The object of that name; a name the collection does not have ends the program with the
    // "Fatal Not Found Error" report.
    CObject* GetByName(const char* name);
    void UnloadAllLoaded();

private:
    // "<folder>/<file name>.<type name>".
    void MakeItemPath(const char* folder, const char* fileName, CSharedString& path) const;

    struct Alias
    {
        CSharedString m_name;
        uint32_t m_index;
    };

    std::vector<Alias> m_aliases;
    int m_registryIndex = -1;
    CResourceEntry* m_entries = nullptr;
    uint32_t m_entryCount = 0;
    CSharedString m_folder;
    CSharedString m_typeName;
    uint32_t m_creationParameter = 0;
    std::unique_ptr<CTreeModel> m_tree;
    CClassRecord* m_itemClass;
};
