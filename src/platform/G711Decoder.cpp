#include "platform/G711Decoder.h"

#include <algorithm>
#include <new>

namespace platform {

namespace {

constexpr uint32_t kFramesPerBlock = 1024;

} // namespace

int16_t G711Decoder::ExpandALaw(uint8_t code)
{
    code ^= 0x55;
    int value = (code & 0x0F) << 4;
    const int segment = (code & 0x70) >> 4;
    if (segment == 0)
        value += 8;
    else
        value = (value + 0x108) << (segment - 1);
    return static_cast<int16_t>((code & 0x80) ? value : -value);
}

int16_t G711Decoder::ExpandMuLaw(uint8_t code)
{
    code = static_cast<uint8_t>(~code);
    int value = (((code & 0x0F) << 3) + 0x84) << ((code & 0x70) >> 4);
    return static_cast<int16_t>((code & 0x80) ? 0x84 - value : value - 0x84);
}

G711Decoder::G711Decoder(int channels, bool muLaw)
    : SoundDecoder(channels, kFramesPerBlock * static_cast<uint32_t>(channels), kFramesPerBlock)
{
    for (int code = 0; code < 256; ++code)
        m_table[code] = muLaw ? ExpandMuLaw(static_cast<uint8_t>(code)) : ExpandALaw(static_cast<uint8_t>(code));
}

std::unique_ptr<SoundDecoder> G711Decoder::Create(const CodedWaveFormat& format)
{
    if (format.bitsPerSample != 8)
        return nullptr;
    return std::unique_ptr<SoundDecoder>(
        new (std::nothrow) G711Decoder(format.channels, format.formatTag == kWaveFormatMuLaw));
}

uint32_t G711Decoder::FramesInBlock(uint32_t bytes) const
{
    return std::min(bytes / static_cast<uint32_t>(GetChannels()), GetBlockFrames());
}

uint32_t G711Decoder::DecodeBlock(const uint8_t* in, uint32_t bytes, int16_t* out) const
{
    const uint32_t frames = FramesInBlock(bytes);
    const uint32_t samples = frames * static_cast<uint32_t>(GetChannels());
    for (uint32_t i = 0; i < samples; ++i)
        out[i] = m_table[in[i]];
    return frames;
}

} // namespace platform
