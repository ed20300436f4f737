// The walkers with their kernels built in, against the table walkers on the plain kernel path:
// random rows (runs of every length from 0 to 63, skips, fills, literals, runs of length 0) cut
// at random columns on both sides, onto destinations at every byte alignment, at many levels and
// alphas, on every kernel path the processor offers. And runs of every length placed against an
// inaccessible page: a drawer reads and writes nothing outside its run.
#include "RunLengthTestSupport.h"
#include "SpanKernelTestSupport.h"
#include "blit/kernels/RunLengthDrawers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace rletest;
using namespace spantest;

namespace {

struct DrawerCase
{
    const char* name;
    uint32_t valueBytes, pixelBytes;
    bool translucent;
    uint32_t fill, literal; // rows of g_spanKernels
};

const DrawerCase kDrawerCases[] = {
    {"8-bit copy", 1, 1, false, kSpanFill8, kSpanCopy8},
    {"16-bit copy", 2, 2, false, kSpanFill16, kSpanCopy16},
    {"24-bit copy", 3, 3, false, kSpanFill24, kSpanCopy24},
    {"16-bit at a level", 2, 2, false, kSpanBlend16ColorLevelMmx, kSpanBlend16SrcLevelMmx},
    {"16-bit by alpha", 2, 2, true, kSpanBlend16ColorAlphaMmx, kSpanBlend16SrcAlphaMmx},
    {"16-bit by alpha at a level", 2, 2, true, kSpanBlend16ColorAlphaLevelMmx, kSpanBlend16SrcAlphaLevelMmx},
    {"8-bit 20/80, destination high", 1, 1, false, kSpanBlend20_80DstValue, kSpanBlend20_80DstSrc},
    {"8-bit 40/60, destination high", 1, 1, false, kSpanBlend40_60DstValue, kSpanBlend40_60DstSrc},
    {"8-bit 40/60, source high", 1, 1, false, kSpanBlend40_60ValueDst, kSpanBlend40_60SrcDst},
    {"8-bit 20/80, source high", 1, 1, false, kSpanBlend20_80ValueDst, kSpanBlend20_80SrcDst},
    {"24-bit at a level", 3, 3, false, kSpanBlend24ColorLevel, kSpanBlend24SrcLevel},
    {"24-bit by alpha", 3, 3, true, kSpanBlend24ColorAlpha, kSpanBlend24SrcAlpha},
    {"24-bit by alpha at a level", 3, 3, true, kSpanBlend24ColorAlphaLevel, kSpanBlend24SrcAlphaLevel},
};

const SpanKernelPath kPaths[] = {SpanKernelPath::Portable, SpanKernelPath::Sse2, SpanKernelPath::Avx2};

// A block of rows as frames hold them, with its row table.
struct Block
{
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> offsets;
    RunLengthRows Rows() const { return {bytes.data(), offsets.data()}; }
};

Block MakeBlock(const std::vector<std::vector<uint8_t>>& rows)
{
    Block block;
    block.bytes.resize(4);
    for (const auto& row : rows) {
        block.offsets.push_back(static_cast<uint32_t>(block.bytes.size()));
        block.bytes.insert(block.bytes.end(), row.begin(), row.end());
    }
    return block;
}

// A picture whose covered runs are long enough for every length up to 63 to occur.
Picture LongRunPicture(uint32_t width, uint32_t height, uint32_t valueMask, std::mt19937& random)
{
    Picture picture = RandomPicture(width, height, valueMask, random);
    for (Row& row : picture)
        for (uint32_t x = 0; x < width; ++x)
            if (random() % 3 == 0)
                row[x] = Pixel{true, static_cast<uint32_t>(random()) & valueMask, static_cast<uint8_t>(random())};
    return picture;
}

// The reference: the table walker with the case's pair of tables.
void DrawByTables(const DrawerCase& c, const RunLengthRows& codes, const RunLengthRows& alphas,
                  const RunLengthTarget& target, bool whole)
{
    const SpanTable& fill = g_spanKernels[c.fill];
    const SpanTable& literal = g_spanKernels[c.literal];
    switch (c.valueBytes * 2 + (c.translucent ? 1 : 0)) {
    case 2: WalkRunLengthRows<1, 1>(codes, 0, target, fill, literal, whole); break;
    case 4: WalkRunLengthRows<2, 2>(codes, 0, target, fill, literal, whole); break;
    case 5: WalkRunLengthAlphaRows<2, 2>(codes, alphas, 0, target, fill, literal, whole); break;
    case 6: WalkRunLengthRows<3, 3>(codes, 0, target, fill, literal, whole); break;
    case 7: WalkRunLengthAlphaRows<3, 3>(codes, alphas, 0, target, fill, literal, whole); break;
    default: FAIL() << "no reference for " << c.name;
    }
}

} // namespace

