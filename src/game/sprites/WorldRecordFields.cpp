#include "game/sprites/WorldRecordFields.h"

#include "app/DemoRecorder.h"
#include "app/ReplayStream.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace worldrecord {

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr float kFourPi = 4.0f * std::numbers::pi_v<float>;

} // namespace

CReplayStream* GetRecordingStream()
{
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    return recorder->IsRecording() ? recorder->GetStream() : nullptr;
}

CFrameInterface* GetReplayTarget()
{
    return CDemoRecorder::GetInstance()->GetTargetFrame();
}

void WritePosition(CReplayStream& stream, const CFloatPoint& position)
{
    stream.WriteQuantizedPoint(position, kPositionMin, kPositionMax, 0, 0);
}

CFloatPoint ReadPosition(CReplayStream& stream)
{
    CFloatPoint position;
    stream.ReadQuantizedPoint(position, kPositionMin, kPositionMax, 0, 0);
    return position;
}

uint8_t EncodeDirection(float angle)
{
    const float scaled = (angle + kTwoPi) / kFourPi * 255.0f;
    // The comparison form keeps NaN at 0.
    if (!(scaled > 0.0f))
        return 0;
    return scaled >= 255.0f ? 255 : static_cast<uint8_t>(scaled);
}

float DecodeDirection(uint8_t byte)
{
    return static_cast<float>(byte) / 255.0f * kFourPi - kTwoPi;
}

void WriteDirection(CReplayStream& stream, float angle)
{
    stream.WriteByte(EncodeDirection(angle));
}

float ReadDirection(CReplayStream& stream)
{
    uint8_t byte = 0;
    stream.ReadByte(byte);
    return DecodeDirection(byte);
}

void WriteSize(CReplayStream& stream, float size, uint32_t max, uint32_t bits)
{
    const float limited = std::min(size, static_cast<float>(max));
    stream.WriteBits(limited > 0.0f ? static_cast<uint32_t>(limited) : 0, bits);
}

void WriteFloat(CReplayStream& stream, float value)
{
    stream.WriteDword(std::bit_cast<uint32_t>(value));
}

bool ReadFloat(CReplayStream& stream, float& value)
{
    uint32_t bits = 0;
    if (!stream.ReadDword(bits))
        return false;
    value = std::bit_cast<float>(bits);
    return true;
}

void WriteFloatPair(CReplayStream& stream, const CFloatPoint& value)
{
    WriteFloat(stream, value.m_x);
    WriteFloat(stream, value.m_y);
}

bool ReadFloatPair(CReplayStream& stream, CFloatPoint& value)
{
    CFloatPoint read;
    if (!ReadFloat(stream, read.m_x) || !ReadFloat(stream, read.m_y))
        return false;
    value = read;
    return true;
}

} // namespace worldrecord
