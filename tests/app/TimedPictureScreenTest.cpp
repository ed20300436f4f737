// The timed picture screen on the virtual clock: refusing an empty frame, drawing centred, the fade
// in and the hold, ending the wait by a key or a new mouse press, a second picture, conversion and
// palettised pictures, the overlay texts on converted pictures.
#include "../graphics/OverlayTestSupport.h"
#include "AppTestSupport.h"
#include "app/TimedPictureScreen.h"
#include "foundation/TextSubstitutionList.h"
#include "graphics/Color.h"
#include "graphics/FontCollection.h"
#include "graphics/Frame.h"
#include "graphics/FrameOverlayOptions.h"
#include "graphics/PaletteTable.h"
#include "graphics/ScreenFrame.h"

namespace {

using platform::Event;
using platform::EventType;

constexpr uint32_t kPictureRgb = 0x20C040;
constexpr uint64_t kMillisecond = 1000000ull;

class TimedPictureScreen : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        // Every present moves the clock on by one sixtieth of a second, as a display at 60 Hz.
        platform::SetVirtualPresentStep(16666667);
        m_picture.Create(100, 50, 16);
        CColor color;
        color.Set(kPictureRgb >> 16, (kPictureRgb >> 8) & 0xFF, kPictureRgb & 0xFF);
        m_picture.FillWithColor(color);
    }

    platform::MemoryDisplay& Device() { return platform::GetHeadlessBackend().GetMemoryDisplay(); }
    static uint32_t Now() { return platform::GetTickCount(); }
    // An event the "user" causes after the milliseconds from now.
    static void After(uint64_t milliseconds, const Event& event)
    {
        platform::GetHeadlessBackend().QueueEventAt(platform::GetCounter() + milliseconds * kMillisecond, event);
    }

    // The block font "Blocks" in the font list and an overlay of the text at the top left.
    static void AddOverlay(CFrameOverlayOptions& options, const char* text)
    {
        overlaytest::SaveBlockFont("Blocks");
        CFontCollection::GetInstance().SetUpAtStartUp();
        options.SetPropertiesToDefaults();
        CFrameOverlayTextOverlay overlay;
        overlay.SetPropertiesToDefaults();
        overlay.m_text.SetSourceText(CSharedString(text));
        options.AddTextOverlay(overlay);
    }

    CFrame m_picture;
};

} // namespace

TEST_F(TimedPictureScreen, DrawsCentredOnAClearedTarget)
{
    CTimedPictureScreen screen;
    CFrame target;
    target.Create(201, 101, 16);
    CColor white = g_colorWhite;
    target.FillWithColor(white);
    screen.DrawCentered(&target);
    EXPECT_EQ(target.GetRawPixel(0, 0), 0u) << "nothing to draw still clears";

    TestApplication app;
    screen.Show(&m_picture, false, nullptr);
    target.FillWithColor(white);
    screen.DrawCentered(&target);
    const uint32_t picture = m_picture.GetRawPixel(0, 0);
    // (201 - 100) / 2 = 50 and (101 - 50) / 2 = 25.
    for (auto [x, y, inside] : {std::tuple{49, 25, false}, {50, 24, false}, {50, 25, true}, {149, 74, true},
                                {150, 74, false}, {149, 75, false}}) {
        EXPECT_EQ(target.GetRawPixel(x, y), inside ? picture : 0u) << x << "," << y;
    }
    EXPECT_EQ(screen.GetTargetRect(), (CIntRect{50, 25, 150, 75}));
    screen.ReleasePicture();
}

