// Labels: sizing of one line, several lines and wrapped text (widths counted here from the test
// font's 8-pixel letters), no shrinking, the maximum height, and the tooltip of a cut text.
#include "InputTestSupport.h"
#include "ui/controls/JLabel.h"

namespace {

using namespace uitest;

class Label : public ScreenInputTest
{
};

// The test font: its letters 8 px wide, blank and the codes it has no shape for (X among them)
// 2 px, line height 10, font unit 2, so the row spacing r is 4 pixels.
constexpr int32_t kLetter = 8, kNarrow = 2, kLine = 10, kR = 4;

TEST_F(Label, SizesToItsText)
{
    struct Case
    {
        const char* name;
        const char* text;
        int32_t wrapWidth, maximumHeight;
        int32_t width, height;
    };
    const Case cases[] = {
        {"one line", "ABC", -1, -1, 3 * kLetter + 2 * kR, kLine + 2 + 2 * kR},
        {"empty measures XXX", "", -1, -1, 3 * kNarrow + 2 * kR, kLine + 2 + 2 * kR},
        // Two lines with 2 font units between them, sized to the wider.
        {"two lines", "AB\nABCD", -1, -1, 4 * kLetter + 2 * kR + 2, 2 * kLine + 4 + 2 * kR + 2},
        {"two lines, capped", "AB\nABCD", -1, 20, 4 * kLetter + 2 * kR + 2, 20},
        // Wrapped into 50 - 10 = 40 pixels: "ABC ABC" breaks after the blank, which is not counted.
        {"wrapped", "ABC ABC", 50, -1, 3 * kLetter + 2 * kR + 2, 2 * kLine + kR + 2 * kR + 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CJLabel label(nullptr, "");
        label.m_wrapWidth = c.wrapWidth;
        label.m_maximumHeight = c.maximumHeight;
        label.SetText(c.text);
        EXPECT_EQ(label.GetWidth(), c.width);
        EXPECT_EQ(label.GetHeight(), c.height);
        EXPECT_EQ(label.IsMultiLine(), std::strchr(c.text, '\n') != nullptr);
    }
}

TEST_F(Label, AShorterTextDoesNotShrinkItButANewFontMeasuresAfresh)
{
    CJLabel label(nullptr, "ABCDE");
    EXPECT_EQ(label.GetWidth(), 5 * kLetter + 2 * kR);
    label.SetText("A");
    EXPECT_EQ(label.GetWidth(), 5 * kLetter + 2 * kR);
    label.SetText("ABCDES");
    EXPECT_EQ(label.GetWidth(), 6 * kLetter + 2 * kR);
    label.SetText("A");
    label.SetFont(m_font.get());
    EXPECT_EQ(label.GetWidth(), kLetter + 2 * kR);
}

TEST_F(Label, ACutTextShowsWholeExactlyOverItself)
{
    struct Case
    {
        int32_t justification;
        int32_t x;  // the tooltip's left edge for a label at 100..140 and the 48-pixel text
    };
    const Case cases[] = {{kJustifyLeft, 100 + kR}, {kJustifyCentre, 120 - 24}, {kJustifyRight, 140 - kR - 48 - 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.justification);
        auto* label = new CJLabel(nullptr, "ABCDES");
        label->SetJustification(c.justification);
        Open(label, {100, 200, 140, 200 + kLine + 2 + 2 * kR});
        Step({MoveTo(110, 205)});
        ASSERT_TRUE(m_screen->HasTooltip());
        EXPECT_EQ(m_screen->GetTooltipRect().m_left, c.x);
        EXPECT_EQ(m_screen->GetTooltipRect().m_top, 200 + 1 + kR);
        EXPECT_EQ(m_screen->GetTooltipRect().GetWidth(), 48);
        delete label;
        m_screen->HideTooltip();
        Step({MoveTo(0, 0)});
    }
    // Uncut and wrapped labels show none.
    auto* whole = new CJLabel(nullptr, "AB");
    Open(whole, {100, 200, 140, 220});
    Step({MoveTo(110, 205)});
    EXPECT_FALSE(m_screen->HasTooltip());
}

} // namespace
