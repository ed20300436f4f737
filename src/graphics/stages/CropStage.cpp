#include "graphics/stages/CropStage.h"

#include "graphics/Frame.h"

#include <new>

CCropStage::CCropStage() : CFrameLoadStage(kStageCrop)
{
}

CFrameLoadStage* CCropStage::Clone() const
{
    return new (std::nothrow) CCropStage;
}

bool CCropStage::Apply(CFrameInterface* frame, const CIntRect&)
{
    CFrame* target = AsFrame(frame);
    if (!target)
        return false;
    if (target->GetFormatFlags() & kFrameRunLengthMask)
        return true;
    const int16_t left = target->GetLeft();
    const int16_t top = target->GetTop();
    target->SetOrigin(0, 0);
    CIntRect bounds;
    target->GetOpaqueBounds(bounds);
    if (bounds.GetWidth() == 0) {
        target->FreePixels();
        return true;
    }
    // A picture that shows to its edges keeps its pixels: there is nothing to crop.
    const bool whole = bounds.m_left == 0 && bounds.m_top == 0 &&
                       bounds.m_right == static_cast<int32_t>(target->GetWidth()) &&
                       bounds.m_bottom == static_cast<int32_t>(target->GetHeight());
    if (whole) {
        target->SetOrigin(left, top);
        return true;
    }
    CFrame cropped;
    cropped.CopyRectFrom(target, bounds);
    target->CopyFrom(&cropped);
    target->SetOrigin(static_cast<int16_t>(left + bounds.m_left), static_cast<int16_t>(top + bounds.m_top));
    return true;
}
