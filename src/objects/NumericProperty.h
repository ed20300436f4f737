#pragma once
// The common part of the numeric property types (32-bit signed, coordinate, unsigned, float and
// 64-bit): limits with clamping (min equal to max means none), a default, an optional setter, a
// unit converter, and for unsigned, float and 64-bit values optional names of particular values.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"
#include "objects/UnitConverter.h"
#include "objects/ValueNameList.h"

#include <type_traits>

template <class T>
struct CNumericValueNames
{
    using List = void;
};
template <>
struct CNumericValueNames<uint32_t>
{
    using List = CStringList;
};
template <>
struct CNumericValueNames<float>
{
    using List = CFloatValueList;
};
template <>
struct CNumericValueNames<int64_t>
{
    using List = CInt64ValueList;
};

template <class T>
class CNumericProperty : public CPropertyDescriptor
{
public:
    using Setter = void (CObject::*)(T);
    using ValueList = typename CNumericValueNames<T>::List;
    static constexpr bool kHasValueNames = !std::is_void_v<ValueList>;

    CNumericProperty(const char* name, const char* units, uint32_t offset, uint32_t flags, T defaultValue,
                     Setter setter, T min, T max, const CUnitConverter<T>* converter);
    CNumericProperty(const CNumericProperty& other);
    ~CNumericProperty() override;

    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void SetDefault(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;
    // The value as a user typed it in the displayed unit: converted back through the converter,
    // then set, without clamping or value names.
    virtual void SetFromDisplayText(CObject* object, const char* text) const;

    // Parses text as ParseValue does and answers the value it would store.
    T ParseNumber(const char* text) const;
    T GetValue(const CObject* object) const { return LoadMember<T>(object); }

    T GetMin() const { return m_min; }
    T GetMax() const { return m_max; }
    T GetDefault() const { return m_default; }
    const CUnitConverter<T>* GetConverter() const { return m_converter; }
    void SetConverter(const CUnitConverter<T>* converter) { m_converter = converter; }

    // Names a value; the list is created with the first name. Only the unsigned, float and 64-bit
    // types have value names.
    template <class U = T>
    void AddValueName(const char* name, T value)
    {
        static_assert(std::is_same_v<U, T> && kHasValueNames, "this property type has no value names");
        if constexpr (kHasValueNames) {
            if (!m_valueNames)
                m_valueNames = new ValueList;
            m_valueNames->Add(name, value);
        }
    }
    template <class U = T>
    const ValueList* GetValueNames() const
    {
        static_assert(std::is_same_v<U, T> && kHasValueNames, "this property type has no value names");
        return m_valueNames;
    }

    // A class's setter, as the constructors take it (the class is deduced from the member, never
    // from the setter, so that a null setter needs no cast).
    template <class Class>
    using SetterOf = std::type_identity_t<void (Class::*)(T)>;
    // Casts a class's setter to the form the descriptor stores.
    template <class Class, class Argument>
    static Setter ToSetter(void (Class::*setter)(Argument))
    {
        return static_cast<Setter>(setter);
    }

protected:
    // The offset of a member that a property of T can bind: a T, or an integer or enumeration of
    // its size.
    template <class Class, class Member>
    static uint32_t BoundOffset(Member Class::*member)
    {
        static_assert(std::is_same_v<Member, T> ||
                      (sizeof(Member) == sizeof(T) && (std::is_integral_v<Member> || std::is_enum_v<Member>)));
        return MemberOffset(member);
    }

    // The text's number in this type, before limits and names.
    static T ConvertText(const char* text);
    static T ConvertDisplayText(const char* text);
    static void FormatNumber(T value, CSharedString& out);
    void Store(CObject* object, T value) const;

    T m_min;
    T m_max;
    T m_default;
    Setter m_setter;
    const CUnitConverter<T>* m_converter;
    std::conditional_t<kHasValueNames, ValueList*, std::nullptr_t> m_valueNames = nullptr;
};

extern template class CNumericProperty<int32_t>;
extern template class CNumericProperty<uint32_t>;
extern template class CNumericProperty<float>;
extern template class CNumericProperty<int64_t>;
