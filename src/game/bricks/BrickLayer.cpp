#include "game/bricks/BrickLayer.h"

#include "game/Playfield.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickLayout.h"
#include "game/sprites/Sprite.h"

#include <algorithm>

namespace {

CSequence* s_brickSequence = nullptr;

} // namespace

void CBrickLayer::SetBrickSequence(CSequence* sequence)
{
    s_brickSequence = sequence;
}

void CBrickLayer::Start(const CBrickLayout* layout, CPlayfield* playfield)
{
    m_layout = layout;
    m_playfield = playfield;
    m_stepsLeft = layout ? std::max<uint32_t>(1, kStepsPerBrick * static_cast<uint32_t>(layout->m_bricks.size())) : 0;
}

void CBrickLayer::Step()
{
    if (!IsLaying())
        return;
    if (--m_stepsLeft == 0)
        Finish();
}

void CBrickLayer::Skip()
{
    if (IsLaying())
        Finish();
}

void CBrickLayer::Draw(CFrameInterface*)
{
}

void CBrickLayer::Finish()
{
    const CBrickLayout* layout = m_layout;
    m_layout = nullptr;
    m_stepsLeft = 0;
    for (const CBrickLayout::Brick& brick : layout->m_bricks) {
        auto* sprite = new CSprite;
        sprite->SetSequence(s_brickSequence);
        sprite->SetPosition(CFloatPoint{brick.m_x, brick.m_y});
        sprite->AddAI(new CBrickAI(brick.m_needed));
        m_playfield->GetBricks().Append(sprite);
    }
    m_playfield->PutBallInPlay();
}
