#include "graphics/DIBFrame.h"

IMPLEMENT_CLASS_RECORD(CDIBFrame, CFrame, 1.0f)

void CDIBFrame::AddProperties(CClassRecord*)
{
}

CDIBFrame::CDIBFrame()
{
    InitOwnProperties();
}

CDIBFrame::~CDIBFrame()
{
    m_pixels = nullptr;
    if (m_release)
        m_release(m_owner);
    m_release = nullptr;
    DestroyOwnProperties();
}

bool CDIBFrame::Attach(uint8_t* pixels, uint32_t width, uint32_t height, uint32_t depth, uint32_t pitch,
                       ReleaseFunction release, void* owner)
{
    m_pixels = nullptr; // not ours: FreePixels must not free it
    if (m_release)
        m_release(m_owner);
    m_release = nullptr;
    FreePixels();
    const bool knownDepth = depth == 8 || depth == 16 || depth == 24 || depth == 32;
    if (!pixels || !knownDepth || width > 0xFFFF || height > 0xFFFF || pitch < width)
        return false;
    m_pixels = pixels;
    m_width = static_cast<uint16_t>(width);
    m_height = static_cast<uint16_t>(height);
    SetDepthFlags(depth);
    UpdateDerivedSizes(pitch, true);
    m_release = release;
    m_owner = owner;
    return true;
}
