// What a drawn frame costs on its way to the screen: the back buffer's copy of its dirty cells
// onto the display page (every cell, and a tenth of them) against one memcpy of the page; the
// conversion of the page (or of the tenth that changed) into ARGB against memcpy of its output;
// and the SDL present that converts what changed into the texture and draws it.
#include "blit/modes/CopyBlitter.h"
#include "graphics/Color.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/ScreenFrame.h"
#include "platform/PageConversion.h"
#include "platform/headless/HeadlessBackend.h"
#if VANTOREL_HAVE_SDL
#include "platform/Backend.h"
#include "platform/sdl/SdlBackend.h"
#include <SDL.h>
#endif

#include <algorithm>
#include <array>
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

std::vector<uint8_t> RandomPage(int depth)
{
    std::vector<uint8_t> page(static_cast<size_t>(platform::PagePitch(kWidth, depth)) * kHeight);
    std::mt19937 random(9);
    for (uint8_t& b : page)
        b = static_cast<uint8_t>(random());
    return page;
}

platform::PaletteTable32 SomePalette()
{
    std::array<platform::PaletteEntry, 256> palette{};
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 3), 0};
    return platform::MakePaletteTable32(palette);
}

// 30 of the 300 cells of 32 x 32 pixels: a tenth of the page, as a frame with a little movement
// changes it.
std::vector<platform::PageRect> TenthOfThePage()
{
    std::vector<platform::PageRect> cells;
    std::mt19937 random(5);
    while (cells.size() < 30) {
        const int cx = static_cast<int>(random() % 20) * 32, cy = static_cast<int>(random() % 15) * 32;
        const platform::PageRect cell{cx, cy, cx + 32, cy + 32};
        if (std::find(cells.begin(), cells.end(), cell) == cells.end())
            cells.push_back(cell);
    }
    return cells;
}

// The reference of the conversions: memcpy of their output, the whole ARGB page or its tenth.
void BM_MemcpyArgbPage(benchmark::State& state)
{
    std::vector<uint32_t> from(static_cast<size_t>(kWidth) * kHeight, 7), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * from.size() * 4));
}
BENCHMARK(BM_MemcpyArgbPage);

void BM_MemcpyArgbTenthOfThePage(benchmark::State& state)
{
    std::vector<uint32_t> from(static_cast<size_t>(kWidth) * kHeight, 7), to(from.size());
    const auto cells = TenthOfThePage();
    for (auto _ : state) {
        for (const platform::PageRect& c : cells)
            for (int y = c.top; y < c.bottom; ++y)
                std::memcpy(&to[static_cast<size_t>(y) * kWidth + c.left], &from[static_cast<size_t>(y) * kWidth + c.left],
                            static_cast<size_t>(c.right - c.left) * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * cells.size() * 32 * 32 * 4));
}
BENCHMARK(BM_MemcpyArgbTenthOfThePage);

// The conversion alone, into memory: the whole page, or the tenth that changed.
void Convert(benchmark::State& state, int depth, bool tenth)
{
    const std::vector<uint8_t> page = RandomPage(depth);
    const auto table = SomePalette();
    const std::vector<platform::PageRect> rects =
        tenth ? TenthOfThePage() : std::vector<platform::PageRect>{{0, 0, kWidth, kHeight}};
    std::vector<uint32_t> out(static_cast<size_t>(kWidth) * kHeight);
    const platform::DisplayMode mode{kWidth, kHeight, depth};
    for (auto _ : state) {
        for (const platform::PageRect& r : rects)
            platform::ConvertRect(page.data(), platform::PagePitch(kWidth, depth), mode, platform::kGreenMask565,
                                  table, r, &out[static_cast<size_t>(r.top) * kWidth + r.left], kWidth * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (tenth ? 30 * 32 * 32 : kWidth * kHeight) * 4));
}

void BM_ConvertPage16(benchmark::State& state)
{
    Convert(state, 16, false);
}
BENCHMARK(BM_ConvertPage16);

void BM_ConvertPage8(benchmark::State& state)
{
    Convert(state, 8, false);
}
BENCHMARK(BM_ConvertPage8);

void BM_ConvertPage32(benchmark::State& state)
{
    Convert(state, 32, false);
}
BENCHMARK(BM_ConvertPage32);

void BM_ConvertTenthOfThePage16(benchmark::State& state)
{
    Convert(state, 16, true);
}
BENCHMARK(BM_ConvertTenthOfThePage16);

#if VANTOREL_HAVE_SDL
// Conversion into a streaming ARGB8888 texture and its upload, on SDL's software renderer (no
// display needed): the work of the SDL present minus the window system's share. Each changed
// rectangle is locked, converted and unlocked, as the display does.
void SoftwarePresent(benchmark::State& state, int depth, bool tenth)
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
    const std::vector<platform::PageRect> rects =
        tenth ? TenthOfThePage() : std::vector<platform::PageRect>{{0, 0, kWidth, kHeight}};
    for (auto _ : state) {
        for (const platform::PageRect& r : rects) {
            const SDL_Rect area{r.left, r.top, r.right - r.left, r.bottom - r.top};
            void* pixels = nullptr;
            int texturePitch = 0;
            SDL_LockTexture(texture, &area, &pixels, &texturePitch);
            platform::ConvertRect(page.data(), pitch, {kWidth, kHeight, depth}, platform::kGreenMask565, table, r,
                                  pixels, texturePitch);
            SDL_UnlockTexture(texture);
        }
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (tenth ? 30 * 32 * 32 : kWidth * kHeight) * 4));
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(target);
}

void BM_SdlSoftwarePresent16(benchmark::State& state)
{
    SoftwarePresent(state, 16, false);
}
BENCHMARK(BM_SdlSoftwarePresent16);

void BM_SdlSoftwarePresentTenthOfThePage16(benchmark::State& state)
{
    SoftwarePresent(state, 16, true);
}
BENCHMARK(BM_SdlSoftwarePresentTenthOfThePage16);

void BM_SdlSoftwarePresent8(benchmark::State& state)
{
    SoftwarePresent(state, 8, false);
}
BENCHMARK(BM_SdlSoftwarePresent8);

// The whole present of the SDL display into its window (only where a display exists, e.g. under
// xvfb-run): conversion of what changed, upload, scaling into the window and the window system's
// share. The whole page changes each time, or a tenth of it.
void WindowPresent(benchmark::State& state, int depth, bool tenth)
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
    const auto cells = TenthOfThePage();
    for (auto _ : state) {
        screen.Lock();
        if (tenth)
            for (const platform::PageRect& c : cells)
                screen.MarkChanged({c.left, c.top, c.right, c.bottom});
        else
            screen.MarkChanged({0, 0, kWidth, kHeight});
        screen.Unlock();
        screen.Present();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (tenth ? 30 * 32 * 32 : kWidth * kHeight) * 4));
}

void BM_SdlWindowPresent16(benchmark::State& state)
{
    WindowPresent(state, 16, false);
}
BENCHMARK(BM_SdlWindowPresent16);

void BM_SdlWindowPresentTenthOfThePage16(benchmark::State& state)
{
    WindowPresent(state, 16, true);
}
BENCHMARK(BM_SdlWindowPresentTenthOfThePage16);

void BM_SdlWindowPresent8(benchmark::State& state)
{
    WindowPresent(state, 8, false);
}
BENCHMARK(BM_SdlWindowPresent8);
#endif

} // namespace
