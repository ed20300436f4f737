#include "blit/modes/TransparentMaskBlitter.h"

#include "blit/modes/AlphaBlitRoutines.h"
#include "blit/modes/CopyBlitRoutines.h"
#include "blit/modes/LevelBlitRoutines.h"
#include "blit/modes/MaskBlitRoutines.h"
#include "blit/modes/RunLengthCopyRoutines.h"
#include "foundation/CpuInfo.h"

CTransparentMaskBlitter g_transparentMaskBlitter;

CTransparentMaskBlitter::CTransparentMaskBlitter()
{
    RegisterRoutine(8, 0, 8, 0, &MaskBlit8To8);
    RegisterRoutine(8, 0, 16, 0, &MaskBlit8To16);
    RegisterRoutine(8, 0, 24, 0, &MaskBlit8To24);
    RegisterRoutine(8, 0, 32, 0, &MaskBlit8To32);
    RegisterRoutine(16, 0, 16, 0, &MaskBlit16To16);
    RegisterRoutine(16, 0, 24, 0, &MaskBlit16To24);
    RegisterRoutine(24, 0, 24, 0, &CopyBlit24To24);
    RegisterRoutine(24, 0, 32, 0, &CopyBlit24To32);
    RegisterRoutine(32, 0, 24, 0, &AlphaBlit32To24);
    // A 32-bit picture keeps its transparency on a 32-bit frame as on a 24-bit one.
    RegisterRoutine(32, 0, 32, 0, &AlphaBlit32To32);
    RegisterRoutine(8, 0x2, 8, 0, &CopyBlitRle8To8);
    RegisterRoutine(8, 0x2, 16, 0, &CopyBlitRle8To16);
    RegisterRoutine(16, 0x4, 16, 0, CpuHasMmx() ? &LevelBlitRle16Mmx : &LevelBlitRle16);
    RegisterRoutine(24, 0x4, 24, 0, &LevelBlitRle24);
    RegisterRoutine(24, 0x4, 32, 0, &MaskBlitRle24To32);
    RegisterRoutine(32, 0, 16, 0, &AlphaBlit32To16);
    RegisterRoutine(32, 0, 8, 0, &AlphaBlit32To8);
}

CTransparentMaskBlitter::~CTransparentMaskBlitter() = default;
