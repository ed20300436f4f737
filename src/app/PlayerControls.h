#pragma once
// One player's control set: numbered actions ("Shoot", "Timeout"), each bound to a key with an
// optional modifier, a combination of joystick inputs and a combination of mouse buttons or wheel
// directions, turned into the set of actions that fire this frame. Repeat rules per action decide
// whether holding an input fires once, repeatedly or continuously. The bindings are stored per
// player and per joystick in the configuration file and can be captured from the player's input.
#include "app/BitSet.h"
#include "app/Mouse.h"
#include "foundation/SharedString.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CJoystick;

class CPlayerControls
{
public:
    // Repeat kinds.
    static constexpr int kRepeatWhileHeld = 0;
    static constexpr int kOncePerPress = 1;
    static constexpr int kContinuous = 2;
    // Mouse mask bits beyond the buttons.
    static constexpr unsigned kWheelDown = 8;
    static constexpr unsigned kWheelUp = 0x10;
    // Key numbers with a meaning during a capture.
    static constexpr int kKeyEscape = 1;
    static constexpr int kKeyDelete = 339;
    static constexpr uint32_t kControllerCheckMilliseconds = 2000;

    struct Binding
    {
        int key = 0;
        int modifierKey = 0;
        uint32_t joystickMask = 0;
        uint32_t mouseMask = 0;
        int repeatKind = kOncePerPress;
        uint32_t repeatPeriod = 0;    // ms between repeats (kind 0)
        uint32_t minimumGap = 0;      // least ms between two presses (kinds 0 and 1)
        uint32_t nextAllowed = 0;     // tick count of the earliest next press
        uint8_t flag = 0;
        const char* actionName = nullptr;
        const char* groupName = nullptr;
        uint32_t nextRepeat = 0;      // tick count of the next repeat, 0 = none
        uint32_t joystickVeto = 0;    // joystick bits that must not be down
        uint32_t mouseVeto = 0;       // mouse bits that must not be down
        int vetoKey = 0;              // key that must not be held (0: none)

        bool HasInput() const { return key || modifierKey || joystickMask || mouseMask; }
        void ClearInputs()
        {
            key = 0;
            modifierKey = 0;
            joystickMask = 0;
            mouseMask = 0;
        }
    };

    // Called when a capture or a rebinding changed other bindings.
    using ChangedCallback = void (*)(CPlayerControls& controls, void* context);

    // hasConfiguration: the set reads and writes the configuration file. The controller id comes
    // from the settings (default: defaultControllerId; -1 none).
    CPlayerControls(bool hasConfiguration, int playerIndex, int defaultControllerId, int actionCount);
    ~CPlayerControls();
    CPlayerControls(const CPlayerControls&) = delete;
    CPlayerControls& operator=(const CPlayerControls&) = delete;

    // The names are kept, not copied.
    void DefineAction(int index, const char* groupName, const char* actionName, int repeatKind,
                      uint32_t repeatPeriod, uint32_t minimumGap, uint8_t flag);

    // Reads the inputs and decides which actions fire this frame.
    void Poll(bool updateAnalog, bool ignoreMouse);
    bool IsFiring(int action) const { return m_firing.Test(action); }
    const CBitSet& GetFiringSet() const { return m_firing; }
    const CBitSet& GetRawSet() const { return m_raw; }
    // Whether the action's key (with its modifier) was down or pressed at the last poll: the key
    // then also types its character into the window that has the focus.
    bool IsDownByKey(int action) const { return m_rawByKey.Test(action); }
    const CBitSet& GetPreviousSet() const { return m_previous; }
    // The analog direction of this frame, each -1 to 1.
    float GetAnalogX() const { return m_analogX; }
    float GetAnalogY() const { return m_analogY; }
    // Player one's mouse offset from the centre of the 640 x 480 screen, or the joystick's stick,
    // limited to the unit circle; pulls the mouse back when it went beyond.
    void UpdateMouseAnalog(float& x, float& y);
    void SetLimitToCircle(bool limit) { m_limitToCircle = limit; }

    // Writes or reads every binding (only with configuration); null: the section of this player
    // and device.
    void SaveBindings(const char* section);
    void LoadBindings(const char* section);
    CSharedString GetSectionName() const;

