#include "shell/HotSpotButton.h"

CHotSpotButton::CHotSpotButton(CJWindow* parent, int32_t width, int32_t height) : CJButton(parent, "", nullptr)
{
    SetBorderless(true);
    SetFramed(false);
    SetSize(width, height);
}

void CHotSpotButton::Draw(COffsetClippedProxyFrame* frame)
{
    m_flash = false;
    CJWindow::Draw(frame);
}
