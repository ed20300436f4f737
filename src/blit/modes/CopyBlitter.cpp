#include "blit/modes/CopyBlitter.h"

#include "blit/modes/AlphaBlitRoutines.h"
#include "blit/modes/CopyBlitRoutines.h"
#include "blit/modes/LevelBlitRoutines.h"
#include "blit/modes/MaskBlitRoutines.h"
#include "blit/modes/RunLengthCopyRoutines.h"
#include "foundation/CpuInfo.h"

CCopyBlitter g_copyBlitter;

CCopyBlitter::CCopyBlitter()
{
    RegisterRoutine(8, 0, 8, 0, &CopyBlit8To8);
    RegisterRoutine(8, 0, 16, 0, &CopyBlit8To16);
    RegisterRoutine(8, 0, 24, 0, &CopyBlit8To24);
    RegisterRoutine(8, 0, 32, 0, &CopyBlit8To32);
    RegisterRoutine(16, 0, 8, 0, &CopyBlit16To8);
    RegisterRoutine(16, 0, 16, 0, &LevelBlit16);
    RegisterRoutine(16, 0, 24, 0, &CopyBlit16To24);
    RegisterRoutine(16, 0, 32, 0, &CopyBlit16To32);
    RegisterRoutine(24, 0, 8, 0, &CopyBlit24To8);
    RegisterRoutine(24, 0, 16, 0, &CopyBlit24To16);
    RegisterRoutine(24, 0, 24, 0, &LevelBlit24);
    RegisterRoutine(24, 0, 32, 0, &CopyBlit24To32);
    RegisterRoutine(32, 0, 24, 0, &AlphaBlit32To24);
    RegisterRoutine(32, 0, 32, 0, &LevelBlit32);
    RegisterRoutine(8, 0x2, 8, 0, &CopyBlitRle8To8);
    RegisterRoutine(8, 0x2, 16, 0, &CopyBlitRle8To16);
    RegisterRoutine(16, 0x4, 16, 0, CpuHasMmx() ? &LevelBlitRle16Mmx : &LevelBlitRle16);
    RegisterRoutine(16, 0x4, 24, 0, &CopyBlitRle16To24);
    RegisterRoutine(16, 0x4, 32, 0, &CopyBlitRle16To32);
    // Run-length frames of the tile patterns and of the frame files onto the deeper frames they
    // are converted into.
    RegisterRoutine(8, 0x2, 24, 0, &CopyBlitRle8To24);
    RegisterRoutine(8, 0x2, 32, 0, &CopyBlitRle8To32);
    RegisterRoutine(24, 0x4, 24, 0, &LevelBlitRle24);
    RegisterRoutine(24, 0x4, 32, 0, &MaskBlitRle24To32);
    // 32-bit pictures onto the shallower frames, by their alpha as onto 24-bit ones.
    RegisterRoutine(32, 0, 16, 0, &AlphaBlit32To16);
    RegisterRoutine(32, 0, 8, 0, &AlphaBlit32To8);
}

CCopyBlitter::~CCopyBlitter() = default;
