#include "objects/NumericProperty.h"

#include "foundation/VirtualFile.h"
#include "objects/NumberText.h"

#include <bit>
#include <charconv>
#include <cinttypes>
#include <cmath>

template <class T>
CNumericProperty<T>::CNumericProperty(const char* name, const char* units, uint32_t offset, uint32_t flags,
                                      T defaultValue, Setter setter, T min, T max, const CUnitConverter<T>* converter)
    : CPropertyDescriptor(name, units, offset, sizeof(T), flags)
    , m_min(min)
    , m_max(max)
    , m_default(defaultValue)
    , m_setter(setter)
    , m_converter(converter)
{
}

template <class T>
CNumericProperty<T>::CNumericProperty(const CNumericProperty& other)
    : CPropertyDescriptor(other)
    , m_min(other.m_min)
    , m_max(other.m_max)
    , m_default(other.m_default)
    , m_setter(other.m_setter)
    , m_converter(other.m_converter)
{
    if constexpr (kHasValueNames)
        if (other.m_valueNames)
            m_valueNames = new ValueList(*other.m_valueNames);
}

template <class T>
CNumericProperty<T>::~CNumericProperty()
{
    if constexpr (kHasValueNames)
        delete m_valueNames;
}

template <class T>
bool CNumericProperty<T>::IsSimpleValue() const
{
    return true;
}

template <class T>
void CNumericProperty<T>::CopyValue(CObject* destination, const CObject* source,
                                    const CPropertyDescriptor& sourceDescriptor) const
{
    StoreMember(destination, LoadAt<T>(source, sourceDescriptor.GetOffset()));
}

template <class T>
void CNumericProperty<T>::SetDefault(CObject* object) const
{
    StoreMember(object, m_default);
}

template <class T>
void CNumericProperty<T>::FormatNumber(T value, CSharedString& out)
{
    if constexpr (std::is_same_v<T, float>) {
        // "%g" with the C locale's decimal point, whatever the process locale is.
        char text[32];
        std::to_chars_result result = std::to_chars(text, text + sizeof(text) - 1, value, std::chars_format::general, 6);
        *result.ptr = '\0';
        out.AssignText(text);
    } else if constexpr (std::is_same_v<T, int64_t>) {
        out.Format("%" PRId64, value);
    } else if constexpr (std::is_same_v<T, uint32_t>) {
        out.Format("%u", value);
    } else {
        out.Format("%d", value);
    }
}

template <class T>
void CNumericProperty<T>::FormatValue(const CObject* object, CSharedString& out) const
{
    T value = LoadMember<T>(object);
    if constexpr (kHasValueNames) {
        if (m_valueNames) {
            int index = m_valueNames->FindIndexByValue(value);
            if (index != -1) {
                m_valueNames->GetItemNameString(out, static_cast<uint32_t>(index));
                return;
            }
        }
    }
    FormatNumber(value, out);
}

template <class T>
T CNumericProperty<T>::ConvertText(const char* text)
{
    if constexpr (std::is_same_v<T, float>)
        return ClampToFloat(ParseLeadingFloat(text));
    else if constexpr (std::is_same_v<T, int64_t>)
        return ParseLeadingInteger(text);
    else if constexpr (std::is_same_v<T, uint32_t>)
        return ToUInt32(ParseLeadingInteger(text));
    else
        return ClampToInt32(ParseLeadingInteger(text));
}

template <class T>
T CNumericProperty<T>::ConvertDisplayText(const char* text)
{
    if constexpr (std::is_same_v<T, int64_t>) {
        double value = std::trunc(ParseLeadingFloat(text));
        if (value >= 9223372036854775807.0)
            return INT64_MAX;
        if (value <= -9223372036854775808.0)
            return INT64_MIN;
        return static_cast<int64_t>(value);
    } else {
        return ConvertText(text);
    }
}

template <class T>
T CNumericProperty<T>::ParseNumber(const char* text) const
{
    T number = ConvertText(text);
    if (m_min == m_max)
        return number;
    if constexpr (kHasValueNames) {
        // A number that is itself a named value is kept before any name is looked up, so a name
        // whose text reads as a listed number ("0" for "On") loses to that number.
        if (m_valueNames) {
            if (m_valueNames->FindIndexByValue(number) != -1)
                return number;
            int index = m_valueNames->FindIndexByName(text, -1);
            if (index != -1)
                return m_valueNames->GetValue(static_cast<uint32_t>(index));
        }
    }
    if (number < m_min)
        return m_min;
    if (number > m_max)
        return m_max;
    return number;
}

template <class T>
void CNumericProperty<T>::Store(CObject* object, T value) const
{
    if (m_setter)
        (object->*m_setter)(value);
    else
        StoreMember(object, value);
}

template <class T>
void CNumericProperty<T>::ParseValue(CObject* object, const char* value, CObjectTextStream&) const
{
    Store(object, ParseNumber(value));
}

template <class T>
void CNumericProperty<T>::SetFromDisplayText(CObject* object, const char* text) const
{
    Store(object, m_converter->FromDisplay(ConvertDisplayText(text)));
}

template <class T>
bool CNumericProperty<T>::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    using Bits = std::conditional_t<sizeof(T) == 8, uint64_t, uint32_t>;
    Bits bits = std::bit_cast<Bits>(LoadMember<T>(object));
    return WriteLittleEndian(stream, bits, sizeof(T));
}

template <class T>
bool CNumericProperty<T>::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    using Bits = std::conditional_t<sizeof(T) == 8, uint64_t, uint32_t>;
    uint64_t bits = 0;
    if (!ReadLittleEndian(stream, bits, sizeof(T)))
        return false;
    StoreMember(object, std::bit_cast<T>(static_cast<Bits>(bits)));
    return true;
}

template class CNumericProperty<int32_t>;
template class CNumericProperty<uint32_t>;
template class CNumericProperty<float>;
template class CNumericProperty<int64_t>;
