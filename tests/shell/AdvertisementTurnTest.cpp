// The advertisement panel's turn, played through the game object at every display depth with
// the shipped pictures.
#include "DepthRun.h"
#include "shell/AdvertisementRotator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

// The advertisement panel turns to the next picture (typed "flipad" during play) as six slats:
// at every step of the turn each slat shows the old picture squeezed into its left part and the
// new one into the rest, each darkened by the share of the turn, as the shipped pictures look
// unturned at this depth.
class AdvertisementTurn : public DepthRun, public ::testing::WithParamInterface<uint32_t>
{
protected:
    using Area = std::vector<uint32_t>; // the panel's 108 x 108 pixels as shown

    static Area ShownArea() { return Shown(CAdvertisementRotator::GetArea()); }
    // The mean channel difference between the shown columns [left, left + width) and the picture's
    // columns [from, from + 18) squeezed into them and darkened by alpha; and the mean of those.
    static std::pair<double, double> Compare(const Area& shown, const Area& picture, int left, int width, int from,
                                             uint8_t alpha)
    {
        double difference = 0, brightness = 0;
        const uint32_t step = CAdvertisementRotator::kSlatWidth * 65536u / static_cast<uint32_t>(width);
        for (int y = 0; y < CAdvertisementRotator::kSize; ++y)
            for (int i = 0; i < width; ++i) {
                const int column = from + static_cast<int>((static_cast<uint32_t>(from) + i * step) >> 16);
                const uint32_t source = picture[y * CAdvertisementRotator::kSize + column];
                const uint32_t seen = shown[y * CAdvertisementRotator::kSize + left + i];
                for (int shift : {0, 8, 16}) {
                    const double expected = (source >> shift & 0xFF) * (255 - alpha) / 255.0;
                    difference += std::abs(expected - (seen >> shift & 0xFF));
                    brightness += expected;
                }
            }
        const double samples = 3.0 * width * CAdvertisementRotator::kSize;
        return {difference / samples, brightness / samples};
    }
};

TEST_P(AdvertisementTurn, EveryStepShowsTheSixSlatsOfBothPictures)
{
    const uint32_t depth = GetParam();
    Start(depth);
    Step(60);
    CMainMenuWindow* menu = CMainMenuWindow::GetOpen();
    ASSERT_NE(menu, nullptr);
    StartRound(*menu);
    CAdvertisementRotator* rotator = m_game->GetAdvertisementRotator();
    ASSERT_NE(rotator, nullptr);
    ASSERT_GE(rotator->GetCount(), 2u);
    Step(10);
    ASSERT_EQ(rotator->GetFade(), 0.0f);
    const Area before = ShownArea();
    for (char c : std::string("flipad"))
        Queue(platform::Event::Char(static_cast<unsigned char>(c)));
    Step(1);
    ASSERT_GT(rotator->GetFade(), 0.9f) << "the typed word turns the panel";
    std::vector<std::pair<float, Area>> turn;
    while (rotator->GetFade() > 0.0f) {
        turn.emplace_back(1.0f - rotator->GetFade(), ShownArea());
        Step(1);
    }
    Step(2);
    const Area after = ShownArea();
    EXPECT_NE(after, before);
    EXPECT_GE(turn.size(), 80u);
    // Within this of the squeezed, darkened pictures on average: 24 and 32 bits darken by
    // alpha / 256, 16 bits by fields of 5 and 6 bits, 8 bits by fifths through the blend tables.
    const double tolerance = depth == 8 ? 24.0 : depth == 16 ? 10.0 : 4.0;
    for (const auto& [progress, shown] : turn) {
        int checked = 0;
        for (int slat = 0; slat < CAdvertisementRotator::kSlatCount; ++slat) {
            const int from = slat * CAdvertisementRotator::kSlatWidth;
            const int oldWidth = CAdvertisementRotator::GetOldPartWidth(slat, progress);
            const float share = CAdvertisementRotator::GetOldShare(slat, progress);
            const auto dark = [](float s) { return static_cast<uint8_t>(std::lround(std::clamp(s, 0.0f, 1.0f) * 255)); };
            const struct
            {
                const Area& picture;
                int left, width;
                uint8_t alpha;
            } parts[] = {{before, from, oldWidth, dark(1.0f - share)},
                         {after, from + oldWidth, CAdvertisementRotator::kSlatWidth - oldWidth, dark(share)}};
            for (const auto& part : parts) {
                // Parts too narrow or too dark to tell a picture from black are left out.
                if (part.width < 2 || part.alpha > 192)
                    continue;
                const auto [difference, brightness] = Compare(shown, part.picture, part.left, part.width, from, part.alpha);
                if (brightness < 2 * tolerance)
                    continue;
                ++checked;
                EXPECT_LE(difference, tolerance) << "slat " << slat << " at " << progress << " from " << part.left;
            }
        }
        EXPECT_GT(checked, 0) << "at " << progress;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, AdvertisementTurn, ::testing::Values(8u, 16u, 24u, 32u),
                         [](const ::testing::TestParamInfo<uint32_t>& info) {
                             return std::to_string(info.param) + "Bit";
                         });

} // namespace
#endif
