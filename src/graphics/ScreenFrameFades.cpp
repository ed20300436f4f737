// The screen frame's fades, brightness and display palette: the level fades and the blend-mode
// choice of 16-bit screens, the palette and the blocking palette fades of 8-bit screens.
#include "graphics/ScreenFrame.h"

#include "blit/ColorPacking.h"
#include "blit/modes/BrightenBlitter555.h"
#include "blit/modes/BrightenBlitter565.h"
#include "blit/modes/ConvertBlitter555.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/DarkenBlitter555.h"
#include "blit/modes/DarkenBlitter565.h"
#include "graphics/PaletteTable.h"
#include "platform/Backend.h"
#include "platform/Time.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Pages a finished palette fade draws, so that every page of a flip chain shows the picture.
constexpr int kFinalPages = 4;
// Levels beyond this are all the same to the blend modes (they clamp to 255); holding values
// here keeps a huge or infinite brightness from overflowing the conversion to an integer.
constexpr float kLevelLimit = 1024.0f;

int32_t TruncateLevel(float value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int32_t>(std::clamp(value, -kLevelLimit, kLevelLimit));
}

struct FadePalettes
{
    CPaletteTable black;
    CPaletteTable start;
    CPaletteTable working;
};

FadePalettes& GetFadePalettes()
{
    static FadePalettes palettes;
    return palettes;
}

bool IsPalette(const CPaletteTable* table)
{
    return table && table->GetKind() == 1 && !table->IsEmpty();
}

} // namespace

void CScreenFrame::MakeFadePalettes()
{
    FadePalettes& palettes = GetFadePalettes();
    for (CPaletteTable* table : {&palettes.black, &palettes.start, &palettes.working})
        table->Create(1);
    std::memset(palettes.black.GetData(), 0, palettes.black.GetSize());
}

CBlitter* CScreenFrame::ScreenBlitterFor(CBlitter* blitter, CFrameInterface* source)
{
    if (blitter != &g_copyBlitter || GetBitsPerPixel() != 16)
        return blitter;
    const float t = m_fadeLevel * m_brightness - 1.0f;
    int32_t k = TruncateLevel(t * 128.0f);
    if (k < 0)
        k = TruncateLevel(t * 256.0f);
    // One step of a 5-bit channel is 8 levels, of the 6-bit green channel 4.
    const int32_t threshold = m_is565 ? 4 : 8;
    CBlitter* chosen = m_is565 ? static_cast<CBlitter*>(&g_copyBlitter) : &g_convertBlitter555;
    CScreenLevelBlitter* stepped = nullptr;
    if (k >= threshold)
        stepped = m_is565 ? static_cast<CScreenLevelBlitter*>(&g_brightenBlitter565) : &g_brightenBlitter555;
    else if (-k >= threshold)
        stepped = m_is565 ? static_cast<CScreenLevelBlitter*>(&g_darkenBlitter565) : &g_darkenBlitter555;
    if (stepped) {
        stepped->SetLevel(k < 0 ? -k : k);
        chosen = stepped;
    }
    // The screen modes draw plain 8, 16 and 24-bit rows only: a run-length source is copied as
    // it is rather than not drawn at all.
    if (source && !chosen->FindRoutine(source, this))
        return blitter;
    return chosen;
}

void CScreenFrame::StartFadeOut(float seconds)
{
    m_fadeState = kFadingOut;
    m_fadeDuration = m_fadeRemaining = seconds;
    m_darkTime = 0.0f;
}

void CScreenFrame::StartFadeIn(float seconds)
{
    m_fadeState = kFadingIn;
    m_fadeDuration = m_fadeRemaining = seconds;
    m_darkTime = 0.0f;
}

void CScreenFrame::UpdateFade(float seconds)
{
    // A screen left black for long comes back by itself.
    if (m_fadeLevel <= 0.001f) {
        m_darkTime += seconds;
        if (m_darkTime > 5.0f)
            StartFadeIn(1.0f);
    }
    if (m_fadeState == kFadeIdle)
        return;
    m_fadeRemaining = std::max(m_fadeRemaining - seconds, 0.0f);
    // A fade of no length is already at its end.
    const float done = m_fadeDuration > 0.0f ? m_fadeRemaining / m_fadeDuration : 0.0f;
    const bool fadingIn = m_fadeState == kFadingIn;
    m_fadeLevel = fadingIn ? 1.0f - done : done;
    if (m_fadeRemaining != 0.0f)
        return;
    m_fadeLevel = fadingIn ? 1.0f : 0.0f;
    m_fadeState = kFadeIdle;
    // A palette fade to black may have left an 8-bit screen black, and the fade level does not
    // reach its picture: the end of a fade-in brings the game's colours back.
    if (fadingIn && GetBitsPerPixel() == 8 && IsPalette(GetCurrentPaletteRef()))
        SetPaletteEntries(GetCurrentPaletteRef(), true);
}

