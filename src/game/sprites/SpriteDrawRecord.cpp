#include "game/sprites/SpriteDrawRecord.h"

#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "blit/modes/CopyBlitter.h"
#include "foundation/MathTables.h"
#include "game/sprites/WorldRecordFields.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"

#include <algorithm>

namespace {

using namespace worldrecord;

// Reads every field there is to read, whatever it finds: an unresolved sequence or a frame index
// past the sequence's frames draws nothing.
void DrawFromStream(CReplayStream& stream)
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    const int32_t index = stream.ReadObjectReference(&sequences);
    const int32_t x = static_cast<int32_t>(stream.ReadBits(kPositionBits)) + kPositionMin;
    const int32_t y = static_cast<int32_t>(stream.ReadBits(kPositionBits)) + kPositionMin;
    if (index < 0)
        return;
    const auto* sequence = dynamic_cast<const CSequence*>(sequences.GetItem(static_cast<uint32_t>(index)));
    if (!sequence)
        return;
    const uint32_t bits = GetFrameIndexBits(sequence);
    const uint32_t frameIndex = bits ? stream.ReadBits(bits) : 0;
    CFrame* frame = sequence->GetFrame(frameIndex);
    if (CFrameInterface* target = GetReplayTarget(); frame && target)
        target->DrawFrameAt(frame, x, y, &g_copyBlitter);
}

CReplayCallback s_drawFromStream(&DrawFromStream, "CSprite::DrawFromStream", 3);

uint32_t StoredCoordinate(int32_t value)
{
    return static_cast<uint32_t>(std::clamp(value, kPositionMin, kPositionMax) - kPositionMin);
}

} // namespace

uint32_t GetFrameIndexBits(const CSequence* sequence)
{
    const uint32_t count = sequence ? sequence->GetFrameCount() : 0;
    return count > 1 ? static_cast<uint32_t>(CountSignificantBits(count - 1)) : 0;
}

void RecordSpriteDraw(CReplayStream& stream, const CSequence* sequence, uint32_t frameIndex, int32_t x, int32_t y)
{
    CSequenceCollection& sequences = CSequenceCollection::GetInstance();
    const int index = sequences.FindLoadedObjectIndex(sequence);
    stream.BeginRecord(&s_drawFromStream, CReplayStream::kDrawRecord);
    stream.WriteObjectReference(index, &sequences);
    stream.WriteBits(StoredCoordinate(x), kPositionBits);
    stream.WriteBits(StoredCoordinate(y), kPositionBits);
    // The reader reads a frame index only for a sequence it finds.
    if (index >= 0)
        if (const uint32_t bits = GetFrameIndexBits(sequence))
            stream.WriteBits(frameIndex, bits);
}
