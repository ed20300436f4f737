#include "app/PlayerControls.h"

#include "app/Joystick.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "foundation/ConfigFile.h"
#include "foundation/LocalizedString.h"
#include "objects/DataNames.h"
#include "platform/Time.h"
#include "sound/SoundList.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

CLocalizedString s_noJoystick("NO JOYSTICK");
CLocalizedString s_wheelDown("Wheel Down");
CLocalizedString s_wheelUp("Wheel Up");
CLocalizedString s_mouseButton("Mouse Button");

const char* const kOptions = "Options";
const char* const kErrorSound = dataname::sound::kPlayerError;

// The analog direction: the mouse's offset from the centre of the 640 x 480 screen, and the
// joystick's stick beyond its own small dead zone.
constexpr float kMouseCentreX = 320.0f;
constexpr float kMouseCentreY = 240.0f;
constexpr float kMouseScale = 0.005f;
constexpr float kMouseRadius = 200.0f;
constexpr float kStickThreshold = 0.15f;

// Joystick inputs a capture takes: buttons and hat, not the stick's directions.
constexpr uint32_t kCaptureJoystickBits = 0x0FFFFFFF;

// Whether the tick count has passed moment, which was set at most window ms ahead of it. The count
// wraps every 49.7 days, so the distance is taken modulo 2^32: a moment that lies further ahead
// than it was ever set has been passed (before the wrap, or long ago).
bool HasPassed(uint32_t time, uint32_t moment, uint32_t window)
{
    return moment - time > window;
}

} // namespace

CPlayerControls::CPlayerControls(bool hasConfiguration, int playerIndex, int defaultControllerId, int actionCount)
    : m_hasConfiguration(hasConfiguration), m_playerIndex(playerIndex)
{
    if (actionCount < 0)
        actionCount = 0;
    m_bindings.resize(static_cast<size_t>(actionCount));
    m_firing.Resize(actionCount);
    m_raw.Resize(actionCount);
    m_rawByKey.Resize(actionCount);
    m_previous.Resize(actionCount);
    m_mouseEnabled = hasConfiguration && playerIndex == 0;
    int id = defaultControllerId;
    if (hasConfiguration)
        id = ReadConfigInt(g_configFile.GetPath(), kOptions, (GetPrefix() + "Controler ID Number").c_str(),
                           defaultControllerId + 1) - 1;
    SelectController(id);
    m_nextControllerCheck = platform::GetTickCount() + kControllerCheckMilliseconds;
    m_reservedKeys = {1, 59, 68};
    m_undoCopy = m_bindings;
    m_dialogCopy = m_bindings;
}

CPlayerControls::~CPlayerControls()
{
    SetCapturing(false);
}

int CPlayerControls::s_capturingSets = 0;

void CPlayerControls::SetCapturing(bool capturing)
{
    if (capturing == m_capturing)
        return;
    m_capturing = capturing;
    s_capturingSets += capturing ? 1 : -1;
}

void CPlayerControls::DefineAction(int index, const char* groupName, const char* actionName, int repeatKind,
                                   uint32_t repeatPeriod, uint32_t minimumGap, uint8_t flag)
{
    if (index < 0 || index >= GetActionCount())
        return;
    Binding& binding = m_bindings[static_cast<size_t>(index)];
    binding.groupName = groupName;
    binding.actionName = actionName;
    binding.repeatKind = repeatKind;
    binding.repeatPeriod = repeatPeriod;
    binding.minimumGap = minimumGap;
    binding.flag = flag;
}

const char* CPlayerControls::GetActionName(int index) const
{
    return index >= 0 && index < GetActionCount() ? m_bindings[static_cast<size_t>(index)].actionName : nullptr;
}

const char* CPlayerControls::GetGroupName(int index) const
{
    return index >= 0 && index < GetActionCount() ? m_bindings[static_cast<size_t>(index)].groupName : nullptr;
}

std::string CPlayerControls::GetPrefix() const
{
    if (m_playerIndex == 0)
        return {};
    return "Player " + std::to_string(m_playerIndex + 1) + " ";
}

CSharedString CPlayerControls::GetSectionName() const
{
    const std::string section = GetPrefix() + m_deviceName + " Control Configuration";
    return CSharedString(section.c_str());
}

void CPlayerControls::RefreshDeviceName()
{
    const char* name = m_joystick ? m_joystick->GetName().CStr() : s_noJoystick.CStr();
    std::snprintf(m_deviceName, sizeof m_deviceName, "%s", name);
}

