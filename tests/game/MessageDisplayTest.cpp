// The message display: wrapping and dropping what does not fit, the time, the fade and the blink.
#include "PlayfieldTestSupport.h"

#include <string>

namespace {

using playfieldtest::MakeBlockFont;

class MessageDisplayTest : public ::testing::Test
{
protected:
    // Glyphs 4 pixels wide; the small font 6 pixels high, the large one 10.
    std::unique_ptr<CFont> m_small = MakeBlockFont(4, 6);
    std::unique_ptr<CFont> m_large = MakeBlockFont(4, 10);
    std::unique_ptr<CFont> m_tiny = MakeBlockFont(4, 3);
    CMessageDisplay m_display{m_small.get(), m_large.get(), m_tiny.get(), 531, 35, 88, 93};
};

TEST_F(MessageDisplayTest, StartsWithTheBannerForFourSeconds)
{
    ASSERT_EQ(m_display.GetLineCount(), 2u);
    // 23 characters of 4 pixels do not fit in 88: the banner wraps at its last blank.
    EXPECT_STREQ(m_display.GetLine(0), "Dev-U-Duvozo BIOS");
    EXPECT_STREQ(m_display.GetLine(1), "v4.31");
    EXPECT_EQ(m_display.GetLineFont(0), m_large.get());
    EXPECT_EQ(m_display.GetTimeLeft(), 4.0f);
}

TEST_F(MessageDisplayTest, TextIsCutAtTheRectanglesHeightOrTenLines)
{
    struct Case
    {
        const char* name;
        int32_t kind;
        const CFont* font;
        uint32_t fontHeight;
        uint32_t lines;
    };
    // Twelve words that each take a line of their own.
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "WORDWORDWORDWORD" + std::to_string(i % 10) + " ";
    for (const Case& c : {Case{"12 px: 7 lines fill 84 of 93", 1, m_large.get(), 12, 7},
                          Case{"8 px: 11 would fit, 10 kept", 0, m_small.get(), 8, 10},
                          Case{"5 px: 18 would fit, 10 kept", 2, m_tiny.get(), 5, 10}}) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.font->GetHeight(), static_cast<int32_t>(c.fontHeight));
        m_display.Show(text.c_str(), c.kind, 2.0f, false);
        EXPECT_EQ(m_display.GetLineCount(), c.lines);
        EXPECT_EQ(m_display.GetTotalHeight(), c.lines * c.fontHeight);
        EXPECT_STREQ(m_display.GetLine(0), "WORDWORDWORDWORD0");
        EXPECT_STREQ(m_display.GetLine(c.lines - 1), ("WORDWORDWORDWORD" + std::to_string(c.lines - 1)).c_str());
    }
    // Each piece is measured on its own: a smaller line still fits under a full block of large
    // ones (84 + 5 of 93), a larger one does not (84 + 12).
    m_display.Show(text.c_str(), 1, 2.0f, false);
    m_display.AddLines("A", 1);
    EXPECT_EQ(m_display.GetLineCount(), 7u);
    m_display.AddLines("A B", 2);
    EXPECT_EQ(m_display.GetLineCount(), 8u);
    EXPECT_STREQ(m_display.GetLine(7), "A B");
    EXPECT_EQ(m_display.GetTotalHeight(), 89u);
}

TEST_F(MessageDisplayTest, WordWiderThanThePanelIsBrokenAndTheWrapEnds)
{
    // 30 characters of 4 pixels: 21 fit below 88.
    m_display.Show("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234  \t\r\n", 0, 1.0f, false);
    ASSERT_EQ(m_display.GetLineCount(), 2u);
    EXPECT_STREQ(m_display.GetLine(0), "ABCDEFGHIJKLMNOPQRSTU");
    EXPECT_STREQ(m_display.GetLine(1), "VWXYZ1234");
}

TEST_F(MessageDisplayTest, ZeroSecondsNeverFadesNorEnds)
{
    m_display.Show("Game Over", 1, 0.0f, false);
    for (int i = 0; i < 600; ++i)
        m_display.Update(1.0f / 60.0f);
    EXPECT_EQ(m_display.GetLineCount(), 1u);
    EXPECT_EQ(m_display.GetTimeLeft(), 0.0f);
    EXPECT_EQ(m_display.PeekNextAlpha(), 1.0f);
}

TEST_F(MessageDisplayTest, TimedTextFadesOverItsLastHalfSecondThenGoes)
{
    struct Case
    {
        float elapsed;
        float alpha;
        uint32_t lines;
    };
    for (const Case& c : {Case{0.5f, 1.0f, 1}, Case{1.0f, 1.0f, 1}, Case{1.25f, 0.5f, 1}, Case{1.4f, 0.2f, 1},
                          Case{1.6f, 1.0f, 0}}) {
        SCOPED_TRACE(c.elapsed);
        m_display.Show("Hello", 1, 1.5f, false);
        m_display.Update(c.elapsed);
        EXPECT_NEAR(m_display.PeekNextAlpha(), c.alpha, 1e-5f);
        EXPECT_EQ(m_display.GetLineCount(), c.lines);
    }
}

TEST_F(MessageDisplayTest, KeepAtLeastOnlyRaisesTheTime)
{
    struct Case
    {
        float shown;
        float kept;
    };
    for (const Case& c : {Case{2.0f, 4.0f}, Case{6.0f, 6.0f}, Case{0.0f, 4.0f}}) {
        m_display.Show("Hello", 0, c.shown, false);
        m_display.KeepAtLeast(4.0f);
        EXPECT_EQ(m_display.GetTimeLeft(), c.kept) << c.shown;
    }
}

TEST_F(MessageDisplayTest, BlinkShowsFadesAndHidesCountedInDraws)
{
    CFrame target;
    target.Create(640, 480, 16);
    m_display.Show("Game Over", 1, 0.0f, true);
    // Per draw of 1/60 s: 0.75 s shown, 0.25 s fading, 0.5 s hidden, then again.
    int shown = 0, fading = 0, hidden = 0, firstFade = 0, firstHidden = 0, again = 0;
    for (int draw = 1; draw <= 100; ++draw) {
        const float alpha = m_display.PeekNextAlpha();
        m_display.Draw(&target);
        if (draw > 90) {
            again += alpha == 1.0f;
            continue;
        }
        if (alpha == 1.0f) {
            ++shown;
        } else if (alpha > 0.0f) {
            fading += 1;
            firstFade = firstFade ? firstFade : draw;
        } else {
            ++hidden;
            firstHidden = firstHidden ? firstHidden : draw;
        }
    }
    EXPECT_EQ(shown, 45);
    EXPECT_EQ(fading, 15);
    EXPECT_EQ(hidden, 30);
    EXPECT_EQ(firstFade, 46);
    EXPECT_EQ(firstHidden, 61);
    EXPECT_EQ(again, 10);
    // A new message starts its blink afresh.
    m_display.Show("Again", 1, 0.0f, true);
    EXPECT_EQ(m_display.PeekNextAlpha(), 1.0f);
}

TEST_F(MessageDisplayTest, GameFindsTheDisplayItWasGiven)
{
    {
        CMessageDisplay display(m_small.get(), m_large.get(), m_tiny.get(), 0, 0, 10, 10);
        SetMessageDisplay(&display);
        EXPECT_EQ(GetMessageDisplay(), &display);
    }
    EXPECT_EQ(GetMessageDisplay(), nullptr);
}

} // namespace
