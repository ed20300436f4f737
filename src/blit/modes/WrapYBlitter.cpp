#include "blit/modes/WrapYBlitter.h"

#include "blit/modes/WrapBlitRoutines.h"

CWrapYBlitter g_wrapYBlitter;

CWrapYBlitter::CWrapYBlitter()
{
    RegisterRoutine(8, 0, 8, 0, &WrapYBlit8);
    RegisterRoutine(16, 0, 16, 0, &WrapYBlit16);
    RegisterRoutine(24, 0, 24, 0, &WrapYBlit24);
}

CWrapYBlitter::~CWrapYBlitter() = default;
