#include "objects/CoordinateProperty.h"

CCoordinateProperty::CCoordinateProperty(const char* name, const char* units, uint32_t offset, uint32_t flags,
                                         int32_t defaultValue, Setter setter, int32_t min, int32_t max)
    : CIntProperty(name, units, offset, flags, defaultValue, setter, min, max, &g_coordinateIdentityConverter)
{
}

CPropertyDescriptor* CCoordinateProperty::Clone() const
{
    return new CCoordinateProperty(*this);
}
