#include "blit/modes/WrapXBlitter.h"

#include "blit/modes/WrapBlitRoutines.h"

CWrapXBlitter g_wrapXBlitter;

CWrapXBlitter::CWrapXBlitter()
{
    RegisterRoutine(8, 0, 8, 0, &WrapXBlit8);
    RegisterRoutine(16, 0, 16, 0, &WrapXBlit16);
    RegisterRoutine(24, 0, 24, 0, &WrapXBlit24);
}

CWrapXBlitter::~CWrapXBlitter() = default;
