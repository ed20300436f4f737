// The automatic renderer choice under a real display (xvfb-run) keeps only the renderer it draws
// with: no GL library or rasteriser threads beside SDL's software one, and no rasteriser as its GL.
#if VANTOREL_HAVE_SDL
#include "TestSupport.h"
#include "platform/RendererChoice.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/sdl/SdlBackendImpl.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace {

int CountThreads()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Threads:", 0) == 0)
            return std::atoi(line.c_str() + 8);
    return -1;
}

// The first GL or rasteriser library mapped into this process, or empty.
std::string FindGlLibrary()
{
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        for (const char* name : {"libGL", "libEGL", "libLLVM", "libgallium", "_dri.so", "libvulkan"})
            if (line.find(name) != std::string::npos)
                return line.substr(line.find('/'));
    return {};
}

// Clears an environment variable for the scope.
struct ScopedUnsetEnv
{
    const char* name;
    std::optional<std::string> old = std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt;
    bool unset = unsetenv(name) == 0;
    ~ScopedUnsetEnv() { old ? setenv(name, old->c_str(), 1) : 0; }
};

TEST(SdlRendererChoice, TheAutomaticChoiceKeepsNoGlItDoesNotDrawWith)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs a display: run under xvfb-run";
    ScopedUnsetEnv automatic{"VANTOREL_RENDERER"}, noDriver{"SDL_RENDER_DRIVER"};
    const int threadsBefore = CountThreads();
    std::string why;
    auto backend = platform::sdl::CreateSdlBackend(why);
    if (!backend)
        GTEST_SKIP() << why;
    ASSERT_TRUE(backend->CreateMainWindow("Vantorel Renderer Test"));
    SDL_Renderer* renderer = static_cast<platform::sdl::SdlBackend&>(*backend).GetRenderer();
    ASSERT_NE(renderer, nullptr);
    SDL_RendererInfo info{};
    ASSERT_EQ(SDL_GetRendererInfo(renderer, &info), 0);
    if (info.flags & SDL_RENDERER_SOFTWARE) {
        EXPECT_EQ(FindGlLibrary(), "");
        EXPECT_EQ(CountThreads(), threadsBefore);
    } else {
        using GetString = const unsigned char* (*)(unsigned int);
        auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
        const char* name = getString ? reinterpret_cast<const char*>(getString(0x1F01)) : nullptr;
        EXPECT_FALSE(platform::IsSoftwareRasterizer(name)) << name;
    }
}

} // namespace
#endif
