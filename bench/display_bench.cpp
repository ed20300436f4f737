// What a drawn frame costs on its way to the screen: the back buffer's copy of its dirty cells
// onto the display page (every cell, and a tenth of them) against one memcpy of the page, and the
// SDL present that turns the shown page into the texture (8 and 16 bits) and draws it.
#include "blit/modes/CopyBlitter.h"
#include "graphics/Color.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/ScreenFrame.h"
#include "platform/headless/HeadlessBackend.h"
#if VANTOREL_HAVE_SDL
#include "platform/Backend.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/sdl/SdlPageConversion.h"
#include <SDL.h>
#endif

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

void BM_MemcpyPage(benchmark::State& state)
{
    std::vector<uint8_t> from(kWidth * kHeight * 2, 7), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * from.size()));
}
BENCHMARK(BM_MemcpyPage);

// The back buffer presents onto the headless display's locked page, as the game does each frame.
void PresentDirtyCells(benchmark::State& state, bool allCells)
{
    platform::GetHeadlessBackend().Reset();
    CScreenFrame screen;
    int32_t w = kWidth, h = kHeight;
    if (!screen.SetDisplayMode(w, h, 16, 16)) {
        state.SkipWithError("no display mode");
        return;
    }
    CDirtyRectFrame buffer;
    buffer.Create(kWidth, kHeight, 16);
    buffer.SetPageCount(1);
    CColor grey;
    grey.ConstructRgba(90, 90, 90, 255);
    buffer.FillRect({0, 0, kWidth, kHeight}, grey);
    // The same 30 of the 300 cells each frame, so that they are the whole copy.
    std::vector<CIntRect> cells;
    std::mt19937 random(5);
    while (cells.size() < 30) {
        const int cx = static_cast<int>(random() % 20) * 32, cy = static_cast<int>(random() % 15) * 32;
        const CIntRect cell{cx, cy, cx + 32, cy + 32};
        bool known = false;
        for (const CIntRect& c : cells)
            known |= c == cell;
        if (!known)
            cells.push_back(cell);
    }
    screen.Lock();
    buffer.PresentDirtyCells(&screen, &g_copyBlitter);
    for (auto _ : state) {
        if (allCells)
            buffer.MarkAllDirty();
        else
            for (const CIntRect& cell : cells)
                buffer.AddDirtyRect(cell);
        buffer.PresentDirtyCells(&screen, &g_copyBlitter);
        benchmark::ClobberMemory();
    }
    screen.Unlock();
    const int64_t bytes = allCells ? kWidth * kHeight * 2 : 30 * 32 * 32 * 2;
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_PresentDirtyCellsFullPage(benchmark::State& state)
{
    PresentDirtyCells(state, true);
}
BENCHMARK(BM_PresentDirtyCellsFullPage);

void BM_PresentDirtyCellsTenthOfThePage(benchmark::State& state)
{
    PresentDirtyCells(state, false);
}
BENCHMARK(BM_PresentDirtyCellsTenthOfThePage);

#if VANTOREL_HAVE_SDL
std::vector<uint8_t> RandomPage(int depth)
{
    std::vector<uint8_t> page(static_cast<size_t>(platform::PagePitch(kWidth, depth)) * kHeight);
    std::mt19937 random(9);
    for (uint8_t& b : page)
        b = static_cast<uint8_t>(random());
    return page;
}

platform::sdl::PaletteTable32 SomePalette()
{
    std::array<platform::PaletteEntry, 256> palette{};
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 3), 0};
    return platform::sdl::MakePaletteTable32(palette);
}

// The conversion alone, into memory.
void Convert(benchmark::State& state, int depth)
{
    const std::vector<uint8_t> page = RandomPage(depth);
    const auto table = SomePalette();
    std::vector<uint32_t> out(static_cast<size_t>(kWidth) * kHeight);
    for (auto _ : state) {
        platform::sdl::ConvertPageToArgb(page.data(), platform::PagePitch(kWidth, depth), {kWidth, kHeight, depth},
                                         platform::kGreenMask565, table, out.data(), kWidth * 4);
        benchmark::ClobberMemory();
    }
}

void BM_ConvertPage16(benchmark::State& state)
{
    Convert(state, 16);
}
BENCHMARK(BM_ConvertPage16);

void BM_ConvertPage8(benchmark::State& state)
{
    Convert(state, 8);
}
BENCHMARK(BM_ConvertPage8);

// Conversion into a streaming ARGB8888 texture and its upload, on SDL's software renderer (no
// display needed): the work of the SDL present minus the window system's share.
void SoftwarePresent(benchmark::State& state, int depth)
{
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = target ? SDL_CreateSoftwareRenderer(target) : nullptr;
    SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                        SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight)
                                    : nullptr;
    if (!texture) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    const int pitch = platform::PagePitch(kWidth, depth);
    const std::vector<uint8_t> page = RandomPage(depth);
    const auto table = SomePalette();
    for (auto _ : state) {
        void* pixels = nullptr;
        int texturePitch = 0;
        SDL_LockTexture(texture, nullptr, &pixels, &texturePitch);
        platform::sdl::ConvertPageToArgb(page.data(), pitch, {kWidth, kHeight, depth}, platform::kGreenMask565, table,
                                         pixels, texturePitch);
        SDL_UnlockTexture(texture);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(target);
}

void BM_SdlSoftwarePresent16(benchmark::State& state)
{
    SoftwarePresent(state, 16);
}
BENCHMARK(BM_SdlSoftwarePresent16);

void BM_SdlSoftwarePresent8(benchmark::State& state)
{
    SoftwarePresent(state, 8);
}
BENCHMARK(BM_SdlSoftwarePresent8);

// The whole present of the SDL display into its window (only where a display exists, e.g. under
// xvfb-run): conversion, upload, scaling into the window and the window system's share.
void WindowPresent(benchmark::State& state, int depth)
{
    static bool installed = false;
    if (!installed) {
        std::string why;
        auto backend = platform::sdl::CreateSdlBackend(why);
        if (!backend) {
            state.SkipWithError(("no display: " + why).c_str());
            return;
        }
        platform::InstallBackend(std::move(backend));
        installed = true;
    }
    CScreenFrame screen;
    int32_t w = kWidth, h = kHeight;
    if (!screen.SetDisplayMode(w, h, depth, depth)) {
        state.SkipWithError("no display mode");
        return;
    }
    for (auto _ : state)
        screen.Present();
}

void BM_SdlWindowPresent16(benchmark::State& state)
{
    WindowPresent(state, 16);
}
BENCHMARK(BM_SdlWindowPresent16);

void BM_SdlWindowPresent8(benchmark::State& state)
{
    WindowPresent(state, 8);
}
BENCHMARK(BM_SdlWindowPresent8);
#endif

} // namespace
