// The back buffer: marking, restoring, the blit modes, the bounds override, which runs reach the
// display, and the central property: over many frames of moving shapes on the headless page ring,
// every page shown equals the same scene drawn in full.
#include "DisplayFixture.h"
#include "blit/ColorPacking.h"
#include "graphics/PaletteTable.h"
#include "blit/modes/CopyBlitter.h"
#include "graphics/Color.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/ScreenFrame.h"

#include <cstring>
#include <ostream>
#include <random>
#include <vector>

namespace {

CColor Rgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
{
    CColor c;
    c.ConstructRgba(r, g, b, a);
    return c;
}

uint32_t RawAt(const CFrame& frame, int x, int y)
{
    return frame.GetRawPixel(x, y);
}

// A target that remembers the rectangles blitted onto it.
class RecordingFrame : public CFrame
{
public:
    bool Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
              CBlitter* blitter) override
    {
        m_blits.push_back(destinationRect);
        return CFrame::Blit(source, sourceRect, destinationRect, blitter);
    }
    std::vector<CIntRect> m_blits;
};

class DirtyRectFrameTest : public DisplayFixture
{
protected:
    // A buffer and a target of 640 x 480 at 16 bits, one page, past its first (full) present.
    void StartOnePage()
    {
        buffer.Create(640, 480, 16);
        buffer.SetPageCount(1);
        target.Create(640, 480, 16);
        buffer.PresentDirtyCells(&target, &g_copyBlitter);
        target.m_blits.clear();
    }

    CDirtyRectFrame buffer;
    RecordingFrame target;
};

TEST_F(DirtyRectFrameTest, OnlyChangedCellsReachTheDisplayAndTheCornerIsMarked)
{
    StartOnePage();
    // The cells copied last time go again, so that whatever was drawn there is taken back.
    buffer.PresentDirtyCells(&target, &g_copyBlitter);
    EXPECT_EQ(target.m_blits.size(), 15u);   // every row in one run
    EXPECT_EQ(target.GetRawPixel(0, 0), PackRgbToPixel16(8, 8, 8));
    target.m_blits.clear();
    buffer.PresentDirtyCells(&target, &g_copyBlitter);
    EXPECT_TRUE(target.m_blits.empty());

    buffer.FillRect({10, 10, 40, 20}, Rgb(255, 0, 0));
    buffer.PresentDirtyCells(&target, &g_copyBlitter);
    EXPECT_EQ(target.m_blits, (std::vector<CIntRect>{{10, 10, 40, 20}}));
    EXPECT_EQ(target.GetRawPixel(39, 19), 0xF800u);
    EXPECT_EQ(target.GetRawPixel(40, 19), 0u);

    // A black corner: the display lost its picture, and the whole page goes.
    target.m_blits.clear();
    target.ClearRect({0, 0, 1, 1});
    buffer.PresentDirtyCells(&target, &g_copyBlitter);
    EXPECT_EQ(target.m_blits.size(), 15u);
    EXPECT_EQ(target.m_blits[0], (CIntRect{0, 0, 640, 32}));
}

