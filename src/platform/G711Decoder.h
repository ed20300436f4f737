#pragma once
// A-law (format tag 6) and mu-law (format tag 7): one byte a sample, expanded through a table of
// the 256 values. A block is a run of frames chosen by the decoder, not by the file.
#include "platform/SoundDecoder.h"

namespace platform {

class G711Decoder : public SoundDecoder
{
public:
    // Null unless 8 bits a sample.
    static std::unique_ptr<SoundDecoder> Create(const CodedWaveFormat& format);

    uint32_t DecodeBlock(const uint8_t* in, uint32_t bytes, int16_t* out) const override;

    // The sample of one coded byte.
    static int16_t ExpandALaw(uint8_t code);
    static int16_t ExpandMuLaw(uint8_t code);

protected:
    uint32_t FramesInBlock(uint32_t bytes) const override;

private:
    G711Decoder(int channels, bool muLaw);

    int16_t m_table[256];
};

} // namespace platform
