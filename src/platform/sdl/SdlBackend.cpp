#include "platform/sdl/SdlBackend.h"

#include "platform/EventQueue.h"
#include "platform/MessageBoxText.h"
#include "platform/Process.h"
#include "platform/TerminationSignals.h"
#include "platform/Time.h"
#include "platform/sdl/SdlBackendImpl.h"
#include "platform/sdl/SdlKeyMap.h"
#include "platform/sdl/SdlRenderer.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace platform::sdl {

namespace {

// Characters on a line of a message box: SDL's own box on X11 never breaks a line, so a long
// text would make it wider than a 640-pixel screen.
constexpr size_t kMessageBoxColumns = 64;

bool HasEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}
} // namespace

std::unique_ptr<Backend> CreateSdlBackend(std::string& whyNot)
{
    // SDL would fall back to an invisible off-screen display; that is the headless backend's job.
    const bool driverChosen = HasEnv("SDL_VIDEODRIVER");
    if (!driverChosen && !HasEnv("DISPLAY") && !HasEnv("WAYLAND_DISPLAY")) {
        whyNot = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return nullptr;
    }
    // Double clicks as the desktop reports them; the focus click is not a game click.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // SIGTERM, SIGINT and SIGHUP are the program's own business (TerminationSignals.h).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Before SDL's video starts here: the renderer's probe starts it in a process of its own.
    const RendererPlan plan = PlanWindowRenderer();
    // The probe's process may have been the display server's only client, and an X server resets
    // when its last client leaves: a connection made meanwhile can fail. A named display is tried
    // again a few times before the game goes without one.
    for (int attempt = 0;; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100)); // real time, even on a virtual clock
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            whyNot = SDL_GetError();
        } else {
            const char* driver = SDL_GetCurrentVideoDriver();
            if (driverChosen || !driver || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0))
                return std::make_unique<SdlBackend>(plan);
            whyNot = "no desktop display could be opened";
            SDL_Quit();
        }
        if (attempt == 3)
            return nullptr;
    }
}

SdlBackend::SdlBackend(RendererPlan plan) : m_rendererPlan(plan) {}

SdlBackend::~SdlBackend()
{
    // The sound device goes before SDL does.
    m_mixer.CloseDevice();
    m_forceFeedback.Shutdown();
    m_joysticks.Shutdown();
    DestroyMainWindow();
    SDL_Quit();
}

bool SdlBackend::EnsureWindow()
{
    if (m_window)
        return true;
    m_window = SDL_CreateWindow(m_title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                SDL_WINDOW_SHOWN);
    if (!m_window)
        return false;
    m_renderer = CreateWindowRenderer(m_window, m_rendererPlan);
    if (!m_renderer) {
        SDL_DestroyWindow(m_window);
        m_window = nullptr;
        return false;
    }
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    SDL_RenderPresent(m_renderer);
    SDL_StartTextInput();
    return true;
}

bool SdlBackend::CreateMainWindow(const char* titleUtf8)
{
    m_title = titleUtf8 ? titleUtf8 : "";
    if (m_window) {
        SDL_SetWindowTitle(m_window, m_title.c_str());
        return true;
    }
    return EnsureWindow();
}

void SdlBackend::DestroyMainWindow()
{
    m_display.ReleaseTexture();
    if (m_renderer)
        SDL_DestroyRenderer(m_renderer);
    if (m_window)
        SDL_DestroyWindow(m_window);
    m_renderer = nullptr;
    m_window = nullptr;
}

void SdlBackend::SetWindowTitle(const char* titleUtf8)
{
    m_title = titleUtf8 ? titleUtf8 : "";
    if (m_window)
        SDL_SetWindowTitle(m_window, m_title.c_str());
}

void SdlBackend::MinimizeMainWindow()
{
    if (m_window)
        SDL_MinimizeWindow(m_window);
}

bool SdlBackend::OpenDocument(const char* documentUtf8)
{
    return LaunchDocumentOpener(documentUtf8);
}

void SdlBackend::PumpEvents(EventQueue& queue)
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        // The picture is the display's own business: shown again whenever the window needs it.
        if (e.type == SDL_WINDOWEVENT &&
            (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
            m_display.ForgetBars();
            m_display.Represent();
        } else if (e.type == SDL_RENDER_TARGETS_RESET) {
            m_display.ForgetBars();
            m_display.Represent();
        }
        else if (e.type == SDL_RENDER_DEVICE_RESET)
            m_display.RecreateTexture();
        m_translated.clear();
        m_translator.Translate(e, m_translated);
        for (const Event& event : m_translated)
            queue.Push(event);
    }
}

