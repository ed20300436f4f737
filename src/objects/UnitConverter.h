#pragma once
// Converters between a numeric property's stored value and the value shown to (and typed by) a
// user. Every numeric descriptor points at one shared converter, the identity of its type unless
// another is attached.
#include <cstdint>

template <class T>
class CUnitConverter
{
public:
    constexpr CUnitConverter() = default;
    virtual ~CUnitConverter() = default;
    virtual T ToDisplay(T value) const = 0;
    virtual T FromDisplay(T value) const = 0;
};

template <class T>
class CIdentityConverter : public CUnitConverter<T>
{
public:
    constexpr CIdentityConverter() = default;
    T ToDisplay(T value) const override { return value; }
    T FromDisplay(T value) const override { return value; }
};

// The base of the float converters.
class CFloatDisplayTransform : public CUnitConverter<float>
{
public:
    constexpr CFloatDisplayTransform() = default;
};

// Shows value * factor; stores shown / factor.
class CScaleConverter : public CFloatDisplayTransform
{
public:
    constexpr explicit CScaleConverter(float factor) : m_factor(factor) {}
    float ToDisplay(float value) const override { return value * m_factor; }
    float FromDisplay(float value) const override { return value / m_factor; }
    float GetFactor() const { return m_factor; }

private:
    float m_factor;
};

// Shows value + offset; stores shown - offset (zero-based stored, one-based shown). Results
// saturate at the limits of the type.
class COffsetConverter : public CUnitConverter<int32_t>
{
public:
    constexpr explicit COffsetConverter(int32_t offset) : m_offset(offset) {}
    int32_t ToDisplay(int32_t value) const override;
    int32_t FromDisplay(int32_t value) const override;

private:
    int32_t m_offset;
};

// Shows and stores 1 / value.
class CReciprocalConverter : public CFloatDisplayTransform
{
public:
    constexpr CReciprocalConverter() = default;
    float ToDisplay(float value) const override { return 1.0f / value; }
    float FromDisplay(float value) const override { return 1.0f / value; }
};

// Shows value * value; stores the square root of the shown value (0 for a negative one).
class CSquareConverter : public CFloatDisplayTransform
{
public:
    constexpr CSquareConverter() = default;
    float ToDisplay(float value) const override { return value * value; }
    float FromDisplay(float value) const override;
};

// Another converter the other way round: shows what it would store, stores what it would show.
class CInverseConverter : public CFloatDisplayTransform
{
public:
    constexpr explicit CInverseConverter(const CUnitConverter<float>* held) : m_held(held) {}
    float ToDisplay(float value) const override { return m_held->FromDisplay(value); }
    float FromDisplay(float value) const override { return m_held->ToDisplay(value); }

private:
    const CUnitConverter<float>* m_held;
};

// The shared instances: one identity per numeric type (the coordinate type has its own), radians
// stored as degrees shown, scales by 100 and 1000, one-based display of zero-based values, the
// reciprocal, the square and its inverse.
extern const CIdentityConverter<int32_t> g_intIdentityConverter;
extern const CIdentityConverter<int32_t> g_coordinateIdentityConverter;
extern const CIdentityConverter<uint32_t> g_uintIdentityConverter;
extern const CIdentityConverter<float> g_floatIdentityConverter;
extern const CIdentityConverter<int64_t> g_int64IdentityConverter;
extern const CScaleConverter g_degreesConverter;
extern const CScaleConverter g_scale100Converter;
extern const CScaleConverter g_scale1000Converter;
extern const COffsetConverter g_oneBasedConverter;
extern const CReciprocalConverter g_reciprocalConverter;
extern const CSquareConverter g_squareConverter;
extern const CInverseConverter g_squareRootConverter;
