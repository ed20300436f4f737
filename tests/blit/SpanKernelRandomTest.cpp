// Random runs of every row against the reference rules: about a million per grouped row on every kernel
// path the processor offers, fewer for the rows that have one implementation. Runs start at
// random byte offsets, so every alignment occurs.
#include "SpanKernelTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace spantest;

namespace {

struct RandomRun
{
    uint32_t n, value, alphaByte;
    const uint8_t *initial, *source, *alpha;
    size_t expectedAt;
};

// Checks `runs` random runs of each operation in [first, last] on the given paths. Runs are made
// and their expected results computed in batches, and every path checks the whole batch.
void CheckRandomRuns(uint32_t first, uint32_t last, uint32_t runs, std::initializer_list<SpanKernelPath> paths)
{
    CScopedBlendTables tables;
    CScopedLevel level(255);
    std::mt19937 engine(0x5EED0000u + first);
    auto random = [&engine] { return static_cast<uint32_t>(engine()); };
    std::vector<uint8_t> pool(1 << 20);
    for (uint8_t& b : pool)
        b = static_cast<uint8_t>(random());
    constexpr uint32_t kMostBytes = 3 * kLongestSpan, kBatch = 1024;
    auto at = [&](uint32_t bytes) { return &pool[random() % (pool.size() - bytes)]; };
    std::vector<RandomRun> batch(kBatch);
    std::vector<uint8_t> expected(kBatch * kMostBytes), work(kMostBytes + 8);

    for (uint32_t op = first; op <= last; ++op) {
        const SpanOperands operands = GetSpanOperands(op);
        const uint32_t bytes = DestinationBytes(op);
        for (uint32_t done = 0; done < runs; done += kBatch) {
            const uint32_t levelValue = random() % 256;
            level.Set(levelValue);
            for (uint32_t r = 0; r < kBatch; ++r) {
                RandomRun& run = batch[r];
                run = {random() % kSpanTableLength, random(), random(), at(kMostBytes), at(kMostBytes),
                       at(kLongestSpan), r * kMostBytes};
                std::memcpy(&expected[run.expectedAt], run.initial, run.n * bytes);
                ReferenceRun(op, &expected[run.expectedAt], run.source, run.alpha, run.value, run.alphaByte, levelValue,
                             run.n, Alpha20_80.GetData(), Alpha40_60.GetData());
            }
            for (SpanKernelPath path : paths) {
                CScopedPath scopedPath(path);
                if (!scopedPath.IsAvailable())
                    continue;
                for (uint32_t r = 0; r < kBatch; ++r) {
                    const RandomRun& run = batch[r];
                    uint8_t* d = &work[r % 8]; // every alignment
                    std::memcpy(d, run.initial, run.n * bytes);
                    CallSpan(g_spanKernels[op], operands, run.n, d, run.source, run.alpha, run.value, run.alphaByte,
                             run.n);
                    if (std::memcmp(d, &expected[run.expectedAt], run.n * bytes) != 0) {
                        ADD_FAILURE() << "operation " << op << " path " << int(path) << " n " << run.n << " level "
                                      << levelValue;
                        return;
                    }
                }
            }
        }
    }
}

} // namespace

TEST(SpanKernelRandom, GroupedRowsMatchTheRulesOnEveryPath)
{
    CheckRandomRuns(kSpanBlend16SrcAlphaMmx, kSpanBlend16ColorAlphaLevelMmx, 1000 * 1024,
                    {SpanKernelPath::Portable, SpanKernelPath::Sse2, SpanKernelPath::Avx2});
}

TEST(SpanKernelRandom, OtherRowsMatchTheRules)
{
    CheckRandomRuns(kSpanCopy8, kSpanBlend16ColorAlphaLevel, 20 * 1024, {GetSpanKernelPath()});
    CheckRandomRuns(kSpanCopy24, kSpanBlend24ColorAlphaLevel, 20 * 1024, {GetSpanKernelPath()});
}
