#include "blit/modes/CopyBlitter.h"

#include "graphics/FrameInterface.h"

#include <algorithm>
#include <cstring>

CCopyBlitter g_copyBlitter;

namespace {

// Rows of plain pixels copied between two frames of one depth.
void CopyPlainRows(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter*)
{
    const uint8_t* from = source->GetPixels();
    uint8_t* to = destination->GetPixels();
    const uint32_t* fromRows = source->GetRowOffsets();
    const uint32_t* toRows = destination->GetRowOffsets();
    uint32_t bytes = destination->GetBytesPerPixel();
    if (!from || !to || !fromRows || !toRows || bytes == 0)
        return;
    int32_t width = std::min(sourceRect->GetWidth(), destinationRect->GetWidth());
    int32_t height = std::min(sourceRect->GetHeight(), destinationRect->GetHeight());
    if (width <= 0 || height <= 0)
        return;
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* fromRow =
            from + (static_cast<size_t>(fromRows[sourceRect->m_top + row]) + sourceRect->m_left) * bytes;
        uint8_t* toRow =
            to + (static_cast<size_t>(toRows[destinationRect->m_top + row]) + destinationRect->m_left) * bytes;
        std::memmove(toRow, fromRow, static_cast<size_t>(width) * bytes);
    }
}

} // namespace

CCopyBlitter::CCopyBlitter()
{
    // Plain copies between frames of one depth. The conversions between depths and the copies
    // from run-length rows take their places in this list as they are written.
    RegisterRoutine(8, 0, 8, 0, &CopyPlainRows);
    RegisterRoutine(16, 0, 16, 0, &CopyPlainRows);
    RegisterRoutine(24, 0, 24, 0, &CopyPlainRows);
    RegisterRoutine(32, 0, 32, 0, &CopyPlainRows);
}

CCopyBlitter::~CCopyBlitter() = default;
