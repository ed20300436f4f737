// The span kernel table: every entry of every row and conversion table touches exactly its run
// (guard pages on both sides), entries 0 to 16 ignore the length argument, and the results match
// the reference rules of each row.
#include "SpanKernelTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace spantest;

namespace {

struct RunSetup
{
    uint32_t destinationFill; // every destination byte before the run
    uint32_t sourceFill;      // every source byte
    uint32_t value;
    uint8_t alpha = 255; // every alpha byte, and the alpha argument (with bit 8 set, which is ignored)
};

// Runs entry `entry` with run length argument `n` on `pixels` pixels fenced on both sides; the
// destination starts as destinationFill bytes. Returns the destination bytes; fails the test when
// anything outside the run changed.
std::vector<uint8_t> RunFenced(const SpanTable& table, SpanOperands operands, uint32_t entry, uint32_t n,
                               uint32_t pixels, uint32_t destinationBytes, uint32_t sourceBytes, const RunSetup& setup,
                               bool atEnd)
{
    static CFencedPage destinationPage, sourcePage, alphaPage;
    uint8_t* d = destinationPage.Place(pixels * destinationBytes, atEnd);
    uint8_t* s = sourcePage.Place(pixels * sourceBytes, atEnd);
    uint8_t* a = alphaPage.Place(pixels, atEnd);
    std::memset(d, static_cast<int>(setup.destinationFill), pixels * destinationBytes);
    std::memset(s, static_cast<int>(setup.sourceFill), pixels * sourceBytes);
    std::memset(a, setup.alpha, pixels);
    CallSpan(table, operands, entry, d, s, a, setup.value, 0x100u | setup.alpha, n);
    EXPECT_TRUE(destinationPage.OutsideUntouched()) << "entry " << entry;
    EXPECT_TRUE(sourcePage.OutsideUntouched()) << "entry " << entry;
    EXPECT_TRUE(alphaPage.OutsideUntouched()) << "entry " << entry;
    for (uint32_t i = 0; i < pixels * sourceBytes; ++i)
        EXPECT_EQ(s[i], setup.sourceFill) << "source written, entry " << entry;
    return std::vector<uint8_t>(d, d + pixels * destinationBytes);
}

// Every pixel differs from the destination fill in at least one byte.
bool EveryPixelWritten(const std::vector<uint8_t>& bytes, uint32_t pixelBytes, uint32_t fill)
{
    for (size_t p = 0; p < bytes.size(); p += pixelBytes) {
        bool changed = false;
        for (uint32_t b = 0; b < pixelBytes; ++b)
            changed |= bytes[p + b] != fill;
        if (!changed)
            return false;
    }
    return true;
}

} // namespace

TEST(SpanKernelTable, EveryEntryTouchesExactlyItsRun)
{
    CScopedBlendTables tables;
    CScopedLevel level(255);
    // Black destination, white source and value, full alpha: every row changes every pixel.
    const RunSetup setup{0x00, 0xFF, 0xFFFFFFFF};
    for (SpanKernelPath path : {SpanKernelPath::Portable, SpanKernelPath::Sse2, SpanKernelPath::Avx2}) {
        CScopedPath scopedPath(path);
        if (!scopedPath.IsAvailable())
            continue;
        for (uint32_t op = 0; op < kSpanOperationCount; ++op) {
            const uint32_t bytes = DestinationBytes(op);
            for (uint32_t n = 0; n < kSpanTableLength; ++n)
                for (bool atEnd : {true, false}) {
                    SCOPED_TRACE(testing::Message() << "operation " << op << " n " << n << " path " << int(path));
                    // Entries up to 16 are made for their length: they must not follow a wrong one.
                    const uint32_t lengthArgument = n > kLongestUnrolledSpan ? n : atEnd ? 63 : 0;
                    const std::vector<uint8_t> result = RunFenced(g_spanKernels[op], GetSpanOperands(op), n,
                                                                  lengthArgument, n, bytes, bytes, setup, atEnd);
                    EXPECT_TRUE(EveryPixelWritten(result, bytes, setup.destinationFill));
                    std::vector<uint8_t> expected(n * bytes, 0);
                    std::vector<uint8_t> source(n * bytes, 0xFF), alpha(n, 255);
                    ReferenceRun(op, expected.data(), source.data(), alpha.data(), setup.value, 255, 255, n,
                                 Alpha20_80.GetData(), Alpha40_60.GetData());
                    EXPECT_EQ(result, expected);
                }
        }
    }
}

