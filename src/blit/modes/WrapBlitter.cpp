#include "blit/modes/WrapBlitter.h"

#include "blit/modes/WrapBlitRoutines.h"

CWrapBlitter g_wrapBlitter;

CWrapBlitter::CWrapBlitter()
{
    RegisterRoutine(8, 0, 8, 0, &WrapBlit8);
    RegisterRoutine(16, 0, 16, 0, &WrapBlit16);
    RegisterRoutine(24, 0, 24, 0, &WrapBlit24);
    RegisterRoutine(24, 0, 32, 0, &WrapBlit24To32);
    RegisterRoutine(32, 0, 32, 0, &WrapBlit32);
    RegisterRoutine(16, 0, 16, 0x4, &WrapBlitIntoRle16);
}

CWrapBlitter::~CWrapBlitter() = default;
