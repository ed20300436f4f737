// Reads arbitrary bytes as an Ogg Vorbis file through the virtual file system's callbacks.
// Whatever the bytes, opening either fails or gives a 1- or 2-channel 16-bit source that reads,
// seeks and tells without reaching outside its buffers.
#include "WaveFuzzSupport.h"
#include "sound/OggWaveSource.h"

#include <cstdint>
#include <vector>

namespace {

// Songs longer than this are only partly read, to keep each input quick.
constexpr uint32_t kMaxRead = 1u << 22;

using wavefuzz::Check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    COggWaveSource source;
    if (!source.Open(wavefuzz::NewMemoryFile(data, size)))
        return 0;
    WaveFormat format;
    source.GetWaveFormat(format);
    Check((format.channels == 1 || format.channels == 2) && format.bitsPerSample == 16);

    std::vector<uint8_t> buffer(8192);
    uint32_t total = 0;
    for (uint32_t got; total < kMaxRead && (got = source.Read(buffer.data(), 8192)) > 0;) {
        Check(got <= 8192);
        total += got;
    }
    source.Seek(source.GetPCMLength() / 2);
    source.Read(buffer.data(), 4096);
    source.Tell();
    source.Seek(0);
    Check(source.Read(buffer.data(), 4096) <= 4096);
    int16_t span[64] = {};
    Check(source.MixInto(span, 64, span + 32, 64, 0.25f) <= 128);
    return 0;
}
