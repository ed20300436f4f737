// The nearest-colour search of the frame conversions beside the linear search of the palette
// table it replaces, on the same palette and colours (read each row as colours per second):
//   linear            CPaletteTable::FindNearest over entries 1 to 254
//   measured/<lanes>  CNearestColorSearch::Measure, every colour searched (portable, SSE2, AVX2)
//   remembered        CNearestColorSearch::Find on colours that repeat as a picture's do
//   grid              CNearestColorGrid::Find, every colour searched (its cells once built)
//   dithered          CDitherer over a 640 x 480 picture of soft gradients and grain (read as
//                     pixels per second)
#include "graphics/Ditherer.h"
#include "graphics/NearestColorGrid.h"
#include "graphics/NearestColorSearch.h"
#include "graphics/PaletteTable.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

struct Colour
{
    uint8_t red, green, blue;
};

CPaletteTable& Palette()
{
    static CPaletteTable palette;
    if (palette.IsEmpty()) {
        palette.Create(1);
        std::mt19937 random(254);
        for (uint32_t i = 0; i < 256; ++i)
            palette.SetEntry(i, random() & 0xFF, random() & 0xFF, random() & 0xFF);
    }
    return palette;
}

// Random colours, or (repeating) a few hundred colours over and over.
std::vector<Colour> Colours(bool repeating)
{
    std::mt19937 random(repeating ? 7 : 8);
    std::vector<Colour> colours(4096);
    for (Colour& c : colours)
        c = {static_cast<uint8_t>(random()), static_cast<uint8_t>(random()), static_cast<uint8_t>(random())};
    if (repeating)
        for (size_t i = 300; i < colours.size(); ++i)
            colours[i] = colours[random() % 300];
    return colours;
}

void Linear(benchmark::State& state)
{
    const auto colours = Colours(false);
    for (auto _ : state)
        for (const Colour& c : colours)
            benchmark::DoNotOptimize(Palette().FindNearest(c.red, c.green, c.blue, 1, 255));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * colours.size()));
}

void Measured(benchmark::State& state, CNearestColorSearch::Lanes lanes)
{
    if (!CNearestColorSearch::IsAvailable(lanes)) {
        state.SkipWithError("not on this processor");
        return;
    }
    const auto colours = Colours(false);
    CNearestColorSearch search(Palette().GetData(), 1, 255);
    search.SetLanes(lanes);
    for (auto _ : state)
        for (const Colour& c : colours)
            benchmark::DoNotOptimize(search.Measure(c.red, c.green, c.blue));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * colours.size()));
}

void Remembered(benchmark::State& state)
{
    const auto colours = Colours(true);
    CNearestColorSearch search(Palette().GetData(), 1, 255);
    for (auto _ : state)
        for (const Colour& c : colours)
            benchmark::DoNotOptimize(search.Find(c.red, c.green, c.blue));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * colours.size()));
}

void Grid(benchmark::State& state)
{
    const auto colours = Colours(false);
    CNearestColorGrid grid(Palette().GetData(), 1, 255);
    for (auto _ : state)
        for (const Colour& c : colours)
            benchmark::DoNotOptimize(grid.Find(c.red, c.green, c.blue));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * colours.size()));
}

void Dithered(benchmark::State& state)
{
    constexpr uint32_t kWidth = 640, kHeight = 480;
    std::mt19937 random(3);
    std::vector<float> picture;
    for (uint32_t y = 0; y < kHeight; ++y)
        for (uint32_t x = 0; x < kWidth; ++x) {
            const float grain = static_cast<float>(random() % 9) / 255.0f;
            picture.push_back(std::min(1.0f, x / float{kWidth} + grain));
            picture.push_back(std::min(1.0f, y / float{kHeight} + grain));
            picture.push_back(std::min(1.0f, (x + y) / float{kWidth + kHeight} + grain));
        }
    for (auto _ : state) {
        CDitherer ditherer(kWidth, 0.5f, Palette(), Palette());
        for (size_t i = 0; i < picture.size(); i += 3)
            benchmark::DoNotOptimize(ditherer.Dither(picture[i], picture[i + 1], picture[i + 2]));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kWidth * kHeight));
}

BENCHMARK(Linear);
BENCHMARK_CAPTURE(Measured, portable, CNearestColorSearch::Lanes::Portable);
BENCHMARK_CAPTURE(Measured, sse2, CNearestColorSearch::Lanes::Sse2);
BENCHMARK_CAPTURE(Measured, avx2, CNearestColorSearch::Lanes::Avx2);
BENCHMARK(Remembered);
BENCHMARK(Grid);
BENCHMARK(Dithered);

} // namespace
