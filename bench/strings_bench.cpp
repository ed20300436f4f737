// Shared strings against std::string, and the small-block allocator against malloc/free.
// Read the results as ratios of the paired rows.
#include "foundation/SharedString.h"
#include "foundation/SmallBlockAllocator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kShortText = "Ball";                                     // fits std::string's own room
const char* const kLongText = "Data/Sequences/Power-ups/Catcher.seq24 x"; // 40 characters

void BM_CopySharedString(benchmark::State& state)
{
    const CSharedString source(state.range(0) ? kLongText : kShortText);
    for (auto _ : state) {
        CSharedString copy(source);
        benchmark::DoNotOptimize(copy.CStr());
    }
}
BENCHMARK(BM_CopySharedString)->Arg(0)->Arg(1);

void BM_CopyStdString(benchmark::State& state)
{
    const std::string source(state.range(0) ? kLongText : kShortText);
    for (auto _ : state) {
        std::string copy(source);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_CopyStdString)->Arg(0)->Arg(1);

// Builds a text of n segments of 8 characters from empty.
void BM_AppendSharedString(benchmark::State& state)
{
    const int segments = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CSharedString text;
        for (int i = 0; i < segments; ++i)
            text.AppendText("/segment");
        benchmark::DoNotOptimize(text.CStr());
    }
}
BENCHMARK(BM_AppendSharedString)->Arg(2)->Arg(10)->Arg(50);

void BM_AppendSharedStringReserved(benchmark::State& state)
{
    const int segments = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CSharedString text;
        text.Reserve(8 * segments);
        for (int i = 0; i < segments; ++i)
            text.AppendText("/segment");
        benchmark::DoNotOptimize(text.CStr());
    }
}
BENCHMARK(BM_AppendSharedStringReserved)->Arg(2)->Arg(10)->Arg(50);

void BM_AppendStdString(benchmark::State& state)
{
    const int segments = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::string text;
        for (int i = 0; i < segments; ++i)
            text += "/segment";
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_AppendStdString)->Arg(2)->Arg(10)->Arg(50);

void BM_FormatSharedString(benchmark::State& state)
{
    CSharedString text;
    int score = 0;
    for (auto _ : state) {
        text.Format("%s: %d points, %5.2f s", "Player", ++score, 12.5);
        benchmark::DoNotOptimize(text.CStr());
    }
}
BENCHMARK(BM_FormatSharedString);

void BM_FormatStdString(benchmark::State& state)
{
    std::string text;
    int score = 0;
    for (auto _ : state) {
        ++score;
        const int n = std::snprintf(nullptr, 0, "%s: %d points, %5.2f s", "Player", score, 12.5);
        text.resize(static_cast<size_t>(n));
        std::snprintf(text.data(), text.size() + 1, "%s: %d points, %5.2f s", "Player", score, 12.5);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_FormatStdString);

// A batch of 64 blocks of one size allocated, then freed in reverse order.
constexpr int kBatch = 64;

void BM_SmallBlockAllocator(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(state.range(0));
    void* blocks[kBatch];
    for (auto _ : state) {
        for (void*& block : blocks)
            block = AllocSmallBlock(size);
        benchmark::DoNotOptimize(blocks);
        for (int i = kBatch; i-- > 0;)
            FreeSmallBlock(blocks[i], size);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_SmallBlockAllocator)->Arg(8)->Arg(16)->Arg(40)->Arg(100)->Arg(250)->Arg(500);

void BM_MallocFree(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(state.range(0));
    void* blocks[kBatch];
    for (auto _ : state) {
        for (void*& block : blocks)
            block = std::malloc(size);
        benchmark::DoNotOptimize(blocks);
        for (int i = kBatch; i-- > 0;)
            std::free(blocks[i]);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_MallocFree)->Arg(8)->Arg(16)->Arg(40)->Arg(100)->Arg(250)->Arg(500);

// Mixed sizes 8..500 in an interleaved pattern, as string buffers and objects come and go.
void BM_SmallBlockAllocatorMixed(benchmark::State& state)
{
    std::vector<size_t> sizes;
    for (int i = 0; i < kBatch; ++i)
        sizes.push_back(8 + static_cast<size_t>((i * 197) % 493));
    void* blocks[kBatch];
    for (auto _ : state) {
        for (int i = 0; i < kBatch; ++i)
            blocks[i] = AllocSmallBlock(sizes[static_cast<size_t>(i)]);
        benchmark::DoNotOptimize(blocks);
        for (int i = 0; i < kBatch; i += 2)
            FreeSmallBlock(blocks[i], sizes[static_cast<size_t>(i)]);
        for (int i = 1; i < kBatch; i += 2)
            FreeSmallBlock(blocks[i], sizes[static_cast<size_t>(i)]);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_SmallBlockAllocatorMixed);

void BM_MallocFreeMixed(benchmark::State& state)
{
    std::vector<size_t> sizes;
    for (int i = 0; i < kBatch; ++i)
        sizes.push_back(8 + static_cast<size_t>((i * 197) % 493));
    void* blocks[kBatch];
    for (auto _ : state) {
        for (int i = 0; i < kBatch; ++i)
            blocks[i] = std::malloc(sizes[static_cast<size_t>(i)]);
        benchmark::DoNotOptimize(blocks);
        for (int i = 0; i < kBatch; i += 2)
            std::free(blocks[i]);
        for (int i = 1; i < kBatch; i += 2)
            std::free(blocks[i]);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_MallocFreeMixed);

} // namespace
