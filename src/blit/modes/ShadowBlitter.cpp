#include "blit/modes/ShadowBlitter.h"

CShadowBlitter g_shadowBlitter;

CShadowBlitter::CShadowBlitter()
{
    // Its routines are registered here as they are written; a pair without one draws nothing.
}

CShadowBlitter::~CShadowBlitter() = default;

