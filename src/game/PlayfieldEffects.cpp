// The playfield's effect sprites: one-shot animations spawned at a point, and their demo record
// "CPlayfield::SpawnAnimatedEffectSpriteFromStream" (sequence, list id in 2 bits, velocity and rate
// flags, position, then the velocity as two raw floats and the rate as one when flagged).
#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "game/Playfield.h"
#include "game/sprites/EffectSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/WorldRecordFields.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace worldrecord;

constexpr uint32_t kEffectListBits = 2;
constexpr float kStepsPerSecond = 60.0f;

bool IsFinite(const CFloatPoint& point)
{
    return std::isfinite(point.m_x) && std::isfinite(point.m_y);
}

void SpawnAnimatedEffectSpriteFromStream(CReplayStream& stream)
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    const int32_t index = stream.ReadObjectReference(&sequences);
    const uint32_t listId = std::min(stream.ReadBits(kEffectListBits), CPlayfield::kLastEffectListId);
    const bool hasVelocity = stream.ReadBool();
    const bool hasRate = stream.ReadBool();
    const CFloatPoint position = ReadPosition(stream);
    CFloatPoint velocity;
    float rate = 1.0f;
    const bool complete = (!hasVelocity || ReadFloatPair(stream, velocity)) && (!hasRate || ReadFloat(stream, rate));
    CPlayfield* playfield = GetPlayfield();
    // A damaged record would leave an effect that never moves on or never ends.
    if (!playfield || index < 0 || !complete || !IsFinite(velocity) || !std::isfinite(rate))
        return;
    auto* sequence = dynamic_cast<CSequence*>(sequences.GetItem(static_cast<uint32_t>(index)));
    playfield->SpawnEffectSprite(false, sequence, position, playfield->GetListById(listId),
                                 hasVelocity ? &velocity : nullptr, rate);
}

CReplayCallback s_spawnEffect(&SpawnAnimatedEffectSpriteFromStream, "CPlayfield::SpawnAnimatedEffectSpriteFromStream", 3);

void RecordEffectSpawn(CReplayStream& stream, const CSequence* sequence, uint32_t listId, const CFloatPoint& position,
                       const CFloatPoint* velocity, float rate)
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    stream.BeginRecord(&s_spawnEffect, CReplayStream::kDrawRecord);
    stream.WriteObjectReference(sequences.FindLoadedObjectIndex(sequence), &sequences);
    stream.WriteBits(std::min(listId, CPlayfield::kLastEffectListId), kEffectListBits);
    const bool hasRate = rate != 1.0f;
    stream.WriteBool(velocity != nullptr);
    stream.WriteBool(hasRate);
    WritePosition(stream, position);
    if (velocity)
        WriteFloatPair(stream, *velocity);
    if (hasRate)
        WriteFloat(stream, rate);
}

} // namespace

CSprite* CPlayfield::SpawnEffectSprite(bool noRecord, CSequence* sequence, const CFloatPoint& position,
                                      CSpriteList* list, const CFloatPoint* velocity, float rate)
{
    if (!sequence || sequence->GetFrameCount() == 0)
        return nullptr;
    if (!list)
        list = &m_foreground;
    auto* sprite = new CSprite;
    if (CReplayStream* stream = GetRecordingStream()) {
        // The spawn record brings the effect back; its draws come with its list's.
        sprite->SetFlag(CSprite::kNotRecorded, true);
        if (!noRecord)
            RecordEffectSpawn(*stream, sequence, GetListId(list), position, velocity, rate);
    }
    sprite->SetPosition(position);
    if (velocity)
        sprite->SetVelocity(*velocity);
    sprite->SetSequence(sequence);
    // A sequence without a blit type keeps the sprite's default blend mode rather than draw nothing.
    if (CBlitter* blitter = sequence->GetBlitter())
        sprite->SetBlitter(blitter);
    if (rate != 0.0f)
        sprite->AddAI(new CEffectSpriteAI(sequence->GetFramesPerSecond() * (1.0f / kStepsPerSecond) * rate));
    list->Append(sprite);
    return sprite;
}

CSprite* CPlayfield::SpawnEffectAtSprite(const CSprite* sprite, CSequence* sequence)
{
    return sprite ? SpawnEffectSprite(false, sequence, sprite->GetPosition(), &m_foreground, nullptr, 1.0f) : nullptr;
}
