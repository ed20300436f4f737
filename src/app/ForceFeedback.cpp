#include "app/ForceFeedback.h"

#include "app/ForceFeedbackEffect.h"
#include "app/ForceFeedbackProject.h"
#include "app/PlayerControls.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "objects/DataNames.h"
#include "objects/ItemList.h"
#include "platform/Backend.h"

#include <string>

namespace {

const char* const kDeviceSuffixes[2] = {" Mouse", " Joystick"};
constexpr uint32_t kDeviceBits[2] = {CForceFeedback::kMouse, CForceFeedback::kJoystick};

} // namespace

CForceFeedback* CForceFeedback::GetInstance()
{
    static CForceFeedback s_instance(platform::GetForceFeedback());
    return &s_instance;
}

CForceFeedback::CForceFeedback(platform::ForceFeedback& devices)
    : m_devices(devices)
{
    for (int d = 0; d < 2; ++d)
        m_hasDevice[d] = m_devices.OpenDevice(kDevices[d]);
    if (!m_hasDevice[0] && !m_hasDevice[1])
        return;

    // The project is read only when a device can use it.
    CVirtualFile file;
    std::vector<uint8_t> bytes;
    if (file.Open(kProjectFile, VF_READ)) {
        bytes.resize(file.GetSize());
        bytes.resize(file.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
        file.Close();
        m_project = std::make_unique<CForceFeedbackProject>();
        if (!m_project->LoadFromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())))
            m_project.reset();
    }
    if (!m_project) {
        CloseDevices();
        return;
    }
    m_available = true;
    for (int d = 0; d < 2; ++d) {
        if (!m_hasDevice[d])
            continue;
        int index = FindEntry(dataname::forceeffect::kNoEffect);
        if (index < 0)
            index = static_cast<int>(AddEntry(dataname::forceeffect::kNoEffect));
        if (!IsEntryPlaying(static_cast<uint32_t>(index), nullptr, kDeviceBits[d]))
            StartEntry(static_cast<uint32_t>(index), nullptr, kDeviceBits[d]);
    }
}

CForceFeedback::~CForceFeedback()
{
    for (uint32_t i = 0; i < m_entries.size(); ++i) {
        if (Entry* entry = m_entries[i]) {
            if (entry->m_handle)
                entry->m_handle->Release();
            DestroyEntry(i);
        }
    }
    CloseDevices();
}

void CForceFeedback::CloseDevices()
{
    for (int d = 0; d < 2; ++d) {
        if (m_hasDevice[d])
            m_devices.CloseDevice(kDevices[d]);
        m_hasDevice[d] = false;
    }
    m_available = false;
}

uint32_t CForceFeedback::ResolveMask(const CPlayerControls* controls, uint32_t mask)
{
    if (!(mask & kPlayerDevice))
        return mask;
    mask &= ~kPlayerDevice;
    return mask | (controls && controls->GetControllerId() != -1 ? kJoystick : kMouse);
}

CForceFeedback::Entry* CForceFeedback::GetEntry(uint32_t index) const
{
    return index < m_entries.size() ? m_entries[index] : nullptr;
}

int CForceFeedback::FindEntry(const char* name) const
{
    for (uint32_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i] && !m_entries[i]->m_handle && CItemList::NamesEqual(m_entries[i]->m_name.CStr(), name))
            return static_cast<int>(i);
    return -1;
}

int CForceFeedback::CreateDeviceEffect(int device, const char* name)
{
    if (!m_available || !m_hasDevice[device])
        return -1;
    const CForceFeedbackEffectInfo* info = m_project->FindEffect(name);
    if (!info)
        info = m_project->FindEffect((std::string(name) + kDeviceSuffixes[device]).c_str());
    return info ? m_devices.CreateEffect(kDevices[device], info->GetEffect()) : -1;
}

uint32_t CForceFeedback::AddEntry(const char* name)
{
    Entry* entry = new Entry;
    entry->m_name.AssignText(name);
    for (int d = 0; d < 2; ++d)
        entry->m_effects[d] = CreateDeviceEffect(d, name);
    for (uint32_t i = 0; i < m_entries.size(); ++i) {
        if (!m_entries[i]) {
            m_entries[i] = entry;
            return i;
        }
    }
    m_entries.push_back(entry);
    return static_cast<uint32_t>(m_entries.size() - 1);
}

