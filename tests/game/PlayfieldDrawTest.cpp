// The playfield's draw: the lists in layer order, the shadow pass, and the lists a shadowless
// background leaves out.
#include "PlayfieldTestSupport.h"
#include "SpriteTestSupport.h"

#include "game/bricks/BackgroundDefinition.h"
#include "graphics/ProxyFrame.h"

#include <memory>
#include <vector>

namespace {

using namespace playfieldtest;

// A target that logs the frames blitted onto it (and whether as shadows) and draws nothing.
class CBlitLog : public CProxyFrame
{
public:
    explicit CBlitLog(CFrameInterface* target) : CProxyFrame(target) {}
    bool Blit(CFrameInterface* source, const CIntRect&, const CIntRect&, CBlitter* blitter) override
    {
        m_blits.push_back({source, blitter});
        return true;
    }
    std::vector<std::pair<CFrameInterface*, CBlitter*>> m_blits;
};

TEST_F(PlayfieldTest, DrawsTheListsInLayerOrderWithTheShadowsUnderThem)
{
    // One sprite of its own frame in every list, by list id.
    std::vector<std::unique_ptr<CSequence>> sequences;
    std::vector<CFrameInterface*> frames;
    for (uint32_t id = 0; id < CPlayfield::kListCount; ++id) {
        sequences.push_back(spritetest::MakeSequence({spritetest::MakeSquare(16, 2)}));
        frames.push_back(sequences.back()->GetFrame(0));
        auto* sprite = new CSprite;
        sprite->SetSequence(sequences.back().get());
        sprite->SetPosition(CFloatPoint{100.0f, 100.0f});
        m_field->GetListById(id)->Append(sprite);
    }
    using Id = CPlayfield;
    const std::vector<uint32_t> layers = {Id::kLowEffectsId, Id::kShipId,    Id::kBricksId, Id::kBallsId,
                                          Id::kFreedBallsId, Id::kPowerUpsId, Id::kShotsId,  Id::kForegroundId};
    CFrame page;
    page.Create(640, 480, 16);
    for (bool shadows : {false, true}) {
        SCOPED_TRACE(shadows);
        CBackgroundDefinition background;
        background.m_hasShadows = shadows;
        m_field->SetBackground(&background);
        CBlitLog log(&page);
        m_field->Draw(&log);
        std::vector<CFrameInterface*> expected{frames[Id::kBackgroundSpritesId]};
        if (shadows)
            for (uint32_t id : layers)
                expected.push_back(frames[id]);
        for (uint32_t id : layers)
            expected.push_back(frames[id]);
        std::vector<CFrameInterface*> drawn;
        for (const auto& blit : log.m_blits)
            drawn.push_back(blit.first);
        EXPECT_EQ(drawn, expected);
        // The shadows go through one blitter, the sprites through another.
        if (shadows) {
            EXPECT_NE(log.m_blits[1].second, log.m_blits[1 + layers.size()].second);
        }
    }
    m_field->SetBackground(nullptr);
}

} // namespace
