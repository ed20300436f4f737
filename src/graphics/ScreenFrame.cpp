#include "graphics/ScreenFrame.h"

#include "blit/ColorPacking.h"
#include "foundation/ConfigFile.h"
#include "foundation/Win32Services.h"
#include "graphics/Color.h"
#include "graphics/PaletteTable.h"
#include "graphics/ScreenMode.h"
#include "platform/Backend.h"

#include <algorithm>
#include <cmath>
#include <cstring>

IMPLEMENT_CLASS_RECORD(CScreenFrame, CFrame, 1.0f)

void CScreenFrame::AddProperties(CClassRecord*)
{
}

namespace {

CScreenFrame* s_displayFrame = nullptr;

// Lost pages are restored and the lock tried again this many times before drawing gives up.
constexpr int kLockAttempts = 100;

CPaletteTable* GetDisplayFramePalette()
{
    return s_displayFrame ? s_displayFrame->GetPalette() : nullptr;
}

} // namespace

CScreenFrame::CScreenFrame()
{
    InitOwnProperties();
    CPaletteTable* palette = GetPalette();
    palette->Create(1);
    std::memset(palette->GetData(), 0, palette->GetSize());
    MakeFadePalettes();
    s_displayFrame = this;
    CColor::SetDisplayPaletteGetter(&GetDisplayFramePalette);
}

CScreenFrame::~CScreenFrame()
{
    ReleaseSurfaces();
    if (s_displayFrame == this)
        s_displayFrame = nullptr;
    DestroyOwnProperties();
}

CScreenFrame* CScreenFrame::GetDisplayFrame()
{
    return s_displayFrame;
}

// The frame's own operation, locking around it when the caller holds no lock. The operation runs
// even when the lock fails: with no pixels it draws nothing and reads nothing.
template <class Draw> auto CScreenFrame::UnderLock(Draw&& draw) const
{
    auto* self = const_cast<CScreenFrame*>(this);
    if (m_locked)
        return draw();
    const bool locked = self->Lock() == kLockDone;
    struct Unlocker
    {
        CScreenFrame* frame;
        bool locked;
        ~Unlocker()
        {
            if (locked)
                frame->Unlock();
        }
    } unlocker{self, locked};
    return draw();
}

bool CScreenFrame::Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                        CBlitter* blitter)
{
    return UnderLock(
        [&] { return CFrame::Blit(source, sourceRect, destinationRect, ScreenBlitterFor(blitter, source)); });
}

void CScreenFrame::ClearRect(const CIntRect& rect)
{
    ColorFillRect(rect, nullptr);
}

void CScreenFrame::Clear()
{
    CIntRect bounds;
    GetBounds(bounds);
    ClearRect(bounds);
}

void CScreenFrame::FillWithColor(const CColor& color)
{
    CIntRect bounds;
    GetBounds(bounds);
    FillRect(bounds, color);
}

void CScreenFrame::FillRect(const CIntRect& rect, const CColor& color)
{
    ColorFillRect(rect, &color);
}

void CScreenFrame::DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    UnderLock([&] {
        MarkChangedWide(std::min(x0, x1), std::min(y0, y1), int64_t{std::max(x0, x1)} + 1,
                        int64_t{std::max(y0, y1)} + 1);
        CFrame::DrawLine(x0, y0, x1, y1, color);
    });
}

void CScreenFrame::DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    UnderLock([&] {
        // The soft edge reaches a pixel past the end points; NaN ends mark nothing and draw nothing.
        auto edge = [](float v, float by) {
            return std::isfinite(v) ? static_cast<int64_t>(std::clamp(v + by, -4e9f, 4e9f)) : int64_t{0};
        };
        MarkChangedWide(edge(std::min(x0, x1), -2.0f), edge(std::min(y0, y1), -2.0f), edge(std::max(x0, x1), 3.0f),
                        edge(std::max(y0, y1), 3.0f));
        CFrame::DrawAntialiasedLine(x0, y0, x1, y1, color);
    });
}

bool CScreenFrame::GetPixelColor(int32_t x, int32_t y, CColor& out) const
{
    return UnderLock([&] { return CFrame::GetPixelColor(x, y, out); });
}

uint32_t CScreenFrame::GetRawPixel(int32_t x, int32_t y) const
{
    return UnderLock([&] { return CFrame::GetRawPixel(x, y); });
}

