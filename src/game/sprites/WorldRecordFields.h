#pragma once
// The fields the game world's demo records share: the stream to write to while a demo is being
// recorded, the frame replayed drawing goes to, the range positions are recorded in (a border of
// 190 pixels round the 640 x 480 screen) and the one-byte direction of a burst.
//
// The rule a caller must know: write a record only through the stream GetRecordingStream answers,
// so nothing is written unless the demo recorder is recording.
#include "objects/Point.h"

#include <cstdint>

class CFrameInterface;
class CReplayStream;

namespace worldrecord {

constexpr int32_t kPositionMin = -190;
constexpr int32_t kPositionMax = 830;
// CountSignificantBits(kPositionMax - kPositionMin).
constexpr uint32_t kPositionBits = 10;

// The demo recorder's stream while it records; null otherwise.
CReplayStream* GetRecordingStream();
// The demo recorder's target frame; null when none is set.
CFrameInterface* GetReplayTarget();

// A position as a quantized point of the recorded range (each axis rounded and clamped).
void WritePosition(CReplayStream& stream, const CFloatPoint& position);
CFloatPoint ReadPosition(CReplayStream& stream);

// An angle in [-2 pi, 2 pi] as one raw byte, (angle + 2 pi) / (4 pi) * 255 clamped to 0..255 and
// truncated; NaN gives 0. Read back as byte / 255 * 4 pi - 2 pi; a missing byte reads as 0.
uint8_t EncodeDirection(float angle);
float DecodeDirection(uint8_t byte);
void WriteDirection(CReplayStream& stream, float angle);
float ReadDirection(CReplayStream& stream);

// A size truncated toward zero and clamped to 0..max, in bits bits (NaN gives 0).
void WriteSize(CReplayStream& stream, float size, uint32_t max, uint32_t bits);

// Two float32 and one float32 as raw little-endian bytes; false, leaving the value alone, when the
// bytes are not there.
void WriteFloatPair(CReplayStream& stream, const CFloatPoint& value);
bool ReadFloatPair(CReplayStream& stream, CFloatPoint& value);
void WriteFloat(CReplayStream& stream, float value);
bool ReadFloat(CReplayStream& stream, float& value);

} // namespace worldrecord