TEST(RunLengthDrawers, DrawAsTheTableWalkersOnEveryPathAlignmentAndClip)
{
    CScopedBlendTables tables;
    CScopedLevel level(255);
    std::mt19937 random(60);
    constexpr uint32_t kWidth = 200, kHeight = 5, kPad = 16;
    for (const DrawerCase& c : kDrawerCases) {
        SCOPED_TRACE(c.name);
        const SpanTable& fill = g_spanKernels[c.fill];
        const SpanTable& literal = g_spanKernels[c.literal];
        const uint32_t valueMask = c.valueBytes == 1 ? 0xFF : c.valueBytes == 2 ? 0xFFFF : 0xFFFFFF;
        for (int trial = 0; trial < 60; ++trial) {
            const Picture picture = LongRunPicture(kWidth, kHeight, valueMask, random);
            std::vector<std::vector<uint8_t>> alphaRows;
            const Block codes = MakeBlock(Encode(picture, c.valueBytes, random, c.translucent ? &alphaRows : nullptr));
            const Block alphas = MakeBlock(alphaRows);
            const RunLengthRows alphaRowsOf = alphas.Rows();
            const uint32_t levels[] = {0, 1, 102, 128, 200, 255};
            level.Set(levels[trial % 6]);

            // Whole rows, or a column range cut on either side; the destination starts at every
            // byte offset and its first column may lie right of the source's.
            const bool whole = trial % 4 == 0;
            const int32_t sourceLeft = whole ? 0 : static_cast<int32_t>(random() % kWidth);
            const int32_t sourceRight =
                whole ? kWidth : sourceLeft + 1 + static_cast<int32_t>(random() % (kWidth - sourceLeft));
            const int32_t at = static_cast<int32_t>(random() % 7);
            const size_t pitch = (kWidth + 8) * c.pixelBytes + kPad;
            std::vector<uint8_t> initial(kHeight * pitch + kPad);
            for (uint8_t& b : initial)
                b = static_cast<uint8_t>(random());
            const size_t offset = static_cast<size_t>(trial) % kPad;
            RunLengthTarget target;
            target.pitch = static_cast<ptrdiff_t>(pitch);
            target.rowCount = kHeight - trial % 2; // odd and even row counts
            target.columns = {at - sourceLeft, at, at + (sourceRight - sourceLeft)};

            std::vector<uint8_t> expected = initial;
            {
                CScopedPath plain(SpanKernelPath::Portable);
                target.firstRow = expected.data() + offset;
                DrawByTables(c, codes.Rows(), alphas.Rows(), target, whole);
            }
            for (SpanKernelPath path : kPaths) {
                if (!IsSpanKernelPathAvailable(path))
                    continue;
                const RunLengthDrawer drawer =
                    FindRunLengthDrawer(c.valueBytes, c.pixelBytes, c.translucent, fill, literal, path);
                ASSERT_NE(drawer, nullptr);
                std::vector<uint8_t> drawn = initial;
                target.firstRow = drawn.data() + offset;
                drawer(codes.Rows(), c.translucent ? &alphaRowsOf : nullptr, 0, target, whole);
                const auto differ = std::mismatch(drawn.begin(), drawn.end(), expected.begin());
                ASSERT_TRUE(differ.first == drawn.end())
                    << "path " << int(path) << " trial " << trial << " columns " << sourceLeft << " to " << sourceRight
                    << ": byte " << (differ.first - drawn.begin()) << " is " << int(*differ.first) << ", not "
                    << int(*differ.second);
            }
        }
    }
}

