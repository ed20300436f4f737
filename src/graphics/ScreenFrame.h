#pragma once
// The display surface: a frame whose pixel memory is the display's back page while it is locked.
// It chooses and sets the display mode, presents pages (a flip in full screen, a stretch into the
// window otherwise), restores lost pages, fills rectangles with the device's colour fill, and
// holds the screen's brightness, fade and 256-entry palette. One exists per process; the
// application creates it at start-up.
//
// The program starts full screen. It goes windowed only when system windows cannot be shown over
// the full-screen display (BeginGdiMode), and then stays windowed.
#include "graphics/Frame.h"

#include <cstdint>

namespace platform {
class Display;
struct DisplayMode;
} // namespace platform

struct CDisplayModeEntry
{
    uint32_t m_width = 0;
    uint32_t m_height = 0;
    uint32_t m_bitsPerPixel = 0;
};

class CScreenFrame : public CFrame
{
    DECLARE_CLASS_RECORD(CScreenFrame)

    static constexpr uint32_t kMaxModes = 10;

    // Results of Lock.
    static constexpr int kLockDone = 0;
    static constexpr int kLockFailed = 1;       // the device refused the lock
    static constexpr int kLockLost = 2;         // the pages are lost and could not be restored
    static constexpr int kLockSuspended = 3;    // drawing is suspended (BeginGdiMode)

    // Fade states.
    static constexpr uint32_t kFadingIn = 0;
    static constexpr uint32_t kFadingOut = 1;
    static constexpr uint32_t kFadeIdle = 2;

    CScreenFrame();
    ~CScreenFrame() override;

    // The process's display frame: the one made last, null once it is gone.
    static CScreenFrame* GetDisplayFrame();

    // Drawing: the frame's own operations under the lock (locked here when the caller holds no
    // lock); fills and clears by the device's colour fill. On a 16-bit screen a Blit through the
    // copy blend mode draws through a screen level blend mode instead (ScreenBlitterFor).
    bool Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
              CBlitter* blitter) override;
    void ClearRect(const CIntRect& rect) override;
    void Clear() override;
    void FillWithColor(const CColor& color) override;
    void FillRect(const CIntRect& rect, const CColor& color) override;
    void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color) override;
    void DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color) override;
    bool GetPixelColor(int32_t x, int32_t y, CColor& out) const override;
    uint32_t GetRawPixel(int32_t x, int32_t y) const override;
    void SetPixel(int32_t x, int32_t y, const CColor& color) override;
    void ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table) override;
    void FillWithByte(uint8_t value) override;
    bool BlitUnclipped(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                       CBlitter* blitter) override;
    virtual void DrawRectOutline(const CIntRect& rect, const CColor& color);
    virtual void DrawBevelRect(const CIntRect& rect, const CColor& light, const CColor& dark);

    // The colour fill behind FillRect and ClearRect (null colour: 0). False when nothing of the
    // rectangle is inside the frame, while drawing is suspended, or when the device refuses.
    bool ColorFillRect(const CIntRect& rect, const CColor* color);

    // Sets the display up for the mode. On success width and height hold the mode set (the
    // smallest offered mode that holds the size asked for); on failure both are 0.
    bool SetDisplayMode(int32_t& width, int32_t& height, int32_t fullScreenDepth, int32_t dataDepth);
    // Blackens every page, then releases the pages and the device.
    void ReleaseSurfaces();
    // Makes the back page the frame's pixel memory: kLockDone, or why not (the pixel pointer then
    // stays null and drawing does nothing). The frame's drawing operations tell the display what
    // they change, so a present converts only that: code that writes the locked pixels itself
    // reports it with MarkChanged.
    int Lock();
    // The rectangle (frame coordinates) of the locked page was drawn on.
    void MarkChanged(const CIntRect& rect);
    void Unlock();
    // Shows the page; false (the page index unchanged) while drawing is suspended in full screen
    // or when the device refuses.
    bool Present();
    // Every page black (with a game palette: its colour nearest to black), each presented.
    void ClearAllPages();
    // Suspends and resumes drawing around system windows. When they cannot be shown over the
    // full-screen display, the display becomes windowed for the rest of the run.
    void BeginGdiMode();
    void EndGdiMode();
    bool IsFullScreen() const { return m_fullScreen; }

    // The mode table: the offered modes of the depth asked for, ascending.
    bool FindDisplayMode(int32_t& width, int32_t& height) const;
    // Takes the mode into the table when it has the depth, a 4:3-like shape and a kept size.
    bool CollectDisplayMode(const platform::DisplayMode& mode, int32_t depth);
    void RemoveDuplicateModes();
    uint32_t GetModeCount() const { return m_modeCount; }
    const CDisplayModeEntry& GetModeEntry(uint32_t index) const { return m_modes[index % kMaxModes]; }

    // Screen fades, brightness and the display palette. On a 16-bit screen the fade level times
    // the brightness brightens or darkens every copy drawn onto it; on an 8-bit screen the
    // brightness lifts the display palette and fades are palette fades (FadeToPalette).
    void StartFadeOut(float seconds);
    void StartFadeIn(float seconds);
    // Advances the fade; a screen left black for more than 5 s starts a 1 s fade-in by itself.
    // On an 8-bit screen, whose picture does not follow the fade level, the end of a fade-in
    // shows the current (game) palette.
    void UpdateFade(float seconds);
    // Brightness (never negative; not a number counts as 1), then the palette again with it.
    void SetBrightness(float brightness);
    // Makes the table the display palette (entry 0 black, 255 white, brightened when the
    // brightness is above 1). allEntries false keeps the system's reserved colours at 0-9 and
    // 245-255. Null, or a table that is not a palette, does nothing.
    void SetPaletteEntries(const CPaletteTable* table, bool allEntries);
    // Blocks while the display palette moves step by step from the palette shown to the target
    // over the milliseconds (full screen only; a window takes the target at once). On a display
    // that is not 8-bit the image is drawn and presented at every step, and four times at the
    // end so that every page shows it: through Blit with the rectangles and blitter when all
    // three are given, else whole at (0, 0) with the copy blitter. A null target (or one that is
    // not a palette) changes no colour; the image is still drawn four times.
    void FadeToPalette(CFrameInterface* image, const CIntRect* sourceRect, const CIntRect* destinationRect,
                       CBlitter* blitter, const CPaletteTable* target, uint32_t milliseconds, bool allEntries);
    // FadeToPalette towards black, all entries.
    void FadeToBlack(CFrameInterface* image, const CIntRect* sourceRect, const CIntRect* destinationRect,
                     CBlitter* blitter, uint32_t milliseconds);
    // The blend mode a Blit through this blitter draws with. On a 16-bit screen the copy blend
    // mode becomes, by the level k of fade level x brightness: a brightening mode at level k, a
    // darkening mode at level -k, or (near normal) the copy mode itself on 5-6-5 and the 5-5-5
    // conversion on 5-5-5. The chosen mode's level is set here, and is the class's: call this
    // right before the blit. A source format the chosen mode cannot draw keeps the copy mode.
    CBlitter* ScreenBlitterFor(CBlitter* blitter, CFrameInterface* source);

    float GetBrightness() const { return m_brightness; }
    uint32_t GetFadeState() const { return m_fadeState; }
    float GetFadeLevel() const { return m_fadeLevel; }
    float GetDarkTime() const { return m_darkTime; }
    bool Is565() const { return m_is565; }
    void SetIs565(bool is565) { m_is565 = is565; }
    uint32_t GetPageCount() const { return m_pageCount; }
    uint32_t GetBackBufferCount() const { return m_backBufferCount; }
    uint32_t GetPageIndex() const { return m_pageIndex; }
    bool IsInVideoMemory() const { return m_inVideoMemory; }
    // The back page is locked, or drawing is suspended.
    bool IsLocked() const { return m_locked; }