TEST(SpanKernelTable, BlendRowsDrawNothingWithoutTheirTable)
{
    ASSERT_TRUE(Alpha20_80.IsEmpty());
    Alpha40_60.Create(2); // too small to serve every index
    uint8_t d[20], s[20];
    for (uint32_t op = kSpanBlend20_80DstSrc; op <= kSpanBlend20_80ValueDst; ++op)
        for (uint32_t n : {5u, 20u}) {
            std::memset(d, 9, sizeof d);
            std::memset(s, 200, sizeof s);
            CallSpan(g_spanKernels[op], GetSpanOperands(op), n, d, s, nullptr, 200, 0, n);
            for (uint8_t b : d)
                EXPECT_EQ(b, 9) << "operation " << op;
        }
    Alpha40_60.Free();
}

TEST(SpanKernelTable, ConversionTablesTouchExactlyTheCountGivenWhateverTheEntry)
{
    for (uint32_t i = 0; i < 256; ++i)
        g_paletteToPixel16[i] = 0xABCD0000u | (i * 0x0101u ^ 0x5A5Au);
    struct Case
    {
        const SpanTable* table;
        SpanOperands operands;
        uint32_t destinationBytes, sourceBytes;
        uint8_t pixel[4]; // what every destination pixel becomes from source bytes 0xFF / value 0xFFFF, alpha 0x40
    };
    const uint16_t fromIndex = static_cast<uint16_t>(0xFFFFu ^ 0x5A5Au);
    const uint8_t lo = static_cast<uint8_t>(fromIndex), hi = static_cast<uint8_t>(fromIndex >> 8);
    const Case cases[] = {
        {&Expand8To16, SpanOperands::Source, 2, 1, {lo, hi}},
        {&FillIndexAs16, SpanOperands::Value, 2, 1, {lo, hi}},
        {&Expand16To24, SpanOperands::Source, 3, 2, {0xF8, 0xFC, 0xF8}},
        {&Expand16To24Alpha, SpanOperands::SourceAlpha, 3, 2, {0xF8, 0xFC, 0xF8}},
        {&Expand16To32, SpanOperands::Source, 4, 2, {0xF8, 0xFC, 0xF8, 0xFF}},
        {&Expand16To32Alpha, SpanOperands::SourceAlpha, 4, 2, {0xF8, 0xFC, 0xF8, 0x40}},
        {&Fill16As24, SpanOperands::Value, 3, 1, {0xF8, 0xFC, 0xF8}},
        {&Fill16As24Alpha, SpanOperands::ValueAlpha, 3, 1, {0xF8, 0xFC, 0xF8}},
        {&Fill16As32, SpanOperands::Value, 4, 1, {0xF8, 0xFC, 0xF8, 0xFF}},
        {&Fill16As32Alpha, SpanOperands::ValueAlpha, 4, 1, {0xF8, 0xFC, 0xF8, 0x40}},
        {&Expand8To24, SpanOperands::Source, 3, 1, {1, 2, 3}},
        {&FillIndexAs24, SpanOperands::Value, 3, 1, {1, 2, 3}},
        {&Expand8To32, SpanOperands::Source, 4, 1, {1, 2, 3, 0xFF}},
        {&FillIndexAs32, SpanOperands::Value, 4, 1, {1, 2, 3, 0xFF}},
    };
    uint8_t palette[256 * 3] = {};
    palette[255 * 3] = 1;
    palette[255 * 3 + 1] = 2;
    palette[255 * 3 + 2] = 3;
    g_currentExpandPalette = palette;
    // The value's high bits and an index past 255 never reach the result; alpha reaches only the
    // fourth byte of 32-bit pixels.
    const RunSetup setup{0x00, 0xFF, 0x1234FFFF, 0x40};
    // Every entry runs the loop over the count it is given: entry 0 too, and the short entries
    // for counts other than their index.
    for (const Case& c : cases)
        for (uint32_t n = 0; n < kSpanTableLength; ++n)
            for (uint32_t entry : {n, 0u, (n * 7 + 5) % kSpanTableLength, kSpanTableLength - 1 - n})
                for (bool atEnd : {true, false}) {
                    SCOPED_TRACE(testing::Message() << "table " << (&c - cases) << " entry " << entry << " n " << n);
                    const std::vector<uint8_t> result =
                        RunFenced(*c.table, c.operands, entry, n, n, c.destinationBytes, c.sourceBytes, setup, atEnd);
                    std::vector<uint8_t> expected;
                    for (uint32_t i = 0; i < n; ++i)
                        expected.insert(expected.end(), c.pixel, c.pixel + c.destinationBytes);
                    EXPECT_EQ(result, expected);
                }
    g_currentExpandPalette = nullptr;
    std::memset(g_paletteToPixel16, 0, sizeof g_paletteToPixel16);
}
