#include "WaveFile.h"

#include "foundation/ByteOrder.h"

#include <cstring>

std::vector<uint8_t> EncodeWave16(const std::vector<int16_t>& samples, uint32_t sampleRate, uint16_t channels)
{
    constexpr uint32_t kHeaderSize = 44;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> wave(kHeaderSize + dataSize);
    uint8_t* p = wave.data();
    std::memcpy(p, "RIFF", 4);
    StoreU32Le(p + 4, kHeaderSize - 8 + dataSize);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    StoreU32Le(p + 16, 16);
    StoreU16Le(p + 20, 1); // PCM
    StoreU16Le(p + 22, channels);
    StoreU32Le(p + 24, sampleRate);
    StoreU32Le(p + 28, sampleRate * channels * 2);
    StoreU16Le(p + 32, channels * 2);
    StoreU16Le(p + 34, 16);
    std::memcpy(p + 36, "data", 4);
    StoreU32Le(p + 40, dataSize);
    for (size_t i = 0; i < samples.size(); ++i)
        StoreU16Le(p + kHeaderSize + 2 * i, static_cast<uint16_t>(samples[i]));
    return wave;
}
