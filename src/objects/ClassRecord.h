#pragma once
// The runtime record of a reflected class: name, version, base, object size, factories and the
// ordered list of its property descriptors (inherited ones first). The record is also an item
// list of its properties, item name = label.
//
// A class declares its record with DECLARE_CLASS_RECORD in its body and defines it in its source
// file with IMPLEMENT_CLASS_RECORD (or IMPLEMENT_ABSTRACT_CLASS_RECORD), which also registers it
// with the class registry during static initialisation. The class then defines its property-table
// function, AddProperties, which appends the class's own descriptors in the order they are
// written:
//
//     class CBall : public CObject
//     {
//         DECLARE_CLASS_RECORD(CBall)
//         CBall() { InitOwnProperties(); }
//         ~CBall() override { DestroyOwnProperties(); }
//         int32_t m_speed;
//     };
//
//     IMPLEMENT_CLASS_RECORD(CBall, CObject, 1.0f)
//     void CBall::AddProperties(CClassRecord* record)
//     {
//         record->AddProperty(new CIntProperty("Movement/Speed", &CBall::m_speed, 0, 5, nullptr, 1, 10));
//     }
#include "objects/ItemList.h"

#include <vector>

class CObject;
class CPropertyDescriptor;
class CPropertyDescriptorList;
class CClassRecord;

using CreateObjectFunction = CObject* (*)();
using CreateObjectArrayFunction = CObject* (*)(uint32_t count);
using DeleteObjectArrayFunction = void (*)(CObject* array);
using PropertyTableFunction = void (*)(CClassRecord* record);

class CClassRecord : public CItemList
{
public:
    // Builds the record: stores its address into *slot before the property table runs (so that
    // the table can reach the record through the class's accessor), copies the base's properties,
    // runs the table and derives the version. base is null only for CObject.
    CClassRecord(CClassRecord** slot, const char* name, float version, CClassRecord* base, uint32_t objectSize,
                 bool isAbstract, CreateObjectFunction create, CreateObjectArrayFunction createArray,
                 DeleteObjectArrayFunction deleteArray, PropertyTableFunction propertyTable);
    ~CClassRecord() override;
    CClassRecord(const CClassRecord&) = delete;
    CClassRecord& operator=(const CClassRecord&) = delete;

    // Item list of the properties.
    const char* GetItemName(uint32_t i) const override;
    uint32_t GetCount() const override;

    // A new object of the class; null when the class has no create function.
    virtual CObject* CreateObject() const;
    // count objects in one array, destroyed as a whole with DeleteObjectArray.
    virtual CObject* CreateObjectArray(uint32_t count) const;
    void DeleteObjectArray(CObject* array) const;

    // Called by property-table functions.
    void AddProperty(CPropertyDescriptor* descriptor);
    CPropertyDescriptor* GetLastProperty() const;

    // The property of that label (case-insensitive), then of that alias; null when none. index
    // (when given) receives its index or -1.
    CPropertyDescriptor* FindProperty(const char* label, int* index = nullptr) const;
    CPropertyDescriptor* GetProperty(uint32_t i) const { return i < m_properties.size() ? m_properties[i] : nullptr; }
    const char* GetPropertyName(uint32_t i) const { return GetItemName(i); }
    uint32_t GetPropertyCount() const { return static_cast<uint32_t>(m_properties.size()); }
    uint32_t GetInheritedCount() const { return m_inheritedCount; }

    // True when record is this one or one of its bases, or null.
    bool IsKindOf(const CClassRecord* record) const;

    const char* GetName() const { return m_name; }
    const char* GetAlternateName() const { return m_alternateName; }
    void SetAlternateName(const char* name) { m_alternateName = name; }
    float GetVersion() const { return m_version; }
    CClassRecord* GetBase() const { return m_base; }
    bool IsAbstract() const { return m_abstract; }
    uint32_t GetObjectSize() const { return m_objectSize; }
    const std::vector<CClassRecord*>& GetDerivedRecords() const { return m_derived; }
    CPropertyDescriptorList* GetDynamicPropertyList() const { return m_dynamicProperties; }

    // The class name without a leading "C" that is followed by an upper-case letter, with the
    // first occurrence of suffix (when given and present) removed: CShipAI, "AI" -> Ship.
    void GetDisplayName(CSharedString& out, const char* suffix) const;

    // Makes descriptor a dynamic property of this class and of every class derived from it.
    void AddDynamicPropertyToHierarchy(CPropertyDescriptor* descriptor);

    // The factories the record macros hand to the constructor.
    template <class Class>
    static CObject* CreateOf()
    {
        return new Class;
    }
    template <class Class>
    static CObject* CreateArrayOf(uint32_t count)
    {
        return new Class[count];
    }
    template <class Class>
    static void DeleteArrayOf(CObject* array)
    {
        delete[] static_cast<Class*>(array);
    }

private:
    std::vector<CPropertyDescriptor*> m_properties;
    const char* m_alternateName = nullptr;
    const char* m_name;
    float m_version;
    CClassRecord* m_base;
    std::vector<CClassRecord*> m_derived;
    CPropertyDescriptorList* m_dynamicProperties;
    uint32_t m_inheritedCount = 0;
    bool m_abstract;
    uint32_t m_objectSize;
    CreateObjectFunction m_create;
    CreateObjectArrayFunction m_createArray;
    DeleteObjectArrayFunction m_deleteArray;
};

// Registers a class's record at start-up: calls the accessor and registers what it returns.
class CClassRegistrar
{
public:
    explicit CClassRegistrar(CClassRecord* (*accessor)());
};

// Calls a registration function once, from the static initialisers.
class CStaticRegistrar
{
public:
    explicit CStaticRegistrar(void (*function)());
};

// In the class body: the static accessor of the record, the virtual that returns it, and the
// property-table function (which the class defines). What follows the macro is public.
#define DECLARE_CLASS_RECORD(Class)                    \
public:                                                \
    static CClassRecord* GetStaticClassRecord();       \
    CClassRecord* GetClassRecord() const override;     \
    static void AddProperties(CClassRecord* record);

#define IMPLEMENT_CLASS_RECORD_WITH(Class, Base, version, isAbstract, create, createArray, deleteArray) \
    CClassRecord* Class::GetStaticClassRecord()                                                          \
    {                                                                                                    \
        static CClassRecord* s_record = nullptr;                                                         \
        if (!s_record)                                                                                   \
            new CClassRecord(&s_record, #Class, version, Base::GetStaticClassRecord(), sizeof(Class),    \
                             isAbstract, create, createArray, deleteArray, &Class::AddProperties);       \
        return s_record;                                                                                 \
    }                                                                                                    \
    CClassRecord* Class::GetClassRecord() const                                                          \
    {                                                                                                    \
        return GetStaticClassRecord();                                                                   \
    }                                                                                                    \
    namespace {                                                                                          \
    CClassRegistrar s_classRegistrar_##Class(&Class::GetStaticClassRecord);                              \
    }

// In the class's source file: the record of a class that can be created by name.
#define IMPLEMENT_CLASS_RECORD(Class, Base, version)                                                   \
    IMPLEMENT_CLASS_RECORD_WITH(Class, Base, version, false, &CClassRecord::CreateOf<Class>,           \
                                &CClassRecord::CreateArrayOf<Class>, &CClassRecord::DeleteArrayOf<Class>)

// The record of a class that is never created by name (C++ abstract classes must use this one).
#define IMPLEMENT_ABSTRACT_CLASS_RECORD(Class, Base, version) \
    IMPLEMENT_CLASS_RECORD_WITH(Class, Base, version, true, nullptr, nullptr, nullptr)
