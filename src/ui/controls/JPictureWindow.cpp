#include "ui/controls/JPictureWindow.h"

#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/WindowWatch.h"

CJPictureWindow::CJPictureWindow(CJWindow* parent, CFrame* frame, int32_t x, int32_t y)
    : CJDialog(parent, "CJPictureWindow"), m_frame(frame), m_x(x), m_y(y)
{
    if (m_frame)
        SetSize(static_cast<int32_t>(m_frame->GetWidth()), static_cast<int32_t>(m_frame->GetHeight()));
    SetSpacing(2);
}

CJPictureWindow::~CJPictureWindow() = default;

void CJPictureWindow::Draw(COffsetClippedProxyFrame* frame)
{
    // The caption part fills the whole window with its texture: it goes first, the picture over
    // it, the children on top.
    CWindowWatch self(this);
    DrawCaption(frame);
    if (!self.IsAlive())
        return;
    if (m_frame && frame)
        frame->DrawFrameAt(m_frame, m_x, m_y, &g_transparentMaskBlitter);
    CJWindow::Draw(frame);
}

bool CJPictureWindow::OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons,
                                  CSequence*& cursor)
{
    return CJWindow::OnMouseDrag(point, delta, buttons, cursor);
}
