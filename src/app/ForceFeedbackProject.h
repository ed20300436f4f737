#pragma once
// The force-feedback project "ForceFeedback.ifr": the list of named effects, an object text file
//
//     CForceFeedbackProject
//     {
//         Effects=Array
//         {
//             Array Count=2
//             Array Item=CForceFeedbackEffectInfo
//             {
//                 Name=Bounce
//                 Kind=Sine
//                 Strength=0.6
//                 Duration=80
//             }
//             ...
//         }
//     }
#include "app/ForceFeedbackEffectInfo.h"
#include "objects/Object.h"

class CForceFeedbackProject : public CObject
{
    DECLARE_CLASS_RECORD(CForceFeedbackProject)
    CForceFeedbackProject() { InitOwnProperties(); }
    ~CForceFeedbackProject() override { DestroyOwnProperties(); }

    // Reads the project from the bytes of its file; false (the project empty) when they do not
    // begin with this class's name or its block does not read.
    bool LoadFromMemory(const void* bytes, uint32_t size);
    // The effect of that name (ignoring case), or null.
    const CForceFeedbackEffectInfo* FindEffect(const char* name) const;

    uint32_t m_effectCount;
    CForceFeedbackEffectInfo* m_effects;
};
