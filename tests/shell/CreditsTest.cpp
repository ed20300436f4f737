// The scrolling credits on the virtual clock: how the file is read (comments, long lines, the
// line limit, any line end), where a line's parts land, the heading underlines, the fades at the
// edges, the restart after the run-through, and a full buffer in a tall window.
#include "../foundation/FileTestHelpers.h"
#include "../ui/UiTestSupport.h"
#include "platform/Time.h"
#include "shell/dialogs/CreditsDialog.h"
#include "shell/dialogs/CreditsText.h"
#include "shell/dialogs/CreditsControl.h"
#include "ui/JButton.h"
#include "ui/ScreenWindow.h"
#include "ui/WindowWatch.h"
#include "TestSupport.h"

#include <string>
#include <vector>

using namespace uitest;

namespace {

constexpr uint64_t kMillisecond = 1000000;
constexpr int32_t kWidth = 200, kHeight = 160;
// The test font: glyphs 8 pixels apart, inked over 6 of them, rows 1 to 10 under the line top;
// its line height is 10, so a credits line is 14 pixels and the scroll 0.028 pixels a millisecond.
constexpr int32_t kGlyphAdvance = 8;
constexpr int32_t kLineHeight = 14;
// Line 0 stands at y = 80, the middle of the frame, after 2857 ms (80 / 0.028 rounded).
constexpr uint32_t kMiddleMilliseconds = 2857;
constexpr int32_t kMiddleY = 80;

class CreditsTest : public ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        platform::EnableVirtualClock();
        m_frame.Create(kWidth, kHeight, 16);
        Clear();
    }
    void TearDown() override
    {
        platform::DisableVirtualClock();
        ToolkitTest::TearDown();
    }
    void Clear() { std::fill_n(m_frame.GetPixels(), m_frame.GetPitch() * kHeight * 2, uint8_t{0}); }
    std::unique_ptr<CCreditsText> Read(const std::string& bytes)
    {
        testsupport::WriteFileBytes("Credits.txt", bytes);
        return std::make_unique<CCreditsText>("Credits.txt", m_font.get());
    }
    void Advance(uint32_t milliseconds) { platform::AdvanceVirtualClock(milliseconds * kMillisecond); }
    void Draw(CCreditsText& text, int32_t height = kHeight)
    {
        Clear();
        text.Draw(&m_frame, {0, 0, kWidth, height});
    }
    uint32_t Pixel(int32_t x, int32_t y) { return frametest::ReadPixel(m_frame, x, y); }
    // The leftmost and rightmost inked columns within the rows and columns given; -1 when none.
    std::pair<int32_t, int32_t> InkColumns(int32_t top, int32_t bottom, int32_t left = 0, int32_t right = kWidth)
    {
        int32_t first = -1, last = -1;
        for (int32_t x = left; x < right; ++x)
            for (int32_t y = top; y < bottom; ++y)
                if (Pixel(x, y)) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        return {first, last};
    }
    bool AnyInk() { return InkColumns(0, kHeight).first >= 0; }

    filetest::WorkFolder m_folder;
    CFrame m_frame;
};