void CPlayerControls::SelectController(int id)
{
    m_joystick.reset();
    if (id >= 0)
        m_joystick = std::make_unique<CJoystick>(static_cast<unsigned>(id));
    m_joystickEnabled = id >= 0;
    m_joystickActive = false;
    RefreshDeviceName();
    if (m_hasConfiguration)
        WriteConfigInt(g_configFile.GetPath(), kOptions, (GetPrefix() + "Controler ID Number").c_str(),
                       id >= 0 ? id + 1 : 0);
}

int CPlayerControls::GetControllerId() const
{
    return m_joystick ? static_cast<int>(m_joystick->GetId()) : -1;
}

bool CPlayerControls::CheckControllerChange()
{
    if (!m_joystick)
        return false;
    m_joystick->Open(m_joystick->GetId());
    if (std::strcmp(m_joystick->GetName().CStr(), m_deviceName) == 0)
        return false;
    SaveBindings(GetSectionName().CStr());
    LoadBindings(nullptr);
    return true;
}

bool CPlayerControls::PollControllerChange()
{
    const uint32_t now = platform::GetTickCount();
    if (static_cast<int32_t>(now - m_nextControllerCheck) < 0)
        return false;
    m_nextControllerCheck = now + kControllerCheckMilliseconds;
    return CheckControllerChange();
}

void CPlayerControls::SaveBindings(const char* section)
{
    if (!m_hasConfiguration)
        return;
    const CSharedString own = GetSectionName();
    const char* name = section ? section : own.CStr();
    for (const Binding& binding : m_bindings) {
        if (!binding.groupName || !binding.actionName)
            continue;
        const std::string key = std::string(binding.groupName) + " " + binding.actionName;
        char value[64];
        std::snprintf(value, sizeof value, "%d,%d,%d,%d", binding.key, binding.modifierKey,
                      static_cast<int>(binding.joystickMask), static_cast<int>(binding.mouseMask));
        WriteConfigString(g_configFile.GetPath(), name, key.c_str(), value);
    }
}

void CPlayerControls::LoadBindings(const char* section)
{
    if (!m_hasConfiguration)
        return;
    RefreshDeviceName();
    const CSharedString own = GetSectionName();
    const char* name = section ? section : own.CStr();
    for (Binding& binding : m_bindings) {
        if (!binding.groupName || !binding.actionName)
            continue;
        const std::string key = std::string(binding.groupName) + " " + binding.actionName;
        char value[256] = "";
        ReadConfigString(g_configFile.GetPath(), name, key.c_str(), value, sizeof value);
        int fields[4] = {};
        // A missing or unreadable entry keeps the binding as it is.
        if (std::sscanf(value, "%d,%d,%d,%d", &fields[0], &fields[1], &fields[2], &fields[3]) != 4)
            continue;
        binding.key = fields[0];
        binding.modifierKey = fields[1];
        binding.joystickMask = static_cast<uint32_t>(fields[2]);
        binding.mouseMask = static_cast<uint32_t>(fields[3]);
    }
    RecomputeVetoes();
    SaveUndoCopy();
}

void CPlayerControls::RecomputeVetoes()
{
    for (size_t i = 0; i < m_bindings.size(); ++i) {
        Binding& binding = m_bindings[i];
        binding.joystickVeto = 0;
        binding.mouseVeto = 0;
        binding.vetoKey = 0;
        if (binding.repeatKind == kContinuous)
            continue;
        for (size_t j = 0; j < m_bindings.size(); ++j) {
            if (j == i)
                continue;
            const Binding& other = m_bindings[j];
            // A binding to a combination wins over a binding to part of it.
            if (binding.joystickMask & other.joystickMask)
                binding.joystickVeto |= other.joystickMask & ~binding.joystickMask;
            if (binding.mouseMask & other.mouseMask)
                binding.mouseVeto |= other.mouseMask & ~binding.mouseMask;
            // A modifier with the key wins over the key alone.
            if (other.key == binding.key)
                binding.vetoKey = other.modifierKey;
        }
    }
}

void CPlayerControls::RunChangedCallback()
{
    if (m_changedCallback)
        m_changedCallback(*this, m_changedContext);
}

void CPlayerControls::SetChangedCallback(ChangedCallback callback, void* context)
{
    m_changedCallback = callback;
    m_changedContext = context;
}

