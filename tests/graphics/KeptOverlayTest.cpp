// The back buffer's kept overlay: frame after frame of a moving scene under windows that sometimes
// move, change and go, drawn with every kind of call the windows make (translucent fills, blends
// of plain and run-length pictures, scaled pictures, lines of every slant, pixels, remaps, a
// picture rewritten between two uses), every picture equals the scene and the overlay drawn in
// full, and every page the display shows equals it too. An overlay that does not change over a
// scene that does not touch it is not drawn at all, nor where the scene under it is drawn again
// as it was.
#include "DisplayFixture.h"
#include "FrameTestSupport.h"

#include "blit/Blitter.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/NormalScaleBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/OverlayDrawing.h"
#include "graphics/PaletteTable.h"
#include "graphics/ScreenFrame.h"

#include <cstring>
#include <random>
#include <vector>

namespace {

using frametest::MakeRunLengthCopy;

CColor Color(std::mt19937& random, int depth, uint8_t alpha = 255)
{
    CColor color;
    if (depth == 8)
        color.SetFromPaletteIndex(static_cast<uint8_t>(1 + random() % 255));
    else
        color.ConstructRgba(static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
                            static_cast<uint8_t>(random()), alpha);
    return color;
}

// A window: its place, and how it looks; now and then it moves, changes a colour or hides.
struct Window
{
    int x, y, w, h;
    CColor fill, line;
    bool shown = true;
};

class KeptOverlay : public DisplayFixture, public testing::WithParamInterface<int>
{
protected:
    void SetUp() override
    {
        DisplayFixture::SetUp();
        const int depth = GetParam();
        std::mt19937 random(static_cast<uint32_t>(depth));
        background.Create(640, 480, static_cast<uint32_t>(depth));
        for (int i = 0; i < 40; ++i) {
            const int x = static_cast<int>(random() % 640), y = static_cast<int>(random() % 480);
            background.FillRect({x, y, x + 90, y + 70}, Color(random, depth));
        }
        plain.Create(24, 16, static_cast<uint32_t>(depth));
        plain.FillRect({0, 0, 24, 16}, Color(random, depth));
        plain.FillRect({4, 4, 20, 12}, Color(random, depth));
        plain.ClearRect({10, 0, 14, 16});   // a see-through slot
        MakeRunLengthCopy(runLength, plain, 0x2);
        // Blended on 16 bits in groups of four pixels from each run's start: cut elsewhere it
        // draws other pixels, so it must be drawn whole.
        CFrame wide;
        wide.Create(60, 12, static_cast<uint32_t>(depth));
        for (uint32_t y = 0; y < 12; ++y)
            for (uint32_t x = 0; x < 60; ++x)
                frametest::WritePixel(wide, x, y, 1 + random() % 0xFFFE);
        MakeRunLengthCopy(runLengthAlpha, wide, 0x4);
        BuildAlphaScaleTables();
        BuildBlendStepTable();
        rewritten.Create(12, 12, static_cast<uint32_t>(depth));
        COverlayDrawing::NoteRewrittenWhileDrawing(&rewritten);
        remap.Create(2);
        for (uint32_t i = 1; i < 256; ++i)
            remap.GetData()[i] = static_cast<uint8_t>(255 - i);
        for (int i = 0; i < 4; ++i)
            windows.push_back({static_cast<int>(random() % 500), static_cast<int>(random() % 380),
                               60 + static_cast<int>(random() % 120), 40 + static_cast<int>(random() % 80),
                               Color(random, depth, depth == 16 ? 140 : 255), Color(random, depth)});
        for (int i = 0; i < 12; ++i)
            shapes.push_back({static_cast<int>(random() % 600), static_cast<int>(random() % 440),
                              static_cast<int>(random() % 9) - 4, static_cast<int>(random() % 7) - 3,
                              Color(random, depth)});
        // A window that stays, its wide picture across a cell's edge (x 64) at a third of a
        // group, and a sprite going up and down under that cell only.
        windows[0] = {30, 100, 150, 90, windows[0].fill, windows[0].line};
        shapes[1] = {70, 90, 0, 2, shapes[1].color};
        // And a line that stays where it is under that window, drawn again every frame: the
        // window's result over it is put back rather than drawn again.
        shapes[2] = {120, 150, 0, 0, shapes[2].color};
    }
    void TearDown() override
    {
        CDirtyRectFrame::SetOverlaysKept(true);
        DisplayFixture::TearDown();
    }