TEST_F(TimedPictureScreen, FadesInHoldsAndFadesOut)
{
    TestApplication app;
    CScreenFrame* display = app.GetDisplay();
    ASSERT_NE(display, nullptr);
    CTimedPictureScreen screen;
    const uint32_t start = Now();
    const int presents = Device().GetPresentCount();
    const unsigned draws = app.GetDrawCount();
    screen.Show(&m_picture, false, nullptr);

    EXPECT_EQ(screen.GetStartTime(), start);
    EXPECT_EQ(display->GetFadeLevel(), 1.0f);
    EXPECT_EQ(display->GetFadeState(), CScreenFrame::kFadeIdle);
    // A half-second fade in steps of four presents (1/15 s): eight steps and the final one.
    EXPECT_EQ(app.GetDrawCount() - draws, 9u);
    EXPECT_EQ(Device().GetPresentCount() - presents, 36);
    const int cx = display->GetWidth() / 2, cy = display->GetHeight() / 2;
    // The picture's box, centred: its corners show it, the pixels beside them do not.
    const uint32_t shown = Device().GetShownColor(cx, cy);
    EXPECT_NE(shown, 0u);
    EXPECT_EQ(Device().GetShownColor(cx - 50, cy - 25), shown);
    EXPECT_EQ(Device().GetShownColor(cx + 49, cy + 24), shown);
    EXPECT_EQ(Device().GetShownColor(cx - 51, cy), 0u);
    EXPECT_EQ(Device().GetShownColor(cx + 50, cy), 0u);
    EXPECT_EQ(Device().GetShownColor(cx, cy - 26), 0u);

    screen.Finish();
    EXPECT_EQ(screen.GetPicture(), nullptr);
    // The wait ended at the display time; the fade-out took half a second more.
    EXPECT_EQ(screen.GetStartTime() - start, 3000u);
    EXPECT_EQ(display->GetFadeLevel(), 0.0f);
    EXPECT_EQ(Device().GetShownColor(cx, cy), 0u) << "the last pages are drawn at fade level 0: black";
    EXPECT_GE(Now() - screen.GetStartTime(), 500u);
    EXPECT_LT(Now() - screen.GetStartTime(), 700u);
    EXPECT_EQ(m_picture.GetWidth(), 100) << "a frame shown without conversion is not the screen's";
}

TEST_F(TimedPictureScreen, AFrameWithoutAnImageIsRefused)
{
    TestApplication app;
    CTimedPictureScreen screen;
    screen.Show(&m_picture, false, nullptr);
    const uint32_t time = Now();
    const int presents = Device().GetPresentCount();
    CFrame empty;
    screen.Show(&empty, true, nullptr);
    screen.Show(nullptr, false, nullptr);
    screen.ShowHolder(nullptr, false, nullptr);
    EXPECT_EQ(screen.GetPicture(), &m_picture);
    EXPECT_EQ(Now(), time);
    EXPECT_EQ(Device().GetPresentCount(), presents);
    screen.ReleasePicture();
}

TEST_F(TimedPictureScreen, AKeyEndsTheWaitAndIsCleared)
{
    TestApplication app;
    CTimedPictureScreen screen;
    screen.Show(&m_picture, false, nullptr);
    const uint32_t shown = Now();
    After(1000, Event::Key(EventType::KeyDown, 57, 32));
    After(1000, Event::Char(' '));
    screen.Finish();
    EXPECT_GE(screen.GetStartTime() - shown, 1000u);
    EXPECT_LE(screen.GetStartTime() - shown, 1002u);
    EXPECT_EQ(g_keyboard.TakeAnyKeyPress(), 0);
    EXPECT_FALSE(g_keyboard.IsKeyDown(57));
    EXPECT_EQ(g_keyboard.ReadChar(), 0);
}

