#include "app/Joystick.h"

#include "foundation/LocalizedString.h"
#include "foundation/TextUtilities.h"
#include "platform/Backend.h"
#include "platform/Time.h"

#include <string>

namespace {

CLocalizedString s_button("Button");

constexpr int kJoystickCannotBeAsked = 166;
// A move larger than this counts as the stick being used.
constexpr float kLargeMove = 0.35f;
// A stick left alone this long reads centred: a worn stick that drifts must not steer forever.
constexpr uint32_t kRestMilliseconds = 30000;

const char* const kDirectionNames[8] = {"Hat Left", "Hat Right", "Hat Up", "Hat Down", "Left", "Right", "Up", "Down"};

// The raw value after the dead zone.
float ApplyDeadZone(float raw, float deadZone, float scale)
{
    if (raw < -deadZone)
        return (raw + deadZone) * scale;
    if (raw > deadZone)
        return (raw - deadZone) * scale;
    return 0.0f;
}

float Distance(float a, float b)
{
    return a > b ? a - b : b - a;
}

std::string Trimmed(const char* text)
{
    std::string s = text ? text : "";
    size_t begin = 0;
    while (begin < s.size() && IsWhitespaceChar(static_cast<unsigned char>(s[begin])))
        ++begin;
    size_t end = s.size();
    while (end > begin && IsWhitespaceChar(static_cast<unsigned char>(s[end - 1])))
        --end;
    return s.substr(begin, end - begin);
}

} // namespace

CJoystick::CJoystick(unsigned deviceId)
    : m_deviceId(deviceId)
{
    // The id is kept even when Open finds no such device: the two-second controller check reopens
    // this id, and must not take over a pad at another index.
    SetDeadZones(0.2f, 0.2f);
    Open(deviceId);
}

void CJoystick::SetDeadZones(float deadZoneX, float deadZoneY)
{
    m_deadZoneX = deadZoneX;
    m_scaleX = 1.0f / (1.0f - deadZoneX);
    m_deadZoneY = deadZoneY;
    m_scaleY = 1.0f / (1.0f - deadZoneY);
}

bool CJoystick::Open(unsigned deviceId)
{
    m_name = "No Joystick";
    const uint32_t previousInstance = m_instanceId;
    m_instanceId = 0;
    m_present = false;
    platform::Joysticks& joysticks = platform::GetJoysticks();
    const int count = joysticks.GetCount();
    if (count < 0 || static_cast<unsigned>(count) < deviceId) {
        m_released = 0;
        return false;
    }
    m_deviceId = deviceId;
    platform::JoystickCaps caps;
    platform::JoystickState state;
    if (!joysticks.Open(static_cast<int>(deviceId), caps) || !joysticks.Poll(static_cast<int>(deviceId), state)) {
        m_released = 0;
        return false;
    }
    // Another device (or the first open): nothing of it has been seen released yet.
    if (caps.instanceId == 0 || caps.instanceId != previousInstance)
        m_released = 0;
    m_instanceId = caps.instanceId;

    for (int axis = 0; axis < 4; ++axis) {
        const int range = caps.axisMax[axis] - caps.axisMin[axis];
        m_axisOffsets[axis] = -caps.axisMin[axis];
        // An absent axis (no range) reads as its rest value, not as a division by zero.
        if (range == 0)
            m_axisScales[axis] = 0.0f;
        else
            m_axisScales[axis] = (axis < 2 ? 2.0f : 1.0f) / static_cast<float>(range);
    }

    CSharedString oemName;
    QueryJoystickOemName(deviceId, oemName);
    const std::string name = Trimmed(oemName.CStr());
    m_name = name.empty() ? "Unknown Joystick" : name.c_str();
    m_present = true;
    return true;
}

