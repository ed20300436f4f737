// A test pattern on the real display, drawn as the game draws: into the back buffer, whose dirty
// cells are copied onto the screen frame, which presents its page.
//
//   vantorel_testpattern [--depth 8|16|24|32] [--frames N] [--mouse] [--headless]
//                        [--fade SECONDS] [--brightness B]
//
// The pattern: a white border one pixel inside the page, eight colour bars (white, yellow, cyan,
// green, magenta, red, blue, black), four ramps (red, green, blue, grey) and a square that moves,
// so that only a few cells change per frame. With --mouse the page position of the pointer is
// printed and a cross drawn there. With --fade the picture fades to black and back over the
// seconds each way, holding a second at each end: on 16 bits by the screen's fade level, on 8 bits
// by palette fades (which show without presents). --brightness sets the screen's brightness. It
// runs until the window is closed or N frames were shown.
#include "ToolStartUp.h"
#include "blit/ColorPacking.h"
#include "blit/modes/CopyBlitter.h"
#include "graphics/Color.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/PaletteTable.h"
#include "graphics/ScreenFrame.h"
#include "graphics/ScreenMode.h"
#include "platform/Platform.h"
#include "platform/Time.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Rgb
{
    uint8_t red, green, blue;
};

const Rgb kBars[8] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                      {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
constexpr int kRampSteps = 32;

// 8-bit: the bars at 1-8, the ramps at 16 + ramp * 32 + step, a grey background at 9, the cross
// at 10. Other depths take the colours as they are.
class Painter
{
public:
    explicit Painter(int depth) : m_depth(depth) {}

    void MakePalette(CScreenFrame& screen)
    {
        CPaletteTable* current = GetCurrentPaletteRef();
        current->Create(1);
        for (uint32_t i = 0; i < 256; ++i)
            current->SetEntry(i, 0, 0, 0);
        for (int i = 0; i < 8; ++i)
            current->SetEntry(static_cast<uint32_t>(1 + i), kBars[i].red, kBars[i].green, kBars[i].blue);
        current->SetEntry(9, 48, 48, 48);
        current->SetEntry(10, 255, 128, 0);
        for (int ramp = 0; ramp < 4; ++ramp)
            for (int step = 0; step < kRampSteps; ++step) {
                const Rgb c = RampColor(ramp, step);
                current->SetEntry(static_cast<uint32_t>(16 + ramp * kRampSteps + step), c.red, c.green, c.blue);
            }
        screen.SetPaletteEntries(current, true);
    }

    CColor Color(int index, Rgb rgb) const
    {
        CColor color;
        if (m_depth == 8)
            color.SetFromPaletteIndex(static_cast<uint8_t>(index));
        else
            color.ConstructRgba(rgb.red, rgb.green, rgb.blue, 255);
        return color;
    }

    static Rgb RampColor(int ramp, int step)
    {
        const uint8_t v = static_cast<uint8_t>(step * 255 / (kRampSteps - 1));
        switch (ramp) {
        case 0: return {v, 0, 0};
        case 1: return {0, v, 0};
        case 2: return {0, 0, v};
        default: return {v, v, v};
        }
    }

    void Fill(CFrameInterface& page, const CIntRect& rect, const CColor& color) const { page.FillRect(rect, color); }

    void DrawStill(CDirtyRectFrame& page) const
    {
        const int w = page.GetWidth(), h = page.GetHeight();
        Fill(page, {0, 0, w, h}, Color(9, {48, 48, 48}));
        const int barWidth = (w - 40) / 8;
        for (int i = 0; i < 8; ++i)
            Fill(page, {20 + i * barWidth, 20, 20 + (i + 1) * barWidth, h / 2}, Color(1 + i, kBars[i]));
        const int rampTop = h / 2 + 20, rampHeight = (h / 2 - 60) / 4;
        const int stepWidth = (w - 40) / kRampSteps;
        for (int ramp = 0; ramp < 4; ++ramp)
            for (int step = 0; step < kRampSteps; ++step) {
                const int top = rampTop + ramp * rampHeight;
                Fill(page, {20 + step * stepWidth, top, 20 + (step + 1) * stepWidth, top + rampHeight - 4},
                     Color(16 + ramp * kRampSteps + step, RampColor(ramp, step)));
            }
        const CColor white = Color(1, kBars[0]);
        for (const CIntRect& edge : {CIntRect{1, 1, w - 1, 2}, CIntRect{1, h - 2, w - 1, h - 1}, CIntRect{1, 1, 2, h - 1},
                                     CIntRect{w - 2, 1, w - 1, h - 1}})
            Fill(page, edge, white);
    }

private:
    int m_depth;
};

// Fades to black and back, again and again, holding a second at each end.
class FadeCycle
{
public:
    FadeCycle(CScreenFrame& screen, float seconds) : m_screen(screen), m_seconds(seconds) {}

    // One frame's part: true when the whole page must be copied again.
    bool Step()
    {
        const uint32_t now = platform::GetTickCount();
        const float elapsed = static_cast<float>(now - m_last) / 1000.0f;
        m_last = now;
        if (m_screen.GetBitsPerPixel() == 8)
            return StepPalette(now);
        if (m_screen.GetFadeState() == CScreenFrame::kFadeIdle && now - m_heldSince >= kHoldMs) {
            if (m_screen.GetFadeLevel() >= 1.0f)
                m_screen.StartFadeOut(m_seconds);
            else
                m_screen.StartFadeIn(m_seconds);
        }
        const bool fading = m_screen.GetFadeState() != CScreenFrame::kFadeIdle;
        m_screen.UpdateFade(elapsed);
        if (fading && m_screen.GetFadeState() == CScreenFrame::kFadeIdle)
            m_heldSince = now;
        return fading;
    }

private:
    static constexpr uint32_t kHoldMs = 1000;

    // The palette fades block: the pattern stands still while they run.
    bool StepPalette(uint32_t now)
    {
        if (now - m_heldSince < kHoldMs)
            return false;
        const auto ms = static_cast<uint32_t>(m_seconds * 1000.0f);
        if (m_dark)
            m_screen.FadeToPalette(nullptr, nullptr, nullptr, nullptr, GetCurrentPaletteRef(), ms, true);
        else
            m_screen.FadeToBlack(nullptr, nullptr, nullptr, nullptr, ms);
        m_dark = !m_dark;
        m_heldSince = m_last = platform::GetTickCount();
        return false;
    }

    CScreenFrame& m_screen;
    float m_seconds;
    uint32_t m_last = platform::GetTickCount();
    uint32_t m_heldSince = platform::GetTickCount();
    bool m_dark = false;
};

float FloatArgument(int argc, char** argv, const char* name, float fallback)
{
    const char* value = GetToolOption(argc, argv, name, nullptr);
    return value ? static_cast<float>(std::atof(value)) : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    if (!StartToolWindow(argc, argv, "Vantorel test pattern", "vantorel-testpattern.ini"))
        return 1;
    const int depth = GetToolOptionInt(argc, argv, "--depth", 16);
    const int frames = GetToolOptionInt(argc, argv, "--frames", 0);
    const bool showMouse = HasToolSwitch(argc, argv, "--mouse");

    CScreenFrame screen;
    SetUpScreenMode(depth, 640, 480);
    Painter painter(depth);
    if (depth == 8)
        painter.MakePalette(screen);
    screen.SetBrightness(FloatArgument(argc, argv, "--brightness", 1.0f));
    const float fadeSeconds = FloatArgument(argc, argv, "--fade", 0.0f);
    FadeCycle fade(screen, fadeSeconds);

    // The back buffer as the game builds it.
    CDirtyRectFrame page;
    page.Create(screen.GetWidth(), screen.GetHeight(), screen.GetBitsPerPixel());
    page.SetPageCount(screen.GetBackBufferCount() + 1);
    page.MarkAllDirty();
    painter.DrawStill(page);
    CFrame still;
    still.CopyFrom(&page);
    page.SetBackgroundFrame(&still);

    std::printf("Test pattern: %dx%d, %u bits, %u back buffers; close the window to end.\n", screen.GetWidth(),
                screen.GetHeight(), screen.GetBitsPerPixel(), screen.GetBackBufferCount());
    std::fflush(stdout);

    int mouseX = -1, mouseY = -1;
    for (int frame = 0; frames == 0 || frame < frames; ++frame) {
        platform::Event event;
        while (platform::PollEvent(event)) {
            if (event.type == platform::EventType::Close)
                return 0;
            if (event.type == platform::EventType::MouseMove && showMouse) {
                mouseX = event.x;
                mouseY = event.y;
                std::printf("mouse %d %d\n", mouseX, mouseY);
                std::fflush(stdout);
            }
        }
        if (fadeSeconds > 0.0f && fade.Step())
            page.MarkAllDirty();
        page.Clear();
        const int x = 20 + (frame * 3) % (screen.GetWidth() - 80);
        painter.Fill(page, {x, screen.GetHeight() / 2 - 30, x + 40, screen.GetHeight() / 2 + 10},
                     painter.Color(1, kBars[0]));
        if (showMouse && mouseX >= 0) {
            const CColor cross = painter.Color(10, {255, 128, 0});
            painter.Fill(page, {mouseX - 8, mouseY, mouseX + 9, mouseY + 1}, cross);
            painter.Fill(page, {mouseX, mouseY - 8, mouseX + 1, mouseY + 9}, cross);
        }
        if (screen.Lock() == CScreenFrame::kLockDone) {
            page.PresentDirtyCells(&screen, &g_copyBlitter);
            screen.Unlock();
        }
        screen.Present();
        page.NextPage();
        platform::Sleep(16);
    }
    return 0;
}