TEST(RunLengthDrawers, ARunOfEveryLengthTouchesOnlyItsOwnPixels)
{
    // One row holding a single fill or literal run of n pixels, its codes, alpha bytes and
    // destination each ending where an inaccessible page begins: a drawer that read or wrote one
    // byte past the run would fault, and one that wrote before it would change the fill.
    CScopedBlendTables tables;
    CScopedLevel level(77);
    CFencedPage codePage, alphaPage, destinationPage;
    std::mt19937 random(63);
    for (const DrawerCase& c : kDrawerCases)
        for (SpanKernelPath path : kPaths) {
            if (!IsSpanKernelPathAvailable(path))
                continue;
            SCOPED_TRACE(c.name);
            const RunLengthDrawer drawer = FindRunLengthDrawer(c.valueBytes, c.pixelBytes, c.translucent,
                                                               g_spanKernels[c.fill], g_spanKernels[c.literal], path);
            ASSERT_NE(drawer, nullptr);
            for (uint32_t n = 0; n <= kLongestSpan; ++n)
                for (bool isLiteral : {false, true}) {
                    std::vector<uint8_t> row = {static_cast<uint8_t>((isLiteral ? 0x40 : 0x00) | n)};
                    for (uint32_t b = 0; b < (isLiteral ? n : 1) * c.valueBytes; ++b)
                        row.push_back(static_cast<uint8_t>(random()));
                    uint8_t* codes = codePage.Place(row.size(), true);
                    std::memcpy(codes, row.data(), row.size());
                    const uint32_t alphaCount = isLiteral ? n : 1;
                    uint8_t* alphaBytes = alphaPage.Place(alphaCount, true);
                    for (uint32_t i = 0; i < alphaCount; ++i)
                        alphaBytes[i] = static_cast<uint8_t>(random());
                    const uint32_t offsets[1] = {0};
                    const RunLengthRows codeRows{codes, offsets}, alphaRows{alphaBytes, offsets};
                    uint8_t* destination = destinationPage.Place(size_t{n} * c.pixelBytes, true);
                    RunLengthTarget target{destination, 0, 1, {0, 0, static_cast<int32_t>(n)}};
                    drawer(codeRows, c.translucent ? &alphaRows : nullptr, 0, target, true);
                    EXPECT_TRUE(destinationPage.OutsideUntouched()) << "n " << n << " path " << int(path);
                }
        }
}

TEST(RunLengthDrawers, NarrowWholeRowsDrawAsClippedRows)
{
    // Narrow rectangles drawn whole take their own row loop, in the drawers and in the table
    // walkers alike; the clipped walk of the same columns is the reference. The rows are up to
    // three pixels wider than the rectangle, so runs past its right edge must be cut there.
    CScopedBlendTables tables;
    CScopedLevel level(140);
    std::mt19937 random(64);
    constexpr uint32_t kHeight = 5, kPad = 8;
    for (const DrawerCase& c : kDrawerCases) {
        SCOPED_TRACE(c.name);
        const uint32_t valueMask = c.valueBytes == 1 ? 0xFF : c.valueBytes == 2 ? 0xFFFF : 0xFFFFFF;
        for (uint32_t width = 1; width <= 36; ++width) {
            const uint32_t rowWidth = width + static_cast<uint32_t>(random() % 4);
            const Picture picture = LongRunPicture(rowWidth, kHeight, valueMask, random);
            std::vector<std::vector<uint8_t>> alphaRows;
            const Block codes = MakeBlock(Encode(picture, c.valueBytes, random, c.translucent ? &alphaRows : nullptr));
            const Block alphas = MakeBlock(alphaRows);
            const RunLengthRows alphaRowsOf = alphas.Rows();
            const int32_t at = static_cast<int32_t>(random() % 5);
            const size_t pitch = (width + 5) * c.pixelBytes + kPad;
            std::vector<uint8_t> initial(kHeight * pitch + kPad);
            for (uint8_t& b : initial)
                b = static_cast<uint8_t>(random());
            RunLengthTarget target;
            target.pitch = static_cast<ptrdiff_t>(pitch);
            target.rowCount = kHeight;
            target.columns = {at, at, at + static_cast<int32_t>(width)};

            std::vector<uint8_t> expected = initial;
            {
                CScopedPath plain(SpanKernelPath::Portable);
                target.firstRow = expected.data() + kPad / 2;
                DrawByTables(c, codes.Rows(), alphas.Rows(), target, false);
            }
            std::vector<uint8_t> walked = initial;
            {
                CScopedPath plain(SpanKernelPath::Portable);
                target.firstRow = walked.data() + kPad / 2;
                DrawByTables(c, codes.Rows(), alphas.Rows(), target, true);
            }
            ASSERT_TRUE(walked == expected) << "table walker, width " << width;
            for (SpanKernelPath path : kPaths) {
                if (!IsSpanKernelPathAvailable(path))
                    continue;
                const RunLengthDrawer drawer = FindRunLengthDrawer(c.valueBytes, c.pixelBytes, c.translucent,
                                                                   g_spanKernels[c.fill], g_spanKernels[c.literal], path);
                ASSERT_NE(drawer, nullptr);
                std::vector<uint8_t> drawn = initial;
                target.firstRow = drawn.data() + kPad / 2;
                drawer(codes.Rows(), c.translucent ? &alphaRowsOf : nullptr, 0, target, true);
                ASSERT_TRUE(drawn == expected) << "path " << int(path) << " width " << width;
            }
        }
    }
}
