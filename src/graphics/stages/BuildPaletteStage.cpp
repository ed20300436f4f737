#include "graphics/stages/BuildPaletteStage.h"

#include "graphics/ColorHistogram.h"
#include "graphics/PaletteTable.h"
#include "graphics/stages/StagePixels.h"

#include <memory>
#include <new>

CBuildPaletteStage::CBuildPaletteStage() : CFrameLoadStage(kStageBuildPalette)
{
}

CFrameLoadStage* CBuildPaletteStage::Clone() const
{
    return new (std::nothrow) CBuildPaletteStage;
}

bool CBuildPaletteStage::Apply(CFrameInterface* frame, const CIntRect&)
{
    CFrame* target = AsFrame(frame);
    if (!target || !stagepixels::IsPlain(*target, 24))
        return false;
    // A megabyte of counters, held only for the call.
    auto histogram = std::make_unique<CColorHistogram>();
    histogram->AddFramePixels(*target);
    target->GetPalette()->BuildFromHistogram(*histogram, 1, 254);
    target->SetFormatFlags(target->GetFormatFlags() | kFrameHasPalette);
    return true;
}
