// The start-up's pieces: the typed words reach their own handlers, the menu balls' outlines, and
// the force-feedback keys of the settings file.
#include "app/TypedWordMatcher.h"
#include "shell/MenuBallWalls.h"
#include "shell/StartUpSettings.h"
#include "shell/TypedWords.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>

namespace {

TEST(StartUpPieces, EveryTypedWordReachesItsOwnHandlerOnly)
{
    RegisterTypedWords();
    EXPECT_STREQ(GetTypedWord(10), "crazypoints");
    EXPECT_EQ(GetTypedWord(kTypedWordCount), nullptr);
    for (uint32_t i = 0; i < kTypedWordCount; ++i) {
        uint32_t before[kTypedWordCount];
        for (uint32_t j = 0; j < kTypedWordCount; ++j)
            before[j] = GetTypedWordCount(j);
        // Typed in upper case, with a space first to end any word in progress.
        CTypedWordMatcher::OnCharTyped(&g_typedWordMatcher, ' ');
        for (const char* c = GetTypedWord(i); *c; ++c)
            CTypedWordMatcher::OnCharTyped(&g_typedWordMatcher, std::toupper(static_cast<unsigned char>(*c)));
        for (uint32_t j = 0; j < kTypedWordCount; ++j)
            EXPECT_EQ(GetTypedWordCount(j) - before[j], j == i ? 1u : 0u) << GetTypedWord(i) << " reached " << j;
    }
}

TEST(StartUpPieces, TheMenuBallIsAClockwiseCircleAndTheWallsAreClosed)
{
    CMenuBallWalls walls;
    BuildMenuBallWalls(14.0f, walls);
    ASSERT_EQ(walls.m_ball.GetPointCount(), 13u);
    double area = 0;
    for (uint32_t i = 0; i < 12; ++i) {
        const CFloatPoint& a = walls.m_ball.GetPoint(i);
        const CFloatPoint& b = walls.m_ball.GetPoint(i + 1);
        EXPECT_NEAR(std::hypot(a.m_x, a.m_y), 7.0, 1e-4) << i;
        area += a.m_x * b.m_y - b.m_x * a.m_y;
    }
    EXPECT_GT(area, 0.0);   // positive with y down: clockwise on screen
    EXPECT_EQ(walls.m_outer.GetPointCount(), 13u);
    EXPECT_EQ(walls.m_inner.GetPointCount(), 5u);
    EXPECT_EQ(walls.m_outer.GetPoint(12).m_x, 49.0f);
    EXPECT_EQ(walls.m_outer.GetPoint(7).m_y, 232.0f);
    EXPECT_EQ(walls.m_inner.GetPoint(2).m_x, 196.0f);
}

TEST(StartUpPieces, ForceFeedbackKeysNameTheMouseOrTheJoystick)
{
    EXPECT_EQ(GetForceFeedbackKey(-1), "Enable ForceFeedback on Device Mouse");
    EXPECT_EQ(GetForceFeedbackKey(2), "Enable ForceFeedback on Device 2");
    EXPECT_EQ(GetForceFeedbackKey(17), "Enable ForceFeedback on Device 17");
}

} // namespace