void CScreenFrame::SetBrightness(float brightness)
{
    m_brightness = std::isnan(brightness) ? 1.0f : std::max(brightness, 0.0f);
    SetPaletteEntries(GetPalette(), true);
}

void CScreenFrame::SetPaletteEntries(const CPaletteTable* table, bool allEntries)
{
    if (!IsPalette(table))
        return;
    CPaletteTable* palette = GetPalette();
    palette->CopyFrom(*table);
    palette->SetEntry(0, 0, 0, 0);
    palette->SetEntry(255, 255, 255, 255);

    platform::Display& display = platform::GetDisplay();
    platform::PaletteEntry entries[256];
    if (!allEntries) {
        display.GetSystemPaletteEntries(0, 10, entries);
        display.GetSystemPaletteEntries(245, 11, entries + 245);
    }
    // The palette is brightened, never darkened.
    const int lift = m_brightness - 1.0f > 0.01f ? TruncateLevel((m_brightness - 1.0f) * 128.0f) : 0;
    for (int i = 0; i < 256; ++i) {
        if (allEntries || (i >= 10 && i <= 244)) {
            uint8_t red, green, blue;
            palette->GetEntry(static_cast<uint32_t>(i), red, green, blue);
            entries[i].red = static_cast<uint8_t>(std::min(red + lift, 255));
            entries[i].green = static_cast<uint8_t>(std::min(green + lift, 255));
            entries[i].blue = static_cast<uint8_t>(std::min(blue + lift, 255));
        }
        entries[i].flags = 1;
    }
    if (m_pagesMade)
        display.SetPalette(0, 256, entries);
    BuildPaletteToPixelTables(*palette);
}

void CScreenFrame::DrawFadeImage(CFrameInterface* image, const CIntRect* sourceRect, const CIntRect* destinationRect,
                                 CBlitter* blitter)
{
    if (sourceRect && destinationRect && blitter) {
        Blit(image, *sourceRect, *destinationRect, blitter);
        return;
    }
    CIntRect bounds;
    image->GetBounds(bounds);
    CIntRect at = bounds;
    at.Offset(-bounds.m_left, -bounds.m_top);
    Blit(image, bounds, at, &g_copyBlitter);
}

void CScreenFrame::FadeToPalette(CFrameInterface* image, const CIntRect* sourceRect, const CIntRect* destinationRect,
                                 CBlitter* blitter, const CPaletteTable* target, uint32_t milliseconds, bool allEntries)
{
    // An 8-bit display shows a new palette at once, so its steps need no present.
    const bool drawImage = image && GetBitsPerPixel() != 8;
    if (m_fullScreen && IsPalette(target)) {
        FadePalettes& palettes = GetFadePalettes();
        palettes.start.CopyFrom(*GetPalette());
        const uint8_t* from = palettes.start.GetData();
        const uint8_t* to = target->GetData();
        uint8_t* working = palettes.working.GetData();
        const uint32_t begun = platform::GetTickCount();
        // Unsigned differences: right across the tick count's wrap.
        for (uint32_t elapsed = 0; elapsed < milliseconds; elapsed = platform::GetTickCount() - begun) {
            const float f = std::min(static_cast<float>(elapsed) / static_cast<float>(milliseconds), 1.0f);
            for (uint32_t i = 0; i < palettes.working.GetSize(); ++i)
                working[i] =
                    static_cast<uint8_t>(static_cast<float>(to[i] - from[i]) * f + static_cast<float>(from[i]));
            SetPaletteEntries(&palettes.working, allEntries);
            if (drawImage) {
                DrawFadeImage(image, sourceRect, destinationRect, blitter);
                Present();
            }
            // A step that took no time waits for the clock, so the loop neither spins a core nor
            // stands still on a virtual clock.
            if (platform::GetTickCount() - begun == elapsed)
                platform::Sleep(1);
        }
    }
    SetPaletteEntries(target, allEntries);
    if (!drawImage)
        return;
    for (int page = 0; page < kFinalPages; ++page) {
        DrawFadeImage(image, sourceRect, destinationRect, blitter);
        Present();
    }
}

void CScreenFrame::FadeToBlack(CFrameInterface* image, const CIntRect* sourceRect, const CIntRect* destinationRect,
                               CBlitter* blitter, uint32_t milliseconds)
{
    FadeToPalette(image, sourceRect, destinationRect, blitter, &GetFadePalettes().black, milliseconds, true);
}
