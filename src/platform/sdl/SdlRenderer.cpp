#include "platform/sdl/SdlRenderer.h"

#include "platform/RendererChoice.h"

#include <SDL.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace platform::sdl {

namespace {

// How long a probe may take: a GL driver that hangs must not hang the start.
constexpr int kProbeMilliseconds = 5000;
constexpr size_t kLongestReport = 512;

// The renderer string of the GL context a GL renderer made current; null for other renderers.
const char* GetGlRendererName(SDL_Renderer* renderer)
{
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || std::strncmp(info.name, "opengl", 6) != 0)
        return nullptr;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    return getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
}

// The child's side: makes the accelerated renderer for a hidden window and writes what it found.
[[noreturn]] void RunProbe(int out)
{
    std::string report = MakeProbeReport(false, nullptr, nullptr);
    if (SDL_Init(SDL_INIT_VIDEO) == 0) {
        SDL_Window* window = SDL_CreateWindow("", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
        SDL_RendererInfo info{};
        if (renderer && SDL_GetRendererInfo(renderer, &info) == 0)
            report = MakeProbeReport(true, info.name, GetGlRendererName(renderer));
    }
    report.resize(std::min(report.size(), kLongestReport));
    for (size_t at = 0; at < report.size();) {
        const ssize_t put = write(out, report.data() + at, report.size() - at);
        if (put <= 0 && errno != EINTR)
            break;
        at += put > 0 ? static_cast<size_t>(put) : 0;
    }
    // Nothing of the parent's is flushed or destroyed twice; the X server drops the child's window.
    _exit(0);
}

// What a probe process reports; empty when it could not run, died or took too long.
std::string ProbeAcceleratedRenderer()
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        RunProbe(pipeEnds[1]);
    }
    close(pipeEnds[1]);
    std::string report;
    if (child > 0) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kProbeMilliseconds);
        bool finished = false;
        while (!finished && report.size() <= kLongestReport) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            pollfd wait{pipeEnds[0], POLLIN, 0};
            const int ready = poll(&wait, 1, static_cast<int>(left.count()));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0)
                break;
            char bytes[256];
            const ssize_t got = read(pipeEnds[0], bytes, sizeof bytes);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                finished = true;
            else
                report.append(bytes, static_cast<size_t>(got));
        }
        if (!finished) {
            // A probe that did not finish in time is ended; what it said so far does not count.
            kill(child, SIGKILL);
            report.clear();
        }
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    close(pipeEnds[0]);
    return report;
}

SDL_Renderer* CreateSoftwareRenderer(SDL_Window* window)
{
    // Without this the window surface the software renderer draws into is itself a GL texture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

} // namespace

RendererPlan PlanWindowRenderer()
{
    const RendererOverride choice = ParseRendererOverride(std::getenv("VANTOREL_RENDERER"));
    if (choice == RendererOverride::Software)
        return RendererPlan::Software;
    // A driver named for SDL itself is the user's choice, as is an accelerated one asked for.
    const char* named = std::getenv("SDL_RENDER_DRIVER");
    if (choice == RendererOverride::Accelerated || (named && *named))
        return RendererPlan::AnyDriver;
    return ProbeReportKeepsAccelerated(ProbeAcceleratedRenderer()) ? RendererPlan::Accelerated
                                                                   : RendererPlan::Software;
}

SDL_Renderer* CreateWindowRenderer(SDL_Window* window, RendererPlan plan)
{
    switch (plan) {
    case RendererPlan::AnyDriver:
        return SDL_CreateRenderer(window, -1, 0);
    case RendererPlan::Accelerated:
        if (SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED))
            return renderer;
        break;
    case RendererPlan::Software:
        break;
    }
    return CreateSoftwareRenderer(window);
}

} // namespace platform::sdl
