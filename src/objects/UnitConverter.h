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

// The shared instances: one identity per numeric type (the coordinate type has its own), and
// radians stored as degrees shown.
extern const CIdentityConverter<int32_t> g_intIdentityConverter;
extern const CIdentityConverter<int32_t> g_coordinateIdentityConverter;
extern const CIdentityConverter<uint32_t> g_uintIdentityConverter;
extern const CIdentityConverter<float> g_floatIdentityConverter;
extern const CIdentityConverter<int64_t> g_int64IdentityConverter;
extern const CScaleConverter g_degreesConverter;
