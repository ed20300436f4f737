// Every row of the span kernel table and every conversion table at runs of 1, 4, 16, 64 and 640
// pixels, in pixels per second, beside memcpy of as many pixels of the same size: read each row
// as a ratio to the memcpy row of its pixel size and length. The grouped RGB565 rows run once per
// kernel path. Runs longer than 63 pixels go to the row's loop (entry 63), which takes any length.
#include "blit/Blitter.h"
#include "blit/ColorPacking.h"
#include "blit/kernels/SpanKernelTable.h"
#include "graphics/PaletteTable.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

const uint32_t kLengths[] = {1, 4, 16, 64, 640};
constexpr uint32_t kMostPixels = 640;

const char* const kOperationNames[kSpanOperationCount] = {
    "Copy8", "Fill8", "Blend20_80DstSrc", "Blend20_80DstValue", "Blend40_60DstSrc", "Blend40_60DstValue",
    "Blend40_60SrcDst", "Blend40_60ValueDst", "Blend20_80SrcDst", "Blend20_80ValueDst", "Copy16", "Fill16",
    "Blend16SrcAlpha", "Blend16ColorAlpha", "Blend16SrcLevel", "Blend16ColorLevel", "Blend16SrcAlphaLevel",
    "Blend16ColorAlphaLevel", "Blend16SrcAlphaMmx", "Blend16ColorAlphaMmx", "Blend16SrcLevelMmx",
    "Blend16ColorLevelMmx", "Blend16SrcAlphaLevelMmx", "Blend16ColorAlphaLevelMmx", "Copy24", "Fill24",
    "Blend24SrcAlpha", "Blend24ColorAlpha", "Blend24SrcLevel", "Blend24ColorLevel", "Blend24SrcAlphaLevel",
    "Blend24ColorAlphaLevel"};

// Successive calls work on successive runs of a window that stays in the first-level cache, as a
// row walker does; blending one run over and over would time the wait for its own last store.
constexpr size_t kWindow = 16 * 1024;

size_t NextRun(size_t at, size_t bytes)
{
    at += bytes;
    return at + 4 * kMostPixels > kWindow ? 0 : at;
}

// Random pixels and alpha bytes, loaded blend tables and a level of 200.
struct Buffers
{
    std::vector<uint8_t> destination, source, alpha;
    Buffers() : destination(kWindow), source(kWindow), alpha(kWindow)
    {
        std::mt19937 random(7);
        for (auto* bytes : {&destination, &source, &alpha})
            for (uint8_t& b : *bytes)
                b = static_cast<uint8_t>(random());
        for (CPaletteTable* table : {&Alpha20_80, &Alpha40_60}) {
            table->Create(4);
            for (uint32_t i = 0; i < 256 * 256; ++i)
                table->GetData()[i] = static_cast<uint8_t>(random());
        }
        for (uint32_t i = 0; i < 256; ++i)
            g_paletteToPixel16[i] = random() & 0xFFFF;
        BuildAlphaScaleTables();
        g_currentAlphaRow = g_alphaScaleTables[200];
    }
};

Buffers& GetBuffers()
{
    static Buffers buffers;
    return buffers;
}

void RunSpans(benchmark::State& state, const SpanTable* table, SpanOperands operands, SpanKernelPath path)
{
    Buffers& b = GetBuffers();
    if (!SetSpanKernelPath(path)) {
        state.SkipWithError("kernel path not available");
        return;
    }
    const uint32_t n = static_cast<uint32_t>(state.range(0));
    const SpanKernel kernel = (*table)[n < kSpanTableLength ? n : kLongestSpan];
    const size_t runBytes = static_cast<size_t>(n) * 4; // the widest pixel, for every row alike
    size_t at = 0;
    for (auto _ : state) {
        void* d = &b.destination[at];
        const void* s = &b.source[at];
        const uint8_t* a = &b.alpha[at];
        switch (operands) {
        case SpanOperands::Source: kernel.source(d, s, n); break;
        case SpanOperands::Value: kernel.value(d, 0x12345678, n); break;
        case SpanOperands::SourceAlpha: kernel.sourceAlpha(d, s, a, n); break;
        case SpanOperands::ValueAlpha: kernel.valueAlpha(d, 0x12345678, 200, n); break;
        }
        benchmark::ClobberMemory();
        at = NextRun(at, runBytes);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * n);
    SetSpanKernelPath(GetFastestSpanKernelPath());
}

void Memcpy(benchmark::State& state, uint32_t pixelBytes)
{
    Buffers& b = GetBuffers();
    const size_t bytes = static_cast<size_t>(state.range(0)) * pixelBytes;
    size_t at = 0;
    for (auto _ : state) {
        std::memcpy(&b.destination[at], &b.source[at], bytes);
        benchmark::ClobberMemory();
        at = NextRun(at, static_cast<size_t>(state.range(0)) * 4);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

template <class... Arguments>
void Register(const std::string& name, Arguments... arguments)
{
    auto* benchmark = benchmark::RegisterBenchmark(name.c_str(), arguments...);
    for (uint32_t n : kLengths)
        benchmark->Arg(n);
}

const bool s_registered = [] {
    for (uint32_t bytes = 1; bytes <= 4; ++bytes)
        Register("Memcpy/" + std::to_string(8 * bytes) + "bit", Memcpy, bytes);
    for (uint32_t op = 0; op < kSpanOperationCount; ++op) {
        const bool grouped = op >= kSpanBlend16SrcAlphaMmx && op <= kSpanBlend16ColorAlphaLevelMmx;
        if (!grouped) {
            Register(std::string("Span/") + kOperationNames[op], RunSpans, &g_spanKernels[op], GetSpanOperands(op),
                     GetFastestSpanKernelPath());
            continue;
        }
        const std::pair<const char*, SpanKernelPath> paths[] = {
            {"portable", SpanKernelPath::Portable}, {"sse2", SpanKernelPath::Sse2}, {"avx2", SpanKernelPath::Avx2}};
        for (const auto& [pathName, path] : paths)
            Register(std::string("Span/") + kOperationNames[op] + "/" + pathName, RunSpans, &g_spanKernels[op],
                     GetSpanOperands(op), path);
    }
    const std::pair<const char*, const SpanTable*> conversions[] = {
        {"Expand8To16", &Expand8To16},         {"FillIndexAs16", &FillIndexAs16},
        {"Expand16To24", &Expand16To24},       {"Expand16To24Alpha", &Expand16To24Alpha},
        {"Expand16To32", &Expand16To32},       {"Expand16To32Alpha", &Expand16To32Alpha},
        {"Fill16As24", &Fill16As24},           {"Fill16As24Alpha", &Fill16As24Alpha},
        {"Fill16As32", &Fill16As32},           {"Fill16As32Alpha", &Fill16As32Alpha}};
    const SpanOperands conversionOperands[] = {SpanOperands::Source, SpanOperands::Value, SpanOperands::Source,
                                               SpanOperands::SourceAlpha, SpanOperands::Source,
                                               SpanOperands::SourceAlpha, SpanOperands::Value,
                                               SpanOperands::ValueAlpha, SpanOperands::Value, SpanOperands::ValueAlpha};
    for (size_t i = 0; i < std::size(conversions); ++i)
        Register(std::string("Convert/") + conversions[i].first, RunSpans, conversions[i].second,
                 conversionOperands[i], GetFastestSpanKernelPath());
    return true;
}();

} // namespace
