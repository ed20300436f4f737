// CSequence: its properties, picking frames by time and by fraction, offsets and bounds, the
// property file and the load stages. The files of sequences are in SequenceFiles.cpp.
#include "graphics/Sequence.h"

#include "blit/BlitTypeList.h"
#include "blit/Blitter.h"
#include "foundation/OpenFlags.h"
#include "foundation/SharedString.h"
#include "foundation/Win32Services.h"
#include "graphics/Frame.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/stages/AlphaThresholdStage.h"
#include "graphics/stages/DepthConvertStage.h"
#include "objects/BitFlagProperty.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/FloatProperty.h"
#include "objects/IntProperty.h"
#include "objects/ObjectTextStream.h"
#include "objects/UIntProperty.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

IMPLEMENT_CLASS_RECORD(CSequence, CObject, 119.0f)

namespace {

constexpr uint32_t kEditable = 1;

// Bounds before the first frame: beyond any frame coordinate, so the first frame sets them.
constexpr CIntRect kNoBounds{99999, 999999, -999999, -999999};

// The threshold the alpha stage takes when 8-bit alpha is kept.
constexpr uint32_t kEightBitAlphaThreshold = 3;

const char* const kLossLessHelp =
    "This controls if the image is saved with lossy or loss less   compression.  Lossy compression makes a lower "
    "quality image   and a smaller file size, Loss Less is perfect quality but a   larger file size.";
const char* const kQualityHelp =
    "This controls the quality of the lossy compression.  A higher number makes a higher quality image with a "
    "larger file size.  A lower number will make a lower quality image with a smaller file size.";

const CBlitter* FindBlitter(const char* name)
{
    const CBlitTypeList& list = CBlitter::GetRegistry();
    const int index = list.FindIndexByName(name, -1);
    return index < 0 ? nullptr : list.GetValue(static_cast<uint32_t>(index));
}

int16_t ClampToInt16(int64_t value)
{
    return static_cast<int16_t>(value < INT16_MIN ? INT16_MIN : value > INT16_MAX ? INT16_MAX : value);
}

} // namespace

void CSequence::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CUIntProperty("", &CSequence::m_frameCount, 0, 0));
    record->AddProperty(new CFloatProperty("Image/Frames Per Second", &CSequence::m_framesPerSecond, kEditable, 15.0f));
    record->AddProperty(new CFixedListChoiceProperty("Render/Blit Type", &CSequence::m_blitType,
                                                     &CBlitter::GetRegistry(), kEditable, "Transparent Mask"));
    record->AddProperty(new CIntProperty("Render/X Offset", &CSequence::m_xOffset, kEditable, 0, &CSequence::SetXOffset));
    record->AddProperty(new CIntProperty("Render/Y Offset", &CSequence::m_yOffset, kEditable, 0, &CSequence::SetYOffset));
    record->AddProperty(new CBitFlagProperty("Load/Center Hot Spot", &CSequence::m_loadFlags, kCenterHotSpot,
                                             kEditable, true));
    record->AddProperty(new CBitFlagProperty("Load/Blended With Black", &CSequence::m_loadFlags, kBlendedWithBlack,
                                             kEditable, true));
    record->AddProperty(new CBitFlagProperty("Load/Crop Clor 0", &CSequence::m_loadFlags, kCropColor0, kEditable, true));
    record->AddProperty(new CBitFlagProperty("Load/Use 8 Bit Alpha", &CSequence::m_loadFlags, kUse8BitAlpha,
                                             kEditable, false));
    record->AddProperty(new CBitFlagProperty("Load/Do Dither", &CSequence::m_loadFlags, kDoDither, kEditable, true));
    record->AddProperty(new CBitFlagProperty("Image/Loss Less", &CSequence::m_loadFlags, kLossLess, kEditable, false));
    record->GetLastProperty()->SetHelpText(kLossLessHelp);
    record->AddProperty(new CUIntProperty("Image/Quality", &CSequence::m_quality, kEditable, 65, nullptr, 0, 100));
    record->GetLastProperty()->SetHelpText(kQualityHelp);
}

