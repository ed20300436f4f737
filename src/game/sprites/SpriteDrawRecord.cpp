#include "game/sprites/SpriteDrawRecord.h"

void RecordSpriteDraw(CReplayStream&, const CSequence*, uint32_t, int32_t, int32_t)
{
}
