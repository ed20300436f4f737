#pragma once
// Shared by the blit benchmarks: frames of random bytes, run-length blocks adopted by a frame, and
// the memcpy of a 640 x 480 frame that the 640 x 480 rows are read against.
#include "graphics/Frame.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace blitbench {

constexpr int32_t kScreenWidth = 640, kScreenHeight = 480;

inline std::unique_ptr<CFrame> RandomFrame(int32_t width, int32_t height, uint32_t depth)
{
    static std::mt19937 random(480);
    auto frame = std::make_unique<CFrame>();
    frame->Create(width, height, depth);
    const size_t bytes = static_cast<size_t>(width) * height * depth / 8;
    for (size_t i = 0; i < bytes; ++i)
        frame->GetPixels()[i] = static_cast<uint8_t>(random());
    return frame;
}

// A block of rows (its size first, as frames hold them) and its row table, adopted by the frame
// as its main rows (layer 0) or as layer 1 to 4.
inline void AdoptRows(CFrame& frame, uint32_t layer, const std::vector<std::vector<uint8_t>>& rows)
{
    uint32_t size = 4;
    for (const auto& row : rows)
        size += static_cast<uint32_t>(row.size());
    auto* block = static_cast<uint8_t*>(std::malloc(size));
    auto* offsets = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * (rows.size() + 2)));
    std::memcpy(block, &size, 4);
    uint32_t at = 4;
    for (size_t r = 0; r < rows.size(); ++r) {
        offsets[r] = at;
        std::memcpy(block + at, rows[r].data(), rows[r].size());
        at += static_cast<uint32_t>(rows[r].size());
    }
    if (layer == 0)
        frame.AdoptPixels(block, offsets);
    else
        frame.AdoptLayer(layer, block, offsets);
}

// memcpy of a 640 x 480 frame of pixelBytes bytes a pixel, counted in pixels.
inline void MemcpyScreen(benchmark::State& state, uint32_t pixelBytes)
{
    const size_t bytes = static_cast<size_t>(kScreenWidth) * kScreenHeight * pixelBytes;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kScreenWidth * kScreenHeight);
}

} // namespace blitbench