CSequence::CSequence()
{
    InitOwnProperties();
    m_bounds = kNoBounds;
}

CSequence::~CSequence()
{
    FreeFrames();
    DestroyOwnProperties();
}

void CSequence::FreeFrames()
{
    for (CFrame* frame : m_frames)
        delete frame;
    m_frames.clear();
    SyncFrameCount();
}

void CSequence::SetPropertiesToDefaults()
{
    FreeFrames();
    CObject::SetPropertiesToDefaults();
}

void CSequence::AddFrame(CFrame* frame, CFrameLoadStage* stages)
{
    if (frame && stages)
        stages->ApplyAll(frame);
    m_frames.push_back(frame);
    SyncFrameCount();
    RecomputeBounds();
}

CFrame* CSequence::GetFrame(uint32_t i) const
{
    return i < m_frames.size() ? m_frames[i] : nullptr;
}

uint32_t CSequence::GetFrameCount() const
{
    return static_cast<uint32_t>(m_frames.size());
}

float CSequence::GetFramesPerSecond() const
{
    return m_framesPerSecond;
}

CFrame* CSequence::GetCurrentFrame() const
{
    const uint32_t count = GetFrameCount();
    if (count == 0)
        return nullptr;
    // Nearest integer with ties to even (the default rounding mode). A negative rate (or one
    // that is not a number) shows the first frame rather than an index below 0.
    const double position =
        std::nearbyint(static_cast<double>(GetTickCount24()) * static_cast<double>(m_framesPerSecond) * 0.001);
    if (!(position >= 0.0))
        return GetFrame(0);
    return GetFrame(static_cast<uint32_t>(std::fmod(position, static_cast<double>(count))));
}

CFrame* CSequence::GetFrameAtFraction(float fraction) const
{
    const uint32_t count = GetFrameCount();
    if (count == 0)
        return nullptr;
    const double index = std::floor(static_cast<double>(count) * static_cast<double>(fraction));
    if (!(index >= 0.0))
        return GetFrame(0);
    return GetFrame(index >= count ? count - 1 : static_cast<uint32_t>(index));
}

void CSequence::ApplyOffset(int32_t dx, int32_t dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (CFrame* frame : m_frames)
        if (frame)
            frame->SetOrigin(ClampToInt16(static_cast<int64_t>(frame->GetLeft()) - dx),
                             ClampToInt16(static_cast<int64_t>(frame->GetTop()) - dy));
}

void CSequence::ComputeBounds()
{
    ApplyOffset(m_xOffset, m_yOffset);
    RecomputeBounds();
}

void CSequence::RecomputeBounds()
{
    m_bounds = kNoBounds;
    for (const CFrame* frame : m_frames) {
        if (!frame)
            continue;
        CIntRect bounds;
        frame->GetBounds(bounds);
        m_bounds.m_left = std::min(m_bounds.m_left, bounds.m_left);
        m_bounds.m_top = std::min(m_bounds.m_top, bounds.m_top);
        m_bounds.m_right = std::max(m_bounds.m_right, bounds.m_right);
        m_bounds.m_bottom = std::max(m_bounds.m_bottom, bounds.m_bottom);
    }
}

void CSequence::SetXOffset(int32_t offset)
{
    ApplyOffset(-m_xOffset, -m_yOffset);
    m_xOffset = offset;
    ComputeBounds();
}

void CSequence::SetYOffset(int32_t offset)
{
    ApplyOffset(-m_xOffset, -m_yOffset);
    m_yOffset = offset;
    ComputeBounds();
}

CBlitter* CSequence::GetBlitter() const
{
    return CBlitter::GetRegistry().GetValue(m_blitType);
}

bool CSequence::SetBlitTypeByName(const char* name)
{
    const int index = CBlitter::GetRegistry().FindIndexByName(name, -1);
    if (index < 0)
        return false;
    m_blitType = static_cast<uint32_t>(index);
    return true;
}

