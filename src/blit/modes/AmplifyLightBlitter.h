#pragma once
// The blend mode "Blend Amplify Light": brightens what lies under a sprite in proportion to the
// sprite's own colour.
#include "blit/Blitter.h"

class CAmplifyLightBlitter : public CBlitter
{
public:
    CAmplifyLightBlitter();
    ~CAmplifyLightBlitter() override;
};

extern CAmplifyLightBlitter g_amplifyLightBlitter;
