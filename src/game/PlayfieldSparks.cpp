// The playfield's bursts of sparks from particle generators, and their two demo records: the full
// "CPlayfield::SpawnSparksFromStream" (generator, list id in 2 bits, brick type, size a in 5 bits,
// size b in 4, direction byte, position), replayed in the box shape, and the small
// "CPlayfield::SpawnSparksFromStreamSmallFormat" (generator, size flag, size a or the direction,
// position) for disc bursts without size b or brick type. A recorded burst replays as a new random
// burst of the same parameters.
#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "foundation/MathTables.h"
#include "foundation/R250Random.h"
#include "game/Playfield.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/ship/ParticleGeneratorInfo.h"
#include "game/sprites/EffectSpriteAI.h"
#include "game/sprites/RecordedSound.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/WorldRecordFields.h"
#include "objects/DataNames.h"
#include "objects/ResourceCollection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using namespace worldrecord;

constexpr uint32_t kEffectListBits = 2;
constexpr uint32_t kSizeABits = 5;
constexpr uint32_t kSizeAMax = 30;
constexpr uint32_t kSizeBBits = 4;
constexpr uint32_t kSizeBMax = 15;
constexpr float kStepsPerSecond = 60.0f;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr uint32_t kSparkThinningEnd = 1000;
constexpr float kThinningPerEffect = 0.002f;
// The brick-sized box of sparks over a brick.
constexpr float kBrickHalfWidth = 16.0f;
constexpr float kBrickHalfHeight = 9.0f;

void SpawnSparksFromStream(CReplayStream& stream)
{
    CParticleGeneratorCollection& generators = CParticleGeneratorCollection::GetInstance();
    CResourceCollection& bricks = CBrickInfo::GetCollection();
    const int32_t generator = stream.ReadObjectReference(&generators);
    const uint32_t listId = std::min(stream.ReadBits(kEffectListBits), CPlayfield::kLastEffectListId);
    const int32_t brick = stream.ReadObjectReference(&bricks);
    const auto sizeA = static_cast<float>(stream.ReadBits(kSizeABits));
    const auto sizeB = static_cast<float>(stream.ReadBits(kSizeBBits));
    const float direction = ReadDirection(stream);
    const CFloatPoint position = ReadPosition(stream);
    CPlayfield* playfield = GetPlayfield();
    CParticleGeneratorInfo* info = generators.GetGenerator(generator);
    if (!playfield || !info)
        return;
    const auto* brickType = brick >= 0 ? dynamic_cast<const CBrickInfo*>(bricks.GetItem(static_cast<uint32_t>(brick))) : nullptr;
    playfield->SpawnSparks(position, CPlayfield::kBoxShape, sizeA, sizeB, direction, info, brickType,
                           playfield->GetListById(listId));
}

void SpawnSparksFromStreamSmallFormat(CReplayStream& stream)
{
    CParticleGeneratorCollection& generators = CParticleGeneratorCollection::GetInstance();
    const int32_t generator = stream.ReadObjectReference(&generators);
    float sizeA = 0.0f, direction = 0.0f;
    if (stream.ReadBool())
        sizeA = static_cast<float>(stream.ReadBits(kSizeABits));
    else
        direction = ReadDirection(stream);
    const CFloatPoint position = ReadPosition(stream);
    CPlayfield* playfield = GetPlayfield();
    if (CParticleGeneratorInfo* info = generators.GetGenerator(generator); playfield && info)
        playfield->SpawnSparks(position, CPlayfield::kDiscShape, sizeA, 0.0f, direction, info, nullptr, nullptr);
}

CReplayCallback s_sparks(&SpawnSparksFromStream, "CPlayfield::SpawnSparksFromStream", 3);
CReplayCallback s_sparksSmall(&SpawnSparksFromStreamSmallFormat, "CPlayfield::SpawnSparksFromStreamSmallFormat", 3);

void RecordSparks(CReplayStream& stream, const CFloatPoint& position, int shape, float sizeA, float sizeB,
                  float direction, const CParticleGeneratorInfo* generator, const CBrickInfo* brickType, uint32_t listId)
{
    CParticleGeneratorCollection& generators = CParticleGeneratorCollection::GetInstance();
    const int generatorIndex = generators.FindLoadedObjectIndex(generator);
    if (shape == CPlayfield::kDiscShape && sizeB == 0.0f && !brickType) {
        stream.BeginRecord(&s_sparksSmall, CReplayStream::kDrawRecord);
        stream.WriteObjectReference(generatorIndex, &generators);
        stream.WriteBool(sizeA != 0.0f);
        if (sizeA != 0.0f)
            WriteSize(stream, sizeA, kSizeAMax, kSizeABits);
        else
            WriteDirection(stream, direction);
    } else {
        CResourceCollection& bricks = CBrickInfo::GetCollection();
        stream.BeginRecord(&s_sparks, CReplayStream::kDrawRecord);
        stream.WriteObjectReference(generatorIndex, &generators);
        stream.WriteBits(std::min(listId, CPlayfield::kLastEffectListId), kEffectListBits);
        stream.WriteObjectReference(bricks.FindLoadedObjectIndex(brickType), &bricks);
        WriteSize(stream, sizeA, kSizeAMax, kSizeABits);
        WriteSize(stream, sizeB, kSizeBMax, kSizeBBits);
        WriteDirection(stream, direction);
    }
    WritePosition(stream, position);
}