void CScreenFrame::SetPixel(int32_t x, int32_t y, const CColor& color)
{
    UnderLock([&] {
        MarkChangedWide(x, y, int64_t{x} + 1, int64_t{y} + 1);
        CFrame::SetPixel(x, y, color);
    });
}

void CScreenFrame::ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table)
{
    UnderLock([&] {
        MarkChanged(rect);
        CFrame::ApplyRemapTableToRect(rect, table);
    });
}

void CScreenFrame::FillWithByte(uint8_t value)
{
    UnderLock([&] {
        CIntRect bounds;
        GetBounds(bounds);
        MarkChanged(bounds);
        CFrame::FillWithByte(value);
    });
}

bool CScreenFrame::BlitUnclipped(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                                 CBlitter* blitter)
{
    // Pixel coordinates, already clipped.
    if (m_pixels)
        platform::GetDisplay().MarkChanged(
            {destinationRect.m_left, destinationRect.m_top, destinationRect.m_right, destinationRect.m_bottom});
    return CFrame::BlitUnclipped(source, sourceRect, destinationRect, blitter);
}

void CScreenFrame::MarkChanged(const CIntRect& rect)
{
    MarkChangedWide(rect.m_left, rect.m_top, rect.m_right, rect.m_bottom);
}

void CScreenFrame::MarkChangedWide(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    if (!m_pixels)
        return;
    auto toPage = [](int64_t v, int64_t origin, int64_t size) {
        return static_cast<int>(std::clamp<int64_t>(v - origin, 0, size));
    };
    platform::GetDisplay().MarkChanged({toPage(left, m_left, m_width), toPage(top, m_top, m_height),
                                        toPage(right, m_left, m_width), toPage(bottom, m_top, m_height)});
}

void CScreenFrame::DrawRectOutline(const CIntRect& rect, const CColor& color)
{
    UnderLock([&] { CFrameInterface::DrawRectOutline(rect, color); });
}

void CScreenFrame::DrawBevelRect(const CIntRect& rect, const CColor& light, const CColor& dark)
{
    UnderLock([&] { CFrameInterface::DrawBevelRect(rect, light, dark); });
}

bool CScreenFrame::ColorFillRect(const CIntRect& rect, const CColor* color)
{
    CIntRect clipped = rect;
    CIntRect bounds;
    GetBounds(bounds);
    if (!ClipRectToBounds(bounds, clipped))
        return false;
    // Suspended drawing (the flag without a lock) fills nothing either.
    if (m_locked && !m_pixels)
        return false;
    uint32_t value = 0;
    if (color) {
        switch (GetBitsPerPixel()) {
        case 8: value = color->GetPaletteIndex(); break;
        case 16: {
            const uint32_t p = color->GetPixel16();
            value = m_is565 ? p : ((p >> 1) & 0x7FE0) | (p & 0x1F);
            break;
        }
        case 24: {
            const uint8_t* bytes = color->GetPixel24();
            value = bytes[0] | (bytes[1] << 8) | (static_cast<uint32_t>(bytes[2]) << 16);
            break;
        }
        case 32: value = color->GetPixel32(); break;
        default: break;
        }
    }
    const bool wasLocked = m_pixels != nullptr;
    if (wasLocked)
        Unlock();
    const bool filled =
        platform::GetDisplay().Fill(clipped.m_left, clipped.m_top, clipped.m_right, clipped.m_bottom, value);
    if (wasLocked)
        Lock();
    return filled;
}

void CScreenFrame::ReleaseSurfaces()
{
    platform::Display& display = platform::GetDisplay();
    if (m_deviceOpen && m_pagesMade) {
        for (uint32_t i = 0; i < m_backBufferCount + 1; ++i) {
            Clear();
            Present();
        }
    }
    // A real lock ends with the pages; suspended drawing stays suspended.
    if (m_pixels)
        Unlock();
    if (m_pagesMade)
        display.ReleasePages();
    m_pagesMade = false;
    if (m_deviceOpen)
        display.Close();
    m_deviceOpen = false;
}

int CScreenFrame::Lock()
{
    if (m_pixels)
        return kLockDone;
    if (m_locked)
        return kLockSuspended;
    platform::Display& display = platform::GetDisplay();
    int result = kLockFailed;
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        if (display.IsLost() && !display.Restore()) {
            result = kLockLost;
            continue;
        }
        uint8_t* pixels = nullptr;
        int pitch = 0;
        if (display.Lock(pixels, pitch)) {
            // Every drawing operation of the frame reports what it changes.
            display.MarkChanged({});
            m_locked = true;
            m_pixels = pixels;
            m_lockPitch = pitch;
            return kLockDone;
        }
        result = kLockFailed;
    }
    return result;
}