TEST_F(CreditsTest, ReadingKeepsShownLinesCutsLongOnesAndStopsAtTheLimit)
{
    const std::string longLine(300, 'A');
    std::string many;
    for (int i = 0; i < 1200; ++i)
        many += "B\n";
    const struct
    {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"/ a comment\nA\n/B\nC", {"A", "C"}},
        {"A\r\nB\r\n\r\nC\rD", {"A", "B", "", "C", "D"}},
        {longLine + "\nB\n", {std::string(255, 'A'), "B"}},
        {"/" + longLine + "\nB", {"B"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        auto text = Read(c.bytes);
        ASSERT_EQ(text->GetLineCount(), c.lines.size()) << c.bytes.substr(0, 40);
        for (uint32_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(text->GetLine(i), c.lines[i]);
        EXPECT_STREQ(text->GetLine(text->GetLineCount()), "");
        EXPECT_STREQ(text->GetLine(CCreditsText::kSlots + 5), "");
    }
    EXPECT_EQ(Read(many)->GetLineCount(), CCreditsText::kMaxLines);
    EXPECT_EQ(CCreditsText("No Such Credits.txt", m_font.get()).GetLineCount(), 0u);
}

TEST_F(CreditsTest, LinesFadeOverTheTopAndBottomEighths)
{
    // H = 160: the top eighth is 20 pixels; the bottom fade starts past 135.
    const struct
    {
        int32_t y;
        float opacity;
    } cases[] = {{-14, 0.0f}, {0, 0.0f}, {5, 0.25f}, {10, 0.5f}, {19, 0.95f}, {20, 1.0f},
                 {135, 1.0f}, {140, 0.75f}, {150, 0.25f}, {155, 0.0f}, {170, 0.0f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(CCreditsText::LineOpacity(c.y, kHeight), c.opacity) << c.y;
    EXPECT_FLOAT_EQ(CCreditsText::LineOpacity(30, 480), 0.5f);
}

TEST_F(CreditsTest, AColonSplitsTheLineAtTheCentre)
{
    auto text = Read("ABC:DE\n");
    Advance(kMiddleMilliseconds);
    Draw(*text);
    // "ABC" ends at the centre (its last glyph inked up to 3 pixels short of its advance), "DE"
    // starts there; the colon itself is not drawn.
    const auto left = InkColumns(kMiddleY, kMiddleY + kLineHeight, 0, kWidth / 2);
    const auto right = InkColumns(kMiddleY, kMiddleY + kLineHeight, kWidth / 2, kWidth);
    EXPECT_EQ(left.first, kWidth / 2 - 3 * kGlyphAdvance);
    EXPECT_EQ(left.second, kWidth / 2 - 3);
    EXPECT_EQ(right.first, kWidth / 2);
    EXPECT_EQ(right.second, kWidth / 2 + 2 * kGlyphAdvance - 3);
}

TEST_F(CreditsTest, HeadingsAreCentredOverARedOrGreenUnderline)
{
    const struct
    {
        const char* line;
        uint32_t underline;  // 5-6-5 pixel of level 156 at full opacity, channels rounded
    } cases[] = {{"_ABC", ((156u + 4) >> 3) << 11}, {"+ABC", ((156u + 2) >> 2) << 5}};
    for (const auto& c : cases) {
        auto text = Read(c.line);
        Advance(kMiddleMilliseconds);
        Draw(*text);
        const int32_t row = kMiddleY + 10 + 1;
        // "ABC" is 24 pixels wide: centred from 88; the underline from 100 - 12 to 100 + 12 inclusive.
        EXPECT_EQ(InkColumns(kMiddleY, row).first, 88) << c.line;
        for (int32_t x = 80; x < 120; ++x)
            EXPECT_EQ(Pixel(x, row), x >= 88 && x <= 112 ? c.underline : 0u) << c.line << " x " << x;
        EXPECT_EQ(InkColumns(row + 1, kHeight).first, -1) << "one pixel high";
    }
    const struct
    {
        char kind;
        float opacity;
        bool eightBit;
        uint8_t red, green, alpha;
    } colours[] = {{'_', 1.0f, false, 156, 0, 255}, {'_', 0.5f, false, 156, 0, 128}, {'+', 0.25f, false, 0, 156, 64},
                   {'_', 0.5f, true, 78, 0, 255},   {'+', 0.25f, true, 0, 39, 255},  {'_', 0.0f, true, 0, 0, 255}};
    for (const auto& c : colours) {
        const CColor colour = CCreditsText::UnderlineColor(c.kind, c.opacity, c.eightBit);
        EXPECT_EQ(colour.GetRed(), c.red) << c.kind << c.opacity << c.eightBit;
        EXPECT_EQ(colour.GetGreen(), c.green) << c.kind << c.opacity << c.eightBit;
        EXPECT_EQ(colour.GetAlpha(), c.alpha) << c.kind << c.opacity << c.eightBit;
    }
}

TEST_F(CreditsTest, CommentLinesNeverShow)
{
    auto text = Read("/ABC\n/DE:SO\n/_ABC\n");
    for (uint32_t step = 0; step < 40; ++step) {
        Draw(*text);
        EXPECT_FALSE(AnyInk()) << step;
        Advance(500);
    }
}

TEST_F(CreditsTest, TheScrollStartsAgainAfterTheLastLineLeftTheTop)
{
    auto text = Read("ABC\nDE\n");
    const uint32_t start = text->GetStartTick();
    // 11 lines fit: the run-through ends once the first drawn line is 12 (scroll 336, 12 s).
    Advance(8000);
    Draw(*text);
    EXPECT_FALSE(AnyInk());
    EXPECT_EQ(text->GetStartTick(), start);
    Advance(5000);
    Draw(*text);
    EXPECT_EQ(text->GetStartTick(), start + 13000);
    // From the bottom again.
    Advance(kMiddleMilliseconds);
    Draw(*text);
    EXPECT_EQ(InkColumns(kMiddleY, kMiddleY + kLineHeight).first, kWidth / 2 - 12);
    EXPECT_EQ(InkColumns(0, kMiddleY).first, -1);
}

TEST_F(CreditsTest, AFullBufferOfLongLinesDrawsInATallWindow)
{
    std::string bytes;
    for (int i = 0; i < 1100; ++i)
        bytes += std::string(300, "ABCDE"[i % 5]) + (i % 7 ? "\n" : ":S\n");
    auto text = Read(bytes);
    ASSERT_EQ(text->GetLineCount(), CCreditsText::kMaxLines);
    CFrame tall;
    tall.Create(kWidth, 480, 16);
    // Every phase of the run-through, the end (where the drawn range passes the last line) too.
    for (uint32_t elapsed = 0; elapsed < 1100 * 1000 / 2; elapsed += 4999) {
        text->Draw(&tall, {0, 0, kWidth, 480});
        Advance(4999);
    }
    EXPECT_NE(text->GetStartTick(), 0u);
}

TEST_F(CreditsTest, TheDialogOpensWithoutItsFileAndDoneClosesIt)
{
    CScreenWindow screen(&m_frame, nullptr);
    CCreditsDialog* dialog = OpenCreditsDialog(&screen);
    CWindowWatch watch(dialog);
    EXPECT_STREQ(dialog->GetText(), "Credits");
    EXPECT_EQ(dialog->m_defaultButton, dialog->m_cancelButton);
    EXPECT_STREQ(dialog->GetDoneButton()->GetText(), " DONE ");
    EXPECT_EQ(dialog->GetControl()->GetCredits().GetLineCount(), 0u);  // no data set here
    dialog->GetDoneButton()->Activate();
    screen.Update(1.0f / 60.0f);
    EXPECT_FALSE(watch.IsAlive());
}

} // namespace
