#include "shell/StandInField.h"

#include "foundation/SharedString.h"
#include "game/bricks/BallAI.h"
#include "game/bricks/BrickLayer.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickLayoutCollection.h"
#include "game/ship/RoundSet.h"
#include "game/ship/ShipAI.h"
#include "graphics/Color.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"

namespace {

constexpr int kColumns = 12;
constexpr int kRows = 5;

// A sequence of one block of the colour with its hot spot in the middle.
std::unique_ptr<CSequence> MakeBlock(uint16_t width, uint16_t height, uint8_t red, uint8_t green, uint8_t blue)
{
    auto* frame = new CFrame;
    frame->Create(width, height, 16);
    CColor color;
    color.ConstructRgba(red, green, blue, 255);
    frame->FillWithColor(color);
    frame->SetOrigin(static_cast<int16_t>(-(width / 2)), static_cast<int16_t>(-(height / 2)));
    auto sequence = std::make_unique<CSequence>();
    sequence->AddFrame(frame);
    return sequence;
}

} // namespace

CStandInField::CStandInField()
    : m_brick(MakeBlock(30, 16, 224, 128, 48)), m_ball(MakeBlock(10, 10, 240, 240, 240)),
      m_ship(MakeBlock(64, 12, 96, 160, 224))
{
    CBrickLayer::SetBrickSequence(m_brick.get());
    CBallAI::SetLook(m_ball.get());
    CShipAI::SetLook(m_ship.get());
    auto set = std::make_unique<CRoundSet>();
    for (int round = 0; round < kRounds; ++round) {
        CSharedString path;
        path.Format("Rounds\\Stand-In %d.Vantorel", round + 1);
        CBrickLayout layout;
        CSharedString name;
        name.Format("Rows of %d", kRows - 1 + round);
        layout.SetDisplayName(name.CStr());
        for (int row = 0; row < kRows - 1 + round; ++row)
            for (int column = 0; column < kColumns; ++column)
                layout.m_bricks.push_back(
                    {static_cast<float>(60 + column * 36), static_cast<float>(60 + row * 22), true});
        CBrickLayout::RegisterStandIn(path.CStr(), layout);
        set->m_layouts.push_back(CBrickLayoutCollection::GetInstance().Add(path.CStr()));
    }
    CRoundSetCollection::GetInstance().Add(std::move(set));
}

CStandInField::~CStandInField()
{
    CBrickLayer::SetBrickSequence(nullptr);
    CBallAI::SetLook(nullptr);
    CShipAI::SetLook(nullptr);
}
