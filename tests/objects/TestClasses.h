#pragma once
// Reflected classes for the tests of the property types and the object text format.
#include "objects/EnumTable.h"
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <string>

class CIntProperty;

// A class with a property of every scalar type, one value-named unsigned, two bit flags sharing a
// word, a choice from an enumeration, a degrees-converted angle, and a property without a label.
class CTestAllTypes : public CObject
{
    DECLARE_CLASS_RECORD(CTestAllTypes)
    CTestAllTypes() { InitOwnProperties(); }
    ~CTestAllTypes() override { DestroyOwnProperties(); }

    int32_t m_int;
    int32_t m_clamped;
    int32_t m_coordinate;
    uint32_t m_unsigned;
    uint32_t m_mode;
    bool m_enabled;
    uint32_t m_flags;
    uint32_t m_size;
    float m_speed;
    float m_angle;
    int64_t m_big;
    int32_t m_hidden;

    // The dynamic property "Glow" of this class (an integer).
    static CIntProperty* GetGlow();
    static CEnumTable& GetSizes();
};

class CTestAllTypesChild : public CTestAllTypes
{
    DECLARE_CLASS_RECORD(CTestAllTypesChild)
    CTestAllTypesChild() { InitOwnProperties(); }
    ~CTestAllTypesChild() override { DestroyOwnProperties(); }
    int32_t m_extra;
};

// A text member that keeps the value exactly as read.
class CTestText : public CObject
{
    DECLARE_CLASS_RECORD(CTestText)
    CTestText() { InitOwnProperties(); }
    ~CTestText() override { DestroyOwnProperties(); }
    CSharedString m_text;
    int32_t m_number;
};

// Values that go through setters.
class CTestSetters : public CObject
{
    DECLARE_CLASS_RECORD(CTestSetters)
    CTestSetters() { InitOwnProperties(); }
    ~CTestSetters() override { DestroyOwnProperties(); }
    void SetInt(int32_t value) { m_int = value * 2, ++m_calls; }
    void SetFloat(float value) { m_float = value * 2, ++m_calls; }
    void SetBool(bool value) { m_flag = value, ++m_calls; }
    void SetChoice(uint32_t value) { m_choice = value + 100, ++m_calls; }
    int32_t m_int = 0;
    float m_float = 0;
    bool m_flag = false;
    uint32_t m_word = 0;
    uint32_t m_choice = 0;
    int m_calls = 0;
};
