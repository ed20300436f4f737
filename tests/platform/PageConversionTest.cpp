// Showing pages: the row conversions (fast against plain, greys against the 16-bit packing), the
// record of changed cells, and presents that copy only what changed, read back as the screen would.
#include "platform/DamageGrid.h"
#include "platform/PageConversion.h"
#include "platform/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

using namespace platform;

namespace {

TEST(PageConversion, FastRowsEqualThePlainOnesForEveryLengthAndAlignment)
{
    std::mt19937 random(16);
    std::vector<uint8_t> source(4 * 80 + 3);
    for (uint8_t& b : source)
        b = static_cast<uint8_t>(random());
    using Row = void (*)(const uint8_t*, uint32_t*, int);
    const std::pair<Row, Row> pairs[] = {{ConvertRow565, ConvertRow565Plain},
                                         {ConvertRow555, ConvertRow555Plain},
                                         {ConvertRow32, ConvertRow32Plain}};
    for (auto [fast, plain] : pairs)
        for (int offset = 0; offset < 3; ++offset)
            for (int count = 0; count <= 67; ++count) {
                std::vector<uint32_t> a(80, 7), b(80, 7);
                fast(source.data() + offset, a.data() + 1, count);
                plain(source.data() + offset, b.data() + 1, count);
                ASSERT_EQ(a, b) << offset << " " << count;
            }
}

// Every 5- and 6-bit field widens to within one level of its exact scale to 8 bits, so black is
// black, a full field is 255 and equal fields give equal channels (a 5-5-5 grey stays grey).
TEST(PageConversion, FieldsWidenToTheirExactScaleAndGreysStayGrey)
{
    for (uint32_t v = 0; v < 64; ++v) {
        const uint16_t pixels[2] = {static_cast<uint16_t>((v & 31) << 11 | v << 5 | (v & 31)),
                                    static_cast<uint16_t>((v & 31) << 10 | (v & 31) << 5 | (v & 31))};
        uint32_t out[2];
        ConvertRow565(reinterpret_cast<const uint8_t*>(pixels), out, 1);
        ConvertRow555(reinterpret_cast<const uint8_t*>(pixels + 1), out + 1, 1);
        const double exact5 = (v & 31) * 255.0 / 31.0, exact6 = v * 255.0 / 63.0;
        EXPECT_LE(std::abs(static_cast<double>((out[0] >> 16) & 255) - exact5), 1.0) << v;
        EXPECT_LE(std::abs(static_cast<double>((out[0] >> 8) & 255) - exact6), 1.0) << v;
        EXPECT_EQ((out[0] >> 16) & 255, out[0] & 255) << v;
        EXPECT_EQ(out[1] & 0xFFFFFFu, ((out[1] & 255) * 0x010101u)) << v;
        EXPECT_LE(std::abs(static_cast<double>(out[1] & 255) - exact5), 1.0) << v;
        EXPECT_EQ(out[0] >> 24, 0xFFu);
    }
    const uint16_t ends[2] = {0x0000, 0xFFFF};
    uint32_t out[2];
    ConvertRow565(reinterpret_cast<const uint8_t*>(ends), out, 2);
    EXPECT_EQ(out[0], 0xFF000000u);
    EXPECT_EQ(out[1], 0xFFFFFFFFu);
}

class ShownPages : public testing::Test
{
protected:
    void SetUp() override
    {
        GetHeadlessBackend().Reset();
        ASSERT_TRUE(display.Open());
    }
    void TearDown() override { GetHeadlessBackend().Reset(); }

    // Writes random bytes over the whole back page; with a rectangle, reports only that.
    void Scribble(const PageRect* reported)
    {
        uint8_t* pixels = nullptr;
        int pitch = 0;
        ASSERT_TRUE(display.Lock(pixels, pitch));
        if (reported)
            display.MarkChanged(*reported);
        for (size_t i = 0; i < display.GetRing().GetPageSize(); ++i)
            pixels[i] = static_cast<uint8_t>(m_random());
        display.Unlock();
    }
    std::vector<uint8_t> BackPage()
    {
        const uint8_t* page = display.GetRing().GetPage(display.GetRing().GetBackIndex());
        return {page, page + display.GetRing().GetPageSize()};
    }

