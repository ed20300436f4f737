// Reads arbitrary bytes as a RIFF WAVE file: the chunk walk, plain PCM and the IMA ADPCM,
// Microsoft ADPCM, A-law and mu-law decoders. Whatever the bytes, a source that opens delivers
// exactly its PCM length, a seek lands on the same bytes as reading from the start, and a
// crossfade stays within its spans.
#include "WaveFuzzSupport.h"
#include "sound/RiffWaveSource.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Sounds longer than this are only partly read, to keep each input quick.
constexpr uint32_t kMaxChecked = 1u << 22;

using wavefuzz::Check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    CRiffWaveSource source;
    if (!source.Open(wavefuzz::NewMemoryFile(data, size)))
        return 0;

    const uint32_t length = std::min(source.GetPCMLength(), kMaxChecked);
    std::vector<uint8_t> whole(length);
    uint32_t read = 0;
    while (read < length) {
        const uint32_t got = source.Read(whole.data() + read, std::min<uint32_t>(length - read, 4093));
        Check(got > 0);
        read += got;
    }
    if (length == source.GetPCMLength()) {
        uint8_t extra;
        Check(source.Read(&extra, 1) == 0);
    }

    WaveFormat format;
    source.GetWaveFormat(format);
    Check(format.blockAlign > 0 && source.GetPCMLength() % format.blockAlign == 0);
    const uint32_t position = length ? (data[size / 2] * 7919u) % length : 0;
    Check(source.Seek(position));
    const uint32_t start = position - position % format.blockAlign;
    Check(source.Tell() == static_cast<int32_t>(start));
    uint8_t piece[512];
    const uint32_t got = source.Read(piece, std::min<uint32_t>(sizeof(piece), length - start));
    Check(got == 0 || std::memcmp(piece, whole.data() + start, got) == 0);

    Check(source.Seek(0));
    int16_t span[300] = {};
    const uint32_t mixed = source.MixInto(span, 200, span + 150, 100, 0.5f);
    Check(mixed <= 300);
    return 0;
}
