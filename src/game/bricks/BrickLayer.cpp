#include "game/bricks/BrickLayer.h"

#include "blit/modes/TransparentMaskBlitter.h"
#include "game/Playfield.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickLayout.h"
#include "game/bricks/BrickType.h"
#include "game/sprites/RecordedSound.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteDrawRecord.h"
#include "game/sprites/WorldRecordFields.h"
#include "graphics/FrameInterface.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kStepSeconds = 1.0f / 60.0f;
constexpr float kNever = 1e10f;
constexpr float kArrivalSquared = 0.01f;
constexpr float kHomewardSpeed = 2.0f;

void DrawAtPhase(CFrameInterface* target, CSequence* sequence, const CFloatPoint& at, float phase)
{
    CFrame* frame = sequence ? sequence->GetFrameAtFraction(phase) : nullptr;
    if (!frame)
        return;
    const int32_t x = static_cast<int32_t>(at.m_x), y = static_cast<int32_t>(at.m_y);
    // A demo being recorded shows the machine as it shows a sprite, frame by frame.
    if (CReplayStream* stream = worldrecord::GetRecordingStream()) {
        uint32_t index = 0;
        while (index + 1 < sequence->GetFrameCount() && sequence->GetFrame(index) != frame)
            ++index;
        RecordSpriteDraw(*stream, sequence, index, x, y);
    }
    target->DrawFrameAt(frame, x, y, &g_transparentMaskBlitter);
}

} // namespace

CBrickLayer::CBrickLayer()
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    m_leftGears = sequences.FindSequence(dataname::sequence::kBrickLayerLeftGears);
    m_rightGears = sequences.FindSequence(dataname::sequence::kBrickLayerRightGears);
    m_bar = sequences.FindSequence(dataname::sequence::kBrickLayerBar);
    m_carriage = sequences.FindSequence(dataname::sequence::kBrickLayerCarriage);
    const uint32_t frames = m_carriage ? m_carriage->GetFrameCount() : 0;
    const float rate = m_carriage ? m_carriage->GetFramesPerSecond() : 0.0f;
    if (frames > 0 && rate > 0.0f)
        m_placingRate = rate / (static_cast<float>(frames) * 60.0f);
}

void CBrickLayer::Start(CBrickLayout* layout)
{
    m_layout = layout;
    if (layout)
        layout->BuildRound(true);
    m_position = {kHomeX, kHomeY};
    m_velocity = {0.0f, 0.0f};
    m_speedFactor = 1.0f;
    m_time = 0.0f;
    m_placed = 0;
    m_kindFilter = 0;
    m_progress = 0.0f;
    m_target = nullptr;
    PickNext();
}

CSprite* CBrickLayer::FindNearestHidden(const CFloatPoint& from, uint32_t type) const
{
    CPlayfield* playfield = GetPlayfield();
    CSprite* nearest = nullptr;
    float best = kNever;
    for (CSprite* sprite = playfield ? playfield->GetBricks().GetHead() : nullptr; sprite; sprite = sprite->GetNext()) {
        const CBrickAI* brick = CBrickAI::Of(sprite);
        if (!brick || sprite->IsActive() || sprite->IsDead())
            continue;
        const uint32_t brickType = brick->GetBrickType();
        if (brickType == kBrickTrappedBall || brickType == kBrickObstacle || (type != 0 && brickType != type))
            continue;
        const float dx = sprite->GetPosition().m_x - from.m_x;
        const float dy = (sprite->GetPosition().m_y - from.m_y) * CBrickAI::kVerticalScale;
        const float distance = dx * dx + dy * dy;
        if (distance < best) {
            best = distance;
            nearest = sprite;
        }
    }
    return nearest;
}

void CBrickLayer::PickNext()
{
    const CFloatPoint from = m_placed == 0 ? CFloatPoint{kFirstSearchX, kFirstSearchY} : m_position;
    m_target = FindNearestHidden(from, m_kindFilter);
    // The filter's later types are searched once the bricks of any type are all laid.
    while (!m_target && m_kindFilter != kBrickExploding) {
        m_kindFilter = m_kindFilter == 0 ? kBrickPowerUp : kBrickExploding;
        m_speedFactor = kHomewardSpeed;
        m_target = FindNearestHidden(from, m_kindFilter);
    }
    m_state = kMoving;
    if (m_target) {
        m_targetPosition = m_target->GetPosition();
        return;
    }
    m_layout = nullptr;
    m_speedFactor = kHomewardSpeed;
    m_targetPosition = {kHomeX, kHomeY};
}

void CBrickLayer::Step()
{
    if (m_state == kIdle)
        return;
    m_time += kStepSeconds;
    if (m_placed > 1 && m_speedFactor < 7.0f)
        m_speedFactor += 0.05f;
    if (m_placed > 19 && m_speedFactor < 11.0f)
        m_speedFactor += 0.01f;
    if (m_state == kMoving) {
        if (m_progress > 0.0f)
            m_progress = std::max(0.0f, m_progress - m_speedFactor * m_placingRate);
        const CFloatPoint d = {m_targetPosition.m_x - m_position.m_x, m_targetPosition.m_y - m_position.m_y};
        const float most = m_speedFactor * kHorizontalStep;
        m_velocity = {std::clamp(d.m_x, -most, most), std::clamp(d.m_y, -kVerticalStep, kVerticalStep)};
        m_position.m_x += m_velocity.m_x;
        m_position.m_y += m_velocity.m_y;
        if (d.m_x * d.m_x + d.m_y * d.m_y < kArrivalSquared) {
            if (!m_layout) {
                Finish();
                return;
            }
            m_state = kPlacing;
            m_progress = 0.0f;
        }
    }
    if (m_state == kPlacing) {
        m_progress = m_placingRate > 0.0f ? m_progress + m_speedFactor * m_placingRate : 1.0f;
        if (m_progress >= 1.0f) {
            m_progress = 1.0f;
            PlaySoundRecorded(dataname::sound::kBrickPlaced);
            if (m_target)
                m_target->SetActive(true);
            m_target = nullptr;
            ++m_placed;
            PickNext();
        }
    }
}

void CBrickLayer::Skip()
{
    if (m_state == kIdle)
        return;
    m_layout = nullptr;
    Finish();
}

void CBrickLayer::Finish()
{
    CPlayfield* playfield = GetPlayfield();
    for (CSprite* sprite = playfield ? playfield->GetBricks().GetHead() : nullptr; sprite; sprite = sprite->GetNext())
        if (!sprite->IsActive())
            sprite->SetActive(true);
    m_state = kIdle;
    m_target = nullptr;
    if (playfield)
        playfield->PutBallInPlay();
}

void CBrickLayer::Draw(CFrameInterface* target)
{
    if (m_state == kIdle || !target)
        return;
    const CFloatPoint bar = {320.0f, m_position.m_y};
    // The gears turn as the carriage moves up and down, one turn per L pixels.
    const float turn = m_leftGears ? m_leftGears->GetFramesPerSecond() : 0.0f;
    const float gearPhase = turn > 0.0f ? 1.0f - std::fmod(m_position.m_y, turn) / turn : 0.0f;
    DrawAtPhase(target, m_leftGears, bar, gearPhase);
    DrawAtPhase(target, m_rightGears, bar, gearPhase);
    DrawAtPhase(target, m_bar, bar, m_barPhase);
    DrawAtPhase(target, m_carriage, m_position, m_progress);
}