    MemoryDisplay& display = GetHeadlessBackend().GetMemoryDisplay();
    std::mt19937 m_random{22};
};

// The texture's pixels for every depth and layout against the headless screen's own reading.
TEST_F(ShownPages, ConvertedRectanglesMatchTheScreenReading)
{
    std::array<PaletteEntry, 256> palette;
    for (auto& e : palette)
        e = {static_cast<uint8_t>(m_random()), static_cast<uint8_t>(m_random()), static_cast<uint8_t>(m_random()), 0};
    const auto table = MakePaletteTable32(palette);
    ASSERT_TRUE(display.SetFullScreen(false));
    for (int bits : {8, 16, 24, 32})
        for (uint32_t mask : {kGreenMask565, kGreenMask555}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, green mask " << mask);
            const DisplayMode mode{37, 9, bits};
            ASSERT_TRUE(display.CreatePages(mode, 0, true));
            display.SetGreenMask(mask);
            display.SetPalette(0, 256, palette.data());
            Scribble(nullptr);
            ASSERT_TRUE(display.Present());
            const PageRect rect{3, 2, 36, 8};
            const int outPitch = 40 * 4;
            std::vector<uint8_t> argb(static_cast<size_t>(outPitch) * 6);
            ASSERT_TRUE(ConvertRect(display.GetShownPixels().data(), display.GetPitch(), mode, mask, table, rect,
                                    argb.data(), outPitch));
            for (int y = rect.top; y < rect.bottom; ++y)
                for (int x = rect.left; x < rect.right; ++x) {
                    uint32_t v;
                    std::memcpy(&v, &argb[static_cast<size_t>((y - 2) * outPitch + (x - 3) * 4)], 4);
                    ASSERT_EQ(v, 0xFF000000u | display.GetShownColor(x, y)) << x << "," << y;
                }
            EXPECT_FALSE(ConvertRect(display.GetShownPixels().data(), display.GetPitch(), mode, mask, table,
                                     {30, 0, 38, 2}, argb.data(), outPitch));
        }
}

TEST_F(ShownPages, APresentCopiesOnlyWhatTheLockerReportedAndAllWhenItReportedNothing)
{
    ASSERT_TRUE(display.SetFullScreen(false));
    ASSERT_TRUE(display.CreatePages({100, 70, 16}, 0, false));
    Scribble(nullptr);
    ASSERT_TRUE(display.Present());
    const std::vector<uint8_t> first = display.GetShownPixels();
    EXPECT_EQ(first, BackPage());

    const PageRect reported{40, 33, 41, 34};
    Scribble(&reported);
    ASSERT_TRUE(display.Present());
    EXPECT_EQ(display.GetLastShownRects(), (std::vector<PageRect>{{32, 32, 64, 64}}));
    const std::vector<uint8_t> page = BackPage();
    const int pitch = display.GetPitch();
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 100; ++x) {
            const size_t at = static_cast<size_t>(y * pitch + x * 2);
            const bool inCell = x >= 32 && x < 64 && y >= 32 && y < 64;
            ASSERT_EQ(display.GetShownPixels()[at], (inCell ? page : first)[at]) << x << "," << y;
        }

    // Nothing drawn: nothing copied.
    uint8_t* pixels;
    int lockPitch = 0;
    ASSERT_TRUE(display.Lock(pixels, lockPitch));
    display.MarkChanged({});
    display.Unlock();
    ASSERT_TRUE(display.Present());
    EXPECT_TRUE(display.GetLastShownRects().empty());
}

// With back buffers, a page shown later also takes what the screen showed of the others since.
TEST_F(ShownPages, EveryPageOfARingCatchesUpWithWhatTheOthersShowed)
{
    ASSERT_TRUE(display.SetFullScreen(true));
    ASSERT_TRUE(display.CreatePages({64, 64, 8}, 2, false));
    for (int i = 0; i < 3; ++i) {
        Scribble(nullptr);
        ASSERT_TRUE(display.Present());
    }
    for (int i = 0; i < 9; ++i) {
        const PageRect cell{(i % 2) * 32, (i / 2 % 2) * 32, (i % 2) * 32 + 1, (i / 2 % 2) * 32 + 1};
        Scribble(&cell);
        const std::vector<uint8_t> drawn = BackPage();
        ASSERT_TRUE(display.Present());
        // What the screen shows of the page's reported cell is the page's.
        const int at = cell.top * 64 + cell.left;
        EXPECT_EQ(display.GetShownPixels()[static_cast<size_t>(at)], drawn[static_cast<size_t>(at)]);
        // Cells changed on the other two pages since this one was shown are copied again.
        EXPECT_GE(display.GetLastShownRects().size(), 1u);
    }
}

TEST(DamageGrid, RectanglesCoverExactlyTheChangedCellsWithoutOverlap)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int width = 1 + static_cast<int>(random() % 300), height = 1 + static_cast<int>(random() % 200);
        DamageGrid grid;
        grid.Resize(width, height);
        const int columns = (width + 31) / 32, rows = (height + 31) / 32;
        std::vector<int> expected(static_cast<size_t>(columns * rows), 0);
        for (int n = static_cast<int>(random() % 6); n > 0; --n) {
            PageRect r{static_cast<int>(random() % 340) - 20, static_cast<int>(random() % 240) - 20, 0, 0};
            r.right = r.left + static_cast<int>(random() % 90);
            r.bottom = r.top + static_cast<int>(random() % 90);
            grid.Add(r);
            for (int y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y)
                for (int x = std::max(r.left, 0); x < std::min(r.right, width); ++x)
                    expected[static_cast<size_t>((y / 32) * columns + x / 32)] = 1;
        }
        std::vector<PageRect> rects;
        grid.GetRects(rects);
        std::vector<int> covered(expected.size(), 0);
        for (const PageRect& r : rects) {
            ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height && r.left < r.right &&
                        r.top < r.bottom);
            for (int y = r.top; y < r.bottom; y += 32)
                for (int x = r.left; x < r.right; x += 32)
                    ++covered[static_cast<size_t>((y / 32) * columns + x / 32)];
        }
        ASSERT_EQ(covered, expected) << round;
        EXPECT_EQ(grid.IsEmpty(), rects.empty());
    }
}

} // namespace
