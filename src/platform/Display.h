#pragma once
// The display: one page of a given size and pixel format that the engine locks, draws into,
// unlocks and presents. 8 bits are palette indices, 16 bits RGB565, 24 bits bytes B, G, R,
// 32 bits bytes B, G, R, A (little-endian 0xAARRGGBB).
#include <cstdint>
#include <vector>

namespace platform {

struct DisplayMode
{
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool fullScreen = false;

    bool operator==(const DisplayMode&) const = default;
};

struct PaletteEntry
{
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

class Display
{
public:
    virtual ~Display() = default;

    // The modes the display can show at this depth, ascending by width then height.
    virtual std::vector<DisplayMode> GetModes(int bitsPerPixel) = 0;

    // Sets the mode; the page starts black. False when it cannot be set (the old mode is gone).
    virtual bool SetMode(const DisplayMode& mode) = 0;
    virtual DisplayMode GetMode() const = 0;
    virtual bool HasMode() const = 0;

    // Gives the page's pixels and its pitch in bytes until Unlock. False without a mode.
    virtual bool Lock(uint8_t*& pixels, int& pitchBytes) = 0;
    virtual void Unlock() = 0;
    virtual bool IsLocked() const = 0;

    // Shows the page (a flip in full screen, a copy scaled into the window otherwise). False when
    // there is no mode or the page is locked.
    virtual bool Present() = 0;

    // Sets palette entries for 8-bit modes (applied at the next present).
    virtual void SetPalette(int first, int count, const PaletteEntry* entries) = 0;
};

// Bytes per pixel of a depth (8, 16, 24, 32), 0 for any other.
int BytesPerPixel(int bitsPerPixel);

} // namespace platform
