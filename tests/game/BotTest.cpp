// A headless player: the ship follows the ball through mouse positions and aims it at the last
// brick, serving as soon as it holds a ball. It must clear a one-brick round on every difficulty,
// and two runs from the same seed must leave the same state-check stream step by step.
#include "PlayfieldTestSupport.h"

#include "app/Mouse.h"
#include "app/PlayerControls.h"
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/R250Random.h"
#include "foundation/VirtualFile.h"
#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/StateCheck.h"
#include "graphics/Color.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <utility>

namespace {

using namespace playfieldtest;

constexpr int kMaxSteps = 3600;

class BotTest : public PlayfieldTest
{
protected:
    void SetUp() override
    {
        PlayfieldTest::SetUp();
        // The ship of style 1 follows "TX Ship" in the list, as in the data set.
        SaveBlockLooks({{"TX Ship", 64, 12, 32, 18}, {"TX Ship 1", 64, 12, 32, 18}, {"Ball", 10, 10, 5, 5},
                        {"Small Ball", 10, 10, 5, 5}});
    }
    void TearDown() override
    {
        CStateCheck::SetStream(nullptr, CStateCheck::Mode::Write);
        g_mouse.SetPositionFromInput(m_savedMouse.m_x, m_savedMouse.m_y);
        m_host.m_controls = nullptr;
        PlayfieldTest::TearDown();
    }

    // A fresh field on the difficulty from the seed with one needed brick left; the steps until the
    // round is complete (kMaxSteps + 1 when it is not), syncing every sprite after each step.
    int Play(uint32_t difficulty, uint32_t seed, bool untilComplete = true)
    {
        m_field = std::make_unique<CPlayfield>();
        m_field->SetHost(&m_host);
        SetPlayfield(m_field.get());
        g_gameRandom.Seed(seed);
        g_generalRandom.Seed(seed);
        m_host.m_controls = &m_controls;
        g_mouse.SetPositionFromInput(320, 240);
        StartLaidGame(0, difficulty);
        bool first = true;
        for (CSprite* brick = m_field->GetBricks().GetHead(); brick; brick = brick->GetNext()) {
            const CBrickAI* ai = FindSpriteAI<CBrickAI>(brick);
            if (ai && ai->IsNeeded() && !std::exchange(first, false))
                brick->SetFlag(CSprite::kDead, true);
        }
        for (int step = 1; step <= kMaxSteps; ++step) {
            Steer();
            Step();
            for (uint32_t id = 0; id < CPlayfield::kListCount; ++id)
                for (CSprite* sprite = m_field->GetListById(id)->GetHead(); sprite; sprite = sprite->GetNext())
                    sprite->SyncState();
            if (untilComplete && m_field->IsRoundComplete())
                return step;
        }
        return kMaxSteps + 1;
    }

    // Serves a held ball; otherwise puts the shield under the ball off centre by the distance that
    // sends it at the brick (the ship turns the ball by pi/200 a pixel).
    void Steer()
    {
        // The first needed brick still standing (the field may go on to further rounds).
        const CSprite* target = nullptr;
        for (const CSprite* brick = m_field->GetBricks().GetHead(); brick && !target; brick = brick->GetNext())
            if (const CBrickAI* ai = FindSpriteAI<CBrickAI>(brick); ai && ai->IsNeeded() && !brick->IsDead())
                target = brick;
        CSprite* ship = m_field->GetShip().GetHead();
        CSprite* ball = m_field->GetBalls().GetHead();
        CShipAI* shipAI = FindSpriteAI<CShipAI>(ship);
        if (!ball || !shipAI)
            return;
        if (shipAI->HoldsBall(ball)) {
            shipAI->ReleaseBall(ship);
            return;
        }
        if (!target)
            target = ball;
        const float angle = std::atan2(target->GetPosition().m_x - ball->GetPosition().m_x,
                                       CBallAI::kShipTop - target->GetPosition().m_y);
        const float d = std::clamp(angle * 200.0f / std::numbers::pi_v<float>, -24.0f, 24.0f);
        // The ship moves before the ball: aim at where the ball will be.
        const float x = ball->GetPosition().m_x + ball->GetVelocity().m_x - d;
        g_mouse.SetPositionFromInput(static_cast<int>(std::lround((x - CShipAI::kLeftmostX) / CShipAI::kTravel * 640.0f)),
                                     240);
    }

    CPlayerControls m_controls{false, 0, -1, 2};
    CIntPoint m_savedMouse = g_mouse.GetPositionPoint();
};

TEST_F(BotTest, ClearsAOneBrickRoundOnEveryDifficulty)
{
    for (uint32_t difficulty = 0; difficulty < 4; ++difficulty) {
        SCOPED_TRACE(difficulty);
        EXPECT_LE(Play(difficulty, 1234), kMaxSteps);
        EXPECT_FALSE(m_field->IsGameOver());
    }
}

TEST_F(BotTest, SeededRunsRepeatTheirStateCheckStreamAndAnotherSeedDiffers)
{
    CVirtualFile stream;
    stream.AttachStream(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    CStateCheck::ClearMismatch();
    CStateCheck::SetStream(&stream, CStateCheck::Mode::Write);
    Play(1, 77, false);
    for (auto [seed, differs] : {std::pair{77u, false}, std::pair{78u, true}}) {
        SCOPED_TRACE(seed);
        stream.Seek(0);
        CStateCheck::ClearMismatch();
        CStateCheck::SetStream(&stream, CStateCheck::Mode::Compare);
        Play(1, seed, false);
        EXPECT_EQ(CStateCheck::HasMismatch(), differs);
    }
    CStateCheck::SetStream(nullptr, CStateCheck::Mode::Write);
}

} // namespace