TEST_F(TimedPictureScreen, OnlyANewMousePressEndsTheWait)
{
    TestApplication app;
    CTimedPictureScreen screen;
    struct Case
    {
        std::vector<std::pair<uint64_t, Event>> events; // milliseconds after the picture is shown
        int64_t endsAfterShown; // milliseconds from the show to the end of the wait; -1: the display time
    };
    const Case cases[] = {
        {{}, -1},                                                                        // held from before
        {{{300, Event::Mouse(EventType::MouseDown, 1, 1, platform::kMouseRight)}}, 300}, // another button
        {{{100, Event::Mouse(EventType::MouseUp, 1, 1, platform::kMouseLeft)},
          {700, Event::Mouse(EventType::MouseDown, 1, 1, platform::kMouseLeft)}},
         700},                                                                           // released, pressed again
        {{{400, Event::Mouse(EventType::MouseDown, 1, 1, platform::kMouseRight)},
          {400, Event::Mouse(EventType::MouseUp, 1, 1, platform::kMouseRight)}},
         400},                                                                           // a click between two looks
    };
    for (const Case& c : cases) {
        g_mouse.SetButtons(platform::kMouseLeft);
        screen.Show(&m_picture, false, nullptr);
        // The display time counts from the previous wait's end, before the fades.
        const uint32_t begun = screen.GetStartTime();
        const uint32_t shown = Now();
        ASSERT_LT(shown - begun, 2000u);
        for (const auto& [at, event] : c.events)
            After(at, event);
        screen.Finish();
        const uint32_t waited = c.endsAfterShown < 0 ? 3000u : shown - begun + static_cast<uint32_t>(c.endsAfterShown);
        EXPECT_GE(screen.GetStartTime() - begun, waited) << c.endsAfterShown;
        EXPECT_LE(screen.GetStartTime() - begun, waited + 2) << c.endsAfterShown;
        // The next picture's time begins at the end of this wait.
        platform::AdvanceVirtualClock(3000 * kMillisecond);
    }
}

TEST_F(TimedPictureScreen, ASecondPictureFadesTheFirstOnlyAfterItsTime)
{
    TestApplication app;
    CTimedPictureScreen screen;
    CFrame second;
    second.Create(30, 30, 16);
    second.FillWithColor(g_colorWhite);
    screen.Show(&m_picture, false, nullptr);
    const uint32_t first = screen.GetStartTime();
    screen.Show(&second, false, nullptr);
    EXPECT_EQ(screen.GetPicture(), &second);
    EXPECT_EQ(screen.GetStartTime() - first, 3000u);
    EXPECT_EQ(app.GetDisplay()->GetFadeLevel(), 1.0f);
    EXPECT_EQ(Device().GetShownColor(app.GetDisplay()->GetWidth() / 2, app.GetDisplay()->GetHeight() / 2), 0xFFFFFFu);
    screen.ReleasePicture();
}

TEST_F(TimedPictureScreen, ConvertedAndPalettisedPictures)
{
    TestApplication app;
    CScreenFrame* display = app.GetDisplay();
    CTimedPictureScreen screen;
    // Converted: an owned copy of the display's size and depth, the picture at its top left.
    screen.Show(&m_picture, true, nullptr);
    CFrame* copy = screen.GetPicture();
    ASSERT_NE(copy, &m_picture);
    EXPECT_EQ(copy->GetWidth(), display->GetWidth());
    EXPECT_EQ(copy->GetBitsPerPixel(), display->GetBitsPerPixel());
    EXPECT_EQ(copy->GetRawPixel(99, 49), m_picture.GetRawPixel(0, 0));
    EXPECT_EQ(copy->GetRawPixel(100, 49), 0u);
    EXPECT_EQ(Device().GetShownColor(99, 49), Device().GetShownColor(0, 0));
    screen.ReleasePicture();

    // Palettised: the display takes the picture's palette, and black when it goes.
    CFrame indexed;
    indexed.Create(16, 16, 8);
    indexed.CreatePalette();
    for (uint32_t i = 0; i < 256; ++i)
        indexed.GetPalette()->SetEntry(i, static_cast<uint8_t>(i), 100, static_cast<uint8_t>(255 - i));
    indexed.FillWithByte(7);
    screen.Show(&indexed, false, nullptr);
    uint8_t r = 0, g = 0, b = 0;
    display->GetPalette()->GetEntry(7, r, g, b);
    EXPECT_EQ((std::tuple{r, g, b}), (std::tuple<uint8_t, uint8_t, uint8_t>{7, 100, 248}));
    screen.Finish();
    display->GetPalette()->GetEntry(7, r, g, b);
    EXPECT_EQ((std::tuple{r, g, b}), (std::tuple<uint8_t, uint8_t, uint8_t>{0, 0, 0}));
}

