#include "objects/IntProperty.h"

CIntProperty::CIntProperty(const char* name, const char* units, uint32_t offset, uint32_t flags, int32_t defaultValue,
                           Setter setter, int32_t min, int32_t max)
    : CIntProperty(name, units, offset, flags, defaultValue, setter, min, max, &g_intIdentityConverter)
{
}

CIntProperty::CIntProperty(const char* name, const char* units, uint32_t offset, uint32_t flags, int32_t defaultValue,
                           Setter setter, int32_t min, int32_t max, const CUnitConverter<int32_t>* converter)
    : CNumericProperty(name, units, offset, flags, defaultValue, setter, min, max, converter)
{
}

CPropertyDescriptor* CIntProperty::Clone() const
{
    return new CIntProperty(*this);
}