void CScreenFrame::Unlock()
{
    if (!m_locked)
        return;
    if (m_pixels)
        platform::GetDisplay().Unlock();
    m_pixels = nullptr;
    m_locked = false;
}

bool CScreenFrame::Present()
{
    platform::Display& display = platform::GetDisplay();
    if (m_fullScreen) {
        if (m_locked || !display.Present())
            return false;
    } else {
        if (!m_pagesMade)
            return false;
        display.Present();
    }
    if (++m_pageIndex > m_backBufferCount)
        m_pageIndex = 0;
    return true;
}

void CScreenFrame::ClearPage()
{
    if (CPaletteTable* current = GetCurrentPaletteRef(); current && !current->IsEmpty()) {
        CColor nearBlack;
        nearBlack.ConstructRgba(0, 0, 1, 255);
        FillWithColor(nearBlack);
    } else {
        Clear();
    }
}

void CScreenFrame::ClearAllPages()
{
    for (uint32_t i = 0; i < m_pageCount; ++i) {
        ClearPage();
        Present();
    }
}

void CScreenFrame::BeginGdiMode()
{
    if (!m_deviceOpen || m_locked)
        return;
    m_locked = true;
    if (!m_fullScreen || platform::GetDisplay().FlipToSystemSurface())
        return;
    // The windowed pages size the window to the mode themselves.
    ReleaseSurfaces();
    m_fullScreen = false;
    int32_t width = m_width, height = m_height;
    if (!SetDisplayMode(width, height, 8, GetDisplayBitsPerPixel()))
        FatalExit("FATAL ERROR", "Couldn't set the screen full screen.");
}

void CScreenFrame::EndGdiMode()
{
    if (m_deviceOpen && m_locked && !m_pixels)
        m_locked = false;
}

bool CScreenFrame::FindDisplayMode(int32_t& width, int32_t& height) const
{
    for (uint32_t i = 0; i < m_modeCount; ++i) {
        const int64_t w = m_modes[i].m_width, h = m_modes[i].m_height;
        if (w == width && h == height)
            return true;
        if (width <= w && height <= h) {
            width = static_cast<int32_t>(w);
            height = static_cast<int32_t>(h);
            return false;
        }
    }
    width = 0;
    height = 0;
    return false;
}

bool CScreenFrame::CollectDisplayMode(const platform::DisplayMode& mode, int32_t depth)
{
    const float shape = static_cast<float>(mode.width) / static_cast<float>(mode.height);
    const bool keptSize = (mode.width == 640 && mode.height == 480) || (mode.width == 800 && mode.height == 600);
    if (mode.bitsPerPixel == depth && shape > 1.233333f && shape < 1.433333f && keptSize && m_modeCount < kMaxModes)
        m_modes[m_modeCount++] = {static_cast<uint32_t>(mode.width), static_cast<uint32_t>(mode.height),
                                  static_cast<uint32_t>(mode.bitsPerPixel)};
    return true;
}

void CScreenFrame::RemoveDuplicateModes()
{
    uint32_t i = 0;
    while (i + 1 < m_modeCount) {
        if (m_modes[i].m_width == m_modes[i + 1].m_width && m_modes[i].m_height == m_modes[i + 1].m_height) {
            std::copy(m_modes + i + 1, m_modes + m_modeCount, m_modes + i);
            --m_modeCount;
        } else {
            ++i;
        }
    }
}

bool CScreenFrame::FailSetUp(int32_t& width, int32_t& height)
{
    ReleaseSurfaces();
    width = 0;
    height = 0;
    return false;
}

bool CScreenFrame::CreateSurfaces(int32_t width, int32_t height, int32_t depth)
{
    platform::Display& display = platform::GetDisplay();
    const platform::DisplayMode mode{width, height, depth};
    if (!m_fullScreen) {
        m_backBufferCount = 0;
        return display.CreatePages(mode, 0, false);
    }
    // A chain of two back buffers in video memory, else one, else one in system memory.
    m_backBufferCount = 2;
    if (display.CreatePages(mode, 2, true)) {
        m_inVideoMemory = true;
        return true;
    }
    m_backBufferCount = 1;
    if (display.CreatePages(mode, 1, true)) {
        m_inVideoMemory = true;
        return true;
    }
    return display.CreatePages(mode, 1, false);
}

