// Loading TGA pictures as the game loads them on a first start: CFrame::LoadTga with the frames'
// default load stages (alpha threshold, crop, unpremultiply, dithered depth conversion, run-length
// encoding) at each display depth, and ReadTga alone (the file decoded into 32-bit pixels), read
// against a memcpy of the file's bytes. Two pictures, drawn here:
//   sprite   a 160 x 120 run-length 32-bit image with soft alpha edges and transparent margins
//   picture  a 640 x 480 uncompressed 24-bit background of gradients and grain
// Read each row as pixels per second, and LoadTga against ReadTga of the same picture.
#include "blit/ColorPacking.h"
#include "graphics/Frame.h"
#include "graphics/PaletteTable.h"
#include "graphics/ScreenMode.h"
#include "graphics/TgaImage.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

struct Picture
{
    const char* name;
    int width, height;
    bool sprite;
};
const Picture kPictures[] = {{"sprite", 160, 120, true}, {"picture", 640, 480, false}};

void PutU16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

// The file's bytes: the sprite run-length encoded as the content tool writes (WriteTga), the
// picture uncompressed, bottom row first.
std::vector<uint8_t> MakeFile(const Picture& p)
{
    std::mt19937 random(static_cast<uint32_t>(p.width));
    const uint32_t bytes = p.sprite ? 4 : 3;
    std::vector<uint8_t> pixels(static_cast<size_t>(p.width) * p.height * bytes);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            uint8_t* at = &pixels[(static_cast<size_t>(y) * p.width + x) * bytes];
            const double u = double(x) / p.width, v = double(y) / p.height;
            at[0] = static_cast<uint8_t>(40 + 150 * u + random() % 9);
            at[1] = static_cast<uint8_t>(30 + 200 * v + random() % 9);
            at[2] = static_cast<uint8_t>(200 - 120 * u * v + random() % 9);
            if (p.sprite) {
                // A disc with a soft edge in the middle, transparent around it.
                const double r = std::hypot(x - p.width / 2.0, y - p.height / 2.0) / (p.height * 0.4);
                const double alpha = std::clamp(1.0 - (r - 0.85) / 0.15, 0.0, 1.0);
                at[3] = static_cast<uint8_t>(std::lround(alpha * 255));
                for (int c = 0; c < 3; ++c)
                    at[c] = static_cast<uint8_t>(at[c] * alpha);
            }
        }
    std::vector<uint8_t> file;
    if (p.sprite) {
        CFrame frame;
        frame.Create(static_cast<uint32_t>(p.width), static_cast<uint32_t>(p.height), 32);
        std::memcpy(frame.GetPixels(), pixels.data(), pixels.size());
        const std::string path = (std::filesystem::temp_directory_path() / "tga_bench_sprite.tga").string();
        frame.SaveTga(path.c_str(), 0);
        std::ifstream in(path, std::ios::binary);
        file.assign(std::istreambuf_iterator<char>(in), {});
        std::filesystem::remove(path);
        return file;
    }
    file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PutU16(file, static_cast<uint32_t>(p.width));
    PutU16(file, static_cast<uint32_t>(p.height));
    file.push_back(24);
    file.push_back(0);
    for (int y = p.height - 1; y >= 0; --y)
        file.insert(file.end(), pixels.begin() + static_cast<ptrdiff_t>(y) * p.width * 3,
                    pixels.begin() + static_cast<ptrdiff_t>(y + 1) * p.width * 3);
    return file;
}

// The file on disk, where LoadTga reads it.
std::string WriteFile(const Picture& p)
{
    const std::string path = (std::filesystem::temp_directory_path() / (std::string("tga_bench_") + p.name + ".tga")).string();
    const std::vector<uint8_t> bytes = MakeFile(p);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
}

// An 8-bit display's palette: a colour cube with greys, as a game palette spreads its entries.
void SetUpPalette()
{
    CPaletteTable* palette = GetCurrentPaletteRef();
    palette->Create(1);
    uint32_t i = 1;
    for (uint32_t r = 0; r < 6; ++r)
        for (uint32_t g = 0; g < 7; ++g)
            for (uint32_t b = 0; b < 6; ++b)
                palette->SetEntry(i++, static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 42), static_cast<uint8_t>(b * 51));
    for (uint32_t grey = 0; i < 255; ++i, grey += 8)
        palette->SetEntry(i, static_cast<uint8_t>(grey), static_cast<uint8_t>(grey), static_cast<uint8_t>(grey));
}

void Count(benchmark::State& state, const Picture& p)
{
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * p.width * p.height);
}

void Load(benchmark::State& state, const Picture& p, int32_t depth)
{
    const std::string path = WriteFile(p);
    SetUpPalette();
    SetDisplayBitsPerPixel(depth);
    for (auto _ : state) {
        CFrame frame;
        if (!frame.LoadTga(path.c_str(), nullptr, nullptr, 0)) {
            state.SkipWithError("LoadTga failed");
            break;
        }
        benchmark::DoNotOptimize(frame.GetPixels());
    }
    std::filesystem::remove(path);
    Count(state, p);
}

void Read(benchmark::State& state, const Picture& p)
{
    const std::vector<uint8_t> bytes = MakeFile(p);
    for (auto _ : state) {
        CFrame frame;
        ReadTga(frame, bytes.data(), static_cast<uint32_t>(bytes.size()), "bench.tga", nullptr, 32);
        benchmark::DoNotOptimize(frame.GetPixels());
    }
    Count(state, p);
}

void Memcpy(benchmark::State& state, const Picture& p)
{
    const std::vector<uint8_t> bytes = MakeFile(p);
    std::vector<uint8_t> to(bytes.size());
    for (auto _ : state) {
        std::memcpy(to.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
    Count(state, p);
}

const bool s_registered = [] {
    for (const Picture& p : kPictures) {
        const std::string name = p.name;
        benchmark::RegisterBenchmark(("memcpy/" + name).c_str(), Memcpy, p);
        benchmark::RegisterBenchmark(("ReadTga/" + name).c_str(), Read, p);
        for (int32_t depth : {8, 16, 24, 32})
            benchmark::RegisterBenchmark(("LoadTga/" + name + "/" + std::to_string(depth)).c_str(), Load, p, depth);
    }
    return true;
}();

} // namespace
