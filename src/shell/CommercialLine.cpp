#include "shell/CommercialLine.h"

#include "objects/FloatProperty.h"
#include "objects/SharedStringPropertyDescriptor.h"
#include "objects/UIntProperty.h"

namespace {

constexpr float kLongest = 99999.0f;

} // namespace

IMPLEMENT_CLASS_RECORD(CCommercialLine, CObject, 1.0f)

void CCommercialLine::AddProperties(CClassRecord* record)
{
    using Line = CCommercialLine;
    record->AddProperty(CSharedStringPropertyDescriptor::ConstructLocalizable("Text", &Line::m_text, 1, ""));
    record->AddProperty(CFloatProperty::ConstructWithUnits("Delay Before Text Appears", "Seconds", &Line::m_delay, 1,
                                                           2.0f, nullptr, 0.0f, kLongest));
    auto* y = CUIntProperty::ConstructWithUnits("Y Position", "Pixels from top", &Line::m_yPosition, 1, kCentre,
                                                nullptr, 0u, kCentre - 1);
    y->AddValueName("Center", kCentre);
    record->AddProperty(y);
    record->AddProperty(
        CFloatProperty::ConstructWithUnits("Duration", "Seconds", &Line::m_duration, 1, 4.0f, nullptr, 0.0f, kLongest));
}

CCommercialLine::CCommercialLine()
{
    InitOwnProperties();
}

CCommercialLine::~CCommercialLine()
{
    DestroyOwnProperties();
}
