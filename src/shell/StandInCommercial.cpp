#include "shell/StandInCommercial.h"

#include "app/DemoRecorder.h"

bool CStandInCommercial::Play(CFrameInterface* target)
{
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    if (!recorder->StartPlayback(this, m_clip.CStr(), 0))
        return false;
    recorder->SetTargetFrame(target);
    return true;
}

void CStandInCommercial::Stop()
{
    CDemoRecorder::GetInstance()->Stop();
}
