#include "graphics/stages/CenterHotSpotStage.h"

#include "graphics/Frame.h"

#include <new>

CCenterHotSpotStage::CCenterHotSpotStage() : CFrameLoadStage(kStageCenterHotSpot)
{
}

CFrameLoadStage* CCenterHotSpotStage::Clone() const
{
    return new (std::nothrow) CCenterHotSpotStage;
}

bool CCenterHotSpotStage::Apply(CFrameInterface* frame, const CIntRect& rect)
{
    CFrame* target = AsFrame(frame);
    if (!target)
        return false;
    const uint32_t halfWidth = static_cast<uint32_t>(rect.GetWidth()) >> 1;
    const uint32_t halfHeight = static_cast<uint32_t>(rect.GetHeight()) >> 1;
    target->MoveOrigin(static_cast<int16_t>(-static_cast<int32_t>(halfWidth)),
                       static_cast<int16_t>(-static_cast<int32_t>(halfHeight)));
    return true;
}