uint32_t CJoystick::Poll()
{
    m_bits = 0;
    m_x = 0.0f;
    m_y = 0.0f;
    platform::JoystickState state;
    if (m_present && platform::GetJoysticks().Poll(static_cast<int>(m_deviceId), state)) {
        auto raw = [&](int axis) {
            return static_cast<float>(static_cast<int64_t>(state.axes[axis]) + m_axisOffsets[axis]) * m_axisScales[axis];
        };
        // A stick without an X or Y axis stays centred.
        const float x0 = m_axisScales[0] != 0.0f ? raw(0) - 1.0f : 0.0f;
        const float y0 = m_axisScales[1] != 0.0f ? raw(1) - 1.0f : 0.0f;
        m_z = raw(2);
        m_r = raw(3);
        m_y = ApplyDeadZone(y0, m_deadZoneY, m_scaleY);
        m_x = ApplyDeadZone(x0, m_deadZoneX, m_scaleX);

        const uint32_t now = platform::GetTickCount();
        if (m_lastMoveTime == 0) {
            m_restX = m_x;
            m_restY = m_y;
            m_lastMoveTime = now - kRestMilliseconds;
        }
        if (Distance(m_x, m_restX) > kLargeMove || Distance(m_y, m_restY) > kLargeMove) {
            m_restX = m_x;
            m_restY = m_y;
            m_lastMoveTime = now;
        }
        // The tick count wraps; the difference modulo 2^32 is the elapsed time.
        if (static_cast<uint32_t>(now - m_lastMoveTime) > kRestMilliseconds) {
            m_x = 0.0f;
            m_y = 0.0f;
        }

        if (m_x < 0.0f)
            m_bits |= kStickLeft;
        if (m_x > 0.0f)
            m_bits |= kStickRight;
        if (m_y < 0.0f)
            m_bits |= kStickUp;
        if (m_y > 0.0f)
            m_bits |= kStickDown;
        m_bits |= state.buttons & kButtonBits;

        const uint32_t pov = state.pov;
        if (pov != platform::kPovCentered) {
            if ((pov > 28500 && pov <= 36000) || pov < 7500)
                m_bits |= kHatUp;
            if (pov > 1500 && pov < 16500)
                m_bits |= kHatRight;
            if (pov > 10500 && pov < 25500)
                m_bits |= kHatDown;
            if (pov > 19500 && pov < 34500)
                m_bits |= kHatLeft;
        }
    }
    m_released |= ~m_bits;
    m_bits &= m_released;
    return m_bits;
}

void CJoystick::GetButtonName(int bit, CSharedString& out) const
{
    if (bit >= 24 && bit < 32) {
        out = kDirectionNames[bit - 24];
        return;
    }
    if (bit < 0 || bit >= 24) {
        out = "";
        return;
    }
    out.Format("%s %d", s_button.CStr(), bit + 1);
}

void CJoystick::GetBitsText(uint32_t mask, CSharedString& out) const
{
    std::string text;
    for (int bit = 0; bit < 32; ++bit) {
        if ((mask & (1u << bit)) == 0)
            continue;
        text += text.empty() ? "Joy " : "+";
        CSharedString name;
        GetButtonName(bit, name);
        text += name.CStr();
    }
    out = text.c_str();
}

int QueryJoystickOemName(unsigned deviceId, CSharedString& out)
{
    platform::Joysticks& joysticks = platform::GetJoysticks();
    const int count = joysticks.GetCount();
    if (count < 0 || static_cast<uint64_t>(deviceId) + 1 > static_cast<uint64_t>(count))
        return kJoystickCannotBeAsked;
    platform::JoystickCaps caps;
    if (!joysticks.Open(static_cast<int>(deviceId), caps)) {
        out = "";
        return kJoystickCannotBeAsked;
    }
    out = caps.name.c_str();
    return 0;
}

bool TryGetJoystickName(unsigned deviceId, CSharedString& out)
{
    return QueryJoystickOemName(deviceId, out) == 0;
}

bool IsJoystickPresent(unsigned deviceId)
{
    platform::Joysticks& joysticks = platform::GetJoysticks();
    platform::JoystickCaps caps;
    platform::JoystickState state;
    return joysticks.Open(static_cast<int>(deviceId), caps) && joysticks.Poll(static_cast<int>(deviceId), state);
}

int GetJoystickCount()
{
    return platform::GetJoysticks().GetCount();
}

CJoystick& GetDefaultJoystick()
{
    // Made on first use, after the platform is up, rather than by a static initialiser.
    static CJoystick s_joystick(0);
    return s_joystick;
}