void CScreenFrame::RefuseWindowOnDesktopDepth(int32_t dataDepth, int32_t desktopDepth)
{
    if (dataDepth == 8 && (desktopDepth == 24 || desktopDepth == 32))
        FatalExit("BAD SCREEN MODE",
                  "You are tring to run it 8 bit mode.  You must set your screen to 256 (8-bit), 32768 (15-bit), "
                  "or 65536 (16-bit) color mode before running this application in a window.");
    if (dataDepth == 16 && desktopDepth != 16)
        FatalExit("BAD SCREEN MODE", "You are trynig to run in 16 bit.  Y must set your screen to 16 bit, 65536 "
                                     "colors, before running this application.");
    if (dataDepth == 24 && desktopDepth != 24 && desktopDepth != 32)
        FatalExit("BAD SCREEN MODE", "You are trying run in 24 bit windowed mode.  You must set your screen 24 "
                                     "bit, millions of colors, before running this application.");
}

void CScreenFrame::BuildModeTable(int32_t depth)
{
    m_modeCount = 0;
    for (const platform::DisplayMode& mode : platform::GetDisplay().GetModes(depth))
        CollectDisplayMode(mode, depth);
    std::sort(m_modes, m_modes + m_modeCount, [](const CDisplayModeEntry& a, const CDisplayModeEntry& b) {
        return a.m_width != b.m_width ? a.m_width < b.m_width : a.m_height < b.m_height;
    });
    RemoveDuplicateModes();
}

void CScreenFrame::ReadPixelLayout()
{
    m_is565 = platform::GetDisplay().GetGreenMask() == platform::kGreenMask565;
    // The setting is written back as read, so that it exists after every start.
    const int legacy = ReadConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), "Use Legacy Color Mode2", 0);
    WriteConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), "Use Legacy Color Mode2", legacy ? 1 : 0);
    if (legacy)
        m_is565 = !m_is565;
}

bool CScreenFrame::SetDisplayMode(int32_t& width, int32_t& height, int32_t fullScreenDepth, int32_t dataDepth)
{
    platform::Display& display = platform::GetDisplay();
    m_inVideoMemory = false;
    if (static_cast<int32_t>(GetBitsPerPixel()) == fullScreenDepth && m_width == width && m_height == height &&
        m_deviceOpen && m_pagesMade)
        return true;
    ReleaseSurfaces();

    // Pages of any depth are converted when shown, so the desktop takes the data's depth and a
    // window is refused only where a desktop really shows one depth alone.
    display.SetDataDepth(dataDepth);
    int32_t depth = fullScreenDepth;
    if (!m_fullScreen) {
        depth = GetScreenBitDepth();
        RefuseWindowOnDesktopDepth(dataDepth, depth);
    }

    if (!m_deviceOpen) {
        if (!display.Open())
            return FailSetUp(width, height);
        m_deviceOpen = true;
    }
    const bool cooperating = display.SetFullScreen(m_fullScreen);

    BuildModeTable(depth);
    FindDisplayMode(width, height);
    if (width == 0 || height == 0 || !cooperating)
        return FailSetUp(width, height);
    if (m_fullScreen && !display.SetMode({width, height, depth}))
        return FailSetUp(width, height);
    if (!CreateSurfaces(width, height, depth))
        return FailSetUp(width, height);
    m_pagesMade = true;

    // The pitch is read once: every page keeps it for life, so the row table is built once.
    uint8_t* pixels = nullptr;
    int pitch = display.GetPitch();
    if (display.Lock(pixels, pitch))
        display.Unlock();
    m_lockPitch = pitch;
    m_width = static_cast<uint16_t>(width);
    m_height = static_cast<uint16_t>(height);
    SetDepthFlags(static_cast<uint32_t>(depth));

    if (depth == 16)
        ReadPixelLayout();

    const int bytes = static_cast<int>(GetBytesPerPixel());
    UpdateDerivedSizes(static_cast<uint32_t>(bytes > 0 ? pitch / bytes : pitch), true);

    CPaletteTable* palette = GetPalette();
    if (palette->GetKind() != 1 || palette->IsEmpty())
        palette->Create(1);
    SetPaletteEntries(palette, true);

    m_pageCount = m_backBufferCount + 2;
    ClearAllPages();
    return true;
}
