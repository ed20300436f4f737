#pragma once
// The SDL display: the page is a memory buffer of the mode's size and format; a present uploads it
// to a streaming texture scaled into the window, letterboxed (SDL maps mouse positions back to the
// mode's pixels).
#include "platform/Display.h"

#include <array>
#include <cstdint>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform::sdl {

class SdlBackend;

class SdlDisplay : public Display
{
public:
    explicit SdlDisplay(SdlBackend& backend) : m_backend(backend) {}
    ~SdlDisplay() override;

    std::vector<DisplayMode> GetModes(int bitsPerPixel) override;
    bool SetMode(const DisplayMode& mode) override;
    DisplayMode GetMode() const override { return m_mode; }
    bool HasMode() const override { return m_texture != nullptr; }
    bool Lock(uint8_t*& pixels, int& pitchBytes) override;
    void Unlock() override { m_locked = false; }
    bool IsLocked() const override { return m_locked; }
    bool Present() override;
    void SetPalette(int first, int count, const PaletteEntry* entries) override;

    // The window went away: the texture belongs to its renderer.
    void ReleaseTexture();

private:
    SdlBackend& m_backend;
    DisplayMode m_mode;
    SDL_Texture* m_texture = nullptr;
    int m_pitch = 0;
    bool m_locked = false;
    std::vector<uint8_t> m_page;
    std::vector<uint32_t> m_converted;
    std::array<uint32_t, 256> m_palette{};
};

} // namespace platform::sdl
