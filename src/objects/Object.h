#pragma once
// The root of every reflected class. Each class carries a runtime class record with its property
// descriptors; CObject builds on them the construction and destruction of property members,
// defaults, copies and clones, the object text format, and an optional per-object set of dynamic
// property values.
//
// Every constructor of a derived class calls InitOwnProperties() and every destructor
// DestroyOwnProperties(), so that each class level initialises and destroys exactly the members of
// its own properties (see ClassRecord.h for how a class declares its record and properties).
#include "objects/ClassRecord.h"

#include <cstddef>

class CDynamicProperties;
class CObjectTextStream;
class CPropertyDescriptor;
class CVirtualFile;

// Receives an object handed out by a reader: stores it only when it is of the receiver's class.
class CObjectReceiver
{
public:
    CObjectReceiver(const CClassRecord* record, CObject** target);
    virtual ~CObjectReceiver();
    // Stores object into the target when its class is the receiver's class or derives from it,
    // and returns it; otherwise stores null and returns null.
    virtual CObject* Set(CObject* object);
    virtual CObject* Get() const;
    virtual const CClassRecord* GetClassRecord() const;

private:
    const CClassRecord* m_record;
    CObject** m_target;
};

class CObject
{
public:
    static CClassRecord* GetStaticClassRecord();
    virtual CClassRecord* GetClassRecord() const;
    static void AddProperties(CClassRecord* record);

    CObject();
    virtual ~CObject();
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    // Objects live in the small-block allocator and are freed with their class's size.
    static void* operator new(size_t size);
    static void operator delete(void* block, size_t size);
    static void* operator new(size_t, void* place) { return place; }
    static void operator delete(void*, void*) {}

    // Descriptor FixUpAfterLoad for every property, inherited ones included.
    virtual void FixUpAfterLoad();
    // Extra lines of a class's block in the text format.
    virtual void WriteCustomProperties(CObjectTextStream& stream) const;
    // Handles a property line that no property of the class matched: a dynamic property's label
    // adds that value; an unknown label is skipped together with a nested object block after it.
    virtual void ReadCustomProperties(const char* label, const char* value, CObjectTextStream& stream);
    virtual bool WriteCustomBinary(CVirtualFile& stream) const;
    virtual bool ReadCustomBinary(CVirtualFile& stream);
    virtual void BeginRead();
    virtual void OnLoaded(CObjectReceiver* receiver);
    // OnLoaded with the readers' receiver, which takes no object, or with none.
    void NotifyLoaded(bool withReceiver);
    // Descriptor SetDefault for every property, in list order.
    virtual void SetPropertiesToDefaults();
    // Copies the properties of the class the two objects have in common and resets this object's
    // further properties to their defaults. When the classes are not on one line of descent,
    // nothing changes.
    virtual void CopyPropertiesFrom(const CObject* other);
    virtual uint32_t GetObjectSize() const;
    // The display name without suffix, then the values of the first two properties whose flags
    // are non-zero, each followed by a space.
    virtual void GetDescription(CSharedString& out, const char* suffix) const;

    void InitOwnProperties();
    void DestroyOwnProperties();
    bool IsKindOf(const CClassRecord* record) const;
    // A new object of this class with every property copied; null when the class cannot be made.
    CObject* Clone() const;

    // Dynamic property values (the set is created on the first value).
    void* AddDynamicValue(const CPropertyDescriptor* descriptor);
    void* GetOrAddDynamicValue(const CPropertyDescriptor* descriptor);
    void* FindDynamicValue(const CPropertyDescriptor* descriptor) const;
    bool RemoveDynamicValue(const CPropertyDescriptor* descriptor);
    bool HasDynamicValue(const CPropertyDescriptor* descriptor) const;
    CPropertyDescriptorList* GetDynamicPropertyList() const;
    CDynamicProperties* GetDynamicProperties() const { return m_dynamicProperties; }

    // The property's text form, appended to out or replacing it.
    void AppendPropertyText(const CPropertyDescriptor* descriptor, CSharedString& out, bool append) const;

    // The object text format.
    void WriteToTextStream(CObjectTextStream& stream) const;
    bool ReadPropertyBlock(CObjectTextStream& stream);
    bool ReadFromTextStream(CObjectTextStream& stream);
    bool LoadFromFile(const char* path, uint32_t flags);
    static CObject* CreateFromFile(const char* path, uint32_t flags, bool resave, CObject** out);
    bool SaveToFile(const char* path, uint32_t flags) const;

    // The binary object form: the header 27.0, the class version (both as float bits), every
    // property's binary form in list order, then the custom data. Reading refuses data of another
    // header or class version, so that stale caches are rebuilt. WriteBinary is false when the
    // stream did not take every byte.
    static constexpr uint32_t kBinaryHeader = 0x41D80000; // 27.0f
    bool WriteBinary(CVirtualFile& stream) const;
    bool ReadBinary(CVirtualFile& stream);

private:
    CDynamicProperties* m_dynamicProperties;
};

// The sentinel class: a record that no object belongs to (readers pass a receiver of this class
// when nobody wants the object read).
class CClassThatCanNotBeConstructedOrDerivedFrom final : public CObject
{
    DECLARE_CLASS_RECORD(CClassThatCanNotBeConstructedOrDerivedFrom)
private:
    CClassThatCanNotBeConstructedOrDerivedFrom() = delete;
};
