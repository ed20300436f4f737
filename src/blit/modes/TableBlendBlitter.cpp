#include "blit/modes/TableBlendBlitter.h"

#include "blit/modes/AmplifyLightBlitter.h"
#include "blit/modes/LevelBlitRoutines.h"
#include "blit/modes/MaskBlitRoutines.h"
#include "foundation/CpuInfo.h"

CTableBlendBlitter g_blackBiasBlitter;
CTableBlendBlitter g_testLightBlitter;

CTableBlendBlitter::CTableBlendBlitter()
{
    const bool mmx = CpuHasMmx();
    RegisterRoutine(8, 0, 8, 0, &AmplifyLightBlit8);
    RegisterOrdinarySpriteRoutines(*this, mmx);
    RegisterRoutine(8, 0x2, 8, 0, &TableBlendBlitRle8);
    RegisterRoutine(16, 0x4, 16, 0, mmx ? &LevelBlitRle16Mmx : &LevelBlitRle16);
    RegisterRoutine(24, 0x4, 24, 0, &LevelBlitRle24);
    // A 32-bit display's run-length frames are 24-bit ones: drawn as on 24 bits.
    RegisterRoutine(24, 0x4, 32, 0, &MaskBlitRle24To32);
}

CTableBlendBlitter::~CTableBlendBlitter() = default;

void TableBlendBlitRle8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                        const CIntRect* destinationRect, CBlitter* blitter)
{
    AmplifyLightBlitRle8(source, sourceRect, destination, destinationRect, blitter);
}
