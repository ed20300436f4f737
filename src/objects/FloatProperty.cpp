#include "objects/FloatProperty.h"

CFloatProperty::CFloatProperty(const char* name, const char* units, uint32_t offset, uint32_t flags,
                               float defaultValue, Setter setter, float min, float max)
    : CNumericProperty(name, units, offset, flags, defaultValue, setter, min, max, &g_floatIdentityConverter)
{
}

CPropertyDescriptor* CFloatProperty::Clone() const
{
    return new CFloatProperty(*this);
}
