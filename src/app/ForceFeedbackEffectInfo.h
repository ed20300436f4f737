#pragma once
// One effect of the force-feedback project: the name the game plays it by and the device effect
// it stands for (kind, strength 0..1, duration of one repetition in milliseconds). Names that end
// in " Mouse" or " Joystick" give a device its own version of an effect.
#include "objects/Object.h"
#include "platform/ForceFeedback.h"

class CEnumTable;

class CForceFeedbackEffectInfo : public CObject
{
    DECLARE_CLASS_RECORD(CForceFeedbackEffectInfo)
    CForceFeedbackEffectInfo() { InitOwnProperties(); }
    ~CForceFeedbackEffectInfo() override { DestroyOwnProperties(); }

    // The device effect these values describe.
    platform::HapticEffect GetEffect() const;

    // The kind names, in the order of platform::HapticKind: "Constant", "Sine", "Triangle",
    // "Sawtooth Up", "Sawtooth Down", "Rumble".
    static CEnumTable& GetKinds();

    CSharedString m_name;
    uint32_t m_kind;
    float m_strength;
    uint32_t m_duration;
};
