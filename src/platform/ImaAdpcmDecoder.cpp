#include "platform/ImaAdpcmDecoder.h"

#include <algorithm>
#include <new>

namespace platform {

namespace {

constexpr int kMaxStepIndex = 88;

constexpr int16_t kStepSizes[kMaxStepIndex + 1] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr int kIndexSteps[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

// Bytes of a channel's header, and of one group of a channel's samples (8 of them).
constexpr uint32_t kHeaderBytes = 4;
constexpr uint32_t kGroupBytes = 4;
constexpr uint32_t kGroupFrames = 8;

uint32_t FramesOf(uint32_t bytes, uint32_t channels)
{
    if (bytes < kHeaderBytes * channels)
        return 0;
    return 1 + (bytes - kHeaderBytes * channels) / (kGroupBytes * channels) * kGroupFrames;
}

} // namespace

std::unique_ptr<SoundDecoder> ImaAdpcmDecoder::Create(const CodedWaveFormat& format)
{
    if (format.bitsPerSample != 4 || format.blockAlign < kHeaderBytes * format.channels)
        return nullptr;
    const uint32_t capacity = FramesOf(format.blockAlign, format.channels);
    return std::unique_ptr<SoundDecoder>(new (std::nothrow) ImaAdpcmDecoder(
        format.channels, format.blockAlign, FramesPerBlock(format, 1, capacity)));
}

uint32_t ImaAdpcmDecoder::FramesInBlock(uint32_t bytes) const
{
    return std::min(FramesOf(bytes, static_cast<uint32_t>(GetChannels())), GetBlockFrames());
}

void ImaAdpcmDecoder::ApplyCode(int code, int& value, int& index)
{
    // The difference is step x (code + 1/2) / 4, summed from shifted steps.
    const int step = kStepSizes[index];
    int difference = step >> 3;
    if (code & 4)
        difference += step;
    if (code & 2)
        difference += step >> 1;
    if (code & 1)
        difference += step >> 2;
    value = (code & 8) ? std::max(value - difference, -32768) : std::min(value + difference, 32767);
    index = std::clamp(index + kIndexSteps[code & 7], 0, kMaxStepIndex);
}

uint32_t ImaAdpcmDecoder::DecodeBlock(const uint8_t* in, uint32_t bytes, int16_t* out) const
{
    const auto channels = static_cast<uint32_t>(GetChannels());
    const uint32_t frames = FramesInBlock(std::min(bytes, GetBlockBytes()));
    for (uint32_t ch = 0; ch < frames && ch < channels; ++ch) {
        const uint8_t* header = in + kHeaderBytes * ch;
        int value = static_cast<int16_t>(header[0] | (header[1] << 8));
        int index = header[2];
        // A step index past the table restarts the channel at the smallest step.
        if (index > kMaxStepIndex)
            index = 0;
        out[ch] = static_cast<int16_t>(value);
        for (uint32_t frame = 1; frame < frames; ++frame) {
            // Frame f's nibble lies in group (f - 1) / 8 of this channel, low nibble first.
            const uint32_t n = frame - 1;
            const uint32_t group = n / kGroupFrames;
            const uint32_t within = n % kGroupFrames;
            const uint8_t byte = in[kHeaderBytes * channels + (group * channels + ch) * kGroupBytes + within / 2];
            const int code = (within & 1) ? byte >> 4 : byte & 0x0F;
            ApplyCode(code, value, index);
            out[frame * channels + ch] = static_cast<int16_t>(value);
        }
    }
    return frames;
}

} // namespace platform
