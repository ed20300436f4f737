#include "blit/modes/ScreenLevelBlitter.h"

#include "blit/ColorPacking.h"
#include "blit/kernels/PixelAccess.h"
#include "blit/modes/CopyBlitRoutines.h"
#include "foundation/CpuInfo.h"

#include <algorithm>

namespace {

using Op = ScreenLevelOp;

// The class-wide steps, one pair per operation; the convert-only operation keeps zeros.
ScreenLevelSteps s_steps[static_cast<uint32_t>(Op::Count)];

constexpr bool Is555(Op op)
{
    return op == Op::Convert555 || op == Op::Brighten555 || op == Op::Darken555;
}

// Calls row(destination, source, width) for each row of a plain blit onto a 16-bit frame.
template <uint32_t SourceBytes, class Row>
void ForEachScreenRow(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                      const CIntRect* destinationRect, Row row)
{
    PlainBlit blit;
    if (ResolvePlainBlit(source, *sourceRect, SourceBytes, destination, *destinationRect, 2, blit))
        ForEachRow(blit, row);
}

// Palette indices through the 5-5-5 palette-to-pixel table; index 0 gives 0.
void ConvertBlit8To15(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                      const CIntRect* destinationRect, CBlitter*)
{
    ForEachScreenRow<1>(source, sourceRect, destination, destinationRect, [](uint8_t* d, const uint8_t* s, uint32_t n) {
        for (uint32_t i = 0; i < n; ++i)
            StorePixel16(d, i, g_paletteToPixel15[s[i]]);
    });
}

// Blue, green, red bytes packed as 5-5-5.
void ConvertBlit24To15(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                       const CIntRect* destinationRect, CBlitter*)
{
    ForEachScreenRow<3>(source, sourceRect, destination, destinationRect, [](uint8_t* d, const uint8_t* s, uint32_t n) {
        for (uint32_t i = 0; i < n; ++i, s += 3)
            StorePixel16(d, i, PackRgbToPixel15(s[2], s[1], s[0]));
    });
}

// 5-6-5 sources converted and stepped, in the plain or the grouped form.
template <Op O, bool Grouped>
void LevelBlit16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter*)
{
    const ScreenLevelSteps steps = s_steps[static_cast<uint32_t>(O)];
    const SpanKernelPath path = GetSpanKernelPath();
    ForEachScreenRow<2>(source, sourceRect, destination, destinationRect,
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
    // The 5-6-5 modes convert 8-bit and 24-bit sources as the copy blend mode does.
    blitter.RegisterRoutine(8, 0, 16, 0, layout555 ? &ConvertBlit8To15 : &CopyBlit8To16);
    blitter.RegisterRoutine(16, 0, 16, 0, level16);
    blitter.RegisterRoutine(24, 0, 16, 0, layout555 ? &ConvertBlit24To15 : &CopyBlit24To16);
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
