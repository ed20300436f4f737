#pragma once
// A handle to one force-feedback effect entry, made by CForceFeedback::CreateEffectHandle. Deleting
// the handle deletes its entry. The handle's operations act on the entry as the named operations
// of CForceFeedback do; once released (the service is gone) they answer false.
#include <cstdint>

class CForceFeedback;
class CPlayerControls;

class CForceFeedbackEffect
{
public:
    CForceFeedbackEffect(CForceFeedback* owner, uint32_t index) : m_owner(owner), m_index(index) {}
    virtual ~CForceFeedbackEffect();
    CForceFeedbackEffect(const CForceFeedbackEffect&) = delete;
    CForceFeedbackEffect& operator=(const CForceFeedbackEffect&) = delete;

    virtual bool Start(const CPlayerControls* controls, uint32_t mask);
    virtual bool Stop(const CPlayerControls* controls, uint32_t mask);
    virtual bool IsPlaying(const CPlayerControls* controls, uint32_t mask);

    // The entry is no longer the handle's to use or delete.
    void Release() { m_released = true; }
    bool IsReleased() const { return m_released; }
    uint32_t GetIndex() const { return m_index; }

private:
    CForceFeedback* m_owner;
    uint32_t m_index;
    bool m_released = false;
};
