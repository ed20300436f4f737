#include "shell/dialogs/BindingButton.h"

#include "app/PlayerControls.h"
#include "platform/Time.h"
#include "ui/ScreenWindow.h"
#include "ui/UiKeys.h"
#include "ui/WindowToolkitState.h"
#include "ui/controls/JLabel.h"

namespace {
constexpr uint32_t kBlinkBit = 1u << 9;
} // namespace

CBindingButton::CBindingButton(CJWindow* parent, const char* actionName) : CJButton(parent, actionName, nullptr)
{
}

CBindingButton::~CBindingButton()
{
    if (!m_waiting)
        return;
    // A capture left running would keep every control set from polling.
    if (m_controls)
        m_controls->CancelCapture(m_index);
    SetScreenInput(true);
}

void CBindingButton::SetBinding(CPlayerControls* controls, int index)
{
    m_controls = controls;
    m_index = index;
}

void CBindingButton::UpdateLabel()
{
    if (!m_label)
        return;
    CSharedString text;
    if (m_controls)
        m_controls->GetBindingText(m_index, text);
    m_label->SetText(text.CStr());
}

void CBindingButton::SetScreenInput(bool on)
{
    auto* screen = dynamic_cast<CScreenWindow*>(GetScreenWindow());
    if (!screen)
        return;
    if (on)
        screen->ResumeInput();
    else
        screen->SuspendInput();
}

void CBindingButton::Click()
{
    if (m_controls && !m_waiting) {
        m_waiting = true;
        CWindowToolkitState::Get().keyboardNavigation = true;
        SetScreenInput(false);
    }
    CJButton::Click();
}

bool CBindingButton::PollCapture()
{
    if (!m_waiting || !m_controls)
        return false;
    bool cancelled = false;
    if (!m_controls->CaptureBinding(m_index, cancelled)) {
        SetChecked((platform::GetTickCount() & kBlinkBit) ? 1 : 0);
        return false;
    }
    SetScreenInput(true);
    m_waiting = false;
    SetChecked(0);
    UpdateLabel();
    // Escape puts the old binding back: nothing changed that the parent must hear of.
    if (!cancelled)
        NotifyParent(kCommandValueChanged);
    return true;
}

void CBindingButton::Draw(COffsetClippedProxyFrame* frame)
{
    PollCapture();
    CJButton::Draw(frame);
}

bool CBindingButton::OnKey(int32_t key)
{
    if (CJButton::OnKey(key))
        return true;
    if ((key != uikey::kDelete && key != uikey::kBackspace) || !m_controls)
        return false;
    m_controls->ClearBinding(m_index);
    UpdateLabel();
    return true;
}