void SdlBackend::WaitForEvents(EventQueue& queue, uint32_t milliseconds)
{
    PumpEvents(queue);
    if (queue.Count() > 0)
        return;
    // A scripted run keeps time by the virtual clock: waiting moves it on.
    if (IsVirtualClock()) {
        AdvanceVirtualClock(static_cast<uint64_t>(milliseconds) * 1000000ull);
        PumpEvents(queue);
        return;
    }
    // Leaves the event in SDL's queue; the pump below takes it.
    SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<uint32_t>(milliseconds, 1000)));
    PumpEvents(queue);
}

void SdlBackend::WakeEventWait()
{
    SDL_Event wake{};
    wake.type = SDL_USEREVENT;
    SDL_PushEvent(&wake);
}

void SdlBackend::ShowMessageBox(const char* captionUtf8, const char* textUtf8, bool plain)
{
    // Also on the terminal: a box may not be seen (full screen, no desktop), a log line stays.
    std::fprintf(stderr, "%s: %s\n", captionUtf8, textUtf8);
    std::fflush(stderr);
    // The pointer is needed to press OK; whatever was asked of it before comes back afterwards.
    int shown = SDL_ShowCursor(SDL_QUERY);
    SDL_ShowCursor(SDL_ENABLE);
    // The box runs in a child process; a termination signal meanwhile ends it.
    BeginModalBox();
    const std::string lines = WrapMessageText(textUtf8, kMessageBoxColumns);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, captionUtf8, lines.c_str(), plain ? nullptr : m_window);
    EndModalBox();
    SDL_ShowCursor(shown);
}

void SdlBackend::SetSystemCursorVisible(bool visible)
{
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlBackend::WarpMouse(int x, int y)
{
    if (!m_window)
        return;
    int wx = x, wy = y;
    if (m_renderer && m_display.HasPages())
        SDL_RenderLogicalToWindow(m_renderer, static_cast<float>(x), static_cast<float>(y), &wx, &wy);
    SDL_WarpMouseInWindow(m_window, wx, wy);
}

bool SdlBackend::SetClipboardText(const std::string& utf8)
{
    return SDL_SetClipboardText(utf8.c_str()) == 0;
}

bool SdlBackend::GetClipboardText(std::string& utf8)
{
    if (!SDL_HasClipboardText())
        return false;
    char* text = SDL_GetClipboardText();
    if (!text)
        return false;
    utf8 = text;
    SDL_free(text);
    return !utf8.empty();
}

int SdlBackend::GetDesktopBitDepth()
{
    // Pages of every depth are converted when shown, so the desktop takes the data's depth.
    if (int data = m_display.GetDataDepth())
        return data;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return 32;
    // 8-8-8 desktops keep their pixels in 32 bits and count as 32.
    int bytes = SDL_BYTESPERPIXEL(mode.format);
    return bytes == 4 ? 32 : static_cast<int>(SDL_BITSPERPIXEL(mode.format));
}

bool SdlBackend::GetDesktopWorkArea(DesktopRect& area)
{
    SDL_Rect usable;
    const int display = m_window ? std::max(SDL_GetWindowDisplayIndex(m_window), 0) : 0;
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0)
        return false;
    area = {usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
    return true;
}

bool SdlBackend::GetMainWindowFrame(DesktopRect& frame)
{
    if (!m_window)
        return false;
    int x, y, w, h, top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowPosition(m_window, &x, &y);
    SDL_GetWindowSize(m_window, &w, &h);
    // Without a window manager there are no borders, and SDL says so by failing.
    if (SDL_GetWindowBordersSize(m_window, &top, &left, &bottom, &right) != 0)
        top = left = bottom = right = 0;
    frame = {x - left, y - top, x + w + right, y + h + bottom};
    return true;
}

void SdlBackend::SetMainWindowClientSize(int width, int height)
{
    if (!m_window)
        return;
    SDL_SetWindowBordered(m_window, SDL_TRUE);
    SDL_SetWindowAlwaysOnTop(m_window, SDL_FALSE);
    SDL_SetWindowSize(m_window, width, height);
}

void SdlBackend::MoveMainWindow(int left, int top)
{
    if (!m_window)
        return;
    int borderTop = 0, borderLeft = 0;
    if (SDL_GetWindowBordersSize(m_window, &borderTop, &borderLeft, nullptr, nullptr) != 0)
        borderTop = borderLeft = 0;
    SDL_SetWindowPosition(m_window, left + borderLeft, top + borderTop);
}

std::string SdlBackend::GetKeyName(int keyNumber)
{
    int scancode = ScancodeFromKeyNumber(keyNumber);
    if (scancode == 0)
        return {};
    const char* name = SDL_GetScancodeName(static_cast<SDL_Scancode>(scancode));
    return name ? name : "";
}

} // namespace platform::sdl
