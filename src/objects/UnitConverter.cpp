#include "objects/UnitConverter.h"

constinit const CIdentityConverter<int32_t> g_intIdentityConverter;
constinit const CIdentityConverter<int32_t> g_coordinateIdentityConverter;
constinit const CIdentityConverter<uint32_t> g_uintIdentityConverter;
constinit const CIdentityConverter<float> g_floatIdentityConverter;
constinit const CIdentityConverter<int64_t> g_int64IdentityConverter;
constinit const CScaleConverter g_degreesConverter(57.29578f);
