#include "blit/modes/ScreenLevelBlitter.h"

#include "blit/ColorPacking.h"
#include "blit/modes/PlainBlitRect.h"
#include "foundation/CpuInfo.h"

#include <algorithm>
#include <cstring>

namespace {

using Op = ScreenLevelOp;

// The class-wide steps, one pair per operation; the convert-only operation keeps zeros.
ScreenLevelSteps s_steps[static_cast<uint32_t>(Op::Count)];

constexpr bool Is555(Op op)
{
    return op == Op::Convert555 || op == Op::Brighten555 || op == Op::Darken555;
}

// Calls row(destination, source, width) for each row of a plain blit onto a 16-bit frame. The
// destination rectangle gives the size; a smaller source rectangle shortens it rather than have
// the rows read past it.
template <uint32_t SourceBytes, class Row>
void ForEachRow(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                const CIntRect* destinationRect, Row row)
{
    if (!IsPlainBlitRect(source, *sourceRect) || !IsPlainBlitRect(destination, *destinationRect))
        return;
    const uint32_t width = static_cast<uint32_t>(std::min(sourceRect->GetWidth(), destinationRect->GetWidth()));
    const int32_t height = std::min(sourceRect->GetHeight(), destinationRect->GetHeight());
    for (int32_t j = 0; j < height; ++j)
        row(PlainPixelAddress<2>(destination->GetPixels(), destination->GetRowOffsets(), destinationRect->m_left,
                                 destinationRect->m_top + j),
            PlainPixelAddress<SourceBytes>(source->GetPixels(), source->GetRowOffsets(), sourceRect->m_left,
                                           sourceRect->m_top + j),
            width);
}

void Store16(uint8_t* d, uint32_t i, uint32_t pixel)
{
    const uint16_t word = static_cast<uint16_t>(pixel);
    std::memcpy(d + 2 * static_cast<size_t>(i), &word, 2);
}

// Palette indices through the palette-to-pixel table of the layout; index 0 gives 0.
template <bool Layout555>
void ConvertBlit8To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                      const CIntRect* destinationRect, CBlitter*)
{
    const uint32_t* table = Layout555 ? g_paletteToPixel15 : g_paletteToPixel16;
    ForEachRow<1>(source, sourceRect, destination, destinationRect, [table](uint8_t* d, const uint8_t* s, uint32_t n) {
        for (uint32_t i = 0; i < n; ++i)
            Store16(d, i, table[s[i]]);
    });
}

// Blue, green, red bytes packed for the layout.
template <bool Layout555>
void ConvertBlit24To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                       const CIntRect* destinationRect, CBlitter*)
{
    ForEachRow<3>(source, sourceRect, destination, destinationRect, [](uint8_t* d, const uint8_t* s, uint32_t n) {
        for (uint32_t i = 0; i < n; ++i, s += 3)
            Store16(d, i, Layout555 ? PackRgbToPixel15(s[2], s[1], s[0]) : PackRgbToPixel16(s[2], s[1], s[0]));
    });
}

// 5-6-5 sources converted and stepped, in the plain or the grouped form.
template <Op O, bool Grouped>
void LevelBlit16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter*)
{
    const ScreenLevelSteps steps = s_steps[static_cast<uint32_t>(O)];
    const SpanKernelPath path = GetSpanKernelPath();
    ForEachRow<2>(source, sourceRect, destination, destinationRect,
                  [steps, path](uint8_t* d, const uint8_t* s, uint32_t n) {
                      if (Grouped)
                          screenlevel::GroupedRow(O, d, s, n, steps, path);
                      else
                          screenlevel::PlainRow(O, d, s, n, steps, path);
                  });
}

template <Op O>
BlitRoutine Level16Routine(bool grouped)
{
    return grouped ? &LevelBlit16<O, true> : &LevelBlit16<O, false>;
}

} // namespace

void RegisterScreenLevelRoutines(CBlitter& blitter, ScreenLevelOp op)
{
    // The 5-6-5 darkening has only the plain form.
    const bool grouped = op != Op::Darken565 && CpuHasMmx();
    BlitRoutine level16 = nullptr;
    switch (op) {
    case Op::Convert555: level16 = Level16Routine<Op::Convert555>(grouped); break;
    case Op::Brighten555: level16 = Level16Routine<Op::Brighten555>(grouped); break;
    case Op::Darken555: level16 = Level16Routine<Op::Darken555>(grouped); break;
    case Op::Brighten565: level16 = Level16Routine<Op::Brighten565>(grouped); break;
    default: level16 = Level16Routine<Op::Darken565>(false); break;
    }
    const bool layout555 = Is555(op);
    blitter.RegisterRoutine(8, 0, 16, 0, layout555 ? &ConvertBlit8To16<true> : &ConvertBlit8To16<false>);
    blitter.RegisterRoutine(16, 0, 16, 0, level16);
    blitter.RegisterRoutine(24, 0, 16, 0, layout555 ? &ConvertBlit24To16<true> : &ConvertBlit24To16<false>);
}

ScreenLevelSteps GetScreenLevelSteps(ScreenLevelOp op)
{
    return s_steps[static_cast<uint32_t>(op) % static_cast<uint32_t>(Op::Count)];
}

CScreenLevelBlitter::CScreenLevelBlitter(ScreenLevelOp operation) : m_operation(operation)
{
    RegisterScreenLevelRoutines(*this, operation);
}

CScreenLevelBlitter::~CScreenLevelBlitter() = default;

void CScreenLevelBlitter::SetLevel(int32_t level)
{
    m_screenLevel = std::clamp(level, 0, 255);
    ScreenLevelSteps& steps = s_steps[static_cast<uint32_t>(m_operation)];
    steps.step5 = static_cast<uint32_t>(m_screenLevel) >> 3;
    steps.step6 = static_cast<uint32_t>(m_screenLevel) >> 2;
}
