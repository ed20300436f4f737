// The animator's slide, image windows' looping and sizing, separators that follow their parent, and
// picture windows.
#include "InputTestSupport.h"
#include "TextureTestSupport.h"
#include "graphics/Sequence.h"
#include "ui/JAnimator.h"
#include "ui/JImageWindow.h"
#include "ui/JSeparator.h"
#include "ui/ScreenWindow.h"
#include "ui/controls/JPictureWindow.h"

#include <cmath>
#include <memory>

using namespace uitest;
using frametest::ReadPixel;
using frametest::WritePixel;

namespace {

class SmallWindows : public ToolkitTest
{
};

// A sequence of count 4 x 3 frames, frame i filled with the value 100 + i.
std::unique_ptr<CSequence> MakeSequence(uint32_t count, float rate)
{
    auto sequence = std::make_unique<CSequence>();
    sequence->SetPropertiesToDefaults();
    sequence->SetBlitTypeByName("Transparent Mask");
    sequence->SetFramesPerSecond(rate);
    for (uint32_t i = 0; i < count; ++i) {
        auto* frame = new CFrame;
        frame->Create(4, 3, 16);
        for (uint32_t p = 0; p < 12; ++p)
            WritePixel(*frame, p % 4, p / 4, 100 + i);
        sequence->AddFrame(frame);
    }
    return sequence;
}

// An 8 x 8 16-bit frame of zeros and a proxy over all of it.
void MakeTarget(CFrame& target, COffsetClippedProxyFrame& proxy)
{
    target.Create(8, 8, 16);
    proxy.ConstructForTarget(&target);
    proxy.SetClipRect({0, 0, 8, 8});
}

} // namespace

