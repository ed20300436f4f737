#pragma once
// Force feedback: effects played by name on a device that supports them; a no-op elsewhere.
#include <cstddef>
#include <string>

namespace platform {

class ForceFeedback
{
public:
    virtual ~ForceFeedback() = default;
    virtual bool IsAvailable() = 0;
    // Loads the effect project's bytes; false when there is no device or the data is not usable.
    virtual bool LoadEffects(const void* data, size_t size) = 0;
    virtual bool PlayEffect(const std::string& name) = 0;
    virtual void StopAll() = 0;
};

// No force-feedback device: nothing is available and every effect is refused.
class NullForceFeedback : public ForceFeedback
{
public:
    bool IsAvailable() override { return false; }
    bool LoadEffects(const void*, size_t) override { return false; }
    bool PlayEffect(const std::string&) override { return false; }
    void StopAll() override {}
};

} // namespace platform
