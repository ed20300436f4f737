// The playfield's draw as a demo records it: the field clip, the lists in layer order and the
// middle layer, each step one record.
#include "WorldTestSupport.h"

#include <string>
#include <vector>

using namespace worldtest;

namespace {

using PlayfieldRecord = WorldFixture;

TEST_F(PlayfieldRecord, DrawRecordsItsStepsInLayerOrder)
{
    auto screen = MakeScreen();
    RecordBare();
    m_playfield.Draw(screen.get());
    CDemoRecorder::GetInstance()->Stop();
    auto reader = ReadBack();

    const std::string list = "CPlayfield::DrawSpriteListFromStream";
    const std::string clip = "CPlayfield::AdjustClippingRectFromStream";
    // Each record as its function, and the list id or the clip flag it carries.
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {clip, 1},
        {list, CPlayfield::kBackgroundSpritesId},
        {"CPlayfield::DrawMidLayerFromStream", 0},
        {list, CPlayfield::kLowEffectsId},
        {list, CPlayfield::kShipId},
        {list, CPlayfield::kBricksId},
        {list, CPlayfield::kBallsId},
        {list, CPlayfield::kFreedBallsId},
        {list, CPlayfield::kPowerUpsId},
        {list, CPlayfield::kShotsId},
        {list, CPlayfield::kForegroundId},
        {clip, 0},
    };
    std::vector<std::pair<std::string, uint32_t>> read;
    for (size_t i = 0; i < expected.size(); ++i) {
        const std::string function = NextFunction(*reader);
        const uint32_t width = function == list ? 4 : function == clip ? 1 : 0;
        read.push_back({function, width ? reader->ReadBits(width) : 0});
        // Every record starts on a byte: skip the rest of this one's last byte.
        const uint32_t used = (reader->GetIndexWidth() + width) % 8;
        if (used)
            reader->ReadBits(8 - used);
    }
    EXPECT_EQ(read, expected);
    EXPECT_EQ(reader->GetReadPosition(), reader->GetLength());
    // The clip is lifted again at the end: the whole screen is the bounds.
    CIntRect bounds;
    screen->GetBounds(bounds);
    EXPECT_EQ(bounds.m_right - bounds.m_left, 640);
    EXPECT_EQ(bounds.m_bottom - bounds.m_top, 480);
}

} // namespace
