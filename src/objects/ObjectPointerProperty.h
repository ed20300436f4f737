#pragma once
// An owned pointer to an object of a given base class (null when unset). In text the value is the
// held object's class name followed by the object's own block, one level deeper; the object is
// created by that class name when read. In binary: the class name as a counted string, then the
// object's binary form.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <type_traits>

class CObjectPointerProperty : public CPropertyDescriptor
{
public:
    // The setter receives the new object (or null) and takes it over, together with the old one.
    using Setter = void (CObject::*)(CObject*);

    // baseClass: every held object is of this class or derived from it. defaultClass: the class of
    // the object that SetDefault creates; null for no default object.
    template <class Class, class Held>
    CObjectPointerProperty(const char* name, Held* Class::*member, uint32_t flags, CClassRecord* baseClass,
                           CClassRecord* defaultClass, std::type_identity_t<void (Class::*)(CObject*)> setter = nullptr)
        : CObjectPointerProperty(name, MemberOffset(member), sizeof(Held*), flags, baseClass, defaultClass,
                                 static_cast<Setter>(setter))
    {
        static_assert(std::is_base_of_v<CObject, Held>);
    }
    // By offset, for values that are not members of a class (dynamic properties use offset 0).
    CObjectPointerProperty(const char* name, uint32_t offset, uint32_t size, uint32_t flags, CClassRecord* baseClass,
                           CClassRecord* defaultClass, Setter setter);

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void InitMember(CObject* object) const override;
    void DestroyMember(CObject* object) const override;
    void SetDefault(CObject* object) const override;
    void NotifyLoaded(CObject* object, bool tracksReferences) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    void WriteText(const CObject* object, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;
    void FixUpAfterLoad(CObject* object) const override;

    // The value of this property as a dynamic property of object (null when it has none), and
    // its replacement (the previous object is deleted).
    CObject* GetDynamicObject(const CObject* object) const;
    void SetDynamicObject(CObject* object, CObject* held) const;

    CObject* GetValue(const CObject* object) const { return LoadMember<CObject*>(object); }
    CClassRecord* GetBaseClass() const { return m_baseClass; }
    CClassRecord* GetDefaultClass() const { return m_defaultClass; }

    // The longest class name the binary form carries.
    static constexpr uint32_t kMaxBinaryClassName = 99;

private:
    // Deletes the held object and stores held, or hands held to the setter.
    void Replace(CObject* object, CObject* held) const;
    // The class that text names for this property; a class that is unknown, not derived from the
    // base class or abstract ends the program with an "Invalid class type" report, or, on a stream
    // that tolerates damage, is recorded as damage and answers null.
    CClassRecord* FindClassOrFail(const char* className, CObjectTextStream& stream) const;

    CClassRecord* m_baseClass;
    CClassRecord* m_defaultClass;
    Setter m_setter;
};
