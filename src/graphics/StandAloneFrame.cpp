#include "graphics/StandAloneFrame.h"

#include "graphics/FrameLoadStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"
#include "objects/BitFlagProperty.h"
#include "objects/UIntProperty.h"

IMPLEMENT_CLASS_RECORD(CStandAloneFrame, CFrame, 7.0f)

namespace {

// Sets the process-wide fill threshold for the length of a load and puts the old one back on
// every way out.
class FillThresholdScope
{
public:
    explicit FillThresholdScope(bool noFills) : m_saved(CRunLengthEncodeStage::GetFillThreshold())
    {
        if (noFills)
            CRunLengthEncodeStage::SetFillThreshold(64);
    }
    ~FillThresholdScope() { CRunLengthEncodeStage::SetFillThreshold(m_saved); }
    FillThresholdScope(const FillThresholdScope&) = delete;
    FillThresholdScope& operator=(const FillThresholdScope&) = delete;

private:
    uint32_t m_saved;
};

} // namespace

void CStandAloneFrame::AddProperties(CClassRecord* record)
{
    auto add = [&](CPropertyDescriptor* property, const char* help) {
        if (help)
            property->SetHelpText(help);
        record->AddProperty(property);
    };
    add(new CBitFlagProperty("Run Length Encode", &CStandAloneFrame::m_options, kRunLengthEncode, 0, true),
        "This controls if the image is held in memory in a compressed format.  Images with tanslucency must be RLE "
        "to see the tanslucency.           Images that are designed to wrap (like window background textures) or "
        "that draw directly to the screen (like a load spinner) cannont be RLE encoded.");
    add(new CBitFlagProperty("RLE All Copy", &CStandAloneFrame::m_options, kRleAllCopy, 0, false),
        "This forces a frame that is RLEed to have no Fills in it.  Fills are   when the same pixel is repeated many "
        "times.  Things like JWindow Skin Alpha channels should set this so that they get the correct texture.   ");
    add(new CBitFlagProperty("Crop Color 0", &CStandAloneFrame::m_options, kCropColor0, 0, true), nullptr);
    add(new CBitFlagProperty("Do Dither", &CStandAloneFrame::m_options, kDoDither, 0, true), nullptr);
    add(new CBitFlagProperty("Loss Less", &CStandAloneFrame::m_options, kLossLess, 0, false),
        "This controls if the image is saved with lossy or loss less   compression.  Lossy compression makes a lower "
        "quality image   and a smaller file size, Loss Less is perfect quality but a   larger file size.");
    add(new CUIntProperty("Quality", &CStandAloneFrame::m_quality, 0, 65, nullptr, 0, 100),
        "This controls the quality of the lossy compression.  A higher number makes a higher quality image with a "
        "larger file size.  A lower number will make a lower quality image with a smaller file size.");
    add(new CBitFlagProperty("Center Hot Spot", &CStandAloneFrame::m_options, kCenterHotSpot, 0, false), nullptr);
}

CStandAloneFrame::CStandAloneFrame()
{
    InitOwnProperties();
}

CStandAloneFrame::~CStandAloneFrame()
{
    DestroyOwnProperties();
}

bool CStandAloneFrame::LoadCached(const char* folder, const char* name, CFrameLoadStage* stages, bool useCacheFolder,
                                  uint32_t openMode)
{
    const CFrameLoadStage& given = stages ? *stages : *GetDefaultLoadStages();
    CFrameLoadStage list;
    list.SetPreferredDepth(given.GetPreferredDepth());
    list.AddStagesFrom(given);
    list.RemoveStage(kStageRunLength);
    list.RemoveStage(kStageDepthConvert);
    list.AddStage((m_options & kDoDither) ? kRequestDitheredDepthConvert : kStageDepthConvert);
    if (m_options & kRunLengthEncode)
        list.AddStage(kStageRunLength);
    if (m_options & kCenterHotSpot)
        list.AddStage(kStageCenterHotSpot);
    else
        list.RemoveStage(kStageCenterHotSpot);
    FillThresholdScope fills((m_options & kRunLengthEncode) && (m_options & kRleAllCopy));
    return CFrame::LoadCached(folder, name, &list, useCacheFolder, openMode);
}
