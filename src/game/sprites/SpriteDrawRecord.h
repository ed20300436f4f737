#pragma once
// The demo record of one drawn sprite frame, "CSprite::DrawFromStream": the sequence (a reference
// into the sequence list), x and y (the integer position clamped to -190..830 and stored plus 190
// in 10 bits each) and, when the sequence has more than one frame, the frame index in
// CountSignificantBits(frame count - 1) bits. Played back, the frame is drawn into the demo
// recorder's target frame through the plain copy blitter.
//
// The rule a caller must know: the frame index's width follows the sequence of the machine that
// plays, so a demo plays back only against the data it was recorded with.
#include <cstdint>

class CReplayStream;
class CSequence;

// Writes the record. A sequence that is not a loaded entry of the sequence list is recorded as no
// sequence (and with no frame index); it plays back as nothing.
void RecordSpriteDraw(CReplayStream& stream, const CSequence* sequence, uint32_t frameIndex, int32_t x, int32_t y);

// The width of the frame index for a sequence: 0 for none or at most one frame.
uint32_t GetFrameIndexBits(const CSequence* sequence);