TEST_F(SmallWindows, AnimatorSlidesBackAtItsSpeedAndGoes)
{
    SoundRecorder sounds({"UI/Button Flip.wav"});
    CJWindow root(nullptr, "Root");
    root.SetRect({0, 0, 800, 600});
    auto* menu = new CJWindow(&root, "Menu");
    menu->SetRect({100, 50, 300, 250});
    root.AddChild(menu, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* animator = new CJAnimator;
    menu->AddChild(animator, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    CWindowWatch watch(animator);
    animator->SlideFrom(-640, 0);
    EXPECT_EQ(menu->GetRect().m_left, -540);
    EXPECT_EQ(menu->GetRect().GetWidth(), 200);

    const double step = 400.0 / 60.0;
    int updates = 0;
    while (watch.IsAlive() && updates < 200) {
        ASSERT_TRUE(sounds.Played().empty()) << updates;
        root.Update(1.0f / 60.0f);
        ++updates;
        const double expected = std::min(-540.0 + updates * step, 100.0);
        if (watch.IsAlive()) {
            ASSERT_EQ(menu->GetRect().m_left, std::lround(expected)) << updates;
        }
        EXPECT_EQ(menu->GetRect().m_top, 50);
    }
    EXPECT_FALSE(watch.IsAlive());
    EXPECT_EQ(updates, 97);  // 96 steps of 400/60 cover the 640 pixels, the next one ends it
    EXPECT_EQ(menu->GetRect().m_left, 100);
    EXPECT_FALSE(menu->HasChildren());
    EXPECT_EQ(sounds.Played(), Log{"UI/Button Flip.wav"});
    // Without a parent there is nothing to slide.
    CJAnimator alone;
    alone.SlideFrom(10, 10);
    EXPECT_EQ(alone.GetRect(), CIntRect{});
}

TEST_F(SmallWindows, ImageWindowsLoopOncePerUpdateAndDrawTheirFrame)
{
    auto sequence = MakeSequence(3, 10.0f);
    CJImageWindow image(nullptr, sequence.get(), "Logo");
    EXPECT_EQ(image.GetWidth(), 4);
    EXPECT_EQ(image.GetHeight(), 3);
    EXPECT_FALSE(image.IsEnabled());
    const struct
    {
        float seconds;
        float frameTime;
    } steps[] = {
        {0.1f, 1.0f}, {0.1f, 2.0f}, {0.05f, 2.5f - 3.0f},  // 2.5 rounds to 3: wrapped
        {1.0f, 9.5f - 3.0f},                              // far past the end: wrapped once only
        {0.0f, 6.5f - 3.0f},
    };
    for (const auto& s : steps) {
        image.Update(s.seconds);
        EXPECT_NEAR(image.GetFrameTime(), s.frameTime, 1e-4) << s.seconds;
    }
    // At frame time 3.5 (rounds to 4) there is no frame: nothing is drawn.
    CFrame target;
    COffsetClippedProxyFrame proxy;
    MakeTarget(target, proxy);
    image.Draw(&proxy);
    EXPECT_EQ(ReadPixel(target, 0, 0), 0u);
    image.Update(-0.2f);  // back to 1.5, which rounds to frame 2
    image.Draw(&proxy);
    EXPECT_EQ(ReadPixel(target, 3, 2), 102u);
    EXPECT_EQ(ReadPixel(target, 4, 2), 0u);
}

TEST_F(SmallWindows, ImageWindowsWithoutTheirImageKeepTheirSize)
{
    TextureList collection({{"Logo", 5}});
    CJImageWindow missing(nullptr, "Nothing", &collection);
    EXPECT_STREQ(missing.GetText(), "!DEBUG! Nothing");
    EXPECT_EQ(missing.GetSequence(), nullptr);
    missing.SetRect({0, 0, 30, 20});
    missing.Update(1.0f);
    CFrame target;
    COffsetClippedProxyFrame proxy;
    MakeTarget(target, proxy);
    missing.Draw(&proxy);
    EXPECT_EQ(missing.GetRect(), (CIntRect{0, 0, 30, 20}));
    EXPECT_EQ(ReadPixel(target, 0, 0), 0u);
}

TEST_F(SmallWindows, SeparatorsFollowTheirParentOrKeepTheirSize)
{
    CJWindow parent(nullptr, "Parent");
    parent.SetRect({0, 0, 200, 100});
    const struct
    {
        int32_t width, height;
        CIntRect rect;
    } cases[] = {
        {0, 2, {1, 0, 199, 2}},
        {3, 0, {0, 1, 3, 99}},
        {0, 0, {1, 1, 199, 99}},
        {40, 6, {0, 0, 40, 6}},
    };
    for (const auto& c : cases) {
        auto* separator = new CJSeparator(&parent, c.width, c.height);
        EXPECT_EQ(separator->GetRect(), c.rect) << c.width << "x" << c.height;
        delete separator;
    }
    auto* strip = new CJSeparator(&parent, 0, 2);
    parent.AddChild(strip, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    strip->SetPosition(50, 40);  // only the fixed axis moves
    EXPECT_EQ(strip->GetRect(), (CIntRect{1, 40, 199, 42}));
    parent.SetRect({0, 0, 300, 100});
    strip->SetRect(strip->GetRect());
    EXPECT_EQ(strip->GetRect(), (CIntRect{1, 40, 299, 42}));

    // A one-pixel separator is a line in the focus frame colour; others a sunken bevel.
    CFrame target;
    target.Create(20, 20, 16);
    COffsetClippedProxyFrame proxy;
    proxy.ConstructForTarget(&target);
    proxy.SetClipRect({0, 0, 20, 20});
    CJSeparator line(nullptr, 1, 10);
    line.Draw(&proxy);
    const uint32_t ink = line.GetFocusFrameColor().GetPixel16();
    for (uint32_t y = 0; y < 12; ++y)
        EXPECT_EQ(ReadPixel(target, 0, y), y < 10 ? ink : 0u) << y;
    EXPECT_EQ(ReadPixel(target, 1, 0), 0u);
}

// The caption part fills the whole window with its texture: the picture goes over it, and the
// window's children over the picture.
TEST_F(SmallWindows, APictureWindowDrawsItsPictureOverTheCaptionAndUnderItsChildren)
{
    const struct
    {
        uint32_t depth;
        uint32_t picture, child;
    } cases[] = {{8, 100, 200}, {16, 0x1234, 0x4321}, {24, 0x123456, 0x654321}, {32, 0xFF123456, 0xFF654321}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        TextureList textures({{"Window Texture", 7}, {"Window Title Tile", 9}}, c.depth);
        CJWindow::SetSkinResources(nullptr, &textures);
        const auto filled = [&](int32_t side, uint32_t value) {
            auto frame = std::make_unique<CFrame>();
            frame->Create(static_cast<uint32_t>(side), static_cast<uint32_t>(side), c.depth);
            for (int32_t p = 0; p < side * side; ++p)
                WritePixel(*frame, static_cast<uint32_t>(p % side), static_cast<uint32_t>(p / side), value);
            return frame;
        };
        const auto picture = filled(40, c.picture), small = filled(10, c.child);
        CFrame target;
        target.Create(64, 64, c.depth);
        {
            CScreenWindow screen(&target, nullptr);
            auto* window = new CJPictureWindow(&screen, picture.get(), 0, 0);
            screen.AddChild(window, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
            auto* child = new CJPictureWindow(window, small.get(), 0, 0);
            window->AddChild(child, kPlaceNone, nullptr, 10, 10, kPlaceNoGrow | kPlacePixelOffsets);
            child->SetPosition(10, 10);
            screen.DrawScreen();
            for (const auto& [x, y] : {std::pair{1u, 1u}, std::pair{5u, 5u}, std::pair{30u, 38u}})
                EXPECT_EQ(ReadPixel(target, x, y), c.picture) << x << "," << y;
            EXPECT_EQ(ReadPixel(target, 15, 15), c.child);
        }
        CJWindow::SetSkinResources(nullptr, nullptr);
    }
}

TEST_F(SmallWindows, PictureWindowsTakeTheirPicturesSizeDrawItAndNeverMove)
{
    auto sequence = MakeSequence(1, 1.0f);
    CFrame* picture = sequence->GetFrame(0);
    CJWindow root(nullptr, "Root");
    root.SetRect({0, 0, 64, 64});
    auto* window = new CJPictureWindow(&root, picture, 2, 3);
    root.AddChild(window, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    EXPECT_EQ(window->GetWidth(), 4);
    EXPECT_EQ(window->GetHeight(), 3);
    window->SetPosition(10, 20);

    CFrame target;
    COffsetClippedProxyFrame proxy;
    MakeTarget(target, proxy);
    window->Draw(&proxy);
    EXPECT_EQ(ReadPixel(target, 2, 3), 100u);  // drawn at (x, y) inside the window
    EXPECT_EQ(ReadPixel(target, 3, 4), 100u);
    EXPECT_EQ(ReadPixel(target, 1, 3), 0u);

    // A left drag over the picture leaves it where it is.
    CSequence* cursor = nullptr;
    window->OnMouseDrag({12, 21}, {0, 0}, 1, cursor);
    window->OnMouseDrag({40, 41}, {28, 20}, 1, cursor);
    EXPECT_EQ(window->GetRect(), (CIntRect{10, 20, 14, 23}));

    // Without a picture it keeps at least the caption's size and draws nothing of its own.
    CJPictureWindow empty(nullptr, nullptr, 0, 0);
    EXPECT_EQ(empty.GetFrame(), nullptr);
    EXPECT_GE(empty.GetWidth(), 10);
    EXPECT_GE(empty.GetHeight(), 10);
}
