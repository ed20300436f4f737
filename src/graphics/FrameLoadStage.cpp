#include "graphics/FrameLoadStage.h"

#include "graphics/Frame.h"
#include "graphics/ScreenMode.h"
#include "graphics/stages/AlphaThresholdStage.h"
#include "graphics/stages/BlackBiasStage.h"
#include "graphics/stages/BuildPaletteStage.h"
#include "graphics/stages/CenterHotSpotStage.h"
#include "graphics/stages/CropStage.h"
#include "graphics/stages/DarkCutoffStage.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"
#include "graphics/stages/UnpremultiplyStage.h"

#include <new>

CFrameLoadStage::CFrameLoadStage() = default;

CFrameLoadStage::CFrameLoadStage(int32_t type) : m_type(type)
{
}

CFrameLoadStage::~CFrameLoadStage()
{
    // Unlink the chain one stage at a time, so that a long list does not recurse.
    CFrameLoadStage* next = m_next;
    m_next = nullptr;
    while (next) {
        CFrameLoadStage* after = next->m_next;
        next->m_next = nullptr;
        delete next;
        next = after;
    }
}

CFrameLoadStage* CFrameLoadStage::Clone() const
{
    auto* copy = new (std::nothrow) CFrameLoadStage;
    if (copy)
        copy->m_preferredDepth = m_preferredDepth;
    return copy;
}

bool CFrameLoadStage::Apply(CFrameInterface*, const CIntRect&)
{
    return true;
}

CFrame* CFrameLoadStage::AsFrame(CFrameInterface* frame)
{
    return dynamic_cast<CFrame*>(frame);
}

bool CFrameLoadStage::AddStage(int32_t request)
{
    if (m_locked || request < kStageCenterHotSpot || request > kRequestDitheredDepthConvert)
        return false;
    const int32_t type = request == kRequestRunLengthAlpha        ? kStageRunLength
                         : request == kRequestDitheredDepthConvert ? kStageDepthConvert
                                                                    : request;
    if (HasStage(type))
        return false;

    CFrameLoadStage* stage = nullptr;
    switch (request) {
    case kStageCenterHotSpot: stage = new (std::nothrow) CCenterHotSpotStage; break;
    case kStageAlphaThreshold: stage = new (std::nothrow) CAlphaThresholdStage(CAlphaThresholdStage::kDefaultThreshold); break;
    case kStageBlackBias: stage = new (std::nothrow) CBlackBiasStage; break;
    case kStageDarkCutoff: stage = new (std::nothrow) CDarkCutoffStage(CDarkCutoffStage::kDefaultThreshold); break;
    case kStageCrop: stage = new (std::nothrow) CCropStage; break;
    case kStageUnpremultiply: stage = new (std::nothrow) CUnpremultiplyStage; break;
    case kStageRunLength:
    case kRequestRunLengthAlpha:
        // Request 9 asks for the alpha-blended form, which has no routines for 8-bit displays:
        // there it gets the layered form, which draws.
        stage = new (std::nothrow) CRunLengthEncodeStage(GetTargetDepth() == 8 ? CRunLengthEncodeStage::kFiveBands
                                                                               : CRunLengthEncodeStage::kTwoBands);
        break;
    case kStageBuildPalette: stage = new (std::nothrow) CBuildPaletteStage; break;
    case kStageDepthConvert: stage = new (std::nothrow) CDepthConvertStage(false, GetDisplayBitsPerPixel()); break;
    case kRequestDitheredDepthConvert:
        stage = new (std::nothrow) CDepthConvertStage(true, GetDisplayBitsPerPixel());
        break;
    default: return false;
    }
    if (!stage)
        return false;
    // Black bias on a true-colour target makes alpha out of brightness, which then needs the
    // colours divided by it.
    if (request == kStageBlackBias && GetTargetDepth() != 8)
        AddStage(kStageUnpremultiply);
    if (!InsertStage(stage)) {
        delete stage;
        return false;
    }
    return true;
}

bool CFrameLoadStage::InsertStage(CFrameLoadStage* stage)
{
    if (!stage || m_locked || HasStage(stage->m_type))
        return false;
    CFrameLoadStage* at = this;
    while (at->m_next && at->m_next->m_type <= stage->m_type)
        at = at->m_next;
    stage->m_next = at->m_next;
    stage->m_preferredDepth = m_preferredDepth;
    at->m_next = stage;
    return true;
}

void CFrameLoadStage::SetPreferredDepth(int32_t depth)
{
    for (CFrameLoadStage* at = this; at; at = at->m_next)
        at->m_preferredDepth = depth;
}

void CFrameLoadStage::AddStagesFrom(const CFrameLoadStage& other)
{
    for (const CFrameLoadStage* at = other.m_next; at; at = at->m_next) {
        if (HasStage(at->m_type))
            continue;
        CFrameLoadStage* copy = at->Clone();
        if (copy && !InsertStage(copy))
            delete copy;
    }
}

bool CFrameLoadStage::RemoveStage(int32_t type)
{
    if (m_locked)
        return false;
    for (CFrameLoadStage* at = this; at->m_next; at = at->m_next) {
        CFrameLoadStage* stage = at->m_next;
        if (stage->m_type != type)
            continue;
        at->m_next = stage->m_next;
        stage->m_next = nullptr; // delete this stage alone
        delete stage;
        return true;
    }
    return false;
}

void CFrameLoadStage::Clear()
{
    if (m_locked || !m_next)
        return;
    delete m_next; // takes the rest of the chain with it
    m_next = nullptr;
}

CFrameLoadStage* CFrameLoadStage::FindStage(int32_t type) const
{
    for (CFrameLoadStage* at = m_next; at; at = at->m_next)
        if (at->m_type == type)
            return at;
    return nullptr;
}

int32_t CFrameLoadStage::GetTargetDepth() const
{
    if (const auto* conversion = static_cast<const CDepthConvertStage*>(FindStage(kStageDepthConvert)))
        return conversion->GetConversionDepth();
    if (m_preferredDepth > 0)
        return m_preferredDepth;
    return GetDisplayBitsPerPixel();
}

bool CFrameLoadStage::ApplyAll(CFrameInterface* frame)
{
    bool all = true;
    for (CFrameLoadStage* at = this; at; at = at->m_next) {
        CIntRect rect{0, 0, frame ? frame->GetWidth() : 0, frame ? frame->GetHeight() : 0};
        if (!at->Apply(frame, rect))
            all = false;
    }
    return all;
}
