#pragma once
// The "Controls Configuration" dialog: one player's bindings on one tab per group (a binding
// button and a label of its inputs per action), the choice of game controller, force feedback
// per device, default controls, OK and CANCEL. OK writes changed bindings; CANCEL (or any other
// close) after a change asks whether to lose it, and Yes puts back the bindings the dialog found.
//
// The rule a caller must know: the controls are not owned and must outlive the dialog; they may
// be null (the buttons then show no inputs and never wait).
#include "objects/ValueNameList.h"
#include "ui/controls/JDialog.h"

#include <vector>

class CBindingButton;
class CJButton;
class CJDropDownBox;
class CJTabControl;
class CJToggleButton;
class CPlayerControls;

class CControlsDialog : public CJDialog
{
public:
    static constexpr int32_t kMaximumTabHeight = 300;

    CControlsDialog(CJWindow* parent, CPlayerControls* controls);
    ~CControlsDialog() override;

    // Polls a change of controller (at most every 2 s), then draws.
    void Draw(COffsetClippedProxyFrame* frame) override;
    void OnCommand(CJWindow* sender, int32_t code) override;
    // Without unsaved changes the dialog goes; with them it asks and stays (answers false).
    bool Close() override;

    // Puts the bindings back as they were when the dialog opened and destroys the dialog.
    void Discard();
    // Every binding button's text and label again.
    void RefreshBindings();

    CJTabControl* GetTabs() const { return m_tabs; }
    const std::vector<CBindingButton*>& GetBindingButtons() const { return m_buttons; }
    CJToggleButton* GetForceFeedbackToggle() const { return m_forceFeedback; }
    CJDropDownBox* GetDeviceChoice() const { return m_deviceChoice; }
    const CValueNameList& GetDevices() const { return m_devices; }
    CJButton* GetJoystickSetupButton() const { return m_joystickSetup; }
    CJButton* GetResetButton() const { return m_reset; }
    CJButton* GetOkButton() const { return m_ok; }
    CJButton* GetCancelButton() const { return m_cancel; }

private:
    void AddBindingPages();
    void FillDevices();
    // The toggle's state and availability for the current device.
    void ReadForceFeedbackToggle();
    // Switches force feedback on when the device's key reads non-zero and it is available.
    void ApplyForceFeedbackSetting();
    bool IsForceFeedbackAvailable() const;
    void OnDeviceChosen();

    CPlayerControls* m_controls;
    std::vector<CBindingButton*> m_buttons;
    CJTabControl* m_tabs = nullptr;
    CJToggleButton* m_forceFeedback = nullptr;
    CJDropDownBox* m_deviceChoice = nullptr;
    CValueNameList m_devices;   // values: the joystick id, or kMouseDevice
    uint32_t m_currentDevice = 0;
    CJButton* m_joystickSetup = nullptr;
    CJButton* m_reset = nullptr;
    CJButton* m_ok = nullptr;
    CJButton* m_cancel = nullptr;
};

// The settings key that switches force feedback for a device: "Enable ForceFeedback on Device
// Mouse" for id -1, else the text followed by the joystick id in decimal.
CSharedString GetForceFeedbackKey(int deviceId);

// Opens the dialog for the controls modally and centred over the parent; answers it.
CControlsDialog* OpenControlsDialog(CJWindow* parent, CPlayerControls* controls);
