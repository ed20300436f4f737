#include "ui/JCheckButton.h"

#include "objects/DataNames.h"
#include "sound/SoundList.h"

bool CJCheckButton::Activate()
{
    if (IsChecked() || !m_enabled)
        return false;
    Click();
    return true;
}

void CJCheckButton::Click()
{
    if (IsChecked() && m_nextMember)
        return;
    PlayClickSound();
    SetChecked(!IsChecked());
    OnClicked();
}

void CJCheckButton::PlayClickSound()
{
    CSoundList::GetInstance().PlaySound(dataname::sound::kButtonSwitch);
}