TEST_F(TimedPictureScreen, OnlyConvertedPicturesCarryTheOverlayTexts)
{
    TestApplication app;
    ASSERT_EQ(app.GetDisplay()->GetBitsPerPixel(), 16u);
    CFrameOverlayOptions options;
    AddOverlay(options, "A");
    const uint32_t picture = m_picture.GetRawPixel(0, 0);

    CTimedPictureScreen screen;
    screen.Show(&m_picture, false, &options);
    EXPECT_EQ(m_picture.GetRawPixel(0, 0), picture) << "a picture shown as it is stays untouched";
    screen.Show(&m_picture, true, &options);
    const CFrame* copy = screen.GetPicture();
    ASSERT_NE(copy, &m_picture);
    EXPECT_EQ(copy->GetRawPixel(0, 0), overlaytest::GlyphValue16('A'));
    EXPECT_EQ(copy->GetRawPixel(overlaytest::GlyphWidth('A'), 0), picture);
    EXPECT_EQ(m_picture.GetRawPixel(0, 0), picture);
    screen.ReleasePicture();
    CFontCollection::GetInstance().FreeEntries();
}

TEST_F(TimedPictureScreen, APictureStaysForTheDisplayTimeItIsGiven)
{
    TestApplication app;
    CTimedPictureScreen screen;
    const struct
    {
        float seconds;
        uint32_t waited; // milliseconds from the show to the end of the wait
    } cases[] = {{30.0f, 30000u}, {0.25f, 250u}, {-1.0f, 0u}};
    for (const auto& c : cases) {
        screen.Show(&m_picture, false, nullptr);
        screen.SetDisplayTime(c.seconds);
        const uint32_t begun = screen.GetStartTime();
        const uint32_t shown = Now() - begun; // the fade in
        screen.WaitUntilDone();
        // The wait ends at the display time, or at once when the fade in took longer.
        EXPECT_EQ(screen.GetStartTime() - begun, std::max(c.waited, shown)) << c.seconds;
        EXPECT_EQ(screen.GetDisplayTime(), std::max(c.seconds, 0.0f));
        screen.ReleasePicture();
    }
}

TEST_F(TimedPictureScreen, OverlayTextsTakeTheSubstitutionsGiven)
{
    TestApplication app;
    CFrameOverlayOptions options;
    AddOverlay(options, "%s!");
    CTextSubstitutionList substitutions;
    substitutions.AddSubstitution(CSharedString("%s"), CSharedString("AB"));

    CTimedPictureScreen screen;
    // With the substitutions the macro gives way to its text; without, it is drawn as written.
    screen.Show(&m_picture, true, &options, &substitutions);
    const CFrame* copy = screen.GetPicture();
    EXPECT_EQ(copy->GetRawPixel(0, 0), overlaytest::GlyphValue16('A'));
    EXPECT_EQ(copy->GetRawPixel(overlaytest::GlyphWidth('A'), 0), overlaytest::GlyphValue16('B'));
    EXPECT_EQ(copy->GetRawPixel(overlaytest::GlyphWidth('A') + overlaytest::GlyphWidth('B'), 0),
              overlaytest::GlyphValue16('!'));
    screen.Show(&m_picture, true, &options, nullptr);
    EXPECT_EQ(screen.GetPicture()->GetRawPixel(0, 0), overlaytest::GlyphValue16('%'));
    screen.ReleasePicture();
    CFontCollection::GetInstance().FreeEntries();
}
