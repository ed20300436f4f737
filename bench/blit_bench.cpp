// Our blit routines beside SDL2's SDL_BlitSurface on the same pictures, all onto RGB565, at
// 8x8, 32x16, 64x32 and 640x480, with a memcpy of the rectangle's bytes as the floor:
//   opaque     copy of plain pixels (g_copyBlitter)          / SDL, no blending, no key
//   keyed      plain pixels with 0 left out (Transparent Mask) / SDL colour key 0
//   runlength  run-length rows, skips transparent (Transparent Mask) / SDL colour key 0 with RLE
//   constant   plain pixels at opacity 0.5 ("Blend Black Bias") / SDL alpha mod 128
//   rlealpha   run-length rows at opacity 0.5 (Transparent Mask)  / SDL alpha mod 128 with RLE
//   constant40, rlealpha40  the same at opacity 0.4 / SDL alpha mod 102: SDL blends 50 % by a
//              special path, so the 0.5 rows measure that path only
//   pixelalpha translucent layer with an alpha byte per pixel (Transparent Mask) / SDL ARGB8888 blend
// Read each pair as the SDL row's time over ours. The pictures are a third transparent, in runs.
#include "BlitBenchSupport.h"
#include "blit/Blitter.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/TableBlendBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Frame.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using blitbench::AdoptRows;

struct Size
{
    int width, height;
};
const Size kSizes[] = {{8, 8}, {32, 16}, {64, 32}, {640, 480}};

// RGB565 pixels (0 transparent) and one alpha byte per pixel.
struct Picture
{
    int width = 0, height = 0;
    std::vector<uint16_t> pixels;
    std::vector<uint8_t> alphas;
};

Picture MakePicture(Size size)
{
    Picture picture{size.width, size.height, {}, {}};
    std::mt19937 random(static_cast<uint32_t>(size.width * 1000 + size.height));
    bool opaque = true;
    while (picture.pixels.size() < static_cast<size_t>(size.width) * size.height) {
        const uint32_t length = 1 + random() % (opaque ? 24 : 12);
        for (uint32_t i = 0; i < length; ++i) {
            picture.pixels.push_back(opaque ? static_cast<uint16_t>(1 + random() % 0xFFFF) : 0);
            picture.alphas.push_back(static_cast<uint8_t>(random()));
        }
        opaque = !opaque;
    }
    picture.pixels.resize(static_cast<size_t>(size.width) * size.height);
    picture.alphas.resize(picture.pixels.size());
    return picture;
}

// Run-length rows of a picture: skips for 0, literal runs for the rest. With `every`, every pixel
// in literal runs, and its alpha bytes in step into `alphaRows`.
void Encode(const Picture& picture, bool every, std::vector<std::vector<uint8_t>>& rows,
            std::vector<std::vector<uint8_t>>* alphaRows)
{
    for (int r = 0; r < picture.height; ++r) {
        const uint16_t* row = &picture.pixels[static_cast<size_t>(r) * picture.width];
        std::vector<uint8_t> codes, alphas;
        for (int x = 0; x < picture.width;) {
            int end = x;
            const bool skip = !every && row[x] == 0;
            while (end < picture.width && end - x < (skip ? 127 : 63) && (every || (row[end] == 0) == skip))
                ++end;
            codes.push_back(static_cast<uint8_t>((skip ? 0x80 : 0x40) | (end - x)));
            for (int k = x; !skip && k < end; ++k) {
                codes.push_back(static_cast<uint8_t>(row[k]));
                codes.push_back(static_cast<uint8_t>(row[k] >> 8));
                alphas.push_back(picture.alphas[static_cast<size_t>(r) * picture.width + k]);
            }
            x = end;
        }
        rows.push_back(codes);
        if (alphaRows)
            alphaRows->push_back(alphas);
    }
}

enum class Kind
{
    Plain,
    RunLength,
    Translucent
};

std::unique_ptr<CFrame> MakeFrame(const Picture& picture, Kind kind)
{
    auto frame = std::make_unique<CFrame>();
    frame->Create(static_cast<uint32_t>(picture.width), static_cast<uint32_t>(picture.height), 16);
    if (kind == Kind::Plain) {
        std::memcpy(frame->GetPixels(), picture.pixels.data(), picture.pixels.size() * 2);
        return frame;
    }
    std::vector<std::vector<uint8_t>> rows, alphas;
    Encode(picture, kind == Kind::Translucent, rows, &alphas);
    if (kind == Kind::RunLength) {
        AdoptRows(*frame, 0, rows);
    } else {
        frame->AdoptPixels(nullptr, nullptr);
        AdoptRows(*frame, 4, rows);
        AdoptRows(*frame, 3, alphas);
    }
    frame->SetFormatFlags(frame->GetFormatFlags() | kFrameRunLengthAlpha);
    return frame;
}

