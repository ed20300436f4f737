#include "app/TimedPictureScreen.h"

void CTimedPictureScreen::Show(CFrame* frame, bool, CFrameOverlayOptions*)
{
    if (!frame)
        return;
    Finish();
    m_frame = frame;
}

void CTimedPictureScreen::Finish()
{
    ReleasePicture();
}