private:
    template <class Draw> auto UnderLock(Draw&& draw) const;
    // The image of a palette fade, drawn as FadeToPalette says.
    void DrawFadeImage(CFrameInterface* image, const CIntRect* sourceRect, const CIntRect* destinationRect,
                       CBlitter* blitter);
    // MarkChanged in 64-bit frame coordinates, saturated to the page.
    void MarkChangedWide(int64_t left, int64_t top, int64_t right, int64_t bottom);
    // Ends the program ("BAD SCREEN MODE") when a window cannot show data of that depth.
    static void RefuseWindowOnDesktopDepth(int32_t dataDepth, int32_t desktopDepth);
    // The offered modes of the depth, ascending, without duplicates.
    void BuildModeTable(int32_t depth);
    // 16-bit displays: 5-6-5 or 5-5-5 from the device, swapped by "Use Legacy Color Mode2".
    void ReadPixelLayout();
    bool CreateSurfaces(int32_t width, int32_t height, int32_t depth);
    // Steps of a failed set-up: everything released, no mode.
    bool FailSetUp(int32_t& width, int32_t& height);
    void ClearPage();
    // The palettes of the palette fades, made once for the process: black, the fade's start and
    // its working palette.
    static void MakeFadePalettes();

    uint32_t m_pageCount = 0;
    uint32_t m_backBufferCount = 0;
    uint32_t m_pageIndex = 0;
    uint32_t m_modeCount = 0;
    bool m_inVideoMemory = false;
    CDisplayModeEntry m_modes[kMaxModes];
    bool m_is565 = true;
    float m_brightness = 1.0f;
    uint32_t m_fadeState = kFadeIdle;
    float m_fadeLevel = 1.0f;
    float m_fadeDuration = 0.0f;
    float m_fadeRemaining = 0.0f;
    float m_darkTime = 0.0f;

    // The device's state: one display per process, so it lives here.
    bool m_deviceOpen = false;      // the device exists
    bool m_pagesMade = false;       // the pages exist (and must be released)
    bool m_locked = false;          // the back page is locked, or drawing is suspended
    bool m_fullScreen = true;       // cleared only by BeginGdiMode's fall-back
    int m_lockPitch = 0;            // bytes, as the last lock gave it
};