void CForceFeedback::DestroyEntry(uint32_t index)
{
    Entry* entry = GetEntry(index);
    if (!entry)
        return;
    for (int d = 0; d < 2; ++d)
        if (m_hasDevice[d] && entry->m_effects[d] >= 0)
            m_devices.DestroyEffect(kDevices[d], entry->m_effects[d]);
    delete entry;
    m_entries[index] = nullptr;
}

template <class Act>
bool CForceFeedback::ForSelectedDevices(uint32_t index, const CPlayerControls* controls, uint32_t mask, Act act)
{
    Entry* entry = GetEntry(index);
    if (!m_available || !entry)
        return false;
    mask = ResolveMask(controls, mask);
    bool any = false;
    for (int d = 0; d < 2; ++d)
        if (m_hasDevice[d] && (mask & kDeviceBits[d]))
            any |= act(*entry, d);
    return any;
}

bool CForceFeedback::StartEntry(uint32_t index, const CPlayerControls* controls, uint32_t mask)
{
    return m_enabled && ForSelectedDevices(index, controls, mask, [this](Entry& entry, int d) {
               entry.m_playing[d] = entry.m_effects[d] >= 0 && m_devices.StartEffect(kDevices[d], entry.m_effects[d]);
               return entry.m_playing[d];
           });
}

bool CForceFeedback::IsEntryPlaying(uint32_t index, const CPlayerControls* controls, uint32_t mask)
{
    return ForSelectedDevices(index, controls, mask, [this](Entry& entry, int d) {
        if (!entry.m_playing[d])
            return false;
        // A device that cannot tell keeps the flag as it was.
        const int status = m_devices.GetEffectStatus(kDevices[d], entry.m_effects[d]);
        if (status >= 0)
            entry.m_playing[d] = status == 1;
        return entry.m_playing[d];
    });
}

bool CForceFeedback::StopEntry(uint32_t index, const CPlayerControls* controls, uint32_t mask)
{
    return ForSelectedDevices(index, controls, mask, [this](Entry& entry, int d) {
        if (!entry.m_playing[d])
            return false;
        m_devices.StopEffect(kDevices[d], entry.m_effects[d]);
        entry.m_playing[d] = false;
        return true;
    });
}

CForceFeedbackEffect* CForceFeedback::CreateEffectHandle(const char* name)
{
    const uint32_t index = AddEntry(name ? name : "");
    auto* handle = new CForceFeedbackEffect(this, index);
    m_entries[index]->m_handle = handle;
    return handle;
}

bool CForceFeedback::StartEffect(const char* name, const CPlayerControls* controls, uint32_t mask)
{
    if (!m_available || !name)
        return false;
    int index = FindEntry(name);
    if (index < 0)
        index = static_cast<int>(AddEntry(name));
    else if (IsEntryPlaying(static_cast<uint32_t>(index), controls, mask))
        return false;
    return StartEntry(static_cast<uint32_t>(index), controls, mask);
}

bool CForceFeedback::StopEffect(const char* name, const CPlayerControls* controls, uint32_t mask)
{
    const int index = name ? FindEntry(name) : -1;
    return index >= 0 && StopEntry(static_cast<uint32_t>(index), controls, mask);
}

bool CForceFeedback::IsEffectPlaying(const char* name, const CPlayerControls* controls, uint32_t mask)
{
    const int index = name ? FindEntry(name) : -1;
    return index >= 0 && IsEntryPlaying(static_cast<uint32_t>(index), controls, mask);
}

bool CForceFeedback::HasDevice(const CPlayerControls* controls, uint32_t mask)
{
    if (!m_available)
        return false;
    mask = ResolveMask(controls, mask);
    return (m_hasDevice[0] && (mask & kMouse)) || (m_hasDevice[1] && (mask & kJoystick));
}

void CForceFeedback::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (enabled)
        return;
    for (uint32_t i = 0; i < m_entries.size(); ++i)
        StopEntry(i, nullptr, kMouse | kJoystick);
}