void CPlayerControls::SetBinding(int index, int key, int modifierKey, uint32_t joystickMask, uint32_t mouseMask)
{
    if (index < 0 || index >= GetActionCount())
        return;
    bool removed = false;
    for (int j = 0; j < GetActionCount(); ++j) {
        if (j == index)
            continue;
        Binding& other = m_bindings[static_cast<size_t>(j)];
        if (other.key == key && other.modifierKey == modifierKey) {
            removed |= other.key != 0 || other.modifierKey != 0;
            other.key = 0;
            other.modifierKey = 0;
        }
        if (other.joystickMask == joystickMask) {
            removed |= other.joystickMask != 0;
            other.joystickMask = 0;
        }
        if (other.mouseMask == mouseMask) {
            removed |= other.mouseMask != 0;
            other.mouseMask = 0;
        }
    }
    if (removed)
        RunChangedCallback();
    Binding& binding = m_bindings[static_cast<size_t>(index)];
    if (binding.HasInput() && !key && !modifierKey && !joystickMask && !mouseMask)
        RunChangedCallback();
    binding.key = key;
    binding.modifierKey = modifierKey;
    binding.joystickMask = joystickMask;
    binding.mouseMask = mouseMask;
    RecomputeVetoes();
}

void CPlayerControls::SetJoystickButtons(int index, uint32_t mask)
{
    if (index < 0 || index >= GetActionCount())
        return;
    const Binding& binding = m_bindings[static_cast<size_t>(index)];
    SetBinding(index, binding.key, binding.modifierKey, mask, binding.mouseMask);
}

void CPlayerControls::UpdateMouseAnalog(float& x, float& y)
{
    x = 0.0f;
    y = 0.0f;
    if (m_mouseEnabled) {
        x = static_cast<float>(g_mouse.GetX() - static_cast<int>(kMouseCentreX)) * kMouseScale;
        y = static_cast<float>(g_mouse.GetY() - static_cast<int>(kMouseCentreY)) * kMouseScale;
    }
    if (m_joystickEnabled && m_joystick) {
        const float stickX = m_joystick->GetX();
        const float stickY = m_joystick->GetY();
        if (stickX > kStickThreshold || stickX < -kStickThreshold || stickY > kStickThreshold ||
            stickY < -kStickThreshold) {
            x = stickX;
            y = stickY;
            m_joystickActive = true;
        } else if (m_joystickActive) {
            x = 0.0f;
            y = 0.0f;
            m_joystickActive = false;
        }
    }
    bool limited = false;
    if (m_limitToCircle) {
        const float lengthSquared = x * x + y * y;
        if (lengthSquared > 1.0f) {
            const float length = std::sqrt(lengthSquared);
            x /= length;
            y /= length;
            limited = true;
        }
    }
    auto clamp = [&limited](float& value) {
        if (value < -1.0f) {
            value = -1.0f;
            limited = true;
        } else if (value > 1.0f) {
            value = 1.0f;
            limited = true;
        }
    };
    clamp(x);
    clamp(y);
    // The pointer is pulled back to the edge of the circle, so that moving back answers at once.
    if (limited && m_mouseEnabled)
        g_mouse.SetPosition(static_cast<int>(std::lround(kMouseCentreX + kMouseRadius * x)),
                            static_cast<int>(std::lround(kMouseCentreY + kMouseRadius * y)));
}

void CPlayerControls::Poll(bool updateAnalog, bool ignoreMouse)
{
    m_frameTime = platform::GetTickCount();
    // A capture, of this set or another, takes the input: a key tapped for it must still be
    // pressed when the capture looks.
    if (s_capturingSets > 0)
        return;

    PollControllerChange();
    const uint32_t joystickBits = m_joystick ? m_joystick->Poll() : 0;
    uint32_t mouseBits = 0;
    // Presses are taken even while the mouse is ignored: a click on a dialog must not fire an
    // action once the dialog has gone.
    const unsigned presses = m_mouseEnabled ? g_mouse.TakePressMask(m_seenPresses) : 0u;
    if (m_mouseEnabled && !ignoreMouse) {
        // A click that came and went since the last poll counts as held for this one.
        mouseBits = g_mouse.GetButtons() | presses;
        const int notches = g_mouse.TakeWheelNotches();
        if (notches < 0)
            mouseBits |= kWheelDown;
        if (notches > 0)
            mouseBits |= kWheelUp;
    }
    float analogX = 0.0f, analogY = 0.0f;
    if (updateAnalog)
        UpdateMouseAnalog(analogX, analogY);

    CBitSet raw(GetActionCount());
    CBitSet byKey(GetActionCount());
    for (int i = 0; i < GetActionCount(); ++i) {
        bool keyDown = false;
        raw.Set(i, IsBindingDown(m_bindings[static_cast<size_t>(i)], joystickBits, mouseBits, keyDown));
        byKey.Set(i, keyDown);
    }
    g_keyboard.ClearPressed(true);

    m_raw = raw;
    m_rawByKey = byKey;
    m_firing = raw;
    m_analogX = analogX;
    m_analogY = analogY;

    const CBitSet before = m_previous;
    m_previous = raw;
    ApplyRepeatRules(before);
}