// On 8 bits the corner's marker (8, 8, 8) is the palette's black entry 1 in the game palette: read
// as a colour it is black, which once made every present copy the whole page. The stored index
// tells a marked display from a wiped one.
TEST_F(DirtyRectFrameTest, AnEightBitMarkerThatIsBlackStillMeansTheDisplayKeptItsPicture)
{
    CPaletteTable savedPalette, savedInverse;
    savedPalette.CopyFrom(g_currentPalette);
    savedInverse.CopyFrom(g_inverseColorTable15);
    g_currentPalette.Create(1);
    for (uint32_t i = 2; i < 256; ++i)
        g_currentPalette.SetEntry(i, 255, 255, 255);
    g_currentPalette.SetEntry(0, 0, 0, 0);
    g_currentPalette.SetEntry(1, 0, 0, 0);
    // Every colour looks up entry 1, as near-blacks do in the game palette; and once, entry 0.
    for (int zero : {0, 1}) {
        SCOPED_TRACE(zero ? "inverse table gives 0" : "inverse table gives 1");
        g_inverseColorTable15.Create(5);
        std::memset(g_inverseColorTable15.GetData(), zero ? 0 : 1, CPaletteTable::GetSizeForKind(5));
        CDirtyRectFrame buffer8;
        RecordingFrame target8;
        buffer8.Create(640, 480, 8);
        buffer8.SetPageCount(1);
        target8.Create(640, 480, 8);
        buffer8.PresentDirtyCells(&target8, &g_copyBlitter);
        buffer8.PresentDirtyCells(&target8, &g_copyBlitter);
        EXPECT_EQ(target8.GetRawPixel(0, 0), 1u);
        target8.m_blits.clear();
        buffer8.PresentDirtyCells(&target8, &g_copyBlitter);
        EXPECT_TRUE(target8.m_blits.empty());
        CColor index9;
        index9.SetFromPaletteIndex(9);
        buffer8.FillRect({100, 100, 110, 104}, index9);
        buffer8.PresentDirtyCells(&target8, &g_copyBlitter);
        EXPECT_EQ(target8.m_blits, (std::vector<CIntRect>{{100, 100, 110, 104}}));
        // A wiped display reads index 0 there: everything goes again.
        target8.m_blits.clear();
        target8.ClearRect({0, 0, 1, 1});
        buffer8.PresentDirtyCells(&target8, &g_copyBlitter);
        EXPECT_EQ(target8.m_blits.size(), 15u);
    }
    g_currentPalette.Free();
    g_currentPalette.CopyFrom(savedPalette);
    g_inverseColorTable15.Free();
    g_inverseColorTable15.CopyFrom(savedInverse);
}

TEST_F(DirtyRectFrameTest, DrawingMarksWhatItTouches)
{
    StartOnePage();
    buffer.PresentDirtyCells(&target, &g_copyBlitter);
    buffer.RestoreDirtyCells();
    const CColor white = Rgb(255, 255, 255);
    buffer.DrawLine(100, 50, 70, 40, white);
    buffer.SetPixel(300, 300, white);
    buffer.SetPixel(-5, 300, white);
    buffer.DrawAntialiasedLine(200.4f, 200.6f, 210.2f, 201.0f, white);
    std::vector<CIntRect> runs;
    buffer.GetPendingGrid(0).ForEachRun([&](const CIntRect& r) { runs.push_back(r); });
    EXPECT_EQ(runs, (std::vector<CIntRect>{{70, 40, 101, 51}, {199, 200, 212, 203}, {300, 300, 301, 301}}));

    CFrame sprite;
    sprite.Create(8, 8, 16);
    sprite.FillRect({0, 0, 8, 8}, white);
    buffer.PresentDirtyCells(&target, &g_copyBlitter);
    buffer.PresentDirtyCells(&target, &g_copyBlitter);
    EXPECT_TRUE(buffer.DrawFrameAt(&sprite, 636, 2, &g_copyBlitter));
    runs.clear();
    buffer.GetRestoreGrid().ForEachRun([&](const CIntRect& r) { runs.push_back(r); });
    EXPECT_EQ(runs.front(), (CIntRect{636, 2, 640, 10}));

    // Invalidating marks every page.
    buffer.SetPageCount(3);
    buffer.InvalidateRect({0, 0, 1, 1});
    for (uint32_t page = 0; page < 3; ++page)
        EXPECT_TRUE(buffer.GetPendingGrid(page).IsCellDirty(0, 0));
    buffer.SetPageCount(0);
    EXPECT_EQ(buffer.GetPageCount(), 1u);
    buffer.NextPage();
    EXPECT_EQ(buffer.GetCurrentPage(), 0u);
}

