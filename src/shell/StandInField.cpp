#include "shell/StandInField.h"

#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/ship/ShipAI.h"
#include "graphics/Color.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"

namespace {

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
    CBrickAI::SetStandInLook(m_brick.get());
    CBallAI::SetLook(m_ball.get());
    CShipAI::SetLook(m_ship.get());
}

CStandInField::~CStandInField()
{
    CBrickAI::SetStandInLook(nullptr);
    CBallAI::SetLook(nullptr);
    CShipAI::SetLook(nullptr);
}