bool CPlayerControls::IsBindingDown(const Binding& binding, uint32_t joystickBits, uint32_t mouseBits, bool& byKey)
{
    // A veto key of 0 is no veto (key 0 always counts as held).
    byKey = binding.key != 0 && (binding.vetoKey == 0 || !g_keyboard.IsKeyDown(binding.vetoKey)) &&
            g_keyboard.TakeKey(binding.key) && g_keyboard.IsKeyDown(binding.modifierKey);
    if (byKey)
        return true;
    if (binding.joystickMask != 0 && (joystickBits & binding.joystickMask) == binding.joystickMask &&
        (joystickBits & binding.joystickVeto) == 0)
        return true;
    return binding.mouseMask != 0 && (mouseBits & binding.mouseMask) == binding.mouseMask &&
           (mouseBits & binding.mouseVeto) == 0;
}

void CPlayerControls::ApplyRepeatRules(const CBitSet& before)
{
    for (int i = 0; i < GetActionCount(); ++i) {
        Binding& binding = m_bindings[static_cast<size_t>(i)];
        if (!m_raw.Test(i)) {
            binding.nextRepeat = 0;
        } else if (!before.Test(i)) {
            // A new press: too soon after the last one, it does not count.
            if (!HasPassed(m_frameTime, binding.nextAllowed, binding.minimumGap) && binding.repeatKind != kContinuous) {
                m_firing.Reset(i);
            } else {
                binding.nextRepeat = m_frameTime + binding.repeatPeriod;
                binding.nextAllowed = m_frameTime + binding.minimumGap;
            }
        } else if (binding.repeatKind == kRepeatWhileHeld) {
            if (binding.nextRepeat != 0 && HasPassed(m_frameTime, binding.nextRepeat, binding.repeatPeriod))
                binding.nextRepeat = m_frameTime + binding.repeatPeriod;
            else
                m_firing.Reset(i);
        } else if (binding.repeatKind == kOncePerPress) {
            m_firing.Reset(i);
        }
    }
}

bool CPlayerControls::IsReservedKey(int key) const
{
    for (int reserved : m_reservedKeys)
        if (reserved == key)
            return true;
    return false;
}

unsigned CPlayerControls::GetReservedMouseMask() const
{
    unsigned mask = 0;
    for (unsigned bits : m_reservedMouseBits)
        mask |= bits;
    return mask;
}

bool CPlayerControls::CaptureBinding(int index, bool& cancelled)
{
    cancelled = false;
    if (index < 0 || index >= GetActionCount())
        return true;
    Binding& binding = m_bindings[static_cast<size_t>(index)];
    if (!m_capturing) {
        SetCapturing(true);
        m_savedBinding = binding;
        g_keyboard.ClearPressed();
        // Clicks before the capture (the one that started it) are not taken.
        m_seenPresses = g_mouse.GetPressCounts();
        binding.ClearInputs();
    }

    const int key = g_keyboard.TakeKeyPressExcept(binding.key);
    const uint32_t joystickBits = m_joystick ? m_joystick->Poll() & kCaptureJoystickBits : 0;
    const uint32_t mouseBits = m_mouseEnabled ? ReadCaptureMouseBits(binding) : 0;

    if (key == kKeyDelete) {
        binding.ClearInputs();
        RecomputeVetoes();
        RunChangedCallback();
        SetCapturing(false);
        return true;
    }
    if (key == kKeyEscape) {
        CancelCapture(index);
        cancelled = true;
        return true;
    }
    if (key != 0) {
        if (IsReservedKey(key)) {
            CSoundList::GetInstance().PlaySound(kErrorSound);
        } else if (binding.key && !binding.modifierKey) {
            binding.modifierKey = binding.key;
            binding.key = key;
        } else if (!binding.key) {
            binding.key = key;
        }
    }
    const Binding& saved = m_savedBinding;
    if (g_keyboard.TakeAnyKey() == 0 && binding.key)
        return EndCapture(index, binding.key, binding.modifierKey, saved.joystickMask, saved.mouseMask);
    binding.joystickMask |= joystickBits;
    if (binding.joystickMask && !joystickBits)
        return EndCapture(index, saved.key, saved.modifierKey, binding.joystickMask, saved.mouseMask);
    binding.mouseMask |= mouseBits;
    if (binding.mouseMask && !mouseBits)
        return EndCapture(index, saved.key, saved.modifierKey, saved.joystickMask, binding.mouseMask);
    return false;
}

