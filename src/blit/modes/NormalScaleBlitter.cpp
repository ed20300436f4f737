#include "blit/modes/NormalScaleBlitter.h"

CNormalScaleBlitter g_normalScaleBlitter;

CNormalScaleBlitter::CNormalScaleBlitter()
{
    // Its routines are registered here as they are written; a pair without one draws nothing.
}

CNormalScaleBlitter::~CNormalScaleBlitter() = default;

bool CNormalScaleBlitter::IsUnscaled() const
{
    return false;
}
