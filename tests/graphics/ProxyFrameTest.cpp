// Proxy frames: forwarding, clipping and moving the origin, checked on the target's memory.
#include "FrameTestSupport.h"
#include "graphics/ClippedProxyFrame.h"
#include "graphics/Color.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "graphics/OffsetProxyFrame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using frametest::Opaque;
using frametest::ReadPixel;

// Notes the rectangles of each blit that reaches it.
class CBlitSpy : public CProxyFrame
{
public:
    bool Blit(CFrameInterface*, const CIntRect& from, const CIntRect& to, CBlitter*) override
    {
        m_calls.push_back({from, to});
        return true;
    }
    void GetBounds(CIntRect& out) const override { out = {0, 0, 640, 480}; }
    std::vector<std::pair<CIntRect, CIntRect>> m_calls;
};

// Pixels of a 16-bit target that are not 0, as (column, row).
std::vector<std::pair<uint32_t, uint32_t>> Written(const CFrame& frame)
{
    std::vector<std::pair<uint32_t, uint32_t>> out;
    for (uint32_t r = 0; r < frame.GetHeight(); ++r)
        for (uint32_t c = 0; c < frame.GetWidth(); ++c)
            if (ReadPixel(frame, c, r) != 0)
                out.push_back({c, r});
    return out;
}

TEST(OffsetClippedProxyFrame, MovesEveryPointByTheOffsetAndClipsInTargetCoordinates)
{
    CFrame target;
    target.Create(640, 480, 16);
    COffsetClippedProxyFrame proxy;
    proxy.ConstructForTarget(&target);
    proxy.SetOffset(-100, -50);
    proxy.SetClipRect({0, 0, 200, 200});
    EXPECT_EQ(proxy.GetClipRect(), (CIntRect{100, 50, 300, 250}));
    CIntRect bounds;
    proxy.GetBounds(bounds);
    EXPECT_EQ(bounds, (CIntRect{0, 0, 200, 200}));
    EXPECT_EQ(proxy.GetWidth(), 200);
    EXPECT_EQ(proxy.GetLeft(), -100);

    const CColor white = Opaque(255, 255, 255);
    for (auto [x, y] : {std::pair{0, 0}, {-1, 0}, {0, -1}, {199, 199}, {200, 10}, {10, 200}})
        proxy.SetPixel(x, y, white);
    using Cell = std::pair<uint32_t, uint32_t>;
    EXPECT_EQ(Written(target), (std::vector<Cell>{{100, 50}, {299, 249}}));
    EXPECT_NE(proxy.GetRawPixel(0, 0), 0u);
    EXPECT_EQ(proxy.GetRawPixel(-1, 0), 0u);

    // A fill and a line are cut to the clip rectangle on every side.
    target.Clear();
    proxy.FillRect({-10, -10, 5, 3}, white);
    proxy.DrawLine(-50, 100, 500, 100, white);
    const auto written = Written(target);
    EXPECT_EQ(written.size(), 5u * 3u + 200u);
    for (auto [c, r] : written) {
        EXPECT_GE(c, 100u);
        EXPECT_LT(c, 300u);
        EXPECT_GE(r, 50u);
        EXPECT_LT(r, 250u);
    }
}

TEST(ClippedProxyFrame, BlitsAreCutOnTheSideThatStraddlesAndTheSourceShrinksWithThem)
{
    struct Case
    {
        CIntRect destination;
        CIntRect expectedSource, expectedDestination;
    };
    const CIntRect source{0, 0, 40, 30};
    const Case cases[] = {
        {{90, 100, 130, 130}, {10, 0, 40, 30}, {100, 100, 130, 130}},   // left edge
        {{180, 100, 220, 130}, {0, 0, 20, 30}, {180, 100, 200, 130}},   // right edge
        {{120, 40, 160, 70}, {0, 10, 40, 30}, {120, 50, 160, 70}},      // top edge
        {{120, 140, 160, 170}, {0, 0, 40, 10}, {120, 140, 160, 150}},   // bottom edge
        {{120, 60, 160, 90}, {0, 0, 40, 30}, {120, 60, 160, 90}},       // inside
    };
    for (const Case& c : cases) {
        CBlitSpy spy;
        CClippedProxyFrame proxy(&spy);
        proxy.SetClipRect({100, 50, 200, 150});
        EXPECT_TRUE(proxy.Blit(nullptr, source, c.destination, nullptr));
        ASSERT_EQ(spy.m_calls.size(), 1u);
        EXPECT_EQ(spy.m_calls[0].first, c.expectedSource);
        EXPECT_EQ(spy.m_calls[0].second, c.expectedDestination);
    }
    CBlitSpy spy;
    CClippedProxyFrame proxy(&spy);
    proxy.SetClipRect({100, 50, 200, 150});
    EXPECT_FALSE(proxy.Blit(nullptr, source, {0, 0, 40, 30}, nullptr));
    EXPECT_TRUE(spy.m_calls.empty());
}