    struct Shape
    {
        int x, y, dx, dy;
        CColor color;
    };

    void DrawScene(CFrameInterface& frame, bool still) const
    {
        for (size_t i = 0; i < shapes.size(); ++i) {
            const Shape& s = shapes[i];
            if (still && i > 0)
                continue;   // a still scene keeps one shape far from the windows
            if (i % 3 == 0)
                frame.FillRect({s.x, s.y, s.x + 30, s.y + 20}, s.color);
            else if (i % 3 == 1)
                frame.DrawFrameAt(const_cast<CFrame*>(&plain), s.x, s.y, &g_copyBlitter);
            else
                frame.DrawLine(s.x, s.y, s.x + 40, s.y + 17, s.color);
        }
    }

    // The windows' calls, as a toolkit makes them: one frame's worth.
    void DrawOverlay(CFrameInterface& frame, int frameNumber)
    {
        const int depth = GetParam();
        for (const Window& w : windows) {
            if (!w.shown)
                continue;
            frame.FillRect({w.x, w.y, w.x + w.w, w.y + w.h}, w.fill);
            frame.DrawLine(w.x, w.y, w.x + w.w - 1, w.y, w.line);
            frame.DrawLine(w.x, w.y, w.x, w.y + w.h - 1, w.line);
            frame.DrawLine(w.x + 3, w.y + w.h - 2, w.x + w.w - 4, w.y + 3, w.line);
            frame.DrawAntialiasedLine(static_cast<float>(w.x) + 2.5f, static_cast<float>(w.y) + 9.25f,
                                      static_cast<float>(w.x + w.w) - 5.0f, static_cast<float>(w.y) + 14.75f, w.line);
            frame.SetPixel(w.x + 5, w.y + 5, w.line);
            g_transparentMaskBlitter.SetOpacity(0.4f);
            frame.DrawFrameAt(&plain, w.x + 8, w.y + 20, &g_transparentMaskBlitter);
            frame.DrawFrameAt(&runLength, w.x + 30, w.y + 21, &g_transparentMaskBlitter);
            frame.DrawFrameAt(&runLengthAlpha, w.x + 3, w.y + 40, &g_transparentMaskBlitter);
            g_transparentMaskBlitter.SetOpacity(1.0f);
            frame.DrawFrameAt(&runLengthAlpha, w.x + 41, w.y + 33, &g_transparentMaskBlitter);
            frame.DrawFrameAt(&runLength, w.x + 17, w.y + 30, &g_transparentMaskBlitter);
            frame.Blit(&plain, {0, 0, 24, 16}, {w.x + 40, w.y + 8, w.x + 76, w.y + 32}, &g_normalScaleBlitter);
            if (depth == 8)
                frame.ApplyRemapTableToRect({w.x + 2, w.y + 2, w.x + 22, w.y + 12}, remap);
            // The same picture, tinted for each window that shows it.
            rewritten.FillRect({0, 0, 12, 12}, w.line);
            rewritten.FillRect({3, 3, 9, 9}, w.fill.GetAlpha() == 255 ? w.fill : w.line);
            frame.DrawFrameAt(&rewritten, w.x + w.w - 14, w.y + 2, &g_copyBlitter);
        }
        // A pointer that rests, then moves.
        const int pointer = frameNumber < 20 ? 0 : frameNumber - 20;
        frame.DrawFrameAt(&runLength, 300 + pointer * 3, 200 + pointer, &g_transparentMaskBlitter);
    }

