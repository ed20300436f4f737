#include "blit/modes/TransparentMaskBlitter.h"

CTransparentMaskBlitter g_transparentMaskBlitter;

CTransparentMaskBlitter::CTransparentMaskBlitter()
{
    // Its routines are registered here as they are written; a pair without one draws nothing.
}

CTransparentMaskBlitter::~CTransparentMaskBlitter() = default;

