#pragma once
// Tactile effects played by name on a force-feedback mouse or joystick. No such device is served
// yet, so every operation does nothing, as it does on a machine without one.
class CForceFeedback
{
public:
    // The one instance, created on first use.
    static CForceFeedback* GetInstance();

    // Called once per update.
    void Update() {}

    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsAvailable() const { return false; }

private:
    CForceFeedback() = default;
    bool m_enabled = true;
};
