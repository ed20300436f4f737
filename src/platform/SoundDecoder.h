#pragma once
// Decoders of the compressed sample formats a RIFF WAVE file may hold, to 16-bit PCM: IMA ADPCM,
// Microsoft ADPCM, A-law and mu-law. Coded data comes in blocks of a fixed size, each decoded on
// its own, so a reader can start at any block.
//
// The rule for callers: hand DecodeBlock at most GetBlockBytes() bytes and room for
// GetBlockFrames() frames; a last block cut short decodes the whole frames its bytes hold.
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// The coded format, as a "fmt " chunk gives it: the fields and the extra bytes after its size field.
struct CodedWaveFormat
{
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    std::vector<uint8_t> extra;
};

enum : uint16_t
{
    kWaveFormatPcm = 1,
    kWaveFormatMsAdpcm = 2,
    kWaveFormatALaw = 6,
    kWaveFormatMuLaw = 7,
    kWaveFormatImaAdpcm = 0x11,
};

class SoundDecoder
{
public:
    virtual ~SoundDecoder() = default;
    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;

    int GetChannels() const { return m_channels; }
    uint32_t GetBlockBytes() const { return m_blockBytes; }
    uint32_t GetBlockFrames() const { return m_blockFrames; }

    // Decodes one block into interleaved 16-bit frames; answers the frames written (0 for a
    // block too short for its header).
    virtual uint32_t DecodeBlock(const uint8_t* in, uint32_t bytes, int16_t* out) const = 0;
    // The frames that bytes of coded data decode to: whole blocks, then what a short one holds.
    uint64_t CountFrames(uint64_t bytes) const;

protected:
    SoundDecoder(int channels, uint32_t blockBytes, uint32_t blockFrames)
        : m_channels(channels), m_blockBytes(blockBytes), m_blockFrames(blockFrames)
    {
    }
    // The whole frames a block of that many bytes (fewer than a whole block) holds.
    virtual uint32_t FramesInBlock(uint32_t bytes) const = 0;
    // The frames per block a format's extra bytes give (their first field), when it lies within
    // least .. capacity; otherwise the capacity of a block.
    static uint32_t FramesPerBlock(const CodedWaveFormat& format, uint32_t least, uint32_t capacity);

private:
    int m_channels;
    uint32_t m_blockBytes;
    uint32_t m_blockFrames;
};

// A decoder of the format with 1 or 2 channels; null for any other format tag (no codec), or
// when the format's sizes make no sense for its codec.
std::unique_ptr<SoundDecoder> CreateSoundDecoder(const CodedWaveFormat& format);

} // namespace platform