TEST_F(DirtyRectFrameTest, RestoringRedrawsOnlyTheDrawnCells)
{
    buffer.Create(96, 64, 16);
    buffer.SetBackgroundColor(0, 0, 255, 0);   // alpha 0: restored cells become 0
    buffer.Clear();
    buffer.FillWithColor(Rgb(255, 255, 255));   // every cell dirty
    buffer.RestoreDirtyCells();
    EXPECT_EQ(RawAt(buffer, 95, 63), 0u);
    buffer.FillRect({0, 0, 96, 64}, Rgb(255, 255, 255));
    buffer.RestoreDirtyCells();
    buffer.FillRect({0, 0, 96, 64}, Rgb(0, 255, 0));
    // Drawn behind the buffer's back: only marked cells are restored.
    buffer.SetBlitMode(CDirtyRectFrame::kBlitWithoutMarking);
    CFrame plain;
    plain.Create(96, 64, 16);
    plain.FillRect({0, 0, 96, 64}, Rgb(255, 0, 0));
    buffer.RestoreDirtyCells();
    buffer.FillRect({40, 40, 41, 41}, Rgb(255, 255, 255));
    buffer.DrawFrameAt(&plain, 0, 0, &g_copyBlitter);   // not marked
    buffer.SetBlitMode(CDirtyRectFrame::kBlitAndMark);
    buffer.SetBackgroundColor(0, 0, 255, 255);
    buffer.Clear();
    EXPECT_EQ(RawAt(buffer, 40, 40), 0x001Fu);   // restored with the colour
    EXPECT_EQ(RawAt(buffer, 41, 40), 0xF800u);   // left as drawn
    EXPECT_EQ(RawAt(buffer, 63, 63), 0xF800u);

    // With a background frame its pixels come back, even when it is smaller than the buffer.
    CFrame background;
    background.Create(50, 50, 16);
    background.FillRect({0, 0, 50, 50}, Rgb(0, 255, 0));
    buffer.SetBackgroundFrame(&background);
    buffer.Clear();
    EXPECT_EQ(RawAt(buffer, 49, 49), 0x07E0u);
    EXPECT_EQ(RawAt(buffer, 50, 10), 0xF800u);
    EXPECT_TRUE(buffer.GetRestoreGrid().GetColumns() == 3 && !buffer.GetRestoreGrid().IsCellDirty(2, 1));
}

TEST_F(DirtyRectFrameTest, BlitModeTwoDrawsOnlyInsideDirtyCells)
{
    buffer.Create(128, 64, 16);
    buffer.Clear();   // restore grid clean
    buffer.FillRect({33, 1, 60, 20}, Rgb(0, 0, 0));      // part of cell (1, 0)
    buffer.FillRect({100, 40, 128, 64}, Rgb(0, 0, 0));   // and of cell (3, 1)
    CFrame sprite;
    sprite.Create(128, 64, 16);
    sprite.FillRect({0, 0, 128, 64}, Rgb(255, 255, 255));
    buffer.SetBlitMode(CDirtyRectFrame::kBlitInsideDirtyCells);
    EXPECT_TRUE(buffer.DrawFrameAt(&sprite, 0, 0, &g_copyBlitter));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) {
            const bool inside = (x >= 33 && x < 60 && y >= 1 && y < 20) || (x >= 100 && y >= 40);
            ASSERT_EQ(RawAt(buffer, x, y), inside ? 0xFFFFu : 0u) << x << "," << y;
        }
    // Nothing was marked by it.
    EXPECT_FALSE(buffer.GetRestoreGrid().IsCellDirty(0, 0));
}

TEST_F(DirtyRectFrameTest, TheBoundsOverrideNarrowsDrawingButNeverWidensIt)
{
    buffer.Create(64, 64, 16);
    const CIntRect inner{10, 10, 20, 20};
    buffer.SetBoundsOverride(&inner);
    CIntRect bounds;
    buffer.GetBounds(bounds);
    EXPECT_EQ(bounds, inner);
    buffer.FillRect({0, 0, 64, 64}, Rgb(255, 255, 255));
    EXPECT_EQ(RawAt(buffer, 10, 10), 0xFFFFu);
    EXPECT_EQ(RawAt(buffer, 20, 20), 0u);
    EXPECT_EQ(RawAt(buffer, 9, 15), 0u);

    // An override reaching past the frame: drawing still stays inside the frame's memory.
    const CIntRect wide{-100, -100, 1000, 1000};
    buffer.SetBoundsOverride(&wide);
    buffer.GetBounds(bounds);
    EXPECT_EQ(bounds, (CIntRect{0, 0, 64, 64}));
    buffer.FillRect(wide, Rgb(0, 0, 255));
    buffer.DrawLine(-50, 70, 70, -50, Rgb(0, 0, 255));
    EXPECT_EQ(RawAt(buffer, 63, 63), 0x001Fu);
    const CIntRect away{100, 100, 200, 200};
    buffer.SetBoundsOverride(&away);
    buffer.GetBounds(bounds);
    EXPECT_TRUE(bounds.IsEmpty());
    buffer.SetBoundsOverride(nullptr);
    buffer.GetBounds(bounds);
    EXPECT_EQ(bounds, (CIntRect{0, 0, 64, 64}));
}