void CPlayerControls::CancelCapture(int index)
{
    if (!m_capturing || index < 0 || index >= GetActionCount())
        return;
    m_bindings[static_cast<size_t>(index)] = m_savedBinding;
    RecomputeVetoes();
    SetCapturing(false);
}

uint32_t CPlayerControls::ReadCaptureMouseBits(const Binding& binding)
{
    const unsigned reserved = GetReservedMouseMask();
    // A click that came and went since the last step counts as down for this one.
    uint32_t bits = (g_mouse.GetButtons() | g_mouse.TakePressMask(m_seenPresses)) & ~reserved;
    const int notches = g_mouse.TakeWheelNotches();
    if (notches != 0) {
        // A wheel notch is a press without a release, so only a once-per-press action takes it.
        const unsigned direction = notches < 0 ? kWheelDown : kWheelUp;
        if (binding.repeatKind == kOncePerPress && (reserved & direction) == 0)
            bits |= direction;
        else
            CSoundList::GetInstance().PlaySound(kErrorSound);
    }
    return bits;
}

bool CPlayerControls::EndCapture(int index, int key, int modifierKey, uint32_t joystickMask, uint32_t mouseMask)
{
    SetCapturing(false);
    SetBinding(index, key, modifierKey, joystickMask, mouseMask);
    return true;
}

void CPlayerControls::GetBindingText(int index, CSharedString& out) const
{
    out = "";
    if (index < 0 || index >= GetActionCount())
        return;
    const Binding& binding = m_bindings[static_cast<size_t>(index)];
    std::string text;
    if (binding.key) {
        if (binding.modifierKey)
            text += std::string(CKeyboard::GetKeyName(binding.modifierKey).CStr()) + "+";
        text += std::string(CKeyboard::GetKeyName(binding.key).CStr()) + ", ";
    }
    if (binding.joystickMask && m_joystick) {
        CSharedString bits;
        m_joystick->GetBitsText(binding.joystickMask, bits);
        text += std::string(bits.CStr()) + ", ";
    }
    if (binding.mouseMask && m_mouseEnabled) {
        bool first = true;
        for (int bit = 0; bit <= 4; ++bit) {
            const unsigned value = 1u << bit;
            if ((binding.mouseMask & value) == 0)
                continue;
            if (!first)
                text += "+";
            first = false;
            if (value == kWheelDown) {
                text += s_wheelDown.CStr();
            } else if (value == kWheelUp) {
                text += s_wheelUp.CStr();
            } else {
                char name[128];
                std::snprintf(name, sizeof name, "%s %d", s_mouseButton.CStr(), bit + 1);
                text += name;
            }
        }
        text += ", ";
    }
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    out = text.c_str();
}

void CPlayerControls::RestoreUndoCopy()
{
    if (m_undoCopy.size() == m_bindings.size())
        m_bindings = m_undoCopy;
    RecomputeVetoes();
}

void CPlayerControls::RestoreDialogCopy()
{
    if (m_dialogCopy.size() == m_bindings.size())
        m_bindings = m_dialogCopy;
    RecomputeVetoes();
}

bool CPlayerControls::HasUnsavedChanges() const
{
    if (m_dialogCopy.size() != m_bindings.size())
        return true;
    for (size_t i = 0; i < m_bindings.size(); ++i) {
        const Binding& a = m_bindings[i];
        const Binding& b = m_dialogCopy[i];
        if (a.key != b.key || a.modifierKey != b.modifierKey || a.joystickMask != b.joystickMask ||
            a.mouseMask != b.mouseMask)
            return true;
    }
    return false;
}
