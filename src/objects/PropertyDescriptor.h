#pragma once
// A reflected property: binds one member of a class's objects to a label and knows how to
// initialise, destroy, default, copy, format, parse, write and read it given only the owning
// object. The text and binary object forms, CObject's defaults and copies and the dynamic
// properties do all their per-member work through these operations.
//
// A descriptor reaches its member at (object + member offset), the offset being taken from the
// CObject part of the object. A dynamic property's value slot is passed in place of the object;
// such descriptors are built with offset 0.
#include "foundation/SharedString.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

class CObject;
class CObjectTextStream;
class CVirtualFile;

class CPropertyDescriptor
{
public:
    // name is the label path "Category/Label"; it is split at its last '/'.
    CPropertyDescriptor(const char* name, const char* units, uint32_t offset, uint32_t size, uint32_t flags);
    CPropertyDescriptor(const CPropertyDescriptor& other);
    CPropertyDescriptor& operator=(const CPropertyDescriptor&) = delete;
    virtual ~CPropertyDescriptor();

    // A new descriptor of the same type with every field copied.
    virtual CPropertyDescriptor* Clone() const = 0;
    // False for the block-valued types (polygons, arrays, objects, dynamic properties).
    virtual bool IsSimpleValue() const = 0;
    // Copies the member of source (found through sourceDescriptor) into destination.
    virtual void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const = 0;
    // Construction and destruction of the member; plain members need neither.
    virtual void InitMember(CObject* object) const;
    virtual void DestroyMember(CObject* object) const;
    virtual void SetDefault(CObject* object) const = 0;
    virtual void NotifyLoaded(CObject* object, bool tracksReferences) const;
    // The value's text form.
    virtual void FormatValue(const CObject* object, CSharedString& out) const = 0;
    // Sets the member from the text after "=" of a property line; block-valued types read their
    // further lines from the stream.
    virtual void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const = 0;
    virtual bool ShouldWrite(const CObject* object) const;
    // Writes the value and ends the line (the label and "=" are already written).
    virtual void WriteText(const CObject* object, CObjectTextStream& stream) const;
    // Binary form; false when the stream could not take or give all the bytes.
    virtual bool WriteBinary(const CObject* object, CVirtualFile& stream) const = 0;
    virtual bool ReadBinary(CObject* object, CVirtualFile& stream) const = 0;
    // The bit-flag type answers its mask.
    virtual uint32_t GetBitMask() const;
    virtual void FixUpAfterLoad(CObject* object) const;
    virtual uint32_t GetValueSize() const;
    // Value slots of dynamic properties: member-size blocks of the small-block allocator.
    virtual void* AllocValue() const;
    virtual void FreeValue(void* block) const;
    // Arrays of values for the array property types, from the heap, zero-filled.
    virtual void* NewValueArray(uint32_t count) const;
    virtual void DeleteValueArray(void* array) const;
    virtual void CopyValueBytes(void* destination, const void* source) const;

    const CSharedString& GetLabel() const { return m_label; }
    void SetLabel(const char* label) { m_label.AssignText(label); }
    const CSharedString& GetCategory() const { return m_category; }
    const CSharedString& GetHelpText() const { return m_helpText; }
    void SetHelpText(const char* text) { m_helpText.AssignText(text); }
    const CSharedString& GetAlias() const { return m_alias; }
    void SetAlias(const char* alias) { m_alias.AssignText(alias); }
    const CSharedString& GetUnits() const { return m_units; }
    uint32_t GetOffset() const { return m_offset; }
    uint32_t GetSize() const { return m_size; }
    uint32_t GetFlags() const { return m_flags; }
    bool IsDynamic() const { return m_dynamic != 0; }
    void SetDynamicFlag() { m_dynamic = 1; }

    // The object's value of this dynamic property: added (null when it already has one), removed,
    // tested.
    void* AddDynamicValue(CObject* object) const;
    bool RemoveDynamicValue(CObject* object) const;
    bool HasDynamicValue(const CObject* object) const;

    // The offset of a member from the CObject part of its class. Relies on the Itanium C++ ABI,
    // where a pointer to a data member is the member's offset.
    template <class Class, class Member>
    static uint32_t MemberOffset(Member Class::*member)
    {
        Member CObject::*asObjectMember = static_cast<Member CObject::*>(member);
        return static_cast<uint32_t>(std::bit_cast<std::ptrdiff_t>(asObjectMember));
    }

    // The binary forms of objects and properties: little-endian fixed-width values, false on a
    // short read or write.
    static bool WriteLittleEndian(CVirtualFile& stream, uint64_t value, uint32_t bytes);
    static bool ReadLittleEndian(CVirtualFile& stream, uint64_t& value, uint32_t bytes);

protected:
    // What lies at an offset inside an object: this descriptor's member, another member of the
    // owner (an array's items or capacity), or the source member of a CopyValue (at the source
    // descriptor's offset).
    static void* AddressAt(CObject* object, uint32_t offset) { return reinterpret_cast<char*>(object) + offset; }
    static const void* AddressAt(const CObject* object, uint32_t offset)
    {
        return reinterpret_cast<const char*>(object) + offset;
    }
    template <class T>
    static T LoadAt(const CObject* object, uint32_t offset)
    {
        T value;
        std::memcpy(&value, AddressAt(object, offset), sizeof(T));
        return value;
    }
    template <class T>
    static void StoreAt(CObject* object, uint32_t offset, T value)
    {
        std::memcpy(AddressAt(object, offset), &value, sizeof(T));
    }
    void* MemberAddress(CObject* object) const { return AddressAt(object, m_offset); }
    const void* MemberAddress(const CObject* object) const { return AddressAt(object, m_offset); }
    template <class T>
    T LoadMember(const CObject* object) const
    {
        return LoadAt<T>(object, m_offset);
    }
    template <class T>
    void StoreMember(CObject* object, T value) const
    {
        StoreAt(object, m_offset, value);
    }

    // A counted string: u32 length, then the characters. Reading fails on a length above
    // maxLength or beyond the end of the stream.
    static constexpr uint32_t kMaxCountedText = 0xFFFF;
    static bool WriteCountedText(CVirtualFile& stream, const char* text);
    static bool ReadCountedText(CVirtualFile& stream, CSharedString& out, uint32_t maxLength);

private:
    CSharedString m_label;
    CSharedString m_helpText;
    CSharedString m_category;
    uint32_t m_offset;
    uint32_t m_size;
    uint32_t m_flags;
    CSharedString m_alias;
    CSharedString m_units;
    uint8_t m_dynamic = 0;
};