// The central property.
struct SceneCase
{
    const char* name;
    int depth;
    int maxBackBuffers;
    bool windowed;
    bool backgroundFrame;
    int loseAtFrame;   // -1: never
};

void PrintTo(const SceneCase& scene, std::ostream* out)
{
    *out << scene.name;
}

class PresentedPages : public DirtyRectFrameTest, public testing::WithParamInterface<SceneCase>
{
};

struct Shape
{
    int kind;   // 0 fill, 1 translucent fill, 2 line, 3 pixel, 4 sprite
    int x, y, w, h, dx, dy;
    CColor color;
};

CColor RandomColor(std::mt19937& random, int depth)
{
    CColor color;
    if (depth == 8)
        color.SetFromPaletteIndex(static_cast<uint8_t>(1 + random() % 255));
    else
        color.ConstructRgba(static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
                            static_cast<uint8_t>(random()), 255);
    return color;
}

void DrawScene(CFrameInterface& frame, const std::vector<Shape>& shapes, CFrame& sprite)
{
    for (const Shape& s : shapes) {
        switch (s.kind) {
        case 0: frame.FillRect({s.x, s.y, s.x + s.w, s.y + s.h}, s.color); break;
        case 1: {
            CColor half = s.color;
            half.ConstructRgba(s.color.GetRed(), s.color.GetGreen(), s.color.GetBlue(), 128);
            frame.FillRect({s.x, s.y, s.x + s.w, s.y + s.h}, half);
            break;
        }
        case 2: frame.DrawLine(s.x, s.y, s.x + s.w, s.y + s.h - 20, s.color); break;
        case 3: frame.SetPixel(s.x, s.y, s.color); break;
        default: frame.DrawFrameAt(&sprite, s.x, s.y, &g_copyBlitter); break;
        }
    }
}

