// The score board's texts and the advertisement rotator, against values worked out by hand.
#include "graphics/Frame.h"
#include "shell/AdvertisementRotator.h"
#include "shell/ScoreBoardText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(ScoreBoardText, ScoreHasACommaEveryThreeDigitsAndTheFactor)
{
    const struct
    {
        uint32_t score;
        uint32_t factor;
        const char* shown;
    } cases[] = {
        {0, 1, "0"},           {999, 1, "999"},       {1000, 1, "1,000"},
        {1234567, 1, "1,234,567"}, {10, 57, "570"},   {100000, 1, "100,000"},
        // The product is wider than 32 bits and still shown whole.
        {4294967295u, 57, "244,813,135,815"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FormatScore(c.score, c.factor).CStr(), c.shown) << c.score << " x " << c.factor;
}

TEST(ScoreBoardText, TimeIsMinutesSecondsAndHundredths)
{
    const struct
    {
        float seconds;
        const char* shown;
    } cases[] = {{0.0f, "0:00:00"}, {61.5f, "1:01:50"}, {3599.99f, "59:59:99"}, {7200.0f, "120:00:00"},
                 {-3.0f, "0:00:00"}};
    for (const auto& c : cases)
        EXPECT_STREQ(FormatRoundTime(c.seconds).CStr(), c.shown) << c.seconds;
}

TEST(ScoreBoardText, ShownSpeedTruncates)
{
    EXPECT_EQ(ToShownSpeed(0.0f), 0);
    EXPECT_EQ(ToShownSpeed(407.9f), 99);  // 99.975...
    EXPECT_EQ(ToShownSpeed(408.1f), 100); // 100.02...
}

TEST(ScoreBoardText, UnnamedRoundGetsTheWordsAndThreeBlanks)
{
    EXPECT_STREQ(MakeRoundTitle("Round", "Round with no name", 0, 0, "").CStr(), "Round 1-1: Round with no name   ");
    EXPECT_STREQ(MakeRoundTitle("Round", "Round with no name", 0, 0, nullptr).CStr(),
                 "Round 1-1: Round with no name   ");
    EXPECT_STREQ(MakeRoundTitle("Round", "x", 2, 11, "Hive").CStr(), "Round 3-12: Hive   ");
}

TEST(ScoreBoardText, TitleScrollEntersFromTheRightAndWrapsByOneWidth)
{
    CRoundTitleScroll scroll;
    scroll.Reset(100);
    EXPECT_EQ(scroll.GetOffset(), -99);
    for (int i = 0; i < 199; ++i)
        scroll.Step();
    EXPECT_EQ(scroll.GetOffset(), 100);
    // One past the width: the second copy stands where the first stood, one pixel further.
    scroll.Step();
    EXPECT_EQ(scroll.GetOffset(), 1);
    // A title of no width stays at 0.
    scroll.Reset(0);
    for (int i = 0; i < 100; ++i)
        scroll.Step();
    EXPECT_EQ(scroll.GetOffset(), 0);
}

TEST(AdvertisementRotator, SlatWidthsAtAQuarter)
{
    // t = 1 - min(2 (0.25 - k / 12), 1) while the slat has started, else 1; width round(18 t).
    const int expected[] = {9, 12, 15, 18, 18, 18};
    for (int k = 0; k < CAdvertisementRotator::kSlatCount; ++k)
        EXPECT_EQ(CAdvertisementRotator::GetOldPartWidth(k, 0.25f), expected[k]) << k;
    // At the end every slat shows the new picture only; at the start the old one only.
    for (int k = 0; k < CAdvertisementRotator::kSlatCount; ++k) {
        EXPECT_EQ(CAdvertisementRotator::GetOldPartWidth(k, 1.0f), 0) << k;
        EXPECT_EQ(CAdvertisementRotator::GetOldPartWidth(k, 0.0f), 18) << k;
    }
    // Slat 5 turns from 5/12 to 11/12.
    EXPECT_EQ(CAdvertisementRotator::GetOldPartWidth(5, 5.0f / 12.0f), 18);
    EXPECT_EQ(CAdvertisementRotator::GetOldPartWidth(5, 11.0f / 12.0f), 0);
}

TEST(AdvertisementRotator, EmptyListIsNeverIndexedNorDrawn)
{
    int requests = 0;
    CAdvertisementRotator rotator(std::vector<uint32_t>{}, [&](const CIntRect&) { ++requests; });
    CFrame target;
    target.Create(640, 480, 16);
    for (int i = 0; i < 1300; ++i)
        rotator.Update(1.0f / 60.0f);
    rotator.Next();
    rotator.Draw(&target);
    EXPECT_EQ(rotator.GetCount(), 0u);
    EXPECT_EQ(requests, 0);
    EXPECT_EQ(rotator.GetFade(), 0.0f);
}

TEST(AdvertisementRotator, SwitchAndEveryAlphaChangeInvalidateThePanel)
{
    std::vector<CIntRect> requests;
    CAdvertisementRotator rotator({3, 7}, [&](const CIntRect& area) { requests.push_back(area); });
    EXPECT_EQ(rotator.GetCurrent(), 3u);
    for (int i = 0; i < 599; ++i)
        rotator.Update(1.0f / 60.0f);
    EXPECT_TRUE(requests.empty());
    rotator.Update(2.0f / 60.0f);
    ASSERT_FALSE(requests.empty());
    const CIntRect area = requests.front();
    EXPECT_EQ(area.m_left, 524);
    EXPECT_EQ(area.m_top, 337);
    EXPECT_EQ(area.m_right, 632);
    EXPECT_EQ(area.m_bottom, 445);
    EXPECT_EQ(rotator.GetCurrent(), 7u);
    EXPECT_EQ(rotator.GetPrevious(), 3u);
    // 1/60 s lowers the alpha by 255/90 (about 2.8): every step of the turn asks again, and the
    // step that ends it too.
    int steps = 0;
    while (rotator.GetFade() > 0.0f && steps < 200) {
        const size_t before = requests.size();
        rotator.Update(1.0f / 60.0f);
        EXPECT_EQ(requests.size(), before + 1) << steps;
        ++steps;
    }
    EXPECT_NEAR(steps, 88, 2);
    const size_t settled = requests.size();
    rotator.Update(1.0f / 60.0f);
    EXPECT_EQ(requests.size(), settled);
    // Next wraps to the first.
    rotator.Next();
    EXPECT_EQ(rotator.GetCurrent(), 3u);
    EXPECT_EQ(rotator.GetTimeLeft(), 10.0f);
}

} // namespace
