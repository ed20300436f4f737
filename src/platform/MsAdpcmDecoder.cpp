#include "platform/MsAdpcmDecoder.h"

#include <algorithm>
#include <climits>
#include <new>

namespace platform {

namespace {

constexpr uint32_t kHeaderBytes = 7;   // per channel
constexpr int kStandardCoefficients[] = {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232};
constexpr int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};
// The step grows by at most 768/256 a sample; held below this it cannot overflow.
constexpr int kMaxStep = INT_MAX / 768;

uint32_t FramesOf(uint32_t bytes, uint32_t channels)
{
    if (bytes < kHeaderBytes * channels)
        return 0;
    return 2 + (bytes - kHeaderBytes * channels) * 2 / channels;
}

int16_t ReadS16(const uint8_t* p)
{
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

// The extra bytes: frames per block, the number of pairs, then the pairs.
std::vector<int> CoefficientsOf(const CodedWaveFormat& format)
{
    const std::vector<uint8_t>& extra = format.extra;
    if (extra.size() >= 4) {
        const uint32_t count = std::min<uint32_t>(extra[2] | (extra[3] << 8), static_cast<uint32_t>(extra.size() - 4) / 4);
        if (count > 0) {
            std::vector<int> pairs;
            for (uint32_t i = 0; i < count * 2; ++i)
                pairs.push_back(ReadS16(&extra[4 + 2 * i]));
            return pairs;
        }
    }
    return std::vector<int>(std::begin(kStandardCoefficients), std::end(kStandardCoefficients));
}

struct Channel
{
    const int* coefficients;
    int step;
};

int DecodeSample(int code, Channel& channel, int previous, int beforePrevious)
{
    const int step = channel.step;
    channel.step = std::clamp((kAdaptation[code] * step) >> 8, 16, kMaxStep);
    const int64_t prediction = (static_cast<int64_t>(previous) * channel.coefficients[0] +
                                static_cast<int64_t>(beforePrevious) * channel.coefficients[1]) >> 8;
    const int signedCode = code - ((code & 8) << 1);
    return static_cast<int>(std::clamp<int64_t>(prediction + static_cast<int64_t>(signedCode) * step, -32768, 32767));
}

} // namespace

std::unique_ptr<SoundDecoder> MsAdpcmDecoder::Create(const CodedWaveFormat& format)
{
    if (format.bitsPerSample != 4 || format.blockAlign < kHeaderBytes * format.channels)
        return nullptr;
    // The header alone holds two frames, so a block has at least two.
    const uint32_t capacity = FramesOf(format.blockAlign, format.channels);
    return std::unique_ptr<SoundDecoder>(new (std::nothrow) MsAdpcmDecoder(
        format.channels, format.blockAlign, FramesPerBlock(format, 2, capacity), CoefficientsOf(format)));
}

uint32_t MsAdpcmDecoder::FramesInBlock(uint32_t bytes) const
{
    return std::min(FramesOf(bytes, static_cast<uint32_t>(GetChannels())), GetBlockFrames());
}

uint32_t MsAdpcmDecoder::DecodeBlock(const uint8_t* in, uint32_t bytes, int16_t* out) const
{
    const auto channels = static_cast<uint32_t>(GetChannels());
    const uint32_t frames = FramesInBlock(std::min(bytes, GetBlockBytes()));
    if (frames == 0)
        return 0;
    const auto pairs = static_cast<uint32_t>(m_coefficients.size() / 2);
    Channel state[2];
    for (uint32_t ch = 0; ch < channels; ++ch) {
        // A predictor number past the list takes the first pair.
        const uint32_t predictor = in[ch] < pairs ? in[ch] : 0;
        state[ch].coefficients = &m_coefficients[2 * predictor];
        state[ch].step = ReadS16(in + channels + 2 * ch);
        out[channels + ch] = ReadS16(in + 3 * channels + 2 * ch);   // the first sample is frame 1
        out[ch] = ReadS16(in + 5 * channels + 2 * ch);              // the second is frame 0
    }
    const uint8_t* code = in + kHeaderBytes * channels;
    const uint32_t samples = frames * channels;
    for (uint32_t i = 2 * channels; i < samples; ++i) {
        const uint32_t n = i - 2 * channels;
        const int nibble = (n & 1) ? code[n / 2] & 0x0F : code[n / 2] >> 4;
        out[i] = static_cast<int16_t>(
            DecodeSample(nibble, state[i % channels], out[i - channels], out[i - 2 * channels]));
    }
    return frames;
}

} // namespace platform
