#pragma once
// Tactile effects played by name on a force-feedback mouse and a force-feedback joystick. The
// effects are described in the project "ForceFeedback.ifr", read only when such a device exists.
// Without a device, or without the project, every operation does nothing and answers false.
//
// A device mask selects the devices: kMouse, kJoystick, and kPlayerDevice, which stands for the
// device of the given player's control set (the joystick when the set has a controller, else the
// mouse). An effect the project lacks under its own name is looked up with " Mouse" or
// " Joystick" appended for that device.
#include "foundation/SharedString.h"
#include "platform/ForceFeedback.h"

#include <memory>
#include <vector>

class CForceFeedbackEffect;
class CForceFeedbackProject;
class CPlayerControls;

class CForceFeedback
{
public:
    static constexpr uint32_t kMouse = 1;
    static constexpr uint32_t kJoystick = 2;
    static constexpr uint32_t kPlayerDevice = 4;
    static constexpr const char* kProjectFile = "ForceFeedback.ifr";

    // The one instance, over the platform's devices, created on first use.
    static CForceFeedback* GetInstance();

    // Opens the devices, reads the project when one opened, and starts "No Effect" on each device.
    explicit CForceFeedback(platform::ForceFeedback& devices);
    virtual ~CForceFeedback();
    CForceFeedback(const CForceFeedback&) = delete;
    CForceFeedback& operator=(const CForceFeedback&) = delete;

    // A handle bound to a new entry for the name; the entry goes with the handle.
    virtual CForceFeedbackEffect* CreateEffectHandle(const char* name);
    // Starts the effect (repeating until stopped). False when it already plays, or no selected
    // device started it.
    virtual bool StartEffect(const char* name, const CPlayerControls* controls, uint32_t mask);
    // True when the effect played on a selected device and was stopped.
    virtual bool StopEffect(const char* name, const CPlayerControls* controls, uint32_t mask);
    virtual bool IsEffectPlaying(const char* name, const CPlayerControls* controls, uint32_t mask);
    virtual bool HasDevice(const CPlayerControls* controls, uint32_t mask);
    virtual bool IsEnabled() const { return m_enabled; }
    // Disabling stops every effect; enabling restarts none.
    virtual void SetEnabled(bool enabled);
    // Called once per update; nothing to do.
    virtual void Update() {}

    bool IsAvailable() const { return m_available; }

    // The entry operations behind the handles (index of the entry).
    bool StartEntry(uint32_t index, const CPlayerControls* controls, uint32_t mask);
    bool StopEntry(uint32_t index, const CPlayerControls* controls, uint32_t mask);
    bool IsEntryPlaying(uint32_t index, const CPlayerControls* controls, uint32_t mask);
    void DestroyEntry(uint32_t index);

private:
    struct Entry
    {
        CSharedString m_name;
        CForceFeedbackEffect* m_handle = nullptr;
        int m_effects[2] = {-1, -1}; // by device: mouse, joystick
        bool m_playing[2] = {false, false};
    };

    static constexpr platform::HapticDevice kDevices[2] = {platform::HapticDevice::Mouse,
                                                           platform::HapticDevice::Joystick};

    // The mask with kPlayerDevice replaced by the player's device.
    static uint32_t ResolveMask(const CPlayerControls* controls, uint32_t mask);
    bool HasDeviceAt(int device) const { return m_hasDevice[device]; }
    // The entry of that name without a handle, or -1.
    int FindEntry(const char* name) const;
    uint32_t AddEntry(const char* name);
    // The device's effect for the name (or the name with the device's suffix); -1 when none.
    int CreateDeviceEffect(int device, const char* name);
    Entry* GetEntry(uint32_t index) const;
    // Runs act(entry, device) for each device of the mask that exists; true when any act was.
    template <class Act>
    bool ForSelectedDevices(uint32_t index, const CPlayerControls* controls, uint32_t mask, Act act);
    void CloseDevices();

    platform::ForceFeedback& m_devices;
    bool m_enabled = true;
    bool m_available = false;
    bool m_hasDevice[2] = {false, false};
    std::unique_ptr<CForceFeedbackProject> m_project;
    std::vector<Entry*> m_entries; // a freed slot is null and reused
};
