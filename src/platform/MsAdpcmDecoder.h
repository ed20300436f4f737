#pragma once
// Microsoft ADPCM (format tag 2): 4 bits a sample, each predicted from the two before it by one of
// the coefficient pairs the format lists. A block opens with each channel's predictor number,
// then its step, its second sample and its first sample; the rest are nibbles, high nibble first,
// the channels taking turns.
#include "platform/SoundDecoder.h"

namespace platform {

class MsAdpcmDecoder : public SoundDecoder
{
public:
    // Null unless 4 bits a sample and a block holds at least its header. The coefficient pairs
    // come from the format's extra bytes, or are the standard seven when it lists none.
    static std::unique_ptr<SoundDecoder> Create(const CodedWaveFormat& format);

    uint32_t DecodeBlock(const uint8_t* in, uint32_t bytes, int16_t* out) const override;

protected:
    uint32_t FramesInBlock(uint32_t bytes) const override;

private:
    MsAdpcmDecoder(int channels, uint32_t blockBytes, uint32_t blockFrames, std::vector<int> coefficients)
        : SoundDecoder(channels, blockBytes, blockFrames), m_coefficients(std::move(coefficients))
    {
    }

    std::vector<int> m_coefficients;   // pairs
};

} // namespace platform