    CFrame background, plain, runLength, runLengthAlpha, rewritten;
    CPaletteTable remap;
    std::vector<Window> windows;
    std::vector<Shape> shapes;
};

TEST_P(KeptOverlay, EveryPictureAndEveryShownPageEqualsItsFrameDrawnInFull)
{
    const int depth = GetParam();
    Device().SetMaxBackBuffers(2);
    SetDisplayBitsPerPixel(depth);
    CScreenFrame screen;
    int32_t w = 640, h = 480;
    ASSERT_TRUE(screen.SetDisplayMode(w, h, depth, depth));
    CDirtyRectFrame buffer;
    buffer.Create(640, 480, static_cast<uint32_t>(depth));
    buffer.SetPageCount(screen.GetBackBufferCount() + 1);
    buffer.SetBackgroundFrame(&background);
    CFrame reference;
    reference.Create(640, 480, static_cast<uint32_t>(depth));
    std::mt19937 random(99);
    uint64_t drawn = 0;
    for (int frame = 0; frame < 60; ++frame) {
        for (Shape& s : shapes) {
            s.x += s.dx;
            s.y += s.dy;
            if (s.x < -40 || s.x > 640)
                s.dx = -s.dx;
            if (s.y < -30 || s.y > 480 || (&s == &shapes[1] && (s.y < 90 || s.y > 170)))
                s.dy = -s.dy;
        }
        if (frame % 7 == 3) {
            Window& changed = windows[1 + random() % (windows.size() - 1)];
            switch (random() % 3) {
            case 0: changed.x += static_cast<int>(random() % 41) - 20; break;
            case 1: changed.line = Color(random, depth); break;
            default: changed.shown = !changed.shown; break;
            }
        }
        buffer.Clear();
        DrawScene(buffer, false);
        buffer.BeginOverlay();
        DrawOverlay(buffer, frame);
        buffer.EndOverlay();
        drawn += buffer.GetOverlayDrawnArea();
        ASSERT_EQ(screen.Lock(), CScreenFrame::kLockDone);
        buffer.PresentDirtyCells(&screen, &g_copyBlitter);
        screen.Unlock();
        ASSERT_TRUE(screen.Present());
        buffer.NextPage();

        reference.DrawFrameAt(&background, 0, 0, &g_copyBlitter);
        DrawScene(reference, false);
        DrawOverlay(reference, frame);
        const std::vector<uint8_t>& shown = Device().GetShownPixels();
        const int bytes = depth / 8, pitch = Device().GetPitch();
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                ASSERT_EQ(buffer.GetRawPixel(x, y), reference.GetRawPixel(x, y))
                    << "frame " << frame << ", picture at " << x << "," << y;
                if (x == 0 && y == 0)
                    continue;   // the display's marker
                uint32_t got = 0;
                std::memcpy(&got, &shown[static_cast<size_t>(y * pitch + x * bytes)], static_cast<size_t>(bytes));
                ASSERT_EQ(got, reference.GetRawPixel(x, y)) << "frame " << frame << ", shown at " << x << "," << y;
            }
    }
    // Kept, the windows were drawn again only in part.
    EXPECT_GT(drawn, 0u);
}

TEST_P(KeptOverlay, AnUnchangedOverlayOverAnUntouchedPictureIsNotDrawnAgain)
{
    const int depth = GetParam();
    CDirtyRectFrame buffer;
    buffer.Create(640, 480, static_cast<uint32_t>(depth));
    buffer.SetPageCount(1);
    buffer.SetBackgroundFrame(&background);
    // The windows in the upper half, the one shape of the scene in a lower corner.
    for (size_t i = 0; i < windows.size(); ++i)
        windows[i].y = static_cast<int>(10 + 40 * i);
    shapes[0] = {600, 440, 0, 0, shapes[0].color};
    std::vector<uint64_t> areas;
    for (int frame = 0; frame < 6; ++frame) {
        buffer.Clear();
        DrawScene(buffer, true);
        buffer.BeginOverlay();
        DrawOverlay(buffer, 0);
        buffer.EndOverlay();
        areas.push_back(buffer.GetOverlayDrawnArea());
    }
    EXPECT_GT(areas[0], 0u);
    for (size_t i = 1; i < areas.size(); ++i)
        EXPECT_EQ(areas[i], 0u) << "frame " << i;
    // The scene drawn again the same under a window, frame after frame.
    shapes[0] = {windows[1].x + 10, windows[1].y + 10, 0, 0, shapes[0].color};
    buffer.MarkAllDirty();
    for (int frame = 0; frame < 4; ++frame) {
        buffer.Clear();
        DrawScene(buffer, true);
        buffer.BeginOverlay();
        DrawOverlay(buffer, 0);
        buffer.EndOverlay();
        if (frame >= 2) {
            EXPECT_EQ(buffer.GetOverlayDrawnArea(), 0u) << "frame " << frame;
        }
    }
    // Straight drawing, for comparison, draws it all every frame.
    CDirtyRectFrame::SetOverlaysKept(false);
    buffer.Clear();
    buffer.BeginOverlay();
    EXPECT_FALSE(buffer.IsRecordingOverlay());
    buffer.EndOverlay();
}

INSTANTIATE_TEST_SUITE_P(Depths, KeptOverlay, testing::Values(8, 16, 24, 32));

} // namespace
