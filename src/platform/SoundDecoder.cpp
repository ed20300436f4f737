#include "platform/SoundDecoder.h"

#include "platform/G711Decoder.h"
#include "platform/ImaAdpcmDecoder.h"
#include "platform/MsAdpcmDecoder.h"

#include <new>

namespace platform {

uint64_t SoundDecoder::CountFrames(uint64_t bytes) const
{
    const uint64_t whole = bytes / m_blockBytes;
    const auto rest = static_cast<uint32_t>(bytes % m_blockBytes);
    return whole * m_blockFrames + (rest ? FramesInBlock(rest) : 0);
}

uint32_t SoundDecoder::FramesPerBlock(const CodedWaveFormat& format, uint32_t least, uint32_t capacity)
{
    if (format.extra.size() < 2)
        return capacity;
    const uint32_t given = format.extra[0] | (format.extra[1] << 8);
    return given >= least && given <= capacity ? given : capacity;
}

std::unique_ptr<SoundDecoder> CreateSoundDecoder(const CodedWaveFormat& format)
{
    if (format.channels < 1 || format.channels > 2 || format.samplesPerSecond == 0 ||
        format.samplesPerSecond > 200000)
        return nullptr;
    switch (format.formatTag) {
    case kWaveFormatImaAdpcm:
        return ImaAdpcmDecoder::Create(format);
    case kWaveFormatMsAdpcm:
        return MsAdpcmDecoder::Create(format);
    case kWaveFormatALaw:
    case kWaveFormatMuLaw:
        return G711Decoder::Create(format);
    default:
        return nullptr;
    }
}

} // namespace platform
