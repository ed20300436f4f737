#include "blit/modes/TableBlendBlitter.h"

CTableBlendBlitter g_blackBiasBlitter;
CTableBlendBlitter g_testLightBlitter;

CTableBlendBlitter::CTableBlendBlitter()
{
    // Its routines are registered here as they are written; a pair without one draws nothing.
}

CTableBlendBlitter::~CTableBlendBlitter() = default;

