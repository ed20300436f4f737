#pragma once
// A frame drawing into pixel memory that belongs to someone else (a bitmap of the system, a
// buffer shared with another library). The frame never frees that memory: when the frame goes,
// it calls the owner's release function instead.
//
// The one rule: operations that reallocate pixels (Create, the loaders) must not be used on it.
#include "graphics/Frame.h"

class CDIBFrame : public CFrame
{
    DECLARE_CLASS_RECORD(CDIBFrame)

    using ReleaseFunction = void (*)(void* owner);

    CDIBFrame();
    // Clears the pixel pointer, calls the release function, then frees the frame's own tables.
    ~CDIBFrame() override;

    // Releases memory attached before, then makes the new memory the frame's plain pixels: width x height pixels of depth bits (8, 16, 24
    // or 32), rows pitch pixels apart. False, with the frame left empty, for another depth, a size
    // above 65535, a pitch below the width or null pixels.
    bool Attach(uint8_t* pixels, uint32_t width, uint32_t height, uint32_t depth, uint32_t pitch,
                ReleaseFunction release, void* owner);

private:
    ReleaseFunction m_release = nullptr;
    void* m_owner = nullptr;
};
