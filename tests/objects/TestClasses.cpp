#include "TestClasses.h"

#include "objects/BitFlagProperty.h"
#include "objects/BoolProperty.h"
#include "objects/CoordinateProperty.h"
#include "objects/DynamicProperties.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"
#include "objects/Int64Property.h"
#include "objects/IntProperty.h"
#include "objects/UIntProperty.h"

namespace {

const CEnumTableEntry s_sizes[] = {
    {10, "Small", "Tiny"},
    {20, "Medium", nullptr},
    {30, "Large", "Huge"},
    {0, nullptr, nullptr},
};

// Stores the text after "=" unchanged in a CSharedString member.
class CTestTextProperty : public CPropertyDescriptor
{
public:
    CTestTextProperty(const char* name, uint32_t offset)
        : CPropertyDescriptor(name, nullptr, offset, sizeof(CSharedString), 0)
    {
    }
    CPropertyDescriptor* Clone() const override { return new CTestTextProperty(*this); }
    bool IsSimpleValue() const override { return true; }
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override
    {
        Text(destination) = *reinterpret_cast<const CSharedString*>(reinterpret_cast<const char*>(source) +
                                                                    sourceDescriptor.GetOffset());
    }
    void SetDefault(CObject* object) const override { Text(object).AssignText("default"); }
    void FormatValue(const CObject* object, CSharedString& out) const override
    {
        out = *static_cast<const CSharedString*>(MemberAddress(object));
    }
    void ParseValue(CObject* object, const char* value, CObjectTextStream&) const override
    {
        Text(object).AssignText(value);
    }
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override
    {
        return WriteCountedText(stream, static_cast<const CSharedString*>(MemberAddress(object))->CStr());
    }
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override
    {
        return ReadCountedText(stream, Text(object), 1000);
    }

private:
    CSharedString& Text(CObject* object) const { return *static_cast<CSharedString*>(MemberAddress(object)); }
};

CDynamicPropertyRegistrar s_glow(CTestAllTypes::GetGlow(), CTestAllTypes::GetStaticClassRecord(), "Brightness");

} // namespace

CIntProperty* CTestAllTypes::GetGlow()
{
    static CIntProperty* s_descriptor = new CIntProperty("Glow", nullptr, 0, 0, 0, nullptr, 0, 0);
    return s_descriptor;
}

CEnumTable& CTestAllTypes::GetSizes()
{
    static CEnumTable s_table(s_sizes);
    return s_table;
}

IMPLEMENT_CLASS_RECORD(CTestAllTypes, CObject, 1.0f)
void CTestAllTypes::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Numbers/Int", &CTestAllTypes::m_int, 0, 5));
    record->AddProperty(new CIntProperty("Numbers/Clamped", &CTestAllTypes::m_clamped, 0, 3, nullptr, 1, 10));
    record->AddProperty(new CCoordinateProperty("Position/X", &CTestAllTypes::m_coordinate, 0, -4));
    record->AddProperty(new CUIntProperty("Numbers/Unsigned", &CTestAllTypes::m_unsigned, 0, 7));
    CUIntProperty* mode = new CUIntProperty("Numbers/Mode", &CTestAllTypes::m_mode, 0, 0);
    mode->AddValueName("Off", 0);
    mode->AddValueName("On", 1);
    record->AddProperty(mode);
    record->AddProperty(new CBoolProperty("Flags/Enabled", &CTestAllTypes::m_enabled, 0, true));
    record->AddProperty(new CBitFlagProperty("Flags/Bright", &CTestAllTypes::m_flags, 0x1, 0, false));
    record->AddProperty(new CBitFlagProperty("Flags/Loud", &CTestAllTypes::m_flags, 0x4, 0, true));
    record->AddProperty(new CFixedListChoiceProperty("Choice/Size", &CTestAllTypes::m_size,
                                                     &GetSizes(), 0, "Medium"));
    record->AddProperty(new CFloatProperty("Movement/Speed", &CTestAllTypes::m_speed, 0, 1.5f, nullptr, 0.0f, 100.0f));
    CFloatProperty* angle = CFloatProperty::ConstructWithUnits("Movement/Angle", "Deg", &CTestAllTypes::m_angle, 0, 0.5f);
    angle->SetConverter(&g_degreesConverter);
    record->AddProperty(angle);
    record->AddProperty(new CInt64Property("Numbers/Big", &CTestAllTypes::m_big, 0, 1234567890123LL));
    record->AddProperty(new CIntProperty("Hidden/", &CTestAllTypes::m_hidden, 0, 77));
}

IMPLEMENT_CLASS_RECORD(CTestAllTypesChild, CTestAllTypes, 1.0f)
void CTestAllTypesChild::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Child/Extra", &CTestAllTypesChild::m_extra, 0, 11));
}

IMPLEMENT_CLASS_RECORD(CTestText, CObject, 1.0f)
void CTestText::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CTestTextProperty("Text", CPropertyDescriptor::MemberOffset(&CTestText::m_text)));
    record->AddProperty(new CIntProperty("Number", &CTestText::m_number, 0, 0));
}

IMPLEMENT_CLASS_RECORD(CTestSetters, CObject, 1.0f)
void CTestSetters::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CIntProperty("Int", &CTestSetters::m_int, 0, 1, &CTestSetters::SetInt, 0, 100));
    record->AddProperty(new CFloatProperty("Float", &CTestSetters::m_float, 0, 1.0f, &CTestSetters::SetFloat));
    record->AddProperty(new CBoolProperty("Bool", &CTestSetters::m_flag, 0, false, &CTestSetters::SetBool));
    record->AddProperty(new CBitFlagProperty("Bit", &CTestSetters::m_word, 0x2, 0, false, &CTestSetters::SetBool));
    record->AddProperty(new CFixedListChoiceProperty("Choice", &CTestSetters::m_choice,
                                                     &CTestAllTypes::GetSizes(), 0, nullptr,
                                                     &CTestSetters::SetChoice));
}