SDL_Surface* MakeSurface(const Picture& picture, bool argb)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, argb ? 32 : 16,
                                                          argb ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB565);
    for (int r = 0; r < picture.height; ++r)
        for (int x = 0; x < picture.width; ++x) {
            const size_t i = static_cast<size_t>(r) * picture.width + x;
            const uint32_t p = picture.pixels[i];
            auto* row = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(r) * surface->pitch;
            if (argb) {
                const uint32_t value = static_cast<uint32_t>(picture.alphas[i]) << 24 | (p >> 8 & 0xF8) << 16 |
                                       (p >> 3 & 0xFC) << 8 | (p << 3 & 0xF8);
                std::memcpy(row + 4 * x, &value, 4);
            } else {
                std::memcpy(row + 2 * x, &picture.pixels[i], 2);
            }
        }
    return surface;
}

void Count(benchmark::State& state, Size size)
{
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * size.width * size.height);
}

struct Pair
{
    const char* name;
    Kind kind;
    CBlitter* blitter;
    float opacity;
    // SDL's side: colour key, alpha mod (255: none), RLE, ARGB source with blending.
    bool key;
    uint8_t alphaMod;
    bool rle;
    bool argb;
};

const Pair kPairs[] = {
    {"opaque", Kind::Plain, &g_copyBlitter, 1.0f, false, 255, false, false},
    {"keyed", Kind::Plain, &g_transparentMaskBlitter, 1.0f, true, 255, false, false},
    {"runlength", Kind::RunLength, &g_transparentMaskBlitter, 1.0f, true, 255, true, false},
    {"constant", Kind::Plain, &g_blackBiasBlitter, 0.5f, false, 128, false, false},
    {"rlealpha", Kind::RunLength, &g_transparentMaskBlitter, 0.5f, true, 128, true, false},
    {"constant40", Kind::Plain, &g_blackBiasBlitter, 0.4f, false, 102, false, false},
    {"rlealpha40", Kind::RunLength, &g_transparentMaskBlitter, 0.4f, true, 102, true, false},
    {"pixelalpha", Kind::Translucent, &g_transparentMaskBlitter, 1.0f, false, 255, false, true},
};

void Ours(benchmark::State& state, const Pair& pair, Size size)
{
    const Picture picture = MakePicture(size);
    auto source = MakeFrame(picture, pair.kind);
    CFrame destination;
    destination.Create(static_cast<uint32_t>(size.width), static_cast<uint32_t>(size.height), 16);
    BuildAlphaScaleTables();
    BuildBlendStepTable();
    pair.blitter->SetOpacity(pair.opacity);
    const CIntRect rect{0, 0, size.width, size.height};
    for (auto _ : state) {
        destination.Blit(source.get(), rect, rect, pair.blitter);
        benchmark::ClobberMemory();
    }
    pair.blitter->SetOpacity(1.0f);
    Count(state, size);
}

void Sdl(benchmark::State& state, const Pair& pair, Size size)
{
    const Picture picture = MakePicture(size);
    SDL_Surface* source = MakeSurface(picture, pair.argb);
    SDL_Surface* destination = SDL_CreateRGBSurfaceWithFormat(0, size.width, size.height, 16, SDL_PIXELFORMAT_RGB565);
    SDL_SetSurfaceBlendMode(source, pair.argb || pair.alphaMod != 255 ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    if (pair.key)
        SDL_SetColorKey(source, SDL_TRUE, 0);
    SDL_SetSurfaceAlphaMod(source, pair.alphaMod);
    SDL_SetSurfaceRLE(source, pair.rle ? 1 : 0);
    for (auto _ : state) {
        SDL_BlitSurface(source, nullptr, destination, nullptr);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(source);
    SDL_FreeSurface(destination);
    Count(state, size);
}

void Memcpy(benchmark::State& state, Size size)
{
    std::vector<uint8_t> from(static_cast<size_t>(size.width) * size.height * 2, 7), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    Count(state, size);
}

const bool s_registered = [] {
    for (Size size : kSizes) {
        // Appended, not "/" + std::to_string(...): g++ 12 at -O3 warns falsely (-Wrestrict) inside that.
        std::string suffix = "/";
        suffix += std::to_string(size.width);
        suffix += 'x';
        suffix += std::to_string(size.height);
        benchmark::RegisterBenchmark(("memcpy" + suffix).c_str(), Memcpy, size);
        for (const Pair& pair : kPairs) {
            benchmark::RegisterBenchmark((std::string(pair.name) + "/ours" + suffix).c_str(), Ours, pair, size);
            benchmark::RegisterBenchmark((std::string(pair.name) + "/sdl" + suffix).c_str(), Sdl, pair, size);
        }
    }
    return true;
}();

} // namespace