void CSequence::ReadCustomProperties(const char* label, const char* value, CObjectTextStream& stream)
{
    if (!CItemList::NamesEqual(label, "Load Black Bias")) {
        CObject::ReadCustomProperties(label, value, stream);
        return;
    }
    if (std::atoi(value) != 0)
        SetBlitTypeByName("Blend Black Bias");
}

uint32_t CSequence::GetObjectSize() const
{
    uint32_t size = CObject::GetObjectSize();
    for (const CFrame* frame : m_frames)
        size += (frame ? frame->GetObjectSize() : 0) + 4;
    return size;
}

void CSequence::GetPropertiesFileName(CSharedString& out, const char* folder, const char* name)
{
    out.SetToDashFolderFilePath(folder ? folder : "", name ? name : "", "Properties.txt", nullptr);
}

void CSequence::ReadProperties(const char* folder, const char* name)
{
    CSharedString path;
    GetPropertiesFileName(path, folder, name);
    CObjectTextStream stream;
    if (stream.Open(path.CStr(), VF_READ)) {
        CCurrentObjectFileNameScope scope(path.CStr());
        ReadFromTextStream(stream);
        stream.Close();
        return;
    }
    SetPropertiesToDefaults();
    if (SaveProperties(folder, name))
        return;
    CSharedString message;
    message.Format("The sequence \"%s/%s\" has no Properties.txt or it is unreadable and one cannot be created!\n"
                   "It has most likely been zipped without first being tested in the game.\n"
                   "Unzip it and test it, then zip it back up.  Or delete the properties.txt and let the game build "
                   "a new one.",
                   folder ? folder : "", name ? name : "");
    FatalExit("Can't Read Or Save Properties", message.CStr());
}

bool CSequence::SaveProperties(const char* folder, const char* name) const
{
    CSharedString path;
    GetPropertiesFileName(path, folder, name);
    // The item folder may not exist yet.
    CObjectTextStream file;
    if (!file.Open(path.CStr(), VF_CREATE | VF_WRITE | VF_MAKE_FOLDERS))
        return false;
    WriteToTextStream(file);
    return file.Close();
}

void CSequence::GetLoadStages(CFrameLoadStage& list, const CFrameLoadStage* given) const
{
    list.Clear();
    if (given) {
        list.SetPreferredDepth(given->GetPreferredDepth());
        list.AddStagesFrom(*given);
    } else {
        // Built on each call: its depth conversion aims at the display depth of the moment.
        for (int32_t request : {kStageAlphaThreshold, kStageCrop, kStageUnpremultiply, kStageDepthConvert,
                                kStageRunLength})
            list.AddStage(request);
    }
    if (m_loadFlags & kDoDither) {
        // The dithered conversion keeps the depth the list aimed at.
        const int32_t depth = list.GetTargetDepth();
        list.RemoveStage(kStageDepthConvert);
        auto* dithered = new (std::nothrow) CDepthConvertStage(true, depth);
        if (!list.InsertStage(dithered))
            delete dithered;
    }
    if (m_loadFlags & kUse8BitAlpha) {
        list.RemoveStage(kStageRunLength);
        list.AddStage(kRequestRunLengthAlpha);
        if (auto* threshold = static_cast<CAlphaThresholdStage*>(list.FindStage(kStageAlphaThreshold)))
            threshold->SetThreshold(kEightBitAlphaThreshold);
    }
    if (m_loadFlags & kCenterHotSpot)
        list.AddStage(kStageCenterHotSpot);
    if (!(m_loadFlags & kBlendedWithBlack))
        list.RemoveStage(kStageUnpremultiply);
    const CBlitter* blitter = GetBlitter();
    if (blitter && blitter == FindBlitter("Blend Black Bias")) {
        list.RemoveStage(kStageUnpremultiply);
        list.AddStage(kStageBlackBias);
    } else if (blitter && blitter == FindBlitter("Blend Amplify Light")) {
        list.RemoveStage(kStageUnpremultiply);
        list.AddStage(kStageDarkCutoff);
    }
    if (!(m_loadFlags & kCropColor0))
        list.RemoveStage(kStageCrop);
}