    // -1: no joystick.
    void SelectController(int id);
    int GetControllerId() const;
    CJoystick* GetJoystick() const { return m_joystick.get(); }
    const char* GetDeviceName() const { return m_deviceName; }
    // Reopens the joystick; when another device answers now, the bindings are saved under the old
    // device's section and those of the new device are loaded. True when it changed.
    bool CheckControllerChange();
    // The same at most every two seconds.
    bool PollControllerChange();

    // One step of an interactive capture of a binding; true when finished (cancelled: Escape
    // restored the old binding). While any set captures, no set polls.
    bool CaptureBinding(int index, bool& cancelled);
    bool IsCapturing() const { return m_capturing; }
    // Ends a capture in progress as Escape does: the binding is put back as it was.
    void CancelCapture(int index);
    // Sets a binding, first removing the same inputs from every other binding.
    void SetBinding(int index, int key, int modifierKey, uint32_t joystickMask, uint32_t mouseMask);
    void ClearBinding(int index) { SetBinding(index, 0, 0, 0, 0); }
    void SetJoystickButtons(int index, uint32_t mask);
    void GetBindingText(int index, CSharedString& out) const;
    const Binding& GetBinding(int index) const { return m_bindings[static_cast<size_t>(index)]; }
    int GetActionCount() const { return static_cast<int>(m_bindings.size()); }
    const char* GetActionName(int index) const;
    const char* GetGroupName(int index) const;

    void SaveUndoCopy() { m_undoCopy = m_bindings; }
    void RestoreUndoCopy();
    void SaveDialogCopy() { m_dialogCopy = m_bindings; }
    void RestoreDialogCopy();
    // Whether a key, modifier, joystick or mouse mask differs from the dialog copy.
    bool HasUnsavedChanges() const;

    void SetChangedCallback(ChangedCallback callback, void* context);
    std::vector<int>& GetReservedKeys() { return m_reservedKeys; }
    std::vector<unsigned>& GetReservedMouseBits() { return m_reservedMouseBits; }
    bool IsMouseEnabled() const { return m_mouseEnabled; }
    bool IsJoystickEnabled() const { return m_joystickEnabled; }
    int GetPlayerIndex() const { return m_playerIndex; }

private:
    // Whether the binding's inputs are down: its key (taking a press) with its modifier, or all of
    // its joystick or mouse bits, unless a veto holds. byKey: the key made it.
    static bool IsBindingDown(const Binding& binding, uint32_t joystickBits, uint32_t mouseBits, bool& byKey);
    // Holds back the firing bits that the repeat kind, period and minimum gap do not let through,
    // given the raw set of the poll before, and schedules the next repeat and press.
    void ApplyRepeatRules(const CBitSet& before);
    // The mouse buttons and wheel directions a capture may take.
    uint32_t ReadCaptureMouseBits(const Binding& binding);
    // Ends a capture by setting the binding; returns true (finished).
    bool EndCapture(int index, int key, int modifierKey, uint32_t joystickMask, uint32_t mouseMask);
    // Keeps the count of capturing sets.
    void SetCapturing(bool capturing);
    void RecomputeVetoes();
    void RunChangedCallback();
    std::string GetPrefix() const;
    void RefreshDeviceName();
    bool IsReservedKey(int key) const;
    unsigned GetReservedMouseMask() const;

    CBitSet m_firing;
    CBitSet m_raw;
    CBitSet m_rawByKey;
    CBitSet m_previous;
    std::vector<int> m_reservedKeys;
    std::vector<unsigned> m_reservedMouseBits;
    ChangedCallback m_changedCallback = nullptr;
    void* m_changedContext = nullptr;
    std::vector<Binding> m_bindings;
    std::vector<Binding> m_dialogCopy;
    std::vector<Binding> m_undoCopy;
    bool m_mouseEnabled = false;
    bool m_joystickEnabled = false;
    bool m_joystickActive = false;
    bool m_limitToCircle = true;
    float m_analogX = 0.0f;
    float m_analogY = 0.0f;
    uint32_t m_frameTime = 0;
    std::unique_ptr<CJoystick> m_joystick;
    bool m_capturing = false;
    // Sets capturing a binding now.
    static int s_capturingSets;
    // The mouse's press counts at the last poll or capture step.
    CMouse::PressCounts m_seenPresses = g_mouse.GetPressCounts();
    Binding m_savedBinding;
    char m_deviceName[257] = {};
    uint32_t m_nextControllerCheck = 0;
    bool m_hasConfiguration = false;
    int m_playerIndex = 0;
};
