#include "shell/Commercial.h"

#include "app/DemoRecorder.h"
#include "foundation/FileSearchSpec.h"
#include "objects/ArrayProperty.h"
#include "objects/FilePlayList.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "shell/CommercialLine.h"
#include "shell/Game.h"
#include "shell/TimedMessage.h"

IMPLEMENT_CLASS_RECORD(CCommercial, CObject, 1.0f)

CFilePlayList& GetDemoFileList()
{
    static CFilePlayList s_demos;
    return s_demos;
}

void CCommercial::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CArrayProperty(
        "Demo Clips", &CCommercial::m_clipCount, &CCommercial::m_clips, &CCommercial::m_clipCapacity, false,
        new CFixedListChoiceProperty("Demo Clip", 0, &GetDemoFileList(), 1, nullptr, nullptr), nullptr, 1));
    record->AddProperty(new CArrayProperty(
        "Lines", &CCommercial::m_lineCount, &CCommercial::m_lines, &CCommercial::m_lineCapacity, false,
        new CObjectPointerProperty("Line", 0, sizeof(CCommercialLine*), 1, CCommercialLine::GetStaticClassRecord(),
                                   nullptr, nullptr),
        nullptr, 1));
}

CCommercial::CCommercial()
{
    InitOwnProperties();
}

CCommercial::~CCommercial()
{
    DestroyOwnProperties();
}

namespace {

const CArrayProperty& ArrayNamed(const char* name)
{
    return *static_cast<const CArrayProperty*>(CCommercial::GetStaticClassRecord()->FindProperty(name));
}

} // namespace

void CCommercial::AddClip(uint32_t demoIndex)
{
    ArrayNamed("Demo Clips").Resize(this, m_clipCount + 1);
    m_clips[m_clipCount - 1] = demoIndex;
}

void CCommercial::AddLine(CCommercialLine* line)
{
    ArrayNamed("Lines").Resize(this, m_lineCount + 1);
    delete m_lines[m_lineCount - 1];
    m_lines[m_lineCount - 1] = line;
}

bool CCommercial::Play(void* context, CFrameInterface* target)
{
    m_clock = 0.0f;
    if (m_clipCount == 0)
        return true;
    CFilePlayList& demos = GetDemoFileList();
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    if (!recorder->StartPlayback(context, demos.GetPathAt(m_clips[0]), 0))
        return false;
    recorder->SetTargetFrame(target);
    for (uint32_t i = 1; i < m_clipCount; ++i)
        if (!recorder->AppendFile(demos.GetPathAt(m_clips[i]), 0)) {
            // Half a show is no show: the caller treats it as a clip that cannot be read.
            recorder->SetFinishCallback(nullptr);
            recorder->Stop();
            return false;
        }
    return true;
}

void CCommercial::Stop()
{
    CDemoRecorder::GetInstance()->Stop();
}

void CCommercial::UpdateCaptions(float seconds)
{
    CGame* game = GetGame();
    CTimedMessage* message = game ? game->GetTimedMessage() : nullptr;
    UpdateCaptions(seconds, [message](const CCommercialLine& line) {
        if (message)
            message->Show(line.GetText().GetDisplayText().CStr(), line.GetDuration(), line.GetYPosition());
    });
}

void CCommercial::UpdateCaptions(float seconds, const std::function<void(const CCommercialLine&)>& show)
{
    const float previous = m_clock;
    m_clock += seconds;
    float start = 0.0f;
    for (uint32_t i = 0; i < m_lineCount; ++i) {
        const CCommercialLine* line = m_lines[i];
        if (!line)
            continue;
        start += line->GetDelay();
        if (previous <= start && start < m_clock)
            show(*line);
    }
}

void CCommercial::ClearCaptions()
{
    if (CGame* game = GetGame())
        if (CTimedMessage* message = game->GetTimedMessage())
            message->Clear();
}
