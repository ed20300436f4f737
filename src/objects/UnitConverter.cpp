#include "objects/UnitConverter.h"

#include "foundation/MathTables.h"
#include "objects/NumberText.h"

constinit const CIdentityConverter<int32_t> g_intIdentityConverter;
constinit const CIdentityConverter<int32_t> g_coordinateIdentityConverter;
constinit const CIdentityConverter<uint32_t> g_uintIdentityConverter;
constinit const CIdentityConverter<float> g_floatIdentityConverter;
constinit const CIdentityConverter<int64_t> g_int64IdentityConverter;
constinit const CScaleConverter g_degreesConverter(57.29578f);
constinit const CScaleConverter g_scale100Converter(100.0f);
constinit const CScaleConverter g_scale1000Converter(1000.0f);
constinit const COffsetConverter g_oneBasedConverter(1);
constinit const CReciprocalConverter g_reciprocalConverter;
constinit const CSquareConverter g_squareConverter;
constinit const CInverseConverter g_squareRootConverter(&g_squareConverter);

float CSquareConverter::FromDisplay(float value) const
{
    return FastSqrt(value);
}

int32_t COffsetConverter::ToDisplay(int32_t value) const
{
    return ClampToInt32(static_cast<int64_t>(value) + m_offset);
}

int32_t COffsetConverter::FromDisplay(int32_t value) const
{
    return ClampToInt32(static_cast<int64_t>(value) - m_offset);
}
