// The timed message: its time, its box, the first draw's area, its fade and a golden picture. The
// font is the toolkit tests' capitals (line height 10; a glyph is one 2-pixel cell wider than its
// shape, a blank one cell), loaded for a 16-bit display as the game's fonts are.
#include "../graphics/GoldenImage.h"
#include "../ui/UiTestSupport.h"
#include "shell/TimedMessage.h"

namespace {

// A 16-bit frame that notes the alpha of its fills and the opacity of its blits.
struct SpyFrame : CFrame
{
    bool Blit(CFrameInterface* source, const CIntRect& from, const CIntRect& to, CBlitter* blitter) override
    {
        opacities.push_back(blitter->GetOpacity());
        return CFrame::Blit(source, from, to, blitter);
    }
    void FillRect(const CIntRect& rect, const CColor& color) override
    {
        fills.push_back({rect, color.GetAlpha()});
        CFrame::FillRect(rect, color);
    }
    std::vector<float> opacities;
    std::vector<std::pair<CIntRect, int>> fills;
};

// Each 5-6-5 channel of the pixel lies within one step of a x weight + b x (1 - weight).
void ExpectMix(uint32_t pixel, uint32_t a, uint32_t b, double weight)
{
    for (int shift : {11, 5, 0}) {
        const uint32_t mask = shift == 5 ? 63 : 31;
        EXPECT_NEAR((pixel >> shift) & mask, ((a >> shift) & mask) * weight + ((b >> shift) & mask) * (1 - weight), 1.01);
    }
}

class TimedMessage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BuildAlphaScaleTables();   // the opacity tables of the start-up
        BuildBlendStepTable();
        m_message.SetFont(m_font.get());
        m_frame.Create(200, 120, 16);
        m_frame.FillWithColor(frametest::Opaque(200, 120, 64));
    }
    std::unique_ptr<CFont> m_font = uitest::MakeFont(16);
    CTimedMessage m_message;
    SpyFrame m_frame;
};

TEST_F(TimedMessage, TimeLeft)
{
    m_message.Show("OK", CTimedMessage::kDefaultTime, 50);
    EXPECT_EQ(m_message.GetTimeLeft(), 4.0f);
    m_message.Update(3.9f);
    EXPECT_STREQ(m_message.GetText().CStr(), "OK");
    m_message.Update(0.2f);
    EXPECT_FALSE(m_message.IsShown());
    EXPECT_STREQ(m_message.GetText().CStr(), "");
    m_message.Show("NEVER", 0.0f, 50);
    m_message.Draw(&m_frame);
    EXPECT_TRUE(m_frame.fills.empty() && m_frame.opacities.empty());
}

TEST_F(TimedMessage, BoxIsWrappedAndCentred)
{
    struct Case
    {
        CIntRect area;
        const char* text;
        uint32_t centre;
        const char* wrapped;
        CIntRect box;
    } cases[] = {
        // Three lines of 10 pixels and 2 between them: 34 high, centred on row 10 + 50.
        {{10, 10, 50, 110}, "SAD COD OKAY", 50, "SAD\nCOD\nOKAY", {14, 43, 46, 77}},
        {{11, 10, 501, 480}, "OK", CTimedMessage::kCentreOfArea, "OK", {248, 240, 264, 250}},
        {{0, 0, 100, 51}, "OK", CTimedMessage::kCentreOfArea, "OK", {42, 20, 58, 30}},
        {{0, 40, 100, 100}, "OK", static_cast<uint32_t>(-10), "OK", {42, 25, 58, 35}},
        // No width: a word a line, overhanging the empty area on both sides.
        {{0, 0, 0, 0}, "SAD COD", 0, "SAD\nCOD", {-12, -11, 12, 11}},
    };
    for (const Case& c : cases) {
        m_message.SetArea(c.area);
        m_message.Show(c.text, 1.0f, c.centre);
        EXPECT_STREQ(m_message.GetText().CStr(), c.wrapped);
        EXPECT_EQ(m_message.GetTextBox(), c.box) << c.text << " " << c.area.m_right;
    }
    // That last area becomes the frame's at the first draw.
    m_message.Draw(&m_frame);
    EXPECT_EQ(m_message.GetArea(), (CIntRect{0, 0, 200, 120}));
    m_message.Show("SAD COD", 1.0f, CTimedMessage::kCentreOfArea);
    EXPECT_EQ(m_message.GetTextBox(), (CIntRect{75, 55, 125, 65}));
}

TEST_F(TimedMessage, LastHalfSecondFades)
{
    m_message.SetArea({0, 0, 200, 120});
    const uint32_t background = frametest::ReadPixel(m_frame, 0, 0), ink = frametest::Opaque(0xF0, 0xE6, 0xB4).GetPixel16();
    for (float time : {0.5f, 0.25f}) {
        m_frame.FillWithColor(frametest::Opaque(200, 120, 64));
        m_message.Show("OK", time, 60);
        m_message.Draw(&m_frame);
        const float factor = time * 2;
        ASSERT_EQ(m_frame.fills.back().first, (CIntRect{87, 50, 113, 70}));
        EXPECT_EQ(m_frame.fills.back().second, static_cast<int>(128 * factor));
        EXPECT_EQ(m_frame.opacities.back(), factor);
        EXPECT_EQ(m_font->GetBlitter()->GetOpacity(), 1.0f);
        const uint32_t box = frametest::ReadPixel(m_frame, 88, 51);   // in the margin of "OK" (92..108, 55..65)
        ExpectMix(box, background, 0, 1 - 0.5 * factor);
        // The first ink row of "O": full ink at half a second, half ink over the box at a quarter.
        ExpectMix(frametest::ReadPixel(m_frame, 93, 56), ink, box, factor);
    }
}

// A message wrapped to two lines over stripes, and one a quarter second from its end below it.
TEST_F(TimedMessage, GoldenPicture)
{
    for (uint32_t y = 0; y < 120; ++y)
        for (uint32_t x = 0; x < 200; ++x)
            frametest::WritePixel(m_frame, x, y,
                                  ((x / 8 + y / 8) % 2 ? frametest::Opaque(40, 110, 170) : frametest::Opaque(90, 160, 90))
                                      .GetPixel16());
    m_message.SetArea({40, 0, 160, 120});
    m_message.Show("A BOSSA BY SEA CODES ODES", 2.0f, 30);
    m_message.Draw(&m_frame);
    m_message.Show("OKAY BYE", 0.25f, 95);
    m_message.Draw(&m_frame);
    CFrame picture;
    picture.Create(200, 120, 24);
    for (uint32_t y = 0; y < 120; ++y)
        for (uint32_t x = 0; x < 200; ++x) {
            const uint32_t p = frametest::ReadPixel(m_frame, x, y), r = p >> 11, g = (p >> 5) & 63, b = p & 31;
            frametest::WritePixel(picture, x, y, (b << 3 | b >> 2) | (g << 2 | g >> 4) << 8 | (r << 3 | r >> 2) << 16);
        }
    golden::ExpectMatchesGolden(picture, "TimedMessage");
}

} // namespace
