#include "graphics/SequenceFrameInfoList.h"

#include "graphics/FrameInfo.h"
#include "objects/ArrayProperty.h"
#include "objects/BoolProperty.h"
#include "objects/FloatProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "objects/UIntProperty.h"

IMPLEMENT_CLASS_RECORD(CSequenceFrameInfoList, CObject, 2.0f)

namespace {

const CArrayProperty& FrameInfosProperty()
{
    static const auto* s_property = static_cast<const CArrayProperty*>(
        CSequenceFrameInfoList::GetStaticClassRecord()->FindProperty("Frame Infos"));
    return *s_property;
}

} // namespace

void CSequenceFrameInfoList::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CBoolProperty("WasRLE", &CSequenceFrameInfoList::m_wasRunLength, 0, false));
    record->AddProperty(new CUIntProperty("Flags", &CSequenceFrameInfoList::m_flags, 0, 0));
    record->AddProperty(new CUIntProperty("BlitType", &CSequenceFrameInfoList::m_blitType, 0, 0));
    record->AddProperty(new CFloatProperty("FPS", &CSequenceFrameInfoList::m_framesPerSecond, 0, 0.0f));
    record->AddProperty(new CArrayProperty(
        "Frame Infos", &CSequenceFrameInfoList::m_frameInfoCount, &CSequenceFrameInfoList::m_frameInfos, nullptr, false,
        new CObjectPointerProperty("Frame Info", 0, sizeof(CFrameInfo*), 0, CFrameInfo::GetStaticClassRecord(), nullptr,
                                   nullptr),
        nullptr, 0));
}

CSequenceFrameInfoList::CSequenceFrameInfoList()
{
    InitOwnProperties();
}

CSequenceFrameInfoList::~CSequenceFrameInfoList()
{
    DestroyOwnProperties();
}

void CSequenceFrameInfoList::AddFrameInfo(CFrameInfo* info)
{
    const uint32_t at = m_frameInfoCount;
    FrameInfosProperty().Resize(this, at + 1);
    if (m_frameInfoCount == at + 1)
        m_frameInfos[at] = info;
    else
        delete info;
}
