#pragma once
// A RIFF WAVE file as a wave source: plain PCM of 8 or 16 bits read as it is, or IMA ADPCM,
// Microsoft ADPCM, A-law and mu-law decoded block by block to 16 bits, whether the "fmt " chunk
// gives their plain tag or the extensible form (0xFFFE) with their sub-format. Any other format is
// refused, as is a file without "fmt " and "data" chunks.
//
// The rule for callers: a compressed sound delivers exactly its "fact" sample count (or, without
// one, what its data holds) x channels x 2 bytes, padded with silence where the data runs short.
#include "sound/WaveSource.h"

#include <memory>
#include <vector>

namespace platform {
class SoundDecoder;
struct CodedWaveFormat;
}

class CRiffWaveSource : public CWaveSource
{
public:
    CRiffWaveSource();
    ~CRiffWaveSource() override;

    // False for a file that is not RIFF WAVE, misses "fmt " or "data", or holds a format that is
    // neither 1 or 2 channels of 8- or 16-bit PCM nor one of the decoded ones.
    bool Open(CVirtualFile* file) override;
    uint32_t Read(void* destination, uint32_t bytes) override;
    // PCM bytes delivered since the start of the data; -1 without a file.
    int32_t Tell() override;
    // To a PCM byte position (rounded down to a whole frame, at most the PCM length), so that a
    // looping song starts again at its first sample; false without a file or when the file
    // cannot seek.
    bool Seek(uint32_t position) override;
    void Close() override;

private:
    // Walks the chunks; false without both "fmt " and "data".
    bool ReadChunks(platform::CodedWaveFormat& coded, uint64_t& dataStart, uint32_t& factFrames, bool& haveFact);
    bool SetUpPcm(const platform::CodedWaveFormat& coded);
    bool SetUpDecoder(const platform::CodedWaveFormat& coded, uint32_t factFrames, bool haveFact);
    // Delivers bytes of decoded PCM into destination (or skips them when it is null).
    void Produce(uint8_t* destination, uint32_t bytes);
    // Decodes the next block of the data; false when no data is left.
    bool DecodeNextBlock();

    std::unique_ptr<platform::SoundDecoder> m_decoder;
    std::vector<uint8_t> m_input;      // one coded block
    std::vector<int16_t> m_decoded;    // its frames
    uint32_t m_decodedBytes = 0;       // PCM bytes in m_decoded
    uint32_t m_decodedOffset = 0;      // of which already delivered
    uint32_t m_dataStart = 0;
    uint32_t m_delivered = 0;          // PCM bytes
    uint32_t m_consumed = 0;           // coded bytes
};
