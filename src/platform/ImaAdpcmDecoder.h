#pragma once
// IMA ADPCM (format tag 0x11): 4 bits a sample. A block opens with each channel's first sample
// and step index; then groups of 4 bytes per channel in turn carry 8 samples of that channel,
// low nibble first.
#include "platform/SoundDecoder.h"

namespace platform {

class ImaAdpcmDecoder : public SoundDecoder
{
public:
    // Null unless 4 bits a sample and a block holds at least its header.
    static std::unique_ptr<SoundDecoder> Create(const CodedWaveFormat& format);

    uint32_t DecodeBlock(const uint8_t* in, uint32_t bytes, int16_t* out) const override;

    // One sample: the 4-bit code moves value (kept within 16 bits) and the step index (0..88) on
    // from the previous sample. An encoder that chooses codes with it decodes as this decoder does.
    static void ApplyCode(int code, int& value, int& index);

protected:
    uint32_t FramesInBlock(uint32_t bytes) const override;

private:
    using SoundDecoder::SoundDecoder;
};

} // namespace platform
