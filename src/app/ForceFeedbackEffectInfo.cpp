#include "app/ForceFeedbackEffectInfo.h"

#include "objects/EnumTable.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"
#include "objects/SharedStringPropertyDescriptor.h"
#include "objects/UIntProperty.h"

namespace {

const CEnumTableEntry s_kinds[] = {
    {0, "Constant", nullptr},    {1, "Sine", nullptr},          {2, "Triangle", nullptr},
    {3, "Sawtooth Up", nullptr}, {4, "Sawtooth Down", nullptr}, {5, "Rumble", nullptr},
    {0, nullptr, nullptr},
};

} // namespace

CEnumTable& CForceFeedbackEffectInfo::GetKinds()
{
    static CEnumTable s_table(s_kinds);
    return s_table;
}

IMPLEMENT_CLASS_RECORD(CForceFeedbackEffectInfo, CObject, 1.0f)
void CForceFeedbackEffectInfo::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CSharedStringPropertyDescriptor("Name", &CForceFeedbackEffectInfo::m_name, 0, ""));
    record->AddProperty(
        new CFixedListChoiceProperty("Kind", &CForceFeedbackEffectInfo::m_kind, &GetKinds(), 0, "Constant"));
    record->AddProperty(new CFloatProperty("Strength", &CForceFeedbackEffectInfo::m_strength, 0, 0.5f, nullptr,
                                           0.0f, 1.0f));
    record->AddProperty(CUIntProperty::ConstructWithUnits("Duration", "ms", &CForceFeedbackEffectInfo::m_duration, 0,
                                                          100u, nullptr, 0u, 10000u));
}

platform::HapticEffect CForceFeedbackEffectInfo::GetEffect() const
{
    platform::HapticEffect effect;
    effect.kind = m_kind <= static_cast<uint32_t>(platform::HapticKind::Rumble) ? static_cast<platform::HapticKind>(m_kind)
                                                                              : platform::HapticKind::Constant;
    effect.strength = m_strength;
    effect.durationMs = m_duration;
    return effect;
}
