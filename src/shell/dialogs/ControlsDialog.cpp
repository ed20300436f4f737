#include "shell/dialogs/ControlsDialog.h"

#include "app/ForceFeedback.h"
#include "app/Joystick.h"
#include "app/PlayerControls.h"
#include "foundation/ConfigFile.h"
#include "foundation/LocalizedString.h"
#include "shell/dialogs/BindingButton.h"
#include "shell/dialogs/DialogButtons.h"
#include "shell/dialogs/LoseChangesDialog.h"
#include "ui/JDropDownBox.h"
#include "ui/JListBox.h"
#include "ui/JTabControl.h"
#include "ui/JToggleButton.h"
#include "ui/controls/JLabel.h"

#include <algorithm>
#include <cstdio>

namespace {

CLocalizedString s_title("Controls Configuration");
CLocalizedString s_forceFeedbackText("Enable Force-Feedback");
CLocalizedString s_joystickSetupText(" &Joystick Setup and Calibration ");
CLocalizedString s_resetText("&Reset To Default Controls");
CLocalizedString s_okText("    &OK    ");
CLocalizedString s_cancelText(" &CANCEL ");
CLocalizedString s_mouseText("0: Mouse");
CLocalizedString s_joystickSetupCaption("Joystick Setup and Calibration");
CLocalizedString s_joystickSetupMessage(
    "This system has no joystick settings program that the game could start.  Set up and calibrate the joystick "
    "with your desktop's own game controller settings, then choose it in the list of game controllers.");

constexpr uint32_t kMouseDevice = 0xFFFFFFFFu;
constexpr const char* kLabelSizingText = "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX";
constexpr uint32_t kDeviceWidthUnits = 120;

int ReadSetting(const char* key, int defaultValue)
{
    return ReadConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), key, defaultValue);
}

// The bottom-right corner of every child: the size a scrolled page's content needs.
void SetContentToChildren(CJWindow* page)
{
    int32_t width = 0, height = 0;
    for (CJWindow* child = page->GetFrontChild(); child; child = child->GetNextSibling()) {
        width = std::max(width, child->GetRect().m_right + page->GetOuterMargin());
        height = std::max(height, child->GetRect().m_bottom + page->GetOuterMargin());
    }
    page->SetContentSize(width, height);
    page->EnableScrollBars(true);
}

} // namespace

CSharedString GetForceFeedbackKey(int deviceId)
{
    char text[64];
    if (deviceId < 0)
        std::snprintf(text, sizeof text, "Enable ForceFeedback on Device Mouse");
    else
        std::snprintf(text, sizeof text, "Enable ForceFeedback on Device %u", static_cast<unsigned>(deviceId));
    return CSharedString(text);
}

