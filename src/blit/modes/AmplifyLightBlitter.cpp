#include "blit/modes/AmplifyLightBlitter.h"

CAmplifyLightBlitter g_amplifyLightBlitter;

CAmplifyLightBlitter::CAmplifyLightBlitter()
{
    // Its routines are registered here as they are written; a pair without one draws nothing.
}

CAmplifyLightBlitter::~CAmplifyLightBlitter() = default;

