#include "shell/dialogs/CreditsControl.h"

#include "graphics/OffsetClippedProxyFrame.h"

#include <algorithm>

CJCreditsControl::CJCreditsControl(CJWindow* parent, const char* fileName)
    : CJWindow(parent, "~CJCreditsControl"), m_text(fileName, parent ? parent->GetFont() : GetFont())
{
}

void CJCreditsControl::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    if (m_bevel)
        DrawBevel(GetFont(), frame, {0, 0, GetWidth(), GetHeight()}, false, 15, 0);
    CIntRect area;
    if (GetVisibleClientRect(2, 2, area) && area.m_right > area.m_left && area.m_bottom > area.m_top) {
        const int32_t savedX = frame->GetOffsetX(), savedY = frame->GetOffsetY();
        const CIntRect savedClip = frame->GetClipRect();
        // The text's own frame: its origin at the area's corner, clipped to the area and to what
        // the window may draw on (a proxy offset is subtracted on the way to the target).
        const CIntRect target{area.m_left - savedX, area.m_top - savedY, area.m_right - savedX,
                              area.m_bottom - savedY};
        const CIntRect clip{std::max(target.m_left, savedClip.m_left), std::max(target.m_top, savedClip.m_top),
                            std::min(target.m_right, savedClip.m_right), std::min(target.m_bottom, savedClip.m_bottom)};
        if (clip.m_right > clip.m_left && clip.m_bottom > clip.m_top) {
            frame->SetTargetClipRect(clip);
            frame->SetOffset(-target.m_left, -target.m_top);
            const CIntRect local{0, 0, area.m_right - area.m_left, area.m_bottom - area.m_top};
            if (m_bevel)
                frame->FillRect(local, GetBackgroundColor());
            m_text.Draw(frame, local);
            frame->SetOffset(savedX, savedY);
            frame->SetTargetClipRect(savedClip);
        }
    }
    CJWindow::Draw(frame);
}

void CJCreditsControl::WalkVisibleChildren()
{
    if (IsVisible())
        CJWindow::WalkVisibleChildren();
}
