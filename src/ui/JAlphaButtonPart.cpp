#include "ui/JAlphaButtonPart.h"

#include "ui/AlphaSkinData.h"
#include "ui/JButton.h"
#include "ui/SkinBorder.h"

CSkinBorder* CJAlphaButtonPart::ChooseBorder() const
{
    const CJButton* button = GetButton();
    if (GetDownOffset() && m_skin->GetPressedButtonBorder())
        return m_skin->GetPressedButtonBorder();
    if (button->ShowsHover() && button->IsEnabled() && !button->ShowsDisabledLook() &&
        m_skin->GetHoverButtonBorder())
        return m_skin->GetHoverButtonBorder();
    return m_skin->GetButtonBorder();
}

void CJAlphaButtonPart::Draw(CFrameInterface* frame)
{
    CJButton* button = GetButton();
    if (!frame || !m_skin)
        return;
    if (!m_borderRemoved)
        DrawSkinBorder(frame, {0, 0, button->GetWidth(), button->GetHeight()}, ChooseBorder(),
                       !button->IsTransparent(), false);
    DrawFace(frame, !button->IsEnabledInParent() || button->ShowsDisabledLook(), GetDownOffset());
}

bool CJAlphaButtonPart::HandleMessage(CBroadcastMessage* message)
{
    if (!message || message->m_type != GetRemoveBorderMessageType())
        return false;
    m_borderRemoved = true;
    GetButton()->SetTransparent(true);
    return true;
}
