#include "objects/Int64Property.h"

CInt64Property::CInt64Property(const char* name, const char* units, uint32_t offset, uint32_t flags,
                               int64_t defaultValue, int64_t min, int64_t max, Setter setter,
                               const CInt64ValueList* valueNames)
    : CNumericProperty(name, units, offset, flags, defaultValue, setter, min, max, &g_int64IdentityConverter)
{
    if (valueNames)
        m_valueNames = new CInt64ValueList(*valueNames);
}

CPropertyDescriptor* CInt64Property::Clone() const
{
    return new CInt64Property(*this);
}