TEST_P(PresentedPages, EveryShownPageEqualsTheSceneDrawnInFull)
{
    const SceneCase& param = GetParam();
    const int depth = param.depth;
    Device().SetMaxBackBuffers(param.maxBackBuffers);
    SetDisplayBitsPerPixel(depth);
    CScreenFrame screen;
    int32_t w = 640, h = 480;
    ASSERT_TRUE(screen.SetDisplayMode(w, h, depth, depth));
    if (param.windowed) {
        Device().SetFlipToSystemRefused(true);
        screen.BeginGdiMode();
        screen.EndGdiMode();
        ASSERT_FALSE(screen.IsFullScreen());
    }
    buffer.Create(640, 480, static_cast<uint32_t>(depth));
    buffer.SetPageCount(screen.GetBackBufferCount() + 1);
    buffer.MarkAllDirty();
    EXPECT_EQ(buffer.GetPageCount(), param.windowed ? 1u : static_cast<uint32_t>(param.maxBackBuffers + 1));

    std::mt19937 random(static_cast<uint32_t>(depth * 7 + param.maxBackBuffers));
    const CColor backgroundColor = depth == 8 ? RandomColor(random, 8) : Rgb(20, 40, 60);
    CFrame background;
    if (param.backgroundFrame) {
        background.Create(640, 480, static_cast<uint32_t>(depth));
        for (int i = 0; i < 40; ++i) {
            const int x = static_cast<int>(random() % 640), y = static_cast<int>(random() % 480);
            background.FillRect({x, y, x + 90, y + 70}, RandomColor(random, depth));
        }
        buffer.SetBackgroundFrame(&background);
    } else {
        buffer.SetBackgroundColor(backgroundColor.GetRed(), backgroundColor.GetGreen(), backgroundColor.GetBlue(), 255);
        if (depth == 8) {
            // The buffer's own colour carries no index on 8 bits; the scene uses a cached one.
            buffer.SetBackgroundColor(0, 0, 0, 0);
        }
    }
    CFrame sprite;
    sprite.Create(24, 16, static_cast<uint32_t>(depth));
    sprite.FillRect({0, 0, 24, 16}, RandomColor(random, depth));
    sprite.FillRect({4, 4, 20, 12}, RandomColor(random, depth));

    std::vector<Shape> shapes;
    for (int i = 0; i < 14; ++i) {
        Shape s;
        s.kind = static_cast<int>(random() % 5);
        if (s.kind == 1 && depth != 16)
            s.kind = 0;   // translucent fills are a 16-bit operation
        s.x = static_cast<int>(random() % 700) - 30;
        s.y = static_cast<int>(random() % 540) - 30;
        s.w = 1 + static_cast<int>(random() % 80);
        s.h = 1 + static_cast<int>(random() % 60);
        s.dx = static_cast<int>(random() % 15) - 7;
        s.dy = static_cast<int>(random() % 11) - 5;
        s.color = RandomColor(random, depth);
        shapes.push_back(s);
    }

    CFrame reference;
    reference.Create(640, 480, static_cast<uint32_t>(depth));
    CFrame markerFrame;
    markerFrame.Create(1, 1, static_cast<uint32_t>(depth));
    // The marker is (8, 8, 8); on 8 bits an index other than 0, which would read as a lost display.
    CColor markerColor = Rgb(8, 8, 8);
    if (depth == 8 && markerColor.GetPaletteIndex() == 0)
        markerColor.SetAvoidingIndexZero(8, 8, 8, 255);
    markerFrame.SetPixel(0, 0, markerColor);
    const uint32_t marker = markerFrame.GetRawPixel(0, 0);
    const int bytes = depth / 8;

    for (int frame = 0; frame < 40; ++frame) {
        // Shapes move, some vanish and come back, so cells are drawn and given back.
        for (Shape& s : shapes) {
            s.x += s.dx;
            s.y += s.dy;
            if (s.x < -60 || s.x > 660)
                s.dx = -s.dx;
            if (s.y < -60 || s.y > 500)
                s.dy = -s.dy;
        }
        std::vector<Shape> visible;
        for (size_t i = 0; i < shapes.size(); ++i)
            if ((frame + static_cast<int>(i)) % 7 != 0)
                visible.push_back(shapes[i]);
        if (frame == param.loseAtFrame)
            Device().LosePages();

        buffer.Clear();
        DrawScene(buffer, visible, sprite);
        ASSERT_EQ(screen.Lock(), CScreenFrame::kLockDone);
        buffer.PresentDirtyCells(&screen, &g_copyBlitter);
        screen.Unlock();
        ASSERT_TRUE(screen.Present());
        buffer.NextPage();

        if (param.backgroundFrame) {
            reference.DrawFrameAt(&background, 0, 0, &g_copyBlitter);
        } else if (depth == 8) {
            reference.ClearRect({0, 0, 640, 480});
        } else {
            reference.FillRect({0, 0, 640, 480}, backgroundColor);
        }
        DrawScene(reference, visible, sprite);

        const std::vector<uint8_t>& shown = Device().GetShownPixels();
        const int pitch = Device().GetPitch();
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                uint32_t got = 0;
                std::memcpy(&got, &shown[static_cast<size_t>(y * pitch + x * bytes)], static_cast<size_t>(bytes));
                const uint32_t want = (x == 0 && y == 0) ? marker : reference.GetRawPixel(x, y);
                ASSERT_EQ(got, want) << "frame " << frame << " at " << x << "," << y;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, PresentedPages,
    testing::Values(SceneCase{"ThreePages16", 16, 2, false, false, -1}, SceneCase{"TwoPages16", 16, 1, false, false, -1},
                    SceneCase{"Window16", 16, 2, true, false, -1}, SceneCase{"ThreePages8", 8, 2, false, false, -1},
                    SceneCase{"ThreePages24", 24, 2, false, true, -1}, SceneCase{"ThreePages32", 32, 2, false, true, -1},
                    SceneCase{"BackgroundFrame16", 16, 2, false, true, -1},
                    SceneCase{"LostPages16", 16, 2, false, false, 17}),
    [](const testing::TestParamInfo<SceneCase>& info) { return std::string(info.param.name); });

} // namespace
