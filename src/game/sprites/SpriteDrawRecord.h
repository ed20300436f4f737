#pragma once
// The demo record of one drawn sprite frame ("CSprite::DrawFromStream"): the sequence, the frame
// index and the drawing position. Sprites call it while a demo is being recorded.
//
// The rule a caller must know: for now this is the hook alone and writes nothing; the game
// world's replay records fill it in, together with the reader that draws the frame back.
#include <cstdint>

class CReplayStream;
class CSequence;

void RecordSpriteDraw(CReplayStream& stream, const CSequence* sequence, uint32_t frameIndex, int32_t x, int32_t y);