CFloatPoint PlaceSpark(const CFloatPoint& centre, int shape, float sizeA, float sizeB)
{
    if (shape == CPlayfield::kBoxShape)
        return {centre.m_x + g_gameRandom.NextFloat(-sizeA, sizeA), centre.m_y + g_gameRandom.NextFloat(-sizeB, sizeB)};
    if (shape == CPlayfield::kDiscShape) {
        const float distance = g_gameRandom.NextFloat(0.0f, sizeA);
        float sine = 0.0f, cosine = 0.0f;
        FastSinCos(g_gameRandom.NextFloat(0.0f, kTwoPi), &sine, &cosine);
        return {centre.m_x + distance * cosine, centre.m_y + distance * sine};
    }
    return centre;
}

CFloatPoint AimSpark(const CFloatPoint& centre, const CFloatPoint& at, float direction, float cone, float pixelsPerStep)
{
    const float speed = g_gameRandom.NextFloat(0.75f, 1.25f) * pixelsPerStep;
    if (cone < CParticleGeneratorInfo::kAllRoundCone) {
        float sine = 0.0f, cosine = 0.0f;
        FastSinCos(direction + g_gameRandom.NextFloat(0.0f, cone) - cone * 0.5f, &sine, &cosine);
        return {speed * cosine, speed * sine};
    }
    // All round: straight out from the centre.
    const float dx = at.m_x - centre.m_x;
    const float dy = at.m_y - centre.m_y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0.0f))
        return {};
    return {dx * (speed / length), dy * (speed / length)};
}

} // namespace

uint32_t CPlayfield::ThinSparkCount(uint32_t count, uint32_t live)
{
    if (live <= kSparkThinningStart)
        return count;
    // Past 1000 the share would turn negative.
    if (live > kSparkThinningEnd)
        return 0;
    const float share = 1.0f - static_cast<float>(live - kSparkThinningStart) * kThinningPerEffect;
    // Halves round up. In double the product never exceeds the count, so it converts back safely.
    const double thinned = std::round(static_cast<double>(share) * count);
    return thinned > 0.0 ? static_cast<uint32_t>(thinned) : 0;
}

void CPlayfield::SpawnSparks(const CFloatPoint& position, int shape, float sizeA, float sizeB, float direction,
                             CParticleGeneratorInfo* generator, const CBrickInfo* brickType, CSpriteList* list)
{
    if (!generator)
        return;
    if (!list)
        list = &m_foreground;
    if (CReplayStream* stream = GetRecordingStream())
        RecordSparks(*stream, position, shape, sizeA, sizeB, direction, generator, brickType, GetListId(list));

    const CParticleType* types = brickType ? brickType->m_breakParticleTypes : generator->m_particleTypes;
    const uint32_t typeCount = brickType ? brickType->m_breakParticleTypeCount : generator->m_particleTypeCount;
    // Kinds that all weigh nothing have no share of the burst.
    const uint32_t totalWeight = GetTotalWeight(types, typeCount);
    const uint32_t count = ThinSparkCount(generator->m_particleCount, CEffectSpriteAI::GetLiveCount());
    if (typeCount == 0 || totalWeight == 0 || count == 0)
        return;
    const float pixelsPerStep = generator->m_velocity * (1.0f / kStepsPerSecond);

    // Spark i takes the first kind whose cumulative share reaches i / count.
    float share = 0.0f;
    uint32_t taken = 0;
    for (uint32_t i = 1; i <= count; ++i) {
        const float due = static_cast<float>(i) / static_cast<float>(count);
        while (share < due && taken < typeCount)
            share += static_cast<float>(types[taken++].m_weight) / static_cast<float>(totalWeight);
        CSequence* sequence = types[taken - 1].GetSequence();
        if (!sequence)
            continue;
        const float rate = g_gameRandom.NextFloat(0.75f, 1.25f);
        const CFloatPoint at = PlaceSpark(position, shape, sizeA, sizeB);
        CFloatPoint velocity;
        if (pixelsPerStep > 0.0f)
            velocity = AimSpark(position, at, direction, generator->m_coneAngle, pixelsPerStep);
        SpawnEffectSprite(true, sequence, at, list, pixelsPerStep > 0.0f ? &velocity : nullptr, rate);
    }
}

void CPlayfield::SpawnSparks(const CFloatPoint& position, float sizeA, float sizeB, float direction,
                             CParticleGeneratorInfo* generator, const CBrickInfo* brickType, CSpriteList* list)
{
    SpawnSparks(position, kBoxShape, sizeA, sizeB, direction, generator, brickType, list);
}

void CPlayfield::SpawnSparksAtSprite(const CSprite* sprite, int32_t radius, bool atEdge, float direction,
                                     CParticleGeneratorInfo* generator)
{
    if (!sprite)
        return;
    CFloatPoint at = sprite->GetPosition();
    auto sizeA = static_cast<float>(radius);
    if (atEdge) {
        PlaySoundRecorded(dataname::sound::kDefaultSpark);
        float sine = 0.0f, cosine = 0.0f;
        FastSinCos(direction, &sine, &cosine);
        at = {at.m_x - sizeA * cosine, at.m_y - sizeA * sine};
        sizeA = 0.0f;
    }
    SpawnSparks(at, kDiscShape, sizeA, 0.0f, direction, generator, nullptr, nullptr);
}

void CPlayfield::SpawnSparksOverBrick(const CSprite* sprite, CParticleGeneratorInfo* generator, const CBrickInfo* brickType)
{
    if (sprite)
        SpawnSparks(sprite->GetPosition(), kBoxShape, kBrickHalfWidth, kBrickHalfHeight, 0.0f, generator, brickType, nullptr);
}
