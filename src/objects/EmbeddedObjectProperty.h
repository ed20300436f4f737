#pragma once
// An object stored by value inside its owner, constructed and destroyed with the owner. In text
// it is written as a whole object (its class name after the label, then its block one level
// deeper); its binary form is the object's own.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <type_traits>

class CEmbeddedObjectProperty : public CPropertyDescriptor
{
public:
    template <class Class, class Embedded>
    CEmbeddedObjectProperty(const char* name, Embedded Class::*member, uint32_t flags)
        : CEmbeddedObjectProperty(name, MemberOffset(member), sizeof(Embedded), flags, Embedded::GetStaticClassRecord())
    {
        static_assert(std::is_base_of_v<CObject, Embedded>);
    }
    // Without a class record: the owner knows the object's class.
    template <class Class, class Embedded>
    static CEmbeddedObjectProperty* ConstructUntyped(const char* name, Embedded Class::*member, uint32_t flags)
    {
        static_assert(std::is_base_of_v<CObject, Embedded>);
        return new CEmbeddedObjectProperty(name, MemberOffset(member), sizeof(Embedded), flags, nullptr);
    }
    CEmbeddedObjectProperty(const char* name, uint32_t offset, uint32_t size, uint32_t flags, CClassRecord* record);

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void SetDefault(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    void WriteText(const CObject* object, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;
    void FixUpAfterLoad(CObject* object) const override;
    // Arrays made by the class record's create-array function (null for the untyped variant).
    void* NewValueArray(uint32_t count) const override;
    void DeleteValueArray(void* array) const override;

    CObject* GetObject(CObject* object) const { return static_cast<CObject*>(MemberAddress(object)); }
    const CObject* GetObject(const CObject* object) const { return static_cast<const CObject*>(MemberAddress(object)); }
    CClassRecord* GetEmbeddedClass() const { return m_record; }

private:
    CClassRecord* m_record;
};
