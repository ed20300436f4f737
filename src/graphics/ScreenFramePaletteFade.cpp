#include "graphics/ScreenFrame.h"

#include "blit/modes/CopyBlitter.h"
#include "graphics/PaletteTable.h"

#include <cstring>

namespace {

const CPaletteTable& BlackPalette()
{
    static CPaletteTable* s_black = [] {
        auto* table = new CPaletteTable;
        table->Create(1);
        std::memset(table->GetData(), 0, table->GetSize());
        return table;
    }();
    return *s_black;
}

} // namespace

void CScreenFrame::FadeToPalette(CFrameInterface* image, const CIntRect* sourceRect, const CIntRect* destinationRect,
                                 CBlitter* blitter, const CPaletteTable* target, uint32_t, bool)
{
    if (!target || target->IsEmpty())
        return;
    SetPaletteEntries(target, true);
    if (!image || GetBitsPerPixel() == 8)
        return;
    for (int page = 0; page < 4; ++page) {
        if (sourceRect && destinationRect && blitter) {
            Blit(image, *sourceRect, *destinationRect, blitter);
        } else {
            CIntRect bounds;
            image->GetBounds(bounds);
            CIntRect at = bounds;
            at.Offset(-bounds.m_left, -bounds.m_top);
            Blit(image, bounds, at, &g_copyBlitter);
        }
        Present();
    }
}

void CScreenFrame::FadeToBlack(CFrameInterface* image, const CIntRect* sourceRect, const CIntRect* destinationRect,
                               CBlitter* blitter, uint32_t milliseconds)
{
    FadeToPalette(image, sourceRect, destinationRect, blitter, &BlackPalette(), milliseconds, true);
}
