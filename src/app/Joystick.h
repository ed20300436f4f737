#pragma once
// One joystick or game pad, read through the platform's joysticks and turned into two analog axes
// with dead zones and a 32-bit mask of digital inputs: buttons 1 to 24 (bits 0 to 23), the hat
// (bits 24 to 27: left, right, up, down) and the stick's directions (bits 28 to 31: left, right,
// up, down). A bit counts only once it has been seen clear since the device was opened, so an input
// held while the device opens is ignored until it is released.
#include "foundation/SharedString.h"

#include <cstdint>

class CJoystick
{
public:
    static constexpr uint32_t kHatLeft = 1u << 24;
    static constexpr uint32_t kHatRight = 1u << 25;
    static constexpr uint32_t kHatUp = 1u << 26;
    static constexpr uint32_t kHatDown = 1u << 27;
    static constexpr uint32_t kStickLeft = 1u << 28;
    static constexpr uint32_t kStickRight = 1u << 29;
    static constexpr uint32_t kStickUp = 1u << 30;
    static constexpr uint32_t kStickDown = 1u << 31;
    static constexpr uint32_t kButtonBits = 0x00FFFFFF;

    // Dead zones 0.2 on both axes, then Open.
    explicit CJoystick(unsigned deviceId);

    // Opens the device; whether it is present. Reopening the device that is already open keeps
    // the record of released inputs, so that an input held across a reopen does not drop out.
    bool Open(unsigned deviceId);
    // Stores the dead zones d and the scales 1 / (1 - d).
    void SetDeadZones(float deadZoneX, float deadZoneY);
    // Reads the device: the digital mask, and x, y, z, r.
    uint32_t Poll();

    unsigned GetId() const { return m_deviceId; }
    bool IsPresent() const { return m_present; }
    const CSharedString& GetName() const { return m_name; }
    // Stick position after the dead zone, -1 to 1 (negative: left, up).
    float GetX() const { return m_x; }
    float GetY() const { return m_y; }
    // Third axis and rudder, 0 to 1 (0 when the device lacks them).
    float GetZ() const { return m_z; }
    float GetR() const { return m_r; }
    uint32_t GetBits() const { return m_bits; }

    // The name of one bit of the mask.
    void GetButtonName(int bit, CSharedString& out) const;
    // "Joy " and the names of the set bits joined by "+"; empty for an empty mask.
    void GetBitsText(uint32_t mask, CSharedString& out) const;

private:
    unsigned m_deviceId = 0;
    float m_deadZoneX = 0.2f;
    float m_scaleX = 1.25f;
    float m_deadZoneY = 0.2f;
    float m_scaleY = 1.25f;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_z = 0.0f;
    float m_r = 0.0f;
    int m_axisOffsets[4] = {};
    float m_axisScales[4] = {};
    uint32_t m_bits = 0;
    CSharedString m_name;
    uint32_t m_released = 0;
    float m_restX = 0.0f;
    float m_restY = 0.0f;
    uint32_t m_lastMoveTime = 0;
    bool m_present = false;
    uint32_t m_instanceId = 0;   // the device opened last; 0 = none
};

// Whether the device opens and answers.
bool IsJoystickPresent(unsigned deviceId);
// The device's name; true when there is one.
bool TryGetJoystickName(unsigned deviceId, CSharedString& out);
// The device's name: 0 on success, else 166 (the device cannot be asked).
int QueryJoystickOemName(unsigned deviceId, CSharedString& out);
// The number of joystick devices the system has now.
int GetJoystickCount();
// The joystick of device 0, made on first use.
CJoystick& GetDefaultJoystick();
