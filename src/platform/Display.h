#pragma once
// The display: a device that shows pages of one size and pixel format, full screen or in the main
// window. 8 bits are palette indices, 16 bits RGB565 (or RGB555 where GetGreenMask says so),
// 24 bits bytes B, G, R, 32 bits bytes B, G, R, A (little-endian 0xAARRGGBB).
//
// Pages live in ordinary memory: a ring of back buffer count + 1 pages of one size, depth and
// pitch for their whole life. They are readable and keep their contents across presents, because
// the engine keeps per-page records of what each page shows. Lock gives the back page (the page
// drawn next); a full-screen present shows it and makes the next page of the ring the back page,
// so the back page is always the one shown back buffer count + 1 presents ago. A windowed present
// copies the one page, stretched, into the window.
#include "platform/PixelRect.h"

#include <array>
#include <cstdint>
#include <vector>

namespace platform {

struct DisplayMode
{
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;

    bool operator==(const DisplayMode&) const = default;
};

struct PaletteEntry
{
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;

    bool operator==(const PaletteEntry&) const = default;
};

// A rectangle of page pixels.
using PageRect = PixelRect;

// The 16-bit layouts, by their green mask.
constexpr uint32_t kGreenMask565 = 0x07E0;
constexpr uint32_t kGreenMask555 = 0x03E0;

class Display
{
public:
    virtual ~Display() = default;

    // The device. Open makes it (with the main window where the backend needs one); Close
    // releases the pages and the device and leaves the screen as the desktop had it.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Full screen or windowed, chosen before the pages are made. False without the device.
    virtual bool SetFullScreen(bool fullScreen) = 0;

    // The full-screen modes of a depth, ascending by width then height. Only 640 x 480 and
    // 800 x 600 are offered where the screen can show them.
    virtual std::vector<DisplayMode> GetModes(int bitsPerPixel) = 0;
    // Full screen: puts the screen into a mode of GetModes. False when it is not offered.
    virtual bool SetMode(const DisplayMode& mode) = 0;

    // Makes the ring of backBufferCount + 1 black pages (full screen: 1 or 2 back buffers; windowed:
    // 0). videoMemory asks for pages the device shows without a copy; false when the device
    // cannot make the chain asked for (the caller retries with less). An 8-bit display starts with
    // a grey-ramp palette (entry i is i, i, i).
    virtual bool CreatePages(const DisplayMode& mode, int backBufferCount, bool videoMemory) = 0;
    virtual void ReleasePages() = 0;
    virtual bool HasPages() const = 0;
    // The pages' size and depth (all 0 without pages), and their pitch in bytes: a multiple of
    // the bytes per pixel, the same for every page and for the pages' whole life.
    virtual DisplayMode GetPageMode() const = 0;
    virtual int GetPitch() const = 0;
    virtual int GetBackBufferCount() const = 0;

    // Gives the back page's pixels until Unlock. False without pages, when already locked or
    // while the pages are lost. A lock counts as drawing on the whole page, unless the locker says
    // what it drew with MarkChanged before Unlock: presents then convert and show only that.
    virtual bool Lock(uint8_t*& pixels, int& pitchBytes) = 0;
    virtual void Unlock() = 0;
    // While locked: the locker drew into the back page's rectangle (clipped to the page; an empty
    // one says only that the locker reports its drawing). Ignored when not locked.
    virtual void MarkChanged(const PageRect& rect) = 0;
    virtual bool IsLocked() const = 0;

    // Lost pages (their memory was taken by the system) read black until Restore.
    virtual bool IsLost() const = 0;
    virtual bool Restore() = 0;

    // Sets every pixel of the back page's rectangle {left, top, right, bottom} (right and bottom
    // exclusive, clipped to the page) to the raw value: an index, a 16-bit value, B, G, R or
    // B, G, R, A in the low bytes. Works whether the page is locked or not; false without pages
    // or while they are lost.
    virtual bool Fill(int left, int top, int right, int bottom, uint32_t value) = 0;

    // Full screen: shows the back page and moves the ring on. Windowed: copies the page into the
    // window, stretched. Only what changed since the screen last showed it is converted. False
    // without pages, while locked or lost.
    virtual bool Present() = 0;

    // Lets system windows show over a full-screen display. False when the display cannot.
    virtual bool FlipToSystemSurface() = 0;

    // Sets palette entries of an 8-bit display; the picture on screen changes at once.
    virtual void SetPalette(int first, int count, const PaletteEntry* entries) = 0;
    // Entries of the system palette: the 20 reserved colours at 0-9 and 246-255, the display's
    // own entries elsewhere. Entries outside 0..255 are left as they are.
    virtual void GetSystemPaletteEntries(int first, int count, PaletteEntry* entries) = 0;

    // The layout of 16-bit pages: kGreenMask565 or kGreenMask555. Presents read 16-bit pages in it.
    virtual uint32_t GetGreenMask() const = 0;

    // The depth of the data the program draws. Every depth is converted when it is shown, so the
    // desktop counts as having this depth (0: the desktop's own).
    virtual void SetDataDepth(int bitsPerPixel) = 0;
    virtual int GetDataDepth() const = 0;
};

// Bytes per pixel of a depth (8, 16, 24, 32), 0 for any other.
int BytesPerPixel(int bitsPerPixel);

// The pitch in bytes of pages of this width and depth: whole pixels, rows 4-byte aligned. 0 for
// unknown depths.
int PagePitch(int width, int bitsPerPixel);

// The colour a system palette reserves at index i (0-9 and 246-255); false for other indices.
bool GetStaticSystemColor(int index, PaletteEntry& entry);

// GetSystemPaletteEntries over a display's own palette.
void ReadSystemPaletteEntries(const std::array<PaletteEntry, 256>& palette, int first, int count, PaletteEntry* entries);

} // namespace platform
