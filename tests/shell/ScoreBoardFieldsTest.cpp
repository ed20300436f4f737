// The score board's fields in the running game at every display depth: they live in the
// background, each drawn again only when its text changes, and nothing of a frame draws over
// them, so the picture is the one drawn over the round every frame.
#include "GameFixture.h"

#include "blit/modes/CopyBlitter.h"
#include "game/Playfield.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/Frame.h"
#include "shell/GameTypedWords.h"
#include "shell/MainMenuWindow.h"

#include <string>

#ifdef VANTOREL_DATA_DIR
namespace {

class ScoreBoardFields : public GameAtDepth
{
protected:
    void Play()
    {
        CMainMenuWindow::CloseOpen();
        m_game->StartNewGame(1, 0);
        Step(2);
        // Whatever the first round lays, it is laid at once.
        m_game->GetPlayfield()->HandleSkipKey(CPlayfield::kEnterKey);
    }
    // The rows the field rebuilds asked for, as one rectangle (empty: none).
    CIntRect RowsAsked()
    {
        m_game->UpdateScoreBoardFields();
        return m_game->GetPendingBackground();
    }
    // Whether the back buffer shows exactly the background's pixels in the rectangle.
    bool ShowsTheBackground(const CIntRect& rect) const
    {
        const CFrame* back = m_game->GetBackBuffer();
        const CFrame* background = m_game->GetBackground();
        for (int32_t y = rect.m_top; y < rect.m_bottom; ++y)
            for (int32_t x = rect.m_left; x < rect.m_right; ++x)
                if (back->GetRawPixel(x, y) != background->GetRawPixel(x, y))
                    return false;
        return true;
    }
};

TEST_P(ScoreBoardFields, FieldsLiveInTheBackgroundAndAreRebuiltOnlyWhenTheirTextChanges)
{
    Play();
    // The clock runs once the bricks are laid.
    for (int i = 0; i < 900 && m_game->GetPlayfield()->GetRoundTime() == 0.0f; ++i)
        Step();
    ASSERT_GT(m_game->GetPlayfield()->GetRoundTime(), 0.0f);
    ASSERT_EQ(m_game->GetMode(), CGame::kModePlaying);
    const CIntRect score = m_game->GetScoreBoardFieldRect(0);
    const CIntRect speed = m_game->GetScoreBoardFieldRect(1);
    const CIntRect time = m_game->GetScoreBoardFieldRect(2);

    // Nothing of a frame draws over the fields' rows: what shows there is the background.
    for (int frame = 0; frame < 20; ++frame) {
        Step();
        for (const CIntRect& row : {score, speed, time})
            ASSERT_TRUE(ShowsTheBackground(row)) << "frame " << frame << ", row at " << row.m_top;
    }

    // A step of play moves the clock only: the time's row is the one rebuilt.
    m_game->Update(kStep);
    EXPECT_EQ(RowsAsked(), time);
    m_game->Draw();
    // Points: the score's row (and the time's, which moved on).
    m_game->GetPlayfield()->AddPoints(250);
    m_game->Update(kStep);
    const CIntRect asked = RowsAsked();
    EXPECT_EQ(asked.m_top, time.m_top);
    EXPECT_EQ(asked.m_bottom, score.m_bottom);
    m_game->Draw();
    EXPECT_TRUE(ShowsTheBackground(score));
    // Nothing moved: nothing is asked for.
    EXPECT_TRUE(RowsAsked().IsEmpty());
    // The average speed joins the speed's row when its display is turned on.
    SetBallSpeedDisplay(true);
    EXPECT_EQ(RowsAsked(), speed);
    SetBallSpeedDisplay(false);
    EXPECT_EQ(RowsAsked(), speed);
    m_game->Draw();
}

// Every glyph of a field's text lies within what the font measures of it, so a text measured to
// fit the panel lies within its row: a row rebuilt is a field redrawn whole. A score too wide for
// the panel reaches over the play: it is drawn over it every frame instead.
TEST_P(ScoreBoardFields, EveryGlyphOfAFieldStaysWithinItsRowOrTheFieldIsDrawnLive)
{
    Play();
    CFont* numbers = CFontCollection::GetInstance().FindFont("Numbers Blue");
    ASSERT_NE(numbers, nullptr);
    const uint32_t depth = m_game->GetBackBuffer()->GetBitsPerPixel();
    const CIntRect row = m_game->GetScoreBoardFieldRect(0);
    for (const char* text : {"0", "1,234", "1,234,567", "8:88:88", "120:59:99", "9999", "1,234,567,890"})
        for (int32_t justification : {kJustifyLeft, kJustifyRight}) {
            CFrame canvas;
            canvas.Create(640, 480, depth);
            canvas.FillWithByte(0);
            const int32_t x = justification == kJustifyLeft ? 300 : 626;
            numbers->DrawText(&canvas, x, row.m_top, text, justification);
            const int32_t width = numbers->GetTextWidth(text);
            const int32_t left = justification == kJustifyLeft ? x : x - width;
            for (int32_t y = 0; y < 480; ++y)
                for (int32_t px = 0; px < 640; ++px)
                    if (canvas.GetRawPixel(px, y) != 0) {
                        ASSERT_TRUE(px >= left && px < left + width && y >= row.m_top && y < row.m_bottom)
                            << text << " at " << px << "," << y;
                    }
        }
    // A score of thirteen characters starts left of the panel: shown over the play, every frame.
    m_game->GetPlayfield()->AddPoints(1234567890);
    Step(2);
    const CIntRect score = m_game->GetScoreBoardFieldRect(0);
    const int32_t left = 624 - numbers->GetTextWidth("1,234,567,890");
    ASSERT_LT(left, score.m_left);
    // Not in the background: drawn over the back buffer, left of the panel too.
    EXPECT_FALSE(ShowsTheBackground({left, score.m_top, 524, score.m_bottom}));
    EXPECT_FALSE(ShowsTheBackground({524, score.m_top, 624, score.m_bottom}));
    EXPECT_TRUE(m_game->GetBackBuffer()->GetRestoreGrid().IsCellDirty(left >> 5, score.m_top >> 5));
}

INSTANTIATE_TEST_SUITE_P(Depths, ScoreBoardFields, testing::Values(8, 16, 24, 32));

} // namespace
#endif