TEST(ClippedProxyFrame, WholeFrameOperationsReachTheWholeTarget)
{
    CFrame target;
    target.Create(32, 16, 16);
    frametest::FillPattern(target);
    CClippedProxyFrame proxy(&target);
    proxy.SetClipRect({4, 4, 8, 8});
    proxy.Clear();
    EXPECT_TRUE(Written(target).empty());
    proxy.FillWithByte(0x11);
    EXPECT_EQ(ReadPixel(target, 31, 15), 0x1111u);
}

TEST(ClippedProxyFrame, AClipRectangleOutsideTheTargetReportsEmptyBoundsAtItsCorner)
{
    CFrame target;
    target.Create(64, 48, 8);
    CClippedProxyFrame proxy(&target);
    CIntRect bounds;
    proxy.GetBounds(bounds);
    EXPECT_EQ(bounds, (CIntRect{0, 0, 64, 48}));
    proxy.SetClipRect({100, 70, 130, 90});
    proxy.GetBounds(bounds);
    EXPECT_EQ(bounds, (CIntRect{100, 70, 100, 70}));
    EXPECT_EQ(proxy.GetWidth(), 30);
    EXPECT_EQ(proxy.GetHeight(), 20);
    proxy.SetClipRect({50, 40, 80, 60});
    proxy.GetBounds(bounds);
    EXPECT_EQ(bounds, (CIntRect{50, 40, 64, 48}));
}

TEST(ProxyFrames, LendNoPaletteAndReachTheFrameThatHoldsThePixels)
{
    CFrame target;
    target.Create(8, 8, 8);
    target.CreatePalette();
    ASSERT_TRUE(target.HasPalette());
    CProxyFrame plain(&target);
    CClippedProxyFrame clipped(&plain);
    COffsetClippedProxyFrame offset;
    offset.ConstructForTarget(&clipped);
    for (CFrameInterface* proxy : std::initializer_list<CFrameInterface*>{&plain, &clipped, &offset}) {
        EXPECT_EQ(proxy->GetPalette(), nullptr);
        EXPECT_FALSE(proxy->HasPalette());
        EXPECT_EQ(proxy->GetUnderlyingFrame(), &target);
        EXPECT_EQ(proxy->GetPixels(), target.GetPixels());
    }
    EXPECT_EQ(plain.GetObjectSize(), target.GetObjectSize() + 4);
    EXPECT_STREQ(clipped.GetClassRecord()->GetName(), "CProxyFrame");
    EXPECT_STREQ(offset.GetClassRecord()->GetName(), "COffsetClippedProxyFrame");
}

TEST(ProxyFrames, WithoutATargetNothingIsDrawnAndNothingReported)
{
    CProxyFrame plain;
    CClippedProxyFrame clipped;
    COffsetClippedProxyFrame offset;
    const CColor white = Opaque(255, 255, 255);
    for (CFrameInterface* proxy : std::initializer_list<CFrameInterface*>{&plain, &clipped, &offset}) {
        proxy->SetPixel(0, 0, white);
        proxy->FillRect({0, 0, 4, 4}, white);
        proxy->DrawAntialiasedLine(0, 0, 3, 3, white);
        proxy->Clear();
        EXPECT_FALSE(proxy->Blit(proxy, {0, 0, 1, 1}, {0, 0, 1, 1}, nullptr));
        EXPECT_EQ(proxy->GetPixels(), nullptr);
        EXPECT_EQ(proxy->GetUnderlyingFrame(), nullptr);
        EXPECT_EQ(proxy->GetRawPixel(0, 0), 0u);
        CColor out = white;
        EXPECT_FALSE(proxy->GetPixelColor(0, 0, out));
        EXPECT_EQ(out.GetAlpha(), 0);
    }
}

TEST(OffsetProxyFrame, MovesCoordinatesWithoutClipping)
{
    CFrame target;
    target.Create(16, 16, 16);
    COffsetProxyFrame proxy;
    proxy.SetTarget(&target);
    proxy.SetOffset(3, -2);
    proxy.SetPixel(5, 0, Opaque(255, 0, 0));
    EXPECT_NE(ReadPixel(target, 2, 2), 0u);
    EXPECT_EQ(Written(target).size(), 1u);
    CIntRect bounds;
    proxy.GetBounds(bounds);
    EXPECT_EQ(bounds, (CIntRect{3, -2, 19, 14}));
    // Coordinates at the ends of the integer range saturate instead of wrapping into the frame.
    proxy.SetOffset(-2147483647 - 1, 0);
    proxy.SetPixel(2147483647, 0, Opaque(0, 255, 0));
    EXPECT_EQ(Written(target).size(), 1u);
}

} // namespace