CControlsDialog::CControlsDialog(CJWindow* parent, CPlayerControls* controls)
    : CJDialog(parent, s_title), m_controls(controls)
{
    if (m_controls)
        m_controls->SaveDialogCopy();
    AddCloseButton();
    m_tabs = new CJTabControl(this);
    AddBindingPages();
    AddChild(m_tabs, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);

    m_forceFeedback = new CJToggleButton(this, s_forceFeedbackText.CStr(), nullptr);
    AddChild(m_forceFeedback, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    FillDevices();
    m_deviceChoice = new CJDropDownBox(this, &m_devices, kDeviceWidthUnits);
    AddChild(m_deviceChoice, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_deviceChoice->SelectItemById(m_currentDevice, true);
    ReadForceFeedbackToggle();

    m_joystickSetup = SizedButton(CJButton::ConstructFromString(this, s_joystickSetupText, nullptr));
    AddChild(m_joystickSetup, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_reset = SizedButton(CJButton::ConstructFromString(this, s_resetText, nullptr));
    AddChild(m_reset, kPlaceBelowPreviousCentred, nullptr, 0, 6, 0);
    m_ok = SizedButton(CJButton::ConstructFromString(this, s_okText, nullptr));
    AddChild(m_ok, kPlaceBelowPreviousCentred, nullptr, 0, 8, 0);
    m_ok->SetX(GetFontUnit() * 2 - m_ok->GetWidth() / 2 + m_ok->GetRect().m_left);
    m_cancel = SizedButton(CJButton::ConstructFromString(this, s_cancelText, nullptr));
    AddChild(m_cancel, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);

    if (m_controls)
        m_controls->CheckControllerChange();
    RefreshBindings();
    m_defaultButton = m_ok;
    m_cancelButton = m_cancel;
}

CControlsDialog::~CControlsDialog() = default;

void CControlsDialog::AddBindingPages()
{
    const int count = m_controls ? m_controls->GetActionCount() : 0;
    for (int i = 0; i < count; ++i) {
        const char* group = m_controls->GetGroupName(i);
        CJWindow* page = m_tabs->FindPageByName(group ? group : "");
        if (!page) {
            page = CJWindow::ConstructFromString(m_tabs, CSharedString(group ? group : ""));
            m_tabs->AddPage(page);
        }
        const char* action = m_controls->GetActionName(i);
        auto* button = new CBindingButton(page, action ? action : "");
        SizeToText(button);
        button->SetBinding(m_controls, i);
        page->AddChild(button, page->HasChildren() ? kPlaceBelowPrevious : kPlaceTopLeft, nullptr, kDefaultOffset,
                       kDefaultOffset, 0);
        m_buttons.push_back(button);
    }
    for (uint32_t p = 0; p < m_tabs->GetPageCount(); ++p) {
        CJWindow* page = m_tabs->GetPage(p);
        if (page->GetFrontChild())
            page->GetFrontChild()->MatchRunWidths(page->GetBackChild(), 0);
    }
    for (CBindingButton* button : m_buttons) {
        CJWindow* page = button->GetParent();
        auto* label = new CJLabel(page, kLabelSizingText);
        page->AddChild(label, kPlaceRightOf, button, kDefaultOffset, kDefaultOffset, 0);
        button->SetLabel(label);
        button->UpdateLabel();
    }
    for (uint32_t p = 0; p < m_tabs->GetPageCount(); ++p)
        SetContentToChildren(m_tabs->GetPage(p));
    m_tabs->FitPages();
    if (m_tabs->GetHeight() > kMaximumTabHeight)
        m_tabs->SetHeight(kMaximumTabHeight);
    m_tabs->SelectPage(0, true);
}

void CControlsDialog::FillDevices()
{
    m_devices.Clear();
    m_devices.Add(s_mouseText.CStr(), kMouseDevice);
    const int current = m_controls ? m_controls->GetControllerId() : -1;
    m_currentDevice = 0;
    const int count = GetJoystickCount();
    for (int j = 0; j < count; ++j) {
        if (j != current && !IsJoystickPresent(static_cast<unsigned>(j)))
            continue;
        CSharedString name;
        TryGetJoystickName(static_cast<unsigned>(j), name);
        char text[300];
        std::snprintf(text, sizeof text, "%d: %s", j + 1, name.CStr());
        const int index = m_devices.Add(text, static_cast<uint32_t>(j));
        if (j == current && index >= 0)
            m_currentDevice = static_cast<uint32_t>(index);
    }
}

bool CControlsDialog::IsForceFeedbackAvailable() const
{
    return m_controls && CForceFeedback::GetInstance()->HasDevice(m_controls, CForceFeedback::kPlayerDevice);
}

void CControlsDialog::ReadForceFeedbackToggle()
{
    const int device = m_controls ? m_controls->GetControllerId() : -1;
    const bool available = IsForceFeedbackAvailable();
    m_forceFeedback->SetChecked(available && ReadSetting(GetForceFeedbackKey(device).CStr(), 1) != 0 ? 1 : 0);
    m_forceFeedback->SetEnabled(available);
}

void CControlsDialog::ApplyForceFeedbackSetting()
{
    const int device = m_controls ? m_controls->GetControllerId() : -1;
    const bool on = IsForceFeedbackAvailable() && ReadSetting(GetForceFeedbackKey(device).CStr(), 1) != 0;
    CForceFeedback::GetInstance()->SetEnabled(on);
}

void CControlsDialog::RefreshBindings()
{
    for (CBindingButton* button : m_buttons)
        button->UpdateLabel();
}

void CControlsDialog::Draw(COffsetClippedProxyFrame* frame)
{
    if (m_controls && m_controls->PollControllerChange())
        RefreshBindings();
    CJDialog::Draw(frame);
}

void CControlsDialog::OnDeviceChosen()
{
    const uint32_t row = m_deviceChoice->GetSelectedId();
    if (row >= m_devices.GetCount() || !m_controls)
        return;
    const uint32_t id = m_devices.GetValue(row);
    m_controls->SelectController(id == kMouseDevice ? -1 : static_cast<int>(id));
    m_controls->CheckControllerChange();
    RefreshBindings();
    ReadForceFeedbackToggle();
    ApplyForceFeedbackSetting();
}

void CControlsDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (!sender) {
        CJDialog::OnCommand(sender, code);
        return;
    }
    if (code == kCommandValueChanged) {
        if (std::find(m_buttons.begin(), m_buttons.end(), sender) != m_buttons.end()) {
            if (m_controls)
                m_controls->CheckControllerChange();
            RefreshBindings();
            return;
        }
        if (sender == m_deviceChoice || sender == m_deviceChoice->GetShownList()) {
            OnDeviceChosen();
            return;
        }
    }
    if (code == kCommandClicked) {
        if (sender == m_forceFeedback) {
            if (IsForceFeedbackAvailable()) {
                const int device = m_controls->GetControllerId();
                WriteConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), GetForceFeedbackKey(device).CStr(),
                               m_forceFeedback->IsChecked() ? 1 : 0);
                ApplyForceFeedbackSetting();
            }
            return;
        }
        if (sender == m_joystickSetup) {
            // The system's joystick panel has no counterpart here: the player is told where to go.
            if (CJWindow* screen = GetScreenWindow())
                screen->ShowMessageText(s_joystickSetupCaption.CStr(), s_joystickSetupMessage.CStr());
            return;
        }
        if (sender == m_reset) {
            if (m_controls) {
                m_controls->RestoreUndoCopy();
                m_controls->CheckControllerChange();
            }
            RefreshBindings();
            return;
        }
        if (sender == m_ok) {
            if (m_controls && m_controls->HasUnsavedChanges())
                m_controls->SaveBindings(nullptr);
            CJDialog::Close();
            return;
        }
        if (sender == m_cancel) {
            Close();
            return;
        }
    }
    CJDialog::OnCommand(sender, code);
}

bool CControlsDialog::Close()
{
    if (!m_controls || !m_controls->HasUnsavedChanges())
        return CJDialog::Close();
    OpenModalWindow(new CLoseChangesDialog(this), kPlaceCentred);
    return false;
}

void CControlsDialog::Discard()
{
    if (m_controls)
        m_controls->RestoreDialogCopy();
    CJDialog::Close();
}

CControlsDialog* OpenControlsDialog(CJWindow* parent, CPlayerControls* controls)
{
    auto* dialog = new CControlsDialog(parent, controls);
    parent->OpenModalWindow(dialog, kPlaceCentred);
    return dialog;
}
