#include "objects/UIntProperty.h"

CUIntProperty::CUIntProperty(const char* name, const char* units, uint32_t offset, uint32_t flags,
                             uint32_t defaultValue, Setter setter, uint32_t min, uint32_t max)
    : CNumericProperty(name, units, offset, flags, defaultValue, setter, min, max, &g_uintIdentityConverter)
{
    if (m_min == m_max) {
        m_min = 0;
        m_max = units ? 0xFFFFFFFEu : 0xFFFFFFFFu;
    }
}

CPropertyDescriptor* CUIntProperty::Clone() const
{
    return new CUIntProperty(*this);
}
